// UTF-8 (the core's paths and names) to and from the wide text of the platform's calls.
#pragma once

#include <string>
#include <string_view>

#include "core/common/text.h"

namespace zr640viewer {

inline std::wstring Widen(std::string_view text) {
    const std::u16string wide = zr640::Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view text) {
    return zr640::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace zr640viewer

// The platform's wide text (wchar_t, UTF-16 on Windows) and the core's text: UTF-16 in
// std::u16string (the same code units, another type) and UTF-8 in std::string (names and
// paths of the portable code).
#pragma once

#include <string>
#include <string_view>

#include "core/common/text.h"

namespace zr640::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide text is UTF-16 on this platform");

inline std::wstring WideFromUtf16(std::u16string_view text) { return {text.begin(), text.end()}; }

inline std::u16string Utf16FromWide(std::wstring_view text) { return {text.begin(), text.end()}; }

inline std::wstring WideFromUtf8(std::string_view text) {
    return WideFromUtf16(zr640::Utf8ToUtf16(text));
}

inline std::string Utf8FromWide(std::wstring_view text) {
    return zr640::Utf16ToUtf8(Utf16FromWide(text));
}

}  // namespace zr640::win

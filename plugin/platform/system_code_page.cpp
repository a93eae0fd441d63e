#include "plugin/platform/system_code_page.h"

#include <windows.h>

#include <limits>

#include "win32/wide_text.h"

namespace zr640ui {
namespace {

class AnsiCodePage final : public zr640::CodePage {
public:
    std::u16string Decode(std::span<const uint8_t> bytes) const override {
        if (bytes.empty() || bytes.size() > std::numeric_limits<int>::max()) return {};
        const auto* data = reinterpret_cast<const char*>(bytes.data());
        const int size = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, data, size, nullptr, 0);
        if (length <= 0) return {};
        std::wstring text(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, data, size, text.data(), length);
        return zr640::win::Utf16FromWide(text);
    }

    // A character without a byte of its own is refused rather than written as a look-alike
    // or as the default character.
    std::optional<std::vector<uint8_t>> Encode(std::u16string_view text) const override {
        if (text.empty()) return std::vector<uint8_t>();
        if (text.size() > std::numeric_limits<int>::max()) return std::nullopt;
        const std::wstring wide(text.begin(), text.end());
        const int size = static_cast<int>(wide.size());
        // UTF-8 as the system code page takes neither flag nor default-character answer.
        const bool utf8 = GetACP() == CP_UTF8;
        const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        BOOL* defaulted = utf8 ? nullptr : &usedDefault;
        const int length =
            WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, defaulted);
        if (length <= 0 || usedDefault) return std::nullopt;
        std::vector<uint8_t> bytes(static_cast<size_t>(length));
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, reinterpret_cast<char*>(bytes.data()),
                            length, nullptr, defaulted);
        if (usedDefault) return std::nullopt;
        return bytes;
    }
};

}  // namespace

const zr640::CodePage& SystemCodePage() {
    static const AnsiCodePage codePage;
    return codePage;
}

}  // namespace zr640ui

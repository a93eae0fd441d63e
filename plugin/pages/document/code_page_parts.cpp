#include "plugin/pages/document/code_page_parts.h"

#include "core/barcode/test_print.h"

namespace zr640ui {

std::optional<std::vector<uint8_t>> TestDataBytes(HWND dialog, int edit) {
    wchar_t text[zr640::kTestDataMaxCharacters + 1] = {};
    const auto length =
        static_cast<int>(GetDlgItemTextW(dialog, edit, text, static_cast<int>(std::size(text))));
    if (length <= 0) return std::vector<uint8_t>{};
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || !zr640::TestDataFits(static_cast<size_t>(needed))) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(needed));
    WideCharToMultiByte(CP_ACP, 0, text, length, reinterpret_cast<char*>(bytes.data()), needed,
                        nullptr, nullptr);
    return bytes;
}

}  // namespace zr640ui

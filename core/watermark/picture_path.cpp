#include "core/watermark/picture_path.h"

#include <algorithm>

namespace zr640 {
namespace {

bool FileNameCharacter(char16_t c) {
    return c >= 0x20 && std::u16string_view(u"\\/:*?\"<>|").find(c) == std::u16string_view::npos;
}

}  // namespace

std::optional<std::u16string> WatermarkPictureFileName(std::u16string_view tempFolder,
                                                       std::u16string_view printerName) {
    if (tempFolder.empty() || printerName.empty()) return std::nullopt;
    if (!std::all_of(printerName.begin(), printerName.end(), FileNameCharacter))
        return std::nullopt;
    std::u16string name(tempFolder);
    name += u'\\';
    name += printerName;
    name += u"1.bmp";
    return name;
}

}  // namespace zr640

// Where the water-mark picture file lives: the user's temporary folder as the platform gives
// it (with its trailing separator), one more "\", the printer name and "1.bmp". The rendering
// side computes the same name, so the rule stays as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zr640 {

// The picture file's full name, or nothing when the printer name cannot be one file-name
// component (a network printer's "\\server\name", a name with ':', '*', '?', '"', '<', '>',
// '|', '/' or a control character, or an empty name) or the temporary folder is unknown:
// such a name would point into another folder, or nowhere, and the page refuses to write.
std::optional<std::u16string> WatermarkPictureFileName(std::u16string_view tempFolder,
                                                       std::u16string_view printerName);

}  // namespace zr640

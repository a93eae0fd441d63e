// The texts of the log viewer: the keys of its language files (section "DRIVERLOG"), their
// English defaults and buffer sizes, how the language file is chosen, and the printer line
// geometry that two of the texts carry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/result.h"
#include "core/driverlog/print_file_render.h"

namespace zr640 {

enum class ViewerText : size_t {
    BtnTop,
    BtnBack,
    BtnNext,
    BtnBottom,
    GroupPrint,
    GroupPrinter,
    AddNewLog,
    BtnExit,
    RadioToday,
    RadioTotal,
    DriverName,
    PrinterWidth,
    PrinterPoints,
    SelectFile,
    NotFoundFile,
    LoadImageError,
    LogError,
    Count
};

struct ViewerTextEntry {
    std::string_view section;
    std::string_view key;
    std::string_view defaultText;  // also the text of the English language file
    size_t capacity;               // characters, terminator included
};

inline constexpr size_t kViewerTextCount = static_cast<size_t>(ViewerText::Count);

extern const std::array<ViewerTextEntry, kViewerTextCount> kViewerTexts;

const ViewerTextEntry& ViewerTextEntryOf(ViewerText text);

// "LANGUAGE_" followed by the model name: the registry value that names the language file.
std::string ViewerLanguageValueName(std::string_view model);

// The language file used when the registry names none: traditional Chinese for 1028, 3076
// and 4100, simplified Chinese for 2052, English for every other language identifier.
std::string_view ViewerLanguageFileFor(uint16_t languageId);

// A whole number as the viewer reads it from a text: leading blanks, an optional sign, then
// digits up to the first other character; nullopt when no digit comes or it overflows.
std::optional<int64_t> ParseLeadingInteger(std::string_view text);

// The line geometry from the texts RC_PRNWIDTH and RC_PRNPOINT; refuses numbers that are
// missing, not positive or do not fit together.
Result<LineGeometry> LineGeometryFromTexts(std::string_view bytesPerRow, std::string_view dots);

}  // namespace zr640

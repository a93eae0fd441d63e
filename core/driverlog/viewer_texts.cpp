#include "core/driverlog/viewer_texts.h"

namespace zr640 {
namespace {

constexpr std::string_view kSection = "DRIVERLOG";
constexpr size_t kTextCapacity = 50;

constexpr ViewerTextEntry Text(std::string_view key, std::string_view defaultText) {
    return ViewerTextEntry{kSection, key, defaultText, kTextCapacity};
}

}  // namespace

const std::array<ViewerTextEntry, kViewerTextCount> kViewerTexts = {
    Text("RC_BTN_TOP", "TOP"),
    Text("RC_BTN_BACK", "BACK"),
    Text("RC_BTN_NEXT", "NEXT"),
    Text("RC_BTN_BOTTOM", "BOTTOM"),
    Text("RC_GROUP_PRINT", "Print"),
    Text("RC_GROUP_PRINTER", "Printer"),
    Text("RC_ADDNEWLOG", "Add new log"),
    Text("RC_BTN_EXIT", "Exit"),
    Text("RC_RADIO_TODAY", "Print this log"),
    Text("RC_RADIO_TOTAL", "Print log of this day"),
    Text("RC_DRVNAME", "T-"),
    Text("RC_PRNWIDTH", "80"),
    Text("RC_PRNPOINT", "640"),
    Text("RC_SELECTFILE", "Please select driver log file path:"),
    Text("MB_NOTFOUNDFILE", "Not found file."),
    Text("MB_LODAIMAGEERROR", "Load image failed!"),
    Text("MB_LOGERROR", "The printer dirver log is error!"),
};

const ViewerTextEntry& ViewerTextEntryOf(ViewerText text) {
    return kViewerTexts[static_cast<size_t>(text)];
}

std::string ViewerLanguageValueName(std::string_view model) {
    return "LANGUAGE_" + std::string(model);
}

std::string_view ViewerLanguageFileFor(uint16_t languageId) {
    switch (languageId) {
    case 1028:
    case 3076:
    case 4100: return "CHF.ini";
    case 2052: return "CHN.ini";
    default: return "ENG.ini";
    }
}

std::optional<int64_t> ParseLeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (INT64_MAX - (text[i] - '0')) / 10) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

Result<LineGeometry> LineGeometryFromTexts(std::string_view bytesPerRow, std::string_view dots) {
    const auto bytes = ParseLeadingInteger(bytesPerRow);
    const auto width = ParseLeadingInteger(dots);
    if (!bytes || !width) return Error{"the line width and dot count must be whole numbers"};
    return MakeLineGeometry(*bytes, *width);
}

}  // namespace zr640

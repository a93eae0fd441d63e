#include "core/settings/devmode_fields.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <vector>

#include "core/common/bytes.h"
#include "core/common/text.h"
#include "core/operation/event_operation.h"
#include "core/operation/hex_command.h"
#include "core/watermark/preview_layout.h"

namespace zr640 {
namespace {

constexpr int64_t kU32Max = std::numeric_limits<uint32_t>::max();
constexpr int64_t kI32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kI32Max = std::numeric_limits<int32_t>::max();

class TableBuilder {
public:
    void Header(std::string name, size_t offset) {
        fields_.push_back({std::move(name), FieldKind::kHeader, offset, 4});
    }

    void Number(std::string name, size_t offset, size_t width, int64_t low, int64_t high) {
        DevModeField field{std::move(name), FieldKind::kNumber, offset, width};
        field.low = low;
        field.high = high;
        fields_.push_back(field);
    }
    void Signed(std::string name, size_t offset) {
        Number(std::move(name), offset, 4, kI32Min, kI32Max);
        fields_.back().isSigned = true;
    }
    void Text(std::string name, size_t offset, size_t units, size_t maxLength) {
        DevModeField field{std::move(name), FieldKind::kText, offset, units};
        field.maxLength = maxLength;
        fields_.push_back(field);
    }
    void Bytes(std::string name, size_t offset, size_t width) {
        fields_.push_back({std::move(name), FieldKind::kBytes, offset, width});
    }
    void Command(std::string name, size_t offset, size_t countOffset) {
        DevModeField field{std::move(name), FieldKind::kCommand, offset, kCommandCapacity};
        field.countOffset = countOffset;
        fields_.push_back(field);
    }
    DevModeField& Last() { return fields_.back(); }

    std::vector<DevModeField> Take() { return std::move(fields_); }

private:
    std::vector<DevModeField> fields_;
};

template <typename Block>
void AddEvent(TableBuilder& t, const std::string& prefix, size_t base) {
#define ZR640_AT(field) base + offsetof(Block, field)
    t.Number(prefix + ".bSendCommand", ZR640_AT(bSendCommand), 1, 0, 1);
    t.Number(prefix + ".bFeedToCut", ZR640_AT(bFeedToCut), 1, 0, 1);
    t.Command(prefix + ".abCommand", ZR640_AT(abCommand), ZR640_AT(cbCommand));
    t.Number(prefix + ".cbCommand", ZR640_AT(cbCommand), 1, 0, kCommandCapacity);
    t.Number(prefix + ".bCashDrawer", ZR640_AT(bCashDrawer), 1, 0, kDrawerChoices - 1);
    t.Number(prefix + ".bPaperCut", ZR640_AT(bPaperCut), 1, 0, kCutChoices - 1);
    t.Number(prefix + ".bFeedMm", ZR640_AT(bFeedMm), 1, 0, kFeedMmMax);
    t.Number(prefix + ".bBuzzerVolume", ZR640_AT(bBuzzerVolume), 1, 0, kBuzzerVolumeMax);
    t.Number(prefix + ".bMessenger", ZR640_AT(bMessenger), 1, 0, kMessengerChoices - 1);
    t.Number(prefix + ".dwDrawerOrMessenger", ZR640_AT(dwDrawerOrMessenger), 4, 0, 1);
    t.Number(prefix + ".bBuzzer", ZR640_AT(bBuzzer), 1, 0, kBuzzerChoices - 1);
    t.Number(prefix + ".bLogo", ZR640_AT(bLogo), 1, 0, kLogoChoices - 1);
    t.Number(prefix + ".bLogoAlign", ZR640_AT(bLogoAlign), 1, 0, 2);
    t.Number(prefix + ".bLogoPosition", ZR640_AT(bLogoPosition), 1, 0, 1);
#undef ZR640_AT
}

void AddBarcode1D(TableBuilder& t, const std::string& prefix, size_t base) {
#define ZR640_AT(field) base + offsetof(Barcode1DSettings, field)
    t.Number(prefix + ".bType", ZR640_AT(bType), 1, 0, 12);
    t.Number(prefix + ".bElementWidth", ZR640_AT(bElementWidth), 1, 2, 6);
    t.Last().alsoX8Offset = ZR640_AT(dwElementWidthX8);
    t.Number(prefix + ".dwElementHeight", ZR640_AT(dwElementHeight), 4, 1, 255);
    t.Number(prefix + ".bHriPosition", ZR640_AT(bHriPosition), 1, 0, 3);
    t.Number(prefix + ".bHriFont", ZR640_AT(bHriFont), 1, 0, 1);
    t.Number(prefix + ".dwElementWidthX8", ZR640_AT(dwElementWidthX8), 4, 16, 48);
    t.Number(prefix + ".dwSymbolHeight", ZR640_AT(dwSymbolHeight), 4, 2, kU32Max);
    t.Number(prefix + ".bGs1ElementWidth", ZR640_AT(bGs1ElementWidth), 1, 1, 6);
    t.Number(prefix + ".dwGs1RowHeight", ZR640_AT(dwGs1RowHeight), 4, 2, 250);
    t.Number(prefix + ".dwGs1RowHeight2D", ZR640_AT(dwGs1RowHeight2D), 4, 1, 10);
    t.Number(prefix + ".bGs1SeparatorHeight", ZR640_AT(bGs1SeparatorHeight), 1, 1, 10);
    t.Number(prefix + ".bGs1Hri", ZR640_AT(bGs1Hri), 1, 1, 4);
    t.Number(prefix + ".bGs1Ai", ZR640_AT(bGs1Ai), 1, 0, 1);
#undef ZR640_AT
}

void AddBarcode2D(TableBuilder& t, const std::string& prefix, size_t base) {
#define ZR640_AT(field) base + offsetof(Barcode2DSettings, field)
    t.Number(prefix + ".bType", ZR640_AT(bType), 1, 0, 5);
    t.Number(prefix + ".bPdfElementWidth", ZR640_AT(bPdfElementWidth), 1, 1, 7);
    t.Number(prefix + ".bPdfElementHeight", ZR640_AT(bPdfElementHeight), 1, 2, 25);
    t.Number(prefix + ".bPdfColumns", ZR640_AT(bPdfColumns), 1, 1, 30);
    t.Number(prefix + ".bPdfRows", ZR640_AT(bPdfRows), 1, 3, 90);
    t.Number(prefix + ".bPdfErrorLevel", ZR640_AT(bPdfErrorLevel), 1, 0, 8);
    t.Number(prefix + ".bGs1ElementWidth", ZR640_AT(bGs1ElementWidth), 1, 1, 6);
    t.Number(prefix + ".dwGs1RowHeight", ZR640_AT(dwGs1RowHeight), 4, 2, 250);
    t.Number(prefix + ".dwGs1RowHeight2D", ZR640_AT(dwGs1RowHeight2D), 4, 1, 10);
    t.Number(prefix + ".bGs1SeparatorHeight", ZR640_AT(bGs1SeparatorHeight), 1, 1, 10);
    t.Number(prefix + ".bGs1Segments", ZR640_AT(bGs1Segments), 1, 2, 20);
    t.Number(prefix + ".bGs1Hri", ZR640_AT(bGs1Hri), 1, 1, 4);
    t.Number(prefix + ".bGs1Ai", ZR640_AT(bGs1Ai), 1, 0, 1);
    t.Number(prefix + ".bQrElementWidth", ZR640_AT(bQrElementWidth), 1, 1, 24);
    t.Number(prefix + ".bQrLanguage", ZR640_AT(bQrLanguage), 1, 0, 1);
    t.Number(prefix + ".bQrModel", ZR640_AT(bQrModel), 1, 1, 2);
    t.Number(prefix + ".bQrErrorLevel", ZR640_AT(bQrErrorLevel), 1, 0, 3);
#undef ZR640_AT
}

std::vector<DevModeField> BuildTable() {
    TableBuilder t;
#define ZR640_AT(field) offsetof(PrivateDevMode, field)
    t.Header("dwSize", 0);
    t.Header("dwSignature", 4);
    t.Header("dwVersion", 8);
    t.Signed("dwReservedLevel", ZR640_AT(dwReservedLevel));
    AddEvent<EventOperationA>(t, "startDoc", ZR640_AT(startDoc));
    AddEvent<EventOperationB>(t, "startPage", ZR640_AT(startPage));
    AddEvent<EventOperationC>(t, "endDoc", ZR640_AT(endDoc));
    AddEvent<EventOperationC>(t, "endPage", ZR640_AT(endPage));
    for (size_t k = 0; k < 8; ++k) {
        AddBarcode1D(t, "barcode1D[" + std::to_string(k) + "]",
                     ZR640_AT(barcode1D) + k * sizeof(Barcode1DSettings));
    }
    for (size_t j = 0; j < 2; ++j) {
        AddBarcode2D(t, "barcode2D[" + std::to_string(j) + "]",
                     ZR640_AT(barcode2D) + j * sizeof(Barcode2DSettings));
    }
    t.Number("bReserved", ZR640_AT(bReserved), 1, 0, 255);
    t.Bytes("abReservedA", ZR640_AT(abReservedA), 32);
    t.Bytes("abReservedB", ZR640_AT(abReservedB), 32);
    t.Number("bPrintAsImage", ZR640_AT(bPrintAsImage), 1, 0, 1);
    // Texts keep their terminator, except the water-mark text, whose box takes as many
    // characters as the field holds.
    t.Text("wszWatermarkBitmap", ZR640_AT(wszWatermarkBitmap), 125, 124);
    t.Number("bWatermarkType", ZR640_AT(bWatermarkType), 1, 0, 2);
    t.Text("wszWatermarkText", ZR640_AT(wszWatermarkText), 16, 16);
    t.Text("wszWatermarkFont", ZR640_AT(wszWatermarkFont), 50, 49);
    t.Number("bWatermarkFontSize", ZR640_AT(bWatermarkFontSize), 1, kWatermarkMinFontSize,
             kWatermarkMaxFontSize);
    t.Number("bWatermarkFontStyle", ZR640_AT(bWatermarkFontStyle), 1, 0, 3);
    t.Number("dwWatermarkAngle", ZR640_AT(dwWatermarkAngle), 4, 0, kWatermarkMaxAngle);
    t.Number("bWatermarkPosition", ZR640_AT(bWatermarkPosition), 1, 0, kWatermarkPositions - 1);
    t.Number("bWatermarkSize", ZR640_AT(bWatermarkSize), 1, 0, kWatermarkMaxSize);
    t.Number("bWatermarkBrightness", ZR640_AT(bWatermarkBrightness), 1, 0, kWatermarkMaxBrightness);
    t.Number("bZoomScale", ZR640_AT(bZoomScale), 1, 10, 100);
    t.Number("bRotate180", ZR640_AT(bRotate180), 1, 0, 1);
    t.Text("wszPaperName", ZR640_AT(wszPaperName), 32, 31);
    t.Number("bZoom", ZR640_AT(bZoom), 1, 0, 1);
    t.Number("bDriverLog", ZR640_AT(bDriverLog), 1, 0, 1);
    t.Text("wszLogFolder", ZR640_AT(wszLogFolder), 256, 255);
#undef ZR640_AT
    return t.Take();
}

// The value of a quoted text argument: "..." with \\ and \" as the only escapes. Control
// characters are refused, as `show` could not print them back in this form.
Result<std::u16string> ReadQuotedText(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return Error{"a text is written in double quotes"};
    }
    std::string text;
    for (size_t i = 1; i + 1 < value.size(); ++i) {
        char c = value[i];
        if (c == '"') return Error{"a double quote inside a text is written \\\""};
        if (c == '\\') {
            if (i + 2 >= value.size() || (value[i + 1] != '\\' && value[i + 1] != '"')) {
                return Error{"only \\\\ and \\\" are escapes in a text"};
            }
            c = value[++i];
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return Error{"a text cannot hold control characters"};
        }
        text += c;
    }
    std::u16string wide = Utf8ToUtf16(text);
    if (Utf16ToUtf8(wide) != text) return Error{"the text is not valid UTF-8"};
    return wide;
}

Result<int64_t> ReadNumber(std::string_view value, const DevModeField& field) {
    int64_t number = 0;
    const char* begin = value.data();
    const char* end = value.data() + value.size();
    const bool digitsOnly = !value.empty() && (value[0] != '-' || field.isSigned);
    const auto [stop, ec] = std::from_chars(begin, end, number);
    if (!digitsOnly || ec == std::errc::invalid_argument || stop != end) {
        return Error{"the field takes a decimal number from " + std::to_string(field.low) + " to " +
                     std::to_string(field.high)};
    }
    if (ec == std::errc::result_out_of_range || number < field.low || number > field.high) {
        return Error{"the value is outside " + std::to_string(field.low) + ".." +
                     std::to_string(field.high)};
    }
    return number;
}

Result<std::vector<uint8_t>> ReadByteText(std::string_view value, size_t capacity) {
    for (const char c : value) {
        if (!IsHexCommandCharacter(static_cast<unsigned char>(c))) {
            return Error{"the field takes hexadecimal bytes such as 1D 56 42 00"};
        }
    }
    std::vector<uint8_t> bytes = ParseHexCommand(value);
    if (bytes.size() > capacity) {
        return Error{"the field holds at most " + std::to_string(capacity) + " bytes, not " +
                     std::to_string(bytes.size())};
    }
    return bytes;
}

Result<bool> Store(uint8_t* record, const DevModeField& field, std::string_view value) {
    switch (field.kind) {
    case FieldKind::kHeader: return Error{"the record's header is not set by name"};
    case FieldKind::kNumber: {
        const auto number = ReadNumber(value, field);
        if (!number) return Error{number.error()};
        if (field.width == 1) {
            record[field.offset] = static_cast<uint8_t>(*number);
        } else {
            StoreU32(record + field.offset, static_cast<uint32_t>(*number));
        }
        if (field.alsoX8Offset != 0) {
            StoreU32(record + field.alsoX8Offset, static_cast<uint32_t>(*number * 8));
        }
        return true;
    }
    case FieldKind::kText: {
        const auto text = ReadQuotedText(value);
        if (!text) return Error{text.error()};
        if (text->size() > field.maxLength) {
            return Error{"the field holds at most " + std::to_string(field.maxLength) +
                         " characters, not " + std::to_string(text->size())};
        }
        uint8_t* units = record + field.offset;
        std::memset(units, 0, field.width * 2);
        for (size_t i = 0; i < text->size(); ++i) {
            units[2 * i] = static_cast<uint8_t>((*text)[i] & 0xFF);
            units[2 * i + 1] = static_cast<uint8_t>((*text)[i] >> 8);
        }
        return true;
    }
    case FieldKind::kBytes:
    case FieldKind::kCommand: {
        // A command is held to what the event dialog would store: 128 bytes from a text of
        // at most 399 characters.
        if (field.kind == FieldKind::kCommand && value.size() > kCommandTextMax) {
            return Error{"a command text is at most 399 characters long"};
        }
        const auto bytes = ReadByteText(value, field.width);
        if (!bytes) return Error{bytes.error()};
        std::memset(record + field.offset, 0, field.width);
        if (!bytes->empty()) std::memcpy(record + field.offset, bytes->data(), bytes->size());
        if (field.kind == FieldKind::kCommand) {
            record[field.countOffset] = static_cast<uint8_t>(bytes->size());
        }
        return true;
    }
    }
    return Error{"the field cannot be set"};
}

// An assignment as a message quotes it: a long value is cut short.
std::string Quoted(std::string_view assignment) {
    constexpr size_t kShown = 60;
    if (assignment.size() <= kShown) return std::string(assignment);
    return std::string(assignment.substr(0, kShown)) + "...";
}

}  // namespace

std::span<const DevModeField> DevModeFields() {
    static const std::vector<DevModeField> table = BuildTable();
    return table;
}

const DevModeField* FindDevModeField(std::string_view name) {
    for (const auto& field : DevModeFields()) {
        if (field.name == name) return &field;
    }
    return nullptr;
}

std::optional<ui::NumberRange> NumberFieldRange(std::string_view name) {
    const DevModeField* field = FindDevModeField(name);
    if (field == nullptr || field->kind != FieldKind::kNumber) return std::nullopt;
    const auto end = [](int64_t value) {
        return static_cast<int32_t>(std::clamp(value, kI32Min, kI32Max));
    };
    return ui::NumberRange{end(field->low), end(field->high)};
}

Result<bool> ApplyDevModeAssignment(PrivateDevMode& record, std::string_view assignment) {
    const size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return Error{"\"" + Quoted(assignment) + "\" is not NAME=VALUE"};
    }
    const std::string_view name = assignment.substr(0, equals);
    const std::string_view value = assignment.substr(equals + 1);
    const DevModeField* field = FindDevModeField(name);
    if (field == nullptr) return Error{"unknown field \"" + Quoted(name) + "\""};

    PrivateDevMode changed = record;
    const auto stored = Store(reinterpret_cast<uint8_t*>(&changed), *field, value);
    if (!stored) return Error{Quoted(assignment) + ": " + stored.error()};
    record = changed;
    return true;
}

Result<bool> ApplyDevModeAssignments(PrivateDevMode& record,
                                     std::span<const std::string> assignments) {
    PrivateDevMode changed = record;
    for (const auto& assignment : assignments) {
        const auto applied = ApplyDevModeAssignment(changed, assignment);
        if (!applied) return applied;
    }
    record = changed;
    return true;
}

}  // namespace zr640

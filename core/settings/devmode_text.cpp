#include "core/settings/devmode_text.h"

#include <cstdio>
#include <string_view>

#include "core/common/bytes.h"
#include "core/common/text.h"

namespace zr640 {
namespace {

class FieldPrinter {
public:
    explicit FieldPrinter(std::string& out) : out_(out) {}

    void Number(std::string_view name, long long value) { Line(name, std::to_string(value)); }

    void Hex(std::string_view name, uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", value);
        Line(name, text);
    }

    void Text(std::string_view name, const char16_t* field, size_t capacity) {
        std::string quoted = "\"";
        for (char c : Utf16ToUtf8(FieldText(field, capacity))) {
            if (c == '"' || c == '\\') quoted += '\\';
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(c));
                quoted += escaped;
                continue;
            }
            quoted += c;
        }
        Line(name, quoted + "\"");
    }

    // Byte arrays as hexadecimal up to their last non-zero byte.
    void Bytes(std::string_view name, const uint8_t* data, size_t size) {
        size_t used = size;
        while (used > 0 && data[used - 1] == 0) --used;
        std::string hex;
        for (size_t i = 0; i < used; ++i) {
            char digits[4];
            std::snprintf(digits, sizeof digits, "%02X", data[i]);
            if (!hex.empty()) hex += ' ';
            hex += digits;
        }
        Line(name, hex);
    }

private:
    void Line(std::string_view name, const std::string& value) {
        out_.append(name).append(" = ").append(value).append("\n");
    }

    std::string& out_;
};

template <typename Block>
void DescribeEvent(FieldPrinter& p, const std::string& prefix, const Block& e) {
    p.Number(prefix + ".bSendCommand", e.bSendCommand);
    p.Number(prefix + ".bFeedToCut", e.bFeedToCut);
    p.Bytes(prefix + ".abCommand", e.abCommand, sizeof e.abCommand);
    p.Number(prefix + ".cbCommand", e.cbCommand);
    p.Number(prefix + ".bCashDrawer", e.bCashDrawer);
    p.Number(prefix + ".bPaperCut", e.bPaperCut);
    p.Number(prefix + ".bFeedMm", e.bFeedMm);
    p.Number(prefix + ".bBuzzerVolume", e.bBuzzerVolume);
    p.Number(prefix + ".bMessenger", e.bMessenger);
    p.Number(prefix + ".dwDrawerOrMessenger", e.dwDrawerOrMessenger);
    p.Number(prefix + ".bBuzzer", e.bBuzzer);
    p.Number(prefix + ".bLogo", e.bLogo);
    p.Number(prefix + ".bLogoAlign", e.bLogoAlign);
    p.Number(prefix + ".bLogoPosition", e.bLogoPosition);
}

void DescribeBarcode1D(FieldPrinter& p, const std::string& prefix, const Barcode1DSettings& b) {
    p.Number(prefix + ".bType", b.bType);
    p.Number(prefix + ".bElementWidth", b.bElementWidth);
    p.Number(prefix + ".dwElementHeight", b.dwElementHeight);
    p.Number(prefix + ".bHriPosition", b.bHriPosition);
    p.Number(prefix + ".bHriFont", b.bHriFont);
    p.Number(prefix + ".dwElementWidthX8", b.dwElementWidthX8);
    p.Number(prefix + ".dwSymbolHeight", b.dwSymbolHeight);
    p.Number(prefix + ".bGs1ElementWidth", b.bGs1ElementWidth);
    p.Number(prefix + ".dwGs1RowHeight", b.dwGs1RowHeight);
    p.Number(prefix + ".dwGs1RowHeight2D", b.dwGs1RowHeight2D);
    p.Number(prefix + ".bGs1SeparatorHeight", b.bGs1SeparatorHeight);
    p.Number(prefix + ".bGs1Hri", b.bGs1Hri);
    p.Number(prefix + ".bGs1Ai", b.bGs1Ai);
}

void DescribeBarcode2D(FieldPrinter& p, const std::string& prefix, const Barcode2DSettings& b) {
    p.Number(prefix + ".bType", b.bType);
    p.Number(prefix + ".bPdfElementWidth", b.bPdfElementWidth);
    p.Number(prefix + ".bPdfElementHeight", b.bPdfElementHeight);
    p.Number(prefix + ".bPdfColumns", b.bPdfColumns);
    p.Number(prefix + ".bPdfRows", b.bPdfRows);
    p.Number(prefix + ".bPdfErrorLevel", b.bPdfErrorLevel);
    p.Number(prefix + ".bGs1ElementWidth", b.bGs1ElementWidth);
    p.Number(prefix + ".dwGs1RowHeight", b.dwGs1RowHeight);
    p.Number(prefix + ".dwGs1RowHeight2D", b.dwGs1RowHeight2D);
    p.Number(prefix + ".bGs1SeparatorHeight", b.bGs1SeparatorHeight);
    p.Number(prefix + ".bGs1Segments", b.bGs1Segments);
    p.Number(prefix + ".bGs1Hri", b.bGs1Hri);
    p.Number(prefix + ".bGs1Ai", b.bGs1Ai);
    p.Number(prefix + ".bQrElementWidth", b.bQrElementWidth);
    p.Number(prefix + ".bQrLanguage", b.bQrLanguage);
    p.Number(prefix + ".bQrModel", b.bQrModel);
    p.Number(prefix + ".bQrErrorLevel", b.bQrErrorLevel);
}

}  // namespace

Result<PrivateDevMode> ReadDevModeRecord(std::span<const uint8_t> bytes,
                                         std::u16string_view systemDriveRoot) {
    if (bytes.size() < sizeof(DevModeExtraHeader)) {
        return Error{"not a settings record: " + std::to_string(bytes.size()) +
                     " bytes is shorter than the 12-byte header"};
    }
    ByteReader header(bytes);
    const uint32_t size = header.u32();
    const uint32_t signature = header.u32();
    if (signature != kPrivateDevModeSignature) {
        char text[96];
        std::snprintf(text, sizeof text, "not a settings record: signature 0x%08X, expected 0x%08X",
                      signature, kPrivateDevModeSignature);
        return Error{text};
    }
    if (size < sizeof(DevModeExtraHeader) || size > bytes.size()) {
        return Error{"damaged settings record: the header claims " + std::to_string(size) +
                     " bytes, the file holds " + std::to_string(bytes.size())};
    }
    PrivateDevMode record;
    record.dmExtraHeader = {kPrivateDevModeSize, kPrivateDevModeSignature, kPrivateDevModeVersion};
    ConvertDevMode(bytes, record, systemDriveRoot);
    // Show the record as stored, header included, not as conversion repaired it.
    record.dmExtraHeader.dwSize = size;
    record.dmExtraHeader.dwVersion = LoadU32(bytes.data() + 8);
    return record;
}

std::string DescribeDevMode(const PrivateDevMode& r) {
    std::string out;
    FieldPrinter p(out);
    p.Number("dwSize", r.dmExtraHeader.dwSize);
    p.Hex("dwSignature", r.dmExtraHeader.dwSignature);
    p.Number("dwVersion", r.dmExtraHeader.dwVersion);
    p.Number("dwReservedLevel", r.dwReservedLevel);
    DescribeEvent(p, "startDoc", r.startDoc);
    DescribeEvent(p, "startPage", r.startPage);
    DescribeEvent(p, "endDoc", r.endDoc);
    DescribeEvent(p, "endPage", r.endPage);
    for (int k = 0; k < 8; ++k)
        DescribeBarcode1D(p, "barcode1D[" + std::to_string(k) + "]", r.barcode1D[k]);
    for (int j = 0; j < 2; ++j)
        DescribeBarcode2D(p, "barcode2D[" + std::to_string(j) + "]", r.barcode2D[j]);
    p.Number("bReserved", r.bReserved);
    p.Bytes("abReservedA", r.abReservedA, sizeof r.abReservedA);
    p.Bytes("abReservedB", r.abReservedB, sizeof r.abReservedB);
    p.Number("bPrintAsImage", r.bPrintAsImage);
    p.Text("wszWatermarkBitmap", r.wszWatermarkBitmap, std::size(r.wszWatermarkBitmap));
    p.Number("bWatermarkType", r.bWatermarkType);
    p.Text("wszWatermarkText", r.wszWatermarkText, std::size(r.wszWatermarkText));
    p.Text("wszWatermarkFont", r.wszWatermarkFont, std::size(r.wszWatermarkFont));
    p.Number("bWatermarkFontSize", r.bWatermarkFontSize);
    p.Number("bWatermarkFontStyle", r.bWatermarkFontStyle);
    p.Number("dwWatermarkAngle", r.dwWatermarkAngle);
    p.Number("bWatermarkPosition", r.bWatermarkPosition);
    p.Number("bWatermarkSize", r.bWatermarkSize);
    p.Number("bWatermarkBrightness", r.bWatermarkBrightness);
    p.Number("bZoomScale", r.bZoomScale);
    p.Number("bRotate180", r.bRotate180);
    p.Text("wszPaperName", r.wszPaperName, std::size(r.wszPaperName));
    p.Number("bZoom", r.bZoom);
    p.Number("bDriverLog", r.bDriverLog);
    p.Text("wszLogFolder", r.wszLogFolder, std::size(r.wszLogFolder));
    return out;
}

}  // namespace zr640

#include "core/barcode/test_print.h"

#include "core/barcode/barcode_types.h"
#include "core/barcode/data_check.h"

namespace zr640 {
namespace {

constexpr uint8_t kGs = 0x1D;
constexpr uint8_t kGs1BarcodeCode = 0x0D;  // 1D 6B 0D: GS1 DataBar with the 1D 73 settings
constexpr uint8_t kSixthGs1Parameter1D = 2;

uint8_t LowByte(uint32_t value) { return static_cast<uint8_t>(value); }

// The general group's settings: HRI font, HRI position, width, height and barcode.
ByteBlock GeneralCommand(const Barcode1DSettings& font, uint8_t m) {
    const uint8_t f = font.bHriFont != 0 ? 1 : 0;
    const uint8_t p = font.bHriPosition <= 3 ? font.bHriPosition : 0;
    return {kGs, 0x66, f,
            kGs, 0x48, p,
            kGs, 0x77, font.bElementWidth,
            kGs, 0x68, LowByte(font.dwElementHeight),
            kGs, 0x6B, m};
}

// GS1 DataBar always prints without the general group's HRI.
ByteBlock Gs1Command(uint8_t kind, uint8_t width, uint32_t rowHeight, uint32_t rowHeight2D,
                     uint8_t separator, uint8_t sixth, uint8_t hri, uint8_t ai) {
    return {kGs,
            0x66,
            0x00,
            kGs,
            0x48,
            0x00,
            kGs,
            0x73,
            kind,
            width,
            LowByte(rowHeight),
            LowByte(rowHeight2D),
            separator,
            sixth,
            hri,
            ai,
            kGs,
            0x6B,
            kGs1BarcodeCode};
}

void Finish(RawJob& job, std::vector<uint8_t> data) {
    job.blocks.push_back(std::move(data));
    job.blocks.push_back({0x00});
    job.blocks.push_back({kTestPrintTail.begin(), kTestPrintTail.end()});
}

ByteBlock Code2DCommand(const Barcode2DSettings& font, const Barcode2DType& type) {
    switch (type.group) {
    case Barcode2DGroup::kPdf417:
        return {kGs,
                0x70,
                0x01,
                0x01,
                font.bPdfRows,
                font.bPdfColumns,
                font.bPdfElementWidth,
                font.bPdfElementHeight,
                kGs,
                0x71,
                font.bPdfErrorLevel,
                kGs,
                0x6B,
                0x0A};
    case Barcode2DGroup::kGs1DataBar:
        return Gs1Command(type.gs1Kind, font.bGs1ElementWidth, font.dwGs1RowHeight,
                          font.dwGs1RowHeight2D, font.bGs1SeparatorHeight, font.bGs1Segments,
                          font.bGs1Hri, font.bGs1Ai);
    case Barcode2DGroup::kQrCode:
        return {kGs,
                0x6F,
                0x00,
                font.bQrElementWidth,
                font.bQrLanguage,
                font.bQrModel,
                kGs,
                0x6B,
                0x0B,
                QrErrorLetter(font.bQrErrorLevel),
                'A',
                ','};
    case Barcode2DGroup::kNone: break;
    }
    return {kGs, 0x71, 0x00, kGs, 0x6B, 0x0C};  // Maxi Code
}

}  // namespace

std::optional<std::vector<uint8_t>> CheckBarcode1DData(uint8_t bType,
                                                       std::span<const uint8_t> data) {
    const auto type = Barcode1DTypeOf(bType);
    if (!type) return std::nullopt;
    return CheckBarcodeData(type->ruleCode, data);
}

std::optional<std::vector<uint8_t>> CheckBarcode2DData(uint8_t bType,
                                                       std::span<const uint8_t> data) {
    const auto type = Barcode2DTypeOf(bType);
    if (!type) return std::nullopt;
    auto checked = CheckBarcodeData(type->ruleCode, data);
    if (checked && type->group == Barcode2DGroup::kGs1DataBar && checked->front() > 128) {
        return std::nullopt;
    }
    return checked;
}

uint8_t QrErrorLetter(uint8_t level) {
    constexpr uint8_t kLetters[] = {'L', 'M', 'H', 'Q'};
    return level < std::size(kLetters) ? kLetters[level] : uint8_t{'M'};
}

std::optional<RawJob> Barcode1DTestPrint(const Barcode1DSettings& font,
                                         std::span<const uint8_t> data) {
    const auto type = Barcode1DTypeOf(font.bType);
    if (!type) return std::nullopt;
    auto checked = CheckBarcodeData(type->ruleCode, data);
    if (!checked) return std::nullopt;

    RawJob job{std::u16string(kBarcodeDocument), {}};
    if (type->gs1()) {
        job.blocks.push_back(Gs1Command(type->gs1Kind, font.bGs1ElementWidth, font.dwGs1RowHeight,
                                        font.dwGs1RowHeight2D, font.bGs1SeparatorHeight,
                                        kSixthGs1Parameter1D, font.bGs1Hri, font.bGs1Ai));
    } else {
        const uint8_t m = type->printerCode;
        job.blocks.push_back(GeneralCommand(font, m));
        if (m == kCode93PrinterCode || m == kCode128PrinterCode) {
            // Code93 and Code128 take their data with a count in front: end the plain form
            // at once, then repeat the settings for the counted form.
            job.blocks.push_back({0x00});
            job.blocks.push_back({kGs, 0x77, font.bElementWidth, kGs, 0x68,
                                  LowByte(font.dwElementHeight), kGs, 0x6B, m});
            job.blocks.push_back({static_cast<uint8_t>(checked->size())});
        }
    }
    Finish(job, std::move(*checked));
    return job;
}

std::optional<RawJob> Barcode2DTestPrint(const Barcode2DSettings& font,
                                         std::span<const uint8_t> data) {
    const auto type = Barcode2DTypeOf(font.bType);
    if (!type) return std::nullopt;
    auto checked = CheckBarcode2DData(font.bType, data);
    if (!checked) return std::nullopt;

    RawJob job{std::u16string(kCode2DDocument), {Code2DCommand(font, *type)}};
    Finish(job, std::move(*checked));
    return job;
}

}  // namespace zr640

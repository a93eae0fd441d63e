#include "core/settings/private_devmode.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/common/bytes.h"

namespace zr640 {
namespace {

constexpr size_t kHeaderSize = sizeof(DevModeExtraHeader);

// Printer fonts "1D Code1".."1D Code8" default to these symbologies; EAN8 (2) is skipped.
constexpr uint8_t kDefault1DTypes[8] = {0, 1, 3, 4, 5, 6, 7, 8};

void SetHeader(PrivateDevMode& out) {
    out.dmExtraHeader.dwSize = kPrivateDevModeSize;
    out.dmExtraHeader.dwSignature = kPrivateDevModeSignature;
    out.dmExtraHeader.dwVersion = kPrivateDevModeVersion;
}

void DefaultBarcode1D(Barcode1DSettings& b, uint8_t type) {
    b.bType = type;
    b.bElementWidth = 3;
    b.dwElementHeight = 163;
    b.dwElementWidthX8 = 24;
    b.dwSymbolHeight = 163;
    b.bGs1ElementWidth = 2;
    b.dwGs1RowHeight = 100;
    b.dwGs1RowHeight2D = 2;
    b.bGs1SeparatorHeight = 1;
    b.bGs1Hri = 1;
    b.bGs1Ai = 1;
}

void DefaultBarcode2D(Barcode2DSettings& b) {
    b.bPdfElementWidth = 3;
    b.bPdfElementHeight = 3;
    b.bPdfColumns = 3;
    b.bPdfRows = 3;
    b.bPdfErrorLevel = 5;
    b.bGs1ElementWidth = 2;
    b.dwGs1RowHeight = 100;
    b.dwGs1RowHeight2D = 2;
    b.bGs1SeparatorHeight = 2;
    b.bGs1Segments = 4;
    b.bGs1Hri = 1;
    b.bGs1Ai = 1;
    b.bQrElementWidth = 3;
    b.bQrModel = 1;
    b.bQrErrorLevel = 1;
}

}  // namespace

std::u16string_view DriveRootOf(std::u16string_view systemDirectory) {
    return systemDirectory.substr(0, 3);
}

void FillDefaultBody(PrivateDevMode& out, std::u16string_view systemDriveRoot) {
    auto* bytes = reinterpret_cast<uint8_t*>(&out);
    std::memset(bytes + kHeaderSize, 0, sizeof out - kHeaderSize);

    out.startDoc.bCashDrawer = 12;  // drawers 1 and 2, 60 ms
    out.endDoc.bFeedToCut = 1;
    out.endDoc.bPaperCut = 1;  // partial cut
    for (size_t k = 0; k < 8; ++k) DefaultBarcode1D(out.barcode1D[k], kDefault1DTypes[k]);
    for (auto& b : out.barcode2D) DefaultBarcode2D(b);

    out.bWatermarkFontSize = 50;
    out.dwWatermarkAngle = 45;
    out.bWatermarkPosition = 4;  // Center-Middle
    out.bWatermarkSize = 100;
    out.bWatermarkBrightness = 50;
    out.bZoomScale = 100;

    // Both parts are short (a drive root and a fixed tail), but the field is what bounds
    // the copy, so a strange root can never run past it.
    std::u16string folder(DriveRootOf(systemDriveRoot));
    folder += kLogFolderTail;
    const size_t n = std::min(folder.size(), std::size(out.wszLogFolder) - 1);
    std::copy_n(folder.begin(), n, out.wszLogFolder);
}

void FillDefaultDevMode(PrivateDevMode& out, std::u16string_view systemDriveRoot) {
    SetHeader(out);
    FillDefaultBody(out, systemDriveRoot);
}

void ConvertDevMode(std::span<const uint8_t> in, PrivateDevMode& out,
                    std::u16string_view systemDriveRoot) {
    // The input may be the output itself: keep what can be taken over before the body is
    // overwritten with defaults.
    std::array<uint8_t, kPrivateDevModeSize> saved{};
    const size_t available = std::min<size_t>(in.size(), kPrivateDevModeSize);
    std::copy_n(in.begin(), available, saved.begin());

    const uint32_t outSizeBefore = out.dmExtraHeader.dwSize;
    const uint32_t outSignature = out.dmExtraHeader.dwSignature;

    FillDefaultBody(out, systemDriveRoot);

    if (available >= kHeaderSize && LoadU32(saved.data() + 4) == outSignature) {
        const uint32_t inSize = LoadU32(saved.data());
        const size_t n =
            std::min({static_cast<size_t>(outSizeBefore), static_cast<size_t>(inSize), available});
        std::memcpy(&out, saved.data(), n);
        out.dmExtraHeader.dwSize = kPrivateDevModeSize;
        out.dmExtraHeader.dwVersion = kPrivateDevModeVersion;
    } else {
        SetHeader(out);
    }
}

void MergeDevMode(std::span<const uint8_t> in, PrivateDevMode& out,
                  std::u16string_view systemDriveRoot) {
    ConvertDevMode(in, out, systemDriveRoot);
    SetHeader(out);
    if (out.dwReservedLevel > 100) out.dwReservedLevel = 0;
}

}  // namespace zr640

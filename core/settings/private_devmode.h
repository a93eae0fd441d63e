// The plug-in's private extension of the driver's DEVMODE: 1976 bytes that the rendering
// side of the driver reads back while printing. Every offset, padding byte and default
// below is part of that stored format, so the record is declared byte-packed and each
// field's offset is pinned by a static_assert.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zr640 {

static_assert(std::endian::native == std::endian::little,
              "the settings record is stored little-endian and accessed in place");

constexpr uint32_t kPrivateDevModeSize = 1976;
constexpr uint32_t kPrivateDevModeSignature = 0x323130;  // "012\0" in memory order
constexpr uint32_t kPrivateDevModeVersion = 1;

// The platform's OEM_DMEXTRAHEADER, repeated here so the core stays free of <windows.h>.
struct DevModeExtraHeader {
    uint32_t dwSize;
    uint32_t dwSignature;
    uint32_t dwVersion;
};

// One printing moment's operations. The three blocks hold the same fields; they differ only
// in where the buzzer volume and the padding fall, which the stored format fixes. The
// blocks start at odd offsets (161), so they alone are byte-packed; everything else in the
// record sits at its natural alignment.
#pragma pack(push, 1)
struct EventOperationA {  // startDoc
    uint8_t bSendCommand;
    uint8_t bFeedToCut;
    uint8_t abCommand[128];
    uint8_t cbCommand;
    uint8_t bCashDrawer;
    uint8_t bPaperCut;
    uint8_t bFeedMm;
    uint8_t bMessenger;
    uint8_t padding1;
    uint32_t dwDrawerOrMessenger;
    uint8_t bBuzzerVolume;
    uint8_t bBuzzer;
    uint8_t bLogo;
    uint8_t bLogoAlign;
    uint8_t bLogoPosition;
};

struct EventOperationB {  // startPage
    uint8_t bSendCommand;
    uint8_t bFeedToCut;
    uint8_t abCommand[128];
    uint8_t cbCommand;
    uint8_t bCashDrawer;
    uint8_t bPaperCut;
    uint8_t bFeedMm;
    uint8_t bBuzzerVolume;
    uint8_t bMessenger;
    uint8_t padding1[3];
    uint32_t dwDrawerOrMessenger;
    uint8_t bBuzzer;
    uint8_t bLogo;
    uint8_t bLogoAlign;
    uint8_t bLogoPosition;
};

struct EventOperationC {  // endDoc, endPage
    uint8_t bSendCommand;
    uint8_t bFeedToCut;
    uint8_t abCommand[128];
    uint8_t cbCommand;
    uint8_t bCashDrawer;
    uint8_t bPaperCut;
    uint8_t bFeedMm;
    uint8_t bBuzzerVolume;
    uint8_t bMessenger;
    uint32_t dwDrawerOrMessenger;
    uint8_t bBuzzer;
    uint8_t bLogo;
    uint8_t bLogoAlign;
    uint8_t bLogoPosition;
};

#pragma pack(pop)

struct Barcode1DSettings {
    uint8_t bType;
    uint8_t bElementWidth;
    uint8_t padding1[2];
    uint32_t dwElementHeight;
    uint8_t bHriPosition;
    uint8_t bHriFont;
    uint8_t padding2[2];
    uint32_t dwElementWidthX8;
    uint32_t dwSymbolHeight;
    uint8_t bGs1ElementWidth;
    uint8_t padding3[3];
    uint32_t dwGs1RowHeight;
    uint32_t dwGs1RowHeight2D;
    uint8_t bGs1SeparatorHeight;
    uint8_t bGs1Hri;
    uint8_t bGs1Ai;
    uint8_t padding4;
};

struct Barcode2DSettings {
    uint8_t bType;
    uint8_t bPdfElementWidth;
    uint8_t bPdfElementHeight;
    uint8_t bPdfColumns;
    uint8_t bPdfRows;
    uint8_t bPdfErrorLevel;
    uint8_t bGs1ElementWidth;
    uint8_t padding1;
    uint32_t dwGs1RowHeight;
    uint32_t dwGs1RowHeight2D;
    uint8_t bGs1SeparatorHeight;
    uint8_t bGs1Segments;
    uint8_t bGs1Hri;
    uint8_t bGs1Ai;
    uint8_t bQrElementWidth;
    uint8_t bQrLanguage;
    uint8_t bQrModel;
    uint8_t bQrErrorLevel;
};

struct PrivateDevMode {
    DevModeExtraHeader dmExtraHeader;
    int32_t dwReservedLevel;
    EventOperationA startDoc;
    EventOperationB startPage;
    EventOperationC endDoc;
    EventOperationC endPage;
    Barcode1DSettings barcode1D[8];
    Barcode2DSettings barcode2D[2];
    uint8_t bReserved;
    uint8_t padding1;
    uint8_t abReservedA[32];
    uint8_t abReservedB[32];
    uint8_t bPrintAsImage;
    uint8_t padding2;
    char16_t wszWatermarkBitmap[125];
    uint8_t bWatermarkType;
    uint8_t padding3;
    char16_t wszWatermarkText[16];
    char16_t wszWatermarkFont[50];
    uint8_t bWatermarkFontSize;
    uint8_t bWatermarkFontStyle;
    uint8_t padding4[2];
    uint32_t dwWatermarkAngle;
    uint8_t bWatermarkPosition;
    uint8_t bWatermarkSize;
    uint8_t bWatermarkBrightness;
    uint8_t bZoomScale;
    uint8_t bRotate180;
    uint8_t padding5;
    char16_t wszPaperName[32];
    uint8_t bZoom;
    uint8_t bDriverLog;
    char16_t wszLogFolder[256];
};

static_assert(sizeof(EventOperationA) == 145);
static_assert(sizeof(EventOperationB) == 147);
static_assert(sizeof(EventOperationC) == 144);
static_assert(offsetof(EventOperationA, bBuzzerVolume) == 140);
static_assert(offsetof(EventOperationA, bMessenger) == 134);
static_assert(offsetof(EventOperationA, dwDrawerOrMessenger) == 136);
static_assert(offsetof(EventOperationA, bLogoPosition) == 144);
static_assert(offsetof(EventOperationB, bBuzzerVolume) == 134);
static_assert(offsetof(EventOperationB, dwDrawerOrMessenger) == 139);
static_assert(offsetof(EventOperationB, bLogoPosition) == 146);
static_assert(offsetof(EventOperationC, bBuzzerVolume) == 134);
static_assert(offsetof(EventOperationC, dwDrawerOrMessenger) == 136);
static_assert(offsetof(EventOperationC, bBuzzer) == 140);
static_assert(offsetof(EventOperationC, bLogoPosition) == 143);
static_assert(sizeof(Barcode1DSettings) == 36);
static_assert(offsetof(Barcode1DSettings, dwElementHeight) == 4);
static_assert(offsetof(Barcode1DSettings, bHriPosition) == 8);
static_assert(offsetof(Barcode1DSettings, dwElementWidthX8) == 12);
static_assert(offsetof(Barcode1DSettings, dwSymbolHeight) == 16);
static_assert(offsetof(Barcode1DSettings, bGs1ElementWidth) == 20);
static_assert(offsetof(Barcode1DSettings, dwGs1RowHeight) == 24);
static_assert(offsetof(Barcode1DSettings, dwGs1RowHeight2D) == 28);
static_assert(offsetof(Barcode1DSettings, bGs1SeparatorHeight) == 32);
static_assert(offsetof(Barcode1DSettings, bGs1Ai) == 34);
static_assert(sizeof(Barcode2DSettings) == 24);
static_assert(offsetof(Barcode2DSettings, dwGs1RowHeight) == 8);
static_assert(offsetof(Barcode2DSettings, dwGs1RowHeight2D) == 12);
static_assert(offsetof(Barcode2DSettings, bGs1SeparatorHeight) == 16);
static_assert(offsetof(Barcode2DSettings, bQrElementWidth) == 20);
static_assert(offsetof(Barcode2DSettings, bQrErrorLevel) == 23);
static_assert(offsetof(PrivateDevMode, dwReservedLevel) == 12);
static_assert(offsetof(PrivateDevMode, startDoc) == 16);
static_assert(offsetof(PrivateDevMode, startPage) == 161);
static_assert(offsetof(PrivateDevMode, endDoc) == 308);
static_assert(offsetof(PrivateDevMode, endPage) == 452);
static_assert(offsetof(PrivateDevMode, barcode1D) == 596);
static_assert(offsetof(PrivateDevMode, barcode2D) == 884);
static_assert(offsetof(PrivateDevMode, bReserved) == 932);
static_assert(offsetof(PrivateDevMode, abReservedA) == 934);
static_assert(offsetof(PrivateDevMode, abReservedB) == 966);
static_assert(offsetof(PrivateDevMode, bPrintAsImage) == 998);
static_assert(offsetof(PrivateDevMode, wszWatermarkBitmap) == 1000);
static_assert(offsetof(PrivateDevMode, bWatermarkType) == 1250);
static_assert(offsetof(PrivateDevMode, wszWatermarkText) == 1252);
static_assert(offsetof(PrivateDevMode, wszWatermarkFont) == 1284);
static_assert(offsetof(PrivateDevMode, bWatermarkFontSize) == 1384);
static_assert(offsetof(PrivateDevMode, bWatermarkFontStyle) == 1385);
static_assert(offsetof(PrivateDevMode, dwWatermarkAngle) == 1388);
static_assert(offsetof(PrivateDevMode, bWatermarkPosition) == 1392);
static_assert(offsetof(PrivateDevMode, bZoomScale) == 1395);
static_assert(offsetof(PrivateDevMode, bRotate180) == 1396);
static_assert(offsetof(PrivateDevMode, wszPaperName) == 1398);
static_assert(offsetof(PrivateDevMode, bZoom) == 1462);
static_assert(offsetof(PrivateDevMode, bDriverLog) == 1463);
static_assert(offsetof(PrivateDevMode, wszLogFolder) == 1464);
static_assert(sizeof(PrivateDevMode) == kPrivateDevModeSize);

// The log folder default: the system drive root (for example "C:\") + "RZKDriverlog\ZR640".
constexpr std::u16string_view kLogFolderTail = u"RZKDriverlog\\ZR640";

// Sets every byte of the record: header, the defaults of every field, zeros elsewhere.
// systemDriveRoot is the first three characters of the system directory.
void FillDefaultDevMode(PrivateDevMode& out, std::u16string_view systemDriveRoot);

// Sets every byte behind the header to its default; the header is left as it is.
void FillDefaultBody(PrivateDevMode& out, std::u16string_view systemDriveRoot);

// Converts an incoming record of unknown origin into out. `in` holds the bytes the caller
// can vouch for (a record from an older driver may be shorter than 1976 bytes). When the
// signatures match, the first min(out.dwSize before the call, in.dwSize, in.size(), 1976)
// bytes are taken over and the rest keeps its defaults; otherwise out is the defaults.
// `in` may alias `out`: the input is copied before the output is written.
void ConvertDevMode(std::span<const uint8_t> in, PrivateDevMode& out,
                    std::u16string_view systemDriveRoot);

// Convert, then repair the header and reset an out-of-range reserved level.
void MergeDevMode(std::span<const uint8_t> in, PrivateDevMode& out,
                  std::u16string_view systemDriveRoot);

// Takes the drive root (the first three characters) out of a system directory path.
std::u16string_view DriveRootOf(std::u16string_view systemDirectory);

inline std::span<const uint8_t> BytesOf(const PrivateDevMode& record) {
    return {reinterpret_cast<const uint8_t*>(&record), sizeof record};
}

}  // namespace zr640

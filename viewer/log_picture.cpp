#include "viewer/log_picture.h"

#include <filesystem>
#include <limits>
#include <string>

#include "win32/wide_text.h"

namespace zr640viewer {

using namespace zr640::win;  // the handle owners

zr640::Result<zr640::LogPicture> RenderLogFile(const std::wstring& printFile,
                                               const std::wstring& bitmapFile,
                                               const zr640::LineGeometry& geometry) {
    // Read sharing only: a print file that the driver is still writing is not opened.
    const ScopedFile file(CreateFileW(printFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return zr640::Error{"cannot open " + zr640::win::Utf8FromWide(printFile)};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        return zr640::Error{"cannot size " + zr640::win::Utf8FromWide(printFile)};
    if (size.QuadPart == 0) return zr640::Error{"the print file is empty"};
    if (static_cast<uint64_t>(size.QuadPart) > std::numeric_limits<size_t>::max()) {
        return zr640::Error{"the print file does not fit the address space"};
    }
    const ScopedKernelObject mapping(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return zr640::Error{"cannot map " + zr640::win::Utf8FromWide(printFile)};
    const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return zr640::Error{"cannot map " + zr640::win::Utf8FromWide(printFile)};
    const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(view.get()),
                                         static_cast<size_t>(size.QuadPart));

    const auto scanned = zr640::ScanPrintFile(bytes, geometry);
    if (!scanned) return scanned;
    if (scanned->height > kTallestShownPicture) {
        return zr640::Error{"a picture of " + std::to_string(scanned->height) +
                            " rows is taller than the window can show"};
    }
    const std::filesystem::path inputs[] = {std::filesystem::path(printFile)};
    zr640::BitmapFile bitmap{std::filesystem::path(bitmapFile), inputs};
    if (!bitmap.opened()) return zr640::Error{bitmap.error()};
    auto picture = zr640::RenderPrintFile(bytes, geometry, bitmap);
    if (!picture) return picture;
    if (const auto committed = bitmap.Commit(); !committed) return zr640::Error{committed.error()};
    return picture;
}

}  // namespace zr640viewer

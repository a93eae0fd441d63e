#include "viewer/log_picture.h"

#include <limits>

#include "viewer/wide_text.h"

namespace zr640viewer {

BitmapFileW::BitmapFileW(std::wstring path)
    : path_(std::move(path)), temporary_(path_ + L".partial") {
    file_.Reset(CreateFileW(temporary_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

BitmapFileW::~BitmapFileW() {
    if (!file_) return;
    file_.Reset();
    DeleteFileW(temporary_.c_str());
}

bool BitmapFileW::WriteAt(uint64_t offset, std::span<const uint8_t> bytes) {
    if (!file_ || failed_) return false;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file_.get(), position, nullptr, FILE_BEGIN)) failed_ = true;
    size_t done = 0;
    while (!failed_ && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<size_t>(bytes.size() - done, std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        failed_ = !WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr) ||
                  written != chunk;
        done += written;
    }
    return !failed_;
}

bool BitmapFileW::Commit() {
    if (!file_) return false;
    const bool closed = CloseHandle(file_.Release()) != FALSE;
    if (failed_ || !closed ||
        !MoveFileExW(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temporary_.c_str());
        return false;
    }
    return true;
}

zr640::Result<zr640::LogPicture> RenderLogFile(const std::wstring& printFile,
                                               const std::wstring& bitmapFile,
                                               const zr640::LineGeometry& geometry) {
    // Read sharing only: a print file that the driver is still writing is not opened.
    const ScopedFile file(CreateFileW(printFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return zr640::Error{"cannot open " + Narrow(printFile)};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return zr640::Error{"cannot size " + Narrow(printFile)};
    if (size.QuadPart == 0) return zr640::Error{"the print file is empty"};
    if (static_cast<uint64_t>(size.QuadPart) > std::numeric_limits<size_t>::max()) {
        return zr640::Error{"the print file does not fit the address space"};
    }
    const ScopedKernelObject mapping(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return zr640::Error{"cannot map " + Narrow(printFile)};
    const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return zr640::Error{"cannot map " + Narrow(printFile)};
    const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(view.get()),
                                         static_cast<size_t>(size.QuadPart));

    BitmapFileW bitmap(bitmapFile);
    if (!bitmap.opened()) return zr640::Error{"cannot create " + Narrow(bitmapFile)};
    auto picture = zr640::RenderPrintFile(bytes, geometry, bitmap);
    if (!picture) return picture;
    if (!bitmap.Commit()) return zr640::Error{"cannot write " + Narrow(bitmapFile)};
    return picture;
}

}  // namespace zr640viewer

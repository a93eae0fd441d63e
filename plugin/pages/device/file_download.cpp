#include "plugin/pages/device/file_download.h"

#include "core/printer/download_rules.h"
#include "win32/handles.h"

namespace zr640ui {

FileDownloadResult DownloadFile(zr640::Spooler& spooler, const std::wstring& path) {
    // Readers may share the file; a writer could change it under the mapping, so none may.
    const zr640::win::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                                                  nullptr));
    if (!file) return {zr640::kDownloadError1, false};
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0)
        return {zr640::kDownloadError8, false};
    const auto length = static_cast<uint64_t>(size.QuadPart);
    if (length >= zr640::kLargestFileToDownload) return {zr640::kDownloadError9, false};
    if (length == 0) {  // an empty file cannot be mapped; its one block is empty
        const zr640::BlockView empty[] = {{}};
        return {std::nullopt, zr640::SendRawJob(spooler, zr640::kFirmwareDocument, empty)};
    }
    const zr640::win::ScopedKernelObject mapping(
        CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping) return {zr640::kDownloadError9, false};
    const zr640::win::ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view) return {zr640::kDownloadError9, false};
    const zr640::BlockView whole[] = {
        {static_cast<const uint8_t*>(view.get()), static_cast<size_t>(length)}};
    return {std::nullopt, zr640::SendRawJob(spooler, zr640::kFirmwareDocument, whole)};
}

}  // namespace zr640ui

// file_io on Windows: CreateFileW with CREATE_NEW, positioned WriteFile, FlushFileBuffers and
// MoveFileExW, all with the paths' own UTF-16.
#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <string>

#include "core/common/file_io_platform.h"

namespace zr640::platform {
namespace {

std::string Reason(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "no such file";
    case ERROR_ACCESS_DENIED: return "access denied";
    case ERROR_SHARING_VIOLATION: return "the file is in use";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "the disk is full";
    default: return "system error " + std::to_string(error);
    }
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// Opens anything that exists, folders included, for looking at it only.
HANDLE OpenToExamine(const std::filesystem::path& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

Result<FileFacts> FactsOf(HANDLE file, const std::filesystem::path& path) {
    FileFacts facts;
    switch (GetFileType(file)) {
    case FILE_TYPE_DISK: break;
    case FILE_TYPE_CHAR: facts.kind = FileKind::kDevice; return facts;
    case FILE_TYPE_PIPE: facts.kind = FileKind::kFifo; return facts;
    default: facts.kind = FileKind::kOther; return facts;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!GetFileInformationByHandle(file, &info)) {
        return Error{"cannot examine " + PathText(path) + ": " + Reason(GetLastError())};
    }
    facts.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kDirectory
                                                                         : FileKind::kRegular;
    facts.identity = {info.dwVolumeSerialNumber,
                      uint64_t{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
    return facts;
}

}  // namespace

Result<FileFacts> Examine(const std::filesystem::path& path) {
    const HANDLE file = OpenToExamine(path, FILE_READ_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return FileFacts{};
        return Error{"cannot examine " + PathText(path) + ": " + Reason(error)};
    }
    auto facts = FactsOf(file, path);
    CloseHandle(file);
    return facts;
}

Result<std::vector<uint8_t>> ReadRegularFile(const std::filesystem::path& path, uint64_t maxBytes) {
    const HANDLE file = OpenToExamine(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        return Error{"cannot open " + PathText(path) + ": " + Reason(GetLastError())};
    }
    const auto facts = FactsOf(file, path);
    LARGE_INTEGER size = {};
    std::string refusal;
    if (!facts) {
        refusal = facts.error();
    } else if (facts->kind != FileKind::kRegular) {
        refusal =
            "cannot open " + PathText(path) + ": " + std::string(DescribeFileKind(facts->kind));
    } else if (!GetFileSizeEx(file, &size)) {
        refusal = "cannot read " + PathText(path) + ": " + Reason(GetLastError());
    } else if (static_cast<uint64_t>(size.QuadPart) > maxBytes) {
        refusal = "refused " + PathText(path) + ": the file is too large";
    }
    if (!refusal.empty()) {
        CloseHandle(file);
        return Error{refusal};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &read, nullptr) || read == 0) break;
        done += read;
    }
    CloseHandle(file);
    if (done != bytes.size()) {
        return Error{"cannot read " + PathText(path) + ": the file changed while it was read"};
    }
    return bytes;
}

uint64_t ProcessNumber() { return GetCurrentProcessId(); }

// Windows keeps no POSIX mode; the new file takes the folder's inherited security, as a file
// written afresh would.
Result<intptr_t> CreateExclusive(const std::filesystem::path& path, const std::filesystem::path*,
                                 bool& exists) {
    exists = false;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        exists = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return Error{Reason(error)};
    }
    return reinterpret_cast<intptr_t>(file);
}

bool WriteAt(intptr_t handle, uint64_t offset, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const uint64_t at = offset + done;
        OVERLAPPED where = {};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle), bytes.data() + done, chunk, &written, &where) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// The file grows as it is written; Windows needs no room claimed ahead for speed.
void Preallocate(intptr_t, uint64_t) {}

bool FlushAndClose(intptr_t handle, bool flush) {
    const bool flushed = !flush || FlushFileBuffers(AsHandle(handle)) != FALSE;
    const bool closed = CloseHandle(AsHandle(handle)) != FALSE;
    return flushed && closed;
}

void Close(intptr_t handle) { CloseHandle(AsHandle(handle)); }

Result<bool> Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    constexpr DWORD kFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!MoveFileExW(from.c_str(), to.c_str(), kFlags)) {
        return Error{"cannot replace " + PathText(to) + ": " + Reason(GetLastError())};
    }
    return true;
}

void Remove(const std::filesystem::path& path) { DeleteFileW(path.c_str()); }

}  // namespace zr640::platform

#endif  // _WIN32

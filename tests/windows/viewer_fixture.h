// Helpers of the viewer's tests: scratch folders, files, the source tree and listing order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/windows/test_support.h"
#include "tools/oemhost/host_driver.h"

namespace wintest {

// A folder under the temporary folder (or under `parent`), emptied when made and removed
// afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name, std::wstring parent = {}) {
        if (parent.empty()) {
            wchar_t temp[MAX_PATH] = {};
            GetTempPathW(MAX_PATH, temp);
            parent = temp;
        }
        path_ = parent + name;
        RemoveTree(path_);
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring path = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path);
                } else {
                    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(path.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

private:
    std::wstring path_;
};

inline bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The whole file; empty when it cannot be read.
inline std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

inline bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in `folder` that match `pattern`, in the order the file system lists them.
inline std::vector<std::wstring> Listing(const std::wstring& folder, const std::wstring& pattern,
                                         bool folders) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name != L"." && name != L".." && isFolder == folders) names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The viewer program built beside the tests.
inline std::wstring ViewerProgram() { return oemhost::ProgramFolder() + L"RZKDriverlogViewer.exe"; }

}  // namespace wintest

namespace wintest {

// A print file of `pages` receipts of `linesPerPage` raster lines of 80 bytes, as the driver
// writes them: each line followed by a one-row feed, the last line of a receipt (blank) by the
// receipt's end. `seed` varies the dots.
inline std::vector<uint8_t> RasterLog(int pages, int linesPerPage, uint8_t seed) {
    std::vector<uint8_t> out{0x1B, 0x40};
    for (int page = 0; page < pages; ++page) {
        for (int line = 0; line < linesPerPage; ++line) {
            const bool last = line == linesPerPage - 1;
            out.push_back(0x16);
            out.push_back(80);
            for (int i = 0; i < 80; ++i) {
                out.push_back(last ? uint8_t{0}
                                   : static_cast<uint8_t>(seed + line * 7 + i * 13 + page));
            }
            if (last) {
                out.insert(out.end(), {0x15, 0x01, 0x1D, 0x44, 0x00});
            } else {
                out.insert(out.end(), {0x15, 0x01});
            }
        }
    }
    return out;
}

}  // namespace wintest

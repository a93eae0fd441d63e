#include "viewer/log_folder_access.h"

#include <windows.h>

#include "win32/handles.h"
#include "win32/wide_text.h"

namespace zr640viewer {

using namespace zr640::win;  // the handle owners

std::optional<std::vector<zr640::FolderEntry>> WindowsLogAccess::List(const std::string& folder,
                                                                      std::string_view pattern) {
    std::string query = folder;
    query += separator();
    query += pattern;
    WIN32_FIND_DATAW found;
    const ScopedFind search(FindFirstFileW(zr640::win::WideFromUtf8(query).c_str(), &found));
    if (!search) return std::nullopt;
    std::vector<zr640::FolderEntry> entries;
    do {
        entries.push_back({zr640::win::Utf8FromWide(found.cFileName),
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(search.get(), &found));
    return entries;
}

bool WindowsLogAccess::RemoveFile(const std::string& path) {
    return DeleteFileW(zr640::win::WideFromUtf8(path).c_str()) != FALSE;
}

}  // namespace zr640viewer

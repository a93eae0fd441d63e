// The log store's view of the file system on Windows: FindFirstFileW / FindNextFileW, so the
// patterns and the listing order are the system's, and DeleteFileW. The store's names and
// paths are UTF-8; they are widened for every call, so folders outside the system code page
// work.
#pragma once

#include "core/driverlog/log_store.h"

namespace zr640viewer {

class WindowsLogAccess final : public zr640::LogFolderAccess {
public:
    std::optional<std::vector<zr640::FolderEntry>> List(const std::string& folder,
                                                        std::string_view pattern) override;
    bool RemoveFile(const std::string& path) override;
};

}  // namespace zr640viewer

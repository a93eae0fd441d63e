// LogFolderAccess over std::filesystem, for the native tool and tests. Patterns are "*" or
// "*" followed by a suffix, matched without regard to ASCII case as Windows does.
#pragma once

#include "core/driverlog/log_store.h"

namespace zr640 {

class FileSystemLogAccess : public LogFolderAccess {
public:
    std::optional<std::vector<FolderEntry>> List(const std::string& folder,
                                                 std::string_view pattern) override;
    bool RemoveFile(const std::string& path) override;
    char separator() const override;
};

}  // namespace zr640

#include "core/driverlog/filesystem_log_access.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace zr640 {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool Matches(std::string_view name, std::string_view pattern) {
    if (pattern.empty() || pattern.front() != '*') return name == pattern;
    const std::string_view suffix = pattern.substr(1);
    if (name.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) { return Lower(a) == Lower(b); });
}

}  // namespace

std::optional<std::vector<FolderEntry>> FileSystemLogAccess::List(const std::string& folder,
                                                                  std::string_view pattern) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    std::vector<FolderEntry> entries;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (Matches(name, pattern)) entries.push_back(FolderEntry{name, it->is_directory(ec)});
    }
    if (ec) return std::nullopt;
    return entries;
}

bool FileSystemLogAccess::RemoveFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(path, ec) && !ec;
}

char FileSystemLogAccess::separator() const {
    return static_cast<char>(std::filesystem::path::preferred_separator);
}

}  // namespace zr640

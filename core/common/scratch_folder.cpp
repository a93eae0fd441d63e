#include "core/common/scratch_folder.h"

#include <algorithm>
#include <system_error>

#include "core/common/file_io.h"

namespace zr640 {
namespace {

constexpr int kAttempts = 64;

}  // namespace

ScratchFolder::ScratchFolder(std::filesystem::path parent, std::string prefix)
    : parent_(std::move(parent)), prefix_(std::move(prefix)) {}

ScratchFolder::~ScratchFolder() {
    if (folder_.empty()) return;
    std::error_code ignored;
    for (const auto& file : handedOut_) std::filesystem::remove(file, ignored);
    std::filesystem::remove(folder_, ignored);  // only when empty: nothing of anyone else's
}

bool ScratchFolder::Make() {
    if (!folder_.empty()) return true;
    std::error_code ec;
    std::filesystem::path parent = parent_;
    if (parent.empty()) parent = std::filesystem::temp_directory_path(ec);
    if (ec || parent.empty()) return false;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::filesystem::path candidate = parent / (prefix_ + "-" + UniqueNamePart());
        // create_directory is false for a name that is taken: that folder is not ours.
        if (std::filesystem::create_directory(candidate, ec) && !ec) {
            folder_ = std::move(candidate);
            return true;
        }
        if (ec && ec != std::errc::file_exists) return false;
    }
    return false;
}

std::filesystem::path ScratchFolder::NewFile(std::string_view stem, std::string_view extension) {
    if (!Make()) return {};
    std::string name(stem);
    name += std::to_string(next_++);
    name += extension;
    handedOut_.push_back(folder_ / name);
    return handedOut_.back();
}

void ScratchFolder::Remove(const std::filesystem::path& file) {
    const auto found = std::find(handedOut_.begin(), handedOut_.end(), file);
    if (found == handedOut_.end()) return;
    std::error_code ignored;
    std::filesystem::remove(*found, ignored);
}

}  // namespace zr640

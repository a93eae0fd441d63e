#include "core/common/scratch_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <random>
#include <system_error>

namespace zr640 {
namespace {

constexpr int kAttempts = 64;

// A name part that differs between processes and between folders of one process.
std::string UniquePart() {
    static std::atomic<uint64_t> counter{0};
    static const uint64_t seed = [] {
        std::random_device device;
        const auto now = static_cast<uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        return (uint64_t{device()} << 32 ^ device()) ^ now;
    }();
    std::mt19937_64 mix(seed + counter.fetch_add(1));
    constexpr char kDigits[] = "0123456789abcdef";
    std::string part;
    for (uint64_t value = mix(); part.size() < 12; value >>= 4) part += kDigits[value & 15];
    return part;
}

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
        std::filesystem::path candidate = parent / (prefix_ + "-" + UniquePart());
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

// The emulated printer's non-volatile logo store: the logos of the last download, numbered
// from 1, kept as downloaded, and its file, so the store outlives a run.
//
// The store file (little-endian):
//   "ZR640NVLOGOS" (12 bytes), version u32 = 1, logo count u32 (at most 255)
//   per logo: kind u8 (1 mono, 2 gray), three bytes 0, across u16 (X or W),
//             down u16 (Y or B), data size u32 = across x down x 8, the data
//   CRC-32 of everything before it, u32
// A file that does not follow this exactly (another version, a size that does not add up,
// a wrong check sum, bytes after the end) is refused as a whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <variant>
#include <vector>

#include "core/common/result.h"
#include "core/imaging/logo_pack.h"

namespace zr640::emulator {

// The most bytes of logo data the store holds: more than any download of the Download page.
inline constexpr uint64_t kLargestLogoStore = uint64_t{4} << 20;
inline constexpr size_t kMostLogos = 255;

using StoredLogo = std::variant<MonoLogo, GrayLogo>;

// The picture of a stored logo: dots (0, 1) of a mono logo, dot levels (0 to 15) of a gray one.
LogoPicture PictureOf(const StoredLogo& logo);
bool IsGray(const StoredLogo& logo);
size_t DataSizeOf(const StoredLogo& logo);

class LogoStore {
public:
    size_t size() const { return logos_.size(); }
    bool empty() const { return logos_.empty(); }
    // Logo `number` (from 1); nullptr when the store holds no such logo.
    const StoredLogo* Find(size_t number) const;

    // Replaces the whole store, as a download does.
    void Replace(std::vector<StoredLogo> logos) { logos_ = std::move(logos); }
    void Clear() { logos_.clear(); }

    std::vector<uint8_t> Save() const;
    static Result<LogoStore> Load(std::span<const uint8_t> file);

private:
    std::vector<StoredLogo> logos_;
};

// Reads a store file; a missing file is an empty store.
Result<LogoStore> LoadLogoStoreFile(const std::filesystem::path& path);
// Replaces the store file atomically (never a file that is not a regular file).
Result<bool> SaveLogoStoreFile(const std::filesystem::path& path, const LogoStore& store);

}  // namespace zr640::emulator

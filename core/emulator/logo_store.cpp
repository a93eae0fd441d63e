#include "core/emulator/logo_store.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>

#include "core/common/bytes.h"
#include "core/common/file_io.h"

namespace zr640::emulator {
namespace {

constexpr std::array<uint8_t, 12> kMagic = {'Z', 'R', '6', '4', '0', 'N',
                                            'V', 'L', 'O', 'G', 'O', 'S'};
constexpr uint32_t kVersion = 1;
constexpr uint8_t kMonoKind = 1;
constexpr uint8_t kGrayKind = 2;
// The header, the largest store and every logo's own header, with room to spare.
constexpr uint64_t kLargestStoreFile = kLargestLogoStore + 64 * 1024;

uint32_t CheckSum(std::span<const uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!bytes.empty()) {
        const auto chunk = static_cast<uInt>(std::min<size_t>(bytes.size(), 1u << 30));
        crc = crc32(crc, bytes.data(), chunk);
        bytes = bytes.subspan(chunk);
    }
    return static_cast<uint32_t>(crc);
}

Error Damaged(const std::string& what) {
    return Error{"the logo store file is damaged (" + what + ")"};
}

}  // namespace

LogoPicture PictureOf(const StoredLogo& logo) {
    if (const auto* gray = std::get_if<GrayLogo>(&logo)) return UnpackGrayLogo(*gray);
    return UnpackMonoLogo(std::get<MonoLogo>(logo));
}

bool IsGray(const StoredLogo& logo) { return std::holds_alternative<GrayLogo>(logo); }

size_t DataSizeOf(const StoredLogo& logo) {
    return std::visit([](const auto& l) { return l.data.size(); }, logo);
}

const StoredLogo* LogoStore::Find(size_t number) const {
    if (number == 0 || number > logos_.size()) return nullptr;
    return &logos_[number - 1];
}

std::vector<uint8_t> LogoStore::Save() const {
    std::vector<uint8_t> out;
    ByteWriter writer(out);
    writer.bytes(kMagic);
    writer.u32(kVersion);
    writer.u32(static_cast<uint32_t>(logos_.size()));
    for (const auto& logo : logos_) {
        if (const auto* gray = std::get_if<GrayLogo>(&logo)) {
            writer.u8(kGrayKind);
            writer.zeros(3);
            writer.u16(gray->bytesPerLine);
            writer.u16(gray->bands);
            writer.u32(static_cast<uint32_t>(gray->data.size()));
            writer.bytes(gray->data);
        } else {
            const auto& mono = std::get<MonoLogo>(logo);
            writer.u8(kMonoKind);
            writer.zeros(3);
            writer.u16(mono.bytesAcross);
            writer.u16(mono.bands);
            writer.u32(static_cast<uint32_t>(mono.data.size()));
            writer.bytes(mono.data);
        }
    }
    writer.u32(CheckSum(out));
    return out;
}

Result<LogoStore> LogoStore::Load(std::span<const uint8_t> file) {
    if (file.size() < kMagic.size() + 12) return Damaged("too short");
    if (!std::equal(kMagic.begin(), kMagic.end(), file.begin())) {
        return Error{"not a logo store file"};
    }
    const auto body = file.first(file.size() - 4);
    if (LoadU32(file.data() + body.size()) != CheckSum(body)) return Damaged("check sum");

    ByteReader reader(body);
    reader.skip(kMagic.size());
    if (const uint32_t version = reader.u32(); version != kVersion) {
        return Error{"the logo store file has version " + std::to_string(version) +
                     ", this program reads version " + std::to_string(kVersion)};
    }
    const uint32_t count = reader.u32();
    if (count > kMostLogos) return Damaged("logo count");
    LogoStore store;
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t kind = reader.u8();
        reader.skip(3);
        const uint16_t across = reader.u16();
        const uint16_t down = reader.u16();
        const uint32_t size = reader.u32();
        if (!reader.ok()) return Damaged("too short");
        if (kind != kMonoKind && kind != kGrayKind) return Damaged("logo kind");
        if (uint64_t{across} * down * 8 != size) return Damaged("logo size");
        total += size;
        if (total > kLargestLogoStore || size > reader.remaining()) return Damaged("logo size");
        const auto data = reader.bytes(size);
        std::vector<uint8_t> bytes(data.begin(), data.end());
        if (kind == kMonoKind) {
            store.logos_.emplace_back(MonoLogo{across, down, std::move(bytes)});
        } else {
            store.logos_.emplace_back(GrayLogo{across, down, std::move(bytes)});
        }
    }
    if (!reader.ok() || reader.remaining() != 0) return Damaged("length");
    return store;
}

Result<LogoStore> LoadLogoStoreFile(const std::filesystem::path& path) {
    const auto facts = ExamineFile(path);
    if (!facts) return Error{facts.error()};
    if (facts->kind == FileKind::kMissing) return LogoStore{};
    const auto bytes = ReadWholeFile(path, kLargestStoreFile);
    if (!bytes) return Error{path.string() + ": " + bytes.error()};
    auto store = LogoStore::Load(*bytes);
    if (!store) return Error{path.string() + ": " + store.error()};
    return store;
}

Result<bool> SaveLogoStoreFile(const std::filesystem::path& path, const LogoStore& store) {
    return WriteFileAtomically(path, store.Save());
}

}  // namespace zr640::emulator

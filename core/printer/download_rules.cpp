#include "core/printer/download_rules.h"

#include <cstdlib>
#include <fstream>
#include <limits>
#include <system_error>

#include "core/common/bytes.h"
#include "core/common/file_io.h"
#include "core/common/text.h"
#include "core/imaging/bmp.h"
#include "core/imaging/logo_files.h"
#include "core/imaging/logo_pack.h"
#include "core/printer/logo_commands.h"

namespace zr640 {
namespace {

std::optional<uint64_t> SizeOf(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return std::nullopt;
    const uint64_t size = std::filesystem::file_size(file, ec);
    if (ec) return std::nullopt;
    return size;
}

bool IsOneBitBitmap(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    uint8_t lead[kBitmapLeadSize] = {};
    in.read(reinterpret_cast<char*>(lead), sizeof lead);
    const BitmapLead header = ReadBitmapLead({lead, static_cast<size_t>(in.gcount())});
    return header.bitmap && header.bitsPerPixel == 1;
}

// Paths are UTF-16 on Windows and UTF-8 elsewhere.
[[maybe_unused]] std::u16string NativeToUtf16(const std::wstring& text) {
    return {text.begin(), text.end()};
}
[[maybe_unused]] std::u16string NativeToUtf16(const std::string& text) { return Utf8ToUtf16(text); }

DownloadAllPlan Failure(std::string why) { return {std::nullopt, std::nullopt, std::move(why)}; }

// Nothing is sent, and the page says why: the logo could not be read, or its data not packed.
DownloadAllPlan Refusal(const Message& message, std::string why) {
    return {message, std::nullopt, std::move(why)};
}

// The logo bytes a job carries: each logo's size block and data, not the job's framing.
uint64_t LogoBytes(const RawJob& job) {
    uint64_t total = 0;
    for (size_t block = 2; block + 2 < job.blocks.size(); ++block)
        total += job.blocks[block].size();
    return total;
}

DownloadAllPlan Checked(RawJob job) {
    if (LogoBytes(job) >= kLogoBytesLimit) {
        return Refusal(kDownloadError7, std::to_string(LogoBytes(job)) + " bytes of logo data");
    }
    return {std::nullopt, std::move(job), {}};
}

DownloadAllPlan PrepareMono(std::span<const LogoRow> rows) {
    std::vector<MonoLogo> packed;
    for (const LogoRow& row : rows) {
        const auto& source = IsOneBitBitmap(row.path) ? row.path : row.converted;
        const auto bytes = ReadWholeFile(source, kLargestBitmapFile);
        if (!bytes) return Refusal(kDownloadError1, bytes.error());
        auto mono = PackMonoLogo(*bytes);
        if (!mono) return Refusal(kDownloadError2, source.string() + ": " + mono.error());
        packed.push_back(std::move(*mono));
    }
    return Checked(MonoLogoDownloadJob(packed));
}

DownloadAllPlan PrepareGray(std::span<const LogoRow> rows) {
    std::vector<GrayLogo> packed;
    for (const LogoRow& row : rows) {
        const auto bytes = ReadWholeFile(row.converted, kLargestBitmapFile);
        if (!bytes) return Refusal(kDownloadError1, bytes.error());
        auto gray = PackGrayLogo(*bytes);
        packed.push_back(gray ? std::move(*gray) : GrayLogo{});
    }
    return Checked(GrayLogoDownloadJob(packed));
}

}  // namespace

LogoSettings DefaultLogoSettings(LogoFormat format) {
    return {format == LogoFormat::kTransformation ? 1 : 0, 0, 0};
}

LogoRow LogoList::NewRow(std::filesystem::path path, std::filesystem::path converted) const {
    return {std::move(path), DefaultLogoSettings(format_), std::move(converted)};
}

bool LogoList::Add(LogoRow row) {
    if (full()) return false;
    rows_.push_back(std::move(row));
    return true;
}

void LogoList::Remove(size_t index) {
    if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::u16string LogoList::IdText(size_t index) {
    const std::string digits = std::to_string(index + 1);
    return {digits.begin(), digits.end()};
}

std::u16string LogoList::NameText(const std::filesystem::path& path) {
    return NativeToUtf16(path.filename().native());
}

BitmapLead ReadBitmapLead(std::span<const uint8_t> lead) {
    ByteReader in(lead);
    BitmapLead header;
    header.bitmap = in.u16() == 0x4D42 && in.ok();
    in.seek(18);
    header.width = in.i32();
    header.height = in.i32();
    in.skip(2);
    header.bitsPerPixel = in.u16();
    return header;
}

std::optional<Message> CheckAddLogo(const LogoList& list) {
    if (list.full()) return kDownloadError4;
    return std::nullopt;
}

std::optional<Message> CheckLogoLead(std::span<const uint8_t> lead) {
    if (lead.size() < kBitmapLeadSize) return kDownloadError2;
    const BitmapLead header = ReadBitmapLead(lead);
    if (header.width > kMaxLogoWidth || std::llabs(int64_t{header.height}) > kMaxLogoHeight) {
        return kDownloadError3;
    }
    return std::nullopt;
}

std::optional<Message> CheckDownloadAll(std::span<const std::optional<uint64_t>> sizes) {
    if (sizes.empty()) return kDownloadError5;
    uint64_t total = 0;
    for (const auto& size : sizes) {
        if (!size) return kDownloadError6;
        total += std::min(*size, kLogoBytesLimit);  // cannot overflow, and still reaches the limit
    }
    if (total >= kLogoBytesLimit) return kDownloadError7;
    return std::nullopt;
}

std::optional<uint64_t> LogoDownloadSize(const LogoRow& row) {
    if (!row.converted.empty()) {
        if (const auto converted = SizeOf(row.converted)) return converted;
    }
    return SizeOf(row.path);
}

DownloadAllPlan PrepareDownloadAll(LogoFormat format, std::span<const LogoRow> rows) {
    std::vector<std::optional<uint64_t>> sizes;
    for (const LogoRow& row : rows) sizes.push_back(LogoDownloadSize(row));
    if (const auto message = CheckDownloadAll(sizes)) return {message, std::nullopt, {}};
    switch (format) {
    case LogoFormat::kTransformation: return PrepareMono(rows);
    case LogoFormat::kGray: return PrepareGray(rows);
    case LogoFormat::kOriginal: break;
    }
    return Failure("Download all sends mono or gray logos");
}

}  // namespace zr640

// What the Download page decides from bytes and files, without windows: its messages, the
// logo list and its settings, the checks of Add and Download all, and the jobs that
// Download all and the file download send. The page and `zr640 logo` share it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/localisation/message.h"
#include "core/printer/raw_job.h"

namespace zr640 {

using text::Message;

// The page's messages, each with an OK button and no icon.
inline constexpr Message kDownloadError1{text::Key::MessageBox_MB_DOWNLOAD_ERROR1,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError2{text::Key::MessageBox_MB_DOWNLOAD_ERROR2,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError3{text::Key::MessageBox_MB_DOWNLOAD_ERROR3,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError4{text::Key::MessageBox_MB_DOWNLOAD_ERROR4,
                                         text::Key::MessageBox_MB_INFORMATION};
inline constexpr Message kDownloadError5{text::Key::MessageBox_MB_DOWNLOAD_ERROR5,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError6{text::Key::MessageBox_MB_DOWNLOAD_ERROR6,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError7{text::Key::MessageBox_MB_DOWNLOAD_ERROR7,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError8{text::Key::MessageBox_MB_DOWNLOAD_ERROR8,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError9{text::Key::MessageBox_MB_DOWNLOAD_ERROR9,
                                         text::Key::MessageBox_MB_ERROR};
inline constexpr Message kDownloadError10{text::Key::MessageBox_MB_DOWNLOAD_ERROR10,
                                          text::Key::MessageBox_MB_ERROR};

constexpr size_t kMaxLogos = 9;
// 96 K: the sum of the logo sizes, and of the logo bytes that are sent, stays below it.
constexpr uint64_t kLogoBytesLimit = 98304;
constexpr int32_t kMaxLogoWidth = 1024;
constexpr int32_t kMaxLogoHeight = 768;

// One format for the whole list; the values are the page's.
enum class LogoFormat : int32_t { kOriginal = 0, kTransformation = 1, kGray = 2 };

// One logo's conversion settings: halftone 0 to 3 (see Halftone), contrast and brightness
// -100 to 100.
struct LogoSettings {
    int32_t halftone = 0;
    int32_t contrast = 0;
    int32_t brightness = 0;
    bool operator==(const LogoSettings&) const = default;
};

// A new row's settings, and every row's after a switch to `format`: Dither M3 for mono
// logos, no halftone otherwise; neutral contrast and brightness.
LogoSettings DefaultLogoSettings(LogoFormat format);

struct LogoRow {
    std::filesystem::path path;  // the user's logo: only ever read
    LogoSettings settings;
    // The row's own converted file: a name of the page's scratch folder, never beside the
    // logo, so no user file is written or removed and no two rows share one.
    std::filesystem::path converted;
};

// The logo list, at most nine rows in download order. A row's ID is its position from 1,
// so deleting a row renumbers the rows after it and moves their settings up one place.
class LogoList {
public:
    LogoFormat format() const { return format_; }
    void SetFormat(LogoFormat format) { format_ = format; }

    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool full() const { return rows_.size() >= kMaxLogos; }
    const LogoRow& operator[](size_t index) const { return rows_[index]; }
    LogoSettings& settings(size_t index) { return rows_[index].settings; }
    std::span<const LogoRow> rows() const { return rows_; }

    // A row for the logo with the format's default settings, as Add would append it.
    LogoRow NewRow(std::filesystem::path path, std::filesystem::path converted) const;
    // Appends the row; false (and nothing added) when the list is full.
    bool Add(LogoRow row);
    void Remove(size_t index);

    // The texts of a row's ID and Name columns.
    static std::u16string IdText(size_t index);
    static std::u16string NameText(const std::filesystem::path& path);

private:
    LogoFormat format_ = LogoFormat::kOriginal;
    std::vector<LogoRow> rows_;
};

// What Add reads of the chosen file before it decides: the first 62 bytes.
struct BitmapLead {
    bool bitmap = false;  // starts with "BM"
    int32_t width = 0;
    int32_t height = 0;  // negative for top-down files
    uint16_t bitsPerPixel = 0;
};
BitmapLead ReadBitmapLead(std::span<const uint8_t> lead);

// Add, before the file dialog: MB_DOWNLOAD_ERROR4 when the list is full.
std::optional<Message> CheckAddLogo(const LogoList& list);
// Add, on the first bytes of the chosen file: MB_DOWNLOAD_ERROR2 for fewer than 62 bytes,
// MB_DOWNLOAD_ERROR3 for a width above 1024 or a height above 768 (either direction).
std::optional<Message> CheckLogoLead(std::span<const uint8_t> lead);

// Download all, before anything is sent: MB_DOWNLOAD_ERROR5 for no logos,
// MB_DOWNLOAD_ERROR6 for a logo without a size, MB_DOWNLOAD_ERROR7 when the sizes add up
// to 98304 bytes or more.
std::optional<Message> CheckDownloadAll(std::span<const std::optional<uint64_t>> sizes);

// The size Download all counts for a row: that of its converted file, or of the logo's own
// file when the converted file cannot be opened.
std::optional<uint64_t> LogoDownloadSize(const LogoRow& row);

// Download all from the files on disk, in list order. Mono logos come from the logo's own
// file when it is a 1-bit bitmap and from the row's converted file otherwise; gray logos
// from the converted file, and a converted file that can be read but not packed is sent as
// an empty logo (W = B = 0, no data) so the logos after it keep their numbers. Every logo is
// read and packed before anything is sent, and nothing is sent without saying why: a logo
// that cannot be read gives MB_DOWNLOAD_ERROR1, a mono logo that cannot be packed
// MB_DOWNLOAD_ERROR2, and packed logos of 98304 bytes or more in all (each logo's size
// block and data; packing pads rows and bands, so small files can make more) MB_DOWNLOAD_ERROR7.
struct DownloadAllPlan {
    std::optional<Message> message;  // show it; nothing is sent
    std::optional<RawJob> job;       // send it
    std::string failure;             // the detail behind a refusal
};
DownloadAllPlan PrepareDownloadAll(LogoFormat format, std::span<const LogoRow> rows);

// The largest file the file download sends: one spooler write carries it.
constexpr uint64_t kLargestFileToDownload = uint64_t{1} << 30;

}  // namespace zr640

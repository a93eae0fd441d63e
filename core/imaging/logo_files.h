// The logo conversions as the Download page runs them: from the logo's file to a converted
// file, and the traditional name of a converted file beside its logo (the tool's default).
#pragma once

#include <filesystem>
#include <string>

#include "core/imaging/bmp.h"
#include "core/imaging/halftone.h"

namespace zr640 {

// The largest bitmap file the conversions read (a 32768 x 1024 24-bit picture and more).
constexpr uint64_t kLargestBitmapFile = uint64_t{128} << 20;

// The converted file of a logo: its path without the last 4 characters of the file name
// (the ".bmp"), followed by "Temp.bmp", in the logo's own folder. C:\logo\shop.bmp gives
// C:\logo\shopTemp.bmp. Characters are whole characters, not bytes or UTF-16 units, and a
// file name shorter than 4 characters is replaced whole, so the converted file never
// leaves the logo's folder. Paths are of any length.
std::filesystem::path ConvertedFilePath(const std::filesystem::path& logo);

// The statuses the page tests; the values are the routines' traditional ones.
enum class ConvertStatus : int {
    kDone = 1,
    kFailed = -1,   // cannot read the logo (a file cut short or beyond the limits too) or write
                    // the converted file (ConvertToMono: any failure)
    kRefused = -2,  // ConvertToGray: not "BM", a depth other than 1, 8 or 24, or compressed
};

struct ConvertOutcome {
    ConvertStatus status = ConvertStatus::kFailed;
    std::string message;              // why, when not done
    std::filesystem::path converted;  // the file written, filled in whatever the status
    bool done() const { return status == ConvertStatus::kDone; }
};

// Each writes `converted` whole or not at all: a failure leaves whatever file was there
// before. An empty `converted` fails.
ConvertOutcome ConvertToMono(const std::filesystem::path& logo,
                             const std::filesystem::path& converted, Halftone halftone,
                             int contrast, int brightness,
                             const BitmapLimits& limits = kLogoLimits);
ConvertOutcome ConvertToGray(const std::filesystem::path& logo,
                             const std::filesystem::path& converted, int contrast, int brightness,
                             const BitmapLimits& limits = kLogoLimits);

}  // namespace zr640

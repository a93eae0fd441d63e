// The printer commands of the Download page as data: the maintenance brackets, Clear All
// Logos, Download all in both logo formats, and the file download.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/imaging/logo_pack.h"
#include "core/printer/raw_job.h"

namespace zr640 {

// Put around maintenance commands (self-test, logo download and clearing).
inline constexpr std::array<uint8_t, 4> kOpeningBracket{0x1B, 0x63, 0x3B, 0x01};
inline constexpr std::array<uint8_t, 4> kClosingBracket{0x1B, 0x63, 0x3B, 0x00};

// "SELFTEST": opening bracket; 1C 71 00 00 0A; closing bracket.
RawJob ClearAllLogosJob();

// "LOGO": opening bracket; 1C 71 n; per logo X and Y (16 bits each, low byte first), then
// its data; 0A; closing bracket. One to nine logos.
RawJob MonoLogoDownloadJob(std::span<const MonoLogo> logos);

// "LOGO": opening bracket; 1C 72 n; per logo 01 00, W and B (16 bits each, low byte
// first), then its data; 0A; closing bracket. One to nine logos.
RawJob GrayLogoDownloadJob(std::span<const GrayLogo> logos);

}  // namespace zr640

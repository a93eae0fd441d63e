// Which logos the Download page converts, and how: a row's converted file is written from the
// logo's own file with the row's format and settings. The logo itself is only read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "core/printer/download_rules.h"

namespace zr640 {

// What the page reads of a logo before converting it: its first 62 bytes. A file that cannot
// be opened reads as no bitmap.
BitmapLead ReadLogoLead(const std::filesystem::path& logo);
// The first kBitmapLeadSize bytes of a logo file (fewer for a shorter file), or nothing when
// the file cannot be opened.
std::optional<std::vector<uint8_t>> ReadLogoLeadBytes(const std::filesystem::path& logo);

// Mono logos are converted from colour and gray pictures; a one-bit picture is its own logo.
bool MonoConvertible(const BitmapLead& lead);
bool GrayConvertible(const BitmapLead& lead);
bool Convertible(const BitmapLead& lead, LogoFormat format);

// Writes the row's converted file with the row's settings: gray for the Gray format, mono
// otherwise. False when the file was refused or could not be written (a converted file from
// before stays as it was).
bool ConvertLogo(const LogoRow& row, LogoFormat format);

// Add converts a new row as its format wants it; false when the format refuses the file (no
// row is added). Original takes any file, and converts colour and gray pictures with no
// halftone.
bool ConvertNewLogo(const LogoRow& row, LogoFormat format, const BitmapLead& lead);

// Removes the rows' converted files (never the logos).
void RemoveConvertedFile(const LogoRow& row);
void RemoveConvertedFiles(const LogoList& logos);

}  // namespace zr640

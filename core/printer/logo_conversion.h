// Which logos the Download page converts, and how: a row's converted file is written from the
// logo's own file with the row's format and settings.
#pragma once

#include <filesystem>

#include "core/printer/download_rules.h"

namespace zr640 {

// What the page reads of a logo before converting it: its first 62 bytes. A file that cannot
// be opened reads as no bitmap.
BitmapLead ReadLogoLead(const std::filesystem::path& logo);

// Mono logos are converted from colour and gray pictures; a one-bit picture is its own logo.
bool MonoConvertible(const BitmapLead& lead);
bool GrayConvertible(const BitmapLead& lead);
bool Convertible(const BitmapLead& lead, LogoFormat format);

// Writes the logo's converted file: gray for the Gray format, mono otherwise. False when the
// file was refused or could not be written (a converted file from before stays as it was).
bool ConvertLogo(const std::filesystem::path& logo, LogoFormat format,
                 const LogoSettings& settings);

// Add converts a new logo as its format wants it; false when the format refuses the file
// (no row is added). Original takes any file, and converts colour and gray pictures with
// no halftone.
bool ConvertNewLogo(const std::filesystem::path& logo, LogoFormat format, const BitmapLead& lead);

void RemoveConvertedFile(const std::filesystem::path& logo);
void RemoveConvertedFiles(const LogoList& logos);

}  // namespace zr640

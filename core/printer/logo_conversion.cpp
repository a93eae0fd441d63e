#include "core/printer/logo_conversion.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

#include "core/imaging/logo_files.h"

namespace zr640 {

std::optional<std::vector<uint8_t>> ReadLogoLeadBytes(const std::filesystem::path& logo) {
    std::ifstream file(logo, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> lead(kBitmapLeadSize);
    file.read(reinterpret_cast<char*>(lead.data()), static_cast<std::streamsize>(lead.size()));
    lead.resize(static_cast<size_t>(file.gcount()));
    return lead;
}

BitmapLead ReadLogoLead(const std::filesystem::path& logo) {
    return ReadBitmapLead(ReadLogoLeadBytes(logo).value_or(std::vector<uint8_t>{}));
}

bool MonoConvertible(const BitmapLead& lead) {
    return lead.bitmap && (lead.bitsPerPixel == 24 || lead.bitsPerPixel == 8);
}

bool GrayConvertible(const BitmapLead& lead) {
    return lead.bitmap &&
           (lead.bitsPerPixel == 24 || lead.bitsPerPixel == 8 || lead.bitsPerPixel == 1);
}

bool Convertible(const BitmapLead& lead, LogoFormat format) {
    return format == LogoFormat::kGray ? GrayConvertible(lead) : MonoConvertible(lead);
}

bool ConvertLogo(const LogoRow& row, LogoFormat format) {
    const LogoSettings& settings = row.settings;
    if (format == LogoFormat::kGray)
        return ConvertToGray(row.path, row.converted, settings.contrast, settings.brightness)
            .done();
    const auto halftone = static_cast<Halftone>(std::clamp(settings.halftone, 0, 3));
    return ConvertToMono(row.path, row.converted, halftone, settings.contrast, settings.brightness)
        .done();
}

bool ConvertNewLogo(const LogoRow& row, LogoFormat format, const BitmapLead& lead) {
    switch (format) {
    case LogoFormat::kTransformation:
        if (!lead.bitmap) return false;
        if (MonoConvertible(lead)) ConvertLogo(row, format);
        return true;
    case LogoFormat::kGray:
        if (!GrayConvertible(lead)) return false;
        ConvertLogo(row, format);
        return true;
    case LogoFormat::kOriginal:
        if (MonoConvertible(lead)) ConvertLogo(row, format);
        return true;
    }
    return false;
}

void RemoveConvertedFile(const LogoRow& row) {
    if (row.converted.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(row.converted, ignored);
}

void RemoveConvertedFiles(const LogoList& logos) {
    for (const LogoRow& row : logos.rows()) RemoveConvertedFile(row);
}

}  // namespace zr640

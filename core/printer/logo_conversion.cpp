#include "core/printer/logo_conversion.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

#include "core/imaging/logo_files.h"

namespace zr640 {

BitmapLead ReadLogoLead(const std::filesystem::path& logo) {
    std::ifstream file(logo, std::ios::binary);
    std::array<uint8_t, kBitmapLeadSize> lead{};
    file.read(reinterpret_cast<char*>(lead.data()), static_cast<std::streamsize>(lead.size()));
    return ReadBitmapLead({lead.data(), static_cast<size_t>(file.gcount())});
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

#include "core/imaging/logo_files.h"

#include <span>
#include <string_view>

#include "core/common/file_io.h"
#include "core/imaging/gray.h"

namespace zr640 {
namespace {

// Code units that continue a character: UTF-8 continuation bytes (POSIX paths) and low
// surrogates (Windows paths).
[[maybe_unused]] bool ContinuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
[[maybe_unused]] bool ContinuesCharacter(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

template <typename Char>
size_t WithoutLastCharacters(std::basic_string_view<Char> text, size_t count) {
    size_t end = text.size();
    for (size_t n = 0; n < count && end > 0; ++n) {
        --end;
        while (end > 0 && ContinuesCharacter(text[end])) --end;
    }
    return end;
}

ConvertOutcome Fail(ConvertOutcome outcome, ConvertStatus status, std::string message) {
    outcome.status = status;
    outcome.message = std::move(message);
    return outcome;
}

// The refusals the gray conversion reports as "wrong type, depth or compression": a file
// that is not "BM", or whose header gives another depth than 1, 8 or 24 bits or a
// compression. Anything else wrong with the file (cut short, sizes beyond the limits) is a
// file that cannot be read.
bool WrongTypeDepthOrCompression(std::span<const uint8_t> file) {
    if (file.size() >= 2 && (file[0] != 'B' || file[1] != 'M')) return true;
    if (file.size() < 34) return false;
    const uint32_t depth = uint32_t{file[28]} | uint32_t{file[29]} << 8;
    const uint32_t compression = uint32_t{file[30]} | uint32_t{file[31]} << 8 |
                                 uint32_t{file[32]} << 16 | uint32_t{file[33]} << 24;
    return (depth != 1 && depth != 8 && depth != 24) || compression != 0;
}

template <typename Convert>
ConvertOutcome ConvertFile(const std::filesystem::path& logo,
                           const std::filesystem::path& converted, ConvertStatus wrongKind,
                           const BitmapLimits& limits, Convert convert) {
    ConvertOutcome outcome;
    outcome.converted = converted;
    if (converted.empty())
        return Fail(std::move(outcome), ConvertStatus::kFailed, "no file to write");
    const auto source = ReadWholeFile(logo, kLargestBitmapFile);
    if (!source) return Fail(std::move(outcome), ConvertStatus::kFailed, source.error());
    const ConvertStatus refused =
        WrongTypeDepthOrCompression(*source) ? wrongKind : ConvertStatus::kFailed;
    const auto picture = ParseBitmap(*source, limits);
    if (!picture) return Fail(std::move(outcome), refused, picture.error());
    const auto bytes = convert(*picture);
    if (!bytes) return Fail(std::move(outcome), refused, bytes.error());
    const std::filesystem::path inputs[] = {logo};
    const auto written = WriteFileAtomically(outcome.converted, *bytes, inputs);
    if (!written) return Fail(std::move(outcome), ConvertStatus::kFailed, written.error());
    outcome.status = ConvertStatus::kDone;
    return outcome;
}

}  // namespace

std::filesystem::path ConvertedFilePath(const std::filesystem::path& logo) {
    using String = std::filesystem::path::string_type;
    using View = std::basic_string_view<String::value_type>;
    const String& whole = logo.native();
    const size_t nameStart = whole.size() - logo.filename().native().size();
    const size_t nameEnd = nameStart + WithoutLastCharacters(View(whole).substr(nameStart), 4);
    std::filesystem::path converted = String(whole, 0, nameEnd);
    converted += "Temp.bmp";
    return converted;
}

ConvertOutcome ConvertToMono(const std::filesystem::path& logo,
                             const std::filesystem::path& converted, Halftone halftone,
                             int contrast, int brightness, const BitmapLimits& limits) {
    return ConvertFile(logo, converted, ConvertStatus::kFailed, limits,
                       [&](const BitmapView& picture) {
                           return ConvertToMonoBitmap(picture, halftone, contrast, brightness);
                       });
}

ConvertOutcome ConvertToGray(const std::filesystem::path& logo,
                             const std::filesystem::path& converted, int contrast, int brightness,
                             const BitmapLimits& limits) {
    return ConvertFile(logo, converted, ConvertStatus::kRefused, limits,
                       [&](const BitmapView& picture) {
                           return ConvertToGrayBitmap(picture, contrast, brightness);
                       });
}

}  // namespace zr640

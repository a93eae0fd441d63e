// zr640 barcode: the code pages' data check, the exact bytes of their test prints, and the
// 1D page's symbol height, for support staff away from the printer's pages.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/barcode/field_clamps.h"
#include "core/barcode/symbol_height.h"
#include "core/barcode/test_print.h"
#include "core/common/file_io.h"
#include "core/operation/hex_command.h"
#include "core/settings/devmode_fields.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kLargestRecordFile = 1 << 20;
constexpr auto kFonts1D = static_cast<int32_t>(std::extent_v<decltype(PrivateDevMode::barcode1D)>);
constexpr auto kFonts2D = static_cast<int32_t>(std::extent_v<decltype(PrivateDevMode::barcode2D)>);

// The range the record keeps for a field of a 1D or 2D font.
ui::NumberRange Field(bool twoD, const std::string& name) {
    return NumberFieldRange((twoD ? "barcode2D[0]." : "barcode1D[0].") + name).value();
}

// A whole number in the range; records a usage error otherwise.
std::optional<long> InRange(Arguments& args, const std::string& option, const std::string& text,
                            ui::NumberRange range) {
    return args.Number(option, text, range.lowest, range.highest);
}

// Data the check refuses: the pages' own message, exit status 1.
int DataError() {
    std::fprintf(stderr, "%s\n", text::EnglishText(kBarcode1DDataError.text).c_str());
    return 1;
}

// Pairs of hexadecimal digits, back to back or with spaces between the pairs.
std::optional<std::vector<uint8_t>> ParseHexPairs(std::string_view text) {
    std::vector<uint8_t> bytes;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const auto high = HexDigitOf(static_cast<unsigned char>(text[i]));
        const auto low = HexDigitOf(static_cast<unsigned char>(text[i + 1]));
        if (!high || !low) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(*high * 16 + *low));
        i += 2;
    }
    return bytes;
}

// The data to check: the one positional word as it stands, or --data-hex.
std::vector<uint8_t> ReadData(Arguments& args, const std::optional<std::string>& hex,
                              const std::vector<std::string>& words) {
    if (hex.has_value() == !words.empty() || words.size() > 1) {
        args.Fail("give the data as one word DATA or as --data-hex HEX");
        return {};
    }
    if (!hex) return {words[0].begin(), words[0].end()};
    auto bytes = ParseHexPairs(*hex);
    if (!bytes) args.Fail("--data-hex takes pairs of hexadecimal digits, spaces between them");
    return bytes.value_or(std::vector<uint8_t>{});
}

void PrintHexText(std::span<const uint8_t> bytes) {
    for (const uint8_t byte : bytes) std::printf("%02X ", byte);
    std::printf("\n");
}

// zr640 barcode check --type N [--2d] (DATA | --data-hex HEX)
int Check(Arguments& args) {
    const bool twoD = args.Flag("--2d");
    const auto typeText = args.Option("--type");
    const auto hex = args.Option("--data-hex");
    const auto words = args.Positional();
    if (!typeText) args.Fail("barcode check takes --type N");
    const long type =
        typeText ? InRange(args, "--type", *typeText, Field(twoD, "bType")).value_or(0) : 0;
    const std::vector<uint8_t> data = ReadData(args, hex, words);
    if (args.failed()) return UsageError(args.error());

    const auto bType = static_cast<uint8_t>(type);
    const auto checked = twoD ? CheckBarcode2DData(bType, data) : CheckBarcode1DData(bType, data);
    if (!checked) return DataError();
    PrintHexText(*checked);
    return 0;
}

Result<PrivateDevMode> LoadRecord(const std::optional<std::string>& file) {
    if (!file) {
        PrivateDevMode record;
        FillDefaultDevMode(record, u"C:\\");
        return record;
    }
    const auto bytes = ReadWholeFile(*file, kLargestRecordFile);
    if (!bytes) return Error{bytes.error()};
    auto record = ReadDevModeRecord(*bytes, u"C:\\");
    if (!record) return Error{*file + ": " + record.error()};
    return record;
}

// zr640 barcode testprint [--2d] --font K [--record FILE] (DATA | --data-hex HEX) -o OUT
int TestPrint(Arguments& args) {
    const bool twoD = args.Flag("--2d");
    const auto fontText = args.Option("--font");
    const auto recordFile = args.Option("--record");
    const auto hex = args.Option("--data-hex");
    const auto out = args.Option("--output", "-o");
    const auto words = args.Positional();
    if (!fontText || !out) args.Fail("barcode testprint takes --font K and -o OUT");
    const ui::NumberRange fonts{1, twoD ? kFonts2D : kFonts1D};
    const long font = fontText ? InRange(args, "--font", *fontText, fonts).value_or(1) : 1;
    const std::vector<uint8_t> data = ReadData(args, hex, words);
    if (args.failed()) return UsageError(args.error());

    const auto record = LoadRecord(recordFile);
    if (!record) return Fail(record.error());
    // The output replaces a regular file at most, and never the record that was read.
    std::vector<fs::path> inputs;
    if (recordFile) inputs.emplace_back(*recordFile);
    if (const auto checked = CheckDestination(*out, inputs); !checked) {
        return Fail(checked.error());
    }
    const auto index = static_cast<size_t>(font - 1);
    const auto job = twoD ? Barcode2DTestPrint(record->barcode2D[index], data)
                          : Barcode1DTestPrint(record->barcode1D[index], data);
    if (!job) return DataError();
    const auto written = WriteFileAtomically(*out, job->Bytes(), inputs);
    return written ? 0 : Fail(written.error());
}

// zr640 barcode height --dots H --hri P --hri-font F
int Height(Arguments& args) {
    const auto dotsText = args.Option("--dots");
    const auto hriText = args.Option("--hri");
    const auto fontText = args.Option("--hri-font");
    if (!args.Positional().empty() || !dotsText || !hriText || !fontText) {
        args.Fail("barcode height takes --dots H --hri P --hri-font F");
    }
    const auto dots = dotsText
                          ? InRange(args, "--dots", *dotsText, RangeOf(Field1D::kElementHeight))
                          : std::nullopt;
    const auto hri =
        hriText ? InRange(args, "--hri", *hriText, Field(false, "bHriPosition")) : std::nullopt;
    const auto font =
        fontText ? InRange(args, "--hri-font", *fontText, Field(false, "bHriFont")) : std::nullopt;
    if (args.failed()) return UsageError(args.error());

    const uint32_t stored = SymbolHeight(static_cast<uint32_t>(*dots), static_cast<uint8_t>(*hri),
                                         static_cast<uint8_t>(*font));
    std::printf("%u\n%s\n%s\n", stored, SymbolHeightMillimetres(stored).c_str(),
                SymbolHeightPoints(stored).c_str());
    return 0;
}

}  // namespace

int RunBarcode(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (action == "check") return Check(args);
    if (action == "testprint") return TestPrint(args);
    if (action == "height") return Height(args);
    return Usage();
}

}  // namespace zr640::cli

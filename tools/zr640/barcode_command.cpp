// zr640 barcode: the code pages' data check, the exact bytes of their test prints, and the
// 1D page's symbol height, for support staff away from the printer's pages.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/barcode/symbol_height.h"
#include "core/barcode/test_print.h"
#include "core/common/file_io.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

namespace fs = std::filesystem;

constexpr uint64_t kLargestRecordFile = 1 << 20;

// A command line the command cannot take: the reason, exit status 2.
int UsageError(const std::string& message) {
    std::fprintf(stderr, "zr640: %s\n", message.c_str());
    return 2;
}

// Data the check refuses: the pages' own message, exit status 1.
int DataError() {
    std::fprintf(stderr, "%s\n", text::EnglishText(kBarcode1DDataError.text).c_str());
    return 1;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
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
    const long type = typeText ? args.Number("--type", *typeText, 0, twoD ? 5 : 12).value_or(0) : 0;
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

// The output replaces a regular file at most, and never the record that was read.
std::optional<std::string> RefusedOutput(const std::string& out,
                                         const std::optional<std::string>& record) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(out, ec);
    if (!fs::exists(status)) return std::nullopt;
    if (!fs::is_regular_file(status)) return out + " is not a regular file";
    if (record && fs::equivalent(out, *record, ec)) return out + " is the settings record";
    return std::nullopt;
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
    const long font = fontText ? args.Number("--font", *fontText, 1, twoD ? 2 : 8).value_or(1) : 1;
    const std::vector<uint8_t> data = ReadData(args, hex, words);
    if (args.failed()) return UsageError(args.error());

    const auto record = LoadRecord(recordFile);
    if (!record) return Fail(record.error());
    if (const auto refusal = RefusedOutput(*out, recordFile)) return Fail(*refusal);
    const auto index = static_cast<size_t>(font - 1);
    const auto job = twoD ? Barcode2DTestPrint(record->barcode2D[index], data)
                          : Barcode1DTestPrint(record->barcode1D[index], data);
    if (!job) return DataError();
    const auto written = WriteFileAtomically(*out, job->Bytes());
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
    const auto dots = dotsText ? args.Number("--dots", *dotsText, 1, 255) : std::nullopt;
    const auto hri = hriText ? args.Number("--hri", *hriText, 0, 3) : std::nullopt;
    const auto font = fontText ? args.Number("--hri-font", *fontText, 0, 1) : std::nullopt;
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

// zr640 devmode: make, convert and list settings records.
#include <cstdio>
#include <string>

#include "core/common/file_io.h"
#include "core/common/text.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

constexpr uint64_t kLargestRecordFile = 1 << 20;

int Write(const std::string& path, const PrivateDevMode& record,
          std::span<const std::string> inputs = {}) {
    return WriteOutput(path, BytesOf(record), inputs);
}

int Default(Arguments& args) {
    const auto out = args.Option("--output", "-o");
    const std::u16string root = Utf8ToUtf16(args.Option("--system-drive").value_or("C:\\"));
    if (!args.Positional().empty()) args.Fail("devmode default takes no file names");
    if (args.failed()) return Fail(args.error());

    PrivateDevMode record;
    FillDefaultDevMode(record, root);
    if (!out) {
        std::fputs(DescribeDevMode(record).c_str(), stdout);
        return 0;
    }
    return Write(*out, record);
}

// The output starts as the configuration module leaves it before a conversion: a record
// with the defaults.
int Convert(Arguments& args) {
    const auto out = args.Option("--output", "-o");
    const bool merge = args.Flag("--merge");
    const std::u16string root = Utf8ToUtf16(args.Option("--system-drive").value_or("C:\\"));
    const auto files = args.Positional();
    if (files.size() != 1 || !out) args.Fail("devmode convert takes IN -o OUT");
    if (args.failed()) return Fail(args.error());

    const auto input = ReadWholeFile(files[0], kLargestRecordFile);
    if (!input) return Fail(input.error());
    PrivateDevMode record;
    FillDefaultDevMode(record, root);
    if (merge) {
        MergeDevMode(*input, record, root);
    } else {
        ConvertDevMode(*input, record, root);
    }
    return Write(*out, record, files);
}

int Show(Arguments& args) {
    const auto files = args.Positional();
    if (files.size() != 1) args.Fail("devmode show takes one file");
    if (args.failed()) return Fail(args.error());

    const auto input = ReadWholeFile(files[0], kLargestRecordFile);
    if (!input) return Fail(input.error());
    const auto record = ReadDevModeRecord(*input, u"C:\\");
    if (!record) return Fail(files[0] + ": " + record.error());
    std::fputs(DescribeDevMode(*record).c_str(), stdout);
    return 0;
}

}  // namespace

int RunDevMode(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (action == "default") return Default(args);
    if (action == "convert") return Convert(args);
    if (action == "show") return Show(args);
    return Usage();
}

}  // namespace zr640::cli

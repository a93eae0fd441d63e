// zr640 devmode: make, convert and list settings records.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/common/bytes.h"
#include "core/common/file_io.h"
#include "core/common/text.h"
#include "core/settings/devmode_fields.h"
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
    if (args.failed()) return UsageError(args.error());

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
    if (args.failed()) return UsageError(args.error());

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
    if (args.failed()) return UsageError(args.error());

    const auto input = ReadWholeFile(files[0], kLargestRecordFile);
    if (!input) return Fail(input.error());
    const auto record = ReadDevModeRecord(*input, u"C:\\");
    if (!record) return Fail(files[0] + ": " + record.error());
    std::fputs(DescribeDevMode(*record).c_str(), stdout);
    return 0;
}

// Changes fields of a complete record in place. The assignments are checked all together
// before anything is written, and the file is replaced as a whole.
int Set(std::vector<std::string> words) {
    if (words.size() < 2) {
        std::fputs("zr640: devmode set takes FILE and at least one NAME=VALUE\n", stderr);
        return Usage();
    }
    const std::string& path = words[0];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) {
        return Fail(path + ": not a regular file; devmode set only replaces regular files");
    }
    const auto input = ReadWholeFile(path, kLargestRecordFile);
    if (!input) return Fail(input.error());
    if (const auto readable = ReadDevModeRecord(*input, u"C:\\"); !readable) {
        return Fail(path + ": " + readable.error());
    }
    PrivateDevMode record;
    if (input->size() != sizeof record || LoadU32(input->data()) != sizeof record) {
        return Fail(path + ": not a complete " + std::to_string(sizeof record) +
                    "-byte record; devmode convert makes one");
    }
    std::memcpy(&record, input->data(), sizeof record);

    const std::vector<std::string> assignments(words.begin() + 1, words.end());
    if (const auto applied = ApplyDevModeAssignments(record, assignments); !applied) {
        return Fail(applied.error() + "; nothing was written");
    }
    return Write(path, record);
}

}  // namespace

int RunDevMode(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (action == "default") return Default(args);
    if (action == "convert") return Convert(args);
    if (action == "show") return Show(args);
    if (action == "set") return Set(std::vector<std::string>(words.begin() + 1, words.end()));
    return Usage();
}

}  // namespace zr640::cli

// zr640 selftest: the bytes the Utility page's SelfTest button sends, brackets included.
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/printer/self_test.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {

int RunSelfTest(std::vector<std::string> words) {
    Arguments args(std::move(words));
    const auto out = args.Option("--output", "-o");
    if (!out || !args.Positional().empty() || args.failed()) return Usage();
    const auto written = WriteFileAtomically(*out, SelfTestJob().Bytes());
    return written ? 0 : Fail(written.error());
}

}  // namespace zr640::cli

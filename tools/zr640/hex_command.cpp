// zr640 hex: the command edit's reading of hex byte text, for checking a command before it
// goes into a settings record.
#include <cstdio>
#include <string>

#include "core/operation/hex_command.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

// TEXT is taken as it stands, also when it starts with "-" (which counts as a 0 digit), so
// only a leading "--count" and "--" are read as options.
int Parse(std::vector<std::string> words) {
    bool countOnly = false;
    size_t first = 0;
    if (first < words.size() && words[first] == "--count") {
        countOnly = true;
        ++first;
    }
    if (first < words.size() && words[first] == "--") ++first;
    if (words.size() - first != 1) {
        std::fputs("zr640: hex parse takes one TEXT (quote it when it holds spaces)\n", stderr);
        return Usage();
    }
    const std::string& text = words[first];
    if (countOnly) {
        std::printf("%zu\n", CountHexCommandBytes(text));
        return 0;
    }
    std::string shown = FormatHexCommandNarrow(ParseHexCommand(text));
    if (!shown.empty()) shown.pop_back();  // the trailing space
    std::printf("%s\n", shown.c_str());
    return 0;
}

}  // namespace

int RunHex(std::vector<std::string> words) {
    if (words.empty() || words.front() != "parse") return Usage();
    return Parse(std::vector<std::string>(words.begin() + 1, words.end()));
}

}  // namespace zr640::cli

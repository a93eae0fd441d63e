// zr640: the portable core on the command line, for people who support these printers on
// any machine.
#include <cstring>
#include <string>
#include <vector>

#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace {

struct Command {
    const char* name;
    int (*run)(std::vector<std::string> words);
};

constexpr Command kCommands[] = {
    {"devmode", zr640::cli::RunDevMode},   {"render-log", zr640::cli::RunRenderLog},
    {"logo", zr640::cli::RunLogo},         {"barcode", zr640::cli::RunBarcode},
    {"hex", zr640::cli::RunHex},           {"watermark", zr640::cli::RunWatermark},
    {"selftest", zr640::cli::RunSelfTest}, {"control-font", zr640::cli::RunControlFont},
    {"emulate", zr640::cli::RunEmulate},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return zr640::cli::Usage();
    for (const auto& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            const int status = command.run(std::vector<std::string>(argv + 2, argv + argc));
            const int flushed = zr640::cli::FinishStandardOutput();
            return status != 0 ? status : flushed;
        }
    }
    return zr640::cli::Usage();
}

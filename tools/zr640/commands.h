// The subcommands of zr640; each takes the words after its own name.
#pragma once

#include <string>
#include <vector>

namespace zr640::cli {

int RunDevMode(std::vector<std::string> words);
int RunRenderLog(std::vector<std::string> words);
int RunLogo(std::vector<std::string> words);
int RunBarcode(std::vector<std::string> words);
int RunHex(std::vector<std::string> words);
int RunWatermark(std::vector<std::string> words);
int RunSelfTest(std::vector<std::string> words);
int RunControlFont(std::vector<std::string> words);
int RunEmulate(std::vector<std::string> words);

}  // namespace zr640::cli

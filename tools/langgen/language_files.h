// The language files of the driver package, built from the catalogue and the translations:
// three string files and the language list, UTF-16LE with a byte-order mark and CR LF line
// ends, so that the platform's private-profile functions read them as Unicode.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace zr640::langgen {

// The version every shipped file carries in [FILEVER] INIVERSION. A user copy whose version
// is not above the driver copy's is replaced at start-up, so raise it only to make user
// copies that were edited on purpose give way again.
inline constexpr int kIniVersion = 1;

struct LanguageFile {
    std::string name;  // "ENG_ZR640.res", ...
    std::vector<uint8_t> bytes;
};

// Refuses (naming the key) a missing, doubled or unknown translation, one longer than its
// key's capacity allows, and a text that an INI line cannot hold.
Result<std::vector<LanguageFile>> BuildLanguageFiles();

}  // namespace zr640::langgen

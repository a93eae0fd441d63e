// langgen: writes the language files of the driver package from the text catalogue and the
// translations, or checks that the checked-in files are what it would write.
//
//   langgen write <folder>    (re)writes ENG_ZR640.res, CHN_ZR640.res, CHF_ZR640.res and
//                             LANGUAGE_ZR640.DAT in the folder
//   langgen check <folder>    exits 1 naming every file that differs or is missing
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/common/file_io.h"
#include "tools/langgen/language_files.h"

namespace {

int Usage() {
    std::fprintf(stderr, "usage: langgen write <folder>\n       langgen check <folder>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return Usage();
    const bool write = std::strcmp(argv[1], "write") == 0;
    if (!write && std::strcmp(argv[1], "check") != 0) return Usage();
    const std::filesystem::path folder(argv[2]);

    const auto files = zr640::langgen::BuildLanguageFiles();
    if (!files) {
        std::fprintf(stderr, "langgen: %s\n", files.error().c_str());
        return 1;
    }
    int failures = 0;
    for (const auto& file : *files) {
        const auto path = folder / file.name;
        if (write) {
            if (const auto done = zr640::WriteFileAtomically(path, file.bytes); !done) {
                std::fprintf(stderr, "langgen: %s: %s\n", path.string().c_str(),
                             done.error().c_str());
                ++failures;
            }
            continue;
        }
        const auto present = zr640::ReadWholeFile(path);
        if (!present || !std::ranges::equal(*present, file.bytes)) {
            std::fprintf(stderr, "langgen: %s is not what \"langgen write\" makes\n",
                         path.string().c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

// A folder of the program's own for working files that nobody else reads (the Download page's
// converted logos). The folder is made fresh on first use, exclusively, under a parent folder
// (the user's temporary folder): a folder that existed before is never taken, so no file of
// the user's can share a name with one of ours. The files it names are removed when it goes,
// and then the folder itself, when nothing else was put in it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zr640 {

class ScratchFolder {
public:
    // `parent` empty: the system's temporary folder. `prefix` starts the folder's name.
    ScratchFolder(std::filesystem::path parent, std::string prefix);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A path for a new file in the folder ("<stem><n><extension>"), never handed out before
    // by this folder; empty when the folder cannot be made.
    std::filesystem::path NewFile(std::string_view stem, std::string_view extension);

    // Removes one file this folder handed out; other paths are left alone.
    void Remove(const std::filesystem::path& file);

    // The folder, empty until the first NewFile made it.
    const std::filesystem::path& folder() const { return folder_; }

private:
    bool Make();

    std::filesystem::path parent_;
    std::string prefix_;
    std::filesystem::path folder_;
    std::vector<std::filesystem::path> handedOut_;
    uint64_t next_ = 1;
};

}  // namespace zr640

// The driver log as the viewer lists it: log folders (roots), their day folders that hold
// at least one print file (an entry the "*.prn" listing gives, a folder of that name
// included), and those print files, all in the order in which the
// file system lists them. Also the selection of a print file and the clean-up of the
// temporary bitmaps the viewer writes beside the print files it shows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr640 {

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// What the log store needs of the file system. The Windows viewer lists with
// FindFirstFile/FindNextFile (so patterns and order are the system's); the native side with
// std::filesystem; tests may use a fake.
class LogFolderAccess {
public:
    virtual ~LogFolderAccess() = default;

    // The entries of `folder` whose names match `pattern` ("*", "*.prn", "*.bmp" or the
    // writer's temporary names, "*.zr640tmp"), in
    // listing order; nullopt when the listing cannot be started.
    virtual std::optional<std::vector<FolderEntry>> List(const std::string& folder,
                                                         std::string_view pattern) = 0;
    // Deletes a file; false when it could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;
    // The character that joins a folder and a name.
    virtual char separator() const { return '\\'; }
};

struct LogDay {
    std::string name;
    std::vector<std::string> printFiles;
};

struct LogRoot {
    std::string folder;  // exactly as it was added
    std::vector<LogDay> days;
};

// The files that showing one print file involves.
struct LogSelection {
    std::string dayFolder;
    std::string printFile;
    std::string bitmapFile;
};

// The bitmap written beside a print file: the file's name with its extension (from the
// last "." of the name) replaced by ".bmp".
std::string BitmapPathFor(std::string_view printFile, char separator);

class LogStore {
public:
    explicit LogStore(LogFolderAccess& access) : access_(access) {}

    // Appends a root for `folder` with every day folder that holds a print file. Returns
    // false when the folder cannot be listed; the root is kept, with no days.
    bool AddLogFolder(const std::string& folder);

    const std::vector<LogRoot>& roots() const { return roots_; }

    // Makes a print file of the tree the current one: first deletes the temporary bitmaps of
    // the day folder shown until now, then returns the paths of the new selection. Indexes
    // out of range select nothing and change nothing.
    std::optional<LogSelection> SelectPrintFile(size_t root, size_t day, size_t file);

    const std::optional<LogSelection>& selection() const { return selection_; }

    // Deletes every "*.bmp" of the current day folder, and every temporary file the atomic
    // writer left there (IsTemporaryFileName); nothing while no print file has been selected.
    // Returns the number of files deleted.
    size_t DeleteTemporaryBitmaps();

    // Every print file of the current day folder, listed afresh, in listing order (for
    // printing the whole day); empty when none is found or nothing is selected. A print file
    // is whatever the "*.prn" listing gives, as for the tree: a folder of that name too, so a
    // day the tree lists never has "no print file" (printing a folder fails, silently).
    std::vector<std::string> PrintFilesOfCurrentDay();

private:
    std::string Join(std::string_view folder, std::string_view name) const;
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern,
                                       bool withFolders);

    LogFolderAccess& access_;
    std::vector<LogRoot> roots_;
    std::optional<LogSelection> selection_;
};

}  // namespace zr640

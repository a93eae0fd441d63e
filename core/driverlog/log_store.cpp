#include "core/driverlog/log_store.h"

#include "core/common/file_io.h"

namespace zr640 {
namespace {

bool IsDotEntry(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

std::string BitmapPathFor(std::string_view printFile, char separator) {
    const size_t nameStart = printFile.find_last_of(separator);
    const size_t dot = printFile.find_last_of('.');
    const bool dotInName =
        dot != std::string_view::npos && (nameStart == std::string_view::npos || dot > nameStart);
    return std::string(printFile.substr(0, dotInName ? dot : printFile.size())) + ".bmp";
}

std::string LogStore::Join(std::string_view folder, std::string_view name) const {
    std::string path(folder);
    path += access_.separator();
    path += name;
    return path;
}

std::vector<std::string> LogStore::ListFiles(const std::string& folder, std::string_view pattern,
                                             bool withFolders) {
    std::vector<std::string> names;
    const auto entries = access_.List(folder, pattern);
    if (!entries) return names;
    for (const auto& entry : *entries) {
        if ((withFolders || !entry.isFolder) && !IsDotEntry(entry.name)) {
            names.push_back(entry.name);
        }
    }
    return names;
}

bool LogStore::AddLogFolder(const std::string& folder) {
    roots_.push_back(LogRoot{folder, {}});
    const auto entries = access_.List(folder, "*");
    if (!entries) return false;
    for (const auto& entry : *entries) {
        if (!entry.isFolder || IsDotEntry(entry.name)) continue;
        auto files = ListFiles(Join(folder, entry.name), "*.prn", true);
        if (!files.empty()) roots_.back().days.push_back(LogDay{entry.name, std::move(files)});
    }
    return true;
}

std::optional<LogSelection> LogStore::SelectPrintFile(size_t root, size_t day, size_t file) {
    if (root >= roots_.size() || day >= roots_[root].days.size() ||
        file >= roots_[root].days[day].printFiles.size()) {
        return std::nullopt;
    }
    DeleteTemporaryBitmaps();
    const LogDay& chosen = roots_[root].days[day];
    LogSelection next;
    next.dayFolder = Join(roots_[root].folder, chosen.name);
    next.printFile = Join(next.dayFolder, chosen.printFiles[file]);
    next.bitmapFile = BitmapPathFor(next.printFile, access_.separator());
    selection_ = next;
    return next;
}

size_t LogStore::DeleteTemporaryBitmaps() {
    if (!selection_) return 0;
    size_t deleted = 0;
    for (const auto& name : ListFiles(selection_->dayFolder, "*.bmp", false)) {
        if (access_.RemoveFile(Join(selection_->dayFolder, name))) ++deleted;
    }
    // What a writer interrupted half-way (a crash, a full disk) left under its temporary name.
    const std::string temporaries = "*" + std::string(kTemporarySuffix);
    for (const auto& name : ListFiles(selection_->dayFolder, temporaries, false)) {
        if (IsTemporaryFileName(name) && access_.RemoveFile(Join(selection_->dayFolder, name))) {
            ++deleted;
        }
    }
    return deleted;
}

std::vector<std::string> LogStore::PrintFilesOfCurrentDay() {
    std::vector<std::string> paths;
    if (!selection_) return paths;
    for (const auto& name : ListFiles(selection_->dayFolder, "*.prn", true)) {
        paths.push_back(Join(selection_->dayFolder, name));
    }
    return paths;
}

}  // namespace zr640

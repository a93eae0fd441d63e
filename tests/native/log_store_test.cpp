#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/driverlog/filesystem_log_access.h"
#include "core/driverlog/log_store.h"

namespace zr640 {
namespace {

// A file system of folders given entry by entry, in the order it lists them; records every
// listing and deletion.
class FakeFolders : public LogFolderAccess {
public:
    void Add(const std::string& folder, std::vector<FolderEntry> entries) {
        folders_[folder] = std::move(entries);
    }

    std::optional<std::vector<FolderEntry>> List(const std::string& folder,
                                                 std::string_view pattern) override {
        listings.push_back(folder + "\\" + std::string(pattern));
        const auto it = folders_.find(folder);
        if (it == folders_.end()) return std::nullopt;
        std::vector<FolderEntry> matching;
        const std::string suffix(pattern.substr(1));
        for (const auto& entry : it->second) {
            const bool dots = entry.name == "." || entry.name == "..";
            if (dots || (entry.name.size() >= suffix.size() &&
                         entry.name.compare(entry.name.size() - suffix.size(), suffix.size(),
                                            suffix) == 0)) {
                matching.push_back(entry);
            }
        }
        return matching;
    }

    bool RemoveFile(const std::string& path) override {
        removed.push_back(path);
        return true;
    }

    std::vector<std::string> listings;
    std::vector<std::string> removed;

private:
    std::map<std::string, std::vector<FolderEntry>> folders_;
};

FolderEntry Folder(std::string name) { return {std::move(name), true}; }
FolderEntry File(std::string name) { return {std::move(name), false}; }

TEST(LogStore, DaysWithPrintFilesInListingOrder) {
    FakeFolders fs;
    fs.Add("C:\\Log", {Folder("."), Folder(".."), Folder("20240302"), File("stray.prn"),
                       Folder("20240301"), Folder("empty"), Folder("other")});
    fs.Add("C:\\Log\\20240302",
           {Folder("."), Folder(".."), File("b.prn"), File("a.prn"), File("b.bmp")});
    fs.Add("C:\\Log\\20240301", {File("only.prn")});
    fs.Add("C:\\Log\\empty", {Folder("."), Folder("..")});
    fs.Add("C:\\Log\\other", {File("notes.txt"), File("job.bmp")});
    LogStore store(fs);
    EXPECT_TRUE(store.AddLogFolder("C:\\Log"));

    ASSERT_EQ(store.roots().size(), 1u);
    const LogRoot& root = store.roots()[0];
    EXPECT_EQ(root.folder, "C:\\Log");
    ASSERT_EQ(root.days.size(), 2u);
    EXPECT_EQ(root.days[0].name, "20240302");
    EXPECT_EQ(root.days[0].printFiles, (std::vector<std::string>{"b.prn", "a.prn"}));
    EXPECT_EQ(root.days[1].name, "20240301");
    EXPECT_EQ(root.days[1].printFiles, std::vector<std::string>{"only.prn"});
    EXPECT_NE(std::find(fs.listings.begin(), fs.listings.end(), "C:\\Log\\other\\*.prn"),
              fs.listings.end());
}

TEST(LogStore, UnlistableFolderKeepsAnEmptyRootAndTheSameFolderTwiceGivesTwoRoots) {
    FakeFolders fs;
    fs.Add("D:\\Log", {Folder("day")});
    fs.Add("D:\\Log\\day", {File("x.prn")});
    LogStore store(fs);
    EXPECT_FALSE(store.AddLogFolder(""));  // started without arguments
    EXPECT_TRUE(store.AddLogFolder("D:\\Log"));
    EXPECT_TRUE(store.AddLogFolder("D:\\Log"));
    ASSERT_EQ(store.roots().size(), 3u);
    EXPECT_EQ(store.roots()[0].folder, "");
    EXPECT_TRUE(store.roots()[0].days.empty());
    EXPECT_EQ(store.roots()[1].folder, store.roots()[2].folder);
    EXPECT_EQ(store.roots()[1].days.size(), 1u);
    EXPECT_EQ(store.roots()[2].days.size(), 1u);
}

TEST(LogStore, SelectingAPrintFileCleansUpThePreviousDay) {
    FakeFolders fs;
    fs.Add("L", {Folder("d1"), Folder("d2")});
    const std::string longName =
        "receipt-2024-03-01-12-00-00-0001.prn";  // longer than 29 characters
    fs.Add("L\\d1", {File("a.prn"), File("a.bmp"), File(longName), Folder("sub.bmp")});
    fs.Add("L\\d2", {File("c.prn")});
    LogStore store(fs);
    ASSERT_TRUE(store.AddLogFolder("L"));

    EXPECT_EQ(store.DeleteTemporaryBitmaps(), 0u);  // nothing selected yet
    EXPECT_TRUE(fs.removed.empty());

    const auto first = store.SelectPrintFile(0, 0, 1);
    ASSERT_TRUE(first);
    EXPECT_TRUE(fs.removed.empty());
    EXPECT_EQ(first->dayFolder, "L\\d1");
    EXPECT_EQ(first->printFile, "L\\d1\\" + longName);
    EXPECT_EQ(first->bitmapFile, "L\\d1\\receipt-2024-03-01-12-00-00-0001.bmp");

    const auto second = store.SelectPrintFile(0, 1, 0);
    ASSERT_TRUE(second);
    EXPECT_EQ(fs.removed, std::vector<std::string>{"L\\d1\\a.bmp"});  // not the folder
    EXPECT_EQ(store.selection()->printFile, "L\\d2\\c.prn");

    EXPECT_FALSE(store.SelectPrintFile(0, 2, 0));
    EXPECT_FALSE(store.SelectPrintFile(1, 0, 0));
    EXPECT_EQ(store.selection()->printFile, "L\\d2\\c.prn");
    EXPECT_EQ(store.PrintFilesOfCurrentDay(), std::vector<std::string>{"L\\d2\\c.prn"});
}

TEST(LogStore, BitmapPathReplacesTheExtensionOfTheFileName) {
    EXPECT_EQ(BitmapPathFor("C:\\log\\day\\job.prn", '\\'), "C:\\log\\day\\job.bmp");
    EXPECT_EQ(BitmapPathFor("C:\\log\\day\\a.b.prn", '\\'), "C:\\log\\day\\a.b.bmp");
    EXPECT_EQ(BitmapPathFor("C:\\log.d\\day\\job", '\\'), "C:\\log.d\\day\\job.bmp");
    EXPECT_EQ(BitmapPathFor("job", '/'), "job.bmp");
}

class LogStoreOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() / "zr640_log_store";
        std::filesystem::remove_all(root_);
        for (const char* path : {"day1/a.prn", "day1/a.bmp", "day1/B.PRN", "day1/old.BMP",
                                 "day1/.a.bmp.00000000000004d2c0ffee0000000001.zr640tmp",
                                 "day1/notes.zr640tmp", "day2/notes.txt", "day3/only.prn"}) {
            std::filesystem::create_directories((root_ / path).parent_path());
            std::ofstream(root_ / path) << "x";
        }
        std::filesystem::create_directories(root_ / "day4" / "folder.prn");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    std::filesystem::path root_;
};

TEST_F(LogStoreOnDisk, ListsAndCleansUpARealFolder) {
    FileSystemLogAccess access;
    LogStore store(access);
    ASSERT_TRUE(store.AddLogFolder(root_.string()));
    std::map<std::string, std::set<std::string>> days;
    for (const auto& day : store.roots()[0].days) {
        days[day.name] = {day.printFiles.begin(), day.printFiles.end()};
    }
    // A folder named like a print file counts for the tree, as the day printing counts it.
    EXPECT_EQ(days,
              (std::map<std::string, std::set<std::string>>{
                  {"day1", {"a.prn", "B.PRN"}}, {"day3", {"only.prn"}}, {"day4", {"folder.prn"}}}));

    const auto& dayNames = store.roots()[0].days;
    const auto dayIndex = [&](const std::string& name) {
        return static_cast<size_t>(
            std::find_if(dayNames.begin(), dayNames.end(),
                         [&](const LogDay& day) { return day.name == name; }) -
            dayNames.begin());
    };
    ASSERT_TRUE(store.SelectPrintFile(0, dayIndex("day1"), 0));
    // The bitmaps and what an interrupted write left under the writer's temporary name go;
    // a file of the user's that only ends like one stays.
    EXPECT_EQ(store.DeleteTemporaryBitmaps(), 3u);
    EXPECT_FALSE(std::filesystem::exists(root_ / "day1" / "a.bmp"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "day1" / "old.BMP"));
    EXPECT_FALSE(std::filesystem::exists(root_ / "day1" /
                                         ".a.bmp.00000000000004d2c0ffee0000000001.zr640tmp"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "day1" / "notes.zr640tmp"));
    EXPECT_TRUE(std::filesystem::exists(root_ / "day1" / "a.prn"));

    // The day whose only print file is a folder: the day printing finds what the tree shows.
    ASSERT_TRUE(store.SelectPrintFile(0, dayIndex("day4"), 0));
    EXPECT_EQ(store.PrintFilesOfCurrentDay(),
              std::vector<std::string>{(root_ / "day4" / "folder.prn").string()});

    EXPECT_FALSE(store.AddLogFolder((root_ / "missing").string()));
}

}  // namespace
}  // namespace zr640

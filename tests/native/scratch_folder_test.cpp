// The scratch folder the Download page converts logos into: a folder of its own that never
// takes over an existing one, and that removes only what it named.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/scratch_folder.h"
#include "tests/native/test_bitmaps.h"

namespace zr640 {
namespace {

namespace fs = std::filesystem;

TEST(ScratchFolder, MakesAFreshFolderAndNamesEveryFileApart) {
    test::TempFolder parent;
    ScratchFolder first(parent.path(), "logos");
    ScratchFolder second(parent.path(), "logos");
    EXPECT_TRUE(first.folder().empty()) << "nothing is made before it is used";

    const fs::path a = first.NewFile("logo", ".bmp");
    const fs::path b = first.NewFile("logo", ".bmp");
    const fs::path c = second.NewFile("logo", ".bmp");
    ASSERT_FALSE(a.empty());
    ASSERT_FALSE(c.empty());
    EXPECT_NE(a, b);
    EXPECT_NE(first.folder(), second.folder()) << "two users of one parent never share";
    EXPECT_EQ(a.parent_path(), first.folder());
    EXPECT_EQ(fs::path(first.folder()).parent_path(), parent.path());
    EXPECT_TRUE(fs::is_directory(first.folder()));
}

TEST(ScratchFolder, RemovesWhatItNamedAndNothingElse) {
    test::TempFolder parent;
    const fs::path users = parent / "user.bmp";
    test::WriteFile(users, {1, 2, 3});
    fs::path folder, stranger;
    {
        ScratchFolder scratch(parent.path(), "logos");
        const fs::path mine = scratch.NewFile("logo", ".bmp");
        const fs::path kept = scratch.NewFile("logo", ".bmp");
        test::WriteFile(mine, {4});
        test::WriteFile(kept, {5});
        scratch.Remove(mine);
        scratch.Remove(users);  // not one of its names
        EXPECT_FALSE(fs::exists(mine));
        EXPECT_TRUE(fs::exists(kept));
        EXPECT_TRUE(fs::exists(users));
        folder = scratch.folder();
    }
    EXPECT_FALSE(fs::exists(folder)) << "gone with its files";
    EXPECT_TRUE(fs::exists(users));

    {
        ScratchFolder scratch(parent.path(), "logos");
        folder = scratch.NewFile("logo", ".bmp").parent_path();
        stranger = folder / "put-here-by-someone.txt";
        test::WriteFile(stranger, {6});
    }
    EXPECT_TRUE(fs::exists(stranger)) << "a file it did not name keeps the folder too";
}

TEST(ScratchFolder, WithoutAParentFolderNamesNothing) {
    test::TempFolder parent;
    ScratchFolder scratch(parent / "missing", "logos");
    EXPECT_TRUE(scratch.NewFile("logo", ".bmp").empty());
    test::WriteFile(parent / "file", {1});
    ScratchFolder underAFile(parent / "file", "logos");
    EXPECT_TRUE(underAFile.NewFile("logo", ".bmp").empty());
}

}  // namespace
}  // namespace zr640

// Files are written whole or not at all, never over what is not a regular file or what is the
// input: the core's writer itself, then the zr640 commands in the hostile but ordinary
// situations a user meets (a FIFO, a device, a user's own file with a temporary-looking name,
// two runs at once, the input given as output, a full disk behind standard output).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/common/file_io.h"
#include "core/driverlog/print_file_render.h"
#include "tests/native/print_file_builder.h"
#include "tests/native/tool_runner.h"

namespace zr640 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

void Put(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::string Text(const fs::path& path) {
    const Bytes bytes = Read(path);
    return std::string(bytes.begin(), bytes.end());
}

unsigned ModeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A print file of `receipts` receipts of `rows` rows each, every row different.
Bytes Receipts(int receipts, int rows, uint8_t seed) {
    testing::PrintFileBuilder file;
    for (int r = 0; r < receipts; ++r) {
        for (int i = 0; i < rows; ++i) {
            file.Line(std::vector<uint8_t>(80, static_cast<uint8_t>(seed + i))).Feed(1);
        }
        file.Line({}).LastLineTail();
    }
    return file.bytes();
}

Bytes PictureOf(const Bytes& log) {
    BitmapBytes bitmap;
    EXPECT_TRUE(RenderPrintFile(log, LineGeometry{}, bitmap).ok());
    return bitmap.bytes();
}

class SafeOutput : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("zr640_safe_output_" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path Fifo(const std::string& name) {
        const fs::path path = folder_ / name;
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }

    // Runs the tool with standard output and standard error kept apart.
    struct Run {
        int status = -1;
        Bytes out;
        std::string err;
    };
    Run Tool(const std::string& arguments, const std::string& stdoutTo = "") {
        const fs::path out = folder_ / "stdout.capture";
        const fs::path err = folder_ / "stderr.capture";
        const std::string command = std::string("timeout 20 \"") + ZR640_TOOL + "\" " + arguments +
                                    " > '" + (stdoutTo.empty() ? out.string() : stdoutTo) +
                                    "' 2> '" + err.string() + "'";
        Run run;
        const int status = std::system(command.c_str());
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (stdoutTo.empty()) run.out = Read(out);
        run.err = Text(err);
        fs::remove(out);
        fs::remove(err);
        return run;
    }

    fs::path folder_;
};

// --- the writer ---

TEST_F(SafeOutput, WriterReplacesWholeKeepsPermissionsAndLeavesNoTemporaryName) {
    const fs::path out = folder_ / "out.bin";
    ASSERT_TRUE(WriteFileAtomically(out, Bytes{1, 2, 3}).ok());
    EXPECT_EQ(Read(out), (Bytes{1, 2, 3}));
    ::chmod(out.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(out, Bytes(100000, 7)).ok());
    EXPECT_EQ(Read(out), Bytes(100000, 7));
    EXPECT_EQ(ModeOf(out), 0640u);
    ::chmod(out.c_str(), 0604);
    ASSERT_TRUE(WriteFileAtomically(out, Bytes{}).ok());
    EXPECT_TRUE(Read(out).empty());
    EXPECT_EQ(ModeOf(out), 0604u);
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"out.bin"});
}

TEST_F(SafeOutput, WriterNeverTouchesAUsersFileWithATemporaryLookingName) {
    const fs::path out = folder_ / "OUT";
    Put(folder_ / "OUT.partial", "the user's own notes");
    Put(folder_ / "OUT.tmp", "more notes");
    ASSERT_TRUE(WriteFileAtomically(out, Bytes{9}).ok());
    EXPECT_EQ(Text(folder_ / "OUT.partial"), "the user's own notes");
    EXPECT_EQ(Text(folder_ / "OUT.tmp"), "more notes");
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"OUT", "OUT.partial", "OUT.tmp"}));
}

TEST_F(SafeOutput, WriterRefusesWhatIsNotARegularFileAndLeavesItAsItWas) {
    const fs::path fifo = Fifo("pipe.bmp");
    const auto toFifo = WriteFileAtomically(fifo, Bytes{1});
    ASSERT_FALSE(toFifo.ok());
    EXPECT_NE(toFifo.error().find("is a FIFO"), std::string::npos) << toFifo.error();
    EXPECT_TRUE(fs::is_fifo(fifo));

    const fs::path folder = folder_ / "folder.bmp";
    fs::create_directory(folder);
    const auto toFolder = WriteFileAtomically(folder, Bytes{1});
    ASSERT_FALSE(toFolder.ok());
    EXPECT_NE(toFolder.error().find("is a directory"), std::string::npos) << toFolder.error();
    EXPECT_TRUE(fs::is_directory(folder));

    // A device node made here (only a privileged run can): the same null device as the
    // system's, which must not become a regular file.
    const fs::path device = folder_ / "null";
    if (::geteuid() == 0 && ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const auto toDevice = WriteFileAtomically(device, Bytes{1});
        ASSERT_FALSE(toDevice.ok());
        EXPECT_NE(toDevice.error().find("is a device"), std::string::npos) << toDevice.error();
        EXPECT_TRUE(fs::is_character_file(device));
        fs::remove(device);
    }
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"folder.bmp", "pipe.bmp"}));
}

TEST_F(SafeOutput, WriterRefusesTheInputUnderAnySpelling) {
    const fs::path input = folder_ / "in.prn";
    Put(input, "print file");
    fs::create_hard_link(input, folder_ / "link.prn");
    fs::create_symlink("in.prn", folder_ / "symlink.prn");
    const fs::path inputs[] = {input};
    for (const fs::path& spelling :
         {input, folder_ / "." / "in.prn", folder_ / "link.prn", folder_ / "symlink.prn"}) {
        const auto written = WriteFileAtomically(spelling, Bytes{1}, inputs);
        ASSERT_FALSE(written.ok()) << spelling;
        EXPECT_NE(written.error().find("is the input"), std::string::npos) << written.error();
    }
    EXPECT_EQ(Text(input), "print file");
    EXPECT_TRUE(fs::is_symlink(folder_ / "symlink.prn"));
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"in.prn", "link.prn", "symlink.prn"}));

    // A symbolic link that is not an input stays a link; its target is replaced.
    Put(folder_ / "target.bmp", "old");
    fs::create_symlink("target.bmp", folder_ / "shown.bmp");
    ASSERT_TRUE(WriteFileAtomically(folder_ / "shown.bmp", Bytes{'n', 'e', 'w'}, inputs).ok());
    EXPECT_TRUE(fs::is_symlink(folder_ / "shown.bmp"));
    EXPECT_EQ(Text(folder_ / "target.bmp"), "new");
}

TEST_F(SafeOutput, AFileDroppedOrFailedAtCommitLeavesTheOldOneAndNoTemporary) {
    const fs::path out = folder_ / "out.bmp";
    Put(out, "old picture");
    {
        auto file = AtomicFile::Create(out);
        ASSERT_TRUE(file.ok()) << file.error();
        ASSERT_TRUE(file->WriteAt(0, Bytes(5000, 1)));
        EXPECT_TRUE(IsTemporaryFileName(file->temporaryPath().filename().string()));
        EXPECT_EQ(file->temporaryPath().parent_path(), folder_);
        EXPECT_TRUE(fs::exists(file->temporaryPath()));
    }
    EXPECT_EQ(Text(out), "old picture");
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"out.bmp"});

    // The destination turned into a FIFO while the file was written: refused at commit.
    auto file = AtomicFile::Create(out);
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE(file->WriteAt(0, Bytes(10, 2)));
    fs::remove(out);
    Fifo("out.bmp");
    EXPECT_FALSE(file->Commit().ok());
    EXPECT_TRUE(fs::is_fifo(out));
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"out.bmp"});
}

// A picture remade from its source whenever it is used skips only the wait for the disk: it
// replaces the old file, refuses the input, and a room claimed ahead does not lengthen it.
TEST_F(SafeOutput, AFileRemadeFromItsSourceIsReplacedTheSameWay) {
    const fs::path out = folder_ / "log.bmp";
    const fs::path in = folder_ / "log.prn";
    Put(out, "old picture");
    Put(in, "print file");
    const fs::path inputs[] = {in};
    EXPECT_FALSE(AtomicFile::Create(in, inputs, Durability::kRemadeFromSource).ok());
    EXPECT_EQ(Text(in), "print file");

    auto file = AtomicFile::Create(out, inputs, Durability::kRemadeFromSource);
    ASSERT_TRUE(file.ok()) << file.error();
    file->Reserve(1 << 20);
    ASSERT_TRUE(file->WriteAt(4000, Bytes(1000, 2)));  // the end first, as the renderer does
    ASSERT_TRUE(file->WriteAt(0, Bytes(4000, 1)));
    ASSERT_TRUE(file->Commit().ok());
    Bytes expected(4000, 1);
    expected.insert(expected.end(), 1000, 2);
    EXPECT_EQ(Read(out), expected);
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"log.bmp", "log.prn"}));
}

TEST_F(SafeOutput, TwoWritersOfOneFileEachLeaveAWholeFile) {
    const fs::path out = folder_ / "shared.bin";
    const Bytes a(3 << 20, 'a');
    const Bytes b(2 << 20, 'b');
    for (int round = 0; round < 5; ++round) {
        bool okA = false;
        bool okB = false;
        std::thread first([&] { okA = WriteFileAtomically(out, a).ok(); });
        std::thread second([&] { okB = WriteFileAtomically(out, b).ok(); });
        first.join();
        second.join();
        EXPECT_TRUE(okA && okB);
        const Bytes now = Read(out);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"shared.bin"});
}

TEST_F(SafeOutput, ReaderRefusesAtOnceWhatIsNotARegularFile) {
    // Opened without blocking: no writer ever comes to this FIFO.
    const auto fifo = ReadWholeFile(Fifo("pipe.prn"));
    ASSERT_FALSE(fifo.ok());
    EXPECT_NE(fifo.error().find("is a FIFO"), std::string::npos) << fifo.error();
    const auto folder = ReadWholeFile(folder_);
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().find("is a directory"), std::string::npos) << folder.error();
    const auto missing = ReadWholeFile(folder_ / "missing.prn");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().find("no such file"), std::string::npos) << missing.error();
    Put(folder_ / "big.bin", Bytes(11, 0));
    EXPECT_FALSE(ReadWholeFile(folder_ / "big.bin", 10).ok());
    EXPECT_EQ(ReadWholeFile(folder_ / "big.bin", 11)->size(), 11u);
}

TEST(TemporaryFileName, OnlyTheWritersOwnNames) {
    EXPECT_TRUE(IsTemporaryFileName(".job.bmp.000004d2c0ffee01.zr640tmp"));
    EXPECT_FALSE(IsTemporaryFileName("job.zr640tmp"));
    EXPECT_FALSE(IsTemporaryFileName(".zr640tmp"));
    EXPECT_FALSE(IsTemporaryFileName(".job.bmp.partial"));
    EXPECT_FALSE(IsTemporaryFileName("job.bmp"));
}

// --- the tool ---

TEST_F(SafeOutput, RenderLogRefusesToWriteOverItsInput) {
    const Bytes log = Receipts(1, 10, 1);
    const fs::path input = folder_ / "same.prn";
    Put(input, log);
    const Run same = Tool("render-log '" + input.string() + "' -o '" + input.string() + "'");
    EXPECT_NE(same.status, 0);
    EXPECT_NE(same.err.find("is the input"), std::string::npos) << same.err;
    const Run spelled =
        Tool("render-log '" + input.string() + "' -o '" + folder_.string() + "/./same.prn'");
    EXPECT_NE(spelled.status, 0);
    EXPECT_EQ(Read(input), log);

    // Without -o the bitmap goes beside the input with the extension ".bmp": the input itself
    // when it is named so.
    const fs::path bitmapNamed = folder_ / "log.bmp";
    Put(bitmapNamed, log);
    const Run beside = Tool("render-log '" + bitmapNamed.string() + "'");
    EXPECT_NE(beside.status, 0);
    EXPECT_EQ(Read(bitmapNamed), log);
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"log.bmp", "same.prn"}));
}

TEST_F(SafeOutput, RenderLogLeavesAFifoOutputAndAUsersPartialFileAlone) {
    const Bytes log = Receipts(1, 10, 1);
    Put(folder_ / "in.prn", log);
    const fs::path fifo = Fifo("out.bmp");
    const Run toFifo =
        Tool("render-log '" + (folder_ / "in.prn").string() + "' -o '" + fifo.string() + "'");
    EXPECT_NE(toFifo.status, 0);
    EXPECT_NE(toFifo.err.find("is a FIFO"), std::string::npos) << toFifo.err;
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A user's file named like the old temporary file survives a good run and a refused one,
    // and as an input it is read, not truncated under its own mapping.
    Put(folder_ / "pic.bmp.partial", log);
    const Run good = Tool("render-log '" + (folder_ / "in.prn").string() + "' -o '" +
                          (folder_ / "pic.bmp").string() + "'");
    EXPECT_EQ(good.status, 0) << good.err;
    Put(folder_ / "broken.prn", Bytes{0x1B, 0x40});
    const Run refused = Tool("render-log '" + (folder_ / "broken.prn").string() + "' -o '" +
                             (folder_ / "pic.bmp").string() + "'");
    EXPECT_NE(refused.status, 0);
    EXPECT_EQ(Read(folder_ / "pic.bmp.partial"), log);
    EXPECT_EQ(Read(folder_ / "pic.bmp"), PictureOf(log));
    const Run fromPartial = Tool("render-log '" + (folder_ / "pic.bmp.partial").string() +
                                 "' -o '" + (folder_ / "pic.bmp").string() + "'");
    EXPECT_EQ(fromPartial.status, 0) << fromPartial.err;
    EXPECT_EQ(Read(folder_ / "pic.bmp.partial"), log);
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"broken.prn", "in.prn", "out.bmp",
                                                        "pic.bmp", "pic.bmp.partial"}));
}

TEST_F(SafeOutput, InputsThatAreNoRegularFilesAreRefusedAtOnceWithWhatTheyAre) {
    const fs::path fifo = Fifo("pipe.prn");
    const Run render =
        Tool("render-log '" + fifo.string() + "' -o '" + (folder_ / "x.bmp").string() + "'");
    EXPECT_EQ(render.status, 1);  // not 124: timeout did not have to end it
    EXPECT_NE(render.err.find("is a FIFO"), std::string::npos) << render.err;
    const Run mono = Tool("logo mono '" + fifo.string() + "'");
    EXPECT_EQ(mono.status, 1);
    EXPECT_NE(mono.err.find("is a FIFO"), std::string::npos) << mono.err;
    const Run show = Tool("devmode show '" + fifo.string() + "'");
    EXPECT_EQ(show.status, 1);
    EXPECT_NE(show.err.find("is a FIFO"), std::string::npos) << show.err;
    const Run folder = Tool("render-log '" + folder_.string() + "'");
    EXPECT_NE(folder.err.find("is a directory"), std::string::npos) << folder.err;
    const Run missing = Tool("logo gray '" + (folder_ / "missing.bmp").string() + "'");
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
    EXPECT_EQ(Names(folder_), std::vector<std::string>{"pipe.prn"});
}

TEST_F(SafeOutput, DashWritesToStandardOutputAndAFailedWriteThereFails) {
    const Bytes log = Receipts(2, 30, 3);
    const fs::path input = folder_ / "in.prn";
    Put(input, log);
    const Run picture = Tool("render-log '" + input.string() + "' -o -");
    EXPECT_EQ(picture.status, 0) << picture.err;
    EXPECT_EQ(picture.out, PictureOf(log));
    EXPECT_EQ(picture.err, "29\n58\n");  // the page ends, beside the picture
    const Run record = Tool("devmode default -o -");
    EXPECT_EQ(record.status, 0);
    EXPECT_EQ(record.out.size(), 1976u);

    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    for (const std::string& command : std::vector<std::string>{
             "devmode default", "devmode default -o -", "logo clear -o -",
             "render-log '" + input.string() + "' -o -",
             "render-log '" + input.string() + "' -o '" + (folder_ / "x.bmp").string() + "'"}) {
        const Run full = Tool(command, "/dev/full");
        EXPECT_EQ(full.status, 1) << command << ": " << full.err;
        EXPECT_NE(full.err.find("cannot write standard output"), std::string::npos) << full.err;
    }
}

TEST_F(SafeOutput, ToolKeepsThePermissionsOfAReplacedOutput) {
    Put(folder_ / "in.prn", Receipts(1, 10, 1));
    const fs::path out = folder_ / "out.bmp";
    Put(out, "old");
    ::chmod(out.c_str(), 0600);
    const Run run =
        Tool("render-log '" + (folder_ / "in.prn").string() + "' -o '" + out.string() + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ModeOf(out), 0600u);
    ::chmod(out.c_str(), 0664);
    EXPECT_EQ(Tool("logo clear -o '" + out.string() + "'").status, 0);
    EXPECT_EQ(ModeOf(out), 0664u);
}

// Two runs writing one output at once: each ends with its whole picture in place or a
// refusal, never a mixture of both.
TEST_F(SafeOutput, TwoRunsWritingOneOutputLeaveOneWholePicture) {
    const Bytes first = Receipts(40, 500, 1);
    const Bytes second = Receipts(30, 500, 101);
    Put(folder_ / "first.prn", first);
    Put(folder_ / "second.prn", second);
    const Bytes pictureA = PictureOf(first);
    const Bytes pictureB = PictureOf(second);
    const fs::path out = folder_ / "shared.bmp";
    for (int round = 0; round < 4; ++round) {
        const std::string tool = std::string("\"") + ZR640_TOOL + "\" render-log ";
        const std::string command =
            "(" + tool + "'" + (folder_ / "first.prn").string() + "' -o '" + out.string() +
            "' >/dev/null 2>&1; echo $? > '" + (folder_ / "a.status").string() + "') & " + tool +
            "'" + (folder_ / "second.prn").string() + "' -o '" + out.string() +
            "' >/dev/null 2>&1; echo $? > '" + (folder_ / "b.status").string() + "'; wait";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(Text(folder_ / "a.status"), "0\n");
        EXPECT_EQ(Text(folder_ / "b.status"), "0\n");
        const Bytes now = Read(out);
        EXPECT_TRUE(now == pictureA || now == pictureB) << "round " << round;
    }
    fs::remove(folder_ / "a.status");
    fs::remove(folder_ / "b.status");
    EXPECT_EQ(Names(folder_), (std::vector<std::string>{"first.prn", "second.prn", "shared.bmp"}));
}

}  // namespace
}  // namespace zr640

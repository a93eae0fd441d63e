// The viewer's pieces in-process: its language lookup through the registry and the wide
// profile functions, the log folders and bitmaps under wide paths, the printing steps against
// a recording spooler, the handle owners, the command line and the program's resources.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/driverlog/print_file_render.h"
#include "tests/windows/viewer_fixture.h"
#include "win32/handles.h"
#include "viewer/language.h"
#include "viewer/log_folder_access.h"
#include "viewer/log_picture.h"
#include "viewer/log_printing.h"
#include "viewer/resource.h"
#include "viewer/viewer_app.h"
#include "win32/wide_text.h"

namespace {

using namespace zr640viewer;
using namespace zr640::win;
using wintest::ScratchFolder;
using zr640::ViewerText;

// ---- Language ------------------------------------------------------------------------------

class LanguageValue {
public:
    explicit LanguageValue(const wchar_t* name) : name_(name) { Remove(); }
    ~LanguageValue() { Remove(); }
    void Set(const std::wstring& value) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, kLanguageKey, name_, REG_SZ, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    void SetNumber(DWORD value) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, kLanguageKey, name_, REG_DWORD, &value, sizeof value);
    }
    void Remove() const { RegDeleteKeyValueW(HKEY_CURRENT_USER, kLanguageKey, name_); }

private:
    const wchar_t* name_;
};

TEST(ViewerLanguage, FileNamedByTheModelsValueElseBySystemLanguage) {
    const LanguageValue value(L"LANGUAGE_PARTSTEST");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 0x0409), L"ENG.ini");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 1028), L"CHF.ini");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 3076), L"CHF.ini");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 4100), L"CHF.ini");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 2052), L"CHN.ini");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 0x0407), L"ENG.ini");

    value.Set(L"CHN_ZR640.res");
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 3076), L"CHN_ZR640.res");
    EXPECT_EQ(LanguageFileName(L"OTHERMODEL", 3076), L"CHF.ini");

    // Names of up to 255 characters are read whole (with the terminator, 256 characters); a
    // longer value, or one that is no text, cannot be read.
    value.Set(std::wstring(255, L'x'));
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 2052), std::wstring(255, L'x'));
    value.Set(std::wstring(200, L'y'));
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 2052), std::wstring(200, L'y'));
    value.Set(std::wstring(256, L'x'));
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 2052), L"CHN.ini");
    value.SetNumber(7);
    EXPECT_EQ(LanguageFileName(L"PARTSTEST", 2052), L"CHN.ini");
}

TEST(ViewerLanguage, WithoutAModelTheValueNameIsLanguageAlone) {
    const LanguageValue value(L"LANGUAGE_");
    value.Set(L"CHF.ini");
    EXPECT_EQ(LanguageFileName(L"", 0x0409), L"CHF.ini");
}

TEST(ViewerLanguage, FileLiesInTheRzkFolderOfTheRoamingApplicationData) {
    wchar_t appData[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
    EXPECT_EQ(LanguageFilePath(L"CHF.ini"), std::wstring(appData) + L"\\RZK\\CHF.ini");
}

std::vector<uint8_t> Utf16File(const std::wstring& text) {
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(ViewerLanguage, ShippedChineseFilesArriveWholeAndMissingKeysTakeTheDefaults) {
    const ScratchFolder folder(L"zr640_viewer_language");
    const std::wstring chn = folder / L"CHN.ini";
    ASSERT_TRUE(
        CopyFileW(wintest::SourcePath(L"/viewer/lang/CHN.ini").c_str(), chn.c_str(), FALSE));
    const ViewerTextSet texts = ViewerTextSet::Load(chn);
    EXPECT_EQ(texts[ViewerText::BtnTop], L"\u9996\u9875");              // 首页
    EXPECT_EQ(texts[ViewerText::GroupPrinter], L"\u6253\u5370\u673A");  // 打印机
    EXPECT_EQ(texts[ViewerText::DriverName], L"T-");
    EXPECT_EQ(texts[ViewerText::PrinterPoints], L"640");

    const std::wstring chf = folder / L"CHF.ini";
    ASSERT_TRUE(
        CopyFileW(wintest::SourcePath(L"/viewer/lang/CHF.ini").c_str(), chf.c_str(), FALSE));
    EXPECT_EQ(ViewerTextSet::Load(chf)[ViewerText::BtnExit], L"\u7D50\u675F");  // 結束

    const std::wstring partial = folder / L"partial.ini";
    ASSERT_TRUE(
        wintest::WriteBytes(partial, Utf16File(L"[DRIVERLOG]\r\nRC_BTN_TOP=\u9876\r\nMB_LOGERROR=" +
                                               std::wstring(60, L'\u65E5') + L"\r\n")));
    const ViewerTextSet some = ViewerTextSet::Load(partial);
    EXPECT_EQ(some[ViewerText::BtnTop], L"\u9876");
    EXPECT_EQ(some[ViewerText::BtnBack], L"BACK");
    EXPECT_EQ(some[ViewerText::LogError], std::wstring(49, L'\u65E5'));  // 50 with the terminator

    const ViewerTextSet none = ViewerTextSet::Load(folder / L"missing.ini");
    for (size_t i = 0; i < zr640::kViewerTextCount; ++i) {
        const auto text = static_cast<ViewerText>(i);
        EXPECT_EQ(none[text], zr640::win::WideFromUtf8(zr640::ViewerTextEntryOf(text).defaultText));
    }
}

// ---- Log folders and bitmaps under wide paths ------------------------------------------------

constexpr zr640::LineGeometry kGeometry{80, 640};

std::vector<uint8_t> ExpectedBitmap(const std::vector<uint8_t>& log) {
    zr640::BitmapBytes bitmap;
    EXPECT_TRUE(zr640::RenderPrintFile(log, kGeometry, bitmap).ok());
    return bitmap.bytes();
}

TEST(ViewerLogFolders, NamesOutsideTheCodePageListRenderAndAreCleanedUp) {
    const ScratchFolder scratch(L"zr640_viewer_\u65E5\u5FD7");  // 日志
    const std::wstring day = scratch / L"\u516D\u6708";         // 六月
    const std::wstring notes = scratch / L"notes";
    CreateDirectoryW(day.c_str(), nullptr);
    CreateDirectoryW(notes.c_str(), nullptr);
    const std::vector<uint8_t> log = wintest::RasterLog(2, 30, 5);
    ASSERT_TRUE(wintest::WriteBytes(day + L"\\\u6536\u636E.prn", log));  // 收据.prn
    ASSERT_TRUE(wintest::WriteBytes(day + L"\\old.bmp", {1, 2, 3}));
    ASSERT_TRUE(wintest::WriteBytes(notes + L"\\notes.txt", {1}));
    ASSERT_TRUE(wintest::WriteBytes(notes + L"\\kept.bmp", {1}));

    WindowsLogAccess access;
    zr640::LogStore store(access);
    ASSERT_TRUE(store.AddLogFolder(zr640::win::Utf8FromWide(scratch.path())));
    ASSERT_EQ(store.roots().size(), 1u);
    ASSERT_EQ(store.roots()[0].days.size(), 1u);
    EXPECT_EQ(zr640::win::WideFromUtf8(store.roots()[0].days[0].name), L"\u516D\u6708");
    ASSERT_EQ(store.roots()[0].days[0].printFiles.size(), 1u);

    const auto selection = store.SelectPrintFile(0, 0, 0);
    ASSERT_TRUE(selection.has_value());
    EXPECT_EQ(zr640::win::WideFromUtf8(selection->printFile), day + L"\\\u6536\u636E.prn");
    const std::wstring bitmap = zr640::win::WideFromUtf8(selection->bitmapFile);
    EXPECT_EQ(bitmap, day + L"\\\u6536\u636E.bmp");
    const auto picture =
        RenderLogFile(zr640::win::WideFromUtf8(selection->printFile), bitmap, kGeometry);
    ASSERT_TRUE(picture.ok()) << picture.error();
    EXPECT_EQ(picture->pageEnds, (std::vector<uint32_t>{28, 56}));
    EXPECT_EQ(wintest::ReadBytes(bitmap), ExpectedBitmap(log));

    EXPECT_EQ(store.DeleteTemporaryBitmaps(), 2u);
    EXPECT_FALSE(wintest::Exists(bitmap));
    EXPECT_FALSE(wintest::Exists(day + L"\\old.bmp"));
    EXPECT_TRUE(wintest::Exists(day + L"\\\u6536\u636E.prn"));
    EXPECT_TRUE(wintest::Exists(notes + L"\\kept.bmp"));

    EXPECT_FALSE(store.AddLogFolder(zr640::win::Utf8FromWide(scratch / L"missing")));
    EXPECT_EQ(store.roots().size(), 2u);
}

TEST(ViewerLogPicture, RefusalsLeaveTheOlderBitmapAndNoTemporaryFile) {
    const ScratchFolder scratch(L"zr640_viewer_picture");
    const std::wstring bitmap = scratch / L"job.bmp";
    ASSERT_TRUE(wintest::WriteBytes(bitmap, {'o', 'l', 'd'}));
    const auto refused = [&](const std::wstring& printFile) {
        const auto picture = RenderLogFile(printFile, bitmap, kGeometry);
        EXPECT_EQ(wintest::ReadBytes(bitmap), (std::vector<uint8_t>{'o', 'l', 'd'}));
        EXPECT_TRUE(wintest::Listing(scratch.path(), L"*.zr640tmp", false).empty());
        return !picture.ok();
    };

    EXPECT_TRUE(refused(scratch / L"missing.prn"));
    ASSERT_TRUE(wintest::WriteBytes(scratch / L"empty.prn", {}));
    EXPECT_TRUE(refused(scratch / L"empty.prn"));
    ASSERT_TRUE(wintest::WriteBytes(scratch / L"no_page_end.prn", {0x1B, 0x33, 0x18, 0x0A}));
    EXPECT_TRUE(refused(scratch / L"no_page_end.prn"));

    // A print file that is still being written (opened without read sharing) is not shown.
    const std::wstring busy = scratch / L"busy.prn";
    ASSERT_TRUE(wintest::WriteBytes(busy, wintest::RasterLog(1, 10, 1)));
    {
        const ScopedFile writer(CreateFileW(busy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(writer.valid());
        EXPECT_TRUE(refused(busy));
    }
    EXPECT_TRUE(RenderLogFile(busy, bitmap, kGeometry).ok());
    EXPECT_EQ(wintest::ReadBytes(bitmap), ExpectedBitmap(wintest::RasterLog(1, 10, 1)));

    // A picture taller than the window loads: refused before anything is written.
    std::vector<uint8_t> tall = {0x1B, 0x40};
    for (int i = 0; i < 257; ++i) tall.insert(tall.end(), {0x1B, 0x33, 0xFF, 0x0A});  // 65535
    tall.insert(tall.end(), {0x1B, 0x33, 0x00, 0x0A});                                // + 24
    ASSERT_TRUE(wintest::WriteBytes(scratch / L"tall.prn", tall));
    ASSERT_TRUE(wintest::WriteBytes(bitmap, {'o', 'l', 'd'}));
    EXPECT_TRUE(refused(scratch / L"tall.prn"));
    tall.resize(tall.size() - 8);  // 65280 + 24 rows: shown
    tall.insert(tall.end(), {0x1B, 0x33, 0x00, 0x0A});
    ASSERT_TRUE(wintest::WriteBytes(scratch / L"tall.prn", tall));
    const auto shown = RenderLogFile(scratch / L"tall.prn", bitmap, kGeometry);
    ASSERT_TRUE(shown.ok()) << shown.error();
    EXPECT_LE(shown->height, kTallestShownPicture);
}

// The Windows side of the one writer: CreateFileW with CREATE_NEW, MoveFileExW over the old
// file, folders and the input (by volume serial and file index) refused.
TEST(ViewerLogPicture, WriterOnWindowsRefusesFoldersAndTheInput) {
    const ScratchFolder scratch(L"zr640_viewer_writer");
    const std::filesystem::path out(scratch / L"\u6536\u636E.bmp");
    const uint8_t first[] = {1, 2, 3};
    ASSERT_TRUE(zr640::WriteFileAtomically(out, first).ok());
    const uint8_t second[] = {4};
    ASSERT_TRUE(zr640::WriteFileAtomically(out, second).ok());
    EXPECT_EQ(wintest::ReadBytes(out.wstring()), (std::vector<uint8_t>{4}));

    const std::filesystem::path inputs[] = {out};
    const std::filesystem::path spelled(scratch.path() + L"\\.\\\u6536\u636E.bmp");
    const auto same = zr640::WriteFileAtomically(spelled, first, inputs);
    ASSERT_FALSE(same.ok());
    EXPECT_NE(same.error().find("is the input"), std::string::npos) << same.error();
    EXPECT_EQ(wintest::ReadBytes(out.wstring()), (std::vector<uint8_t>{4}));

    CreateDirectoryW((scratch / L"folder.bmp").c_str(), nullptr);
    const auto folder = zr640::WriteFileAtomically(scratch / L"folder.bmp", first);
    ASSERT_FALSE(folder.ok());
    EXPECT_NE(folder.error().find("is a directory"), std::string::npos) << folder.error();
    const auto read = zr640::ReadWholeFile(scratch / L"folder.bmp");
    ASSERT_FALSE(read.ok());
    EXPECT_NE(read.error().find("is a directory"), std::string::npos) << read.error();
    EXPECT_TRUE(wintest::Listing(scratch.path(), L"*.zr640tmp", false).empty());
}

TEST(ViewerLogPicture, BitmapFileDroppedWithoutCommitLeavesNothing) {
    const ScratchFolder scratch(L"zr640_viewer_sink");
    const std::wstring path = scratch / L"x.bmp";
    {
        zr640::BitmapFile file{std::filesystem::path(path)};
        ASSERT_TRUE(file.opened());
        const uint8_t bytes[] = {1, 2, 3};
        EXPECT_TRUE(file.WriteAt(4, bytes));
        EXPECT_EQ(wintest::Listing(scratch.path(), L".x.bmp.*.zr640tmp", false).size(), 1u);
    }
    EXPECT_TRUE(wintest::Listing(scratch.path(), L"*.zr640tmp", false).empty());
    EXPECT_FALSE(wintest::Exists(path));

    zr640::BitmapFile file{std::filesystem::path(path)};
    const uint8_t bytes[] = {9, 8};
    EXPECT_TRUE(file.WriteAt(1, bytes));
    EXPECT_TRUE(file.WriteAt(0, std::span<const uint8_t>(bytes, 1)));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(wintest::ReadBytes(path), (std::vector<uint8_t>{9, 9, 8}));
    EXPECT_FALSE(file.Commit());  // once only

    zr640::BitmapFile blocked{std::filesystem::path(scratch / L"no_such_folder\\y.bmp")};
    EXPECT_FALSE(blocked.opened());
    EXPECT_FALSE(blocked.WriteAt(0, bytes));
    EXPECT_FALSE(blocked.Commit());
}

// ---- Printing ------------------------------------------------------------------------------

class RecordingSpooler final : public Spooler {
public:
    std::optional<std::vector<std::wstring>> LocalPrinterNames() override { return printers; }
    bool Open(const std::wstring& printer) override {
        calls.push_back(L"open " + printer);
        return refuse != L"open";
    }
    bool StartDocument(const std::wstring& name) override {
        calls.push_back(L"start " + name);
        return refuse != L"start";
    }
    bool Write(std::span<const uint8_t> bytes) override {
        calls.push_back(L"write " + std::to_wstring(bytes.size()));
        written.emplace_back(bytes.begin(), bytes.end());
        return refuse != L"write";
    }
    void EndDocument() override { calls.push_back(L"end"); }
    void Close() override { calls.push_back(L"close"); }

    std::vector<std::wstring> printers;
    std::wstring refuse;
    std::vector<std::wstring> calls;
    std::vector<std::vector<uint8_t>> written;
};

TEST(ViewerPrinting, OneFileIsOneRawJobWrittenAtOnce) {
    const ScratchFolder scratch(L"zr640_viewer_print");
    const std::vector<uint8_t> log = wintest::RasterLog(1, 40, 3);
    ASSERT_TRUE(wintest::WriteBytes(scratch / L"a.prn", log));

    RecordingSpooler spooler;
    EXPECT_TRUE(PrintLogFile(spooler, L"T-ZR640 Test", scratch / L"a.prn"));
    const std::wstring write = L"write " + std::to_wstring(log.size());
    EXPECT_EQ(spooler.calls,
              (std::vector<std::wstring>{L"open T-ZR640 Test", L"start Driver LOG Printing", write,
                                         L"end", L"close"}));
    ASSERT_EQ(spooler.written.size(), 1u);
    EXPECT_EQ(spooler.written[0], log);

    // A refused step ends what was begun.
    spooler.calls.clear();
    spooler.refuse = L"write";
    EXPECT_FALSE(PrintLogFile(spooler, L"T-ZR640 Test", scratch / L"a.prn"));
    EXPECT_EQ(spooler.calls,
              (std::vector<std::wstring>{L"open T-ZR640 Test", L"start Driver LOG Printing", write,
                                         L"end", L"close"}));
    spooler.calls.clear();
    spooler.refuse = L"start";
    EXPECT_FALSE(PrintLogFile(spooler, L"T-ZR640 Test", scratch / L"a.prn"));
    EXPECT_EQ(spooler.calls, (std::vector<std::wstring>{L"open T-ZR640 Test",
                                                        L"start Driver LOG Printing", L"close"}));
    spooler.calls.clear();
    spooler.refuse = L"open";
    EXPECT_FALSE(PrintLogFile(spooler, L"typed by hand", scratch / L"a.prn"));
    EXPECT_EQ(spooler.calls, std::vector<std::wstring>{L"open typed by hand"});

    // An unreadable file never reaches the spooler.
    spooler.calls.clear();
    spooler.refuse.clear();
    EXPECT_FALSE(PrintLogFile(spooler, L"T-ZR640 Test", scratch / L"missing.prn"));
    EXPECT_TRUE(spooler.calls.empty());
}

TEST(ViewerPrinting, ADayOfThreeFilesIsThreeJobsInListingOrder) {
    const ScratchFolder scratch(L"zr640_viewer_print_day");
    const std::wstring day = scratch / L"day";
    CreateDirectoryW(day.c_str(), nullptr);
    for (const wchar_t* name : {L"one.prn", L"two.prn", L"three.prn"}) {
        ASSERT_TRUE(wintest::WriteBytes(
            day + L"\\" + name, {static_cast<uint8_t>(name[0]), static_cast<uint8_t>(name[1])}));
    }
    WindowsLogAccess access;
    zr640::LogStore store(access);
    ASSERT_TRUE(store.AddLogFolder(zr640::win::Utf8FromWide(scratch.path())));
    ASSERT_TRUE(store.SelectPrintFile(0, 0, 0).has_value());

    RecordingSpooler spooler;
    std::vector<std::vector<uint8_t>> expected;
    for (const std::string& file : store.PrintFilesOfCurrentDay()) {
        EXPECT_TRUE(PrintLogFile(spooler, L"T-ZR640 Test", zr640::win::WideFromUtf8(file)));
        expected.push_back(wintest::ReadBytes(zr640::win::WideFromUtf8(file)));
    }
    const std::vector<std::wstring> job = {L"open T-ZR640 Test", L"start Driver LOG Printing",
                                           L"write 2", L"end", L"close"};
    std::vector<std::wstring> threeJobs;
    for (int i = 0; i < 3; ++i) threeJobs.insert(threeJobs.end(), job.begin(), job.end());
    EXPECT_EQ(spooler.calls, threeJobs);
    EXPECT_EQ(spooler.written, expected);
    std::vector<std::wstring> listed = wintest::Listing(day, L"*.prn", false);
    ASSERT_EQ(listed.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(spooler.written[i][0], static_cast<uint8_t>(listed[i][0])) << i;
    }
}

TEST(ViewerPrinting, PrinterListHoldsTheFilteredNamesCutAtEveryAt) {
    const PrinterList list = FilterPrinters({L"T-ZR640 Test", L"Office Laser", L"Kitchen T-ZR640",
                                             L"t-lower case", L"T-A@T-B", L"T-trailing@", L"T@"},
                                            L"T-");
    EXPECT_EQ(list.matched, 4);
    EXPECT_EQ(list.entries, (std::vector<std::wstring>{L"T-ZR640 Test", L"Kitchen T-ZR640", L"T-A",
                                                       L"T-B", L"T-trailing"}));
    EXPECT_TRUE(FilterPrinters({L"Office Laser"}, L"T-").entries.empty());
    EXPECT_EQ(FilterPrinters({L"A", L"B"}, L"").matched, 2);
}

TEST(ViewerPrinting, TheRealSpoolerListsTheTestPrinterAndRefusesAnUnknownOne) {
    WindowsSpooler spooler;
    const auto names = spooler.LocalPrinterNames();
    ASSERT_TRUE(names.has_value());
    EXPECT_NE(std::find(names->begin(), names->end(), L"T-ZR640 Test"), names->end());
    EXPECT_FALSE(spooler.Open(L"No Such Printer"));
    ASSERT_TRUE(spooler.Open(L"T-ZR640 Test"));
    spooler.Close();
}

// ---- Handle owners ----------------------------------------------------------------------------

TEST(ViewerHandles, FileAndKernelObjectAndViewAreReleased) {
    const ScratchFolder scratch(L"zr640_viewer_handles");
    const std::wstring path = scratch / L"f.bin";
    ASSERT_TRUE(wintest::WriteBytes(path, {1, 2, 3, 4}));
    const auto openExclusive = [&] {
        return ScopedFile(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    const void* address = nullptr;
    {
        ScopedFile file = openExclusive();
        ASSERT_TRUE(file.valid());
        EXPECT_FALSE(openExclusive().valid());  // still held
        ScopedKernelObject mapping(
            CreateFileMappingW(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        ASSERT_TRUE(mapping.valid());
        const ScopedMappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
        ASSERT_TRUE(view.valid());
        address = view.get();
        EXPECT_EQ(static_cast<const uint8_t*>(address)[2], 3);
        ScopedFile moved(std::move(file));
        EXPECT_FALSE(file.valid());
        EXPECT_TRUE(moved.valid());
        DWORD flags = 0;
        const HANDLE raw = mapping.get();
        mapping.Reset();
        EXPECT_FALSE(GetHandleInformation(raw, &flags));
    }
    MEMORY_BASIC_INFORMATION memory = {};
    VirtualQuery(address, &memory, sizeof memory);
    EXPECT_NE(memory.State, static_cast<DWORD>(MEM_COMMIT));
    EXPECT_TRUE(openExclusive().valid());

    WIN32_FIND_DATAW found;
    HANDLE raw = nullptr;
    {
        const ScopedFind search(FindFirstFileW((scratch.path() + L"\\*").c_str(), &found));
        ASSERT_TRUE(search.valid());
        raw = search.get();
        EXPECT_TRUE(FindNextFileW(raw, &found));
    }
    EXPECT_FALSE(FindNextFileW(raw, &found));
}

TEST(ViewerHandles, KeyPrinterBitmapAndMenuAreReleased) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    { const ScopedKey scoped(key); }
    EXPECT_NE(RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(L"T-ZR640 Test"), &printer, nullptr));
    { const ScopedPrinter scoped(printer); }
    DWORD needed = 0;
    EXPECT_FALSE(GetPrinterW(printer, 2, nullptr, 0, &needed) ||
                 GetLastError() == ERROR_INSUFFICIENT_BUFFER);

    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    { const ScopedBitmap scoped(bitmap); }
    EXPECT_EQ(GetObjectType(bitmap), 0u);

    const HMENU menu = CreatePopupMenu();
    { const ScopedMenu scoped(menu); }
    EXPECT_FALSE(IsMenu(menu));
}

TEST(ViewerHandles, DeviceContextsAndSelectionsAreGivenBack) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, nullptr);
    HDC memoryHandle = nullptr;
    {
        const WindowDC screen(window);
        ASSERT_NE(screen.get(), nullptr);
        EXPECT_EQ(WindowFromDC(screen.get()), window);
        const MemoryDC memory(screen.get());
        memoryHandle = memory.get();
        const HGDIOBJ original = GetCurrentObject(memory.get(), OBJ_BITMAP);
        {
            const ScopedSelection selected(memory.get(), bitmap);
            EXPECT_TRUE(selected.ok());
            EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), bitmap);
        }
        EXPECT_EQ(GetCurrentObject(memory.get(), OBJ_BITMAP), original);
    }
    EXPECT_EQ(GetObjectType(memoryHandle), 0u);
    DeleteObject(bitmap);

    InvalidateRect(window, nullptr, TRUE);
    {
        const PaintDC paint(window);
        EXPECT_NE(paint.get(), nullptr);
    }
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    DestroyWindow(window);
}

// ---- Command line and resources ------------------------------------------------------------

TEST(ViewerProgram, ModelAndFolderAreTakenOnlyTogether) {
    EXPECT_EQ(ParseViewerArguments({L"viewer.exe"}).model, L"");
    const ViewerArguments one = ParseViewerArguments({L"viewer.exe", L"ZR640"});
    EXPECT_EQ(one.model, L"");
    EXPECT_EQ(one.logFolder, L"");
    const ViewerArguments two =
        ParseViewerArguments({L"viewer.exe", L"ZR640", L"C:\\Log", L"extra"});
    EXPECT_EQ(two.model, L"ZR640");
    EXPECT_EQ(two.logFolder, L"C:\\Log");
}

TEST(ViewerProgram, CarriesItsTemplatesMenuStringAndIcon) {
    const HMODULE program =
        LoadLibraryExW(wintest::ViewerProgram().c_str(), nullptr,
                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(IDD_ABOUTBOX), MAKEINTRESOURCEW(5)), nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(IDD_VIEWER), MAKEINTRESOURCEW(5)), nullptr);
    EXPECT_NE(FindResourceW(program, MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14)),
              nullptr);

    wchar_t text[256] = {};
    LoadStringW(program, IDS_ABOUTBOX, text, 256);
    EXPECT_STREQ(text, L"\u5173\u4E8E VELKDriverlogViewer(&A)...");  // 关于

    const ScopedMenu menu(LoadMenuW(program, MAKEINTRESOURCEW(IDR_TREE_MENU)));
    ASSERT_TRUE(menu.valid());
    const HMENU popup = GetSubMenu(menu.get(), 0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetMenuItemCount(popup), 1);
    EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_ADD_NEW_LOG));
    GetMenuStringW(popup, 0, text, 256, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Add New Log");
    FreeLibrary(program);
}

}  // namespace

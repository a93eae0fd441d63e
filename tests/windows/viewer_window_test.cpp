// The real RZKDriverlogViewer.exe on a generated log folder, driven from this process by
// messages to its controls: the tree, the picture and its paging, printing into the test
// printer's capture file, the language texts and the clean-up on close.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/driverlog/page_view.h"
#include "core/driverlog/print_file_render.h"
#include "tests/windows/viewer_fixture.h"
#include "tools/viewershot/remote_viewer.h"
#include "viewer/log_picture.h"
#include "viewer/resource.h"

namespace {

using viewershot::RemoteViewer;
using wintest::Exists;
using wintest::Listing;
using wintest::ReadBytes;
using wintest::WriteBytes;

constexpr wchar_t kModel[] = L"VIEWERTEST";
constexpr wchar_t kLanguageKey[] = L"SOFTWARE\\TALVORN\\LANGUAGE";
constexpr wchar_t kCapture[] = L"C:\\capture\\zr640.prn";
constexpr zr640::LineGeometry kGeometry{80, 640};

// 37 characters: a name of any length is a print file like any other.
constexpr wchar_t kLongName[] = L"receipt_of_the_front_counter_0001.prn";
static_assert(sizeof kLongName / sizeof kLongName[0] - 1 == 37);

// A log of line spacings whose picture is one row taller than the window can load.
std::vector<uint8_t> OversizedLog() {
    std::vector<uint8_t> log = {0x1B, 0x40};
    constexpr uint32_t kSpaced = zr640viewer::kTallestShownPicture + 1 - 24;
    for (uint32_t rows = 0; rows < kSpaced;) {
        const uint32_t step = std::min<uint32_t>(255, kSpaced - rows);
        log.insert(log.end(), {0x1B, 0x33, static_cast<uint8_t>(step), 0x0A});
        rows += step;
    }
    log.insert(log.end(), {0x1B, 0x33, 0x00, 0x0A, 0x1D, 0x56, 0x01});  // page end: 24 more
    return log;
}

std::vector<uint8_t> ExpectedBitmap(const std::vector<uint8_t>& log) {
    zr640::BitmapBytes bitmap;
    EXPECT_TRUE(zr640::RenderPrintFile(log, kGeometry, bitmap).ok());
    return bitmap.bytes();
}

std::wstring RzkFolder() {
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    const std::wstring folder = std::wstring(appData) + L"\\RZK";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void SetLanguageValue(const wchar_t* name, const std::wstring& file) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kLanguageKey, name, REG_SZ, file.c_str(),
                    static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)));
}

void RemoveLanguageValue(const wchar_t* name) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kLanguageKey, name);
}

// Waits for the spooler to put `expected` into the capture file.
std::vector<uint8_t> CaptureAfterPrinting(const std::vector<uint8_t>& expected) {
    std::vector<uint8_t> captured;
    for (int i = 0; i < 100; ++i) {
        captured = ReadBytes(kCapture);
        if (captured == expected) break;
        Sleep(50);
    }
    return captured;
}

class ViewerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveLanguageValue(L"LANGUAGE_VIEWERTEST");
        CreateDirectoryW(log_.c_str(), nullptr);
        CreateDirectoryW(day1_.c_str(), nullptr);
        CreateDirectoryW(day2_.c_str(), nullptr);
        CreateDirectoryW(day3_.c_str(), nullptr);
        CreateDirectoryW(day4_.c_str(), nullptr);
        CreateDirectoryW((day4_ + L"\\only.prn").c_str(), nullptr);  // a folder, not a file
        CreateDirectoryW(day5_.c_str(), nullptr);
        ASSERT_TRUE(WriteBytes(day5_ + L"\\huge.prn", OversizedLog()));
        ASSERT_TRUE(WriteBytes(day1_ + L"\\short.prn", shortLog_));
        ASSERT_TRUE(WriteBytes(day1_ + L"\\tall.prn", tallLog_));
        ASSERT_TRUE(WriteBytes(day1_ + L"\\broken.prn", {0x1B, 0x40, 0x1B, 0x33, 0x18, 0x0A}));
        ASSERT_TRUE(WriteBytes(day1_ + L"\\" + kLongName, shortLog_));
        ASSERT_TRUE(WriteBytes(log_ + L"\\stray.prn", shortLog_));
        ASSERT_TRUE(WriteBytes(day3_ + L"\\notes.txt", {'n'}));
        ASSERT_TRUE(WriteBytes(day3_ + L"\\old.bmp", {'b'}));
        // Three print files whose sizes fall in listing order; the listing order is known only
        // once they exist.
        for (const wchar_t* name : {L"a.prn", L"b.prn", L"c.prn"}) {
            ASSERT_TRUE(WriteBytes(day2_ + L"\\" + name, {0}));
        }
        dayFiles_ = Listing(day2_, L"*.prn", false);
        ASSERT_EQ(dayFiles_.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            std::vector<uint8_t> bytes(3000 - 1000 * i, static_cast<uint8_t>('A' + i));
            bytes[0] = static_cast<uint8_t>('1' + i);
            ASSERT_TRUE(WriteBytes(day2_ + L"\\" + dayFiles_[i], bytes));
        }
    }
    void TearDown() override {
        RemoveLanguageValue(L"LANGUAGE_VIEWERTEST");
        RemoveLanguageValue(L"LANGUAGE_");
        for (const wchar_t* name : {L"\\viewer_test_CHN.ini", L"\\viewer_test_odd.ini"}) {
            DeleteFileW((RzkFolder() + name).c_str());
        }
    }

    bool Start(RemoteViewer& viewer, const std::wstring& folder) {
        return viewer.Start(wintest::ViewerProgram(),
                            L"\"" + std::wstring(kModel) + L"\" \"" + folder + L"\"");
    }
    bool Start(RemoteViewer& viewer) { return Start(viewer, log_); }

    HTREEITEM Day1(RemoteViewer& viewer, const std::wstring& file) {
        return viewer.FindItem(0, L"20240611", file);
    }

    struct Paging {
        bool top, back, next, bottom;
        int position;
        bool operator==(const Paging&) const = default;
    };
    static Paging PagingOf(RemoteViewer& viewer) {
        return {viewer.Enabled(IDC_VIEWER_BUTTON_TOP), viewer.Enabled(IDC_VIEWER_BUTTON_BACK),
                viewer.Enabled(IDC_VIEWER_BUTTON_NEXT), viewer.Enabled(IDC_VIEWER_BUTTON_BOTTOM),
                viewer.ScrollPosition()};
    }
    static Paging PagingOf(const zr640::PageView& view) {
        const auto& b = view.buttons();
        return {b.top, b.back, b.next, b.bottom, view.position()};
    }
    static uint32_t FrameHeight(RemoteViewer& viewer) {
        RECT area;
        GetClientRect(viewer.Item(IDC_VIEWER_FRAME_PICTURE), &area);
        return static_cast<uint32_t>(area.bottom);
    }

    // On the drive's root: the shell's folder browser finds its way there, not into the
    // temporary folder below the hidden application-data folder.
    wintest::ScratchFolder scratch_{L"zr640_viewer_window", L"C:\\"};
    std::wstring log_ = scratch_ / L"log";
    std::wstring day1_ = log_ + L"\\20240611";
    std::wstring day2_ = log_ + L"\\20240612";
    std::wstring day3_ = log_ + L"\\20240613";
    std::wstring day4_ = log_ + L"\\20240614";
    std::wstring day5_ = log_ + L"\\20240615";
    std::vector<uint8_t> shortLog_ = wintest::RasterLog(1, 60, 1);  // 58 rows
    std::vector<uint8_t> tallLog_ = wintest::RasterLog(6, 400, 2);  // 6 receipts of 398 rows
    std::vector<std::wstring> dayFiles_;
};

BOOL CALLBACK MarkBrowserTitle(HWND child, LPARAM found) {
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    if (std::wstring(text) == L"Please select driver log file path:")
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

TEST_F(ViewerWindow, TreeListsTheDaysWithPrintFilesAndTheSameFolderTwiceGivesTwoRoots) {
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));
    EXPECT_TRUE(viewer.OwnedWindows().empty());

    std::vector<std::pair<std::wstring, std::vector<std::wstring>>> expected;
    // A "*.prn" entry counts whether file or folder, as for the day printing.
    for (const std::wstring& day : Listing(log_, L"*", true)) {
        auto files = Listing(log_ + L"\\" + day, L"*.prn", false);
        for (const auto& folder : Listing(log_ + L"\\" + day, L"*.prn", true)) {
            files.push_back(folder);
        }
        if (!files.empty()) expected.emplace_back(day, files);
    }
    ASSERT_EQ(expected.size(), 4u);  // the day with other files only is left out
    const auto treeOf = [&](HTREEITEM root) {
        std::vector<std::pair<std::wstring, std::vector<std::wstring>>> days;
        for (HTREEITEM day : viewer.Children(root)) {
            std::vector<std::wstring> files;
            for (HTREEITEM file : viewer.Children(day)) files.push_back(viewer.ItemText(file));
            days.emplace_back(viewer.ItemText(day), files);
        }
        return days;
    };
    auto roots = viewer.Children(nullptr);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(viewer.ItemText(roots[0]), log_);
    EXPECT_EQ(treeOf(roots[0]), expected);

    // "Add New Log": the folder browser, titled with the text asking for the folder; the same
    // folder is chosen again.
    viewer.Command(ID_ADD_NEW_LOG);
    const auto owned = viewer.OwnedWindows();
    ASSERT_EQ(owned.size(), 1u);
    const HWND browser = owned[0].window;
    bool titled = false;
    EnumChildWindows(browser, MarkBrowserTitle, reinterpret_cast<LPARAM>(&titled));
    EXPECT_TRUE(titled);
    // The folder is chosen in the browser's own tree: My Computer, the C: drive, then the
    // folders of the path.
    const HWND folders = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    ASSERT_NE(folders, nullptr);
    const auto child = [&](HTREEITEM parent, auto matches) -> HTREEITEM {
        SendMessageW(folders, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        for (HTREEITEM item : viewer.Children(folders, parent)) {
            if (matches(viewer.ItemText(folders, item))) return item;
        }
        return nullptr;
    };
    const auto roots0 = viewer.Children(folders, nullptr);
    ASSERT_EQ(roots0.size(), 1u);  // the desktop
    HTREEITEM chosen =
        child(roots0[0], [](const std::wstring& text) { return text == L"My Computer"; });
    ASSERT_NE(chosen, nullptr);
    chosen = child(
        chosen, [](const std::wstring& text) { return text.find(L"(C:)") != std::wstring::npos; });
    ASSERT_NE(chosen, nullptr);
    for (const wchar_t* name : {L"zr640_viewer_window", L"log"}) {
        chosen = child(chosen, [&](const std::wstring& text) { return text == name; });
        ASSERT_NE(chosen, nullptr) << name;
    }
    SendMessageW(folders, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));
    PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(browser, IDOK)));
    for (int i = 0; i < 500 && IsWindow(browser); ++i) Sleep(10);
    EXPECT_TRUE(viewer.Settle());

    roots = viewer.Children(nullptr);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(viewer.ItemText(roots[1]), log_);
    EXPECT_EQ(treeOf(roots[1]), expected);
    EXPECT_TRUE(viewer.OwnedWindows().empty());

    // Cancelled, the browser adds nothing.
    viewer.Command(ID_ADD_NEW_LOG);
    ASSERT_EQ(viewer.OwnedWindows().size(), 1u);
    viewer.DismissOwnedWindows();
    EXPECT_EQ(viewer.Children(nullptr).size(), 2u);
    EXPECT_TRUE(viewer.Exit());
}

TEST_F(ViewerWindow, SelectingAPrintFileWritesItsBitmapAndPagesThroughIt) {
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));
    const uint32_t frame = FrameHeight(viewer);
    ASSERT_GT(frame, 30u);
    ASSERT_LT(frame, 58u * 2 + 1000);
    EXPECT_FALSE(viewer.Enabled(IDC_VIEWER_BUTTON_PRINT));
    EXPECT_EQ(PagingOf(viewer), (Paging{false, false, false, false, 0}));

    // A short log: shown whole, nothing to page.
    viewer.Select(Day1(viewer, L"short.prn"));
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    EXPECT_EQ(ReadBytes(day1_ + L"\\short.bmp"), ExpectedBitmap(shortLog_));
    EXPECT_TRUE(viewer.Enabled(IDC_VIEWER_BUTTON_PRINT));
    EXPECT_EQ(PagingOf(viewer), (Paging{false, false, false, false, 0}));
    EXPECT_EQ(viewer.ScrollRange(), std::make_pair(0, 58));

    // A tall one of the same day replaces it; the first bitmap is deleted.
    viewer.Select(Day1(viewer, L"tall.prn"));
    EXPECT_FALSE(Exists(day1_ + L"\\short.bmp"));
    EXPECT_EQ(ReadBytes(day1_ + L"\\tall.bmp"), ExpectedBitmap(tallLog_));
    const auto picture = zr640::ScanPrintFile(tallLog_, kGeometry);
    ASSERT_TRUE(picture.ok());
    ASSERT_GT(picture->height, 2 * frame);
    zr640::PageView expected;
    expected.Show(picture->height, picture->pageEnds, frame);
    EXPECT_EQ(viewer.ScrollRange(),
              std::make_pair(0, static_cast<int>(picture->height - 2 * frame)));
    EXPECT_EQ(PagingOf(viewer), PagingOf(expected));

    // NEXT walks the page ends and stops at the scroll maximum; BACK returns to the top.
    for (size_t i = 0; i <= picture->pageEnds.size(); ++i) {
        viewer.Click(IDC_VIEWER_BUTTON_NEXT);
        expected.Next();
        ASSERT_EQ(PagingOf(viewer), PagingOf(expected)) << "NEXT " << i;
        if (!viewer.Enabled(IDC_VIEWER_BUTTON_NEXT)) break;
    }
    EXPECT_EQ(viewer.ScrollPosition(), expected.rangeMax());
    while (viewer.Enabled(IDC_VIEWER_BUTTON_BACK)) {
        viewer.Click(IDC_VIEWER_BUTTON_BACK);
        expected.Back();
        ASSERT_EQ(PagingOf(viewer), PagingOf(expected));
    }
    EXPECT_EQ(viewer.ScrollPosition(), 0);
    viewer.Click(IDC_VIEWER_BUTTON_BOTTOM);
    expected.Bottom();
    EXPECT_EQ(PagingOf(viewer), PagingOf(expected));
    viewer.Click(IDC_VIEWER_BUTTON_TOP);
    expected.Top();
    EXPECT_EQ(PagingOf(viewer), (Paging{false, false, true, true, 0}));

    // The scroll bar: at the limit NEXT and BOTTOM go off, one step back brings them on.
    viewer.Scroll(SB_BOTTOM);
    EXPECT_EQ(PagingOf(viewer), (Paging{false, false, false, false, expected.rangeMax()}));
    viewer.Scroll(SB_LINEUP);
    EXPECT_EQ(PagingOf(viewer), (Paging{true, true, true, true, expected.rangeMax() - 1}));
    viewer.Scroll(SB_LINEDOWN);
    EXPECT_EQ(PagingOf(viewer), (Paging{true, true, false, false, expected.rangeMax()}));
    viewer.Scroll(SB_TOP);
    EXPECT_EQ(PagingOf(viewer), (Paging{false, false, false, false, 0}));
    viewer.Scroll(SB_PAGEDOWN);
    EXPECT_EQ(PagingOf(viewer), (Paging{true, true, true, true, 1}));

    // A day and a root are not print files to the window: nothing changes.
    const Paging scrolled = PagingOf(viewer);
    viewer.Select(viewer.Children(viewer.Children(nullptr)[0])[0]);
    viewer.Select(viewer.Children(nullptr)[0]);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    EXPECT_EQ(PagingOf(viewer), scrolled);
    EXPECT_TRUE(Exists(day1_ + L"\\tall.bmp"));

    // A name of 37 characters renders like any other.
    viewer.Select(Day1(viewer, kLongName));
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    EXPECT_EQ(ReadBytes(day1_ + L"\\receipt_of_the_front_counter_0001.bmp"),
              ExpectedBitmap(shortLog_));
    EXPECT_FALSE(Exists(day1_ + L"\\tall.bmp"));
    EXPECT_EQ(viewer.ScrollRange(), std::make_pair(0, 58));
    // Shown whole: NEXT and BOTTOM off; TOP and BACK stay as the scrolling left them.
    const Paging before = PagingOf(viewer);
    EXPECT_EQ(before, (Paging{true, true, false, false, 0}));

    // A print file that ends no page: the log error; the picture and its paging stay.
    viewer.Select(Day1(viewer, L"broken.prn"));
    const auto said = viewer.OwnedWindows();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].title, L"RZKDriverlogViewer");
    EXPECT_EQ(said[0].text, L"The printer dirver log is error!");
    viewer.DismissOwnedWindows();
    EXPECT_TRUE(viewer.Settle());
    EXPECT_EQ(PagingOf(viewer), (Paging{before.top, before.back, before.next, before.bottom, 0}));
    EXPECT_TRUE(viewer.Enabled(IDC_VIEWER_BUTTON_PRINT));

    // Closing deletes the bitmaps of the day shown, and only those.
    viewer.Select(Day1(viewer, L"short.prn"));
    EXPECT_TRUE(Exists(day1_ + L"\\short.bmp"));
    EXPECT_TRUE(viewer.Exit());
    EXPECT_EQ(viewer.exitCode(), 0u);
    EXPECT_TRUE(Listing(day1_, L"*.bmp", false).empty());
    EXPECT_TRUE(Exists(day3_ + L"\\old.bmp"));
    EXPECT_EQ(Listing(day1_, L"*.prn", false).size(), 4u);
}

TEST_F(ViewerWindow, PrintsTheLogAndTheWholeDayByteForByte) {
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));
    EXPECT_EQ(viewer.Text(IDC_VIEWER_COMBO_PRINTER), L"T-ZR640 Test");
    EXPECT_TRUE(viewer.Checked(IDC_VIEWER_RADIO_THISLOG));
    EXPECT_FALSE(viewer.Checked(IDC_VIEWER_RADIO_THISDAY));

    // "Print this log".
    viewer.Select(Day1(viewer, L"tall.prn"));
    DeleteFileW(kCapture);
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    EXPECT_EQ(CaptureAfterPrinting(tallLog_), tallLog_);

    // And the print file of 37 characters.
    viewer.Select(Day1(viewer, kLongName));
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    DeleteFileW(kCapture);
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    EXPECT_EQ(CaptureAfterPrinting(shortLog_), shortLog_);

    // "Print log of this day": three jobs in listing order. The spooler writes each job over
    // the start of the capture file without shortening it, so with sizes falling in listing
    // order the file shows the last job whole and the tails of the two before it.
    const HTREEITEM dayFile = viewer.FindItem(0, L"20240612", dayFiles_[1]);
    ASSERT_NE(dayFile, nullptr);
    viewer.Select(dayFile);  // these files are no receipts: the log error, but the day is chosen
    EXPECT_EQ(viewer.DismissOwnedWindows(),
              std::vector<std::wstring>{L"The printer dirver log is error!"});
    viewer.Click(IDC_VIEWER_RADIO_THISDAY);
    EXPECT_TRUE(viewer.Checked(IDC_VIEWER_RADIO_THISDAY));
    EXPECT_FALSE(viewer.Checked(IDC_VIEWER_RADIO_THISLOG));
    std::vector<uint8_t> expected;
    for (const std::wstring& name : dayFiles_) {
        const auto bytes = ReadBytes(day2_ + L"\\" + name);
        if (expected.size() < bytes.size()) expected.resize(bytes.size());
        std::copy(bytes.begin(), bytes.end(), expected.begin());
    }
    DeleteFileW(kCapture);
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    const std::vector<uint8_t> captured = CaptureAfterPrinting(expected);
    ASSERT_EQ(captured.size(), 3000u);
    EXPECT_EQ(captured, expected);
    EXPECT_EQ(std::string(captured.begin(), captured.begin() + 2), "3C");
    EXPECT_EQ(captured[1000], 'B');
    EXPECT_EQ(captured[2000], 'A');

    // A printer name typed into the list is used as it stands: no such printer, no job, no
    // message.
    SendMessageW(viewer.Item(IDC_VIEWER_COMBO_PRINTER), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"No Such Printer"));
    EXPECT_EQ(viewer.Text(IDC_VIEWER_COMBO_PRINTER), L"No Such Printer");
    DeleteFileW(kCapture);
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    Sleep(200);
    EXPECT_FALSE(Exists(kCapture));

    // A day whose print files have gone: "Load image failed!".
    for (const std::wstring& name : dayFiles_) DeleteFileW((day2_ + L"\\" + name).c_str());
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    const auto said = viewer.OwnedWindows();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, L"Load image failed!");
    viewer.DismissOwnedWindows();
    EXPECT_TRUE(viewer.Exit());
}

TEST_F(ViewerWindow, TextsComeFromTheFileTheModelsValueNames) {
    const std::wstring chinese = RzkFolder() + L"\\viewer_test_CHN.ini";
    ASSERT_TRUE(
        CopyFileW(wintest::SourcePath(L"/viewer/lang/CHN.ini").c_str(), chinese.c_str(), FALSE));
    SetLanguageValue(L"LANGUAGE_VIEWERTEST", L"viewer_test_CHN.ini");
    {
        RemoteViewer viewer;
        ASSERT_TRUE(Start(viewer));
        EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_TOP), L"\u9996\u9875");     // 首页
        EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_BOTTOM), L"\u672B\u9875");  // 末页
        EXPECT_EQ(viewer.Text(IDC_VIEWER_GROUP_PRINT), L"\u6253\u5370");    // 打印
        EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_PRINT), L"\u6253\u5370");
        EXPECT_EQ(viewer.Text(IDC_VIEWER_LABEL_PRINTER), L"\u6253\u5370\u673A");  // 打印机
        EXPECT_EQ(viewer.Text(IDCANCEL), L"\u9000\u51FA");                        // 退出
        EXPECT_EQ(viewer.Text(IDC_VIEWER_RADIO_THISDAY), L"\u6253\u5370\u5F53\u5929\u65E5\u5FD7");
        EXPECT_EQ(viewer.Text(IDC_VIEWER_COMBO_PRINTER), L"T-ZR640 Test");
        viewer.Select(Day1(viewer, L"broken.prn"));
        const auto said = viewer.DismissOwnedWindows();
        ASSERT_EQ(said.size(), 1u);
        EXPECT_EQ(
            said[0],
            L"\u6253\u5370\u673A\u9A71\u52A8\u7A0B\u5E8F\u65E5\u5FD7\u6709\u9519\u8BEF\uFF01");
        EXPECT_TRUE(viewer.Exit());
    }

    // Another filter matches no printer; a line geometry that does not fit renders nothing.
    const std::wstring odd = RzkFolder() + L"\\viewer_test_odd.ini";
    const std::wstring text =
        L"\xFEFF[DRIVERLOG]\r\nRC_DRVNAME=ZR640-\r\nRC_PRNWIDTH=81\r\nRC_BTN_TOP=Top\r\n";
    std::vector<uint8_t> bytes;
    for (const wchar_t c : text)
        bytes.insert(bytes.end(), {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>(c >> 8)});
    ASSERT_TRUE(WriteBytes(odd, bytes));
    SetLanguageValue(L"LANGUAGE_VIEWERTEST", L"viewer_test_odd.ini");
    {
        RemoteViewer viewer;
        ASSERT_TRUE(Start(viewer));
        EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_TOP), L"Top");
        EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_BACK), L"BACK");
        EXPECT_EQ(SendMessageW(viewer.Item(IDC_VIEWER_COMBO_PRINTER), CB_GETCOUNT, 0, 0), 0);
        viewer.Select(Day1(viewer, L"short.prn"));
        EXPECT_EQ(viewer.DismissOwnedWindows(),
                  std::vector<std::wstring>{L"The printer dirver log is error!"});
        EXPECT_FALSE(Exists(day1_ + L"\\short.bmp"));
        EXPECT_TRUE(viewer.Exit());
    }
}

TEST_F(ViewerWindow, WithoutArgumentsTheRootIsEmptyAndTheValueNameIsLanguageAlone) {
    const std::wstring chinese = RzkFolder() + L"\\viewer_test_CHN.ini";
    ASSERT_TRUE(
        CopyFileW(wintest::SourcePath(L"/viewer/lang/CHN.ini").c_str(), chinese.c_str(), FALSE));
    SetLanguageValue(L"LANGUAGE_", L"viewer_test_CHN.ini");
    RemoteViewer viewer;
    ASSERT_TRUE(viewer.Start(wintest::ViewerProgram(), L""));
    viewer.DismissOwnedWindows();
    const auto roots = viewer.Children(nullptr);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(viewer.ItemText(roots[0]), L"");
    EXPECT_EQ(viewer.Text(IDC_VIEWER_BUTTON_TOP), L"\u9996\u9875");
    EXPECT_TRUE(viewer.Exit());
}

TEST_F(ViewerWindow, UnsearchableFolderSaysSoAndKeepsAnEmptyRoot) {
    RemoteViewer viewer;
    const std::wstring missing = log_ + L"\\missing";
    ASSERT_TRUE(Start(viewer, missing));
    for (int i = 0; i < 200 && viewer.OwnedWindows().empty(); ++i) Sleep(20);
    EXPECT_EQ(viewer.DismissOwnedWindows(), std::vector<std::wstring>{L"Not found file."});
    const auto roots = viewer.Children(nullptr);
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(viewer.ItemText(roots[0]), missing);
    EXPECT_TRUE(viewer.Children(roots[0]).empty());
    EXPECT_TRUE(viewer.Exit());
}

// (The icons are not checked here: this platform answers WM_GETICON and WM_QUERYDRAGICON
// from another process with null.)
TEST_F(ViewerWindow, SystemMenuAboutBoxAndTreeMenu) {
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));

    // Commands 16 to 31 open the about box.
    viewer.Send(viewer.window(), WM_SYSCOMMAND, IDM_ABOUTBOX | 0x5, 0);
    auto owned = viewer.OwnedWindows();
    ASSERT_EQ(owned.size(), 1u);
    EXPECT_EQ(owned[0].title, L"About RZKDriverlogViewer");
    viewer.DismissOwnedWindows();
    EXPECT_TRUE(viewer.Settle());

    // A right click on the tree opens its menu; Escape closes it and nothing is added. The
    // tree tracks the mouse after the button goes down and takes a move away from the point
    // for a drag: the cursor rests on the point, and a click that became a drag is repeated.
    const HWND tree = viewer.Item(IDC_VIEWER_TREE);
    POINT point{10, 10};
    ClientToScreen(tree, &point);
    SetCursorPos(point.x, point.y);
    HWND menu = nullptr;
    for (int i = 0; i < 300 && menu == nullptr; ++i) {
        if (i % 50 == 0) {
            PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
            PostMessageW(tree, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        }
        Sleep(20);
        HWND candidate = nullptr;
        while ((candidate = FindWindowExW(nullptr, candidate, L"#32768", nullptr)) != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(candidate, &process);
            if (process == GetProcessId(viewer.process()) && IsWindowVisible(candidate))
                menu = candidate;
        }
    }
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 200 && IsWindowVisible(menu); ++i) Sleep(20);
    EXPECT_FALSE(IsWindowVisible(menu));
    EXPECT_TRUE(viewer.Settle());
    EXPECT_EQ(viewer.Children(nullptr).size(), 1u);
    EXPECT_TRUE(viewer.Exit());
}

// The day whose only "*.prn" entry is a folder is in the tree with that entry; choosing it
// is the log error (it is no print file to render), and printing that day finds what the
// tree shows: no "Load image failed!", and nothing reaches the printer.
TEST_F(ViewerWindow, DayWhosePrintFileIsAFolderBehavesAsTheTreeShowsIt) {
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));
    const HTREEITEM entry = viewer.FindItem(0, L"20240614", L"only.prn");
    ASSERT_NE(entry, nullptr);
    viewer.Select(entry);
    EXPECT_EQ(viewer.DismissOwnedWindows(),
              std::vector<std::wstring>{L"The printer dirver log is error!"});
    EXPECT_FALSE(Exists(day4_ + L"\\only.bmp"));

    // A picture shown from another day enables Print; the folder entry then becomes the
    // current day again, and printing the day says nothing and prints nothing.
    viewer.Select(Day1(viewer, L"short.prn"));
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    viewer.Select(entry);
    EXPECT_EQ(viewer.DismissOwnedWindows(),
              std::vector<std::wstring>{L"The printer dirver log is error!"});
    viewer.Click(IDC_VIEWER_RADIO_THISDAY);
    DeleteFileW(kCapture);
    viewer.Click(IDC_VIEWER_BUTTON_PRINT);
    EXPECT_TRUE(viewer.OwnedWindows().empty());
    Sleep(200);
    EXPECT_FALSE(Exists(kCapture));
    EXPECT_TRUE(viewer.Exit());
}

// A log whose picture would be taller than the window loads is the log error, before any
// bitmap is written: no picture, no temporary file in the day folder.
TEST_F(ViewerWindow, OversizedPictureIsRefusedAndNothingIsWritten) {
    const auto picture = zr640::ScanPrintFile(OversizedLog(), kGeometry);
    ASSERT_TRUE(picture.ok());
    ASSERT_EQ(picture->height, zr640viewer::kTallestShownPicture + 1);
    RemoteViewer viewer;
    ASSERT_TRUE(Start(viewer));
    viewer.Select(viewer.FindItem(0, L"20240615", L"huge.prn"));
    const auto said = viewer.OwnedWindows();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].title, L"RZKDriverlogViewer");
    EXPECT_EQ(said[0].text, L"The printer dirver log is error!");
    viewer.DismissOwnedWindows();
    EXPECT_EQ(Listing(day5_, L"*", false), std::vector<std::wstring>{L"huge.prn"});
    EXPECT_FALSE(viewer.Enabled(IDC_VIEWER_BUTTON_PRINT));
    EXPECT_TRUE(viewer.Exit());
}

}  // namespace

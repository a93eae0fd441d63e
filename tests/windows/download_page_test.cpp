// The Download page in the real device sheet: the logo list and its checks, the formats and
// their adjustments, the preview, the converted files, and what Download all, Clear All Logos
// and the file download deliver to the test printer, byte for byte.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <winioctl.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_files.h"
#include "core/imaging/logo_pack.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "plugin/pages/device/file_download.h"
#include "resource.h"
#include "tests/native/recording_spooler.h"
#include "tests/native/test_bitmaps.h"
#include "tests/windows/sheet_fixture.h"
#include "win32/handles.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;
using zr640::test::Bitmap1;
using zr640::test::Bitmap24;
using zr640::test::Bitmap8;
using zr640::test::Rgb;
using zr640::test::TempFolder;
using zr640::test::View;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

constexpr int kDownloadTab = 3;
constexpr wchar_t kCaptureFile[] = L"C:\\capture\\zr640.prn";

Bytes Capture() {
    std::ifstream in(kCaptureFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Captured() { return GetFileAttributesW(kCaptureFile) != INVALID_FILE_ATTRIBUTES; }

Bytes ReadBytes(const fs::path& file) { return zr640::test::ReadFile(file); }

fs::path Write(const fs::path& file, const Bytes& bytes) {
    zr640::test::WriteFile(file, bytes);
    return file;
}

// A colour picture with shading in both directions, so every halftone gives its own dots.
Bytes Colour(int32_t width, int32_t height) {
    return Bitmap24(width, height, [&](int32_t x, int32_t y) {
        return Rgb{static_cast<uint8_t>(x * 255 / width), static_cast<uint8_t>(y * 255 / height),
                   static_cast<uint8_t>((x + y) % 256)};
    });
}

Bytes Gray(int32_t width, int32_t height) {
    return Bitmap8(width, height, [&](int32_t x, int32_t y) { return (x * 7 + y * 3) % 256; });
}

Bytes OneBit(int32_t width, int32_t height) {
    return Bitmap1(width, height, [](int32_t x, int32_t y) { return (x / 3 + y / 2) % 2 == 0; });
}

Bytes Uniform(int32_t width, int32_t height, Rgb colour) {
    return Bitmap24(width, height, [&](int32_t, int32_t) { return colour; });
}

// ---- Driving the page ---------------------------------------------------------------------

HWND List(HWND page) { return GetDlgItem(page, IDC_DOWNLOAD_LIST_LOGOS); }

int RowCount(HWND page) {
    return static_cast<int>(SendMessageW(List(page), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring Cell(HWND page, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(List(page), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

std::wstring ColumnTitle(HWND page, int column) {
    wchar_t text[256] = {};
    LVCOLUMNW item = {};
    item.mask = LVCF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(List(page), LVM_GETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

// Selects a row the way the keyboard does: the selection changes, no click.
void SelectRow(HWND page, int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(page), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(&state));
    if (row >= 0) {
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(page), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&state));
    }
    oemhost::Pump(20);
}

// Selects a row and reports the click the list view sends for a mouse click.
void ClickRow(HWND page, int row) {
    SelectRow(page, row);
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = List(page);
    click.hdr.idFrom = IDC_DOWNLOAD_LIST_LOGOS;
    click.hdr.code = NM_CLICK;
    click.iItem = row;
    SendMessageW(page, WM_NOTIFY, IDC_DOWNLOAD_LIST_LOGOS, reinterpret_cast<LPARAM>(&click));
    oemhost::Pump(20);
}

COLORREF PreviewCentre(HWND page) {
    const HWND frame = GetDlgItem(page, IDC_DOWNLOAD_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    const HDC dc = GetDC(frame);
    const COLORREF colour =
        GetPixel(dc, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    ReleaseDC(frame, dc);
    return colour;
}

class DownloadPage : public SheetFixture {
protected:
    TempFolder folder;

    // The page converts into a folder of its own under the user's temporary folder, here
    // the test's scratch area.
    void SetUp() override {
        SheetFixture::SetUp();
        DeleteFileW(kCaptureFile);
        fs::create_directories(ScratchArea());
        for (const wchar_t* name : {L"TMP", L"TEMP"}) {
            wchar_t old[MAX_PATH] = {};
            savedTemp_.push_back(GetEnvironmentVariableW(name, old, MAX_PATH) ? old : L"");
            SetEnvironmentVariableW(name, ScratchArea().c_str());
        }
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TMP", savedTemp_[0].c_str());
        SetEnvironmentVariableW(L"TEMP", savedTemp_[1].c_str());
        SheetFixture::TearDown();
    }

    fs::path ScratchArea() const { return folder / "temp"; }

    // What the page keeps in the scratch area: its folders and their files.
    std::vector<fs::path> ScratchContents() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(ScratchArea()))
            found.push_back(entry.path());
        return found;
    }

    // The converted file the page named n-th in the session that is running.
    fs::path Converted(int n) const {
        for (const auto& entry : fs::directory_iterator(ScratchArea())) {
            if (entry.path().filename().wstring().starts_with(L"ZR640UI-logos-"))
                return entry.path() / ("logo" + std::to_string(n) + ".bmp");
        }
        return ScratchArea() / "no page folder" / ("logo" + std::to_string(n) + ".bmp");
    }

    void Add(HWND page, const fs::path& logo) {
        platform.chosenFiles.push_back(logo.wstring());
        Click(page, IDC_DOWNLOAD_BUTTON_ADD);
    }

    FakePlatform::Message LastMessage() const {
        return platform.messages.empty() ? FakePlatform::Message{} : platform.messages.back();
    }

    // Runs the scenario on the Download page; true presses OK, false Cancel.
    void RunOnPage(const std::function<bool(HWND sheet, HWND page)>& scenario) {
        SheetSession sheet(plugin, kPrinter);
        ASSERT_NE(sheet.printer, nullptr) << "the test printer is missing";
        sheet.scenario = [&](HWND window) {
            return scenario(window, oemhost::PageAt(window, kDownloadTab));
        };
        ASSERT_TRUE(sheet.Run(SheetKind::Device));
        // The plug-in object keeps the session's driver interface until it is released, and
        // takes no other one: a fresh object for the next session, this one let go while
        // the interface still lives.
        plugin->Release();
        plugin = nullptr;
        auto* factory = new zr640ui::UiPluginClassFactory();
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin)),
            S_OK);
        factory->Release();
    }

private:
    std::vector<std::wstring> savedTemp_;
};

// ---- The list -----------------------------------------------------------------------------

TEST_F(DownloadPage, StartsEmptyInOriginalWithNeutralSliders) {
    RunOnPage([&](HWND, HWND page) {
        EXPECT_EQ(RowCount(page), 0);
        EXPECT_EQ(ColumnTitle(page, 0), L"ID");
        EXPECT_EQ(ColumnTitle(page, 1), L"Name");
        EXPECT_EQ(ColumnTitle(page, 2), L"Path");
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_ORIGINAL));
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_NONE));
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_RADIO_MONO)) << "no row is selected";
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD));
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL));
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_BUTTON_BROWSE));
        const HWND contrast = GetDlgItem(page, IDC_DOWNLOAD_SLIDER_CONTRAST);
        EXPECT_EQ(SendMessageW(contrast, TBM_GETRANGEMIN, 0, 0), -100);
        EXPECT_EQ(SendMessageW(contrast, TBM_GETRANGEMAX, 0, 0), 100);
        EXPECT_EQ(SendMessageW(contrast, TBM_GETPAGESIZE, 0, 0), 20);
        EXPECT_EQ(SendMessageW(contrast, TBM_GETLINESIZE, 0, 0), 1);
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_CONTRAST), L"0");
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_BRIGHTNESS), L"0");
        EXPECT_EQ(GetWindowLongW(List(page), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
        EXPECT_TRUE(SendMessageW(List(page), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                    LVS_EX_FULLROWSELECT);
        return false;
    });
}

TEST_F(DownloadPage, TenthAddIsRefusedBeforeAnyFileDialog) {
    std::vector<fs::path> logos;
    for (int i = 1; i <= 9; ++i) {
        logos.push_back(Write(folder / ("logo" + std::to_string(i) + ".bmp"), Colour(20, 10)));
    }
    RunOnPage([&](HWND, HWND page) {
        for (const fs::path& logo : logos) Add(page, logo);
        EXPECT_EQ(RowCount(page), 9);
        EXPECT_EQ(platform.fileChoices, 9);
        EXPECT_TRUE(platform.messages.empty());
        for (int row = 0; row < RowCount(page); ++row) {
            EXPECT_EQ(Cell(page, row, 0), std::to_wstring(row + 1));
            EXPECT_EQ(Cell(page, row, 1), L"logo" + std::to_wstring(row + 1) + L".bmp");
            EXPECT_EQ(Cell(page, row, 2), logos[static_cast<size_t>(row)].wstring());
        }
        EXPECT_EQ(platform.fileDialogs.size(), 9u);
        for (const auto& dialog : platform.fileDialogs) {
            EXPECT_EQ(dialog.title, L"Open");
            EXPECT_EQ(dialog.filter, L"*.bmp|*.bmp");
        }

        Add(page, logos[0]);
        EXPECT_EQ(platform.fileChoices, 9) << "no file dialog for the tenth logo";
        EXPECT_EQ(RowCount(page), 9);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(LastMessage().text,
                  L"The total counts of the logos is 9,\nplease delete some logos before selecting "
                  L"another logo!");
        EXPECT_EQ(LastMessage().caption, L"Information");
        EXPECT_EQ(LastMessage().type, static_cast<UINT>(MB_OK)) << "OK button, no icon";
        return false;
    });
}

TEST_F(DownloadPage, AddChecksTheChosenFile) {
    const fs::path missing = folder / "missing.bmp";
    const fs::path shortFile = Write(folder / "short.bmp", Bytes(61, 'B'));
    const fs::path wide = Write(folder / "wide.bmp", Colour(1025, 1));
    const fs::path high = Write(folder / "high.bmp", Colour(1, 769));
    const fs::path largest = Write(folder / "largest.bmp", Gray(1024, 768));
    Bytes text(100, 0);  // the width and height it would have as a bitmap are 0
    std::copy_n("notes", 5, text.begin());
    const fs::path notBitmap = Write(folder / "notes.bmp", text);
    RunOnPage([&](HWND, HWND page) {
        Add(page, missing);
        EXPECT_EQ(LastMessage().text, L"Fail to open the selected file!");
        EXPECT_EQ(LastMessage().caption, L"Error");
        Add(page, shortFile);
        EXPECT_EQ(LastMessage().text, L"Failed to get data from the file!");
        Add(page, wide);
        EXPECT_EQ(LastMessage().text,
                  L"The image is too big to be selected.\nthe width must be less than 1024 "
                  L"Byte,and the height must be less than 768 Byte!");
        EXPECT_EQ(LastMessage().caption, L"Error");
        Add(page, high);
        EXPECT_EQ(platform.messages.size(), 4u);
        EXPECT_EQ(RowCount(page), 0);

        Add(page, largest);
        EXPECT_EQ(RowCount(page), 1) << "1024 by 768 is accepted";
        EXPECT_TRUE(fs::exists(Converted(1))) << "Original converts gray pictures too";
        Add(page, notBitmap);
        EXPECT_EQ(RowCount(page), 2) << "Original takes any file";

        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Add(page, notBitmap);
        EXPECT_EQ(RowCount(page), 2) << "Transformation takes bitmaps only";
        EXPECT_EQ(platform.messages.size(), 4u) << "and says nothing";
        return false;
    });
}

TEST_F(DownloadPage, PathsOutsideTheCodePageWork) {
    const fs::path chinese = folder.path() / L"标志 图片";
    fs::create_directories(chinese);
    const fs::path logo = Write(chinese / L"商店.bmp", Colour(64, 32));
    RunOnPage([&](HWND, HWND page) {
        Add(page, logo);
        EXPECT_EQ(RowCount(page), 1);
        EXPECT_EQ(Cell(page, 0, 1), L"商店.bmp");
        EXPECT_EQ(Cell(page, 0, 2), logo.wstring());
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_GRAY);
        EXPECT_EQ(ReadBytes(Converted(1)),
                  *zr640::ConvertToGrayBitmap(View(ReadBytes(logo)), 0, 0));
        return true;
    });
    EXPECT_TRUE(ScratchContents().empty()) << "the page's folder went with it";
}

TEST_F(DownloadPage, DeleteRenumbersAndMovesSettingsUp) {
    const fs::path first = Write(folder / "first.bmp", Colour(30, 20));
    const fs::path second = Write(folder / "second.bmp", Colour(31, 20));
    const fs::path third = Write(folder / "third.bmp", Gray(32, 20));
    RunOnPage([&](HWND, HWND page) {
        for (const fs::path& logo : {first, second, third}) Add(page, logo);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        ClickRow(page, 2);
        Click(page, IDC_DOWNLOAD_RADIO_DIFFUSE);
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_CONTRAST, 30);
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS, -40);
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_CONTRAST), L"30");
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_BRIGHTNESS), L"-40");
        EXPECT_TRUE(fs::exists(Converted(2)));

        ClickRow(page, 1);
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_DITHERM3));
        EXPECT_EQ(SliderPosition(page, IDC_DOWNLOAD_SLIDER_CONTRAST), 0);
        Click(page, IDC_DOWNLOAD_BUTTON_DELETE);
        EXPECT_FALSE(fs::exists(Converted(2))) << "the row's converted file goes with it";
        EXPECT_TRUE(fs::exists(Converted(3)));
        EXPECT_EQ(RowCount(page), 2);
        EXPECT_EQ(Cell(page, 0, 0), L"1");
        EXPECT_EQ(Cell(page, 1, 0), L"2");
        EXPECT_EQ(Cell(page, 1, 1), L"third.bmp");
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_RADIO_GRAY)) << "no row is selected after a delete";

        ClickRow(page, 1);
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_DIFFUSE))
            << "the third row's settings moved up with it";
        EXPECT_FALSE(IsChecked(page, IDC_DOWNLOAD_RADIO_DITHERM3));
        EXPECT_EQ(SliderPosition(page, IDC_DOWNLOAD_SLIDER_CONTRAST), 30);
        EXPECT_EQ(SliderPosition(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS), -40);
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_CONTRAST), L"30");
        const Bytes expected = *zr640::ConvertToMonoBitmap(View(ReadBytes(third)),
                                                           zr640::Halftone::kErrorDiffuse, 30, -40);
        EXPECT_EQ(ReadBytes(Converted(3)), expected)
            << "the preview converts with the row's settings";

        SelectRow(page, 0);  // by keyboard: the controls follow the selection too
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_DITHERM3));
        EXPECT_EQ(SliderPosition(page, IDC_DOWNLOAD_SLIDER_CONTRAST), 0);
        return false;
    });
}

// ---- Formats, adjustments and the preview -------------------------------------------------

TEST_F(DownloadPage, FormatsSetTheAdjustmentsAndOriginalDisablesDownloadAll) {
    const fs::path colour = Write(folder / "colour.bmp", Colour(40, 30));
    const fs::path oneBit = Write(folder / "onebit.bmp", OneBit(40, 30));
    RunOnPage([&](HWND sheet, HWND page) {
        Add(page, colour);
        Add(page, oneBit);
        ClickRow(page, 0);
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_RADIO_MONO));
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_RADIO_DITHERM3)) << "Original has no adjustments";
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_SLIDER_CONTRAST));

        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_DITHERM3));
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_RADIO_DITHERM3));
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_SLIDER_CONTRAST));
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL));
        EXPECT_FALSE(fs::exists(Converted(2))) << "a one-bit logo is not converted";
        ClickRow(page, 1);
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_RADIO_DITHERM3)) << "nor adjusted";
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_SLIDER_CONTRAST));

        Click(page, IDC_DOWNLOAD_RADIO_GRAY);
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_RADIO_DITHERM3)) << "gray logos have no halftone";
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_SLIDER_CONTRAST));
        EXPECT_TRUE(IsChecked(page, IDC_DOWNLOAD_RADIO_NONE));
        EXPECT_EQ(ReadBytes(Converted(2)),
                  *zr640::ConvertToGrayBitmap(View(ReadBytes(oneBit)), 0, 0));
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS, 60);
        EXPECT_TRUE(ApplyEnabled(sheet)) << "letting a slider go reports a change";

        Click(page, IDC_DOWNLOAD_RADIO_ORIGINAL);
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL))
            << "rows are present, yet Original cannot be sent";
        EXPECT_FALSE(Enabled(page, IDC_DOWNLOAD_SLIDER_CONTRAST));
        EXPECT_EQ(SliderPosition(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS), 0);
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_VALUE_BRIGHTNESS), L"0");
        EXPECT_TRUE(fs::exists(Converted(2))) << "switching to Original keeps converted files";

        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL));
        EXPECT_FALSE(fs::exists(Converted(2))) << "switching to Transformation removes them";
        return false;
    });
}

TEST_F(DownloadPage, PreviewShowsTheSelectedLogoOverTheFrame) {
    const fs::path red = Write(folder / "red.bmp", Uniform(8, 8, {200, 0, 0}));
    RunOnPage([&](HWND, HWND page) {
        const COLORREF background = GetSysColor(COLOR_BTNFACE);
        EXPECT_EQ(PreviewCentre(page), background);
        Add(page, red);
        ClickRow(page, 0);
        EXPECT_EQ(PreviewCentre(page), RGB(200, 0, 0)) << "Original shows the logo's own file";
        Click(page, IDC_DOWNLOAD_RADIO_GRAY);
        const int gray = (587 * 0 + 299 * 200 + 114 * 0) / 1000;
        EXPECT_EQ(PreviewCentre(page), RGB(gray, gray, gray)) << "Gray shows the converted file";
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        EXPECT_EQ(PreviewCentre(page), RGB(0, 0, 0))
            << "a uniform picture is all black with no halftone";
        SelectRow(page, -1);
        EXPECT_EQ(PreviewCentre(page), background);
        return false;
    });
}

// ---- What reaches the printer -------------------------------------------------------------

TEST_F(DownloadPage, DownloadAllMonoLogosArriveByteExact) {
    const fs::path colour = Write(folder / "colour.bmp", Colour(100, 50));
    const fs::path oneBit = Write(folder / "onebit.bmp", OneBit(45, 29));
    RunOnPage([&](HWND, HWND page) {
        Add(page, colour);
        Add(page, oneBit);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Click(page, IDC_DOWNLOAD_RADIO_DIFFUSE);
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_CONTRAST, 40);
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);
        EXPECT_TRUE(platform.messages.empty());

        const Bytes mono = *zr640::ConvertToMonoBitmap(View(ReadBytes(colour)),
                                                       zr640::Halftone::kErrorDiffuse, 40, 0);
        const zr640::MonoLogo logos[] = {*zr640::PackMonoLogo(mono),
                                         *zr640::PackMonoLogo(ReadBytes(oneBit))};
        const Bytes expected = zr640::MonoLogoDownloadJob(logos).Bytes();
        const Bytes captured = Capture();
        EXPECT_EQ(captured, expected);
        const zr640::LogoRow rows[] = {{colour, {}, Converted(1)}, {oneBit, {}, Converted(2)}};
        EXPECT_EQ(captured,
                  zr640::PrepareDownloadAll(zr640::LogoFormat::kTransformation, rows).job->Bytes());
        const Bytes start = {0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x71, 0x02, 0x10, 0x00, 0x07, 0x00};
        if (captured.size() < start.size() + 896) return false;
        EXPECT_EQ(Bytes(captured.begin(), captured.begin() + 11), start)
            << "100 x 50: X = 16, Y = 7";
        EXPECT_EQ(Bytes(captured.end() - 5, captured.end()), Bytes({0x0A, 0x1B, 0x63, 0x3B, 0x00}));
        return false;
    });
}

TEST_F(DownloadPage, DownloadAllGrayLogosArriveByteExact) {
    const fs::path colour = Write(folder / "colour.bmp", Colour(50, 21));
    const fs::path gray = Write(folder / "gray.bmp", Gray(12, 3));
    RunOnPage([&](HWND, HWND page) {
        Add(page, colour);
        Add(page, gray);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_GRAY);
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS, -30);
        PropSheet_Apply(
            GetParent(page));  // removes the converted files; Download all writes them again
        oemhost::Pump(50);
        EXPECT_FALSE(fs::exists(Converted(2)));
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);

        const zr640::GrayLogo logos[] = {
            *zr640::PackGrayLogo(*zr640::ConvertToGrayBitmap(View(ReadBytes(colour)), 0, -30)),
            *zr640::PackGrayLogo(*zr640::ConvertToGrayBitmap(View(ReadBytes(gray)), 0, 0)),
        };
        const Bytes captured = Capture();
        EXPECT_EQ(captured, zr640::GrayLogoDownloadJob(logos).Bytes());
        const zr640::LogoRow rows[] = {{colour, {}, Converted(1)}, {gray, {}, Converted(2)}};
        EXPECT_EQ(captured, zr640::PrepareDownloadAll(zr640::LogoFormat::kGray, rows).job->Bytes());
        const Bytes start = {0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x72, 0x02, 0x01, 0x00};
        if (captured.size() < start.size()) return false;
        EXPECT_EQ(Bytes(captured.begin(), captured.begin() + 9), start);
        return false;
    });
}

TEST_F(DownloadPage, DownloadAllRefusalsSendNothing) {
    const fs::path largest = Write(folder / "largest.bmp", Colour(1024, 768));
    RunOnPage([&](HWND, HWND page) {
        Add(page, largest);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);
        EXPECT_EQ(LastMessage().text, L"The total sizes of all the logos is greater 96K!")
            << "98366 bytes";
        EXPECT_EQ(LastMessage().caption, L"Error");

        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_BUTTON_DELETE);
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL));
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);
        EXPECT_EQ(LastMessage().text, L"Please select logos first!");
        EXPECT_EQ(LastMessage().type, static_cast<UINT>(MB_OK));
        EXPECT_FALSE(Captured());
        return false;
    });
}

TEST_F(DownloadPage, ClearAllLogosArrivesByteExact) {
    RunOnPage([&](HWND, HWND page) {
        Click(page, IDC_DOWNLOAD_BUTTON_CLEARALL);
        EXPECT_EQ(Capture(), zr640::ClearAllLogosJob().Bytes());
        EXPECT_EQ(Capture(), Bytes({0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x71, 0x00, 0x00, 0x0A, 0x1B,
                                    0x63, 0x3B, 0x00}));
        return false;
    });
}

TEST_F(DownloadPage, FileDownloadSendsTheChosenFileUnchanged) {
    Bytes firmware(70000);
    for (size_t i = 0; i < firmware.size(); ++i) firmware[i] = static_cast<uint8_t>(i * 31 + 7);
    const fs::path file = Write(folder / "printer.JK", firmware);
    RunOnPage([&](HWND, HWND page) {
        platform.chosenFiles.push_back(file.wstring());
        Click(page, IDC_DOWNLOAD_BUTTON_BROWSE);
        if (platform.fileDialogs.size() != 1) return false;
        EXPECT_EQ(platform.fileDialogs[0].title, L"Open");
        EXPECT_EQ(platform.fileDialogs[0].filter,
                  L"*.JK(Firmware)|*.JK|*.DAT(Data)|*.DAT|*.FNT(Font)|*.FNT|*.ZK(Font)|*.ZK|*.EEP("
                  L"EEPROM)|*.EEP");
        EXPECT_EQ(ControlText(page, IDC_DOWNLOAD_EDIT_FILE), file.wstring());
        EXPECT_TRUE(Enabled(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD));
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD);
        EXPECT_EQ(Capture(), firmware);
        EXPECT_TRUE(platform.messages.empty());

        DeleteFileW(kCaptureFile);
        platform.chosenFiles.push_back((folder / "gone.JK").wstring());
        Click(page, IDC_DOWNLOAD_BUTTON_BROWSE);
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD);
        EXPECT_EQ(LastMessage().text, L"Fail to open the selected file!");
        EXPECT_FALSE(Captured());
        return false;
    });
}

TEST_F(DownloadPage, FileFilterFollowsTheLanguage) {
    ChooseLanguage(zr640ui::kSimplifiedChineseFile);
    RunOnPage([&](HWND, HWND page) {
        Click(page, IDC_DOWNLOAD_BUTTON_BROWSE);
        EXPECT_EQ(platform.fileChoices, 1);
        if (!platform.fileDialogs.empty()) {
            EXPECT_EQ(platform.fileDialogs[0].filter.substr(0, 18), L"*.JK(监控程序文件)|*.JK|");
            EXPECT_EQ(platform.fileDialogs[0].title,
                      DriverText(zr640ui::kSimplifiedChineseFile, L"DOWNLOAD", L"RC_BROWSEBOX"));
        }
        return false;
    });
}

// ---- Converted files ----------------------------------------------------------------------

TEST_F(DownloadPage, OkAndCancelRemoveTheConvertedFiles) {
    const fs::path first = Write(folder / "first.bmp", Colour(20, 20));
    const fs::path second = Write(folder / "second.bmp", Gray(20, 20));
    for (const bool ok : {true, false}) {
        RunOnPage([&](HWND, HWND page) {
            Add(page, first);
            Add(page, second);
            ClickRow(page, 1);
            Click(page, IDC_DOWNLOAD_RADIO_GRAY);
            EXPECT_TRUE(fs::exists(Converted(1)));
            EXPECT_TRUE(fs::exists(Converted(2)));
            return ok;
        });
        EXPECT_TRUE(ScratchContents().empty()) << (ok ? "OK" : "Cancel");
        EXPECT_TRUE(fs::exists(first));
        EXPECT_TRUE(fs::exists(second));
    }
}

TEST_F(DownloadPage, CancelFromAnotherTabRemovesTheConvertedFilesToo) {
    const fs::path logo = Write(folder / "logo.bmp", Colour(20, 20));
    RunOnPage([&](HWND sheet, HWND page) {
        Add(page, logo);
        EXPECT_TRUE(fs::exists(Converted(1)));
        oemhost::PageAt(sheet, kDownloadTab + 1);
        return false;
    });
    EXPECT_TRUE(ScratchContents().empty());
    EXPECT_TRUE(fs::exists(logo));
}

// The converted files are the page's own: a user's file with the old converted name beside
// the logo is never written or removed, and two rows of one logo never share a file.
TEST_F(DownloadPage, ConvertedFilesNeverTouchAUsersFileBesideTheLogo) {
    const fs::path logo = Write(folder / "shop.bmp", Colour(40, 20));
    const Bytes users(300, 'u');
    const fs::path usersFile = Write(folder / "shopTemp.bmp", users);
    RunOnPage([&](HWND, HWND page) {
        Add(page, logo);
        EXPECT_TRUE(fs::exists(Converted(1))) << "Original converts a colour picture";
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_GRAY);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_BUTTON_DELETE);
        Add(page, logo);
        EXPECT_EQ(ReadBytes(usersFile), users);
        return true;
    });
    EXPECT_EQ(ReadBytes(usersFile), users) << "the user's file outlives the page";
    EXPECT_TRUE(fs::exists(logo));
    EXPECT_TRUE(ScratchContents().empty());
}

TEST_F(DownloadPage, OneLogoInTwoRowsIsSentWithEachRowsSettings) {
    const fs::path logo = Write(folder / "logo.bmp", Colour(64, 16));
    RunOnPage([&](HWND, HWND page) {
        Add(page, logo);
        Add(page, logo);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Click(page, IDC_DOWNLOAD_RADIO_DIFFUSE);
        MoveSlider(page, IDC_DOWNLOAD_SLIDER_CONTRAST, 60);
        ClickRow(page, 1);  // its own preview must not overwrite the first row's file
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);

        const Bytes picture = ReadBytes(logo);
        const zr640::MonoLogo logos[] = {
            *zr640::PackMonoLogo(
                *zr640::ConvertToMonoBitmap(View(picture), zr640::Halftone::kErrorDiffuse, 60, 0)),
            *zr640::PackMonoLogo(
                *zr640::ConvertToMonoBitmap(View(picture), zr640::Halftone::kDitherM3, 0, 0)),
        };
        EXPECT_NE(logos[0].data, logos[1].data);
        EXPECT_EQ(Capture(), zr640::MonoLogoDownloadJob(logos).Bytes());
        return false;
    });
}

// A one-bit logo whose two colours are not black and white cannot be packed: Download all
// sends nothing and says so.
TEST_F(DownloadPage, DownloadAllWithAnUnpackableLogoShowsItsMessage) {
    const fs::path good = Write(folder / "good.bmp", OneBit(16, 8));
    const fs::path tinted =
        Write(folder / "tinted.bmp",
              Bitmap1(16, 8, [](int32_t x, int32_t) { return x < 8; }, {{200, 0, 0}, {0, 0, 200}}));
    RunOnPage([&](HWND, HWND page) {
        Add(page, good);
        Add(page, tinted);
        ClickRow(page, 0);
        Click(page, IDC_DOWNLOAD_RADIO_MONO);
        Click(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL);
        EXPECT_EQ(LastMessage().text, L"Failed to get data from the file!");
        EXPECT_EQ(LastMessage().caption, L"Error");
        EXPECT_FALSE(Captured()) << "not even the first logo";
        return false;
    });
}

// The file download on its own: one write straight from the file's mapping, and each
// refusal with its message.
TEST_F(DownloadPage, FileDownloadWritesTheFileOnceAndSaysWhyItCannot) {
    Bytes firmware(300000);
    for (size_t i = 0; i < firmware.size(); ++i) firmware[i] = static_cast<uint8_t>(i * 13 + 1);
    const fs::path file = Write(folder / "big.JK", firmware);

    zr640::test::RecordingSpooler spooler;
    zr640ui::FileDownloadResult result = zr640ui::DownloadFile(spooler, file.wstring());
    EXPECT_TRUE(result.sent);
    EXPECT_FALSE(result.message);
    EXPECT_EQ(spooler.calls, (std::vector<std::string>{"StartDoc FIRMWARE", "StartPage",
                                                       "Write 300000", "EndPage", "EndDoc"}));
    ASSERT_EQ(spooler.written.size(), 1u);
    EXPECT_EQ(spooler.written[0], firmware);

    zr640::test::RecordingSpooler empty;
    EXPECT_TRUE(zr640ui::DownloadFile(empty, Write(folder / "empty.JK", {}).wstring()).sent);
    EXPECT_EQ(empty.written, std::vector<Bytes>{Bytes{}});

    zr640::test::RecordingSpooler failing;  // a spooler failure is returned, not shown
    failing.failing = "Write 1";
    result = zr640ui::DownloadFile(failing, file.wstring());
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.message);

    zr640::test::RecordingSpooler unused;
    EXPECT_EQ(zr640ui::DownloadFile(unused, (folder / "absent.JK").wstring()).message,
              zr640::kDownloadError1);
    {  // someone is writing the file: it is not sent half-changed
        const zr640::win::ScopedFile writer(CreateFileW(file.c_str(), GENERIC_WRITE,
                                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer);
        EXPECT_EQ(zr640ui::DownloadFile(unused, file.wstring()).message, zr640::kDownloadError1);
    }
    {  // 1 GiB: more than one write carries, refused as memory the download cannot have
        const fs::path huge = folder / "huge.JK";
        const zr640::win::ScopedFile sparse(
            CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(sparse);
        DWORD ignored = 0;
        DeviceIoControl(sparse.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER end{};
        end.QuadPart = LONGLONG{1} << 30;
        ASSERT_TRUE(SetFilePointerEx(sparse.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(sparse.get()));
    }
    EXPECT_EQ(zr640ui::DownloadFile(unused, (folder / "huge.JK").wstring()).message,
              zr640::kDownloadError9);
    EXPECT_TRUE(unused.calls.empty()) << "nothing reached the spooler";
}

}  // namespace

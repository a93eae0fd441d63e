// The Water Mark page in the real document sheet: its controls driven by the messages a
// user's actions send, the settings record, the preview frame's pixels, the picture file and
// the recording platform's message boxes checked after each action.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/imaging/bmp.h"
#include "plugin/pages/document/watermark_text_picture.h"
#include "resource.h"
#include "tests/native/test_bitmaps.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;
using zr640::test::Rgb;
using zr640::test::TempFolder;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

constexpr int kMainTab = 2;
constexpr int kWatermarkTab = 3;

std::wstring PictureFileFor(const std::wstring& printer) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"\\" + printer + L"1.bmp";
}

std::wstring Field(const char16_t* field, size_t capacity) {
    const auto text = zr640::FieldText(field, capacity);
    return {text.begin(), text.end()};
}

// Types into the text box's edit field key by key, after rubbing out its old text with
// Backspace (the box selects its text only the first time it takes the focus).
void TypeText(HWND page, const wchar_t* text) {
    Focus(page, IDC_WATERMARK_COMBO_TEXT);
    PressKey(VK_END);
    for (size_t n = ControlText(page, IDC_WATERMARK_COMBO_TEXT).size(); n > 0; --n)
        PressKey(VK_BACK);
    TypeKeys(text);
}

void PressApply(HWND sheet) {
    SendMessageW(sheet, PSM_APPLY, 0, 0);
    oemhost::Pump(50);
}

// The preview frame's inside, as shown on the screen, sampled every other pixel.
std::vector<COLORREF> PreviewPixels(HWND page) {
    const HWND frame = GetDlgItem(page, IDC_WATERMARK_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    const HDC dc = GetDC(frame);
    std::vector<COLORREF> pixels;
    for (int y = area.top + 2; y < area.bottom - 2; y += 2) {
        for (int x = area.left + 2; x < area.right - 2; x += 2)
            pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(frame, dc);
    return pixels;
}

// Every pixel of the preview frame as the screen shows it now: nothing is repainted to take it.
std::vector<uint32_t> PreviewShot(HWND page) {
    // The preview is read from the screen: the pointer goes out of the way first, so no help
    // tip of the control under it covers the frame.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    oemhost::Pump(30);
    const HWND frame = GetDlgItem(page, IDC_WATERMARK_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    const HDC screen = GetDC(frame);
    std::vector<uint32_t> pixels = wintest::DrawnPixels(area.right, area.bottom, [&](HDC memory) {
        BitBlt(memory, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
    });
    ReleaseDC(frame, screen);
    return pixels;
}

// The page painted afresh from what it holds, as when it is uncovered.
void RepaintPage(HWND page) {
    InvalidateRect(page, nullptr, FALSE);
    UpdateWindow(page);
    oemhost::Pump(20);
}

std::vector<std::wstring> ListEntries(HWND page, int combo) {
    std::vector<std::wstring> entries;
    const auto count = SendDlgItemMessageW(page, combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[LF_FACESIZE + 20] = {};
        SendDlgItemMessageW(page, combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

LRESULT Selection(HWND page, int combo) {
    return SendDlgItemMessageW(page, combo, CB_GETCURSEL, 0, 0);
}

bool AllWhite(const std::vector<COLORREF>& pixels) {
    return !pixels.empty() && std::all_of(pixels.begin(), pixels.end(),
                                          [](COLORREF c) { return c == RGB(255, 255, 255); });
}

// The dark pixels of the 300 x 300 text picture file, as (x, y) with y counted from the top.
struct Ink {
    int left = 300, top = 300, right = -1, bottom = -1;
    int count = 0;
};

Ink InkOf(const Bytes& file) {
    Ink ink;
    if (file.size() != 270054) return ink;
    for (int row = 0; row < 300; ++row) {
        for (int x = 0; x < 300; ++x) {
            const uint8_t* pixel =
                file.data() + 54 + static_cast<size_t>(row) * 900 + static_cast<size_t>(x) * 3;
            if (pixel[0] + pixel[1] + pixel[2] > 3 * 128) continue;
            const int y = 299 - row;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

class WatermarkPage : public SheetFixture {
protected:
    TempFolder folder;

    // Runs the scenario on the Water Mark page of a sheet for `printer`, the record first
    // set up by `prepare`; true presses OK, false Cancel.
    void RunOnPage(
        const std::function<void(zr640::PrivateDevMode&)>& prepare,
        const std::function<bool(HWND sheet, HWND page, zr640::PrivateDevMode&)>& scenario,
        const std::wstring& printer = kPrinter) {
        SheetSession sheet(plugin, printer);
        if (prepare) prepare(Record(sheet));
        sheet.scenario = [&](HWND window) {
            const HWND page = oemhost::PageAt(window, kWatermarkTab);
            oemhost::Pump(50);
            return scenario(window, page, Record(sheet));
        };
        ASSERT_TRUE(sheet.Run(SheetKind::Document));
    }

    FakePlatform::Message LastMessage() const {
        return platform.messages.empty() ? FakePlatform::Message{} : platform.messages.back();
    }

    void Browse(HWND page, const fs::path& file) {
        platform.chosenFiles.push_back(file.wstring());
        Click(page, IDC_WATERMARK_BUTTON_BROWSE);
    }
};

void TextKind(zr640::PrivateDevMode& record) {
    record.bWatermarkType = 2;
    record.bPrintAsImage = 1;
}

// ---- Position and size ----------------------------------------------------------------------

TEST_F(WatermarkPage, TiledRaisesASizeBelowTwentyAndTheSizeSliderSpringsBack) {
    RunOnPage(
        [](zr640::PrivateDevMode& record) {
            TextKind(record);
            record.bWatermarkSize = 10;
        },
        [&](HWND, HWND page, zr640::PrivateDevMode& record) {
            EXPECT_EQ(SliderPosition(page, IDC_WATERMARK_SLIDER_SIZE), 10);
            PickWithKeyboard(page, IDC_WATERMARK_COMBO_POSITION, 9);
            EXPECT_EQ(record.bWatermarkPosition, 9);
            EXPECT_EQ(record.bWatermarkSize, 20);
            EXPECT_EQ(SliderPosition(page, IDC_WATERMARK_SLIDER_SIZE), 20);
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_SIZE), L"20");

            MoveSlider(page, IDC_WATERMARK_SLIDER_SIZE, 5);
            EXPECT_EQ(record.bWatermarkSize, 20);
            EXPECT_EQ(SliderPosition(page, IDC_WATERMARK_SLIDER_SIZE), 20) << "springs back";
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_SIZE), L"20");
            MoveSlider(page, IDC_WATERMARK_SLIDER_SIZE, 35);
            EXPECT_EQ(record.bWatermarkSize, 35);

            PickWithMouse(page, IDC_WATERMARK_COMBO_POSITION, 4);  // not tiled: any size stands
            MoveSlider(page, IDC_WATERMARK_SLIDER_SIZE, 5);
            EXPECT_EQ(record.bWatermarkSize, 5);
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_SIZE), L"5");
            return true;
        });
}

// ---- Kinds and the graphics flag ------------------------------------------------------------

TEST_F(WatermarkPage, ImageWithTheGraphicsFlagOffTellsOnceAndSetsIt) {
    RunOnPage(nullptr, [&](HWND window, HWND page, zr640::PrivateDevMode& record) {
        EXPECT_TRUE(IsChecked(page, IDC_WATERMARK_RADIO_NONE));
        EXPECT_FALSE(Enabled(page, IDC_WATERMARK_BUTTON_BROWSE));
        EXPECT_FALSE(Enabled(page, IDC_WATERMARK_SLIDER_SIZE));
        EXPECT_FALSE(ApplyEnabled(window));

        Click(page, IDC_WATERMARK_RADIO_IMAGE);
        EXPECT_EQ(record.bWatermarkType, 1);
        EXPECT_EQ(record.bPrintAsImage, 1);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(LastMessage().text, L"All Text will be printed as graphics image!");
        EXPECT_EQ(LastMessage().caption, L"Information");
        EXPECT_TRUE(LastMessage().type & MB_ICONINFORMATION);
        EXPECT_TRUE(Enabled(page, IDC_WATERMARK_BUTTON_BROWSE));
        EXPECT_FALSE(Enabled(page, IDC_WATERMARK_COMBO_TEXT));
        EXPECT_TRUE(Enabled(page, IDC_WATERMARK_SLIDER_SIZE));
        EXPECT_TRUE(ApplyEnabled(window));

        Click(page, IDC_WATERMARK_RADIO_TEXT);  // the flag is set: no second box
        EXPECT_EQ(record.bWatermarkType, 2);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_FALSE(Enabled(page, IDC_WATERMARK_BUTTON_BROWSE));
        EXPECT_TRUE(Enabled(page, IDC_WATERMARK_COMBO_TEXT));
        return true;
    });
}

TEST_F(WatermarkPage, NoneClearsTheFlagAndTheMainPageShowsNoOnItsNextActivation) {
    RunOnPage(
        [](zr640::PrivateDevMode& record) {
            record.bWatermarkType = 1;
            record.bPrintAsImage = 1;
        },
        [&](HWND window, HWND page, zr640::PrivateDevMode& record) {
            HWND main = oemhost::PageAt(window, kMainTab);
            EXPECT_TRUE(IsChecked(main, IDC_MAIN_RADIO_GRAPHICSYES));
            EXPECT_FALSE(Enabled(main, IDC_MAIN_RADIO_GRAPHICSNO))
                << "a water mark locks the choice";

            page = oemhost::PageAt(window, kWatermarkTab);
            Click(page, IDC_WATERMARK_RADIO_NONE);
            EXPECT_EQ(record.bWatermarkType, 0);
            EXPECT_EQ(record.bPrintAsImage, 0);
            EXPECT_TRUE(platform.messages.empty());
            EXPECT_FALSE(Enabled(page, IDC_WATERMARK_SLIDER_BRIGHTNESS));

            main = oemhost::PageAt(window, kMainTab);
            EXPECT_TRUE(IsChecked(main, IDC_MAIN_RADIO_GRAPHICSNO));
            EXPECT_FALSE(IsChecked(main, IDC_MAIN_RADIO_GRAPHICSYES));
            EXPECT_TRUE(Enabled(main, IDC_MAIN_RADIO_GRAPHICSYES));
            return true;
        });
}

// ---- Browse... ------------------------------------------------------------------------------

TEST_F(WatermarkPage, BrowseReportsEachResultAndKeepsTheRecordWhole) {
    const fs::path fourBit = folder / "four.bmp";
    zr640::test::WriteFile(fourBit,
                           zr640::NewBitmapFile(6, 4, 4, std::vector<zr640::PaletteEntry>(16)));
    const fs::path colour = folder / "colour.bmp";
    const Bytes colourBytes = zr640::test::Bitmap24(9, 5, [](int32_t x, int32_t y) {
        return Rgb{static_cast<uint8_t>(x * 20), static_cast<uint8_t>(y * 40), 7};
    });
    zr640::test::WriteFile(colour, colourBytes);
    const fs::path deep = folder / (std::string(130, 'd') + ".bmp");
    const std::wstring picture = PictureFileFor(kPrinter);
    DeleteFileW(picture.c_str());

    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        Click(page, IDC_WATERMARK_RADIO_IMAGE);
        platform.messages.clear();

        Browse(page, fourBit);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(LastMessage().text, L"Make sure the specified bitmap is 1/8/24/ bits!");
        EXPECT_EQ(LastMessage().caption, L"Error");
        EXPECT_TRUE(LastMessage().type & MB_ICONERROR);
        EXPECT_EQ(Field(record.wszWatermarkBitmap, 125), L"");
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_BITMAP), L"");
        EXPECT_EQ(GetFileAttributesW(picture.c_str()), INVALID_FILE_ATTRIBUTES);

        Browse(page, colour);
        EXPECT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(Field(record.wszWatermarkBitmap, 125), colour.wstring());
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_BITMAP), colour.wstring());
        EXPECT_EQ(zr640::test::ReadFile(picture), colourBytes)
            << "a 24-bit bitmap is copied byte for byte";
        EXPECT_EQ(platform.fileDialogs.back().filter, L"*.bmp|*.bmp");

        // A path the record cannot hold whole is refused, not stored cut.
        Browse(page, deep);
        EXPECT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(LastMessage().text,
                  L"The selected bitmap path is too long. Please choose a file whose path has at "
                  L"most 124 "
                  L"characters.");
        EXPECT_EQ(Field(record.wszWatermarkBitmap, 125), colour.wstring());

        platform.chosenFiles.clear();  // cancelled: nothing changes
        Click(page, IDC_WATERMARK_BUTTON_BROWSE);
        EXPECT_EQ(platform.messages.size(), 2u);
        return true;
    });
}

// A network printer's name gives no picture-file name: the page writes nothing and says the
// file cannot be created; a text water mark's apply is not reported as done.
TEST_F(WatermarkPage, APrinterNameThatIsNoFileNameFailsCleanly) {
    const fs::path colour = folder / "colour.bmp";
    zr640::test::WriteFile(colour, zr640::test::Bitmap24(4, 4, [](int32_t, int32_t) {
                               return Rgb{1, 2, 3};
                           }));
    RunOnPage(
        TextKind,
        [&](HWND window, HWND page, zr640::PrivateDevMode& record) {
            Click(page, IDC_WATERMARK_RADIO_IMAGE);
            Browse(page, colour);
            EXPECT_EQ(LastMessage().text, L"Please check if user has administrator privileges!");
            EXPECT_EQ(Field(record.wszWatermarkBitmap, 125), L"");

            Click(page, IDC_WATERMARK_RADIO_TEXT);
            PressApply(window);
            EXPECT_TRUE(ApplyEnabled(window)) << "the text picture could not be written";
            return false;
        },
        L"\\\\server\\ZR640");
}

// ---- Text and font size ---------------------------------------------------------------------

TEST_F(WatermarkPage, FontSizeClampsAboveAtOnceAndBelowOnLeaving) {
    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"50");
        Focus(page, IDC_WATERMARK_EDIT_FONTSIZE);
        TypeKeys(L"5");
        EXPECT_EQ(record.bWatermarkFontSize, 5);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"5");
        LeaveField();
        EXPECT_EQ(record.bWatermarkFontSize, 8);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"8");
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_WATERMARK_SPIN_FONTSIZE, UDM_GETPOS32, 0, 0), 8);

        Focus(page, IDC_WATERMARK_EDIT_FONTSIZE);
        TypeKeys(L"99");
        EXPECT_EQ(record.bWatermarkFontSize, 72);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"72");
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_WATERMARK_SPIN_FONTSIZE, UDM_GETPOS32, 0, 0), 72);
        return true;
    });
}

// The record's field holds 16 characters and no terminator when all 16 are used.
TEST_F(WatermarkPage, TheTextKeepsWhatTheFieldHolds) {
    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        PickWithMouse(page, IDC_WATERMARK_COMBO_TEXT, 3);
        EXPECT_EQ(Field(record.wszWatermarkText, 16), L"DRAFT");
        TypeText(page, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        EXPECT_EQ(std::u16string(record.wszWatermarkText, 16), u"ABCDEFGHIJKLMNOP");
        TypeText(page, L"Hi");
        EXPECT_EQ(Field(record.wszWatermarkText, 16), L"Hi");
        EXPECT_EQ(record.wszWatermarkText[2], u'\0');
        EXPECT_EQ(record.wszWatermarkText[15], u'\0') << "the rest of the field is cleared";
        return true;
    });
}

// ---- The preview ----------------------------------------------------------------------------

TEST_F(WatermarkPage, BrightnessTwoFiftyFiveTurnsThePreviewWhite) {
    const fs::path black = folder / "black.bmp";
    zr640::test::WriteFile(black, zr640::test::Bitmap24(40, 30, [](int32_t, int32_t) {
                               return Rgb{0, 0, 0};
                           }));
    RunOnPage([](zr640::PrivateDevMode& record) { record.bWatermarkBrightness = 0; },
              [&](HWND, HWND page, zr640::PrivateDevMode& record) {
                  EXPECT_TRUE(AllWhite(PreviewPixels(page))) << "no water mark";
                  Click(page, IDC_WATERMARK_RADIO_IMAGE);
                  Browse(page, black);
                  oemhost::Pump(50);
                  EXPECT_FALSE(AllWhite(PreviewPixels(page))) << "the black image shows";
                  MoveSlider(page, IDC_WATERMARK_SLIDER_BRIGHTNESS, 255);
                  EXPECT_EQ(record.bWatermarkBrightness, 255);
                  EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_BRIGHTNESS), L"255");
                  oemhost::Pump(50);
                  EXPECT_TRUE(AllWhite(PreviewPixels(page)));

                  MoveSlider(page, IDC_WATERMARK_SLIDER_BRIGHTNESS, 0);
                  Click(page, IDC_WATERMARK_RADIO_TEXT);
                  oemhost::Pump(50);
                  EXPECT_FALSE(AllWhite(PreviewPixels(page))) << "the text shows";
                  MoveSlider(page, IDC_WATERMARK_SLIDER_BRIGHTNESS, 255);
                  oemhost::Pump(50);
                  EXPECT_TRUE(AllWhite(PreviewPixels(page)));
                  return true;
              });
}

// ---- Apply and the text picture -------------------------------------------------------------

TEST_F(WatermarkPage, ApplyWritesTheTextPictureFile) {
    const std::wstring picture = PictureFileFor(kPrinter);
    DeleteFileW(picture.c_str());
    RunOnPage(TextKind, [&](HWND window, HWND page, zr640::PrivateDevMode& record) {
        TypeText(page, L"PROOF");
        PressApply(window);
        EXPECT_FALSE(ApplyEnabled(window));
        EXPECT_EQ(Field(record.wszWatermarkText, 16), L"PROOF");
        EXPECT_EQ(Field(record.wszWatermarkFont, 50),
                  ControlText(page, IDC_WATERMARK_COMBO_FONTTYPE));
        const Bytes file = zr640::test::ReadFile(picture);
        EXPECT_EQ(file.size(), 270054u);
        std::array<uint8_t, 54> header = {'B', 'M', 0xE6, 0x1E, 0x04, 0, 0, 0, 0,    0,
                                          54,  0,   0,    0,    40,   0, 0, 0, 0x2C, 0x01,
                                          0,   0,   0x2C, 0x01, 0,    0, 1, 0, 24,   0};
        EXPECT_TRUE(file.size() >= header.size() &&
                    std::equal(header.begin(), header.end(), file.begin()));
        EXPECT_GT(InkOf(file).count, 0) << "the text is drawn";
        return true;
    });
}

// At 90 degrees the text runs upwards through the centre: tall and narrow about x = 150, and
// a text whose ink is all at its start is inked below the centre only.
TEST_F(WatermarkPage, AngleNinetyDrawsTheTextUpwardsThroughTheCentre) {
    const std::wstring picture = PictureFileFor(kPrinter);
    RunOnPage(
        [](zr640::PrivateDevMode& record) {
            TextKind(record);
            record.bWatermarkFontSize = 24;
        },
        [&](HWND window, HWND page, zr640::PrivateDevMode&) {
            MoveSlider(page, IDC_WATERMARK_SLIDER_ANGLE, 90);
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_ANGLE), L"90");
            TypeText(page, L"DRAFT");
            PressApply(window);
            const Ink text = InkOf(zr640::test::ReadFile(picture));
            EXPECT_GT(text.count, 0);
            EXPECT_GT(text.bottom - text.top, 2 * (text.right - text.left)) << "tall and narrow";
            EXPECT_LT(text.left, 150);
            EXPECT_GT(text.right, 150);
            EXPECT_LT(text.top, 150);
            EXPECT_GT(text.bottom, 150);
            EXPECT_LT(std::abs((text.top + text.bottom) / 2 - 150), 20);

            TypeText(page, L"W       ");
            PressApply(window);
            const Ink start = InkOf(zr640::test::ReadFile(picture));
            EXPECT_GT(start.count, 0);
            EXPECT_GT(start.top, 150) << "the text starts at the bottom and runs upwards";
            return true;
        });
}

// ---- What a person does: the preview follows at once -----------------------------------------

// After each change the frame already shows what a full repaint of the page shows, and it
// changed. The text box's edit field follows a pick from its opened list only after the pick is
// reported, so a preview drawn from that field would still show the old text.
TEST_F(WatermarkPage, ThePreviewFollowsEachChangeAtOnce) {
    RunOnPage(
        [](zr640::PrivateDevMode& record) {
            TextKind(record);
            record.bWatermarkBrightness = 0;
            record.bWatermarkSize = 100;
            record.bWatermarkFontSize = 20;
        },
        [&](HWND, HWND page, zr640::PrivateDevMode& record) {
            RepaintPage(page);
            const auto faces = ListEntries(page, IDC_WATERMARK_COMBO_FONTTYPE);
            // A symbol face draws the letters as other shapes; any other face will do.
            const auto current = Selection(page, IDC_WATERMARK_COMBO_FONTTYPE);
            int otherFace = current == 0 ? 1 : 0;
            for (size_t i = 0; i < faces.size(); ++i) {
                if (LRESULT(i) != current && (faces[i] == L"Wingdings" || faces[i] == L"Marlett"))
                    otherFace = int(i);
            }
            const std::vector<std::pair<const char*, std::function<void()>>> changes = {
                {"text picked with the keyboard",
                 [&] { PickWithKeyboard(page, IDC_WATERMARK_COMBO_TEXT, 3); }},
                {"text picked with the mouse",
                 [&] { PickWithMouse(page, IDC_WATERMARK_COMBO_TEXT, 6); }},
                {"text typed", [&] { TypeText(page, L"PROOF"); }},
                {"font", [&] { PickWithKeyboard(page, IDC_WATERMARK_COMBO_FONTTYPE, otherFace); }},
                {"style", [&] { PickWithMouse(page, IDC_WATERMARK_COMBO_FONTSTYLE, 2); }},
                {"font size", [&] { TypeAndLeave(page, IDC_WATERMARK_EDIT_FONTSIZE, L"40"); }},
                {"angle", [&] { MoveSlider(page, IDC_WATERMARK_SLIDER_ANGLE, 0); }},
                {"position", [&] { PickWithKeyboard(page, IDC_WATERMARK_COMBO_POSITION, 0); }},
                {"size", [&] { MoveSlider(page, IDC_WATERMARK_SLIDER_SIZE, 60); }},
                {"brightness", [&] { MoveSlider(page, IDC_WATERMARK_SLIDER_BRIGHTNESS, 150); }},
            };
            for (const auto& [name, change] : changes) {
                const auto before = PreviewShot(page);
                change();
                const auto after = PreviewShot(page);
                RepaintPage(page);
                EXPECT_NE(after, before) << name;
                EXPECT_EQ(after, PreviewShot(page)) << name << ": the preview lagged behind";
            }
            EXPECT_EQ(Field(record.wszWatermarkText, 16), L"PROOF");
            EXPECT_EQ(Field(record.wszWatermarkFont, 50), faces[size_t(otherFace)]);
            EXPECT_EQ(record.bWatermarkFontStyle, 2);
            EXPECT_EQ(record.bWatermarkFontSize, 40);
            EXPECT_EQ(record.dwWatermarkAngle, 0u);
            EXPECT_EQ(record.bWatermarkPosition, 0);
            EXPECT_EQ(record.bWatermarkSize, 60);
            EXPECT_EQ(record.bWatermarkBrightness, 150);
            return true;
        });
}

// ---- Every list, picked from its opened drop-down --------------------------------------------

TEST_F(WatermarkPage, EachListStoresAndShowsTheEntryPicked) {
    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        PickWithKeyboard(page, IDC_WATERMARK_COMBO_TEXT, 2);
        EXPECT_EQ(Field(record.wszWatermarkText, 16), L"TOP SECRET");
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_TEXT), L"TOP SECRET");
        PickWithMouse(page, IDC_WATERMARK_COMBO_TEXT, 7);
        EXPECT_EQ(Field(record.wszWatermarkText, 16), L"FILE COPY");
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_TEXT), L"FILE COPY");

        const auto faces = ListEntries(page, IDC_WATERMARK_COMBO_FONTTYPE);
        if (faces.size() < 2) {
            ADD_FAILURE() << "fewer than two faces to pick from";
            return true;
        }
        const int last = static_cast<int>(faces.size()) - 1;
        PickWithKeyboard(page, IDC_WATERMARK_COMBO_FONTTYPE, last);
        EXPECT_EQ(Field(record.wszWatermarkFont, 50), faces.back());
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_FONTTYPE), faces.back());
        PickWithMouse(page, IDC_WATERMARK_COMBO_FONTTYPE, 1);
        EXPECT_EQ(Field(record.wszWatermarkFont, 50), faces[1]);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_FONTTYPE), faces[1]);

        const wchar_t* styles[] = {L"Regular", L"Italic", L"Bold", L"Bold Italic"};
        for (const int style : {3, 1}) {
            PickWithKeyboard(page, IDC_WATERMARK_COMBO_FONTSTYLE, style);
            EXPECT_EQ(record.bWatermarkFontStyle, style);
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_FONTSTYLE), styles[style]);
        }
        PickWithMouse(page, IDC_WATERMARK_COMBO_FONTSTYLE, 2);
        EXPECT_EQ(record.bWatermarkFontStyle, 2);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_FONTSTYLE), L"Bold");

        MoveSlider(page, IDC_WATERMARK_SLIDER_SIZE, 10);
        PickWithMouse(page, IDC_WATERMARK_COMBO_POSITION, 9);
        EXPECT_EQ(record.bWatermarkPosition, 9);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_POSITION), L"Tiled");
        EXPECT_EQ(record.bWatermarkSize, 20) << "tiled: at least 20";
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_VALUE_SIZE), L"20");
        PickWithKeyboard(page, IDC_WATERMARK_COMBO_POSITION, 8);
        EXPECT_EQ(record.bWatermarkPosition, 8);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_POSITION), L"Right-Bottom");
        PickWithMouse(page, IDC_WATERMARK_COMBO_POSITION, 0);
        EXPECT_EQ(record.bWatermarkPosition, 0);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_POSITION), L"Left-Top");
        return true;
    });
}

// ---- The font size, typed key by key ----------------------------------------------------------

TEST_F(WatermarkPage, TheFontSizeTypedKeyByKeyIsStoredAsTypedWithinItsRange) {
    RunOnPage(TextKind, [&](HWND window, HWND page, zr640::PrivateDevMode& record) {
        const auto spin = [&] {
            return SendDlgItemMessageW(page, IDC_WATERMARK_SPIN_FONTSIZE, UDM_GETPOS32, 0, 0);
        };
        // Every length the field takes, both ends of the range included.
        for (const auto& [typed, value] : std::vector<std::pair<std::wstring, int>>{
                 {L"9", 9}, {L"8", 8}, {L"12", 12}, {L"50", 50}, {L"72", 72}}) {
            TypeAndLeave(page, IDC_WATERMARK_EDIT_FONTSIZE, typed);
            EXPECT_EQ(record.bWatermarkFontSize, value) << typed;
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), typed);
            EXPECT_EQ(spin(), value) << typed;
        }

        // Above the range: lowered at once, while typing.
        Focus(page, IDC_WATERMARK_EDIT_FONTSIZE);
        TypeKeys(L"9");
        EXPECT_EQ(record.bWatermarkFontSize, 9);
        TypeKeys(L"9");
        EXPECT_EQ(record.bWatermarkFontSize, 72);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"72");
        EXPECT_EQ(spin(), 72);
        LeaveField();
        EXPECT_EQ(record.bWatermarkFontSize, 72);

        // And on apply, when the field still has the focus.
        Focus(page, IDC_WATERMARK_EDIT_FONTSIZE);
        TypeKeys(L"3");
        EXPECT_EQ(record.bWatermarkFontSize, 3);
        PressApply(window);
        EXPECT_EQ(record.bWatermarkFontSize, 8);
        EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_FONTSIZE), L"8");
        return true;
    });
}

// ---- The font list: the stored face by its exact name -----------------------------------------

// A face whose name begins another's ("Arial" and "Arial Black"): the stored one reopens,
// whichever of the two the system lists first.
TEST_F(WatermarkPage, TheStoredFaceIsSelectedByItsExactName) {
    // The installed faces that begin another face's name.
    std::vector<std::wstring> shortNames;
    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        const auto faces = ListEntries(page, IDC_WATERMARK_COMBO_FONTTYPE);
        for (const auto& face : faces) {
            for (const auto& other : faces) {
                if (other.size() > face.size() && other.compare(0, face.size(), face) == 0) {
                    shortNames.push_back(face);
                    break;
                }
            }
        }
        return false;
    });
    for (const std::wstring& face : shortNames) {
        RunOnPage(
            [&](zr640::PrivateDevMode& record) {
                TextKind(record);
                zr640::StoreFieldText(record.wszWatermarkFont, 50,
                                      std::u16string(face.begin(), face.end()));
            },
            [&](HWND, HWND page, zr640::PrivateDevMode&) {
                EXPECT_EQ(ControlText(page, IDC_WATERMARK_COMBO_FONTTYPE), face);
                return false;
            });
    }

    // The same rule on a list filled here, the longer name first.
    RunOnPage(TextKind, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        const HWND combo = GetDlgItem(page, IDC_WATERMARK_COMBO_FONTTYPE);
        const std::vector<std::u16string> faces = {u"Arial Black", u"Arial", u"Arial Narrow"};
        for (const auto* stored : {u"Arial", u"Arial Black", u"Arial N"}) {
            SendMessageW(combo, CB_RESETCONTENT, 0, 0);
            zr640ui::FillFaceList(combo, faces, stored);
            wchar_t shown[64] = {};
            GetWindowTextW(combo, shown, 64);
            const std::u16string expected =
                std::u16string(stored) == u"Arial N" ? u"Arial Narrow" : std::u16string(stored);
            EXPECT_EQ(std::wstring(shown), std::wstring(expected.begin(), expected.end()));
        }
        return false;
    });
}

// ---- A picture too big for the preview --------------------------------------------------------

// Refused when it is chosen: one message, the record and the picture file as they were, and no
// message from the paints that follow.
TEST_F(WatermarkPage, APictureTooBigForThePreviewIsRefusedWhenChosen) {
    const fs::path colour = folder / "colour.bmp";
    const Bytes colourBytes = zr640::test::Bitmap24(8, 6, [](int32_t x, int32_t) {
        return Rgb{static_cast<uint8_t>(x * 30), 0, 0};
    });
    zr640::test::WriteFile(colour, colourBytes);
    // 1872 x 1868 in 1 bit: small on disk, 10,490,688 bytes of 24-bit rows.
    const std::vector<zr640::PaletteEntry> mono = {{0, 0, 0}, {255, 255, 255}};
    const fs::path big = folder / "big.bmp";
    zr640::test::WriteFile(big, zr640::NewBitmapFile(1872, 1868, 1, mono));
    // Beyond any bitmap taken, and 4 bits deep: still too big, not of the wrong depth.
    Bytes hugeBytes = zr640::NewBitmapFile(6, 4, 4, std::vector<zr640::PaletteEntry>(16));
    hugeBytes[18] = 0x40;  // 40000 pixels wide
    hugeBytes[19] = 0x9C;
    const fs::path huge = folder / "huge.bmp";
    zr640::test::WriteFile(huge, hugeBytes);
    const std::wstring picture = PictureFileFor(kPrinter);

    RunOnPage(nullptr, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        Click(page, IDC_WATERMARK_RADIO_IMAGE);
        Browse(page, colour);
        oemhost::Pump(50);
        const auto shown = PreviewShot(page);
        platform.messages.clear();

        for (const fs::path& file : {big, huge}) {
            Browse(page, file);
            RepaintPage(page);
            RepaintPage(page);
            EXPECT_EQ(platform.messages.size(), 1u) << file;
            EXPECT_EQ(LastMessage().text, L"The bitmap you selected is too big!");
            EXPECT_EQ(LastMessage().caption, L"Error");
            EXPECT_TRUE(LastMessage().type & MB_ICONERROR);
            EXPECT_EQ(Field(record.wszWatermarkBitmap, 125), colour.wstring());
            EXPECT_EQ(ControlText(page, IDC_WATERMARK_EDIT_BITMAP), colour.wstring());
            EXPECT_EQ(zr640::test::ReadFile(picture), colourBytes);
            EXPECT_EQ(PreviewShot(page), shown);
            platform.messages.clear();
        }
        return true;
    });
}

}  // namespace

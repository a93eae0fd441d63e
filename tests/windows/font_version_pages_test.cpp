// The Font page's tree and the Version page in both sheets: their items, icons and texts in
// English and Chinese, a language file without the page's section, and the web-address link.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "core/localisation/text_catalog.h"
#include "resource.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

constexpr int kFontTab = 4;
constexpr int kDeviceVersionTab = 5;
constexpr int kDocumentVersionTab = 7;

HWND Tree(HWND page) { return GetDlgItem(page, IDC_FONT_TREE_FONTS); }

HTREEITEM Next(HWND page, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(Tree(page), TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

struct TreeItem {
    std::wstring text;
    int image = -1;
    int selectedImage = -1;
    bool expanded = false;
};

TreeItem Read(HWND page, HTREEITEM handle) {
    wchar_t text[256] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = 256;
    item.stateMask = TVIS_EXPANDED;
    SendMessageW(Tree(page), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return {text, item.iImage, item.iSelectedImage, (item.state & TVIS_EXPANDED) != 0};
}

std::vector<HTREEITEM> Children(HWND page, HTREEITEM parent) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = Next(page, parent, TVGN_CHILD); child != nullptr;
         child = Next(page, child, TVGN_NEXT)) {
        children.push_back(child);
    }
    return children;
}

void Repaint(HWND page) { RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

// What the page shows for a key of a driver's language file, line breaks made.
std::wstring FileText(const wchar_t* file, const wchar_t* section, const wchar_t* key) {
    const std::wstring stored = DriverText(file, section, key);
    return Wide(zr640::text::ShownText(std::u16string(stored.begin(), stored.end())));
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

class InfoPages : public SheetFixture {
protected:
    void RunOn(SheetKind kind, int tab, const std::function<void(HWND page)>& scenario) {
        SheetSession sheet(plugin, kPrinter);
        sheet.scenario = [&](HWND window) {
            scenario(oemhost::PageAt(window, tab));
            return true;
        };
        ASSERT_TRUE(sheet.Run(kind));
        plugin->Release();
        plugin = nullptr;
        auto* factory = new zr640ui::UiPluginClassFactory();
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin)),
            S_OK);
        factory->Release();
    }

    // A point inside the link's text, in page coordinates.
    static POINT OnLink(HWND page) {
        RECT area = {};
        GetWindowRect(GetDlgItem(page, IDC_VERSION_LABEL_WEB), &area);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
        return {area.left + 6, area.top + 4};
    }
    static void Mouse(HWND page, UINT message, POINT point) {
        SendMessageW(page, message, 0, MAKELPARAM(point.x, point.y));
    }
};

// ---- Font ---------------------------------------------------------------------------------

// 16 x 16 pixels of what `draw` puts on the window colour, top row first.
std::vector<uint32_t> Pixels(const std::function<void(HDC)>& draw) {
    return DrawnPixels(16, 16, [&](HDC dc) {
        const RECT all = {0, 0, 16, 16};
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        draw(dc);
    });
}

// The icon resource as the icon itself draws.
std::vector<uint32_t> IconPixels(int id) {
    const auto icon = static_cast<HICON>(
        LoadImageW(zr640ui::ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    const auto pixels =
        Pixels([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
    if (icon != nullptr) DestroyIcon(icon);
    return pixels;
}

// The pixels at which two drawings differ by more than blending's rounding (2 in a channel).
int PixelsApart(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size()) return 256;
    int apart = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        for (const int shift : {0, 8, 16}) {
            const int x = static_cast<int>((a[i] >> shift) & 0xFFu);
            const int y = static_cast<int>((b[i] >> shift) & 0xFFu);
            if (x - y > 2 || y - x > 2) {
                ++apart;
                break;
            }
        }
    }
    return apart;
}

TEST_F(InfoPages, TheFontTreeHoldsFifteenSizesUnderThreeExpandedFonts) {
    RunOn(SheetKind::Device, kFontTab, [&](HWND page) {
        const HTREEITEM root = Next(page, nullptr, TVGN_ROOT);
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(Next(page, root, TVGN_NEXT), nullptr) << "one root";
        const TreeItem top = Read(page, root);
        EXPECT_EQ(top.text, L"Printer Fonts and Font Sizes");
        EXPECT_EQ(top.image, 0);
        EXPECT_TRUE(top.expanded);
        EXPECT_EQ(Next(page, nullptr, TVGN_CARET), root) << "the root is selected";

        const std::vector<std::vector<std::wstring>> expected = {
            {L"FontA11    9.5", L"FontA12    19.0", L"FontA21    9.5", L"FontA22   19.0",
             L"FontA24   38.5", L"FontA42   19.0", L"FontA44   38.5"},
            {L"FontB11    7.0", L"FontB12    13.5", L"FontB21    7.0", L"FontB22   13.5",
             L"FontB24   27.0", L"FontB42   13.5", L"FontB44   27.0"},
            {L"Control    1.0"},
        };
        const std::vector<std::wstring> names = {L"Font A", L"Font B", L"Control Font"};
        const auto fonts = Children(page, root);
        ASSERT_EQ(fonts.size(), 3u);
        size_t leaves = 0;
        for (size_t f = 0; f < fonts.size(); ++f) {
            const TreeItem font = Read(page, fonts[f]);
            EXPECT_EQ(font.text, names[f]);
            EXPECT_EQ(font.image, 1);
            EXPECT_TRUE(font.expanded);
            const auto sizes = Children(page, fonts[f]);
            ASSERT_EQ(sizes.size(), expected[f].size());
            for (size_t s = 0; s < sizes.size(); ++s) {
                const TreeItem size = Read(page, sizes[s]);
                EXPECT_EQ(size.text, expected[f][s]);
                EXPECT_EQ(size.image, 2);
                EXPECT_EQ(size.selectedImage, 2);
                EXPECT_TRUE(Children(page, sizes[s]).empty());
                ++leaves;
            }
        }
        EXPECT_EQ(leaves, 15u);
        const auto images = reinterpret_cast<HIMAGELIST>(
            SendMessageW(Tree(page), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(images), 3);
        int width = 0, height = 0;
        ImageList_GetIconSize(images, &width, &height);
        EXPECT_EQ(width, 16);
        EXPECT_EQ(height, 16);
        // Each image shows its icon as the icon draws itself, soft edges included.
        const int icons[] = {IDI_FONT_TREE_ROOT, IDI_FONT_TREE_FONT, IDI_FONT_TREE_SIZE};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const auto drawn =
                Pixels([&](HDC dc) { ImageList_Draw(images, i, dc, 0, 0, ILD_NORMAL); });
            EXPECT_EQ(PixelsApart(drawn, IconPixels(icons[i])), 0);
            EXPECT_NE(drawn, Pixels([](HDC) {})) << "the image is not blank";
        }
    });
}

TEST_F(InfoPages, AFileWithoutTheFontSectionKeepsTheNoticesTrailingSpace) {
    RunOn(SheetKind::Device, kFontTab, [&](HWND page) {
        ChooseLanguage(L"ENG_ZR640.res");
        WritePrivateProfileStringW(L"FONT", nullptr, nullptr,
                                   (zr640ui::UserFolder() + L"ENG_ZR640.res").c_str());
        Repaint(page);
        EXPECT_EQ(ControlText(page, IDC_FONT_LABEL_NOTICE),
                  L"Select this font size in the application. ");
        EXPECT_EQ(Read(page, Next(page, nullptr, TVGN_ROOT)).text, L"Printer Fonts and Font Sizes");
    });
}

TEST_F(InfoPages, AnEmptyStoredTextStaysEmpty) {
    RunOn(SheetKind::Device, kFontTab, [&](HWND page) {
        ChooseLanguage(L"ENG_ZR640.res");
        WriteUserProfile(L"ENG_ZR640.res", L"FONT", L"RC_STATIC_FONT_NOTICE", L"");
        Repaint(page);
        EXPECT_EQ(ControlText(page, IDC_FONT_LABEL_NOTICE), L"")
            << "a stored text, not a missing one";
    });
}

TEST_F(InfoPages, TheFontTreesTitleFollowsTheLanguageAtTheNextPaint) {
    RunOn(SheetKind::Device, kFontTab, [&](HWND page) {
        ChooseLanguage(L"CHN_ZR640.res");
        Repaint(page);
        const std::wstring title = DriverText(L"CHN_ZR640.res", L"FONT", L"RC_RONT_TREETITLE");
        EXPECT_FALSE(title.empty());
        EXPECT_NE(title, L"Printer Fonts and Font Sizes");
        EXPECT_EQ(Read(page, Next(page, nullptr, TVGN_ROOT)).text, title);
        EXPECT_EQ(ControlText(page, IDC_FONT_LABEL_NOTICE),
                  FileText(L"CHN_ZR640.res", L"FONT", L"RC_STATIC_FONT_NOTICE"));
    });
}

// ---- Version ------------------------------------------------------------------------------

struct VersionLine {
    int control;
    const wchar_t* key;
};
constexpr VersionLine kLines[] = {
    {IDC_VERSION_LABEL_NAME, L"RC_STATIC_VER1"},
    {IDC_VERSION_LABEL_COPYRIGHT, L"RC_STATIC_VER2"},
    {IDC_VERSION_LABEL_RIGHTS, L"RC_STATIC_VER3"},
    {IDC_VERSION_LABEL_PRODUCT, L"RC_STATIC_VER4"},
    {IDC_VERSION_LABEL_VERSIONS, L"RC_STATIC_VER5"},
    {IDC_VERSION_LABEL_ADDITIONAL, L"RC_STATIC_VER6"},
    {IDC_VERSION_LABEL_WEB, L"RC_STATIC_VER7"},
    {IDC_VERSION_LABEL_WARNING, L"RC_STATIC_WARNING"},
};

TEST_F(InfoPages, TheVersionPageShowsItsTextsInBothSheetsAndLanguages) {
    for (const wchar_t* file : {L"ENG_ZR640.res", L"CHN_ZR640.res"}) {
        for (const auto& [kind, tab] : {std::pair{SheetKind::Document, kDocumentVersionTab},
                                        std::pair{SheetKind::Device, kDeviceVersionTab}}) {
            SCOPED_TRACE(testing::Message()
                         << (kind == SheetKind::Document ? "document " : "device ")
                         << std::string(file, file + 3));
            ChooseLanguage(file);
            RunOn(kind, tab, [&](HWND page) {
                Repaint(page);
                for (const VersionLine& line : kLines) {
                    SCOPED_TRACE(line.control);
                    const std::wstring expected = FileText(file, L"VERSION", line.key);
                    EXPECT_FALSE(expected.empty());
                    EXPECT_EQ(ControlText(page, line.control), expected);
                }
            });
        }
    }
    EXPECT_EQ(DriverText(L"ENG_ZR640.res", L"VERSION", L"RC_STATIC_VER1"), L"Printer Driver");
    EXPECT_NE(DriverText(L"CHN_ZR640.res", L"VERSION", L"RC_STATIC_VER4"),
              DriverText(L"ENG_ZR640.res", L"VERSION", L"RC_STATIC_VER4"));
}

TEST_F(InfoPages, WithoutTheVersionLinesTheBuiltInTwoLinesShow) {
    RunOn(SheetKind::Device, kDeviceVersionTab, [&](HWND page) {
        ChooseLanguage(L"ENG_ZR640.res");
        WritePrivateProfileStringW(L"VERSION", L"RC_STATIC_VER5", nullptr,
                                   (zr640ui::UserFolder() + L"ENG_ZR640.res").c_str());
        Repaint(page);
        EXPECT_EQ(ControlText(page, IDC_VERSION_LABEL_VERSIONS),
                  L"Install version: v1.0\nUI version: v1.0");
    });
}

TEST_F(InfoPages, TheLinkUnderlinesOnHoverAndOpensTheAddressOnClick) {
    RunOn(SheetKind::Device, kDeviceVersionTab, [&](HWND page) {
        const HWND link = GetDlgItem(page, IDC_VERSION_LABEL_WEB);
        const POINT on = OnLink(page);
        const POINT off{on.x, on.y + 200};
        EXPECT_FALSE(FontOf(link).lfUnderline);
        Mouse(page, WM_MOUSEMOVE, on);
        EXPECT_TRUE(FontOf(link).lfUnderline);
        Mouse(page, WM_MOUSEMOVE, off);
        EXPECT_FALSE(FontOf(link).lfUnderline);

        Mouse(page, WM_LBUTTONUP, off);
        EXPECT_TRUE(platform.started.empty()) << "a click beside the link opens nothing";
        RECT area = {};
        GetWindowRect(link, &area);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
        Mouse(page, WM_LBUTTONUP, {area.right - 2, on.y});
        EXPECT_TRUE(platform.started.empty()) << "past the end of the address";

        Mouse(page, WM_LBUTTONDOWN, on);
        Mouse(page, WM_LBUTTONUP, on);
        ASSERT_EQ(platform.started.size(), 1u);
        EXPECT_EQ(platform.started[0].first,
                  DriverText(L"ENG_ZR640.res", L"VERSION", L"RC_STATIC_VER7"));
        EXPECT_EQ(platform.started[0].first.rfind(L"http", 0), 0u);
    });
}

TEST_F(InfoPages, AnAddressThatIsNoWebAddressIsNeverOpened) {
    RunOn(SheetKind::Document, kDocumentVersionTab, [&](HWND page) {
        ChooseLanguage(L"ENG_ZR640.res");
        WriteUserProfile(L"ENG_ZR640.res", L"VERSION", L"RC_STATIC_VER7",
                         L"C:\\windows\\system32\\cmd.exe");
        Repaint(page);
        const POINT on = OnLink(page);
        Mouse(page, WM_LBUTTONUP, on);
        EXPECT_TRUE(platform.started.empty());
    });
}

}  // namespace

// Every page of both sheets and every dialog, in every group of controls a page can show, at
// 100, 125 and 150 % screen scale (96, 120 and 144 DPI), in English and in Chinese: no two
// visible controls lie on top of each other, nothing is cut off at the window's edge and every
// text fits its control. Wine takes the screen's scale from the registry when a process starts,
// so each scale runs in a child process of this program.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "resource.h"
#include "tests/windows/layout_check.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

constexpr wchar_t kScaleVariable[] = L"ZR640_LAYOUT_DPI";
constexpr int kFirstPluginTab = 2;  // the host's own pages come first

std::string Narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

// The scale this process was started for, or 0 outside a child.
int ScaleOfThisProcess() {
    wchar_t value[16] = {};
    if (GetEnvironmentVariableW(kScaleVariable, value, 16) == 0) return 0;
    return _wtoi(value);
}

// The groups of controls a page shows by the choice of one list.
struct Group {
    const char* name;
    int list;  // 0: the page as it opens
    int entry;
};

struct PageGroups {
    int tab;
    std::vector<Group> groups;
};

const std::vector<PageGroups> kDocumentPages = {
    {2, {{"as opened", 0, 0}}},
    {3, {{"as opened", 0, 0}}},
    {4, {{"as opened", 0, 0}}},
    {5,
     {{"general bar code", IDC_CODE1D_COMBO_TYPE, 0}, {"GS1 DataBar", IDC_CODE1D_COMBO_TYPE, 12}}},
    {6,
     {{"PDF417", IDC_CODE2D_COMBO_TYPE, 0},
      {"GS1 DataBar", IDC_CODE2D_COMBO_TYPE, 3},
      {"QR Code", IDC_CODE2D_COMBO_TYPE, 4},
      {"Maxi Code", IDC_CODE2D_COMBO_TYPE, 5}}},
    {7, {{"as opened", 0, 0}}},
};
const std::vector<PageGroups> kDevicePages = {
    {2, {{"as opened", 0, 0}}},
    {3, {{"as opened", 0, 0}}},
    {4, {{"as opened", 0, 0}}},
    {5, {{"as opened", 0, 0}}},
};

class LayoutAtThisScale : public SheetFixture {
protected:
    void ExpectNoProblems(HWND window, const std::string& where) {
        for (const std::wstring& problem : LayoutProblems(window)) {
            ADD_FAILURE() << where << ": " << Narrow(problem);
        }
    }

    void CheckSheet(SheetKind kind, const std::vector<PageGroups>& pages,
                    const std::string& language) {
        SheetSession session(plugin, kPrinter);
        session.scenario = [&](HWND sheet) {
            for (const PageGroups& page : pages) {
                SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(page.tab), 0);
                oemhost::Pump(30);
                const HWND window = oemhost::PageAt(sheet, page.tab);
                const std::string tab = Narrow(oemhost::TabText(sheet, page.tab));
                for (const Group& group : page.groups) {
                    if (group.list != 0) PickWithKeyboard(window, group.list, group.entry);
                    ExpectNoProblems(window, language + " " + tab + " (" + group.name + ")");
                }
                if (kind == SheetKind::Document && page.tab == 4)
                    CheckEventDialog(window, language);
                if (kind == SheetKind::Device && page.tab == kFirstPluginTab) {
                    CheckControlFontDialogs(window, language);
                }
            }
            return false;
        };
        ASSERT_TRUE(session.Run(kind));
    }

    void CheckEventDialog(HWND operationPage, const std::string& language) {
        EXPECT_TRUE(WithDialogOpenedBy(
            operationPage, IDC_OPERATION_BUTTON_ENDDOC,
            [&](HWND dialog) { ExpectNoProblems(dialog, language + " event operation dialog"); }));
    }

    void CheckControlFontDialogs(HWND utilityPage, const std::string& language) {
        EXPECT_TRUE(
            WithDialogOpenedBy(utilityPage, IDC_UTILITY_BUTTON_CONTROLFONT, [&](HWND table) {
                ExpectNoProblems(table, language + " control-font table");
                // A click on the first row, then Edit opens the translator for it.
                const HWND list = GetDlgItem(table, IDC_CFTABLE_LIST_TABLE);
                RECT row = {LVIR_BOUNDS, 0, 0, 0};
                SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
                POINT centre{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
                ClientToScreen(list, &centre);
                ClickScreen(centre);
                EXPECT_TRUE(
                    WithDialogOpenedBy(table, IDC_CFTABLE_BUTTON_EDIT, [&](HWND translator) {
                        ExpectNoProblems(translator, language + " control-font translator");
                    }));
            }));
    }
};

TEST_F(LayoutAtThisScale, EveryPageDialogAndGroupHoldsTogether) {
    const int scale = ScaleOfThisProcess();
    if (scale == 0) GTEST_SKIP() << "runs in the child processes of LayoutAtEveryScale";
    const HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), scale) << "the screen's scale did not follow";
    ReleaseDC(nullptr, screen);
    for (const auto& [file, language] :
         {std::pair{L"ENG_ZR640.res", "English"}, std::pair{L"CHN_ZR640.res", "Chinese"}}) {
        ChooseLanguage(file);
        const std::string where = std::string(language) + " at " + std::to_string(scale) + " DPI";
        CheckSheet(SheetKind::Document, kDocumentPages, where);
        CheckSheet(SheetKind::Device, kDevicePages, where);
    }
}

// The screen's scale of a new process, kept in the user's registry: set for the child and put
// back as it was afterwards.
class ScaleSetting {
public:
    ScaleSetting() {
        RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                        KEY_READ | KEY_SET_VALUE, nullptr, &key_, nullptr);
        DWORD size = sizeof(saved_);
        had_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr,
                                reinterpret_cast<BYTE*>(&saved_), &size) == ERROR_SUCCESS;
    }
    ~ScaleSetting() {
        if (had_) {
            Set(saved_);
        } else {
            RegDeleteValueW(key_, L"LogPixels");
        }
        RegCloseKey(key_);
    }
    ScaleSetting(const ScaleSetting&) = delete;
    ScaleSetting& operator=(const ScaleSetting&) = delete;

    void Set(DWORD dpi) {
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof(dpi));
    }

private:
    HKEY key_ = nullptr;
    DWORD saved_ = 96;
    bool had_ = false;
};

// Runs this program's layout test in a child process started at the scale; its exit code.
DWORD RunChildAt(int dpi) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(program) + L"\" --gtest_filter=LayoutAtThisScale.*";
    SetEnvironmentVariableW(kScaleVariable, std::to_wstring(dpi).c_str());
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child = {};
    const BOOL started = CreateProcessW(program, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &start, &child);
    SetEnvironmentVariableW(kScaleVariable, nullptr);
    if (!started) return static_cast<DWORD>(-1);
    WaitForSingleObject(child.hProcess, 240000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return code;
}

TEST(LayoutAtEveryScale, PagesAndDialogsAt96_120And144Dpi) {
    if (ScaleOfThisProcess() != 0) GTEST_SKIP() << "inside a child";
    ScaleSetting setting;
    for (const int dpi : {96, 120, 144}) {
        setting.Set(static_cast<DWORD>(dpi));
        EXPECT_EQ(RunChildAt(dpi), 0u) << "at " << dpi << " DPI (the child's failures are above)";
    }
}

}  // namespace

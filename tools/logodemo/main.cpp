// logodemo: the Download page with two logos in its list, for the demo. The plug-in's code
// runs in this program, as in the Windows tests, so the page's open-file dialog can be
// answered with two pictures the program draws; the page, the sheet and the conversions
// are the real ones.
//
//   logodemo [--language FILE] --shots DIR
//        adds a colour and a gray picture to the logo list and saves two pictures of the
//        device sheet into DIR: download-mono.bmp (Transformation, the colour logo with
//        error diffusion) and download-gray.bmp (Gray, the gray logo with more contrast)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/imaging/bmp.h"
#include "plugin/localisation/language_files.h"
#include "plugin/module.h"
#include "plugin/platform/services.h"
#include "plugin/startup.h"
#include "plugin/ui_plugin_object.h"
#include "resource.h"
#include "tools/oemhost/host_sheet.h"
#include "tools/oemhost/screenshot.h"

namespace {

constexpr wchar_t kPrinter[] = L"T-ZR640 Test";
constexpr int kDownloadTab = 3;
constexpr int32_t kSide = 120;  // about the preview frame's size, so it is hardly scaled

int Fail(const wchar_t* message) {
    std::fwprintf(stderr, L"logodemo: %ls\n", message);
    return 1;
}

// Answers the page's file chooser from a queue; messages are printed, not shown.
class DemoPlatform final : public zr640ui::PlatformServices {
public:
    std::deque<std::wstring> files;

    LANGID SystemLanguage() override { return GetSystemDefaultLangID(); }
    int ShowMessage(HWND, const wchar_t* text, const wchar_t* caption, UINT) override {
        std::fwprintf(stderr, L"logodemo: the page says \"%ls\" (%ls)\n", text, caption);
        return IDOK;
    }
    bool BrowseForFolder(HWND, std::wstring&) override { return false; }
    bool ChooseFileToOpen(HWND, const wchar_t*, const wchar_t*, std::wstring& path) override {
        if (files.empty()) return false;
        path = files.front();
        files.pop_front();
        return true;
    }
    zr640ui::ShellStart StartProgram(const wchar_t*, const wchar_t*) override { return {false, 0}; }
};

uint8_t Level(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// A sun over the sea: a glowing disc in a black ring over black waves, on white.
std::vector<uint8_t> SunPicture() {
    std::vector<uint8_t> file = zr640::NewBitmapFile(kSide, kSide, 24, {});
    const size_t rowSize = static_cast<size_t>(zr640::BitmapRowSize(kSide, 24));
    for (int32_t y = 0; y < kSide; ++y) {
        uint8_t* row = file.data() + zr640::BitmapPixelOffset(0) + static_cast<size_t>(y) * rowSize;
        for (int32_t x = 0; x < kSide; ++x) {
            const double dx = x - kSide / 2.0, dy = y - kSide * 0.6;
            const double r = std::sqrt(dx * dx + dy * dy) / kSide;
            double red = 255, green = 255, blue = 255;
            if (r < 0.28) {  // from pale yellow in the middle to deep orange at the rim
                red = 255 - 60 * r;
                green = 250 - 650 * r;
                blue = 200 - 700 * r;
            } else if (r < 0.34) {
                red = green = blue = 0;
            }
            const double crest =
                kSide * (0.08 + 0.07 * ((kSide - x) / 30 % 2)) + 3 * std::sin(x / 6.0);
            for (int band = 0; band < 3; ++band) {
                if (std::abs(y - crest - band * 12) < 3) red = green = blue = 0;
            }
            row[3 * x] = Level(blue);
            row[3 * x + 1] = Level(green);
            row[3 * x + 2] = Level(red);
        }
    }
    return file;
}

// A sphere lit from the upper left, casting a soft shadow on a light floor.
std::vector<uint8_t> SpherePicture() {
    std::vector<zr640::PaletteEntry> palette;
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        palette.push_back({level, level, level});
    }
    std::vector<uint8_t> file = zr640::NewBitmapFile(kSide, kSide, 8, palette);
    const size_t rowSize = static_cast<size_t>(zr640::BitmapRowSize(kSide, 8));
    for (int32_t y = 0; y < kSide; ++y) {
        uint8_t* row =
            file.data() + zr640::BitmapPixelOffset(256) + static_cast<size_t>(y) * rowSize;
        for (int32_t x = 0; x < kSide; ++x) {
            const double nx = (x - kSide * 0.5) / (kSide * 0.32),
                         ny = (y - kSide * 0.55) / (kSide * 0.32);
            const double sx = (x - kSide * 0.6) / (kSide * 0.36),
                         sy = (y - kSide * 0.16) / (kSide * 0.08);
            double level = 200 + 40.0 * y / kSide;
            if (sx * sx + sy * sy < 1) level -= 90 * (1 - (sx * sx + sy * sy));
            const double d = nx * nx + ny * ny;
            if (d < 1) {
                const double nz = std::sqrt(1 - d);
                const double light = std::max(0.0, -0.55 * nx + 0.55 * ny + 0.63 * nz);
                level = 25 + 225 * light * light;
            }
            row[x] = Level(level);
        }
    }
    return file;
}

// Records a language the way the Main page does, before start-up reads it.
void ChooseLanguage(const std::wstring& file) { zr640ui::RecordLanguageChoice(file, false); }

void Click(HWND page, int control) {
    SendDlgItemMessageW(page, control, BM_CLICK, 0, 0);
    oemhost::Pump(50);
}

void SelectRow(HWND page, int row) {
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageW(page, IDC_DOWNLOAD_LIST_LOGOS, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&state));
    oemhost::Pump(50);
}

void MoveSlider(HWND page, int slider, int value) {
    const HWND bar = GetDlgItem(page, slider);
    SendMessageW(bar, TBM_SETPOS, TRUE, value);
    SendMessageW(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(value)),
                 reinterpret_cast<LPARAM>(bar));
    oemhost::Pump(50);
}

// The list takes the focus, so its selected row shows as the user sees it after a click.
bool Save(HWND sheet, HWND page, const std::wstring& folder, const wchar_t* name) {
    SetFocus(GetDlgItem(page, IDC_DOWNLOAD_LIST_LOGOS));
    oemhost::Pump(300);
    const std::wstring path = folder + L"\\" + name;
    if (!oemhost::SaveWindowPicture(sheet, path)) return false;
    std::wprintf(L"saved %ls\n", path.c_str());
    return true;
}

int Run(const std::wstring& shots) {
    const std::filesystem::path pictures =
        std::filesystem::temp_directory_path() / L"zr640-logodemo";
    std::filesystem::create_directories(pictures);
    const auto sun = pictures / L"sun.bmp";
    const auto sphere = pictures / L"sphere.bmp";
    if (!zr640::WriteFileAtomically(sun, SunPicture()) ||
        !zr640::WriteFileAtomically(sphere, SpherePicture())) {
        return Fail(L"cannot write the pictures");
    }
    DemoPlatform platform;
    platform.files = {sun.wstring(), sphere.wstring()};
    zr640ui::SetPlatform(&platform);

    IPrintOemUI* plugin = nullptr;
    auto* factory = new zr640ui::UiPluginClassFactory();
    factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin));
    factory->Release();
    if (plugin == nullptr) return Fail(L"cannot create the plug-in object");

    bool saved = false;
    {
        oemhost::SheetSession session(plugin, kPrinter);
        session.scenario = [&](HWND sheet) {
            const HWND page = oemhost::PageAt(sheet, kDownloadTab);
            Click(page, IDC_DOWNLOAD_BUTTON_ADD);
            Click(page, IDC_DOWNLOAD_BUTTON_ADD);
            SelectRow(page, 0);
            Click(page, IDC_DOWNLOAD_RADIO_MONO);
            Click(page, IDC_DOWNLOAD_RADIO_DIFFUSE);
            saved = Save(sheet, page, shots, L"download-mono.bmp");
            Click(page, IDC_DOWNLOAD_RADIO_GRAY);
            SelectRow(page, 1);
            MoveSlider(page, IDC_DOWNLOAD_SLIDER_CONTRAST, 20);
            saved = Save(sheet, page, shots, L"download-gray.bmp") && saved;
            return false;  // Cancel removes the converted files
        };
        if (!session.Run(oemhost::SheetKind::Device)) {
            return Fail(L"the platform's property-sheet host is not available");
        }
        plugin->Release();  // while the session's driver interface still lives
    }
    zr640ui::SetPlatform(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(pictures, ignored);
    return saved ? 0 : Fail(L"cannot save the pictures");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    std::wstring shots;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == L"--language" && i + 1 < args.size()) {
            ChooseLanguage(args[++i]);
        } else if (args[i] == L"--shots" && i + 1 < args.size()) {
            shots = args[++i];
        } else {
            return Fail(L"usage: logodemo [--language FILE] --shots DIR");
        }
    }
    if (shots.empty()) return Fail(L"usage: logodemo [--language FILE] --shots DIR");
    zr640ui::SetModuleInstance(GetModuleHandleW(nullptr));
    zr640ui::BindShellFunctions();
    zr640ui::RunStartup();
    return Run(shots);
}

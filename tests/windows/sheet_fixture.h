// A fixture for tests that drive the plug-in's pages in the real sheet: the plug-in's code
// runs in the test process with the recording platform installed, its resources are the
// test program's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings/private_devmode.h"
#include "plugin/localisation/language_files.h"
#include "plugin/module.h"
#include "plugin/platform/services.h"
#include "plugin/startup.h"
#include "plugin/ui_plugin_object.h"
#include "tests/windows/test_support.h"
#include "tools/oemhost/host_sheet.h"

namespace wintest {

inline constexpr wchar_t kPrinter[] = L"T-ZR640 Test";

class SheetFixture : public ::testing::Test {
protected:
    FakePlatform platform;
    IPrintOemUI* plugin = nullptr;

    void SetUp() override {
        zr640ui::SetPlatform(&platform);
        zr640ui::SetModuleInstance(GetModuleHandleW(nullptr));
        zr640ui::BindShellFunctions();
        ForgetLanguageChoice();
        RemoveUserLanguageFiles();
        zr640ui::RunStartup();
        auto* factory = new zr640ui::UiPluginClassFactory();
        ASSERT_EQ(
            factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin)),
            S_OK);
        factory->Release();
    }
    void TearDown() override {
        if (plugin != nullptr) plugin->Release();
        ForgetLanguageChoice();
        zr640ui::SetPlatform(nullptr);
    }

    static zr640::PrivateDevMode& Record(oemhost::SheetSession& session) {
        return *reinterpret_cast<zr640::PrivateDevMode*>(session.record.data());
    }
};

std::wstring DriverText(const wchar_t* file, const wchar_t* section, const wchar_t* key);
std::wstring ControlText(HWND dialog, int control);
void ChooseLanguage(const wchar_t* file);
// Clicks a button or check box the way a user does (BM_CLICK), then lets the sheet settle.
void Click(HWND dialog, int control);
bool Enabled(HWND dialog, int control);
bool IsChecked(HWND dialog, int control);
// Whether the sheet's Apply button is enabled, i.e. a page reported a change.
bool ApplyEnabled(HWND sheet);
// A track bar's position.
int SliderPosition(HWND page, int slider);
// Drags a slider to a value and lets it go, as the mouse does: track, then release.
void MoveSlider(HWND page, int slider, int value);
// The tooltip window of this thread that holds a tool for the control, or null.
HWND TooltipFor(HWND control);
std::wstring ToolText(HWND tooltip, HWND control);
// The pixels (0x00RRGGBB, top row first) of a width x height picture after `draw` has drawn
// into it; an empty list when the picture cannot be made.
std::vector<uint32_t> DrawnPixels(int width, int height, const std::function<void(HDC)>& draw);

}  // namespace wintest

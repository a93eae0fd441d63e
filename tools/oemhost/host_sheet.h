// Opens the plug-in's document or device property sheet through the platform's common
// property-sheet UI, exactly as the printer driver's configuration module does: the host
// adds two pages of its own (standing for the driver's pages), then hands the same sheet to
// the plug-in. A scenario can run inside the sheet's message loop to drive its controls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/oemhost/host_driver.h"

namespace oemhost {

enum class SheetKind { Document, Device };

class SheetSession {
public:
    SheetSession(IPrintOemUI* plugin, std::wstring printerName);
    ~SheetSession();
    SheetSession(const SheetSession&) = delete;
    SheetSession& operator=(const SheetSession&) = delete;

    // Runs inside the open sheet; return true to press OK, false to press Cancel.
    std::function<bool(HWND sheet)> scenario;

    // Opens the sheet and returns when it is closed; false when the host UI cannot start.
    bool Run(SheetKind kind);

    std::wstring title() const;
    HWND sheet() const { return sheet_; }

    IPrintOemUI* plugin;
    std::wstring printerName;
    HANDLE printer = nullptr;     // the spooler's handle, when the printer exists
    RecordingDriverUi* driverUi;  // the session's reference; the plug-in may hold its own
    DriverOptions options;
    std::vector<BYTE> record;  // the private settings record the pages edit
    oem::OEMUIOBJ uiObject = {};
    oem::OEMCUIPPARAM common = {};
    oem::OEMUIPSPARAM uiParams = {};
    LONG result = 0;
    std::vector<DWORD> reasons;  // every reason the sheet UI called with

private:
    static LONG WINAPI Callback(PPROPSHEETUI_INFO info, LPARAM lParam);
    static VOID CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void RunScenario();

    SheetKind kind_ = SheetKind::Document;
    HWND sheet_ = nullptr;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
};

// The sheet's page window for a tab index (the plug-in's first document page is tab 2).
HWND PageAt(HWND sheet, int index);
// The text of a tab of the sheet's tab control.
std::wstring TabText(HWND sheet, int index);
int TabCount(HWND sheet);
// Lets the sheet process pending messages (paints, notifications) for a while.
void Pump(int milliseconds = 50);
// The visible window of this thread with exactly that title (a modal dialog), or null.
HWND FindThreadWindow(const wchar_t* title);

}  // namespace oemhost

// UiPluginObject: the IPrintOemUI object the configuration module creates through the class
// factory, and the factory itself.
#pragma once

#include "plugin/platform/oem_interfaces.h"
#include "plugin/sheet_context.h"

namespace zr640ui {

class UiPluginObject final : public IPrintOemUI {
public:
    UiPluginObject();
    UiPluginObject(const UiPluginObject&) = delete;
    UiPluginObject& operator=(const UiPluginObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPrintOemCommon
    HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) override;
    HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, oem::POEMDMPARAM param) override;

    // IPrintOemUI
    HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) override;
    HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD mode, oem::POEMCUIPPARAM param) override;
    HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO info,
                                                     LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) override;
    HRESULT STDMETHODCALLTYPE DevQueryPrintEx(oem::POEMUIOBJ, PDEVQUERYPRINT_INFO_, PDEVMODEW,
                                              PVOID) override;
    HRESULT STDMETHODCALLTYPE DeviceCapabilities(oem::POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID,
                                                 PDEVMODEW, PVOID, DWORD, DWORD*) override;
    HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, PBYTE) override;
    HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR, INT, DWORD, LPARAM) override;
    HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) override;
    HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE printer, oem::POEMUIOBJ uiObject,
                                                PDEVMODEW publicDevMode, PVOID privateDevMode,
                                                ULONG queryMode, VOID* profile, ULONG* profileSize,
                                                FLONG* profileFlags) override;
    HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override;
    HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, PWSTR) override;

private:
    ~UiPluginObject();

    LONG refCount_ = 1;
    IPrintOemDriverUI* driverUi_ = nullptr;
    DeviceSheetContext deviceContext_;
    DocumentSheetContext documentContext_;
};

class UiPluginClassFactory final : public IClassFactory {
public:
    UiPluginClassFactory() = default;
    UiPluginClassFactory(const UiPluginClassFactory&) = delete;
    UiPluginClassFactory& operator=(const UiPluginClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    ~UiPluginClassFactory() = default;

    LONG refCount_ = 1;
};

}  // namespace zr640ui

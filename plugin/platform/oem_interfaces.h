// Records and interfaces of the printer-driver UI plug-in ABI that mingw-w64 does not ship.
// Written from the platform's published layouts; every size and offset is pinned for x64 and
// x86 below, so a wrong declaration fails the build instead of the driver.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <prsht.h>
#include <winspool.h>
#include <winddiui.h>
#include <compstui.h>

#include <cstddef>

namespace oem {

constexpr DWORD OEMGI_GETSIGNATURE = 1;
constexpr DWORD OEMGI_GETINTERFACEVERSION = 2;
constexpr DWORD OEMGI_GETVERSION = 3;
constexpr DWORD OEMGI_GETPUBLISHERINFO = 4;

constexpr DWORD OEMDM_SIZE = 1;
constexpr DWORD OEMDM_DEFAULT = 2;
constexpr DWORD OEMDM_CONVERT = 3;
constexpr DWORD OEMDM_MERGE = 4;

constexpr DWORD OEMCUIP_DOCPROP = 1;
constexpr DWORD OEMCUIP_PRNPROP = 2;

constexpr DWORD PRINTER_OEMINTF_VERSION = 0x00010000;

// Sent before initialisation by newer sheet hosts; older headers do not name it.
constexpr WORD PROPSHEETUI_REASON_BEFORE_INIT = 5;

struct OEM_DMEXTRAHEADER {
    DWORD dwSize;
    DWORD dwSignature;
    DWORD dwVersion;
};

struct OEMDMPARAM {
    DWORD cbSize;
    PVOID pdriverobj;
    HANDLE hPrinter;
    HANDLE hModule;
    PDEVMODEW pPublicDMIn;
    PDEVMODEW pPublicDMOut;
    PVOID pOEMDMIn;
    PVOID pOEMDMOut;
    DWORD cbBufSize;
};
using POEMDMPARAM = OEMDMPARAM*;

// Opaque to the plug-in: handed back to the driver unchanged.
struct OEMUIOBJ {
    DWORD cbSize;
    PVOID pOemUIProcs;
};
using POEMUIOBJ = OEMUIOBJ*;

struct OEMCUIPPARAM;
using POEMCUIPPARAM = OEMCUIPPARAM*;
using OEMCUIPCALLBACK = LONG(APIENTRY*)(PCPSUICBPARAM, POEMCUIPPARAM);

struct OEMCUIPPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    DWORD dwFlags;
    POPTITEM pDrvOptItems;
    DWORD cDrvOptItems;
    POPTITEM pOEMOptItems;
    DWORD cOEMOptItems;
    PVOID pOEMUserData;
    OEMCUIPCALLBACK OEMCUIPCallback;
};

struct OEMUIPSPARAM {
    DWORD cbSize;
    POEMUIOBJ poemuiobj;
    HANDLE hPrinter;
    PWSTR pPrinterName;
    HANDLE hModule;
    HANDLE hOEMHeap;
    PDEVMODEW pPublicDM;
    PVOID pOEMDM;
    PVOID pOEMUserData;
    DWORD dwFlags;
    PVOID pOemEntry;
};
using POEMUIPSPARAM = OEMUIPSPARAM*;

}  // namespace oem

// Named by the interface below but not declared by mingw's winddiui.h; only passed through.
struct _DEVQUERYPRINT_INFO;
using PDEVQUERYPRINT_INFO_ = _DEVQUERYPRINT_INFO*;

// {ABCE80D7-9F46-11D1-882A-00C04FB961EC}
inline constexpr GUID CLSID_OEMUI = {
    0xABCE80D7, 0x9F46, 0x11D1, {0x88, 0x2A, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
// {7F42285E-91D5-11D1-8820-00C04FB961EC}
inline constexpr GUID IID_IPrintOemCommon = {
    0x7F42285E, 0x91D5, 0x11D1, {0x88, 0x20, 0x00, 0xC0, 0x4F, 0xB9, 0x61, 0xEC}};
// {C6A7A9D0-774C-11D1-947F-00A0C90640B8}
inline constexpr GUID IID_IPrintOemUI = {
    0xC6A7A9D0, 0x774C, 0x11D1, {0x94, 0x7F, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};
// {92B05D50-78BC-11D1-9480-00A0C90640B8}
inline constexpr GUID IID_IPrintOemDriverUI = {
    0x92B05D50, 0x78BC, 0x11D1, {0x94, 0x80, 0x00, 0xA0, 0xC9, 0x06, 0x40, 0xB8}};

struct IPrintOemCommon : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD dwMode, PVOID pBuffer, DWORD cbSize,
                                              PDWORD pcbNeeded) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD dwMode, oem::POEMDMPARAM pOemDMParam) = 0;
};

struct IPrintOemUI : public IPrintOemCommon {
    virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* pIUnknown) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD dwMode,
                                                   oem::POEMCUIPPARAM pOemCUIPParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                             LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo,
                                                           LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(oem::POEMUIOBJ poemuiobj,
                                                      PDEVQUERYPRINT_INFO_ pDQPInfo,
                                                      PDEVMODEW pPublicDM, PVOID pOEMDM) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(oem::POEMUIOBJ poemuiobj, HANDLE hPrinter,
                                                         PWSTR pDeviceName, WORD wCapability,
                                                         PVOID pOutput, PDEVMODEW pPublicDM,
                                                         PVOID pOEMDM, DWORD dwOld,
                                                         DWORD* dwResult) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD dwLevel, PBYTE pDriverUpgradeInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE PrinterEvent(PWSTR pPrinterName, INT iDriverEvent,
                                                   DWORD dwFlags, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD dwDriverEvent, DWORD dwLevel,
                                                  LPBYTE pDriverInfo, LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE hPrinter, oem::POEMUIOBJ poemuiobj,
                                                        PDEVMODEW pPublicDM, PVOID pOEMDM,
                                                        ULONG ulQueryMode, VOID* pvProfileData,
                                                        ULONG* pcbProfileData,
                                                        FLONG* pflProfileData) = 0;
    virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND hWnd, UINT usMsg, WPARAM wParam,
                                                           LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE hPrinter, HANDLE hHeap,
                                                          PWSTR pwstrCartridges) = 0;
};

struct IPrintOemDriverUI : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID pci, PCSTR Feature, PVOID pOutput,
                                                          DWORD cbSize, PDWORD pcbNeeded,
                                                          PDWORD pdwOptionsReturned) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE hPrinter, PCSTR pFeature,
                                                                PCSTR pOption) = 0;
    virtual HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID pOptItem,
                                                         DWORD dwPreviousSelection,
                                                         DWORD dwMode) = 0;
};

// The page-UI callback as the platform calls it (mingw's PFNPROPSHEETUI lacks the calling
// convention, which matters on x86).
using PageUiCallback = LONG(WINAPI*)(PPROPSHEETUI_INFO, LPARAM);

namespace oem::layout {

#if defined(_WIN64)
constexpr bool k64 = true;
#else
constexpr bool k64 = false;
#endif
constexpr size_t Pick(size_t x64, size_t x86) { return k64 ? x64 : x86; }

static_assert(sizeof(OEM_DMEXTRAHEADER) == 12);
static_assert(sizeof(OEMDMPARAM) == Pick(72, 36));
static_assert(offsetof(OEMDMPARAM, pdriverobj) == Pick(8, 4));
static_assert(offsetof(OEMDMPARAM, hPrinter) == Pick(16, 8));
static_assert(offsetof(OEMDMPARAM, hModule) == Pick(24, 12));
static_assert(offsetof(OEMDMPARAM, pPublicDMIn) == Pick(32, 16));
static_assert(offsetof(OEMDMPARAM, pPublicDMOut) == Pick(40, 20));
static_assert(offsetof(OEMDMPARAM, pOEMDMIn) == Pick(48, 24));
static_assert(offsetof(OEMDMPARAM, pOEMDMOut) == Pick(56, 28));
static_assert(offsetof(OEMDMPARAM, cbBufSize) == Pick(64, 32));

static_assert(sizeof(OEMUIOBJ) == Pick(16, 8));
static_assert(offsetof(OEMUIOBJ, pOemUIProcs) == Pick(8, 4));

static_assert(sizeof(OEMCUIPPARAM) == Pick(120, 60));
static_assert(offsetof(OEMCUIPPARAM, poemuiobj) == Pick(8, 4));
static_assert(offsetof(OEMCUIPPARAM, hPrinter) == Pick(16, 8));
static_assert(offsetof(OEMCUIPPARAM, pPrinterName) == Pick(24, 12));
static_assert(offsetof(OEMCUIPPARAM, hModule) == Pick(32, 16));
static_assert(offsetof(OEMCUIPPARAM, hOEMHeap) == Pick(40, 20));
static_assert(offsetof(OEMCUIPPARAM, pPublicDM) == Pick(48, 24));
static_assert(offsetof(OEMCUIPPARAM, pOEMDM) == Pick(56, 28));
static_assert(offsetof(OEMCUIPPARAM, dwFlags) == Pick(64, 32));
static_assert(offsetof(OEMCUIPPARAM, pDrvOptItems) == Pick(72, 36));
static_assert(offsetof(OEMCUIPPARAM, cDrvOptItems) == Pick(80, 40));
static_assert(offsetof(OEMCUIPPARAM, pOEMOptItems) == Pick(88, 44));
static_assert(offsetof(OEMCUIPPARAM, cOEMOptItems) == Pick(96, 48));
static_assert(offsetof(OEMCUIPPARAM, pOEMUserData) == Pick(104, 52));
static_assert(offsetof(OEMCUIPPARAM, OEMCUIPCallback) == Pick(112, 56));

static_assert(sizeof(OEMUIPSPARAM) == Pick(88, 44));
static_assert(offsetof(OEMUIPSPARAM, poemuiobj) == Pick(8, 4));
static_assert(offsetof(OEMUIPSPARAM, hPrinter) == Pick(16, 8));
static_assert(offsetof(OEMUIPSPARAM, pPrinterName) == Pick(24, 12));
static_assert(offsetof(OEMUIPSPARAM, hModule) == Pick(32, 16));
static_assert(offsetof(OEMUIPSPARAM, hOEMHeap) == Pick(40, 20));
static_assert(offsetof(OEMUIPSPARAM, pPublicDM) == Pick(48, 24));
static_assert(offsetof(OEMUIPSPARAM, pOEMDM) == Pick(56, 28));
static_assert(offsetof(OEMUIPSPARAM, pOEMUserData) == Pick(64, 32));
static_assert(offsetof(OEMUIPSPARAM, dwFlags) == Pick(72, 36));
static_assert(offsetof(OEMUIPSPARAM, pOemEntry) == Pick(80, 40));

// mingw's compstui.h and prsht.h records the plug-in relies on.
static_assert(sizeof(PROPSHEETUI_INFO) == Pick(48, 28));
static_assert(sizeof(PROPSHEETUI_INFO_HEADER) == Pick(40, 20));
static_assert(sizeof(SETRESULT_INFO) == Pick(24, 12));
static_assert(sizeof(OPTITEM) == Pick(88, 52));
static_assert(sizeof(OPTTYPE) == Pick(48, 32));
static_assert(sizeof(OPTPARAM) == Pick(48, 24));
static_assert(sizeof(PROPSHEETPAGEW) == Pick(96, 52));
static_assert(offsetof(PROPSHEETPAGEW, hActCtx) == Pick(88, 48));

}  // namespace oem::layout

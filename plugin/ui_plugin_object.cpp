#include "plugin/ui_plugin_object.h"

#include <cstring>
#include <new>

#include "core/settings/private_devmode.h"
#include "plugin/module.h"
#include "plugin/sheets.h"
#include "win32/barrier.h"

namespace zr640ui {
namespace {

constexpr DWORD kInfoSize = sizeof(DWORD);
constexpr wchar_t kColorProfile[] = L"OEMPROFILE.icm";
constexpr ULONG kColorProfileSize = 32;  // bytes reported for the profile name
constexpr FLONG kProfileIsFilename = 2;

HRESULT FailWith(DWORD lastError) {
    SetLastError(lastError);
    return E_FAIL;
}

std::u16string SystemDriveRoot() {
    wchar_t directory[MAX_PATH] = {};
    GetSystemDirectoryW(directory, MAX_PATH);
    const std::u16string_view whole(reinterpret_cast<const char16_t*>(directory));
    return std::u16string(zr640::DriveRootOf(whole));
}

// The configuration module hands over an input record of unknown origin; it vouches for as
// many bytes as the record's own header claims (at least the header, at most our size).
std::span<const uint8_t> IncomingRecord(const void* record) {
    const auto* bytes = static_cast<const uint8_t*>(record);
    DWORD claimed = 0;
    std::memcpy(&claimed, bytes, sizeof claimed);
    size_t size = claimed;
    if (size < sizeof(oem::OEM_DMEXTRAHEADER)) size = sizeof(oem::OEM_DMEXTRAHEADER);
    if (size > zr640::kPrivateDevModeSize) size = zr640::kPrivateDevModeSize;
    return {bytes, size};
}

}  // namespace

UiPluginObject::UiPluginObject() { InterlockedIncrement(&liveObjectCount); }

UiPluginObject::~UiPluginObject() {
    if (driverUi_ != nullptr) driverUi_->Release();
    InterlockedDecrement(&liveObjectCount);
}

HRESULT UiPluginObject::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintOemUI)) {
        *object = static_cast<IPrintOemUI*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG UiPluginObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount_)); }

ULONG UiPluginObject::Release() {
    const LONG remaining = InterlockedDecrement(&refCount_);
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT UiPluginObject::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        if (needed == nullptr ||
            (mode != oem::OEMGI_GETSIGNATURE && mode != oem::OEMGI_GETVERSION &&
             mode != oem::OEMGI_GETPUBLISHERINFO)) {
            return FailWith(ERROR_INVALID_PARAMETER);
        }
        *needed = kInfoSize;
        if (size < kInfoSize || buffer == nullptr) return FailWith(ERROR_INSUFFICIENT_BUFFER);
        switch (mode) {
        case oem::OEMGI_GETSIGNATURE:
            *static_cast<DWORD*>(buffer) = zr640::kPrivateDevModeSignature;
            return S_OK;
        case oem::OEMGI_GETVERSION: *static_cast<DWORD*>(buffer) = 1; return S_OK;
        default:  // publisher information
            *needed = 0;
            return FailWith(ERROR_NOT_SUPPORTED);
        }
    });
}

HRESULT UiPluginObject::DevMode(DWORD mode, oem::POEMDMPARAM param) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        if (param == nullptr || mode < oem::OEMDM_SIZE || mode > oem::OEMDM_MERGE) {
            return FailWith(ERROR_INVALID_PARAMETER);
        }
        if (mode == oem::OEMDM_SIZE) {
            param->cbBufSize = zr640::kPrivateDevModeSize;
            return S_OK;
        }
        auto* out = static_cast<zr640::PrivateDevMode*>(param->pOEMDMOut);
        const std::u16string root = SystemDriveRoot();
        if (mode == oem::OEMDM_DEFAULT) {
            if (out != nullptr) zr640::FillDefaultDevMode(*out, root);
            return S_OK;
        }
        if (out == nullptr || param->pOEMDMIn == nullptr) return S_OK;
        if (mode == oem::OEMDM_CONVERT) {
            zr640::ConvertDevMode(IncomingRecord(param->pOEMDMIn), *out, root);
        } else {
            zr640::MergeDevMode(IncomingRecord(param->pOEMDMIn), *out, root);
        }
        return S_OK;
    });
}

HRESULT UiPluginObject::PublishDriverInterface(IUnknown* driver) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        if (driverUi_ != nullptr) return S_OK;
        if (driver == nullptr) return E_FAIL;
        void* queried = nullptr;
        if (FAILED(driver->QueryInterface(IID_IPrintOemDriverUI, &queried)) || queried == nullptr) {
            driverUi_ = nullptr;
            return E_FAIL;
        }
        driverUi_ = static_cast<IPrintOemDriverUI*>(queried);
        return S_OK;
    });
}

HRESULT UiPluginObject::CommonUIProp(DWORD mode, oem::POEMCUIPPARAM param) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        documentContext_.commonParams = param;
        deviceContext_.commonParams = param;
        switch (mode) {
        case oem::OEMCUIP_DOCPROP: return S_OK;
        case oem::OEMCUIP_PRNPROP:
            if (param != nullptr && param->pOEMOptItems == nullptr) param->cOEMOptItems = 0;
            return S_OK;
        default: return FailWith(ERROR_INVALID_PARAMETER);
        }
    });
}

HRESULT UiPluginObject::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        documentContext_.driverUi = driverUi_;
        return zr640ui::DocumentPropertySheets(info, lParam, documentContext_);
    });
}

HRESULT UiPluginObject::DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        deviceContext_.driverUi = driverUi_;
        return zr640ui::DevicePropertySheets(info, lParam, deviceContext_);
    });
}

HRESULT UiPluginObject::DevQueryPrintEx(oem::POEMUIOBJ, PDEVQUERYPRINT_INFO_, PDEVMODEW, PVOID) {
    return E_NOTIMPL;
}

HRESULT UiPluginObject::DeviceCapabilities(oem::POEMUIOBJ, HANDLE, PWSTR, WORD, PVOID, PDEVMODEW,
                                           PVOID, DWORD, DWORD*) {
    return E_NOTIMPL;
}

HRESULT UiPluginObject::UpgradePrinter(DWORD, PBYTE) { return E_NOTIMPL; }

HRESULT UiPluginObject::PrinterEvent(PWSTR, INT, DWORD, LPARAM) { return E_NOTIMPL; }

HRESULT UiPluginObject::DriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return E_NOTIMPL; }

HRESULT UiPluginObject::QueryColorProfile(HANDLE, oem::POEMUIOBJ, PDEVMODEW, PVOID, ULONG queryMode,
                                          VOID* profile, ULONG* profileSize, FLONG* profileFlags) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        if (queryMode != 0) return E_FAIL;  // only the device profile is named
        if (profileSize == nullptr) return FailWith(ERROR_INVALID_PARAMETER);
        if (profile == nullptr || *profileSize < kColorProfileSize) {
            *profileSize = kColorProfileSize;
            return FailWith(ERROR_INSUFFICIENT_BUFFER);
        }
        std::memcpy(profile, kColorProfile, sizeof kColorProfile);
        *profileSize = kColorProfileSize;
        if (profileFlags != nullptr) *profileFlags = kProfileIsFilename;
        return S_OK;
    });
}

HRESULT UiPluginObject::FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) { return E_NOTIMPL; }

HRESULT UiPluginObject::UpdateExternalFonts(HANDLE, HANDLE, PWSTR) { return E_NOTIMPL; }

// ---------------------------------------------------------------------------------------

HRESULT UiPluginClassFactory::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG UiPluginClassFactory::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refCount_));
}

ULONG UiPluginClassFactory::Release() {
    const LONG remaining = InterlockedDecrement(&refCount_);
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT UiPluginClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    return zr640::win::GuardedCall([&]() -> HRESULT {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* plugin = new (std::nothrow) UiPluginObject();
        if (plugin == nullptr) return E_OUTOFMEMORY;
        const HRESULT result = plugin->QueryInterface(iid, object);
        plugin->Release();
        return result;
    });
}

HRESULT UiPluginClassFactory::LockServer(BOOL lock) {
    if (lock) {
        InterlockedIncrement(&serverLockCount);
    } else {
        InterlockedDecrement(&serverLockCount);
    }
    return S_OK;
}

}  // namespace zr640ui

#include "tools/oemhost/host_driver.h"

#include <winspool.h>

#include "win32/driver_folder.h"

namespace oemhost {

HRESULT RecordingDriverUi::QueryInterface(REFIID iid, void** object) {
    ++queryCount;
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintOemDriverUI)) {
        *object = static_cast<IPrintOemDriverUI*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG RecordingDriverUi::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refCount)); }

ULONG RecordingDriverUi::Release() {
    const LONG remaining = InterlockedDecrement(&refCount);
    if (remaining == 0) delete this;
    return static_cast<ULONG>(remaining);
}

HRESULT RecordingDriverUi::DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD, PDWORD) {
    return E_NOTIMPL;
}

HRESULT RecordingDriverUi::DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) { return E_NOTIMPL; }

HRESULT RecordingDriverUi::DrvUpdateUISetting(PVOID pci, PVOID item, DWORD previous, DWORD mode) {
    updates.push_back({pci, static_cast<POPTITEM>(item), previous, mode});
    return S_OK;
}

namespace {

void SetupList(OPTITEM& item, OPTTYPE& type, std::vector<OPTPARAM>& choices,
               std::vector<std::wstring>& texts, const wchar_t* name, BYTE dmPubId,
               std::initializer_list<const wchar_t*> choiceTexts) {
    for (const wchar_t* text : choiceTexts) texts.emplace_back(text);
    texts.emplace_back(name);
    choices.resize(choiceTexts.size());
    type.cbSize = sizeof type;
    type.Type = TVOT_LISTBOX;
    type.Count = static_cast<WORD>(choices.size());
    type.pOptParam = choices.data();
    item.cbSize = sizeof item;
    item.Level = 2;
    item.DMPubID = dmPubId;
    item.pOptType = &type;
    item.Sel = 0;
}

}  // namespace

DriverOptions::DriverOptions() {
    texts_.reserve(32);  // the choices point into these strings: no reallocation
    SetupList(items_[0], types_[0], formChoices_, texts_, L"Paper Size", DMPUB_FORMNAME,
              {L"Roll Paper 80 x 297 mm", L"Roll Paper 58 x 297 mm", L"A4", L"Letter"});
    SetupList(items_[1], types_[1], densityChoices_, texts_, L"Print Density", DMPUB_NONE,
              {L"Density 1", L"Density 2", L"Density 3", L"Density 4", L"Density 5"});
    SetupList(items_[2], types_[2], orientationChoices_, texts_, L"Orientation", DMPUB_ORIENTATION,
              {L"Portrait", L"Landscape"});
    size_t next = 0;
    auto bind = [&](OPTITEM& item, std::vector<OPTPARAM>& choices) {
        for (auto& choice : choices) {
            choice.cbSize = sizeof choice;
            choice.pData = const_cast<LPWSTR>(texts_[next++].c_str());
        }
        item.pName = const_cast<LPWSTR>(texts_[next++].c_str());
    };
    bind(items_[0], formChoices_);
    bind(items_[1], densityChoices_);
    bind(items_[2], orientationChoices_);
}

LoadedPlugin::LoadedPlugin(const std::wstring& dllPath) {
    module = LoadLibraryW(dllPath.c_str());
    if (module == nullptr) {
        error_ = L"cannot load " + dllPath;
        return;
    }
    getClassObject = reinterpret_cast<decltype(getClassObject)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    canUnloadNow = reinterpret_cast<decltype(canUnloadNow)>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    if (getClassObject == nullptr || canUnloadNow == nullptr) {
        error_ = L"the plug-in does not export its COM entry";
        return;
    }
    IClassFactory* factory = nullptr;
    HRESULT hr = getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr) || factory == nullptr) {
        error_ = L"DllGetClassObject failed";
        return;
    }
    hr = factory->CreateInstance(nullptr, IID_IPrintOemUI, reinterpret_cast<void**>(&plugin));
    factory->Release();
    if (FAILED(hr)) {
        plugin = nullptr;
        error_ = L"CreateInstance failed";
    }
}

LoadedPlugin::~LoadedPlugin() {
    if (plugin != nullptr) plugin->Release();
    // The module stays loaded: pages and windows of the plug-in may still be torn down by
    // the process exit, as with the real configuration module.
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring InstalledPluginPath() {
    const std::wstring folder = zr640::win::PrinterDriverFolder();
    return folder.empty() ? folder : folder + L"\\3\\ZR640UI.dll";
}

}  // namespace oemhost

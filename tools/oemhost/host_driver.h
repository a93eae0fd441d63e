// What the printer driver's configuration module gives the plug-in, played by a test host:
// the loaded plug-in, its IPrintOemUI object, the driver's IPrintOemDriverUI (which records
// the calls it gets) and the driver's own option items.
#pragma once

#include <string>
#include <vector>

#include "plugin/platform/oem_interfaces.h"

namespace oemhost {

struct UpdateCall {
    PVOID uiObject;
    POPTITEM item;
    DWORD previousSelection;
    DWORD mode;
};

// A COM object with a real lifetime: made with New(), freed by its last Release, so a
// plug-in that keeps the interface can never outlive it.
class RecordingDriverUi final : public IPrintOemDriverUI {
public:
    static RecordingDriverUi* New() { return new RecordingDriverUi(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(PVOID, PCSTR, PVOID, DWORD, PDWORD,
                                                  PDWORD) override;
    HRESULT STDMETHODCALLTYPE DrvUpgradeRegistrySetting(HANDLE, PCSTR, PCSTR) override;
    HRESULT STDMETHODCALLTYPE DrvUpdateUISetting(PVOID pci, PVOID item, DWORD previous,
                                                 DWORD mode) override;

    std::vector<UpdateCall> updates;
    int queryCount = 0;
    LONG refCount = 1;

private:
    RecordingDriverUi() = default;
    ~RecordingDriverUi() = default;
};

// The driver's option items as the host lists them: paper forms (DMPUB_FORMNAME), a
// printer-specific density feature whose choices read "Density 1".."Density 5", and the
// orientation.
class DriverOptions {
public:
    DriverOptions();
    DriverOptions(const DriverOptions&) = delete;
    DriverOptions& operator=(const DriverOptions&) = delete;

    OPTITEM* items() { return items_; }
    DWORD count() const { return kCount; }
    OPTITEM& forms() { return items_[0]; }
    OPTITEM& density() { return items_[1]; }
    OPTITEM& orientation() { return items_[2]; }

    static constexpr DWORD kCount = 3;

private:
    OPTITEM items_[kCount] = {};
    OPTTYPE types_[kCount] = {};
    std::vector<OPTPARAM> formChoices_, densityChoices_, orientationChoices_;
    std::vector<std::wstring> texts_;
};

// The plug-in, loaded by path and created through its COM entry.
class LoadedPlugin {
public:
    explicit LoadedPlugin(const std::wstring& dllPath);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool ok() const { return plugin != nullptr; }
    const std::wstring& error() const { return error_; }

    HMODULE module = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
    IPrintOemUI* plugin = nullptr;

private:
    std::wstring error_;
};

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();

// ZR640UI.dll as the driver package installed it: in the spooler's driver folder for this
// process's environment, version-3 subfolder.
std::wstring InstalledPluginPath();

}  // namespace oemhost

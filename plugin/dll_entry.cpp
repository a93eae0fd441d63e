// The two exports of the COM server and the module's load and unload notifications.
#include <new>

#include "plugin/module.h"
#include "plugin/startup.h"
#include "plugin/ui_plugin_object.h"
#include "win32/barrier.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        DisableThreadLibraryCalls(instance);
        zr640ui::OnProcessAttach(instance);
        break;
    case DLL_PROCESS_DETACH:
        // At process exit the other modules may already be gone: release only on unload.
        if (reserved == nullptr) zr640ui::OnProcessDetach();
        break;
    default: break;
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_OEMUI)) return CLASS_E_CLASSNOTAVAILABLE;
    return zr640::win::GuardedCall([&]() -> HRESULT {
        zr640ui::EnsureStarted();
        auto* factory = new (std::nothrow) zr640ui::UiPluginClassFactory();
        if (factory == nullptr) return E_OUTOFMEMORY;
        const HRESULT result = factory->QueryInterface(iid, object);
        factory->Release();
        return result;
    });
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    const bool idle = InterlockedCompareExchange(&zr640ui::liveObjectCount, 0, 0) == 0 &&
                      InterlockedCompareExchange(&zr640ui::serverLockCount, 0, 0) == 0;
    return idle ? S_OK : S_FALSE;
}

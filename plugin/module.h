// Module-wide state of ZR640UI: the module handle, the object counters that
// DllCanUnloadNow reads, and the activation context made from the module's own manifest.
#pragma once

#include <windows.h>

namespace zr640ui {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Number of live plug-in objects and of LockServer(TRUE) calls not yet undone.
extern LONG liveObjectCount;
extern LONG serverLockCount;

// The activation context of the module's manifest (resource 2), created on first need and
// tried again after a failure; INVALID_HANDLE_VALUE when it cannot be had.
HANDLE ActivationContext();
void ReleaseActivationContext();

// Activates the module's context for the lifetime of the object, around window, dialog,
// image-list and common-dialog creation.
class ScopedActivation {
public:
    ScopedActivation();
    ~ScopedActivation();
    ScopedActivation(const ScopedActivation&) = delete;
    ScopedActivation& operator=(const ScopedActivation&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool active_ = false;
};

}  // namespace zr640ui

#include "plugin/module.h"

#include "resource.h"
#include "win32/manifest_context.h"

namespace zr640ui {
namespace {

HINSTANCE moduleInstance = nullptr;
HANDLE activationContext = INVALID_HANDLE_VALUE;

}  // namespace

LONG liveObjectCount = 0;
LONG serverLockCount = 0;

HINSTANCE ModuleInstance() { return moduleInstance; }
void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }

HANDLE ActivationContext() {
    if (activationContext != INVALID_HANDLE_VALUE) return activationContext;
    activationContext = zr640::win::CreateManifestContext(moduleInstance, IDR_MANIFEST);
    return activationContext;
}

void ReleaseActivationContext() {
    if (activationContext == INVALID_HANDLE_VALUE) return;
    ReleaseActCtx(activationContext);
    activationContext = INVALID_HANDLE_VALUE;
}

ScopedActivation::ScopedActivation() {
    const HANDLE context = ActivationContext();
    if (context != INVALID_HANDLE_VALUE && context != nullptr) {
        active_ = ActivateActCtx(context, &cookie_) != FALSE;
    }
}

ScopedActivation::~ScopedActivation() {
    if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace zr640ui

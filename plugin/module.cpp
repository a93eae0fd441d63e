#include "plugin/module.h"

#include "resource.h"

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
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(moduleInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;

    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    request.lpSource = path;
    request.lpResourceName = MAKEINTRESOURCEW(IDR_MANIFEST);
    request.hModule = moduleInstance;
    activationContext = CreateActCtxW(&request);
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

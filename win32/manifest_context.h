// The activation context of a module's embedded manifest: the common controls and other side-
// by-side assemblies the manifest names, for windows the module creates inside a host program.
#pragma once

#include <windows.h>

namespace zr640::win {

// INVALID_HANDLE_VALUE when the module's path or its manifest cannot be had; release the
// context with ReleaseActCtx.
inline HANDLE CreateManifestContext(HMODULE module, WORD manifestResource) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    request.lpSource = path;
    request.lpResourceName = MAKEINTRESOURCEW(manifestResource);
    request.hModule = module;
    return CreateActCtxW(&request);
}

}  // namespace zr640::win

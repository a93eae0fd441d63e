#include "plugin/platform/services.h"

#include <shlobj.h>
#include <commdlg.h>
#include <shellapi.h>

#include "plugin/module.h"
#include "win32/com_apartment.h"

namespace zr640ui {
namespace {

HMODULE shellLibrary = nullptr;
ShellFunctions shellFunctions;

class RealPlatform final : public PlatformServices {
public:
    LANGID SystemLanguage() override { return GetSystemDefaultLangID(); }

    int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) override {
        return MessageBoxW(owner, text, caption, type);
    }

    bool BrowseForFolder(HWND owner, std::wstring& folder) override {
        if (Shell().browseForFolder == nullptr || Shell().getPathFromIdList == nullptr)
            return false;
        BROWSEINFOW info = {};
        info.hwndOwner = owner;
        info.lpszTitle = L"";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        const zr640::win::ComForThisCall com;
        const ScopedActivation activation;
        auto* idList = static_cast<LPITEMIDLIST>(Shell().browseForFolder(&info));
        if (idList == nullptr) return false;
        wchar_t path[MAX_PATH] = {};
        const bool ok = Shell().getPathFromIdList(idList, path) != FALSE;
        CoTaskMemFree(idList);
        if (ok) folder = path;
        return ok;
    }

    bool ChooseFileToOpen(HWND owner, const wchar_t* title, const wchar_t* filter,
                          std::wstring& path) override {
        // Long paths are allowed for: the buffer is far larger than MAX_PATH.
        std::wstring buffer(32768, L'\0');
        OPENFILENAMEW request = {};
        request.lStructSize = sizeof request;
        request.hwndOwner = owner;
        request.lpstrFilter = filter;
        request.nFilterIndex = 1;
        request.lpstrTitle = title;
        request.lpstrFile = buffer.data();
        request.nMaxFile = static_cast<DWORD>(buffer.size());
        request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
        ScopedActivation activation;
        if (!GetOpenFileNameW(&request)) return false;
        path = buffer.c_str();
        return true;
    }

    ShellStart StartProgram(const wchar_t* program, const wchar_t* parameters) override {
        const zr640::win::ComForThisCall com;
        SetLastError(0);
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", program, parameters, nullptr, SW_SHOW));
        return {result > 32, GetLastError()};
    }
};

RealPlatform realPlatform;
PlatformServices* current = &realPlatform;

}  // namespace

PlatformServices& Platform() { return *current; }

void SetPlatform(PlatformServices* services) {
    current = services != nullptr ? services : &realPlatform;
}

const ShellFunctions& Shell() { return shellFunctions; }

void BindShellFunctions() {
    if (shellLibrary != nullptr) return;
    {
        ScopedActivation activation;
        shellLibrary = LoadLibraryW(L"Shell32.dll");
    }
    if (shellLibrary == nullptr) return;
    auto bind = [](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(
            reinterpret_cast<void*>(GetProcAddress(shellLibrary, name)));
    };
    bind(shellFunctions.getSpecialFolderPath, "SHGetSpecialFolderPathW");
    bind(shellFunctions.browseForFolder, "SHBrowseForFolderW");
    bind(shellFunctions.getPathFromIdList, "SHGetPathFromIDListW");
}

void ReleaseShellFunctions() {
    if (shellLibrary == nullptr) return;
    FreeLibrary(shellLibrary);
    shellLibrary = nullptr;
    shellFunctions = {};
}

}  // namespace zr640ui

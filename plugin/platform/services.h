// The parts of the platform that a test cannot drive for real: message boxes, the file and
// folder choosers, the shell's program start and the system language. Production code calls
// them through Platform(); the real Win32 calls stand behind it unless a test installs a
// recording stand-in with SetPlatform().
#pragma once

#include <windows.h>

#include <string>

namespace zr640ui {

struct ShellStart {
    bool started;
    DWORD lastError;  // the thread's last error right after the start
};

class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    virtual LANGID SystemLanguage() = 0;
    virtual int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) = 0;
    // A folder chosen with the shell's folder browser; false when cancelled.
    virtual bool BrowseForFolder(HWND owner, std::wstring& folder) = 0;
    // A file chosen with the open-file dialog, titled `title`, its first filter selected;
    // filter in the dialog's double-zero form. False when cancelled.
    virtual bool ChooseFileToOpen(HWND owner, const wchar_t* title, const wchar_t* filter,
                                  std::wstring& path) = 0;
    virtual ShellStart StartProgram(const wchar_t* program, const wchar_t* parameters) = 0;
};

PlatformServices& Platform();
// Installs a stand-in; nullptr puts the real platform back.
void SetPlatform(PlatformServices* services);

// The three shell functions the module binds by name at load, or null when missing.
struct ShellFunctions {
    BOOL(WINAPI* getSpecialFolderPath)(HWND, LPWSTR, int, BOOL) = nullptr;
    void*(WINAPI* browseForFolder)(void* browseInfo) = nullptr;
    BOOL(WINAPI* getPathFromIdList)(const void* idList, LPWSTR path) = nullptr;
};

const ShellFunctions& Shell();
void BindShellFunctions();
void ReleaseShellFunctions();

}  // namespace zr640ui

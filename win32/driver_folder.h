// The spooler's printer-driver folder for this process's environment (x64 or W32X86), without
// a trailing backslash; the driver package's files go into its version-3 subfolder "3".
#pragma once

#include <windows.h>
#include <winspool.h>

#include <string>

namespace zr640::win {

// Empty when the spooler cannot say.
inline std::wstring PrinterDriverFolder() {
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof folder, &needed)) {
        return {};
    }
    return folder;
}

}  // namespace zr640::win

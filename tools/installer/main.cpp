// zr640install: installs the driver package into the driver folder as the driver's installer
// would, and adds a printer whose port is a file, so raw jobs can be checked byte by byte.
//
//   zr640install --package DIR --printer NAME --port C:\capture\zr640.prn
//
// DIR is the driver package folder (scripts/package): the files at its top (INF, INI, GPD)
// and those of this program's architecture folder (amd64\ or x86\) are copied into the driver
// folder's version-3 subfolder, where the plug-in finds its language files. The log viewer goes
// where the Main page starts it (the system drive's root + "RZKDriverlog\"), and the language
// files it reads into the user's application-data folder + "\RZK\": its own ENG.ini, CHN.ini
// and CHF.ini, and the plug-in's string files, whose "DRIVERLOG" sections it reads once the
// plug-in has chosen a language.
// The printer uses the platform's PostScript driver with a small PPD; only its RAW path is
// used.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include "win32/driver_folder.h"

namespace {

// The package's folder of this program's architecture.
#ifdef _WIN64
constexpr wchar_t kArchitectureFolder[] = L"\\amd64";
#else
constexpr wchar_t kArchitectureFolder[] = L"\\x86";
#endif

constexpr char kPpd[] =
    "*PPD-Adobe: \"4.3\"\r\n"
    "*FormatVersion: \"4.3\"\r\n"
    "*FileVersion: \"1.0\"\r\n"
    "*LanguageVersion: English\r\n"
    "*LanguageEncoding: ISOLatin1\r\n"
    "*PCFileName: \"ZR640.PPD\"\r\n"
    "*Manufacturer: \"Test\"\r\n"
    "*Product: \"(ZR640)\"\r\n"
    "*ModelName: \"ZR640\"\r\n"
    "*ShortNickName: \"ZR640\"\r\n"
    "*NickName: \"ZR640\"\r\n"
    "*PSVersion: \"(3010.000) 0\"\r\n"
    "*LanguageLevel: \"3\"\r\n"
    "*ColorDevice: False\r\n"
    "*DefaultColorSpace: Gray\r\n"
    "*DefaultResolution: 203dpi\r\n"
    "*OpenUI *PageSize: PickOne\r\n"
    "*DefaultPageSize: Roll80\r\n"
    "*PageSize Roll80/Roll Paper 80 x 297 mm: \"<</PageSize[227 842]>>setpagedevice\"\r\n"
    "*CloseUI: *PageSize\r\n"
    "*DefaultPageRegion: Roll80\r\n"
    "*DefaultImageableArea: Roll80\r\n"
    "*ImageableArea Roll80: \"0 0 227 842\"\r\n"
    "*DefaultPaperDimension: Roll80\r\n"
    "*PaperDimension Roll80: \"227 842\"\r\n";

int Fail(const std::wstring& message) {
    std::fwprintf(stderr, L"zr640install: %ls (error %lu)\n", message.c_str(),
                  static_cast<unsigned long>(GetLastError()));
    return 1;
}

// Copies the files of `from` that match `pattern` into `to`; false when one could not be copied.
bool CopyMatching(const std::wstring& from, const wchar_t* pattern, const std::wstring& to) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((from + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool ok = true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring target = to + L"\\" + found.cFileName;
        if (!CopyFileW((from + L"\\" + found.cFileName).c_str(), target.c_str(), FALSE)) ok = false;
        std::wprintf(L"installed %ls\n", target.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ok;
}

// The package's files for this architecture, flat in the driver folder as the INF copies them.
bool CopyPackage(const std::wstring& package, const std::wstring& target) {
    CreateDirectoryW(target.c_str(), nullptr);
    const std::wstring binaries = package + kArchitectureFolder;
    if (GetFileAttributesW((package + L"\\zr640.inf").c_str()) == INVALID_FILE_ATTRIBUTES ||
        GetFileAttributesW((binaries + L"\\ZR640UI.dll").c_str()) == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    const bool top = CopyMatching(package, L"*", target);
    return CopyMatching(binaries, L"*", target) && top;
}

bool InstallViewer(const std::wstring& binaries) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring viewerFolder = std::wstring(system, 3) + L"RZKDriverlog";
    CreateDirectoryW(viewerFolder.c_str(), nullptr);
    bool ok = CopyMatching(binaries, L"RZKDriverlogViewer.exe", viewerFolder);

    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
        return false;
    }
    const std::wstring languageFolder = std::wstring(appData) + L"\\RZK";
    CreateDirectoryW(languageFolder.c_str(), nullptr);
    ok = CopyMatching(binaries, L"*.ini", languageFolder) && ok;
    return CopyMatching(binaries, L"*.res", languageFolder) && ok;
}

bool WritePpd(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, kPpd, sizeof kPpd - 1, &written, nullptr);
    CloseHandle(file);
    return ok != FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring package, printer = L"T-ZR640 Test", port = L"C:\\capture\\zr640.prn";
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--package")
            package = argv[i + 1];
        else if (option == L"--printer")
            printer = argv[i + 1];
        else if (option == L"--port")
            port = argv[i + 1];
        else
            return Fail(L"unknown option " + option);
    }
    if (package.empty())
        return Fail(L"usage: zr640install --package DIR [--printer NAME] [--port FILE]");
    const std::wstring driverFolder = zr640::win::PrinterDriverFolder();
    if (driverFolder.empty()) return Fail(L"no printer driver folder");
    if (!CopyPackage(package, driverFolder + L"\\3")) {
        return Fail(L"cannot copy the driver package from " + package);
    }
    if (!InstallViewer(package + kArchitectureFolder))
        return Fail(L"cannot install the log viewer");

    const std::wstring ppd = driverFolder + L"\\ZR640.PPD";
    if (!WritePpd(ppd)) return Fail(L"cannot write " + ppd);
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<LPWSTR>(L"ZR640");
    driver.pEnvironment = nullptr;
    driver.pDriverPath = const_cast<LPWSTR>(L"wineps.drv");
    driver.pConfigFile = const_cast<LPWSTR>(L"wineps.drv");
    driver.pDataFile = const_cast<LPWSTR>(ppd.c_str());
    driver.pDefaultDataType = const_cast<LPWSTR>(L"RAW");
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                             APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY)) {
        return Fail(L"AddPrinterDriverExW failed");
    }

    const std::wstring portFolder = port.substr(0, port.find_last_of(L'\\'));
    CreateDirectoryW(portFolder.c_str(), nullptr);
    HANDLE existing = nullptr;
    if (OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &existing, nullptr)) {
        ClosePrinter(existing);
        std::wprintf(L"printer \"%ls\" already present\n", printer.c_str());
        return 0;
    }
    PRINTER_INFO_2W info = {};
    info.pPrinterName = const_cast<LPWSTR>(printer.c_str());
    info.pPortName = const_cast<LPWSTR>(port.c_str());
    info.pDriverName = const_cast<LPWSTR>(L"ZR640");
    info.pPrintProcessor = const_cast<LPWSTR>(L"WinPrint");
    info.pDatatype = const_cast<LPWSTR>(L"RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (added == nullptr) return Fail(L"AddPrinterW failed");
    ClosePrinter(added);
    std::wprintf(L"printer \"%ls\" on port %ls\n", printer.c_str(), port.c_str());
    return 0;
}

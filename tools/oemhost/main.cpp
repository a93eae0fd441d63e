// oemhost: stands in for the printer driver's configuration module. It loads ZR640UI.dll by
// path, creates the plug-in through its COM entry and calls it as the module would.
//
//   oemhost [--dll PATH] devmode OUT.bin   GetInfo, then size, default, convert and merge the
//                                          private record and write the result to OUT.bin
#include <cstdio>
#include <string>
#include <vector>

#include "tools/oemhost/host_driver.h"

namespace {

int Fail(const wchar_t* message) {
    std::fwprintf(stderr, L"oemhost: %ls\n", message);
    return 1;
}

bool WriteRecord(const std::wstring& path, const std::vector<BYTE>& record) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == record.size();
}

int RunDevMode(oemhost::LoadedPlugin& loaded, const std::wstring& outPath) {
    IPrintOemUI* plugin = loaded.plugin;
    oemhost::RecordingDriverUi driverUi;
    plugin->PublishDriverInterface(&driverUi);

    DWORD signature = 0, version = 0, needed = 0;
    plugin->GetInfo(oem::OEMGI_GETSIGNATURE, &signature, sizeof signature, &needed);
    plugin->GetInfo(oem::OEMGI_GETVERSION, &version, sizeof version, &needed);
    std::wprintf(L"GetInfo: signature 0x%06lX, version %lu\n", static_cast<unsigned long>(signature),
                 static_cast<unsigned long>(version));

    oem::OEMDMPARAM param = {};
    param.cbSize = sizeof param;
    if (FAILED(plugin->DevMode(oem::OEMDM_SIZE, &param))) return Fail(L"DevMode size failed");
    std::wprintf(L"DevMode size: %lu bytes\n", static_cast<unsigned long>(param.cbBufSize));

    std::vector<BYTE> defaults(param.cbBufSize), converted(param.cbBufSize), merged(param.cbBufSize);
    param.pOEMDMOut = defaults.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_DEFAULT, &param))) return Fail(L"DevMode default failed");
    converted = defaults;
    param.pOEMDMIn = defaults.data();
    param.pOEMDMOut = converted.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_CONVERT, &param))) return Fail(L"DevMode convert failed");
    merged = defaults;
    param.pOEMDMIn = converted.data();
    param.pOEMDMOut = merged.data();
    if (FAILED(plugin->DevMode(oem::OEMDM_MERGE, &param))) return Fail(L"DevMode merge failed");
    std::wprintf(L"DevMode default, convert, merge: %ls\n",
                 merged == defaults ? L"the record survives unchanged" : L"the record changed");

    plugin->PublishDriverInterface(nullptr);
    if (!WriteRecord(outPath, merged)) return Fail(L"cannot write the record");
    std::wprintf(L"record written to %ls\n", outPath.c_str());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    std::wstring dll = oemhost::ProgramFolder() + L"ZR640UI.dll";
    if (args.size() >= 2 && args[0] == L"--dll") {
        dll = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return Fail(L"usage: oemhost [--dll PATH] devmode OUT.bin");

    oemhost::LoadedPlugin loaded(dll);
    if (!loaded.ok()) return Fail(loaded.error().c_str());
    if (args[0] == L"devmode" && args.size() == 2) return RunDevMode(loaded, args[1]);
    return Fail(L"usage: oemhost [--dll PATH] devmode OUT.bin");
}

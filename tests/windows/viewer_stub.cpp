// Stands in for the log viewer: writes the arguments it was started with, each in square
// brackets, into viewer_stub_arguments.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"viewer_stub_arguments.txt";
    FILE* out = _wfopen(file.c_str(), L"w");
    if (out == nullptr) return 1;
    for (int i = 1; i < argc; ++i) std::fwprintf(out, L"%ls[%ls]", i > 1 ? L" " : L"", argv[i]);
    std::fwprintf(out, L"\n");
    std::fclose(out);
    return 0;
}

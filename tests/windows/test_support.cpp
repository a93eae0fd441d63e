#include "tests/windows/test_support.h"

namespace wintest {

std::wstring PluginPath() { return oemhost::ProgramFolder() + L"ZR640UI.dll"; }

}  // namespace wintest

// Helpers shared by the Windows tests.
#pragma once

#include <string>

#include "tools/oemhost/host_driver.h"

namespace wintest {

// ZR640UI.dll beside the test program.
std::wstring PluginPath();

}  // namespace wintest

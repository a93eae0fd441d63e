// The system (ANSI) code page, in which the platform's profile functions read and write a
// profile file that does not start with FF FE.
#pragma once

#include "core/localisation/ini_file.h"

namespace zr640ui {

const zr640::CodePage& SystemCodePage();

}  // namespace zr640ui

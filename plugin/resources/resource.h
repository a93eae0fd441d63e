// Resource identifiers of ZR640UI, shared by the code and zr640ui.rc.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDR_MANIFEST 2

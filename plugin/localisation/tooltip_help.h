// Tooltip help: one tooltip window per page, and the page's listed controls subclassed so
// that resting the mouse on one shows its "CTEXT_" text.
#pragma once

#include <windows.h>

#include <span>

#include "plugin/localisation/texts.h"

namespace zr640ui {

struct HelpBinding {
    int control;
    Key text;
};

// Creates the page's tooltip window and subclasses each listed control; returns the tooltip
// window (owned by the page, destroyed with it).
HWND AttachHelp(HWND page, std::span<const HelpBinding> controls);

}  // namespace zr640ui

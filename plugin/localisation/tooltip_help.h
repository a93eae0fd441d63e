// Tooltip help: one tooltip window per page, and the page's listed controls subclassed so
// that resting the mouse on one shows its "CTEXT_" text. The subclass is stacked with
// SetWindowSubclass: attached after another subclass of a control (an edit filter), the help
// sees each message first and unhooks itself cleanly when the control goes.
#pragma once

#include <windows.h>

#include <span>

#include "plugin/localisation/texts.h"

namespace zr640ui {

// Creates the page's tooltip window and subclasses each listed control; returns the tooltip
// window (owned by the page, destroyed with it).
HWND AttachHelp(HWND page, std::span<const zr640::text::TextBinding<Key>> controls);

}  // namespace zr640ui

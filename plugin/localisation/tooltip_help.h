// Tooltip help: one tooltip window per page, and the page's listed controls subclassed so
// that resting the mouse on one shows its "CTEXT_" text. The subclass is stacked with
// SetWindowSubclass: attached after another subclass of a control (an edit filter), the help
// sees each message first and unhooks itself cleanly when the control goes.
#pragma once

#include <windows.h>

#include <span>

#include "plugin/localisation/texts.h"

namespace zr640ui {

// Creates the dialog's tooltip window and subclasses each listed control; returns the tooltip
// window, which the dialog keeps until DetachHelp.
HWND AttachHelp(HWND dialog, std::span<const zr640::text::TextBinding<Key>> controls);

// Destroys the dialog's tooltip window; the framework calls it when the dialog is destroyed.
void DetachHelp(HWND dialog);

// The size of the tool record the plug-in's tooltip control takes (the common controls
// loaded for its manifest): the whole record for version 6 and later, the record without
// its last field for older ones, which refuse the larger size.
UINT ToolInfoSize();

}  // namespace zr640ui

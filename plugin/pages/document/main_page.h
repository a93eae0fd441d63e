// The Main page's part that other pages use.
#pragma once

namespace zr640ui {

// Asks the Main page to check "No" for print-as-graphics at its next activation; the Water
// Mark page raises it when a water mark is removed.
void RequestGraphicsReset();

}  // namespace zr640ui

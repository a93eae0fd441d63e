// What a person would see wrong in the layout of a page or dialog as it stands: visible
// controls on top of each other, controls cut off at the window's edge, texts that do not fit
// their control. A label counts by the width of its text, a group box frames its controls and
// an up-down sits on its buddy; those are not overlaps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace wintest {

// One line per problem, naming the controls by identifier and text.
std::vector<std::wstring> LayoutProblems(HWND window);

}  // namespace wintest

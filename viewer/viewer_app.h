// The program object: takes the model name and the log folder from the command line and runs
// the viewer window.
#pragma once

#include <string>
#include <vector>

#include "viewer/framework/dialog.h"

namespace zr640viewer {

struct ViewerArguments {
    std::wstring model;
    std::wstring logFolder;
};

// The model name and the log folder: the first two arguments after the program, taken only
// when both are there; otherwise both are empty.
ViewerArguments ParseViewerArguments(const std::vector<std::wstring>& argv);

class CVELKDriverlogViewerApp final : public WinApp {
protected:
    void InitInstance() override;
};

}  // namespace zr640viewer

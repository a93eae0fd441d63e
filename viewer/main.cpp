// RZKDriverlogViewer: shows the driver log day by day, page by page, and prints it again.
//
//   RZKDriverlogViewer.exe "<model>" "<log folder>"
#include <windows.h>

#include "viewer/viewer_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    zr640viewer::CVELKDriverlogViewerApp theApp;
    return theApp.Run(instance);
}

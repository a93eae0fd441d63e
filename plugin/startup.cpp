#include "plugin/startup.h"

#include "plugin/module.h"

namespace zr640ui {

void OnProcessAttach(HINSTANCE) {}

void OnProcessDetach() { ReleaseActivationContext(); }

}  // namespace zr640ui

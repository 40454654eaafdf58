#include "controls/win32/control_base.h"
#include "controls/win32/controls.h"

namespace vexa::controls {

void RegisterAll(HINSTANCE instance) {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterOxButton(instance);
  RegisterCheckbox(instance);
  RegisterSpinner(instance);
  RegisterProgressXp(instance);
  RegisterVista(instance);
}

}  // namespace vexa::controls

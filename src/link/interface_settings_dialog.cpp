#include "link/interface_settings_dialog.h"

namespace vexal {

void ShowInterfaceSettingsDialog(HINSTANCE, HWND) {
  // The port dialog is not built yet.
}

}  // namespace vexal

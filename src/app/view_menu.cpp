#include "app/view_menu.h"

#include "app/view_commands.h"
#include "app/window_state.h"
#include "resource.h"

namespace vexal {
namespace {

bool AnyData() {
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  return store.hasData[0] != 0 || store.hasData[1] != 0;
}

}  // namespace

void PrepareViewMenu(HMENU popup) {
  if (GetMenuState(popup, IDM_VIEW_TIME, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
  const bool anyData = AnyData();
  for (int id = IDM_VIEW_TIME; id <= IDM_SPAN_5; ++id) {
    if (const ViewCommand* command = FindViewCommand(id)) {
      const bool enabled = ViewCommandEnabled(*command, TheView(), anyData);
      EnableMenuItem(popup, static_cast<UINT>(id),
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
  }
}

void HandleViewCommand(HWND window, WPARAM wParam) {
  const ViewCommand* command = FindViewCommand(LOWORD(wParam));
  if (command == nullptr || !ApplyViewCommand(TheView(), *command, AnyData())) return;
  const ViewGroupMarks marks = ViewMarks(TheView(), command->group);
  CheckMenuRadioItem(GetMenu(window), static_cast<UINT>(marks.first), static_cast<UINT>(marks.last),
                     static_cast<UINT>(marks.checked), MF_BYCOMMAND);
  InvalidateRect(window, nullptr, FALSE);
}

}  // namespace vexal

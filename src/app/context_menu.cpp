#include "app/context_menu.h"

#include <windowsx.h>

#include "app/cursor_input.h"
#include "app/main_window.h"
#include "app/measurements_dialog.h"
#include "app/window_state.h"
#include "output/clipboard.h"
#include "output/picture_tables.h"
#include "resource.h"

namespace vexal {
namespace {

// The user's decimal separator, so that a spreadsheet in that locale takes the
// copied values as numbers. At most three characters, in the 1252 text of the
// values: read in UTF-16 and converted to 1252 itself, not by the system's
// ANSI code page; one that 1252 cannot hold gives the point.
std::string DecimalSeparator() {
  wchar_t wide[4] = L"";
  char separator[8] = "";
  BOOL lost = FALSE;
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, wide, 4) == 0 ||
      WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, wide, -1, separator, sizeof separator,
                          nullptr, &lost) == 0 ||
      lost) {
    return ".";
  }
  return separator;
}

void CopyValues(HWND window) {
  CopyTextToClipboard(window, CopiedValuesOf(CurrentPicture(), DecimalSeparator()));
}

}  // namespace

bool ShowContextMenu(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  POINT at = {client.right / 2, client.bottom / 2};
  // The keyboard sends x and y of -1; how a 64-bit lParam holds them is not promised.
  if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) {
    at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &at);
    if (!PtInRect(&client, at)) return false;
  }
  ClientToScreen(window, &at);

  HMENU menu = LoadMenuW(TheMainWindowState().instance, L"VEXALKONTEXT");
  if (menu == nullptr) return true;
  HMENU popup = GetSubMenu(menu, 0);
  // Values, measurements and cursors need a channel with data; the picture is
  // always there. Shown cursors can always be hidden.
  const WaveformSnapshot store = TheWaveformStore().Snapshot();
  const UINT state = AnyChannel(store) ? MF_ENABLED : MF_GRAYED;
  const bool cursors = TheCursors().shown;
  // The cursors belong to the time view; elsewhere they keep their places for it.
  const UINT cursorState = TheView().view != PictureView::kTime ? MF_GRAYED
                           : cursors                            ? MF_ENABLED
                                                                : state;
  EnableMenuItem(popup, IDM_COPY_VALUES, MF_BYCOMMAND | state);
  EnableMenuItem(popup, IDM_MEASUREMENTS, MF_BYCOMMAND | state);
  EnableMenuItem(popup, IDM_CURSORS, MF_BYCOMMAND | cursorState);
  CheckMenuItem(popup, IDM_CURSORS, MF_BYCOMMAND | (cursors ? MF_CHECKED : MF_UNCHECKED));
  // The chosen item arrives as WM_COMMAND, as a menu bar item does.
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  DestroyMenu(menu);
  return true;
}

void HandleContextCommand(HWND window, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDM_COPY_PICTURE:
      CopyPictureToClipboard(window, CurrentPicture());
      break;
    case IDM_COPY_VALUES:
      CopyValues(window);
      break;
    case IDM_MEASUREMENTS:
      ShowMeasurementsDialog(TheMainWindowState().instance, window, CurrentPicture());
      break;
    case IDM_CURSORS:
      ToggleCursorsCommand(window);
      break;
    default:
      break;
  }
}

}  // namespace vexal

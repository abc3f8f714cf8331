#include "app/cursor_input.h"

#include <windowsx.h>

#include "app/main_window.h"
#include "app/window_state.h"
#include "display/plot_geometry.h"

namespace vexal {
namespace {

// How near the pointer must come to a line, in pixels at 96 dpi, to take hold of it.
constexpr int kLineReach = 3;

bool dragging = false;  // the left button went down in the plot area and is held
CursorDrag drag;        // where the press left the active cursor and the pointer

PlotArea WindowPlotArea() {
  const MainWindowState& state = TheMainWindowState();
  return ScreenPlotArea(state.clientWidth, state.clientHeight, state.dpi);
}

int LineReach() {
  return ScaleToDpi(kLineReach, TheMainWindowState().dpi);
}

// Only the time view has cursors; in another they keep their places for it.
bool CursorsAct() {
  return TheView().view == PictureView::kTime && TheCursors().shown;
}

// The picture is drawn off-screen: nothing needs erasing first.
void Repaint(HWND window) {
  InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

void ToggleCursorsCommand(HWND window) {
  if (TheView().view != PictureView::kTime) return;  // the menu item is greyed there
  ToggleCursors(TheCursors());
  Repaint(window);
}

void HandleCursorMouse(HWND window, UINT message, LPARAM lParam) {
  Cursors& cursors = TheCursors();
  const PlotArea area = WindowPlotArea();
  // Signed: a captured mouse reports points left of and above the window.
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
      if (!CursorsAct() || !InPlotArea(area, x, y)) return;
      drag =
          PressCursor(cursors, SampleAtX(area, x), CursorLineAt(cursors, area, x, y, LineReach()));
      dragging = true;
      SetCapture(window);
      Repaint(window);
      return;
    case WM_MOUSEMOVE: {
      if (!dragging) return;
      const int before = cursors.sample[cursors.active];
      DragCursor(cursors, drag, SampleAtX(area, x));
      if (cursors.sample[cursors.active] != before) Repaint(window);
      return;
    }
    case WM_LBUTTONUP:
      if (dragging) ReleaseCapture();  // WM_CAPTURECHANGED ends the drag
      return;
    case WM_CAPTURECHANGED:
      dragging = false;
      return;
    default:
      return;
  }
}

bool HandleCursorKey(HWND window, WPARAM key) {
  CursorKey cursorKey;
  switch (key) {
    case VK_LEFT:
      cursorKey = CursorKey::kLeft;
      break;
    case VK_RIGHT:
      cursorKey = CursorKey::kRight;
      break;
    case VK_HOME:
      cursorKey = CursorKey::kHome;
      break;
    case VK_END:
      cursorKey = CursorKey::kEnd;
      break;
    case VK_TAB:
      cursorKey = CursorKey::kTab;
      break;
    default:
      return false;
  }
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (!CursorsAct() || !CursorKeyDown(TheCursors(), cursorKey, shift)) return false;
  Repaint(window);
  return true;
}

bool SetCursorPointer(HWND window, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT || !CursorsAct()) return false;
  POINT at;
  if (!GetCursorPos(&at) || !ScreenToClient(window, &at)) return false;
  if (CursorLineAt(TheCursors(), WindowPlotArea(), at.x, at.y, LineReach()) == kNoCursor) {
    return false;
  }
  SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
  return true;
}

}  // namespace vexal

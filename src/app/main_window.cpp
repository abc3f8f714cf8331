#include "app/main_window.h"

#include <shellapi.h>

#include <string>

#include "app/context_menu.h"
#include "app/cursor_input.h"
#include "app/demo_traces.h"
#include "app/menu_dispatch.h"
#include "app/window_state.h"
#include "display/gdi_waveform_renderer.h"
#include "display/message_boxes.h"
#include "display/offscreen_buffer.h"

namespace vexal {
namespace {

MainWindowState state;
OffscreenBuffer offscreen;  // used on the window thread only

void OnCreate(const CREATESTRUCTW& create) {
  state.baseUnitX = LOWORD(GetDialogBaseUnits());
  state.baseUnitY = HIWORD(GetDialogBaseUnits());
  state.instance = create.hInstance;
  // The display works before any instrument has been read.
  TheWaveformStore().Replace(DemonstrationTraces());
  UpdateScaleLabels();
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  UpdateScaleLabels();
  // While the cursors are shown the picture is drawn off-screen and copied into
  // the update region, so that a moving cursor does not flicker; hidden, the
  // buffer goes and the picture is drawn as it always was.
  const Picture picture = ScreenPicture(96);
  const bool cursors = picture.cursors.shown;
  if (!cursors) offscreen.Release();
  PaintWaveformWindow(dc, paint.rcPaint, picture, state.clientWidth, state.clientHeight,
                      state.baseUnitX, state.baseUnitY, cursors ? &offscreen : nullptr);
  EndPaint(window, &paint);
}

// A file dropped on the window: its traces replace the current ones. shell32
// is loaded only now (or at start, for a file named there): linked, it would
// cost every start of the program. The name is taken in UTF-16, of any length.
void OnDropFiles(HWND window, HDROP drop) {
  using QueryFunction = UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT);
  using FinishFunction = void(WINAPI*)(HDROP);
  static const HMODULE shell = LoadLibraryW(L"shell32.dll");
  const auto query = reinterpret_cast<QueryFunction>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "DragQueryFileW") : nullptr));
  const auto finish = reinterpret_cast<FinishFunction>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "DragFinish") : nullptr));
  if (query == nullptr || finish == nullptr) return;
  std::wstring path(query(drop, 0, nullptr, 0), L'\0');
  const bool named =
      !path.empty() && query(drop, 0, path.data(), static_cast<UINT>(path.size() + 1)) > 0;
  finish(drop);
  if (!named) return;
  if (const char* error = OpenSavedExport(path.c_str())) {
    ShowErrorBox(window, error);
  } else {
    InvalidateRect(window, nullptr, TRUE);
  }
}

}  // namespace

const MainWindowState& TheMainWindowState() {
  return state;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(*reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_SIZE:
      // Stored as it comes, 0 x 0 for a minimised window; the class styles
      // repaint the whole client area after every change of size.
      state.clientWidth = LOWORD(lParam);
      state.clientHeight = HIWORD(lParam);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_ERASEBKGND:
      // The paint draws the background too; erased first, the picture would flicker.
      return 1;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      HandleCursorMouse(window, message, lParam);
      return 0;
    case WM_SETCURSOR:
      if (SetCursorPointer(window, lParam)) return TRUE;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_KEYDOWN:
      if (HandleCursorKey(window, wParam)) return 0;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_COMMAND:
      // Each ignores the other's identifiers; any other is not passed on.
      HandleMenuCommand(window, wParam);
      HandleContextCommand(window, wParam);
      return 0;
    case WM_CONTEXTMENU:
      if (!ShowContextMenu(window, lParam)) return DefWindowProcW(window, message, wParam, lParam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      offscreen.Release();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace vexal

#include "app/main_window.h"

#include <shellapi.h>

#include <string>

#include "app/context_menu.h"
#include "app/cursor_input.h"
#include "app/demo_traces.h"
#include "app/menu_dispatch.h"
#include "app/view_menu.h"
#include "app/window_dpi.h"
#include "app/window_state.h"
#include "display/gdi_waveform_renderer.h"
#include "display/message_boxes.h"
#include "display/offscreen_buffer.h"
#include "display/plot_geometry.h"
#include "display/screen_font.h"

namespace vexal {
namespace {

MainWindowState state;
// Used on the window thread only.
OffscreenBuffer offscreen;
ScreenFont labelFont;

void OnCreate(HWND window, const CREATESTRUCTW& create) {
  state.baseUnitX = LOWORD(GetDialogBaseUnits());
  state.baseUnitY = HIWORD(GetDialogBaseUnits());
  state.instance = create.hInstance;
  state.dpi = WindowDpi(window);
  state.systemDpi = SystemDpi();
  // The display works before any instrument has been read.
  TheWaveformStore().Replace(DemonstrationTraces());
  UpdateScaleLabels();
}

void OnPaint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  UpdateScaleLabels();
  ReturnToPossibleView(window);
  // At 96 dpi the labels are written in the stock font, offset by the dialog base
  // units, as they always were; at any other DPI in a font of their own, offset by
  // the base units of 96 dpi scaled.
  const bool stock = state.dpi == 96 && state.systemDpi == 96;
  if (stock) labelFont.Release();
  const PictureSize size = {state.clientWidth, state.clientHeight,
                            stock ? state.baseUnitX : ScaleToDpi(8, state.dpi),
                            stock ? state.baseUnitY : ScaleToDpi(16, state.dpi)};
  PaintWaveformWindow(dc, paint.rcPaint, ScreenPicture(state.dpi), size,
                      stock ? nullptr : labelFont.For(state.dpi), offscreen);
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

// The window moved to a monitor of another DPI (or the user changed it): it takes
// the size Windows suggests, and the picture is drawn anew at the new DPI.
void OnDpiChanged(HWND window, WPARAM wParam, const RECT& suggested) {
  state.dpi = HIWORD(wParam);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

const MainWindowState& TheMainWindowState() {
  return state;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      ScaleNonClientArea(window);
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_CREATE:
      OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(window, wParam, *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinimumWindowSize(window, state.dpi);
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
      // Each ignores the others' identifiers; any other is not passed on.
      HandleMenuCommand(window, wParam);
      HandleViewCommand(window, wParam);
      HandleContextCommand(window, wParam);
      return 0;
    case WM_INITMENUPOPUP:
      PrepareViewMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_CONTEXTMENU:
      if (!ShowContextMenu(window, lParam)) return DefWindowProcW(window, message, wParam, lParam);
      return 0;
    case WM_DROPFILES:
      OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DESTROY:
      offscreen.Release();
      labelFont.Release();
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace vexal

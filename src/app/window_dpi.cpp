#include "app/window_dpi.h"

#include "display/plot_geometry.h"

namespace vexal {
namespace {

constexpr int kMinimumClientWidth = 320;  // at 96 dpi: scale labels and read-out apart
constexpr int kMinimumClientHeight = 240;

// A function of user32 that older Windows lack, or nullptr.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(user32 != nullptr ? GetProcAddress(user32, name) : nullptr));
}

// The rows the menu bar takes in a client area `width` wide: its items keep their
// widths and wrap into a new row where the next one would pass the edge.
int MenuRows(HWND window, HMENU menu, int width) {
  int rows = 1, x = 0;
  for (int item = 0, count = GetMenuItemCount(menu); item < count; ++item) {
    RECT at;
    if (!GetMenuItemRect(window, menu, static_cast<UINT>(item), &at)) continue;
    const int itemWidth = at.right - at.left;
    if (x > 0 && x + itemWidth > width) {
      ++rows;
      x = 0;
    }
    x += itemWidth;
  }
  return rows;
}

}  // namespace

void ScaleNonClientArea(HWND window) {
  using Enable = BOOL(WINAPI*)(HWND);
  if (const auto enable = User32Function<Enable>("EnableNonClientDpiScaling")) enable(window);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int WindowDpi(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  if (const auto get = User32Function<GetDpi>("GetDpiForWindow")) {
    if (const UINT dpi = get(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

POINT MinimumWindowSize(HWND window, int dpi) {
  const int width = ScaleToDpi(kMinimumClientWidth, dpi);
  const int height = ScaleToDpi(kMinimumClientHeight, dpi);
  // The frame as it is now, less the menu bar's rows now, plus its rows at that width.
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  int menuHeight = 0, rowsNow = 1, rowsThen = 1;
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  HMENU menu = GetMenu(window);
  if (menu != nullptr && GetMenuBarInfo(window, OBJID_MENU, 0, &bar)) {
    menuHeight = bar.rcBar.bottom - bar.rcBar.top;
    rowsNow = MenuRows(window, menu, client.right);
    rowsThen = MenuRows(window, menu, width);
  }
  const int frameWidth = (frame.right - frame.left) - client.right;
  const int frameHeight = (frame.bottom - frame.top) - client.bottom;
  const int rowHeight = rowsNow > 0 ? menuHeight / rowsNow : 0;
  return {width + frameWidth, height + frameHeight + (rowsThen - rowsNow) * rowHeight};
}

}  // namespace vexal

// keyboard_context_menu.exe <hwnd as the driver prints it>: sends the window the
// WM_CONTEXTMENU of Shift+F10 with x and y of -1 in a zero-extended 64-bit lParam, as
// Windows may hand it over (Wine sign-extends it), and returns at once.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto window = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 16));
  const auto lParam = static_cast<LPARAM>(0xFFFFFFFFu);
  const BOOL sent =
      SendNotifyMessageA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), lParam);
  return sent ? 0 : 1;
}

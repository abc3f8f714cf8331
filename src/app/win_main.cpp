// Entry point: registers the window class, creates the main window and runs the
// message loop until the window is destroyed.
#include <windows.h>

#include "app/main_window.h"
#include "app/message_boxes.h"

namespace {

constexpr char kClassName[] = "Vexal";  // also the menu and icon resource "VEXAL"

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = vexal::MainWndProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, kClassName);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszMenuName = kClassName;
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!RegisterMainWindowClass(instance)) {
    vexal::ShowErrorBox(nullptr, "Programm arbeitet mit Unicode und setzt Windows NT voraus !");
    return 0;
  }

  HWND window = CreateWindowExA(0, kClassName, "Vexal-Interface V1.0", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) {
    // Without its window the program can do nothing; say so instead of
    // waiting for messages that never come.
    vexal::ShowErrorBox(nullptr,
                        "Das Programmfenster kann nicht ge\xF6"
                        "ffnet werden !");
    return 1;
  }
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message = {};
  // GetMessageA gives -1 only for a bad window filter; stop rather than spin on it.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

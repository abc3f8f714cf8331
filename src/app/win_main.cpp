// Entry point: registers the window class, creates the main window and runs the
// message loop until the window is destroyed.
#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/window_state.h"
#include "display/message_boxes.h"
#include "link/acquisition_worker.h"

namespace {

constexpr wchar_t kClassName[] = L"Vexal";  // also the menu, icon and accelerators "VEXAL"

// A Unicode window: its texts, the dialogs it opens and the names dropped on it
// are UTF-16, whatever the system's ANSI code page is.
bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSW windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = vexal::MainWndProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, kClassName);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  windowClass.lpszMenuName = kClassName;
  windowClass.lpszClassName = kClassName;
  return RegisterClassW(&windowClass) != 0;
}

// The file named on the command line, as UTF-16, or an empty text: the whole
// rest of the line when it names a file (a shortcut may leave a name with
// blanks unquoted), else the first argument ("Öffnen mit" passes it in
// quotes). shell32 is loaded only for that: linked, it would cost every start.
std::wstring CommandLineFile() {
  const wchar_t* line = GetCommandLineW();
  const std::wstring rest(vexal::CommandLineRest(line));
  if (rest.empty()) return {};
  const DWORD attributes = GetFileAttributesW(rest.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
    return rest;
  using SplitFunction = LPWSTR*(WINAPI*)(LPCWSTR, int*);
  const HMODULE shell = LoadLibraryW(L"shell32.dll");
  const auto split = reinterpret_cast<SplitFunction>(
      reinterpret_cast<void*>(shell ? GetProcAddress(shell, "CommandLineToArgvW") : nullptr));
  int count = 0;
  LPWSTR* arguments = split != nullptr ? split(line, &count) : nullptr;
  std::wstring file = arguments != nullptr && count > 1 ? arguments[1] : L"";
  if (arguments != nullptr) LocalFree(arguments);
  return file;
}

// Windows keeps the messages of a drop from Explorer away from a program that
// runs as administrator, above Explorer's integrity level, unless the window
// lets them through. ChangeWindowMessageFilterEx is looked up at run time, so
// that a Windows without it still starts the program (which then needs none).
void LetDropsThrough(HWND window) {
  using FilterFunction = decltype(&ChangeWindowMessageFilterEx);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto allow = reinterpret_cast<FilterFunction>(reinterpret_cast<void*>(
      user32 ? GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr));
  if (allow == nullptr) return;
  constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA: carries the dropped names
  for (UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, kCopyGlobalData})
    allow(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!RegisterMainWindowClass(instance)) {
    vexal::ShowErrorBox(nullptr, "Programm arbeitet mit Unicode und setzt Windows NT voraus !");
    return 0;
  }

  // Files dropped on the window show a saved text export again.
  HWND window = CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, L"Vexal-Interface V1.0",
                                WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    // Without its window the program can do nothing; say so instead of
    // waiting for messages that never come.
    vexal::ShowErrorBox(nullptr,
                        "Das Programmfenster kann nicht ge\xF6"
                        "ffnet werden !");
    return 1;
  }
  LetDropsThrough(window);
  // A file given at start replaces the demonstration traces before the first
  // paint; one that cannot be shown is said so over the window.
  const std::wstring file = CommandLineFile();
  const char* error = file.empty() ? nullptr : vexal::OpenSavedExport(file.c_str());
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  if (error != nullptr) vexal::ShowErrorBox(window, error);

  // Ctrl+C: "Bild kopieren" of the right-click menu. Freed with the process.
  HACCEL accelerators = LoadAcceleratorsW(instance, kClassName);
  MSG message = {};
  // GetMessageW gives -1 only for a bad window filter; stop rather than spin on it.
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(window, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  const int exitCode = static_cast<int>(message.wParam);
  // Quitting during a read-out: returning would run the static destructors
  // while the worker still uses the store. Nothing is left to save (the window
  // is gone, exports are written whole), so the process ends here, at once.
  if (vexal::AcquisitionWorkersRunning()) TerminateProcess(GetCurrentProcess(), exitCode);
  return exitCode;
}

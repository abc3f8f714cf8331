// vexal_drive: drives a running Windows program from outside, as a user would,
// for the end-to-end tests, the run command and the start-up benchmark. It runs
// under the same Wine (prefix, wineserver, display) as the program it drives.
//
// Usage:
//   vexal_drive.exe "command args" "command args" ...   one command per argument
//   vexal_drive.exe                                     one command per line on stdin
// Every command answers with zero or more "key value" lines and then "ok"; a
// command that fails prints "error <reason>" and the driver exits with code 1.
// Paths may be Unix paths (/tmp/x.bmp); they are read through Wine's Z: drive.
//
// The main window is the one found by `start` or `wait-window`; the dialog is
// the one found by `wait-dialog`. Commands that act on "a window" take main or
// dialog as their first word.
//   start <exe> [args]        CreateProcess, WaitForInputIdle, find the process's
//                             first visible top-level window: pid, hwnd, idle-ms
//                             (process creation until the first idle message loop)
//   wait-window <ms> <title>  waits for a visible top-level window with this title
//   title                     the main window's title
//   client-size <main|dialog> the client area's width and height
//   menu <id>                 posts the WM_COMMAND that a click on menu item <id> sends
//   sync                      waits until the main window's thread has handled
//                             everything posted so far, including the repaint
//                             (screenshot and pixel sync first by themselves)
//   menu-state <id>...        check marks of menu items, read inside the program
//                             through the hook DLL vexal_drive_hook.dll (see below)
//   menu-dump                 every item of the main window's menu bar, tab-separated:
//                             item <depth> <id> text|separator|radio
//                             checked|unchecked enabled|grayed <text>
//   key <main|dialog> <vk>    posts WM_KEYDOWN/WM_KEYUP of a virtual key (decimal or
//                             a name: escape, return, tab, space, f10, menu, left,
//                             right, up, down)
//   wait-dialog <ms> <title>  waits for a visible top-level window of the started
//                             process with this title (a dialog or a message box)
//   dialog-text               id, class and text of each of the dialog's controls
//   set-text <id> <text>      sets a dialog control's text (an edit, or the edit
//                             inside a combo box), as typing would
//   press <id|text>           clicks a dialog button: posts the WM_COMMAND BN_CLICKED
//                             that the button sends to its dialog
//   wait-gone <ms>            waits until the dialog window no longer exists
//   screenshot <main|dialog|menu> <file.bmp>
//                             the client area (for "menu": the open popup menu,
//                             class #32768) as a 24-bit BMP
//   pixel <main|dialog> <x> <y> the colour at a client position: r g b
//   close [main|dialog]       what the close box sends: WM_SYSCOMMAND SC_CLOSE
//   base-units                GetDialogBaseUnits (the same system font as the program)
//   menu-check-size           the size of a menu check mark (SM_CXMENUCHECK, SM_CYMENUCHECK)
//   wait-exit <ms>            waits for the started process to end: exit-code
//   sleep <ms>
// When the commands run out (or one fails), a started program that still runs
// is ended, so that it cannot disturb the next test.
//
// The hook DLL vexal_drive_hook.dll (next to the driver) is how the driver
// looks inside the program without changing it; Wine loads it into the program
// when the driver sets a hook on the main window's thread:
//  - Menu check marks: Wine does not let one process read another process's
//    menu (GetMenuState on a foreign HMENU fails), so menu-state and menu-dump
//    set a WH_CALLWNDPROC hook, which answers a registered message by walking
//    GetMenu(window) and writing the result into a shared file mapping.
//  - sync: a WH_GETMESSAGE hook reports when the message loop takes a marker
//    message, posted behind the commands, out of the queue.
// tests/e2e/menu_view_test.py checks the marks on screen as well, in popup
// menus opened with real keystrokes (xdotool).
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "vexal_drive_shared.h"

namespace {

struct Session {
  PROCESS_INFORMATION process{};
  bool started = false;
  HWND main = nullptr;
  HWND dialog = nullptr;
};

Session g_session;  // the driver handles one program per run

struct Failure {
  std::string reason;
};

[[noreturn]] void Fail(const std::string& reason) {
  throw Failure{reason};
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  bool any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// The words from index `from` on, joined by single blanks (titles with blanks).
std::string Rest(const std::vector<std::string>& words, size_t from) {
  std::string rest;
  for (size_t i = from; i < words.size(); ++i) {
    if (i > from) rest += ' ';
    rest += words[i];
  }
  return rest;
}

std::string WindowsPath(const std::string& path) {
  if (!path.empty() && path[0] == '/') {
    std::string dos = "Z:" + path;
    for (char& c : dos)
      if (c == '/') c = '\\';
    return dos;
  }
  return path;
}

long Number(const std::vector<std::string>& words, size_t i) {
  if (i >= words.size()) Fail("missing argument " + std::to_string(i));
  char* end = nullptr;
  long value = std::strtol(words[i].c_str(), &end, 0);
  if (end == words[i].c_str() || *end) Fail("not a number: " + words[i]);
  return value;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &length))
    GetWindowTextA(window, text, sizeof text);
  return text;
}

struct WindowQuery {
  DWORD pid;  // 0: any process
  const char* title;
  const char* className;  // nullptr: any class
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* query = reinterpret_cast<WindowQuery*>(param);
  if (!IsWindowVisible(window)) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (query->pid && pid != query->pid) return TRUE;
  if (query->className) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, query->className) != 0) return TRUE;
  }
  if (query->title) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    if (std::strcmp(text, query->title) != 0) return TRUE;
  }
  query->found = window;
  return FALSE;
}

HWND WaitForWindow(DWORD pid, const char* title, const char* className, long ms) {
  DWORD start = GetTickCount();
  for (;;) {
    WindowQuery query{pid, title, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    if (query.found) return query.found;
    if (static_cast<long>(GetTickCount() - start) > ms) return nullptr;
    Sleep(20);
  }
}

HWND MainWindow() {
  if (!g_session.main || !IsWindow(g_session.main)) Fail("no main window");
  return g_session.main;
}

HWND NamedWindow(const std::vector<std::string>& words, size_t i) {
  if (i >= words.size()) Fail("say main, dialog or menu");
  if (words[i] == "main") return MainWindow();
  if (words[i] == "dialog") {
    if (!g_session.dialog || !IsWindow(g_session.dialog)) Fail("no dialog");
    return g_session.dialog;
  }
  if (words[i] == "menu") {
    HWND popup = WaitForWindow(g_session.process.dwProcessId, nullptr, "#32768", 2000);
    if (!popup) Fail("no open popup menu");
    return popup;
  }
  Fail("unknown window " + words[i]);
}

// The hook DLL, loaded once; the program loads it too when a hook is set.
struct HookLibrary {
  HMODULE module = nullptr;
  HOOKPROC callWndProc = nullptr;
  HOOKPROC getMsgProc = nullptr;
};

const HookLibrary& Hooks() {
  static HookLibrary library;
  if (!library.module) {
    library.module = LoadLibraryA("vexal_drive_hook.dll");
    if (!library.module) Fail("cannot load vexal_drive_hook.dll next to vexal_drive.exe");
    library.callWndProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(library.module, "VexalDriveCallWndProc")));
    library.getMsgProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(library.module, "VexalDriveGetMsgProc")));
    if (!library.callWndProc || !library.getMsgProc) Fail("vexal_drive_hook.dll lacks its hooks");
  }
  return library;
}

// Waits until the window's thread has taken everything posted to it so far out
// of its queue, and so has handled it: a marker message goes behind, and the
// WH_GETMESSAGE hook reports when the message loop takes it out. (Waiting for
// sent messages to come back is not enough: a thread also answers them from
// inside a handler that waits for something, a paint for instance.)
void WaitForPostedQueue(HWND window) {
  static HANDLE mapping = nullptr;
  static volatile long* seen = nullptr;
  static long sequence = 0;
  static DWORD hookedThread = 0;
  if (!mapping) {
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(long),
                                 vexal_drive::kMarkerMappingName);
    if (!mapping) Fail("cannot create the marker mapping");
    seen = static_cast<volatile long*>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(long)));
    if (!seen) Fail("cannot map the marker mapping");
    sequence = *seen;  // the mapping may outlive an earlier driver
  }
  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread != hookedThread) {
    if (!SetWindowsHookExA(WH_GETMESSAGE, Hooks().getMsgProc, Hooks().module, thread))
      Fail("SetWindowsHookEx(WH_GETMESSAGE) failed, error " + std::to_string(GetLastError()));
    hookedThread = thread;  // the hook stays until the driver ends
  }
  ++sequence;
  if (!PostMessageA(window, RegisterWindowMessageA(vexal_drive::kMarkerMessage),
                    static_cast<WPARAM>(sequence), 0))
    Fail("cannot post to the window");
  DWORD start = GetTickCount();
  while (*seen < sequence) {
    if (GetTickCount() - start > 10000) Fail("the window's thread does not take its messages");
    Sleep(2);
  }
}

// Everything posted so far is handled, and so is the repaint it asked for: once
// no update region is left, the paint has begun, and a second marker comes out
// of the queue only after it.
void SyncWith(HWND window) {
  WaitForPostedQueue(window);
  DWORD start = GetTickCount();
  while (GetUpdateRect(window, nullptr, FALSE) && GetTickCount() - start < 5000) Sleep(2);
  WaitForPostedQueue(window);
}

void Start(const std::vector<std::string>& words) {
  if (words.size() < 2) Fail("start needs a program");
  std::string exe = WindowsPath(words[1]);
  std::string commandLine = "\"" + exe + "\"";
  for (size_t i = 2; i < words.size(); ++i) commandLine += " " + words[i];
  std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  LARGE_INTEGER before, after;
  QueryPerformanceCounter(&before);
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &g_session.process))
    Fail("CreateProcess failed, error " + std::to_string(GetLastError()));
  g_session.started = true;
  DWORD idle = WaitForInputIdle(g_session.process.hProcess, 30000);
  QueryPerformanceCounter(&after);
  if (idle != 0) Fail("the program did not become idle");
  g_session.main = WaitForWindow(g_session.process.dwProcessId, nullptr, nullptr, 10000);
  if (!g_session.main) Fail("the program shows no window");
  std::printf("pid %lu\nhwnd %p\nidle-ms %.1f\n", g_session.process.dwProcessId,
              static_cast<void*>(g_session.main), Milliseconds(before, after));
}

// Wine copies a window's picture to the display once its thread is idle, so
// let the thread finish what it was doing before reading the window.
void SettleBeforeReading(HWND window) {
  SyncWith(window);
  Sleep(50);
}

// Writes the client area of a window as a bottom-up 24-bit BMP.
void Screenshot(HWND window, const std::string& path) {
  SettleBeforeReading(window);
  RECT client;
  GetClientRect(window, &client);
  int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) Fail("empty client area");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BOOL copied = BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, source);

  DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageSize;
  info.bmiHeader.biSizeImage = imageSize;
  std::string dosPath = WindowsPath(path);
  FILE* out = copied ? std::fopen(dosPath.c_str(), "wb") : nullptr;
  bool written = out && std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                 std::fwrite(bits, imageSize, 1, out) == 1;
  if (out) std::fclose(out);
  DeleteObject(bitmap);
  if (!copied) Fail("BitBlt from the window failed");
  if (!written) Fail("cannot write " + path);
  std::printf("size %d %d\n", width, height);
}

int VirtualKey(const std::string& name) {
  static const struct {
    const char* name;
    int key;
  } kNames[] = {{"escape", VK_ESCAPE}, {"return", VK_RETURN}, {"tab", VK_TAB},
                {"space", VK_SPACE},   {"f10", VK_F10},       {"menu", VK_MENU},
                {"left", VK_LEFT},     {"right", VK_RIGHT},   {"up", VK_UP},
                {"down", VK_DOWN}};
  for (const auto& entry : kNames)
    if (name == entry.name) return entry.key;
  char* end = nullptr;
  long key = std::strtol(name.c_str(), &end, 0);
  if (end == name.c_str() || *end || key <= 0 || key > 255) Fail("unknown key " + name);
  return static_cast<int>(key);
}

void PostKey(HWND window, int key) {
  UINT scan = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  LPARAM up = down | (1LL << 30) | (1LL << 31);
  bool system = key == VK_MENU || key == VK_F10;
  PostMessageA(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(key), down);
  PostMessageA(window, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(key), up);
}

struct ControlList {
  std::vector<HWND> controls;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM param) {
  reinterpret_cast<ControlList*>(param)->controls.push_back(control);
  return TRUE;
}

std::vector<HWND> Controls(HWND dialog) {
  ControlList list;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&list));
  return list.controls;
}

std::string WithoutAmpersands(std::string text) {
  std::string plain;
  for (char c : text)
    if (c != '&') plain += c;
  return plain;
}

void Press(const std::string& which) {
  HWND dialog = g_session.dialog;
  if (!dialog || !IsWindow(dialog)) Fail("no dialog");
  char* end = nullptr;
  long id = std::strtol(which.c_str(), &end, 0);
  bool byId = end != which.c_str() && !*end;
  for (HWND control : Controls(dialog)) {
    int controlId = GetDlgCtrlID(control);
    if (byId ? controlId == id : WithoutAmpersands(WindowText(control)) == which) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
      return;
    }
  }
  Fail("no button " + which);
}

// Asks the hook inside the program for its menu; the answer lands in the
// shared mapping that both sides open by name.
std::string QueryMenu(const std::vector<unsigned>& ids) {
  HWND window = MainWindow();

  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(vexal_drive::MenuReport), vexal_drive::kMappingName);
  if (!mapping) Fail("cannot create the shared mapping");
  auto* report = static_cast<vexal_drive::MenuReport*>(
      MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(vexal_drive::MenuReport)));
  if (!report) Fail("cannot map the shared mapping");
  std::memset(report, 0, sizeof *report);
  report->idCount =
      static_cast<unsigned>(ids.size() < vexal_drive::kMaxIds ? ids.size() : vexal_drive::kMaxIds);
  for (unsigned i = 0; i < report->idCount; ++i) report->ids[i] = ids[i];

  DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Hooks().callWndProc, Hooks().module, thread);
  std::string text;
  if (hook) {
    UINT query = RegisterWindowMessageA(vexal_drive::kQueryMessage);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, query, 0, 0, SMTO_NORMAL, 10000, &result);
    UnhookWindowsHookEx(hook);
    if (report->done) text.assign(report->text, strnlen(report->text, sizeof report->text));
  }
  UnmapViewOfFile(report);
  CloseHandle(mapping);
  if (!hook) Fail("SetWindowsHookEx failed, error " + std::to_string(GetLastError()));
  if (text.empty()) Fail("the hook did not answer");
  return text;
}

void Execute(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  if (command == "start") {
    Start(words);
  } else if (command == "wait-window") {
    std::string title = Rest(words, 2);
    HWND window = WaitForWindow(0, title.c_str(), nullptr, Number(words, 1));
    if (!window) Fail("no window \"" + title + "\"");
    g_session.main = window;
    std::printf("hwnd %p\n", static_cast<void*>(window));
  } else if (command == "title") {
    std::printf("title %s\n", WindowText(MainWindow()).c_str());
  } else if (command == "client-size") {
    RECT client;
    GetClientRect(NamedWindow(words, 1), &client);
    std::printf("size %ld %ld\n", client.right, client.bottom);
  } else if (command == "menu") {
    PostMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(Number(words, 1), 0), 0);
  } else if (command == "sync") {
    SyncWith(MainWindow());
  } else if (command == "menu-state") {
    std::vector<unsigned> ids;
    for (size_t i = 1; i < words.size(); ++i)
      ids.push_back(static_cast<unsigned>(Number(words, i)));
    std::fputs(QueryMenu(ids).c_str(), stdout);
  } else if (command == "menu-dump") {
    std::fputs(QueryMenu({}).c_str(), stdout);
  } else if (command == "key") {
    HWND window = NamedWindow(words, 1);
    if (words.size() < 3) Fail("key needs a key");
    PostKey(window, VirtualKey(words[2]));
  } else if (command == "wait-dialog") {
    std::string title = Rest(words, 2);
    HWND window =
        WaitForWindow(g_session.process.dwProcessId, title.c_str(), nullptr, Number(words, 1));
    if (!window) Fail("no dialog \"" + title + "\"");
    g_session.dialog = window;
    std::printf("hwnd %p\n", static_cast<void*>(window));
  } else if (command == "dialog-text") {
    HWND dialog = NamedWindow({"", "dialog"}, 1);
    for (HWND control : Controls(dialog)) {
      char className[64] = {};
      GetClassNameA(control, className, sizeof className);
      std::printf("control %d %s %s\n", GetDlgCtrlID(control), className,
                  WindowText(control).c_str());
    }
  } else if (command == "press") {
    Press(Rest(words, 1));
  } else if (command == "set-text") {
    // Types into a dialog control, e.g. the save dialog's file name (cmb13 1148
    // in Wine's save dialog, edt1 1152 in older templates).
    HWND dialog = NamedWindow({"", "dialog"}, 1);
    HWND control = nullptr;
    for (int tries = 0; tries < 250 && !control; ++tries) {  // the dialog may still be filling
      control = GetDlgItem(dialog, static_cast<int>(Number(words, 1)));
      if (!control) Sleep(20);
    }
    if (!control) Fail("no control " + words[1]);
    // A combo box (ComboBoxEx32 > ComboBox > Edit) is typed into through its edit.
    for (HWND child : Controls(control)) {
      char className[16] = {};
      GetClassNameA(child, className, sizeof className);
      if (lstrcmpiA(className, "Edit") == 0) {
        control = child;
        break;
      }
    }
    std::string text = Rest(words, 2);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  } else if (command == "wait-gone") {
    DWORD start = GetTickCount();
    while (g_session.dialog && IsWindow(g_session.dialog)) {
      if (static_cast<long>(GetTickCount() - start) > Number(words, 1)) Fail("still there");
      Sleep(20);
    }
  } else if (command == "screenshot") {
    if (words.size() < 3) Fail("screenshot needs a window and a file");
    Screenshot(NamedWindow(words, 1), words[2]);
  } else if (command == "pixel") {
    HWND window = NamedWindow(words, 1);
    SettleBeforeReading(window);
    HDC dc = GetDC(window);
    COLORREF colour =
        GetPixel(dc, static_cast<int>(Number(words, 2)), static_cast<int>(Number(words, 3)));
    ReleaseDC(window, dc);
    if (colour == CLR_INVALID) Fail("outside the window");
    std::printf("pixel %d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  } else if (command == "close") {
    PostMessageA(words.size() > 1 ? NamedWindow(words, 1) : MainWindow(), WM_SYSCOMMAND, SC_CLOSE,
                 0);
  } else if (command == "base-units") {
    LONG units = GetDialogBaseUnits();
    std::printf("base-units %d %d\n", LOWORD(units), HIWORD(units));
  } else if (command == "menu-check-size") {
    std::printf("menu-check-size %d %d\n", GetSystemMetrics(SM_CXMENUCHECK),
                GetSystemMetrics(SM_CYMENUCHECK));
  } else if (command == "wait-exit") {
    if (!g_session.started) Fail("no started process");
    if (WaitForSingleObject(g_session.process.hProcess, static_cast<DWORD>(Number(words, 1))) !=
        WAIT_OBJECT_0)
      Fail("the process is still running");
    DWORD code = 0;
    GetExitCodeProcess(g_session.process.hProcess, &code);
    std::printf("exit-code %lu\n", code);
  } else if (command == "sleep") {
    Sleep(static_cast<DWORD>(Number(words, 1)));
  } else {
    Fail("unknown command " + command);
  }
}

bool RunLine(const std::string& line) {
  std::vector<std::string> words = SplitWords(line);
  if (words.empty() || words[0][0] == '#') return true;
  try {
    Execute(words);
    std::printf("ok\n");
    std::fflush(stdout);
    return true;
  } catch (const Failure& failure) {
    std::printf("error %s: %s\n", words[0].c_str(), failure.reason.c_str());
    std::fflush(stdout);
    return false;
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool good = true;
  if (argc > 1) {
    for (int i = 1; i < argc && good; ++i) good = RunLine(argv[i]);
  } else {
    char line[4096];
    while (good && std::fgets(line, sizeof line, stdin)) good = RunLine(line);
  }
  // A program left running (a test that stopped early) would disturb the next one.
  if (g_session.started && WaitForSingleObject(g_session.process.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(g_session.process.hProcess, 99);
    std::printf("note the started program was still running and has been ended\n");
  }
  return good ? 0 : 1;
}

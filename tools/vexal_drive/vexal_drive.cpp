// vexal_drive: drives a running Windows program from outside, as a user would,
// for the run command's headless mode, the benchmarks and the end-to-end tests.
// It runs under the same Wine (prefix, wineserver, display) as the program.
//
//   vexal_drive.exe "command args" ...   one command per argument
//   vexal_drive.exe                      one command per line on stdin
// Every command answers with zero or more "key value" lines and then "ok"; a
// failed command prints "error <reason>" and the driver exits with code 1.
// Paths may be Unix paths; they are read through Wine's Z: drive. Commands and
// answers are UTF-8, whatever the ANSI code page: texts are read from and sent
// to the program in UTF-16, file names used in UTF-16.
//
//   start <exe> [args]        starts the program, waits for its first idle
//                             message loop and its window (and for the window
//                             manager to have placed it): pid, hwnd, idle-ms
//   start-unquoted <exe> <text>   the same, with the text (one path, or words)
//                             after the program's name unquoted, as a shortcut
//                             or a batch file may give it
//   title                     the main window's title
//   client-origin             the screen position of the main window's client
//                             area (X root coordinates, for xdotool)
//   menu <id>                 the WM_COMMAND of a click on menu item <id>
//   sync                      waits until the program has handled what it was
//                             sent so far, and the repaint that asked for
//   wait-dialog <ms> [title]  waits for another window of the program with
//                             this title, or any (a dialog or message box)
//   dialog-text               id, class and text of each control of the dialog
//   set-text <id> <text>      types into a control (an edit, or a combo's edit)
//   press <id>                clicks a button of the dialog
//   select <id> <index>       picks item <index> of a combo box of the dialog, as
//                             a click on it does (CB_SETCURSEL, then CBN_SELCHANGE),
//                             handled when the command returns
//   control <id>              a control of the dialog: enabled 0|1, checked 0|1 (a
//                             button), and a combo box's selected index and items
//   wait-gone <ms>            waits until the dialog is closed
//   screenshot main|dialog <file.bmp>   the client area as a 24-bit BMP
//   clipboard hold|release    opens the clipboard and keeps it open, as a program
//                             that holds it does, or closes it again
//   clipboard formats         the clipboard's formats in order, "format <n>", and
//                             the value of CF_LOCALE: "locale 0x<lcid>"
//   hold-file <path> <ms> <share>   opens the file for reading and writing as
//                             another program would, sharing what <share> names
//                             (r read, w write, d delete, - nothing), and closes
//                             it <ms> later; returns at once
//   close                     the main window's close box
//   wait-exit <ms>            waits for the program to end: exit-code
//   counters                  the program's commit and working-set KB
//   hook menu-state <id>...   inside the program, through the hook DLL beside the
//                             driver: "state <id> checked|unchecked|missing"
//   hook drop <path>          drops the file on the main window, as a file manager would
//   hook gdi-objects          the GDI objects the program made and holds: alive,
//                             made, deleted-while-selected (deletions Windows
//                             refuses), printers (contexts of the print dialog),
//                             uncounted (calls that make objects unseen);
//                             the first request starts the count
//   hook current-folder       the program's current folder: "folder <path>"
//   hook code-page            the program's ANSI code page: "acp <number>"
//   hook dpi-changed <dpi> <left> <top> <right> <bottom>   WM_DPICHANGED with that
//                             DPI and suggested window rectangle (screen coordinates)
//   hook min-track-size       the program's answer to WM_GETMINMAXINFO: "min-track-size x y"
//   geometry                  the main window's rectangle on the screen and its client
//                             size: "window <left> <top> <right> <bottom>", "client <w> <h>"
//   resize <width> <height>   sets the main window's size, as a drag of its border
//                             does, then answers as geometry
// When the commands run out, a program that still runs is ended.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include "vexal_drive_hook.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

PROCESS_INFORMATION g_process{};
HWND g_main = nullptr;
HWND g_dialog = nullptr;

struct Failure {
  std::string reason;
};

[[noreturn]] void Fail(const std::string& reason) {
  throw Failure{reason};
}

std::wstring Wide(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                      static_cast<int>(utf8.size()), wide.data(),
                                                      static_cast<int>(wide.size()))));
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(size > 0 ? static_cast<size_t>(size) : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminator
  return utf8;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
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

std::string Rest(const std::vector<std::string>& words, size_t from) {
  std::string rest;
  for (size_t i = from; i < words.size(); ++i) rest += (i > from ? " " : "") + words[i];
  return rest;
}

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

long Number(const std::vector<std::string>& words, size_t i) {
  char* end = nullptr;
  const long value = i < words.size() ? std::strtol(words[i].c_str(), &end, 0) : 0;
  if (i >= words.size() || end == words[i].c_str() || *end) {
    std::string reason = "argument ";
    Fail(reason += std::to_string(i));
  }
  return value;
}

// In UTF-16: an A call would give what the driver's code page can hold.
std::string Text(HWND window) {
  wchar_t text[1024] = L"";
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &length))
    GetWindowTextW(window, text, 1024);
  return Utf8(text);
}

// A visible top-level window of the program: with no title, its main window
// (one without an owner); with a title, a window of that title ("" for any)
// other than the main window and the dialog already found (a box that a
// dialog opens may share its title).
struct WindowQuery {
  const wchar_t* title;
  HWND found;
};

// Window-enumeration callbacks are __stdcall on 32-bit Windows: plain
// functions, since a lambda does not convert to WNDENUMPROC there.
BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* q = reinterpret_cast<WindowQuery*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  const bool wanted = !q->title ? GetWindow(window, GW_OWNER) == nullptr
                                : window != g_main && window != g_dialog &&
                                      (!*q->title || std::wcscmp(text, q->title) == 0);
  if (pid != g_process.dwProcessId || !IsWindowVisible(window) || !wanted) return TRUE;
  q->found = window;
  return FALSE;
}

HWND FindWindowOf(const wchar_t* title, long ms) {
  WindowQuery query{title, nullptr};
  const DWORD start = GetTickCount();
  for (;;) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    if (query.found || static_cast<long>(GetTickCount() - start) > ms) return query.found;
    Sleep(20);
  }
}

HWND Window(const std::string& name) {
  HWND window = name == "dialog" ? g_dialog : g_main;
  if (!window || !IsWindow(window)) Fail("no " + name + " window");
  return window;
}

// Messages sent to a thread are handled in the order they were sent, so once
// WM_NULL comes back, so has everything sent before it. The repaint that a
// command asked for has begun once no update region is left, and is finished
// when a second WM_NULL comes back.
void Sync(HWND window) {
  DWORD_PTR result = 0;
  for (int round = 0; round < 2; ++round) {
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result))
      Fail("the program's window thread does not answer");
    const DWORD start = GetTickCount();
    while (round == 0 && GetUpdateRect(window, nullptr, FALSE) && GetTickCount() - start < 5000)
      Sleep(2);
  }
}

void Start(const std::vector<std::string>& words, bool quoted) {
  const std::string exe = WindowsPath(words.at(1));
  std::string commandLine = "\"" + exe + "\"";
  for (size_t i = 2; quoted && i < words.size(); ++i)
    commandLine += " \"" + WindowsPath(words[i]) + "\"";
  if (!quoted) commandLine += " " + WindowsPath(Rest(words, 2));
  const std::string folder = exe.substr(0, exe.find_last_of('\\') + 1);
  std::wstring wideLine = Wide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  LARGE_INTEGER before, after, frequency;
  QueryPerformanceCounter(&before);
  if (!CreateProcessW(Wide(exe).c_str(), wideLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      Wide(folder).c_str(), &startup, &g_process))
    Fail("CreateProcess failed, error " + std::to_string(GetLastError()));
  if (WaitForInputIdle(g_process.hProcess, 30000) != 0) Fail("the program did not become idle");
  QueryPerformanceCounter(&after);
  QueryPerformanceFrequency(&frequency);
  g_main = FindWindowOf(nullptr, 10000);
  if (!g_main) Fail("the program shows no window");
  // The window manager may still move and size the new window (maximise it): what
  // follows sees the window once it has kept its place for 300 ms.
  RECT was{}, now{};
  GetWindowRect(g_main, &was);
  for (DWORD first = GetTickCount(), kept = first;
       GetTickCount() - kept < 300 && GetTickCount() - first < 5000; Sleep(20)) {
    GetWindowRect(g_main, &now);
    if (EqualRect(&was, &now)) continue;
    was = now;
    kept = GetTickCount();
  }
  std::printf("pid %lu\nhwnd %p\nidle-ms %.1f\n", g_process.dwProcessId, static_cast<void*>(g_main),
              1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                  static_cast<double>(frequency.QuadPart));
}

// Taken once two grabs 50 ms apart agree: the part of a window that a closed box
// uncovered is repainted only when the display reports it, which may come after
// the program has gone idle.
void Screenshot(HWND window, const std::string& path) {
  RECT client;
  GetClientRect(window, &client);
  BITMAPINFO info{};
  BITMAPINFOHEADER& header = info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = client.right;
  header.biHeight = client.bottom;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>((client.right * 3 + 3) / 4 * 4 * client.bottom);
  void* bits = nullptr;
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  std::string grab, previous;
  BOOL copied = FALSE;
  for (int round = 0; bits && round < 40 && (round < 2 || grab != previous); ++round) {
    Sync(g_main);
    Sleep(50);  // Wine copies a window to the display once its thread is idle
    copied = BitBlt(memory, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
    GdiFlush();
    previous.swap(grab);
    grab.assign(static_cast<const char*>(bits), header.biSizeImage);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(window, source);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  FILE* out = copied && bits ? _wfopen(Wide(WindowsPath(path)).c_str(), L"wb") : nullptr;
  const bool written = out && std::fwrite(&file, sizeof file, 1, out) == 1 &&
                       std::fwrite(&header, sizeof header, 1, out) == 1 &&
                       std::fwrite(bits, header.biSizeImage, 1, out) == 1;
  if (out) std::fclose(out);
  DeleteObject(bitmap);
  if (!written) Fail("cannot take the screenshot " + path);
}

BOOL CALLBACK CollectControl(HWND control, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(control);
  return TRUE;
}

std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> controls;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

// Wine lets no other process read a program's menu or hand it a drop: the hook
// DLL does that inside the program, which Wine makes load it while the driver
// hooks the main window's thread.
void Hook(const std::vector<std::string>& words) {
  using vexal_drive::Exchange;
  static HMODULE dll = LoadLibraryA("vexal_drive_hook.dll");
  static const auto procedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(dll ? GetProcAddress(dll, "VexalDriveCallWndProc") : nullptr));
  static HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             sizeof(Exchange), vexal_drive::kMappingName);
  static auto* exchange = static_cast<Exchange*>(
      mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr);
  if (!dll) Fail("no vexal_drive_hook.dll beside the driver");
  if (!procedure) Fail("vexal_drive_hook.dll exports no VexalDriveCallWndProc");
  if (!exchange) Fail("no memory shared with the hook");
  const std::string& what = words.at(1);
  const unsigned request = what == "menu-state"       ? vexal_drive::kMenuStates
                           : what == "drop"           ? vexal_drive::kDropFile
                           : what == "gdi-objects"    ? vexal_drive::kGdiObjects
                           : what == "current-folder" ? vexal_drive::kCurrentFolder
                           : what == "code-page"      ? vexal_drive::kCodePage
                           : what == "dpi-changed"    ? vexal_drive::kDpiChanged
                           : what == "min-track-size" ? vexal_drive::kMinTrackSize
                                                      : vexal_drive::Request{};
  if (request == 0) Fail("unknown request " + what);
  std::memset(exchange, 0, sizeof *exchange);
  const bool numbers = request == vexal_drive::kMenuStates || request == vexal_drive::kDpiChanged;
  for (size_t i = 2; numbers && i < words.size() && exchange->idCount < vexal_drive::kMaxIds; ++i)
    exchange->ids[exchange->idCount++] = static_cast<unsigned>(Number(words, i));
  if (request == vexal_drive::kDropFile)
    lstrcpynW(exchange->path, Wide(WindowsPath(words.at(2))).c_str(),
              static_cast<int>(std::size(exchange->path)));
  HWND window = Window("main");
  HHOOK hooked =
      SetWindowsHookExA(WH_CALLWNDPROC, procedure, dll, GetWindowThreadProcessId(window, nullptr));
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, RegisterWindowMessageA(vexal_drive::kRequestMessage), request, 0,
                      SMTO_NORMAL, 10000, &result);
  if (hooked) UnhookWindowsHookEx(hooked);
  if (!exchange->done) Fail("the hook did not answer");
  std::fputs(exchange->text, stdout);
}

void ClipboardFormats() {
  for (int attempt = 0; !OpenClipboard(nullptr); ++attempt)
    if (attempt == 50)
      Fail("the clipboard did not answer");
    else
      Sleep(20);
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    std::printf("format %u\n", format);
  HANDLE locale = GetClipboardData(CF_LOCALE);
  if (const auto* lcid = static_cast<const DWORD*>(locale ? GlobalLock(locale) : nullptr)) {
    std::printf("locale 0x%04lx\n", static_cast<unsigned long>(*lcid));
    GlobalUnlock(locale);
  }
  CloseClipboard();
}

struct HeldFile {
  HANDLE file;
  DWORD ms;
};

DWORD WINAPI CloseLater(void* param) {
  const auto* held = static_cast<HeldFile*>(param);
  Sleep(held->ms);
  CloseHandle(held->file);
  delete held;
  return 0;
}

void HoldFile(const std::vector<std::string>& words) {
  const std::string& share = words.at(3);
  const DWORD mode = (share.find('r') != std::string::npos ? FILE_SHARE_READ : 0) |
                     (share.find('w') != std::string::npos ? FILE_SHARE_WRITE : 0) |
                     (share.find('d') != std::string::npos ? FILE_SHARE_DELETE : 0);
  HANDLE file = CreateFileW(Wide(WindowsPath(words.at(1))).c_str(), GENERIC_READ | GENERIC_WRITE,
                            mode, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("cannot open, error " + std::to_string(GetLastError()));
  auto* held = new HeldFile{file, static_cast<DWORD>(Number(words, 2))};
  if (HANDLE thread = CreateThread(nullptr, 0, CloseLater, held, 0, nullptr)) CloseHandle(thread);
}

void Execute(const std::vector<std::string>& words) {
  const std::string& command = words[0];
  if (command == "start" || command == "start-unquoted") {
    Start(words, command == "start");
  } else if (command == "title") {
    std::printf("title %s\n", Text(Window("main")).c_str());
  } else if (command == "client-origin") {
    POINT origin{0, 0};
    ClientToScreen(Window("main"), &origin);
    std::printf("client-origin %ld %ld\n", origin.x, origin.y);
  } else if (command == "geometry" || command == "resize") {
    HWND window = Window("main");
    if (command == "resize") {
      SetWindowPos(window, nullptr, 0, 0, static_cast<int>(Number(words, 1)),
                   static_cast<int>(Number(words, 2)), SWP_NOMOVE | SWP_NOZORDER);
      Sync(window);
    }
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    std::printf("window %ld %ld %ld %ld\nclient %ld %ld\n", frame.left, frame.top, frame.right,
                frame.bottom, client.right, client.bottom);
  } else if (command == "menu") {
    SendNotifyMessageA(Window("main"), WM_COMMAND, MAKEWPARAM(Number(words, 1), 0), 0);
  } else if (command == "sync") {
    Sync(Window("main"));
  } else if (command == "wait-dialog") {
    g_dialog = FindWindowOf(Wide(Rest(words, 2)).c_str(), Number(words, 1));
    if (!g_dialog) Fail("no window \"" + Rest(words, 2) + "\"");
  } else if (command == "dialog-text") {
    for (HWND control : Controls(Window("dialog"))) {
      char name[64] = "";
      GetClassNameA(control, name, sizeof name);
      std::printf("control %d %s %s\n", GetDlgCtrlID(control), name, Text(control).c_str());
    }
  } else if (command == "set-text") {
    HWND control = GetDlgItem(Window("dialog"), static_cast<int>(Number(words, 1)));
    if (HWND edit = control ? FindWindowExA(control, nullptr, "Edit", nullptr) : nullptr)
      control = edit;
    if (!control) Fail("no control " + words[1]);
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(Rest(words, 2)).c_str()));
  } else if (command == "press") {
    const int id = static_cast<int>(Number(words, 1));
    HWND dialog = Window("dialog");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  } else if (command == "select") {
    HWND dialog = Window("dialog");
    const int id = static_cast<int>(Number(words, 1));
    HWND combo = GetDlgItem(dialog, id);
    if (!combo || SendMessageA(combo, CB_SETCURSEL, Number(words, 2), 0) == CB_ERR)
      Fail("no item " + words[2] + " in control " + words[1]);
    // Sent, not posted: the dialog has handled the choice when the command returns, so the
    // state read next is the one it leaves.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  } else if (command == "control") {
    HWND control = GetDlgItem(Window("dialog"), static_cast<int>(Number(words, 1)));
    if (!control) Fail("no control " + words[1]);
    char name[64] = "";
    GetClassNameA(control, name, sizeof name);
    std::printf("enabled %d\n", IsWindowEnabled(control) ? 1 : 0);
    if (lstrcmpiA(name, "Button") == 0)
      std::printf("checked %d\n", static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)));
    if (lstrcmpiA(name, "ComboBox") != 0) return;
    std::printf("selected %d\n", static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)));
    const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      // Wine hands another process an item's text whole only in UTF-16.
      wchar_t wide[512] = L"";
      if (SendMessageW(control, CB_GETLBTEXTLEN, i, 0) < 512)
        SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
      std::printf("item %s\n", Utf8(wide).c_str());
    }
  } else if (command == "wait-gone") {
    const DWORD start = GetTickCount();
    while (g_dialog && IsWindow(g_dialog))
      if (static_cast<long>(GetTickCount() - start) > Number(words, 1))
        Fail("still open");
      else
        Sleep(20);
  } else if (command == "screenshot") {
    Screenshot(Window(words.at(1)), words.at(2));
  } else if (command == "clipboard" && words.at(1) == "formats") {
    ClipboardFormats();
  } else if (command == "clipboard") {
    const bool hold = words.at(1) == "hold";
    if (hold ? !OpenClipboard(nullptr) : !CloseClipboard()) Fail("the clipboard did not answer");
  } else if (command == "hold-file") {
    HoldFile(words);
  } else if (command == "close") {
    PostMessageA(Window("main"), WM_SYSCOMMAND, SC_CLOSE, 0);
  } else if (command == "wait-exit") {
    DWORD code = 0;
    if (WaitForSingleObject(g_process.hProcess, static_cast<DWORD>(Number(words, 1))) != 0 ||
        !GetExitCodeProcess(g_process.hProcess, &code))
      Fail("the program is still running");
    std::printf("exit-code %lu\n", code);
  } else if (command == "hook") {
    Hook(words);
  } else if (command == "counters") {
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(g_process.hProcess, &memory, sizeof memory);
    std::printf("counters %lu %lu\n", static_cast<unsigned long>(memory.PagefileUsage / 1024),
                static_cast<unsigned long>(memory.WorkingSetSize / 1024));
  } else {
    Fail("unknown command");
  }
}

bool RunLine(const std::string& line) {
  const std::vector<std::string> words = Words(line);
  if (words.empty()) return true;
  std::string error;
  try {
    Execute(words);
  } catch (const Failure& failure) {
    error = failure.reason;
  } catch (const std::exception&) {
    error = "missing argument";
  }
  if (error.empty())
    std::printf("ok\n");
  else
    std::printf("error %s: %s\n", words[0].c_str(), error.c_str());
  std::fflush(stdout);
  return error.empty();
}

}  // namespace

int main() {
  // The arguments in UTF-16, as they were given, not as the code page holds them.
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool good = true;
  char line[4096];
  for (int i = 1; good && (argc > 1 ? i < argc : std::fgets(line, sizeof line, stdin) != nullptr);
       ++i)
    good = RunLine(argc > 1 ? Utf8(argv[i]) : line);
  // A program left running (a test that stopped early) would disturb the next one.
  if (g_process.hProcess && WaitForSingleObject(g_process.hProcess, 0) == WAIT_TIMEOUT)
    TerminateProcess(g_process.hProcess, 99);
  return good ? 0 : 1;
}

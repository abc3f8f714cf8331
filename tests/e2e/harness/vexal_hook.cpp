// vexal_hook: does inside a running program what Wine lets no other process do,
// through the hook DLL vexal_drive_hook.dll next to it, which Wine loads into
// the program when this hooks the window's thread.
//   vexal_hook.exe <hwnd> menu-state <id>...   "state <id> checked|unchecked|missing"
//   vexal_hook.exe <hwnd> drop <path>          drops the file on the window
//   vexal_hook.exe <hwnd> gdi-objects          the GDI objects the program made
//                                              and holds; the first call starts the count
// Exit code 0 when the hook answered.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vexal_drive_shared.h"

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  HWND window = reinterpret_cast<HWND>(std::strtoull(argv[1], nullptr, 16));
  const bool drop = std::strcmp(argv[2], "drop") == 0;
  const unsigned request = drop                                       ? vexal_drive::kDropFile
                           : std::strcmp(argv[2], "gdi-objects") == 0 ? vexal_drive::kGdiObjects
                                                                      : vexal_drive::kMenuStates;
  HMODULE hook = LoadLibraryA("vexal_drive_hook.dll");
  const auto procedure = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(hook ? GetProcAddress(hook, "VexalDriveCallWndProc") : nullptr));
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(vexal_drive::Exchange), vexal_drive::kMappingName);
  auto* exchange = static_cast<vexal_drive::Exchange*>(
      mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr);
  if (!procedure || !exchange) return 3;
  std::memset(exchange, 0, sizeof *exchange);
  for (int i = 3; !drop && i < argc && exchange->idCount < vexal_drive::kMaxIds; ++i)
    exchange->ids[exchange->idCount++] = static_cast<unsigned>(std::atoi(argv[i]));
  std::string path =
      drop && argc > 3 ? argv[3] : "";  // a Unix path is read through Wine's Z: drive
  for (char& c : path)
    if (c == '/') c = '\\';
  if (drop) lstrcpynA(exchange->path, (path[0] == '\\' ? "Z:" + path : path).c_str(), MAX_PATH);
  HHOOK hooked =
      SetWindowsHookExA(WH_CALLWNDPROC, procedure, hook, GetWindowThreadProcessId(window, nullptr));
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, RegisterWindowMessageA(vexal_drive::kRequestMessage), request, 0,
                      SMTO_NORMAL, 10000, &result);
  if (hooked) UnhookWindowsHookEx(hooked);
  std::fputs(exchange->text, stdout);
  return exchange->done ? 0 : 1;
}

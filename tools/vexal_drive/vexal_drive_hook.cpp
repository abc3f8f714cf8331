// Hook DLL of vexal_drive: Wine loads it into the driven program when the
// driver hooks the main window's thread (WH_CALLWNDPROC). On the driver's
// request message it does there what only the program's own process can:
// read the window's menu, drop a file on the window as a file manager would
// (WM_DROPFILES with a DROPFILES block in the program's memory), count the
// GDI objects the program holds (gdi_objects.cpp), tell its current folder,
// send it WM_DPICHANGED as a move to another monitor does, or ask it
// WM_GETMINMAXINFO (both carry pointers into the program's memory).
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "vexal_drive_hook.h"

// The GDI objects the program made and holds since the first request
// (gdi_objects.cpp; the lines are listed in vexal_drive.cpp).
void GdiObjects(vexal_drive::Exchange& exchange);

namespace {

void MenuStates(HWND window, vexal_drive::Exchange& exchange) {
  size_t used = 0;
  for (unsigned i = 0; i < exchange.idCount && used < sizeof exchange.text; ++i) {
    const UINT state = GetMenuState(GetMenu(window), exchange.ids[i], MF_BYCOMMAND);
    const int n = std::snprintf(exchange.text + used, sizeof exchange.text - used, "state %u %s\n",
                                exchange.ids[i],
                                state == static_cast<UINT>(-1) ? "missing"
                                : (state & MF_CHECKED)         ? "checked"
                                                               : "unchecked");
    used += n > 0 ? static_cast<size_t>(n) : 0;
  }
}

// In UTF-16, as Explorer drops names: any script reaches the program.
void DropFile(HWND window, vexal_drive::Exchange& exchange) {
  const size_t length = std::wcslen(exchange.path);
  // The file list follows the header: one name, then the closing empty name.
  HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                             sizeof(DROPFILES) + (length + 2) * sizeof(wchar_t));
  if (auto* files = static_cast<DROPFILES*>(drop ? GlobalLock(drop) : nullptr)) {
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, exchange.path, length * sizeof(wchar_t));
    GlobalUnlock(drop);
    PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    std::strcpy(exchange.text, "dropped\n");
  }
}

}  // namespace

// Exported by vexal_drive_hook.def.
extern "C" LRESULT CALLBACK VexalDriveCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT request = RegisterWindowMessageA(vexal_drive::kRequestMessage);
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  HANDLE mapping = code == HC_ACTION && message->message == request
                       ? OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, vexal_drive::kMappingName)
                       : nullptr;
  if (auto* exchange = static_cast<vexal_drive::Exchange*>(
          mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr)) {
    if (message->wParam == vexal_drive::kMenuStates) MenuStates(message->hwnd, *exchange);
    if (message->wParam == vexal_drive::kDropFile) DropFile(message->hwnd, *exchange);
    if (message->wParam == vexal_drive::kGdiObjects) GdiObjects(*exchange);
    if (message->wParam == vexal_drive::kCurrentFolder) {
      wchar_t folder[MAX_PATH] = L"";
      GetCurrentDirectoryW(MAX_PATH, folder);
      char utf8[4 * MAX_PATH] = "";
      WideCharToMultiByte(CP_UTF8, 0, folder, -1, utf8, sizeof utf8, nullptr, nullptr);
      std::snprintf(exchange->text, sizeof exchange->text, "folder %s\n", utf8);
    }
    if (message->wParam == vexal_drive::kCodePage)
      std::snprintf(exchange->text, sizeof exchange->text, "acp %u\n", GetACP());
    if (message->wParam == vexal_drive::kDpiChanged) {
      const unsigned* v = exchange->ids;
      RECT suggested = {static_cast<LONG>(v[1]), static_cast<LONG>(v[2]), static_cast<LONG>(v[3]),
                        static_cast<LONG>(v[4])};
      SendMessageW(message->hwnd, WM_DPICHANGED, MAKEWPARAM(v[0], v[0]),
                   reinterpret_cast<LPARAM>(&suggested));
      std::strcpy(exchange->text, "dpi-changed\n");
    }
    if (message->wParam == vexal_drive::kMinTrackSize) {
      MINMAXINFO info{};
      SendMessageW(message->hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
      std::snprintf(exchange->text, sizeof exchange->text, "min-track-size %ld %ld\n",
                    info.ptMinTrackSize.x, info.ptMinTrackSize.y);
    }
    InterlockedExchange(&exchange->done, 1);
    UnmapViewOfFile(exchange);
  }
  if (mapping) CloseHandle(mapping);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

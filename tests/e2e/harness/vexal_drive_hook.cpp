// Hook DLL of vexal_drive: Wine loads it into the driven program when the
// driver hooks the main window's thread.
//  - WH_CALLWNDPROC: on the driver's query message it reads the window's own
//    menu, which only its process may do under Wine, and writes the answer
//    into the shared mapping.
//  - WH_GETMESSAGE: notes each marker message that the program's message loop
//    takes out of its queue, so the driver knows what has been handled.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "vexal_drive_shared.h"

namespace {

struct Writer {
  char* text;
  size_t size;
  size_t used = 0;

  void Line(const char* format, ...) {
    if (used >= size) return;
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text + used, size - used, format, args);
    va_end(args);
    if (n > 0) used += static_cast<size_t>(n) < size - used ? static_cast<size_t>(n) : size - used;
  }
};

void DumpMenu(HMENU menu, int depth, Writer& out) {
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    item.dwTypeData = text;
    item.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    const char* kind = (item.fType & MFT_SEPARATOR)    ? "separator"
                       : (item.fType & MFT_RADIOCHECK) ? "radio"
                                                       : "text";
    out.Line("item\t%d\t%u\t%s\t%s\t%s\t%s\n", depth, item.wID, kind,
             (item.fState & MFS_CHECKED) ? "checked" : "unchecked",
             (item.fState & MFS_GRAYED) ? "grayed" : "enabled", text);
    if (item.hSubMenu) DumpMenu(item.hSubMenu, depth + 1, out);
  }
}

void Answer(HWND window) {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, vexal_drive::kMappingName);
  if (!mapping) return;
  auto* report = static_cast<vexal_drive::MenuReport*>(
      MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(vexal_drive::MenuReport)));
  if (report) {
    Writer out{report->text, sizeof report->text - 1};
    HMENU menu = GetMenu(window);
    if (!menu) {
      out.Line("error no menu\n");
    } else if (report->idCount == 0) {
      DumpMenu(menu, 0, out);
    } else {
      for (unsigned i = 0; i < report->idCount && i < vexal_drive::kMaxIds; ++i) {
        UINT state = GetMenuState(menu, report->ids[i], MF_BYCOMMAND);
        out.Line("state %u %s\n", report->ids[i],
                 state == static_cast<UINT>(-1) ? "missing"
                 : (state & MF_CHECKED)         ? "checked"
                                                : "unchecked");
      }
    }
    InterlockedExchange(&report->done, 1);
    UnmapViewOfFile(report);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VexalDriveCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT query = RegisterWindowMessageA(vexal_drive::kQueryMessage);
  if (code == HC_ACTION) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == query) Answer(message->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK
    VexalDriveGetMsgProc(int code, WPARAM removal, LPARAM lParam) {
  static const UINT marker = RegisterWindowMessageA(vexal_drive::kMarkerMessage);
  const auto* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && removal == PM_REMOVE && message->message == marker) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, vexal_drive::kMarkerMappingName);
    if (mapping) {
      auto* seen = static_cast<volatile long*>(
          MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(long)));
      if (seen) {
        InterlockedExchange(seen, static_cast<long>(message->wParam));
        UnmapViewOfFile(const_cast<long*>(seen));
      }
      CloseHandle(mapping);
    }
  }
  return CallNextHookEx(nullptr, code, removal, lParam);
}

// Counts inside the driven program the GDI objects it makes and frees: the
// first request points the program's import table entries of the calls that
// make and delete them at stand-ins here. An object counts while it lives, so
// one the program did not make is not counted when it goes; one handed to the
// clipboard leaves the count, as it leaves the program's care.
#include "vexal_drive_hook.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

namespace {

std::mutex guard;
std::set<const void*> alive;
unsigned long made = 0;
BOOL(WINAPI* printDialog)(PRINTDLGA*) = nullptr;

template <typename Handle>
Handle Made(Handle handle) {
  std::lock_guard lock(guard);
  made += handle != nullptr && alive.insert(handle).second;
  return handle;
}

template <typename Result>
Result Gone(const void* handle, Result result) {
  std::lock_guard lock(guard);
  if (result) alive.erase(handle);
  return result;
}

// Each calls the real function of its name, which this DLL imports itself.
struct Own {
  static HPEN WINAPI CreatePen(int s, int w, COLORREF c) { return Made(::CreatePen(s, w, c)); }
  static HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* b) {
    return Made(::CreateBrushIndirect(b));
  }
  static HFONT WINAPI CreateFontA(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s,
                                  DWORD cs, DWORD p, DWORD cl, DWORD q, DWORD f, LPCSTR n) {
    return Made(::CreateFontA(h, w, e, o, wt, i, u, s, cs, p, cl, q, f, n));
  }
  static HDC WINAPI CreateCompatibleDC(HDC dc) { return Made(::CreateCompatibleDC(dc)); }
  static HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* i, UINT u, void** b, HANDLE s,
                                         DWORD o) {
    return Made(::CreateDIBSection(dc, i, u, b, s, o));
  }
  static HDC WINAPI CreateEnhMetaFileA(HDC dc, LPCSTR file, const RECT* r, LPCSTR about) {
    return Made(::CreateEnhMetaFileA(dc, file, r, about));
  }
  // The context goes, the metafile comes.
  static HENHMETAFILE WINAPI CloseEnhMetaFile(HDC dc) {
    return Made(Gone(dc, ::CloseEnhMetaFile(dc)));
  }
  static BOOL WINAPI DeleteObject(HGDIOBJ o) { return Gone(o, ::DeleteObject(o)); }
  static BOOL WINAPI DeleteDC(HDC dc) { return Gone(dc, ::DeleteDC(dc)); }
  static BOOL WINAPI DeleteEnhMetaFile(HENHMETAFILE m) { return Gone(m, ::DeleteEnhMetaFile(m)); }
  static HANDLE WINAPI SetClipboardData(UINT f, HANDLE h) {
    return Gone(h, ::SetClipboardData(f, h));
  }
  // The print dialog's printer context is the program's to delete; the
  // program looks the dialog up at its first print.
  static BOOL WINAPI PrintDlgA(PRINTDLGA* dialog) {
    const BOOL chosen = printDialog(dialog);
    if (chosen) Made(dialog->hDC);
    return chosen;
  }
  static FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
    const FARPROC found = ::GetProcAddress(module, name);
    if (IS_INTRESOURCE(name) || std::strcmp(name, "PrintDlgA") != 0) return found;
    printDialog = reinterpret_cast<decltype(printDialog)>(reinterpret_cast<void*>(found));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(PrintDlgA));
  }
};

template <typename Function>
std::pair<const char*, const void*> StandIn(const char* name, Function* function) {
  return {name, reinterpret_cast<const void*>(function)};
}
#define STAND_IN(call) StandIn(#call, Own::call)
const std::pair<const char*, const void*> kStandIns[] = {
    STAND_IN(CreatePen),          STAND_IN(CreateBrushIndirect), STAND_IN(CreateFontA),
    STAND_IN(CreateCompatibleDC), STAND_IN(CreateDIBSection),    STAND_IN(CreateEnhMetaFileA),
    STAND_IN(CloseEnhMetaFile),   STAND_IN(DeleteObject),        STAND_IN(DeleteDC),
    STAND_IN(DeleteEnhMetaFile),  STAND_IN(SetClipboardData),    STAND_IN(GetProcAddress)};

// Points the program's imports at the stand-ins. Returns the calls that it
// imports from gdi32 to make objects and that have none: they would go uncounted.
std::string PatchImports() {
  std::string uncounted;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
      base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
  for (; dll->Name != 0; ++dll) {
    const bool gdi = lstrcmpiA(reinterpret_cast<char*>(base + dll->Name), "gdi32.dll") == 0;
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const char* call =
          reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name;
      const void* standIn = nullptr;
      for (const auto& [called, own] : kStandIns)
        standIn = std::strcmp(called, call) ? standIn : own;
      DWORD was = 0;
      if (standIn && VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) {
        slot->u1.Function = reinterpret_cast<ULONG_PTR>(standIn);
        VirtualProtect(slot, sizeof *slot, was, &was);
      } else if (gdi && (std::strstr(call, "Create") || std::strncmp(call, "Copy", 4) == 0)) {
        uncounted += std::string(" ") + call;
      }
    }
  }
  return uncounted;
}

}  // namespace

void GdiObjects(vexal_drive::Exchange& exchange) {
  // Once patched, the program calls into this DLL: it stays loaded when the hook goes.
  static const std::string uncounted = [] {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&GdiObjects), &self);
    return PatchImports();
  }();
  std::lock_guard lock(guard);
  std::snprintf(exchange.text, sizeof exchange.text, "alive %zu\nmade %lu\nuncounted%s\n",
                alive.size(), made, uncounted.c_str());
}

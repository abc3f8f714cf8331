// Counts inside the driven program the GDI objects it makes and frees: the
// first request points the program's import table entries of the calls that
// make, select and delete them at stand-ins here (call_patches.cpp), and the
// entry of comdlg32's PrintDlgW at its own. An object counts while it lives, so
// one the program did not make is not counted when it goes; one handed to the
// clipboard leaves the count, as it leaves the program's care.
#include "call_patches.h"
#include "vexal_drive_hook.h"

#include <commdlg.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>

namespace {

std::mutex guard;
std::set<const void*> alive;
unsigned long made = 0;
// What each context of the program holds: pen, brush, font, bitmap.
std::map<HDC, std::array<HGDIOBJ, 4>> selected;
unsigned long deletedWhileSelected = 0;
unsigned long printers = 0;  // contexts the print dialog handed over
vexal_drive::EntryPatch printDialog;

template <typename Handle>
Handle Made(Handle handle) {
  std::lock_guard lock(guard);
  made += handle != nullptr && alive.insert(handle).second;
  return handle;
}

// The object goes, and with a context what it held.
template <typename Result>
Result Gone(const void* handle, Result result) {
  std::lock_guard lock(guard);
  if (result) {
    alive.erase(handle);
    selected.erase(static_cast<HDC>(const_cast<void*>(handle)));
  }
  return result;
}

int Kind(HGDIOBJ object) {
  switch (GetObjectType(object)) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      return 0;
    case OBJ_BRUSH:
      return 1;
    case OBJ_FONT:
      return 2;
    case OBJ_BITMAP:
      return 3;
    default:
      return -1;  // a region, of which the context takes a copy
  }
}

// Windows does not free an object that is still selected into a context: the
// deletion fails, the object stays and leaks. Wine frees it, so such a
// deletion is counted and refused here as Windows does.
bool RefusedWhileSelected(HGDIOBJ object) {
  std::lock_guard lock(guard);
  if (object == nullptr) return false;
  for (const auto& [dc, held] : selected) {
    if (std::find(held.begin(), held.end(), object) == held.end()) continue;
    ++deletedWhileSelected;
    return true;
  }
  return false;
}

// A common context goes back to the cache with its defaults; a window's own or
// its class's context keeps what was selected into it.
template <typename Result>
Result Released(HWND window, HDC dc, Result result) {
  if (result && (GetClassLongPtrA(window, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) == 0)
    return Gone(dc, result);
  std::lock_guard lock(guard);
  if (result) alive.erase(dc);
  return result;
}

// Each calls the real function of its name, which this DLL imports itself.
struct Own {
  static HPEN WINAPI CreatePen(int s, int w, COLORREF c) { return Made(::CreatePen(s, w, c)); }
  static HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* b) {
    return Made(::CreateBrushIndirect(b));
  }
  static HFONT WINAPI CreateFontW(int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s,
                                  DWORD cs, DWORD p, DWORD cl, DWORD q, DWORD f, LPCWSTR n) {
    return Made(::CreateFontW(h, w, e, o, wt, i, u, s, cs, p, cl, q, f, n));
  }
  static HFONT WINAPI CreateFontIndirectW(const LOGFONTW* f) {
    return Made(::CreateFontIndirectW(f));
  }
  static HDC WINAPI CreateCompatibleDC(HDC dc) { return Made(::CreateCompatibleDC(dc)); }
  static HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int w, int h) {
    return Made(::CreateCompatibleBitmap(dc, w, h));
  }
  static HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* i, UINT u, void** b, HANDLE s,
                                         DWORD o) {
    return Made(::CreateDIBSection(dc, i, u, b, s, o));
  }
  static HDC WINAPI CreateEnhMetaFileW(HDC dc, LPCWSTR file, const RECT* r, LPCWSTR about) {
    return Made(::CreateEnhMetaFileW(dc, file, r, about));
  }
  // The context goes, the metafile comes.
  static HENHMETAFILE WINAPI CloseEnhMetaFile(HDC dc) {
    return Made(Gone(dc, ::CloseEnhMetaFile(dc)));
  }
  static HENHMETAFILE WINAPI GetEnhMetaFileW(LPCWSTR file) { return Made(::GetEnhMetaFileW(file)); }
  static HENHMETAFILE WINAPI SetEnhMetaFileBits(UINT n, const BYTE* bits) {
    return Made(::SetEnhMetaFileBits(n, bits));
  }
  static HENHMETAFILE WINAPI SetWinMetaFileBits(UINT n, const BYTE* bits, HDC dc,
                                                const METAFILEPICT* picture) {
    return Made(::SetWinMetaFileBits(n, bits, dc, picture));
  }
  static HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
    const HGDIOBJ previous = ::SelectObject(dc, object);
    const int kind = Kind(object);
    std::lock_guard lock(guard);
    if (previous != nullptr && previous != HGDI_ERROR && kind >= 0) selected[dc][kind] = object;
    return previous;
  }
  static BOOL WINAPI DeleteObject(HGDIOBJ o) {
    return !RefusedWhileSelected(o) && Gone(o, ::DeleteObject(o));
  }
  static BOOL WINAPI DeleteDC(HDC dc) { return Gone(dc, ::DeleteDC(dc)); }
  static BOOL WINAPI DeleteEnhMetaFile(HENHMETAFILE m) { return Gone(m, ::DeleteEnhMetaFile(m)); }
  static HDC WINAPI GetDC(HWND window) { return Made(::GetDC(window)); }
  static HDC WINAPI GetWindowDC(HWND window) { return Made(::GetWindowDC(window)); }
  static int WINAPI ReleaseDC(HWND window, HDC dc) {
    return Released(window, dc, ::ReleaseDC(window, dc));
  }
  static HDC WINAPI BeginPaint(HWND window, PAINTSTRUCT* paint) {
    return Made(::BeginPaint(window, paint));
  }
  static BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
    return Released(window, paint->hdc, ::EndPaint(window, paint));
  }
  static HANDLE WINAPI SetClipboardData(UINT f, HANDLE h) {
    return Gone(h, ::SetClipboardData(f, h));
  }
  // The printer context the dialog returns is the program's to delete. The
  // entry jumps here; the real one is put back for the call (the program prints
  // only from its window thread).
  static BOOL WINAPI PrintDlgW(PRINTDLGW* dialog) {
    const BOOL chosen = printDialog.CallThrough<BOOL(WINAPI*)(PRINTDLGW*)>(dialog);
    if (chosen && dialog->hDC != nullptr) {
      Made(dialog->hDC);
      std::lock_guard lock(guard);
      ++printers;
    }
    return chosen;
  }
};

#define STAND_IN(call) vexal_drive::StandIn(#call, Own::call)
const vexal_drive::StandIn kStandIns[] = {
    STAND_IN(CreatePen),
    STAND_IN(CreateBrushIndirect),
    STAND_IN(CreateFontW),
    STAND_IN(CreateFontIndirectW),
    STAND_IN(CreateCompatibleDC),
    STAND_IN(CreateCompatibleBitmap),
    STAND_IN(CreateDIBSection),
    STAND_IN(CreateEnhMetaFileW),
    STAND_IN(CloseEnhMetaFile),
    STAND_IN(GetEnhMetaFileW),
    STAND_IN(SetEnhMetaFileBits),
    STAND_IN(SetWinMetaFileBits),
    STAND_IN(SelectObject),
    STAND_IN(DeleteObject),
    STAND_IN(DeleteDC),
    STAND_IN(DeleteEnhMetaFile),
    STAND_IN(GetDC),
    STAND_IN(GetWindowDC),
    STAND_IN(ReleaseDC),
    STAND_IN(BeginPaint),
    STAND_IN(EndPaint),
    STAND_IN(SetClipboardData),
};

}  // namespace

void GdiObjects(vexal_drive::Exchange& exchange) {
  // Once patched, the program calls into this DLL: it stays loaded when the hook
  // goes. comdlg32 is loaded (and kept) now, so that the print dialog's entry is
  // caught however and whenever the program finds it.
  static const std::string uncounted = [] {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCSTR>(&GdiObjects), &self);
    HMODULE dialogs = LoadLibraryA("comdlg32.dll");
    const bool caught =
        printDialog.Patch(dialogs ? GetProcAddress(dialogs, "PrintDlgW") : nullptr, Own::PrintDlgW);
    return vexal_drive::PatchImports(kStandIns) + (caught ? "" : " PrintDlgW");
  }();
  std::lock_guard lock(guard);
  std::snprintf(exchange.text, sizeof exchange.text,
                "alive %zu\nmade %lu\ndeleted-while-selected %lu\nprinters %lu\nuncounted%s\n",
                alive.size(), made, deletedWhileSelected, printers, uncounted.c_str());
}

#include "output/common_dialogs.h"

namespace vexal {
namespace {

// Looked up once, on the window thread, which is the only caller.
void* CommonDialogFunction(const char* name) {
  static const HMODULE module = LoadLibraryW(L"comdlg32.dll");
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

}  // namespace

BOOL ShowSaveDialog(OPENFILENAMEW* dialog) {
  using SaveDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto show = reinterpret_cast<SaveDialog>(CommonDialogFunction("GetSaveFileNameW"));
  return show != nullptr ? show(dialog) : FALSE;
}

BOOL ShowOpenDialog(OPENFILENAMEW* dialog) {
  using OpenDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const auto show = reinterpret_cast<OpenDialog>(CommonDialogFunction("GetOpenFileNameW"));
  return show != nullptr ? show(dialog) : FALSE;
}

BOOL ShowPrintDialog(PRINTDLGW* dialog) {
  using PrintDialog = BOOL(WINAPI*)(PRINTDLGW*);
  static const auto show = reinterpret_cast<PrintDialog>(CommonDialogFunction("PrintDlgW"));
  return show != nullptr ? show(dialog) : FALSE;
}

}  // namespace vexal

#include "output/common_dialogs.h"

namespace vexal {
namespace {

// Looked up once, on the window thread, which is the only caller.
void* CommonDialogFunction(const char* name) {
  static const HMODULE module = LoadLibraryA("comdlg32.dll");
  if (module == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(module, name));
}

}  // namespace

BOOL ShowSaveDialog(OPENFILENAMEA* dialog) {
  using SaveDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
  static const auto show = reinterpret_cast<SaveDialog>(CommonDialogFunction("GetSaveFileNameA"));
  return show != nullptr ? show(dialog) : FALSE;
}

BOOL ShowPrintDialog(PRINTDLGA* dialog) {
  using PrintDialog = BOOL(WINAPI*)(PRINTDLGA*);
  static const auto show = reinterpret_cast<PrintDialog>(CommonDialogFunction("PrintDlgA"));
  return show != nullptr ? show(dialog) : FALSE;
}

}  // namespace vexal

#include "app/view_menu.h"

#include <string>

#include "app/view_commands.h"
#include "app/window_state.h"
#include "display/message_boxes.h"
#include "display/wide_text.h"
#include "output/common_dialogs.h"
#include "output/saved_export_file.h"
#include "resource.h"

namespace vexal {
namespace {

// The marks of every item, as the state says.
void ShowViewMarks(HMENU menu) {
  for (ViewGroup group : {ViewGroup::kView, ViewGroup::kWindow, ViewGroup::kSpan}) {
    const ViewGroupMarks marks = ViewMarks(TheView(), group);
    CheckMenuRadioItem(menu, static_cast<UINT>(marks.first), static_cast<UINT>(marks.last),
                       static_cast<UINT>(marks.checked), MF_BYCOMMAND);
  }
  for (int id : {IDM_MATH_SUM, IDM_MATH_DIFFERENCE}) {
    const bool checked = MathChecked(TheView(), *FindViewCommand(id));
    CheckMenuItem(menu, static_cast<UINT>(id),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

// "Referenz laden...": a saved text export through the open dialog, read as a dropped
// file is; a file that cannot be shown gets the same box and changes nothing.
void LoadReference(HWND window) {
  std::wstring path(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = kTextFileFilter;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!ShowOpenDialog(&dialog)) return;
  path.resize(path.find(L'\0'));
  SavedExport saved;
  if (const char* error = ReadSavedExport(path.c_str(), saved)) {
    ShowErrorBox(window, error);
    return;
  }
  WaveformSnapshot traces;
  ApplySavedExport(saved, traces);
  TheReference() = LoadedReference(traces, ToWindows1252(path));
}

void TakeReference() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  TheReference() =
      CopiedReference(TheWaveformStore().Snapshot(), TheScaleLabels(),
                      TheDisplaySettings().timebase, {now.wHour, now.wMinute, now.wSecond});
}

}  // namespace

void PrepareViewMenu(HMENU popup) {
  if (GetMenuState(popup, IDM_VIEW_TIME, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
  const ViewData data = CurrentViewData();
  for (int id = IDM_VIEW_TIME; id <= IDM_SPAN_5; ++id) {
    if (const ViewCommand* command = FindViewCommand(id)) {
      const bool enabled = ViewCommandEnabled(*command, TheView(), data);
      EnableMenuItem(popup, static_cast<UINT>(id),
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
  }
}

void HandleViewCommand(HWND window, WPARAM wParam) {
  const ViewCommand* command = FindViewCommand(LOWORD(wParam));
  if (command == nullptr) return;
  const ViewData data = CurrentViewData();
  if (command->group == ViewGroup::kReference) {
    if (!ViewCommandEnabled(*command, TheView(), data)) return;
    if (command->choice == kLoadReference) LoadReference(window);
    if (command->choice == kTakeReference) TakeReference();
    if (command->choice == kRemoveReference) TheReference().reset();
  } else if (!ApplyViewCommand(TheView(), *command, data)) {
    return;
  }
  ShowViewMarks(GetMenu(window));
  InvalidateRect(window, nullptr, FALSE);
}

void ReturnToPossibleView(HWND window) {
  if (KeepViewPossible(TheView(), CurrentViewData())) ShowViewMarks(GetMenu(window));
}

}  // namespace vexal

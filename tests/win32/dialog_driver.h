// Drives the modal dialogs that a command opens on the test's own thread, as a
// user would: a second thread waits for each dialog of this process, reads it,
// fills in a file name and presses a button. The command runs unchanged on the
// calling thread, with the system's real save, print and message-box dialogs.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vexal::test {

inline constexpr int kPrinterCombo = 1139;   // cmb4 of the print dialog: the printer
inline constexpr int kFileNameEdit = 1152;   // edt1 of the save dialog
inline constexpr int kFileNameCombo = 1148;  // cmb13, the newer save dialog's name box
inline constexpr int kMessageText = 0xFFFF;  // the text of a message box
inline constexpr DWORD kStuckMs = 20000;

enum class DialogKind { kSave, kPrint, kMessage, kOther };

struct SeenDialog {
  DialogKind kind = DialogKind::kOther;
  std::string caption;
  std::string text;  // save dialog: the proposed name; message box: its text
};

// One expected dialog and the user's answer to it.
struct DialogStep {
  DialogKind kind;
  int button = IDOK;          // pressed after filling in
  std::string fileName = {};  // typed into a save dialog, when not empty
  std::string printer = {};   // chosen in a print dialog, when not empty
};

inline std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

inline HWND FileNameControl(HWND dialog) {
  if (HWND edit = GetDlgItem(dialog, kFileNameEdit)) return edit;
  HWND combo = GetDlgItem(dialog, kFileNameCombo);
  HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
  return edit ? edit : combo;
}

inline DialogKind KindOf(HWND dialog) {
  if (GetDlgItem(dialog, kPrinterCombo) != nullptr) return DialogKind::kPrint;
  if (FileNameControl(dialog) != nullptr) return DialogKind::kSave;
  if (GetDlgItem(dialog, kMessageText) != nullptr) return DialogKind::kMessage;
  return DialogKind::kOther;
}

// A visible, enabled dialog of this process that is not in `handled`, or null.
inline HWND NewDialog(const std::set<HWND>& handled) {
  std::pair<const std::set<HWND>*, HWND> state{&handled, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<decltype(state)*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        char cls[32] = "";
        GetClassNameA(window, cls, sizeof cls);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
            lstrcmpA(cls, "#32770") != 0 || s->first->count(window) != 0) {
          return TRUE;
        }
        s->second = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&state));
  return state.second;
}

// Picks `name` in the print dialog's printer list as a user would, so that the
// dialog reads that printer's settings and hands back its device context.
inline bool ChoosePrinter(HWND dialog, const std::string& name) {
  HWND combo = GetDlgItem(dialog, kPrinterCombo);
  const LRESULT index =
      SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
  if (index == CB_ERR) return false;
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kPrinterCombo, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
  return true;
}

inline void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline void CancelDialog(HWND dialog) {
  PressButton(dialog, IDCANCEL);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// Runs `command` on this thread while a driver thread answers its dialogs with
// `steps`, in order. Returns what was seen. A dialog beyond the steps, or one of
// the wrong kind, is cancelled and reported in *failure, so a test never hangs.
inline std::vector<SeenDialog> RunWithDialogs(const std::function<void()>& command,
                                              const std::vector<DialogStep>& steps,
                                              std::string* failure) {
  std::vector<SeenDialog> seen;
  std::atomic<bool> done{false};
  std::thread driver([&] {
    std::set<HWND> handled;
    std::size_t next = 0;
    DWORD lastActivity = GetTickCount();
    while (!done) {
      HWND dialog = NewDialog(handled);
      if (dialog == nullptr) {
        if (GetTickCount() - lastActivity > kStuckMs) {
          // The command waits in a dialog the steps did not foresee: close
          // every dialog of this process so that it can return.
          *failure += "timed out waiting for the command; its dialogs were cancelled\n";
          std::set<HWND> cancelled;
          while (HWND open = NewDialog(cancelled)) {
            CancelDialog(open);
            cancelled.insert(open);
          }
          lastActivity = GetTickCount();
        }
        Sleep(20);
        continue;
      }
      lastActivity = GetTickCount();
      Sleep(150);  // let the dialog finish its WM_INITDIALOG work (file list, printers)
      SeenDialog view{KindOf(dialog), WindowText(dialog), {}};
      if (view.kind == DialogKind::kSave) view.text = WindowText(FileNameControl(dialog));
      if (view.kind == DialogKind::kMessage)
        view.text = WindowText(GetDlgItem(dialog, kMessageText));
      seen.push_back(view);
      handled.insert(dialog);
      if (next >= steps.size() || steps[next].kind != view.kind) {
        *failure += "unexpected dialog \"" + view.caption + "\": " + view.text + "\n";
        CancelDialog(dialog);
        continue;
      }
      const DialogStep& step = steps[next++];
      if (!step.fileName.empty()) SetWindowTextA(FileNameControl(dialog), step.fileName.c_str());
      if (!step.printer.empty() && !ChoosePrinter(dialog, step.printer)) {
        *failure += "printer \"" + step.printer + "\" is not in the print dialog\n";
        PressButton(dialog, IDCANCEL);
        continue;
      }
      PressButton(dialog, step.button);
    }
    if (next != steps.size()) *failure += "a dialog that was expected did not appear\n";
  });
  command();
  done = true;
  driver.join();
  return seen;
}

}  // namespace vexal::test

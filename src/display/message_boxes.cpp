#include "display/message_boxes.h"

#include "display/wide_text.h"

namespace vexal {

namespace {

void ShowBox(HWND owner, const char* text, UINT icon) {
  MessageBoxW(owner, FromWindows1252(text).c_str(), L"Vexal", MB_OK | icon);
}

}  // namespace

void ShowErrorBox(HWND owner, const char* text) {
  ShowBox(owner, text, MB_ICONERROR);
}

void ShowInformationBox(HWND owner, const char* text) {
  ShowBox(owner, text, MB_ICONINFORMATION);
}

}  // namespace vexal

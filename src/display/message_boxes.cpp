#include "display/message_boxes.h"

namespace vexal {

namespace {

constexpr char kCaption[] = "Vexal";

}  // namespace

void ShowErrorBox(HWND owner, const char* text) {
  MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONERROR);
}

void ShowInformationBox(HWND owner, const char* text) {
  MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace vexal

#include "output/clipboard.h"

#include <array>
#include <cstring>

#include "display/message_boxes.h"
#include "output/export_picture.h"
#include "output/global_block.h"

namespace vexal {
namespace {

constexpr char kCopyFailed[] = "Fehler beim Kopieren in die Zwischenablage !";
constexpr UINT kTextCodePage = 1252;  // the program's texts
constexpr int kOpenAttempts = 10;     // another program holds the clipboard only briefly
constexpr DWORD kOpenPauseMs = 20;

// The data of one format; ours until the clipboard takes it.
struct ClipboardData {
  UINT format;
  HANDLE handle;
};
template <std::size_t N>
using ClipboardFormats = std::array<ClipboardData, N>;

void Release(const ClipboardData& data) {
  if (data.handle == nullptr) return;
  if (data.format == CF_ENHMETAFILE) {
    DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data.handle));
  } else {
    GlobalFree(data.handle);
  }
}

bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 1; attempt < kOpenAttempts; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(kOpenPauseMs);
  }
  return OpenClipboard(owner) != 0;
}

// Hands every format to the clipboard, or reports that it could not.
template <std::size_t N>
void Publish(HWND owner, ClipboardFormats<N> formats) {
  bool complete = true;
  for (const ClipboardData& data : formats) complete = complete && data.handle != nullptr;
  if (complete && OpenClipboardSoon(owner)) {
    EmptyClipboard();
    for (ClipboardData& data : formats) {
      // From here on the handle is the clipboard's.
      if (SetClipboardData(data.format, data.handle) != nullptr) data.handle = nullptr;
      complete = complete && data.handle == nullptr;
    }
    CloseClipboard();
  } else {
    complete = false;
  }
  for (const ClipboardData& data : formats) Release(data);
  if (!complete) ShowErrorBox(owner, kCopyFailed);
}

}  // namespace

void CopyPictureToClipboard(HWND owner, const Picture& picture) {
  Publish<2>(owner, {{{CF_ENHMETAFILE, RecordPictureMetafile(owner, nullptr, picture)},
                      {CF_DIB, PictureDib(owner, picture)}}});
}

void CopyTextToClipboard(HWND owner, const std::string& text) {
  // Both with their terminating zero.
  const int length = static_cast<int>(text.size()) + 1;
  const int wideLength = MultiByteToWideChar(kTextCodePage, 0, text.c_str(), length, nullptr, 0);
  HGLOBAL wide =
      wideLength <= 0 ? nullptr : GlobalBlock(wideLength * sizeof(WCHAR), [&](void* target) {
        MultiByteToWideChar(kTextCodePage, 0, text.c_str(), length, static_cast<WCHAR*>(target),
                            wideLength);
      });
  HGLOBAL ansi =
      GlobalBlock(length, [&](void* target) { std::memcpy(target, text.c_str(), length); });
  // A program that reads CF_TEXT decodes it by the code page of CF_LOCALE, or
  // without one by that of its keyboard layout, where 0xB5 (the micro sign)
  // may be another character: CF_LOCALE says German, Windows-1252. CF_TEXT is
  // given rather than left to Windows to make from CF_UNICODETEXT, so that it
  // is the same bytes on every system.
  const LCID german = MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT);  // 0x0407
  HGLOBAL locale = GlobalBlock(sizeof german,
                               [&](void* target) { std::memcpy(target, &german, sizeof german); });
  Publish<3>(owner, {{{CF_UNICODETEXT, wide}, {CF_TEXT, ansi}, {CF_LOCALE, locale}}});
}

}  // namespace vexal

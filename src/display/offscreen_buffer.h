// The bitmap the main window paints into while the cursors are shown, kept from
// one paint to the next: making an 8 MB bitmap for every paint of a large window
// would cost a moving cursor a millisecond or more each time.
#pragma once

#include <windows.h>

namespace vexal {

class OffscreenBuffer {
 public:
  OffscreenBuffer() = default;
  ~OffscreenBuffer() { Release(); }
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

  // A memory context holding a bitmap of width x height that fits `dc`, made
  // anew only when the size changes; nullptr when GDI has no memory for it.
  HDC Get(HDC dc, int width, int height);
  // Deselects and deletes the bitmap and the context.
  void Release();

 private:
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ entryBitmap_ = nullptr;  // the context's own, selected back before deletion
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vexal

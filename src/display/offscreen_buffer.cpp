#include "display/offscreen_buffer.h"

namespace vexal {

HDC OffscreenBuffer::Get(HDC dc, int width, int height) {
  if (memory_ != nullptr && width == width_ && height == height_) return memory_;
  Release();
  memory_ = CreateCompatibleDC(dc);
  bitmap_ = memory_ != nullptr ? CreateCompatibleBitmap(dc, width, height) : nullptr;
  if (bitmap_ == nullptr) {
    Release();
    return nullptr;
  }
  entryBitmap_ = SelectObject(memory_, bitmap_);
  width_ = width;
  height_ = height;
  return memory_;
}

void OffscreenBuffer::Release() {
  if (memory_ != nullptr && entryBitmap_ != nullptr) SelectObject(memory_, entryBitmap_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (memory_ != nullptr) DeleteDC(memory_);
  memory_ = nullptr;
  bitmap_ = nullptr;
  entryBitmap_ = nullptr;
  width_ = height_ = 0;
}

}  // namespace vexal

// Movable global memory, as the clipboard takes it.
#pragma once

#include <windows.h>

#include <cstddef>

namespace vexal {

// A block of `bytes` that `fill` writes through the address it gets; nullptr
// (and nothing left over) when memory runs out. The caller owns the block.
template <typename Fill>
HGLOBAL GlobalBlock(std::size_t bytes, Fill fill) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  void* target = block != nullptr ? GlobalLock(block) : nullptr;
  if (target == nullptr) {
    if (block != nullptr) GlobalFree(block);
    return nullptr;
  }
  fill(target);
  GlobalUnlock(block);
  return block;
}

}  // namespace vexal

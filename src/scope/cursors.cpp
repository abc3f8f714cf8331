#include "scope/cursors.h"

#include <algorithm>
#include <cstdlib>

#include "scope/waveform_store.h"

namespace vexal {
namespace {

constexpr int kLastSample = kSamplesPerChannel - 1;

}  // namespace

int ClampedSample(long long sample) {
  return static_cast<int>(std::clamp<long long>(sample, 0, kLastSample));
}

void ToggleCursors(Cursors& cursors) {
  cursors.shown = !cursors.shown;
  cursors.active = kCursorA;
}

CursorDrag PressCursor(Cursors& cursors, int pointerSample, int grabbed) {
  if (grabbed == kCursorA || grabbed == kCursorB) {
    cursors.active = grabbed;
  } else {
    const int toA = std::abs(pointerSample - cursors.sample[kCursorA]);
    const int toB = std::abs(pointerSample - cursors.sample[kCursorB]);
    if (toA != toB) cursors.active = toB < toA ? kCursorB : kCursorA;
    cursors.sample[cursors.active] = ClampedSample(pointerSample);
  }
  return {cursors.sample[cursors.active], pointerSample};
}

void DragCursor(Cursors& cursors, const CursorDrag& drag, int pointerSample) {
  cursors.sample[cursors.active] =
      ClampedSample(static_cast<long long>(drag.from) + pointerSample - drag.pointerFrom);
}

bool CursorKeyDown(Cursors& cursors, CursorKey key, bool shift) {
  if (!cursors.shown) return false;
  int& sample = cursors.sample[cursors.active];
  const int step = shift ? kCursorBigStep : 1;
  switch (key) {
    case CursorKey::kLeft:
      sample = ClampedSample(sample - step);
      break;
    case CursorKey::kRight:
      sample = ClampedSample(sample + step);
      break;
    case CursorKey::kHome:
      sample = 0;
      break;
    case CursorKey::kEnd:
      sample = kLastSample;
      break;
    case CursorKey::kTab:
      cursors.active = kCursorB - cursors.active;
      break;
  }
  return true;
}

}  // namespace vexal

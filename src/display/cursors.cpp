#include "display/cursors.h"

#include <algorithm>
#include <cstdlib>

#include "display/waveform_store.h"

namespace vexal {
namespace {

constexpr int kLastSample = kSamplesPerChannel - 1;

int Clamped(long long sample) {
  return static_cast<int>(std::clamp<long long>(sample, 0, kLastSample));
}

}  // namespace

void ToggleCursors(Cursors& cursors) {
  cursors.shown = !cursors.shown;
  cursors.active = kCursorA;
}

bool InPlotArea(const PlotArea& area, int x, int y) {
  return area.left <= x && x <= area.right && area.top <= y && y <= area.bottom;
}

int SampleAtX(const PlotArea& area, int x) {
  const long long width = static_cast<long long>(area.right) - area.left;
  const long long scaled = (static_cast<long long>(x) - area.left) * kSamplesPerChannel;
  if (width <= 0 || scaled <= 0) return 0;
  // Halves round up: (2 scaled + width) / (2 width), all positive.
  return Clamped((2 * scaled + width) / (2 * width));
}

void PressCursor(Cursors& cursors, int sample) {
  const int toA = std::abs(sample - cursors.sample[kCursorA]);
  const int toB = std::abs(sample - cursors.sample[kCursorB]);
  cursors.active = toB < toA ? kCursorB : kCursorA;
  DragCursor(cursors, sample);
}

void DragCursor(Cursors& cursors, int sample) {
  cursors.sample[cursors.active] = Clamped(sample);
}

bool CursorKeyDown(Cursors& cursors, CursorKey key, bool shift) {
  if (!cursors.shown) return false;
  int& sample = cursors.sample[cursors.active];
  const int step = shift ? kCursorBigStep : 1;
  switch (key) {
    case CursorKey::kLeft:
      sample = Clamped(sample - step);
      break;
    case CursorKey::kRight:
      sample = Clamped(sample + step);
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

int CursorLineAt(const Cursors& cursors, const PlotArea& area, int x, int y, int reach) {
  if (!cursors.shown || !InPlotArea(area, x, y)) return kNoCursor;
  for (int cursor : {cursors.active, kCursorB - cursors.active}) {
    const long long lineX = TraceX(area, cursors.sample[cursor]);
    if (std::llabs(lineX - x) <= reach) return cursor;
  }
  return kNoCursor;
}

Cursors& TheCursors() {
  static Cursors cursors;
  return cursors;
}

}  // namespace vexal

// The two time cursors A and B: where they stand, which one the keys move, and
// how the mouse and the keys move them. Window-thread state, never saved.
#pragma once

#include <array>

namespace vexal {

inline constexpr int kCursorA = 0;
inline constexpr int kCursorB = 1;
inline constexpr int kNoCursor = -1;
// Shift with Left or Right moves this many samples.
inline constexpr int kCursorBigStep = 64;

struct Cursors {
  bool shown = false;                       // off at every start
  std::array<int, 2> sample = {512, 1536};  // A, B: 0 to 2047
  int active = kCursorA;                    // the one the keys move
};

enum class CursorKey { kLeft, kRight, kHome, kEnd, kTab };

// Shows hidden cursors where they were, A active; hides shown ones.
void ToggleCursors(Cursors& cursors);

// A sample number clamped to 0 to 2047.
int ClampedSample(long long sample);

// A press: the cursor nearer to `sample` (A on a tie) goes there and becomes active.
void PressCursor(Cursors& cursors, int sample);
// A drag: the active cursor follows.
void DragCursor(Cursors& cursors, int sample);
// Moves or switches the active cursor; false when the cursors are hidden, so
// the key does what it does without them.
bool CursorKeyDown(Cursors& cursors, CursorKey key, bool shift);

}  // namespace vexal

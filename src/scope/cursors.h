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

// What a press leaves for the drag that follows: the active cursor's sample and the
// sample under the pointer at the press.
struct CursorDrag {
  int from = 0;
  int pointerFrom = 0;
};

// A press with the pointer over `pointerSample`. On a cursor's line (`grabbed`) that
// cursor becomes active and stays where it is, so that a cursor set exactly with the
// keys keeps its reading when it is taken hold of. Elsewhere (kNoCursor) the nearer
// cursor, the active one at equal distances, goes to the pointer and becomes active.
CursorDrag PressCursor(Cursors& cursors, int pointerSample, int grabbed);
// A drag: the active cursor moves by the pointer's change since the press, so a
// press without motion moves nothing.
void DragCursor(Cursors& cursors, const CursorDrag& drag, int pointerSample);
// Moves or switches the active cursor; false when the cursors are hidden, so
// the key does what it does without them.
bool CursorKeyDown(Cursors& cursors, CursorKey key, bool shift);

}  // namespace vexal

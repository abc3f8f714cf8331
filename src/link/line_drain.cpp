#include "link/line_drain.h"

namespace vexal {

void DrainLine(ByteSource& line, LineClock& clock) {
  const std::int64_t start = clock.NowMs();
  std::int64_t lastByte = start;
  std::int64_t quiet = kQuietMs;
  std::uint8_t discarded[kBlockSize];
  for (;;) {
    const std::size_t count = line.Read(discarded, sizeof discarded);
    const std::int64_t now = clock.NowMs();
    if (count > 0) {
      lastByte = now;
      quiet = kQuietAfterTailMs;
    }
    if (now - lastByte >= quiet || now - start >= kDrainLimitMs) return;
    // Still within the quiet time: an empty read came back early.
    if (count == 0) clock.Pause(kEmptyReadPauseMs);
  }
}

}  // namespace vexal

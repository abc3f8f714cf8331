// Emptying the line before a command: what the interface still sends of a
// reply the program gave up on is read and dropped, so that the reply to the
// next command starts at its first byte.
#pragma once

#include <cstdint>

#include "link/reply_parser.h"

namespace vexal {

// The line counts as quiet once no byte has come for this long (the pause time-out).
inline constexpr std::int64_t kQuietMs = 20;
// Once a tail has come, the interface was sending: a pause in it (a USB adapter's
// burst, a busy PC) must not pass for its end, so the quiet must last longer.
inline constexpr std::int64_t kQuietAfterTailMs = 100;
// An interface that never stops sending is given up on after about this long.
inline constexpr std::int64_t kDrainLimitMs = 2000;
// The pause after a read that came back empty before the line was quiet (a
// driver that returns at once instead of waiting), so the loop does not spin.
inline constexpr std::uint32_t kEmptyReadPauseMs = 2;

// The time as the drain measures it, and its pause.
class LineClock {
 public:
  virtual ~LineClock() = default;
  virtual std::int64_t NowMs() = 0;
  virtual void Pause(std::uint32_t ms) = 0;
};

// Reads and discards until no byte has come for kQuietMs (kQuietAfterTailMs
// once any came), measured from the last byte, or kDrainLimitMs have passed. The port's reads
// should wait up to kQuietMs for a byte; a driver that does not still gets its quiet time.
void DrainLine(ByteSource& line, LineClock& clock);

}  // namespace vexal

// The interface's reply to 'd' or 'r', parsed from the bytes as they arrive.
//
// A reply is "Kanal 1:" then, per channel, either LF and 2048 samples of four
// bytes (three decimal digits, one separator) or one skipped byte and a status
// line ending in LF; channel 2 starts with an eight-byte marker. Positions are
// fixed from the first byte of the reply, which arrives in 64-byte blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "scope/waveform_store.h"

namespace vexal {

// Where the reply's bytes come from: the serial port, or a script in tests.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // One read of up to `count` bytes into `buffer`; returns how many arrived.
  // 0 means nothing arrived within the port's time-outs.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t count) = 0;
};

inline constexpr std::size_t kBlockSize = 64;
// A status line is kept up to this many characters; the rest is consumed unseen.
inline constexpr std::size_t kMaxStatusLength = 31;

// '1' to '9' count 1 to 9; every other byte ('0', blank, sign, >= 128) counts 0.
int DigitValue(std::uint8_t character);

enum class ReplyOutcome {
  kNoAnswer,   // the first read delivered nothing
  kNotAReply,  // the reply does not start with "Kanal 1:"; see ReplyResult::firstBlockText
  kComplete,   // both channel sections were read
  kBrokenOff,  // the interface fell silent before the reply was complete
};

struct ChannelSection {
  bool complete = false;  // the section was read to its end
  bool hasData = false;   // a sample run (true) or a status line (false)
  ChannelSamples samples{};
  std::string status;  // at most kMaxStatusLength characters
};

struct ReplyResult {
  ReplyOutcome outcome = ReplyOutcome::kNoAnswer;
  std::string firstBlockText;  // the bytes of the first read, up to a NUL byte
  std::array<ChannelSection, kChannelCount> channels{};
};

// Reads and parses one reply. Never looks at a byte that was not received:
// a short read only means the line paused, so the rest of the block is read on;
// a read of 0 bytes after the first means the interface fell silent.
ReplyResult ParseReply(ByteSource& source);

// What the error box says for a reply that does not start with "Kanal 1:": the text the
// interface sent, or, when that has nothing visible to read (a NUL first, only
// line ends or blanks), "Interface sendet unbekannte Daten !".
std::string ForeignReplyMessage(const ReplyResult& result);

// The longest summary: two status lines of kMaxStatusLength characters.
inline constexpr std::size_t kMaxSummaryLength = 9 + kMaxStatusLength + 10 + kMaxStatusLength;

// "Kanal 1: " + ("Daten übernommen." or the status) + "\nKanal 2: " + the same
// for channel 2, in Windows-1252.
std::string ComposeSummary(const ReplyResult& result);

}  // namespace vexal

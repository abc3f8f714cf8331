#include "link/reply_parser.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vexal {

namespace {

constexpr std::uint8_t kLineFeed = 10;
constexpr std::string_view kChannel1Marker = "Kanal 1:";
constexpr std::size_t kMarkerLength = 8;
constexpr std::size_t kSampleRunOffset = 9;  // after "Kanal 1:" and LF
constexpr std::size_t kSampleRunLength = 4 * kSamplesPerChannel;

// Walks the reply by position. Bytes are read from the source only when the
// parser asks for a byte that has not arrived yet, so a reply that has ended
// is never waited for, and skipped positions are read in order with the rest.
class BlockReader {
 public:
  explicit BlockReader(ByteSource& source) : source_(source) {}

  // The first read of a reply: one block of up to 64 bytes. USB-serial
  // adapters hand bytes over in bursts, so a first read of fewer bytes than
  // the marker is read on until the marker could be there or the line is silent.
  std::size_t ReadFirstBlock() {
    filled_ = ReadInto(0);
    while (filled_ > 0 && filled_ < kMarkerLength) {
      const std::size_t count = ReadInto(filled_);
      if (count == 0) break;
      filled_ += count;
    }
    if (filled_ < kMarkerLength) silent_ = true;
    return filled_;
  }
  const std::uint8_t* Block() const { return block_.data(); }

  // The byte at the cursor, reading on until it has arrived. False once the
  // interface has fallen silent before that position.
  bool Current(std::uint8_t& byte) {
    while (position_ >= blockStart_ + filled_) {
      if (silent_) return false;
      if (filled_ == kBlockSize) {
        blockStart_ += kBlockSize;
        filled_ = 0;
      }
      const std::size_t count = ReadInto(filled_);
      if (count == 0) {
        silent_ = true;
        return false;
      }
      filled_ += count;
    }
    byte = block_[position_ - blockStart_];
    return true;
  }

  void Advance(std::size_t count = 1) { position_ += count; }
  void MoveTo(std::size_t position) { position_ = position; }
  std::size_t Position() const { return position_; }

  // The reply ends at `position`: its last block is asked for only up to
  // there, so that read returns with the last byte instead of waiting out the
  // port's pause time-out for bytes that never come.
  void ExpectEndAt(std::size_t position) { end_ = position; }

 private:
  std::size_t ReadInto(std::size_t offset) {
    std::size_t wanted = kBlockSize - offset;
    if (end_ > blockStart_ + offset) wanted = std::min(wanted, end_ - blockStart_ - offset);
    // A source that claims more than was asked for is not believed past the block.
    return std::min(source_.Read(block_.data() + offset, wanted), wanted);
  }

  ByteSource& source_;
  std::array<std::uint8_t, kBlockSize> block_{};
  std::size_t blockStart_ = 0;  // reply position of block_[0]
  std::size_t filled_ = 0;      // bytes of the current block received so far
  std::size_t position_ = 0;    // reply position of the cursor
  std::size_t end_ = 0;         // where the reply ends, once the grammar tells
  bool silent_ = false;
};

// Three digits, hundreds first, each step modulo 256; then a separator that is
// never looked at.
bool ReadSampleRun(BlockReader& reader, ChannelSamples& samples) {
  for (std::uint8_t& sample : samples) {
    std::uint8_t accumulator = 0;
    for (int weight : {100, 10, 1}) {
      std::uint8_t character;
      if (!reader.Current(character)) return false;
      accumulator = static_cast<std::uint8_t>(accumulator + weight * DigitValue(character));
      reader.Advance();
    }
    reader.Advance();  // separator
    sample = accumulator;
  }
  return true;
}

enum class LineEnd { kLineFeed, kSilence };

// Collects a status line up to (not over) its LF. Characters past the limit
// are consumed but not kept.
LineEnd ReadStatusLine(BlockReader& reader, std::string& status) {
  status.clear();
  for (;;) {
    std::uint8_t character;
    if (!reader.Current(character)) return LineEnd::kSilence;
    if (character == kLineFeed) return LineEnd::kLineFeed;
    if (status.size() < kMaxStatusLength) status.push_back(static_cast<char>(character));
    reader.Advance();
  }
}

// The first-block text as the box shows it: the received bytes, up to a NUL.
std::string TextOfFirstBlock(const std::uint8_t* block, std::size_t count) {
  const char* text = reinterpret_cast<const char*>(block);
  return std::string(text, strnlen(text, count));
}

}  // namespace

int DigitValue(std::uint8_t character) {
  return character >= '1' && character <= '9' ? character - '0' : 0;
}

ReplyResult ParseReply(ByteSource& source) {
  ReplyResult result;
  BlockReader reader(source);

  const std::size_t received = reader.ReadFirstBlock();
  if (received == 0) {
    result.outcome = ReplyOutcome::kNoAnswer;
    return result;
  }
  result.firstBlockText = TextOfFirstBlock(reader.Block(), received);
  // Positions count from the reply's first byte: bytes in front of the marker
  // would put every sample out of step.
  if (!result.firstBlockText.starts_with(kChannel1Marker)) {
    result.outcome = ReplyOutcome::kNotAReply;
    return result;
  }
  result.outcome = ReplyOutcome::kBrokenOff;

  // Channel 1: positions count from the reply's start.
  ChannelSection& first = result.channels[0];
  reader.MoveTo(kMarkerLength);
  std::uint8_t character;
  if (!reader.Current(character)) return result;
  reader.MoveTo(kSampleRunOffset);
  if (character == kLineFeed) {
    if (!ReadSampleRun(reader, first.samples)) return result;
    first.hasData = true;
  } else {
    if (ReadStatusLine(reader, first.status) == LineEnd::kSilence) return result;
    reader.Advance();  // over its LF
  }
  first.complete = true;

  // Channel 2: an eight-byte marker, then LF and a run, or one byte and a status line.
  ChannelSection& second = result.channels[1];
  reader.Advance(kMarkerLength);
  if (!reader.Current(character)) return result;
  reader.Advance();
  if (character == kLineFeed) {
    reader.ExpectEndAt(reader.Position() + kSampleRunLength);
    if (!ReadSampleRun(reader, second.samples)) return result;
    second.hasData = true;
  } else {
    // The reply may end with this line: silence ends it as its LF would.
    ReadStatusLine(reader, second.status);
  }
  second.complete = true;
  result.outcome = ReplyOutcome::kComplete;
  return result;
}

std::string ForeignReplyMessage(const ReplyResult& result) {
  const std::string& text = result.firstBlockText;
  const bool visible = std::any_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) > ' '; });
  return visible ? text : "Interface sendet unbekannte Daten !";
}

std::string ComposeSummary(const ReplyResult& result) {
  static constexpr const char* kTaken =
      "Daten \xFC"
      "bernommen.";
  std::string summary;
  summary.reserve(kMaxSummaryLength);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const ChannelSection& section = result.channels[static_cast<std::size_t>(channel)];
    summary += channel == 0 ? "Kanal 1: " : "\nKanal 2: ";
    summary += section.hasData ? std::string(kTaken) : section.status;
  }
  return summary;
}

}  // namespace vexal

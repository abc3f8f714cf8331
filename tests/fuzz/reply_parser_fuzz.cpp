// libFuzzer harness for the reply parser: any bytes, delivered in reads of any
// length the way a serial port may hand them out, must parse without reading
// past what was received or writing past a buffer, and the result must hold
// together.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/reply_parser.h"

namespace {

// The first input byte seeds the read lengths; the rest is the reply. Reads
// of 1 to 64 bytes, now and then a read that times out (0 bytes).
class FuzzSource : public vexal::ByteSource {
 public:
  FuzzSource(const std::uint8_t* data, std::size_t size, std::uint32_t seed)
      : data_(data), size_(size), state_(seed * 2654435761u + 1) {}

  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    if (count == 0 || count > vexal::kBlockSize) std::abort();
    if (silent_) std::abort();  // nothing is read once the line fell silent
    state_ = state_ * 1103515245u + 12345u;
    const std::uint32_t pick = state_ >> 16;
    if (offset_ == size_ || pick % 97 == 0) {
      silent_ = true;
      return 0;
    }
    const std::size_t length =
        std::min<std::size_t>({count, size_ - offset_, pick % 4 == 0 ? 1 + pick % count : count});
    std::memcpy(buffer, data_ + offset_, length);
    offset_ += length;
    return length;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
  std::uint32_t state_;
  bool silent_ = false;
};

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  FuzzSource source(data + 1, size - 1, data[0]);
  const vexal::ReplyResult result = vexal::ParseReply(source);

  Check(result.firstBlockText.size() <= vexal::kBlockSize);
  const auto& [first, second] = result.channels;
  for (const vexal::ChannelSection& section : result.channels) {
    Check(section.status.size() <= vexal::kMaxStatusLength);
    Check(section.complete || !section.hasData);
  }
  Check(!second.complete || first.complete);
  Check((result.outcome == vexal::ReplyOutcome::kComplete) == second.complete);
  if (result.outcome == vexal::ReplyOutcome::kNoAnswer ||
      result.outcome == vexal::ReplyOutcome::kNotAReply) {
    Check(!first.complete);
  }
  const std::string summary = vexal::ComposeSummary(result);
  Check(summary.size() <= vexal::kMaxSummaryLength);
  return 0;
}

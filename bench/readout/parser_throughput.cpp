// How fast the reply parser runs natively, fed from memory in 64-byte reads:
// a full two-channel reply, and one in ragged reads of 1 to 64 bytes.
// Prints one table row per case.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "link/reply_parser.h"

namespace {

class MemorySource : public vexal::ByteSource {
 public:
  MemorySource(const std::string& reply, bool ragged) : reply_(reply), ragged_(ragged) {}
  std::size_t Read(std::uint8_t* buffer, std::size_t count) override {
    std::size_t n = std::min(count, reply_.size() - offset_);
    if (ragged_ && offset_ > 0) n = std::min(n, 1 + (offset_ * 7) % 64);
    std::memcpy(buffer, reply_.data() + offset_, n);
    offset_ += n;
    return n;
  }

 private:
  const std::string& reply_;
  bool ragged_;
  std::size_t offset_ = 0;
};

std::string FullReply() {
  std::string reply;
  for (int channel = 1; channel <= 2; ++channel) {
    reply += "Kanal " + std::to_string(channel) + ":\n";
    char sample[8];
    for (int j = 0; j < vexal::kSamplesPerChannel; ++j) {
      std::snprintf(sample, sizeof sample, "%03d\n", (j * channel) % 256);
      reply += sample;
    }
  }
  return reply;
}

volatile int sink = 0;

void Measure(const char* name, const std::string& reply, bool ragged) {
  constexpr int kRuns = 2000;
  int checksum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int run = 0; run < kRuns; ++run) {
    MemorySource source(reply, ragged);
    const vexal::ReplyResult result = vexal::ParseReply(source);
    checksum += result.channels[1].samples[2047] + static_cast<int>(result.outcome);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double bytesPerSecond = static_cast<double>(reply.size()) * kRuns / seconds;
  // 115200 baud, 8N1: 11520 bytes a second on the line.
  sink = checksum;  // keeps the parsing from being optimised away
  std::printf("| %s | %.0f MB/s | %.1f us | %.0f x |\n", name, bytesPerSecond / 1e6,
              seconds / kRuns * 1e6, bytesPerSecond / 11520.0);
}

}  // namespace

int main() {
  const std::string reply = FullReply();
  std::printf("| Parser case | Throughput | Per full reply | Line rate (11 520 B/s) |\n");
  std::printf("|---|---|---|---|\n");
  Measure("native parser, 64-byte reads", reply, false);
  Measure("native parser, reads of 1-64 bytes", reply, true);
  return 0;
}

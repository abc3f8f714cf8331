#include "output/text_export.h"

#include <cstdio>

namespace vexal {

namespace {

// Each piece is formatted into a buffer of this size; the longest one, the
// heading, is 54 characters plus the terminating zero.
constexpr std::size_t kLineBufferSize = 64;

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char line[kLineBufferSize];
  const int length = std::snprintf(line, sizeof line, format, args...);
  if (length < 0) return {};
  return std::string(line, static_cast<std::size_t>(length) < sizeof line
                               ? static_cast<std::size_t>(length)
                               : sizeof line - 1);
}

}  // namespace

std::vector<std::string> TextExportPieces(const WaveformSnapshot& store, const TimeStamp& stamp) {
  std::vector<std::string> pieces;
  pieces.reserve(kSamplesPerChannel + 4);
  pieces.push_back(Format("\nVEXAL-Interface V1.0 - Ausgabe vom %02d.%02d.%4d, %02d:%02d\n",
                          stamp.day, stamp.month, stamp.year, stamp.hour, stamp.minute));
  pieces.emplace_back("====================================================\n\n");

  const ChannelSamples& ch1 = store.samples[0];
  const ChannelSamples& ch2 = store.samples[1];
  if (store.hasData[0] != 0 && store.hasData[1] != 0) {
    pieces.emplace_back("Kanal 1\t\tKanal2\n\n");
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      pieces.push_back(Format("%03d\t\t\t%03d\n", int{ch1[i]}, int{ch2[i]}));
    }
  } else {
    // Without channel 1 the file shows channel 2's buffer, whatever its flag says.
    const bool first = store.hasData[0] != 0;
    pieces.emplace_back(first ? "Kanal 1\n\n" : "Kanal 2\n\n");
    const ChannelSamples& column = first ? ch1 : ch2;
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      pieces.push_back(Format("%03d\n", int{column[i]}));
    }
  }
  pieces.emplace_back("\n\n");
  return pieces;
}

}  // namespace vexal

#include "output/text_export.h"

#include <cstdio>

namespace vexal {

namespace {

// One piece, exactly as long as its format makes it (the heading, the longest,
// has 54 characters).
template <typename... Args>
std::string Format(const char* format, Args... args) {
  std::string piece(static_cast<std::size_t>(std::snprintf(nullptr, 0, format, args...)), '\0');
  std::snprintf(piece.data(), piece.size() + 1, format, args...);
  return piece;
}

}  // namespace

std::string DatedHeading(const TimeStamp& stamp) {
  return Format("VEXAL-Interface V1.0 - Ausgabe vom %02d.%02d.%4d, %02d:%02d", stamp.day,
                stamp.month, stamp.year, stamp.hour, stamp.minute);
}

std::vector<std::string> TextExportPieces(const WaveformSnapshot& store, const TimeStamp& stamp) {
  std::vector<std::string> pieces;
  pieces.reserve(kSamplesPerChannel + 4);
  pieces.push_back(Format("\n%s\n", DatedHeading(stamp).c_str()));
  pieces.emplace_back("====================================================\n\n");

  const ChannelSamples& ch1 = store.samples[0];
  const ChannelSamples& ch2 = store.samples[1];
  if (BothChannels(store)) {
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

#include "display/cursor_readout.h"

#include <cstdint>
#include <cstdlib>

#include "display/number_text.h"
#include "display/sample_scale.h"

namespace vexal {
namespace {

constexpr const char* kShortNames[] = {"CH1", "CH2"};
constexpr const char* kLongNames[] = {"Kanal 1", "Kanal 2"};
constexpr char kNone[] = "-";

// At A, at B, and B - A.
struct Reading {
  std::string a, b, difference;
};

std::int64_t PowerOfTen64(int n) {
  std::int64_t power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

// count steps, exactly.
ExactNumber Steps(const ExactStep& step, std::int64_t count) {
  return {count * step.units, PowerOfTen64(step.decimals)};
}

Reading TimeReading(const Cursors& cursors, const ExactStep& dt) {
  const int a = cursors.sample[kCursorA], b = cursors.sample[kCursorB];
  return {SiNumber(Steps(dt, a), "s"), SiNumber(Steps(dt, b), "s"),
          SiNumber(Steps(dt, b - a), "s")};
}

// 1 / |B - A|; "-" when it has no value.
std::string Inverse(const Cursors& cursors, const ExactStep& dt) {
  const std::int64_t span = std::llabs(cursors.sample[kCursorB] - cursors.sample[kCursorA]);
  if (span == 0 || dt.units <= 0) return kNone;
  return SiNumber(ExactNumber{PowerOfTen64(dt.decimals), span * dt.units}, "Hz");
}

Reading ChannelReading(const Cursors& cursors, const ChannelSamples& samples,
                       const ScaleLabel& label) {
  const ExactStep q = VoltsPerCount(label);
  const int a = samples[cursors.sample[kCursorA]] - kCentreSample;
  const int b = samples[cursors.sample[kCursorB]] - kCentreSample;
  return {SiNumber(Steps(q, a), "V"), SiNumber(Steps(q, b), "V"), SiNumber(Steps(q, b - a), "V")};
}

}  // namespace

std::vector<ReadoutLine> CursorReadout(const Cursors& cursors, const WaveformSnapshot& store,
                                       const ScaleLabels& labels, int timebaseId) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  const Reading t = TimeReading(cursors, dt);
  std::vector<ReadoutLine> lines = {{-1, "A: " + t.a + "   B: " + t.b + "   B-A: " + t.difference +
                                             "   1/|B-A|: " + Inverse(cursors, dt)}};
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    const Reading v = ChannelReading(cursors, store.samples[channel], labels[channel]);
    lines.push_back({channel, std::string(kShortNames[channel]) + ": A " + v.a + "   B " + v.b +
                                  "   B-A " + v.difference});
  }
  return lines;
}

std::string CursorTable(const Cursors& cursors, const WaveformSnapshot& store,
                        const ScaleLabels& labels, int timebaseId) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  const Reading t = TimeReading(cursors, dt);
  std::string text =
      "Cursor\tA\tB\tB-A\r\nZeit\t" + t.a + '\t' + t.b + '\t' + t.difference + "\r\n";
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const Reading v = store.hasData[channel] != 0
                          ? ChannelReading(cursors, store.samples[channel], labels[channel])
                          : Reading{kNone, kNone, kNone};
    text +=
        std::string(kLongNames[channel]) + '\t' + v.a + '\t' + v.b + '\t' + v.difference + "\r\n";
  }
  return text + "1/|B-A|\t\t\t" + Inverse(cursors, dt) + "\r\n";
}

}  // namespace vexal

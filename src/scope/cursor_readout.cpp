#include "scope/cursor_readout.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "scope/channel_names.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"

namespace vexal {
namespace {

using Number = char[kSiNumberSize];

// At A, at B, and B - A, as the user reads them; "-" where there is nothing to read.
using Reading = CursorReading;

// count steps, exactly.
ExactNumber Steps(const ExactStep& step, std::int64_t count) {
  const ExactNumber one = step.Exact();
  return {count * one.numerator, one.denominator};
}

// The readings of count(A) and count(B) steps.
void Read(Reading& reading, const ExactStep& step, int a, int b, const char* unit) {
  WriteSiNumber(reading.a, Steps(step, a), unit);
  WriteSiNumber(reading.b, Steps(step, b), unit);
  WriteSiNumber(reading.difference, Steps(step, b - a), unit);
}

void ReadTimes(Reading& reading, const Cursors& cursors, const ExactStep& dt) {
  Read(reading, dt, cursors.sample[kCursorA], cursors.sample[kCursorB], "s");
}

constexpr int kTopCode = 255;
constexpr int kBottomCode = 0;

// The number with its mark in front, or "?" for a value not known.
void Mark(Number& text, ClipMark mark) {
  Number marked;
  std::snprintf(marked, sizeof marked, "%s%s", mark.above ? "> " : mark.below ? "< " : "", text);
  std::memcpy(text, marked, sizeof text);
  if (mark.above && mark.below) std::strcpy(text, "?");
}

void ReadChannel(Reading& reading, const Cursors& cursors, const ChannelSamples& samples,
                 const ScaleLabel& label) {
  reading = ReadTrace(VoltsPerCount(label), ChannelLevel(samples[cursors.sample[kCursorA]]),
                      ChannelLevel(samples[cursors.sample[kCursorB]]));
}

// 1 / |B - A|: "-" when A = B, and without a timebase, since SiNumber writes "-" for a
// fraction over 0.
void ReadInverse(Number& text, const Cursors& cursors, const ExactStep& dt) {
  const std::int64_t span = std::llabs(cursors.sample[kCursorB] - cursors.sample[kCursorA]);
  const ExactNumber step = dt.Exact();
  WriteSiNumber(text, ExactNumber{step.denominator, span * step.numerator}, "Hz");
}

}  // namespace

CursorLevel ChannelLevel(int code) {
  return {code - kCentreSample, {code == kTopCode, code == kBottomCode}};
}

CursorReading ReadTrace(const ExactStep& voltsPerLevel, const std::optional<CursorLevel>& atA,
                        const std::optional<CursorLevel>& atB) {
  Reading reading;
  if (atA) {
    WriteSiNumber(reading.a, Steps(voltsPerLevel, atA->level), "V");
    Mark(reading.a, atA->mark);
  }
  if (atB) {
    WriteSiNumber(reading.b, Steps(voltsPerLevel, atB->level), "V");
    Mark(reading.b, atB->mark);
  }
  if (atA && atB) {
    // A clipped end makes B - A at least, or at most, what the levels give.
    WriteSiNumber(reading.difference, Steps(voltsPerLevel, atB->level - atA->level), "V");
    Mark(reading.difference,
         {atB->mark.above || atA->mark.below, atB->mark.below || atA->mark.above});
  }
  return reading;
}

std::vector<ReadoutLine> CursorReadout(const Cursors& cursors, const WaveformSnapshot& store,
                                       const ScaleLabels& labels, int timebaseId) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  Reading t;
  ReadTimes(t, cursors, dt);
  Number inverse;
  ReadInverse(inverse, cursors, dt);
  char line[4 * kSiNumberSize + 32];
  char shorter[3 * kSiNumberSize + 32], shortest[kSiNumberSize + 16];
  std::snprintf(line, sizeof line, "A: %s   B: %s   B-A: %s   1/|B-A|: %s", t.a, t.b, t.difference,
                inverse);
  std::snprintf(shorter, sizeof shorter, "A: %s   B: %s   B-A: %s", t.a, t.b, t.difference);
  std::snprintf(shortest, sizeof shortest, "B-A: %s", t.difference);
  std::vector<ReadoutLine> lines = {{-1, {line, shorter, shortest}}};
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    Reading v;
    ReadChannel(v, cursors, store.samples[channel], labels[channel]);
    const char* name = ShortChannelName(channel);
    std::snprintf(line, sizeof line, "%s: A %s   B %s   B-A %s", name, v.a, v.b, v.difference);
    std::snprintf(shortest, sizeof shortest, "%s: B-A %s", name, v.difference);
    lines.push_back({channel, {line, shortest}});
  }
  return lines;
}

std::string CursorTable(const Cursors& cursors, const WaveformSnapshot& store,
                        const ScaleLabels& labels, int timebaseId) {
  const ExactStep dt = SecondsPerSample(timebaseId);
  Reading t;
  ReadTimes(t, cursors, dt);
  char text[8 * kSiNumberSize + 96];
  std::size_t used = std::snprintf(text, sizeof text, "Cursor\tA\tB\tB-A\r\nZeit\t%s\t%s\t%s\r\n",
                                   t.a, t.b, t.difference);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    Reading v;
    if (store.hasData[channel] != 0)
      ReadChannel(v, cursors, store.samples[channel], labels[channel]);
    used += std::snprintf(text + used, sizeof text - used, "%s\t%s\t%s\t%s\r\n",
                          ChannelName(channel), v.a, v.b, v.difference);
  }
  Number inverse;
  ReadInverse(inverse, cursors, dt);
  std::snprintf(text + used, sizeof text - used, "1/|B-A|\t\t\t%s\r\n", inverse);
  return text;
}

}  // namespace vexal

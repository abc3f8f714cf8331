#include "scope/math_trace.h"

#include <algorithm>
#include <cstdio>

#include "scope/channel_names.h"
#include "scope/common_step.h"
#include "scope/sample_scale.h"

namespace vexal {
namespace {

CursorLevel LevelAt(const MathTrace& math, int sample) {
  return {math.levels.level[sample], math.marks[sample]};
}

CursorReading ReadAtCursors(const Cursors& cursors, const MathTrace& math) {
  return ReadTrace(math.levels.step, LevelAt(math, cursors.sample[kCursorA]),
                   LevelAt(math, cursors.sample[kCursorB]));
}

}  // namespace

MathTrace ComputeMathTrace(MathOperation operation, const WaveformSnapshot& traces,
                           const ScaleLabels& labels) {
  const CommonStep common = OverOneStep(VoltsPerCount(labels[0]), VoltsPerCount(labels[1]));
  const auto [k1, k2] = common.multiple;
  const bool sum = operation == MathOperation::kSum;
  MathTrace math;
  math.operation = operation;
  math.levels.step = common.step;
  // At least 1, also for labels without a unit, where every level is 0.
  math.levels.levelsPerCount = std::max<std::int64_t>({k1, k2, 1});
  math.label = k1 >= k2 ? labels[0] : labels[1];
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    const CursorLevel v1 = ChannelLevel(traces.samples[0][i]);
    const CursorLevel v2 = ChannelLevel(traces.samples[1][i]);
    math.levels.level[i] = v1.level * k1 + (sum ? v2.level : -v2.level) * k2;
    // V2 clipped at the top raises M for a sum and lowers it for a difference.
    const bool v2Raises = sum ? v2.mark.above : v2.mark.below;
    const bool v2Lowers = sum ? v2.mark.below : v2.mark.above;
    ClipMark& mark = math.marks[i];
    mark = {v1.mark.above || v2Raises, v1.mark.below || v2Lowers};
    math.levels.clippedHigh = math.levels.clippedHigh || mark.above;
    math.levels.clippedLow = math.levels.clippedLow || mark.below;
  }
  return math;
}

double MathCounts(const MathTrace& math, int sample) {
  return static_cast<double>(math.levels.level[sample]) /
         static_cast<double>(math.levels.levelsPerCount);
}

std::string MathLabel(const MathTrace& math, bool forScreen) {
  const VoltUnit* unit = FindVoltUnit(math.label.unitCode);
  if (unit == nullptr) return "";
  const int width = forScreen && math.label.unitCode != kUnitKilovolt ? 3 : 1;
  char text[48];  // "M: CH1-CH2 4294967295 \xB5V / DIV"
  std::snprintf(text, sizeof text, "M: %s%c%s %*u %s / DIV", ShortChannelName(0),
                math.operation == MathOperation::kSum ? '+' : '-', ShortChannelName(1), width,
                static_cast<unsigned>(math.label.value), unit->name);
  return text;
}

ChannelMeasurements MeasureMath(const MathTrace& math, int timebaseId) {
  return MeasureLevels(math.levels, SecondsPerSample(timebaseId));
}

ChannelSpectrum MathSpectrum(const MathTrace& math, SpectrumWindow window) {
  SpectrumCounts counts;
  bool clipped = false;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    counts[i] = MathCounts(math, i);
    clipped = clipped || math.marks[i].above || math.marks[i].below;
  }
  return ComputeSpectrum(counts, VoltsPerCountOf(math.label), window, clipped);
}

ReadoutLine MathReadout(const Cursors& cursors, const MathTrace& math) {
  const CursorReading r = ReadAtCursors(cursors, math);
  char line[3 * kSiNumberSize + 32], shortest[kSiNumberSize + 16];
  std::snprintf(line, sizeof line, "M: A %s   B %s   B-A %s", r.a, r.b, r.difference);
  std::snprintf(shortest, sizeof shortest, "M: B-A %s", r.difference);
  return {kMathReadoutLine, {line, shortest}};
}

std::string MathCursorRow(const Cursors& cursors, const MathTrace& math) {
  const CursorReading r = ReadAtCursors(cursors, math);
  char row[3 * kSiNumberSize + 16];
  std::snprintf(row, sizeof row, "M\t%s\t%s\t%s\r\n", r.a, r.b, r.difference);
  return row;
}

}  // namespace vexal

#include "scope/reference_trace.h"

#include <cstdio>
#include <cstdint>
#include <optional>

#include "scope/common_step.h"
#include "scope/timebase_labels.h"

namespace vexal {
namespace {

int TimebaseOf(const ReferenceTrace& reference, int timebaseId) {
  return reference.ownScales ? reference.timebaseId : timebaseId;
}

// The reference's and the current time per division, or nothing where either has no row:
// then sample i is sample i.
struct Timebases {
  std::int64_t own = 0;
  std::int64_t current = 0;
};
std::optional<Timebases> OtherTimebase(const ReferenceTrace& reference, int timebaseId) {
  const TimebaseRow* own = FindTimebase(TimebaseOf(reference, timebaseId));
  const TimebaseRow* current = FindTimebase(timebaseId);
  if (own == nullptr || current == nullptr) return std::nullopt;
  return Timebases{own->microsecondsPerDivision, current->microsecondsPerDivision};
}

// The reference's sample nearest to the time of the current sample i, or -1 beyond its end.
int SampleAtTimeOf(const ReferenceTrace& reference, int i, int timebaseId) {
  const std::optional<Timebases> t = OtherTimebase(reference, timebaseId);
  if (!t) return i;
  const std::int64_t nearest = (2 * i * t->current + t->own) / (2 * t->own);
  return nearest < kSamplesPerChannel ? static_cast<int>(nearest) : -1;
}

std::optional<CursorLevel> LevelAt(const ChannelSamples& samples, int sample) {
  if (sample < 0) return std::nullopt;
  return ChannelLevel(samples[sample]);
}

}  // namespace

ReferenceTrace CopiedReference(const WaveformSnapshot& traces, const ScaleLabels& labels,
                               int timebaseId, const TimeOfDay& time) {
  char label[64];
  std::snprintf(label, sizeof label, "Ref: Kurven von %02d:%02d:%02d", time.hour, time.minute,
                time.second);
  return {traces, true, labels, timebaseId, label};
}

ReferenceTrace LoadedReference(const WaveformSnapshot& traces, std::string_view fileName) {
  const std::size_t folder = fileName.find_last_of("\\/:");
  if (folder != std::string_view::npos) fileName.remove_prefix(folder + 1);
  std::string label = "Ref: ";
  label += fileName;
  label += " (aktuelle Skalen)";
  return {traces, false, {}, 0, label};
}

ExactStep ReferenceVoltsPerCount(const ReferenceTrace& reference, int channel,
                                 const ScaleLabels& labels) {
  return VoltsPerCount(reference.ownScales ? reference.labels[channel] : labels[channel]);
}

ChannelMeasurements MeasureReference(const ReferenceTrace& reference, int channel,
                                     const ScaleLabels& labels, int timebaseId) {
  return MeasureChannel(reference.traces.samples[channel],
                        ReferenceVoltsPerCount(reference, channel, labels),
                        SecondsPerSample(TimebaseOf(reference, timebaseId)));
}

ChannelSpectrum ReferenceSpectrum(const ReferenceTrace& reference, int channel,
                                  const ScaleLabels& labels, SpectrumWindow window) {
  const ExactNumber q = ReferenceVoltsPerCount(reference, channel, labels).Exact();
  return ComputeSpectrum(reference.traces.samples[channel],
                         static_cast<double>(q.numerator) / static_cast<double>(q.denominator),
                         window);
}

double ReferenceCounts(const ReferenceTrace& reference, int channel, int sample,
                       const ScaleLabels& labels) {
  const CommonStep common = OverOneStep(ReferenceVoltsPerCount(reference, channel, labels),
                                        VoltsPerCount(labels[channel]));
  const std::int64_t counts = reference.traces.samples[channel][sample] - kCentreSample;
  // Whole numbers, exact as doubles: one rounding, in the quotient.
  return static_cast<double>(counts * common.multiple[0]) / static_cast<double>(common.multiple[1]);
}

double ReferenceTime(const ReferenceTrace& reference, int sample, int timebaseId) {
  const std::optional<Timebases> t = OtherTimebase(reference, timebaseId);
  if (!t) return sample;
  return static_cast<double>(sample * t->own) / static_cast<double>(t->current);
}

ReferenceReading ReadReference(const ReferenceTrace& reference, const Cursors& cursors,
                               const ScaleLabels& labels, int timebaseId) {
  ReferenceReading reading;
  for (int cursor : {kCursorA, kCursorB})
    reading.sample[cursor] = SampleAtTimeOf(reference, cursors.sample[cursor], timebaseId);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    const ChannelSamples& samples = reference.traces.samples[channel];
    reading.channel[channel] = ReadTrace(ReferenceVoltsPerCount(reference, channel, labels),
                                         LevelAt(samples, reading.sample[kCursorA]),
                                         LevelAt(samples, reading.sample[kCursorB]));
  }
  return reading;
}

}  // namespace vexal

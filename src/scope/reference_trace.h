// The reference: traces kept to compare the current ones with. Copied from a read-out, it
// keeps that moment's labels and timebase, so that its volts and times stay what they were
// whatever the settings become; loaded from a saved text export, which holds no scales, it
// goes by the current ones.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "scope/cursor_readout.h"
#include "scope/cursors.h"
#include "scope/display_settings.h"
#include "scope/frequency_levels.h"
#include "scope/measurements.h"
#include "scope/sample_scale.h"
#include "scope/waveform_store.h"

namespace vexal {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct ReferenceTrace {
  WaveformSnapshot traces{};  // the samples and their has-data flags
  bool ownScales = false;     // the labels and timebase below; else the current ones
  ScaleLabels labels{};
  int timebaseId = 0;
  std::string label;  // "Ref: Kurven von 14:32:05", "Ref: messung.txt (aktuelle Skalen)"
};

ReferenceTrace CopiedReference(const WaveformSnapshot& traces, const ScaleLabels& labels,
                               int timebaseId, const TimeOfDay& time);
// The file's name as the user sees it, Windows-1252: its folders are left out.
ReferenceTrace LoadedReference(const WaveformSnapshot& traces, std::string_view fileName);

// By its own scales where it has them, else by the current `labels` and `timebaseId` (with
// units, as the settings make them).
ExactStep ReferenceVoltsPerCount(const ReferenceTrace& reference, int channel,
                                 const ScaleLabels& labels);
ChannelMeasurements MeasureReference(const ReferenceTrace& reference, int channel,
                                     const ScaleLabels& labels, int timebaseId);
// A channel's spectrum by the same volts per count, over its own bins.
ChannelSpectrum ReferenceSpectrum(const ReferenceTrace& reference, int channel,
                                  const ScaleLabels& labels, SpectrumWindow window);

// For drawing: a sample's level in counts of the current scale from the centre line, and
// its time in samples of the current timebase (the sample's number where either has no row).
double ReferenceCounts(const ReferenceTrace& reference, int channel, int sample,
                       const ScaleLabels& labels);
double ReferenceTime(const ReferenceTrace& reference, int sample, int timebaseId);

// What the reference reads under the cursors: the sample nearest each cursor's time (an
// exact half the later one), -1 beyond its last sample, and per channel the readings as a
// channel's ("-" without data or sample).
struct ReferenceReading {
  std::array<int, 2> sample{};  // at A, at B
  std::array<CursorReading, kChannelCount> channel{};
};
ReferenceReading ReadReference(const ReferenceTrace& reference, const Cursors& cursors,
                               const ScaleLabels& labels, int timebaseId);

}  // namespace vexal

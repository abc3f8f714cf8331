// The spectrum of one channel's 2048 samples: the level of each frequency in dBV
// (0 dBV = 1 V RMS), and the scale it is drawn on.
#pragma once

#include <array>
#include <limits>
#include <optional>

#include "scope/display_settings.h"
#include "scope/sample_scale.h"
#include "scope/waveform_store.h"

namespace vexal {

enum class SpectrumWindow { kHann, kFlatTop, kRectangle };
// "Hann", "Flat-Top", "Rechteck".
const char* SpectrumWindowName(SpectrumWindow window);

// Bins 0 to 1024 of a 2048-point FFT, bin k at k x df, df = 1 / (10 x time per division).
inline constexpr int kSpectrumBins = kSamplesPerChannel / 2 + 1;
inline constexpr double kNoLevel = -std::numeric_limits<double>::infinity();  // below any plot

struct ChannelSpectrum {
  // The RMS of a sine on bin k, in dBV; kNoLevel for an empty bin.
  std::array<double, kSpectrumBins> level{};
  bool clipped = false;  // a sample at 0 or 255: the true signal went beyond
};

// The samples in volts, (s - 128) x q, their mean taken away, through the window: a
// sine exactly on a bin reads its RMS there with each window.
ChannelSpectrum ComputeSpectrum(const ChannelSamples& samples, double voltsPerCount,
                                SpectrumWindow window);
// The same of counts from the centre line with a fraction (the math trace's, a reference's
// in its own scale), and whether any was clipped.
using SpectrumCounts = std::array<double, kSamplesPerChannel>;
ChannelSpectrum ComputeSpectrum(const SpectrumCounts& counts, double voltsPerCount,
                                SpectrumWindow window, bool clipped = false);

// One count q of a label, in volts (ExactStep VoltsPerCount as a double).
double VoltsPerCountOf(const ScaleLabel& label);

// df, exactly: 10^5 / (microseconds per division) Hz, a finite decimal for each timebase;
// 0 for an identifier without a row in the timebase table.
ExactStep HertzPerBin(int timebaseId);

// The top line in dBV: the smallest multiple of 10 at or above the level of a sine that
// fills the screen (4 divisions of amplitude) at the label's volts per division. The plot
// has 8 divisions of 10 dB below it. 0 for a label without volts, which none is.
inline constexpr int kDecibelsPerDivision = 10;
inline constexpr int kLevelDivisions = 8;
int SpectrumTopLine(const ScaleLabel& label);
inline int SpectrumBottomLine(const ScaleLabel& label) {
  return SpectrumTopLine(label) - kLevelDivisions * kDecibelsPerDivision;
}

// How much of the spectrum the ten divisions across show: bins 0 to 1000, 250 or 50.
inline constexpr int kFrequencyDivisions = 10;
enum class SpectrumSpan { kFull, kQuarter, kTwentieth };
int SpanPercent(SpectrumSpan span);  // 100, 25, 5
int SpanBins(SpectrumSpan span);     // 1000, 250, 50

// The highest bin from 1 to `spanBins` (the first of equal ones), if it lies at or above
// `bottomLine` dBV; none when every one is below, or empty.
std::optional<int> SpectrumPeak(const ChannelSpectrum& spectrum, int spanBins, int bottomLine);

}  // namespace vexal

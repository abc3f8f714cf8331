// The math trace M = V1 + V2 or V1 - V2, sample by sample, exact in volts: each channel's
// counts by its own q, over one step both are whole multiples of. Its scale is the larger
// volts per division of the two, 0 V on the centre line.
#pragma once

#include <array>
#include <string>

#include "scope/cursor_readout.h"
#include "scope/cursors.h"
#include "scope/display_settings.h"
#include "scope/frequency_levels.h"
#include "scope/measurements.h"
#include "scope/waveform_store.h"

namespace vexal {

enum class MathOperation { kSum, kDifference };

// The channel number of M's read-out line (ReadoutLine::channel).
inline constexpr int kMathReadoutLine = 2;

struct MathTrace {
  MathOperation operation = MathOperation::kDifference;
  // M[i] = level[i] x step volts; levelsPerCount is one count of M's scale, whose volts
  // per count are VoltsPerCount(label). The clipped flags: some mark below says so.
  TraceLevels levels;
  ScaleLabel label;
  // Where a channel's sample is clipped M may lie beyond: above where V1 is at the top
  // code or V2 at its top (for +) or bottom (for -), below where the opposite; both: not
  // known.
  std::array<ClipMark, kSamplesPerChannel> marks{};
};

// From the samples of both channels and their labels (as the settings make them: 1 mV to
// 2 kV per division).
MathTrace ComputeMathTrace(MathOperation operation, const WaveformSnapshot& traces,
                           const ScaleLabels& labels);

// Sample i's position in counts of M's scale from the centre line, for drawing: it may lie
// far beyond the plot's 128 counts either way.
double MathCounts(const MathTrace& math, int sample);

// "M: CH1-CH2   1 V / DIV" (or "M: CH1+CH2 ..."), the number as the channels' labels write
// it: on the screen three wide (one for kV), on paper plain ("M: CH1-CH2 1 V / DIV"); ""
// for a label without a unit.
std::string MathLabel(const MathTrace& math, bool forScreen);

// Exact whatever M's scale; the clipped flags from the marks.
ChannelMeasurements MeasureMath(const MathTrace& math, int timebaseId);

// M's spectrum by its scale, clipped where some mark says M may lie beyond.
ChannelSpectrum MathSpectrum(const MathTrace& math, SpectrumWindow window);

// Its line of the cursor read-out, "M: A 1,00 V   B -2,50 V   B-A -3,50 V", shorter
// "M: B-A -3,50 V"; and its row of the dialog, "M\t1,00 V\t-2,50 V\t-3,50 V\r\n".
ReadoutLine MathReadout(const Cursors& cursors, const MathTrace& math);
std::string MathCursorRow(const Cursors& cursors, const MathTrace& math);

}  // namespace vexal

// What the cursors read: the times of A and B and the channels' values there,
// as the picture's read-out and as the rows of the "Messungen" dialog. Exact
// from the integers, rounded as the measurements are.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scope/cursors.h"
#include "scope/display_settings.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"
#include "scope/waveform_store.h"

namespace vexal {

// One line of the picture's read-out; channel -1 is the line of the times. Its forms,
// longest first: a narrow picture writes the longest that fits.
struct ReadoutLine {
  int channel;
  std::vector<std::string> forms;
};

// "A: 254 ms   B: 742 ms   B-A: 488 ms   1/|B-A|: 2,05 Hz", then for each channel
// with data "CH1: A 2,00 V   B -1,94 V   B-A -3,94 V". t = i dt, value = (s[i] - 128) q,
// B-A signed, 1/|B-A| "-" when A = B. Shorter, the times' line leaves out 1/|B-A|, then
// the times of A and B; a channel's line keeps only B-A.
// A sample at the top code 255 reads "> 3,97 V", at the bottom code 0 "< -4,00 V": the
// true level lies beyond. B-A reads "> " when B is at the top or A at the bottom, "< "
// when B is at the bottom or A at the top, and "?" when both ends are clipped alike.
std::vector<ReadoutLine> CursorReadout(const Cursors& cursors, const WaveformSnapshot& store,
                                       const ScaleLabels& labels, int timebaseId);

// The same as the dialog's further rows, a TAB between the cells, CR LF after
// each row: "Cursor", "A", "B", "B-A"; "Zeit" and the three times; one row per
// channel ("-" in each cell of a channel without data); "1/|B-A|" in the B-A column.
std::string CursorTable(const Cursors& cursors, const WaveformSnapshot& store,
                        const ScaleLabels& labels, int timebaseId);

// Where the true value may lie beyond the one read: above it (a sample at the top code),
// below it (at the bottom code), or either way, which is not known.
struct ClipMark {
  bool above = false;
  bool below = false;
};

// A trace's level under a cursor, a whole number of its step.
struct CursorLevel {
  std::int64_t level = 0;
  ClipMark mark;
};

// A channel's code as counts from the centre line, above at the top code 255, below at the
// bottom code 0.
CursorLevel ChannelLevel(int code);

// What a trace reads at A, at B and B-A, as a channel's line writes it: "> 3,97 V" above,
// "< -4,00 V" below, "?" either way; B-A marked as a channel's by the marks at A and B.
// "-" where there is no level.
struct CursorReading {
  char a[kSiNumberSize] = "-";
  char b[kSiNumberSize] = "-";
  char difference[kSiNumberSize] = "-";
};
CursorReading ReadTrace(const ExactStep& voltsPerLevel, const std::optional<CursorLevel>& atA,
                        const std::optional<CursorLevel>& atB);

}  // namespace vexal

// The texts of the "Messungen" dialog: the scale it used, then a heading row and
// one row per measurement, with one column per channel.
#pragma once

#include <array>
#include <string>

#include "display/display_settings.h"
#include "display/waveform_store.h"

namespace vexal {

inline constexpr int kMeasurementColumns = 3;  // the row's name, channel 1, channel 2
inline constexpr int kMeasurementRows = 8;     // the heading, then seven measurements

struct MeasurementTable {
  std::string scale;  // "Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV"
  std::array<std::array<std::string, kMeasurementColumns>, kMeasurementRows> cells;
};

// With the labels and the timebase of the last paint, which the scale line shows.
// A channel without data has "-" in every row.
MeasurementTable BuildMeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                                       int timebaseId);

// The scale line, then each row with a TAB between the cells; CR LF line ends.
std::string TabSeparatedTable(const MeasurementTable& table);

}  // namespace vexal

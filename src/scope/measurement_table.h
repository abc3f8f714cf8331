// The "Messungen" table as the dialog shows it and its "Kopieren" copies it.
#pragma once

#include <string>
#include <vector>

#include "scope/display_settings.h"
#include "scope/measurements.h"
#include "scope/waveform_store.h"

namespace vexal {

// The scale line ("Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV"), then a
// heading row ("", "Kanal 1", "Kanal 2") and one row per measurement, one column per
// channel, a TAB between the cells, CR LF after each line. By the labels and the
// timebase of the current settings; a channel without data has "-" in every row.
// Further columns after the channels' (the reference's channels, the math trace), each
// with its heading and measurements.
struct MeasuredColumn {
  std::string heading;
  ChannelMeasurements measurements;
};
std::string MeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                             int timebaseId, const std::vector<MeasuredColumn>& more = {});

}  // namespace vexal

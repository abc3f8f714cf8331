// The "Messungen" table as the dialog shows it and its "Kopieren" copies it.
#pragma once

#include <string>

#include "scope/display_settings.h"
#include "scope/waveform_store.h"

namespace vexal {

// The scale line ("Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV"), then a
// heading row ("", "Kanal 1", "Kanal 2") and one row per measurement, one column per
// channel, a TAB between the cells, CR LF after each line. By the labels and the
// timebase of the current settings; a channel without data has "-" in every row.
std::string MeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                             int timebaseId);

}  // namespace vexal

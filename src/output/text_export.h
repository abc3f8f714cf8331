// The text file of the samples: each piece is written with one WriteFile call.
#pragma once

#include <string>
#include <vector>

#include "output/time_stamp.h"
#include "scope/waveform_store.h"

namespace vexal {

// "VEXAL-Interface V1.0 - Ausgabe vom DD.MM.YYYY, HH:MM" (year "%4d"): the
// heading of the text file and of the printed page.
std::string DatedHeading(const TimeStamp& stamp);

// Heading, rule, channel heading, 2048 sample lines and the closing "\n\n",
// in file order; bare LF line ends.
std::vector<std::string> TextExportPieces(const WaveformSnapshot& store, const TimeStamp& stamp);

}  // namespace vexal

// The samples as numbers for a spreadsheet ("Werte kopieren").
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scope/display_settings.h"
#include "scope/text_column.h"
#include "scope/waveform_store.h"

namespace vexal {

// A heading "Zeit / s", then "Kanal 1 / V" and "Kanal 2 / V" for the channels with
// data, and 2048 lines of the time i x dt and each such channel's c x q, by the
// labels and the timebase of the current settings. TAB between the columns, CR LF after
// each line. The numbers are exact, without an exponent, with the decimal
// separator of the user's locale.
// Further columns after the channels' follow, one cell for each of the 2048 lines.
std::string ValuesText(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                       std::string_view decimalSeparator, const std::vector<TextColumn>& more = {});

}  // namespace vexal

// The spectrum's texts (Windows-1252): the labels and peak read-outs of the picture, its
// "Messungen" table and its copied values.
#pragma once

#include <string>
#include <string_view>

#include "scope/display_settings.h"
#include "scope/frequency_levels.h"
#include "scope/text_column.h"
#include "scope/waveform_store.h"

namespace vexal {

// "CH1: Spitze 1,00 kHz  -3,0 dBV": the peak within the span (SpectrumPeak above the
// bottom line of the label's scale), its frequency to three digits and its level to one
// decimal; "CH1: -" without one. A clipped channel adds "  \xFC" "bersteuert".
std::string SpectrumPeakReadout(const char* name, const ChannelSpectrum& spectrum,
                                const ScaleLabel& label, int timebaseId, SpectrumSpan span);

// "f: 10,0 kHz / DIV": the span's tenth, in hertz.
std::string SpectrumFrequencyLabel(int timebaseId, SpectrumSpan span);
// "CH1: +10 dBV, 10 dB / DIV": the top line of the label's scale.
std::string SpectrumLevelLabel(const char* name, const ScaleLabel& label);

// "Fenster: Hann   Spanne: 100 %", then a heading row ("", "Kanal 1", "Kanal 2") and the
// rows "Spitze", "Pegel" and "Bin-Breite" (df), one column per channel, as the time
// view's table (MeasurementTable): a TAB between the cells, CR LF after each line. "-"
// in the cells of a channel without data, and in its peak's without a peak.
std::string SpectrumTable(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                          SpectrumWindow window, SpectrumSpan span);

// The heading "Frequenz / Hz", then "Kanal 1 / dBV" and "Kanal 2 / dBV" for the channels
// with data, and a line for each bin 0 to 1024, whatever the span: its frequency, exact,
// and each such channel's level to two decimals, an empty bin an empty cell. TAB between
// the columns, CR LF after each line, the decimal separator of the user's locale.
// Further columns after the channels' follow, one cell for each of the 1025 lines.
std::string SpectrumValuesText(const WaveformSnapshot& store, const ScaleLabels& labels,
                               int timebaseId, SpectrumWindow window,
                               std::string_view decimalSeparator,
                               const std::vector<TextColumn>& more = {});

// A column of the copied levels: two decimals, an empty cell for an empty bin.
TextColumn LevelColumn(std::string heading, const ChannelSpectrum& spectrum,
                       std::string_view decimalSeparator);

}  // namespace vexal

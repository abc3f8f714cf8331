#include "scope/frequency_text.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

#include "scope/channel_names.h"
#include "scope/number_text.h"

namespace vexal {
namespace {

constexpr char kClipped[] =
    "  \xFC"
    "bersteuert";
constexpr char kNotShown[] = "-";
constexpr int kRows = 3;
constexpr const char* kRowNames[kRows] = {"Spitze", "Pegel", "Bin-Breite"};

// `value` with `decimals` (1 to 18) decimals, each one written, rounded half away from
// zero: (-3.04, 1, ",") gives "-3,0", (-0.04, 1, ",") "0,0". `value` is finite and small.
constexpr std::size_t kFixedSize = 48;
void WriteFixed(char (&text)[kFixedSize], double value, int decimals, std::string_view separator) {
  const long long scaled = std::llround(value * PowerOfTen(decimals));
  const auto magnitude = static_cast<unsigned long long>(scaled < 0 ? -scaled : scaled);
  const auto one = static_cast<unsigned long long>(WholePowerOfTen(decimals));
  std::snprintf(text, sizeof text, "%s%llu%.*s%0*llu", scaled < 0 ? "-" : "", magnitude / one,
                static_cast<int>(separator.size()), separator.data(), decimals, magnitude % one);
}

// `bins` x df, exactly.
ExactNumber Hertz(int bins, const ExactStep& df) {
  return {bins * df.units, WholePowerOfTen(df.decimals)};
}

// The cells of a channel's peak: "1,00 kHz" and "-3,0 dBV", as the user reads them.
struct PeakCells {
  char frequency[kSiNumberSize] = "-";
  char level[kFixedSize + 4] = "-";
};

// The peak within the span (SpectrumPeak above the bottom line of the label's scale), or
// false and "-" in both cells.
bool WritePeak(PeakCells& cells, const ChannelSpectrum& spectrum, const ScaleLabel& label,
               int timebaseId, SpectrumSpan span) {
  const std::optional<int> peak = SpectrumPeak(spectrum, SpanBins(span), SpectrumBottomLine(label));
  if (!peak) return false;
  WriteSiNumber(cells.frequency, Hertz(*peak, HertzPerBin(timebaseId)), "Hz");
  char level[kFixedSize];
  WriteFixed(level, spectrum.level[*peak], 1, ",");
  std::snprintf(cells.level, sizeof cells.level, "%s dBV", level);
  return true;
}

// "10,0 kHz" as "10 kHz", "2,50 kHz" as "2,5 kHz": a division's frequency is exact in three
// digits, and a scale label writes no zero it does not need, as the timebase's labels.
void DropTrailingZeros(char* number) {
  char* comma = std::strchr(number, ',');
  char* unit = comma != nullptr ? std::strchr(comma, ' ') : nullptr;
  if (unit == nullptr) return;
  char* end = unit;
  while (end[-1] == '0') --end;
  if (end[-1] == ',') --end;
  std::memmove(end, unit, std::strlen(unit) + 1);
}

// A level as the copied values write it: two decimals, "" for an empty bin.
std::string LevelCell(double level, std::string_view decimalSeparator) {
  if (level == kNoLevel) return "";
  char cell[kFixedSize];
  WriteFixed(cell, level, 2, decimalSeparator);
  return cell;
}

}  // namespace

std::string SpectrumPeakReadout(const char* name, const ChannelSpectrum& spectrum,
                                const ScaleLabel& label, int timebaseId, SpectrumSpan span) {
  PeakCells cells;
  char text[2 * kSiNumberSize + 64];
  if (WritePeak(cells, spectrum, label, timebaseId, span)) {
    std::snprintf(text, sizeof text, "%s: Spitze %s  %s%s", name, cells.frequency, cells.level,
                  spectrum.clipped ? kClipped : "");
  } else {
    std::snprintf(text, sizeof text, "%s: %s%s", name, kNotShown, spectrum.clipped ? kClipped : "");
  }
  return text;
}

std::string SpectrumFrequencyLabel(int timebaseId, SpectrumSpan span) {
  const int binsPerDivision = SpanBins(span) / kFrequencyDivisions;
  char frequency[kSiNumberSize];
  WriteSiNumber(frequency, Hertz(binsPerDivision, HertzPerBin(timebaseId)), "Hz");
  DropTrailingZeros(frequency);
  char text[kSiNumberSize + 16];
  std::snprintf(text, sizeof text, "f: %s / DIV", frequency);
  return text;
}

std::string SpectrumLevelLabel(const char* name, const ScaleLabel& label) {
  const int top = SpectrumTopLine(label);
  char text[48];
  std::snprintf(text, sizeof text, "%s: %s%d dBV, %d dB / DIV", name, top > 0 ? "+" : "", top,
                kDecibelsPerDivision);
  return text;
}

std::string SpectrumTable(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId,
                          SpectrumWindow window, SpectrumSpan span) {
  char line[64];
  std::snprintf(line, sizeof line, "Fenster: %s   Spanne: %d %%\r\n\t%s\t%s\r\n",
                SpectrumWindowName(window), SpanPercent(span), ChannelName(0), ChannelName(1));
  std::string text = line;
  PeakCells peaks[kChannelCount];
  char binWidths[kChannelCount][kSiNumberSize] = {"-", "-"};
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    const ScaleLabel& label = labels[channel];
    const ChannelSpectrum spectrum =
        ComputeSpectrum(store.samples[channel], VoltsPerCountOf(label), window);
    WritePeak(peaks[channel], spectrum, label, timebaseId, span);
    WriteSiNumber(binWidths[channel], Hertz(1, HertzPerBin(timebaseId)), "Hz");
  }
  const char* const cells[kRows][kChannelCount] = {{peaks[0].frequency, peaks[1].frequency},
                                                   {peaks[0].level, peaks[1].level},
                                                   {binWidths[0], binWidths[1]}};
  for (int row = 0; row < kRows; ++row) {
    text += kRowNames[row];
    for (const char* cell : cells[row]) {
      text += '\t';
      text += cell;
    }
    text += "\r\n";
  }
  return text;
}

TextColumn LevelColumn(std::string heading, const ChannelSpectrum& spectrum,
                       std::string_view decimalSeparator) {
  TextColumn column{std::move(heading), {}};
  for (const double level : spectrum.level)
    column.cells.push_back(LevelCell(level, decimalSeparator));
  return column;
}

std::string SpectrumValuesText(const WaveformSnapshot& store, const ScaleLabels& labels,
                               int timebaseId, SpectrumWindow window,
                               std::string_view decimalSeparator,
                               const std::vector<TextColumn>& more) {
  std::vector<TextColumn> columns = {ExactColumn("Frequenz / Hz", Numbers(kSpectrumBins),
                                                 HertzPerBin(timebaseId), decimalSeparator)};
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] == 0) continue;
    columns.push_back(LevelColumn(
        ChannelName(channel) + std::string(" / dBV"),
        ComputeSpectrum(store.samples[channel], VoltsPerCountOf(labels[channel]), window),
        decimalSeparator));
  }
  columns.insert(columns.end(), more.begin(), more.end());
  return TabSeparated(columns);
}

}  // namespace vexal

#include "display/measurement_table.h"

#include <array>
#include <cstdio>

#include "display/measurements.h"
#include "display/number_text.h"
#include "display/sample_scale.h"
#include "display/timebase_labels.h"

namespace vexal {
namespace {

constexpr int kRows = 7;
constexpr const char* kRowNames[kRows] = {"Maximum",      "Minimum", "Spitze-Spitze", "Mittelwert",
                                          "Effektivwert", "Periode", "Frequenz"};
constexpr const char* kChannelNames[] = {"Kanal 1", "Kanal 2"};
// The true peak may lie beyond a sample at the end of the range.
constexpr char kAbove[] = "> ";
constexpr char kBelow[] = "< ";

// One measurement of one channel, as its cell shows it: "-" when not shown.
struct Cell {
  bool shown = false;
  const char* mark = "";
  double value = 0;
  const char* unit = "";
};
using Column = std::array<Cell, kRows>;

Column Cells(const ChannelSamples& samples, const ScaleLabel& label, int timebaseId) {
  const ChannelMeasurements m =
      MeasureChannel(samples, VoltsPerCount(label).Value(), SecondsPerSample(timebaseId).Value());
  const bool beyond = m.clippedHigh || m.clippedLow;
  const bool periodic = m.period.has_value();
  const double period = m.period.value_or(0);
  return {{{true, m.clippedHigh ? kAbove : "", m.maximum, "V"},
           {true, m.clippedLow ? kBelow : "", m.minimum, "V"},
           {true, beyond ? kAbove : "", m.maximum - m.minimum, "V"},
           {true, "", m.mean, "V"},
           {true, "", m.rms, "V"},
           {periodic, "", period, "s"},
           {periodic, "", periodic ? 1 / period : 0, "Hz"}}};
}

// "Kanal 1: 1 V / DIV   " for each channel with data; the timebase always, as on screen.
std::string ScaleLine(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId) {
  char line[160] = "";
  std::size_t used = 0;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const VoltUnit* unit = FindVoltUnit(labels[channel].unitCode);
    if (store.hasData[channel] == 0 || unit == nullptr) continue;
    used += static_cast<std::size_t>(
        std::snprintf(line + used, sizeof line - used, "%s: %u %s / DIV   ", kChannelNames[channel],
                      static_cast<unsigned>(labels[channel].value), unit->name));
  }
  const char* timebase = TimebaseLabel(timebaseId);
  std::snprintf(line + used, sizeof line - used, "%s", timebase != nullptr ? timebase : "");
  return line;
}

// "> 1,98 V", or "-".
void WriteCell(char (&text)[kSiNumberSize + 4], const Cell& cell) {
  char number[kSiNumberSize] = "";
  if (cell.shown) WriteSiNumber(number, cell.value, cell.unit);
  std::snprintf(text, sizeof text, "%s%s", cell.shown ? cell.mark : "-", number);
}

}  // namespace

std::string MeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                             int timebaseId) {
  Column columns[kChannelCount];
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] != 0) {
      columns[channel] = Cells(store.samples[channel], labels[channel], timebaseId);
    }
  }
  std::string text = ScaleLine(store, labels, timebaseId);
  text += "\r\n\tKanal 1\tKanal 2\r\n";
  for (int row = 0; row < kRows; ++row) {
    text += kRowNames[row];
    for (const Column& column : columns) {
      char cell[kSiNumberSize + 4];
      WriteCell(cell, column[row]);
      text += '\t';
      text += cell;
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace vexal

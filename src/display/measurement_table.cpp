#include "display/measurement_table.h"

#include <cstdio>

#include "display/measurements.h"
#include "display/number_text.h"
#include "display/sample_scale.h"
#include "display/timebase_labels.h"

namespace vexal {
namespace {

constexpr const char* kRowNames[] = {"Maximum",      "Minimum", "Spitze-Spitze", "Mittelwert",
                                     "Effektivwert", "Periode", "Frequenz"};
constexpr const char* kChannelNames[] = {"Kanal 1", "Kanal 2"};
constexpr char kNoValue[] = "-";
// The true peak may lie beyond a sample at the end of the range.
constexpr char kAbove[] = "> ";
constexpr char kBelow[] = "< ";

// One measurement of one channel, as its cell shows it.
struct Cell {
  bool shown;
  const char* mark;
  double value;
  const char* unit;
};

void FillColumn(MeasurementTable& table, int column, const ChannelMeasurements& m, bool hasData) {
  const bool beyond = m.clippedHigh || m.clippedLow;
  const bool periodic = m.period.has_value();  // never without data
  const double period = m.period.value_or(0);
  const Cell cells[] = {
      {hasData, m.clippedHigh ? kAbove : "", m.maximum, "V"},
      {hasData, m.clippedLow ? kBelow : "", m.minimum, "V"},
      {hasData, beyond ? kAbove : "", m.maximum - m.minimum, "V"},
      {hasData, "", m.mean, "V"},
      {hasData, "", m.rms, "V"},
      {periodic, "", period, "s"},
      {periodic, "", periodic ? 1 / period : 0, "Hz"},
  };
  for (std::size_t row = 1; row < table.cells.size(); ++row) {
    const Cell& cell = cells[row - 1];
    std::string& text = table.cells[row][column];
    text = cell.shown ? cell.mark : kNoValue;
    if (cell.shown) text += SiNumber(cell.value, cell.unit);
  }
}

// "Kanal 1: 1 V / DIV   " for each channel with data; the timebase always, as on screen.
std::string ScaleLine(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId) {
  std::string line;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const VoltUnit* unit = FindVoltUnit(labels[channel].unitCode);
    if (store.hasData[channel] == 0 || unit == nullptr) continue;
    char part[64];
    std::snprintf(part, sizeof part, "%s: %u %s / DIV   ", kChannelNames[channel],
                  static_cast<unsigned>(labels[channel].value), unit->name);
    line += part;
  }
  const char* timebase = TimebaseLabel(timebaseId);
  if (timebase != nullptr) line += timebase;
  return line;
}

}  // namespace

MeasurementTable BuildMeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                                       int timebaseId) {
  MeasurementTable table;
  table.scale = ScaleLine(store, labels, timebaseId);
  for (int channel = 0; channel < kChannelCount; ++channel) {
    table.cells[0][channel + 1] = kChannelNames[channel];
    const bool hasData = store.hasData[channel] != 0;
    const ChannelMeasurements m =
        hasData ? MeasureChannel(store.samples[channel], VoltsPerCount(labels[channel]).Value(),
                                 SecondsPerSample(timebaseId).Value())
                : ChannelMeasurements{};
    FillColumn(table, channel + 1, m, hasData);
  }
  for (std::size_t row = 1; row < table.cells.size(); ++row)
    table.cells[row][0] = kRowNames[row - 1];
  return table;
}

std::string TabSeparatedTable(const MeasurementTable& table) {
  std::string text = table.scale;
  for (const auto& row : table.cells) {
    text += "\r\n";
    for (std::size_t column = 0; column < row.size(); ++column) {
      if (column > 0) text += '\t';
      text += row[column];
    }
  }
  text += "\r\n";
  return text;
}

}  // namespace vexal

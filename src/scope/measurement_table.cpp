#include "scope/measurement_table.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "scope/channel_names.h"
#include "scope/measurements.h"
#include "scope/number_text.h"
#include "scope/sample_scale.h"
#include "scope/timebase_labels.h"

namespace vexal {
namespace {

constexpr int kRows = 7;
constexpr const char* kRowNames[kRows] = {"Maximum",      "Minimum", "Spitze-Spitze", "Mittelwert",
                                          "Effektivwert", "Periode", "Frequenz"};
// The true peak may lie beyond a sample at the end of the range.
constexpr char kAbove[] = "> ";
constexpr char kBelow[] = "< ";

// One measurement of one channel as its cell shows it: exact, else the nearest double
// (an irrational RMS); none of them (NAN) is "-".
struct Cell {
  const char* mark = "";
  std::optional<ExactNumber> exact;
  double nearest = NAN;
  const char* unit = "";
};
using Column = std::array<Cell, kRows>;

Column Cells(const ChannelMeasurements& m) {
  const bool beyond = m.clippedHigh || m.clippedLow;
  return {{{m.clippedHigh ? kAbove : "", m.maximum, NAN, "V"},
           {m.clippedLow ? kBelow : "", m.minimum, NAN, "V"},
           {beyond ? kAbove : "", m.peakToPeak, NAN, "V"},
           {"", m.mean, NAN, "V"},
           {"", m.exactRms, m.rms, "V"},
           {"", m.period, NAN, "s"},
           {"", m.frequency, NAN, "Hz"}}};
}

// "Kanal 1: 1 V / DIV   " for each channel with data; the timebase always, as on screen.
std::string ScaleLine(const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId) {
  std::string line;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const VoltUnit* unit = FindVoltUnit(labels[channel].unitCode);
    if (store.hasData[channel] == 0 || unit == nullptr) continue;
    char scale[48];  // "Kanal 1: 4294967295 \xB5V / DIV   "
    std::snprintf(scale, sizeof scale, "%s: %u %s / DIV   ", ChannelName(channel),
                  static_cast<unsigned>(labels[channel].value), unit->name);
    line += scale;
  }
  if (const char* timebase = TimebaseLabel(timebaseId)) line += timebase;
  return line;
}

// "> 1,98 V", or "-".
void WriteCell(char (&text)[kSiNumberSize + 4], const Cell& cell) {
  char number[kSiNumberSize];
  if (cell.exact) {
    WriteSiNumber(number, *cell.exact, cell.unit);
  } else {
    WriteSiNumber(number, cell.nearest, cell.unit);
  }
  std::snprintf(text, sizeof text, "%s%s", cell.mark, number);
}

}  // namespace

std::string MeasurementTable(const WaveformSnapshot& store, const ScaleLabels& labels,
                             int timebaseId, const std::vector<MeasuredColumn>& more) {
  std::vector<Column> columns(kChannelCount);
  std::string text = ScaleLine(store, labels, timebaseId);
  text += "\r\n";
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (store.hasData[channel] != 0) {
      columns[channel] = Cells(MeasureChannel(
          store.samples[channel], VoltsPerCount(labels[channel]), SecondsPerSample(timebaseId)));
    }
    text += '\t';
    text += ChannelName(channel);
  }
  for (const MeasuredColumn& column : more) {
    columns.push_back(Cells(column.measurements));
    text += '\t';
    text += column.heading;
  }
  text += "\r\n";
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

#include "scope/display_settings.h"

#include <iterator>

namespace vexal {
namespace {

struct VoltsRow {
  int id[2];  // channel 1, channel 2
  std::uint32_t microvolts;
};

// The "2V" identifiers break the numbering: 6032 for channel 1 and 6025 for
// channel 2, which lies among channel 1's identifiers. Each channel is looked
// up in its own column only.
constexpr VoltsRow kVoltsTable[] = {
    {{IDM_CH1_20V, IDM_CH2_20V}, 20'000'000},  {{IDM_CH1_10V, IDM_CH2_10V}, 10'000'000},
    {{IDM_CH1_5V, IDM_CH2_5V}, 5'000'000},     {{IDM_CH1_2V, IDM_CH2_2V}, 2'000'000},
    {{IDM_CH1_1V, IDM_CH2_1V}, 1'000'000},     {{IDM_CH1_500MV, IDM_CH2_500MV}, 500'000},
    {{IDM_CH1_200MV, IDM_CH2_200MV}, 200'000}, {{IDM_CH1_100MV, IDM_CH2_100MV}, 100'000},
    {{IDM_CH1_50MV, IDM_CH2_50MV}, 50'000},    {{IDM_CH1_20MV, IDM_CH2_20MV}, 20'000},
    {{IDM_CH1_10MV, IDM_CH2_10MV}, 10'000},    {{IDM_CH1_5MV, IDM_CH2_5MV}, 5'000},
};

constexpr int kProbe10[] = {IDM_CH1_PROBE_10, IDM_CH2_PROBE_10};  // channel 1, channel 2
constexpr int kProbe100[] = {IDM_CH1_PROBE_100, IDM_CH2_PROBE_100};

constexpr std::uint32_t kOneVolt = 1'000'000;

bool IsChannel(int channel) {
  return channel == 0 || channel == 1;
}

ScaleLabel LabelFor(int channel, int voltsId, int probeId, int gain5) {
  std::uint32_t m = MicrovoltsPerDivision(channel, voltsId);
  m *= ProbeFactor(channel, probeId);  // at most 20 V x 100 = 2e9, fits in 32 bits
  if (gain5 != 0) m /= 5;
  if (m >= 1'000'000'000u) return {m / 1'000'000'000u, kUnitKilovolt};
  if (m >= 1'000'000u) return {m / 1'000'000u, kUnitVolt};
  if (m < 1'000u) return {m, kUnitMicrovolt};
  return {m / 1'000u, kUnitMillivolt};
}

}  // namespace

std::uint32_t MicrovoltsPerDivision(int channel, int voltsId) {
  if (!IsChannel(channel)) return kOneVolt;
  for (const VoltsRow& row : kVoltsTable) {
    if (row.id[channel] == voltsId) return row.microvolts;
  }
  return kOneVolt;
}

std::uint32_t ProbeFactor(int channel, int probeId) {
  if (!IsChannel(channel)) return 1;
  if (probeId == kProbe10[channel]) return 10;
  if (probeId == kProbe100[channel]) return 100;
  return 1;
}

const VoltUnit* FindVoltUnit(int unitCode) {
  static constexpr VoltUnit kUnits[] = {{"kV", 3}, {"V", 0}, {"mV", -3}, {"\xB5V", -6}};
  if (unitCode < kUnitKilovolt || unitCode > kUnitMicrovolt) return nullptr;
  return &kUnits[unitCode];
}

ScaleLabels ComputeScaleLabels(const DisplaySettings& settings) {
  return {LabelFor(0, settings.ch1VoltsPerDiv, settings.ch1Probe, settings.ch1Gain5),
          LabelFor(1, settings.ch2VoltsPerDiv, settings.ch2Probe, settings.ch2Gain5)};
}

}  // namespace vexal

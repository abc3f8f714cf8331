// The user's menu selections and the scale labels derived from them.
#pragma once

#include <array>
#include <cstdint>

#include "resource.h"

namespace vexal {

// Each selection holds the menu identifier of the chosen item of its group.
struct DisplaySettings {
  int timebase = IDM_TB_100MS;
  int ch1VoltsPerDiv = IDM_CH1_1V;
  int ch2VoltsPerDiv = IDM_CH2_1V;
  int ch1Probe = IDM_CH1_PROBE_1;
  int ch2Probe = IDM_CH2_PROBE_1;
  int ch1Gain5 = 0;
  int ch2Gain5 = 0;
};

enum UnitCode : int { kUnitKilovolt = 0, kUnitVolt = 1, kUnitMillivolt = 2, kUnitMicrovolt = 3 };

struct ScaleLabel {
  std::uint32_t value = 0;
  int unitCode = kUnitKilovolt;
};

using ScaleLabels = std::array<ScaleLabel, 2>;  // channel 1, channel 2

// A unit code's name (Windows-1252) and the power of ten of its volts.
struct VoltUnit {
  const char* name;
  int powerOfTen;
};
// "kV" 3, "V" 0, "mV" -3, "\xB5V" -6; nullptr for a code other than 0 to 3.
const VoltUnit* FindVoltUnit(int unitCode);

// Microvolts per division for a volts identifier, looked up in the channel's own
// column (channel 0 or 1); an identifier not in that column counts as 1 V.
std::uint32_t MicrovoltsPerDivision(int channel, int voltsId);
// 1, 10 or 100; any identifier other than the channel's 10:1 or 100:1 gives 1.
std::uint32_t ProbeFactor(int channel, int probeId);
ScaleLabels ComputeScaleLabels(const DisplaySettings& settings);

}  // namespace vexal

#include <gtest/gtest.h>

#include <utility>

#include "display/display_settings.h"

namespace vexal {
namespace {

using Label = std::pair<std::uint32_t, int>;  // value, unit code

Label Of(const ScaleLabel& label) {
  return {label.value, label.unitCode};
}

TEST(ScaleLabels, TwoVoltIdentifiersBelongToTheirOwnChannelOnly) {
  EXPECT_EQ(MicrovoltsPerDivision(0, IDM_CH1_2V), 2'000'000u);
  EXPECT_EQ(MicrovoltsPerDivision(1, IDM_CH2_2V), 2'000'000u);
  // 6025 lies among channel 1's identifiers but is channel 2's "2V".
  EXPECT_EQ(MicrovoltsPerDivision(0, IDM_CH2_2V), 1'000'000u);
  EXPECT_EQ(MicrovoltsPerDivision(1, IDM_CH1_2V), 1'000'000u);
  EXPECT_EQ(MicrovoltsPerDivision(1, IDM_CH1_5MV), 1'000'000u);

  DisplaySettings s;
  s.ch1VoltsPerDiv = IDM_CH2_2V;
  s.ch1Probe = IDM_CH1_PROBE_10;
  s.ch2VoltsPerDiv = IDM_CH2_2V;
  s.ch2Gain5 = 1;
  ScaleLabels labels = ComputeScaleLabels(s);
  EXPECT_EQ(Of(labels[0]), Label(10, kUnitVolt));  // foreign id counts as 1 V, then x10
  EXPECT_EQ(Of(labels[1]), Label(400, kUnitMillivolt));

  // Start settings, and the other channel's probe identifiers, give 1 V.
  s = DisplaySettings{};
  s.ch1Probe = IDM_CH2_PROBE_100;
  s.ch2Probe = IDM_CH1_PROBE_10;
  labels = ComputeScaleLabels(s);
  EXPECT_EQ(Of(labels[0]), Label(1, kUnitVolt));
  EXPECT_EQ(Of(labels[1]), Label(1, kUnitVolt));
}

TEST(ScaleLabels, UnitBoundariesOnBothChannels) {
  const struct {
    int volts[2];
    int probe[2];
    int gain5;
    Label expect;
  } cases[] = {
      {{IDM_CH1_20V, IDM_CH2_20V}, {IDM_CH1_PROBE_100, IDM_CH2_PROBE_100}, 0, {2, kUnitKilovolt}},
      {{IDM_CH1_20V, IDM_CH2_20V}, {IDM_CH1_PROBE_100, IDM_CH2_PROBE_100}, 1, {400, kUnitVolt}},
      {{IDM_CH1_10V, IDM_CH2_10V}, {IDM_CH1_PROBE_100, IDM_CH2_PROBE_100}, 0, {1, kUnitKilovolt}},
      {{IDM_CH1_5MV, IDM_CH2_5MV}, {IDM_CH1_PROBE_1, IDM_CH2_PROBE_1}, 1, {1, kUnitMillivolt}},
      {{IDM_CH1_1V, IDM_CH2_1V}, {IDM_CH1_PROBE_1, IDM_CH2_PROBE_1}, 1, {200, kUnitMillivolt}},
      {{IDM_CH1_500MV, IDM_CH2_500MV}, {IDM_CH1_PROBE_10, IDM_CH2_PROBE_10}, 0, {5, kUnitVolt}},
      {{IDM_CH1_500MV, IDM_CH2_500MV},
       {IDM_CH1_PROBE_1, IDM_CH2_PROBE_1},
       0,
       {500, kUnitMillivolt}},
      {{IDM_CH1_10MV, IDM_CH2_10MV}, {IDM_CH1_PROBE_1, IDM_CH2_PROBE_1}, 0, {10, kUnitMillivolt}},
  };
  for (const auto& c : cases) {
    DisplaySettings s;
    s.ch1VoltsPerDiv = c.volts[0];
    s.ch2VoltsPerDiv = c.volts[1];
    s.ch1Probe = c.probe[0];
    s.ch2Probe = c.probe[1];
    s.ch1Gain5 = s.ch2Gain5 = c.gain5;
    const ScaleLabels labels = ComputeScaleLabels(s);
    EXPECT_EQ(Of(labels[0]), c.expect) << "volts id " << c.volts[0] << " gain " << c.gain5;
    EXPECT_EQ(Of(labels[1]), c.expect) << "volts id " << c.volts[1] << " gain " << c.gain5;
  }
}

TEST(ScaleLabels, UpdateWritesTheProcessWideRecords) {
  const DisplaySettings saved = TheDisplaySettings();
  TheDisplaySettings().ch2VoltsPerDiv = IDM_CH2_20V;
  TheDisplaySettings().ch2Probe = IDM_CH2_PROBE_100;
  UpdateScaleLabels();
  EXPECT_EQ(Of(TheScaleLabels()[0]), Label(1, kUnitVolt));
  EXPECT_EQ(Of(TheScaleLabels()[1]), Label(2, kUnitKilovolt));
  TheDisplaySettings() = saved;
  UpdateScaleLabels();
}

}  // namespace
}  // namespace vexal

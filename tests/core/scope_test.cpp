// The numbers of a read-out: scale labels, the store, the timebase table, number texts and
// the measurements.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <numbers>
#include <tuple>

#include "scope/display_settings.h"
#include "scope/measurement_table.h"
#include "scope/measurements.h"
#include "scope/number_text.h"
#include "scope/timebase_labels.h"
#include "scope/waveform_store.h"

namespace vexal {
namespace {

using Label = std::pair<std::uint32_t, int>;  // value, unit code

Label Of(const ScaleLabel& label) {
  return {label.value, label.unitCode};
}

// Each channel has its own column: 6025, among channel 1's identifiers, is channel 2's "2V";
// a foreign identifier counts as 1 V or 1:1. The other channel keeps its start label, 1 V.
TEST(ScaleLabels, UnitBoundariesAndOwnColumnsOnBothChannels) {
  const struct {
    int channel, volts, probe, gain5;
    Label label;
  } cases[] = {
      {0, IDM_CH1_20V, IDM_CH1_PROBE_100, 0, {2, kUnitKilovolt}},
      {1, IDM_CH2_20V, IDM_CH2_PROBE_100, 1, {400, kUnitVolt}},
      {0, IDM_CH1_10V, IDM_CH1_PROBE_100, 0, {1, kUnitKilovolt}},
      {1, IDM_CH2_5MV, IDM_CH2_PROBE_1, 1, {1, kUnitMillivolt}},
      {0, IDM_CH1_1V, IDM_CH1_PROBE_1, 1, {200, kUnitMillivolt}},
      {1, IDM_CH2_500MV, IDM_CH2_PROBE_10, 0, {5, kUnitVolt}},
      {0, IDM_CH1_2V, IDM_CH1_PROBE_1, 0, {2, kUnitVolt}},
      {0, IDM_CH2_2V, IDM_CH1_PROBE_10, 0, {10, kUnitVolt}},
      {1, IDM_CH2_2V, IDM_CH2_PROBE_1, 1, {400, kUnitMillivolt}},
      {0, IDM_CH1_1V, IDM_CH2_PROBE_100, 0, {1, kUnitVolt}},
      {1, IDM_CH1_2V, IDM_CH1_PROBE_10, 0, {1, kUnitVolt}},
  };
  for (const auto& c : cases) {
    DisplaySettings s;
    (c.channel == 0 ? s.ch1VoltsPerDiv : s.ch2VoltsPerDiv) = c.volts;
    (c.channel == 0 ? s.ch1Probe : s.ch2Probe) = c.probe;
    (c.channel == 0 ? s.ch1Gain5 : s.ch2Gain5) = c.gain5;
    const ScaleLabels labels = ComputeScaleLabels(s);
    EXPECT_EQ(Of(labels[c.channel]), c.label) << c.volts << " " << c.probe << " " << c.gain5;
    EXPECT_EQ(Of(labels[1 - c.channel]), Label(1, kUnitVolt));
  }
  EXPECT_EQ(std::pair(MicrovoltsPerDivision(2, IDM_CH1_20V), ProbeFactor(-1, IDM_CH1_PROBE_10)),
            std::pair(1'000'000u, 1u));
}

// A channel's section commits its samples with the flag 1; a status line only clears the flag.
TEST(WaveformStore, ChannelsCommitAsTheReplyCompletesThem) {
  WaveformStore store;
  ChannelSamples samples{};
  samples[7] = 200;
  store.CommitChannel(1, samples);
  store.MarkWithoutData(0);
  store.Modify([](WaveformSnapshot& s) { s.samples[0][1] = 9; });
  const WaveformSnapshot got = store.Snapshot();
  EXPECT_EQ(got.hasData, (std::array<int, 2>{0, 1}));
  EXPECT_EQ(std::tuple(got.samples[1][7], got.samples[0][1], got.samples[0][7]),
            std::tuple(200, 9, 0));
}

TEST(TimebaseTable, LabelsAndTimePerDivision) {
  // Written by wsprintf with no arguments, in Windows-1252 (never UTF-8's 0xC2 0xB5); the
  // exact time per division is the one the label shows.
  const std::map<std::string, std::uint32_t> microseconds = {
      {"s", 1'000'000}, {"ms", 1'000}, {"\xB5s", 1}};
  for (const TimebaseRow& r : TimebaseLabelTable) {
    EXPECT_EQ(std::strpbrk(r.labelText, "%\xC2"), nullptr);
    unsigned number = 0;
    char unit[4] = "";
    EXPECT_EQ(std::sscanf(r.labelText, "TB: %u %3s / DIV", &number, unit), 2);
    EXPECT_EQ(r.microsecondsPerDivision, number * microseconds.at(unit)) << r.labelText;
  }
  // The identifiers out of step: 6055 is "5ms", 6017 "500µs" and 6016 "200µs".
  const std::pair<int, const char*> labels[] = {
      {6004, "TB: 50 s / DIV"},      {6012, "TB: 100 ms / DIV"},    {6055, "TB: 5 ms / DIV"},
      {6017, "TB: 500 \xB5s / DIV"}, {6016, "TB: 200 \xB5s / DIV"}, {6022, "TB: 5 \xB5s / DIV"},
  };
  for (const auto& [id, label] : labels) EXPECT_STREQ(TimebaseLabel(id), label) << id;
  for (int id : {6023, 6003, 0}) EXPECT_EQ(TimebaseLabel(id), nullptr) << id;
}

// Every prefix boundary, the carry of the rounding into the next digit and prefix, halves away
// from zero (1.125 is exact in binary), numbers beyond the prefixes, and none at all.
TEST(NumberText, ThreeDigitsWithAnSiPrefix) {
  const std::pair<double, std::string> cases[] = {
      {0, "0 V"},           {2, "2,00 V"},         {-2, "-2,00 V"},         {1.41421, "1,41 V"},
      {1.125, "1,13 V"},    {-1.125, "-1,13 V"},   {9.9999, "10,0 V"},      {99.999, "100 V"},
      {999.5, "1,00 kV"},   {1000.7, "1,00 kV"},   {999.7e6, "1000 MV"},    {0.105, "105 mV"},
      {999e3, "999 kV"},    {1e6, "1,00 MV"},      {1.2345e9, "1235 MV"},   {0.2, "200 mV"},
      {0.00125, "1,25 mV"}, {999.6e-6, "1,00 mV"}, {12.5e-6, "12,5 \xB5V"}, {1e-6, "1,00 \xB5V"},
      {999e-9, "999 nV"},   {1e-9, "1,00 nV"},     {1.5e-10, "0,150 nV"},   {NAN, "-"},
      {1e18, "-"},          {INFINITY, "-"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(SiNumber(value, "V"), text) << value;
}

// Exact halves at every prefix, either sign, the carry into the next digit and prefix, the
// 64-bit extremes, and a denominator that is not above 0.
TEST(NumberText, ExactNumbersRoundHalvesAwayFromZero) {
  constexpr std::int64_t kLeast = std::numeric_limits<std::int64_t>::min();
  constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
  const struct {
    std::int64_t numerator, denominator;
    const char* text;
  } cases[] = {{0, 7, "0 V"},
               {2025, 1'000'000'000'000, "2,03 nV"},
               {-1255, 100'000'000, "-12,6 \xB5V"},
               {3875, 10'000, "388 mV"},
               {38'749'999, 100'000'000, "387 mV"},
               {-1025, 1000, "-1,03 V"},
               {2, 3, "667 mV"},
               {104'500, 1, "105 kV"},
               {-9'995'000, 1, "-10,0 MV"},
               {99'995, 100'000, "1,00 V"},
               {9'995'000'000, 10, "1000 MV"},
               {3, 20'000'000'000, "0,150 nV"},
               {9995, 10'000'000'000'000, "1,00 nV"},
               {1, kMost, "0,000000000108 nV"},
               {kLeast, 1, "-9223372036855 MV"},
               {1, 0, "-"},
               {1, -2, "-"}};
  for (const auto& [numerator, denominator, text] : cases) {
    EXPECT_EQ(SiNumber(ExactNumber{numerator, denominator}, "V"), text)
        << numerator << "/" << denominator;
  }
}

// 2048 samples of `periods` periods of a sine, square or triangle from -1 to 1 at 128 +- amplitude
// counts (limited to 0..255), plus repeatable noise of up to +- noise counts.
ChannelSamples Wave(char shape, double periods, double amplitude, int noise = 0) {
  ChannelSamples s;
  unsigned seed = 1;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    seed = seed * 1103515245u + 12345u;
    const double p = periods * i / kSamplesPerChannel, phase = p - std::floor(p);
    const double level = shape == 's'   ? std::sin(2 * std::numbers::pi * p)
                         : shape == 'q' ? (phase < 0.5 ? 1 : -1)
                                        : 1 - 4 * std::fabs(phase - 0.5);
    const int jitter = noise > 0 ? static_cast<int>((seed >> 16) % (2 * noise + 1)) - noise : 0;
    s[i] = static_cast<std::uint8_t>(
        std::clamp(std::lround(128 + amplitude * level + jitter), 0L, 255L));
  }
  return s;
}

double Of(const ExactNumber& n) {
  return static_cast<double>(n.numerator) / static_cast<double>(n.denominator);
}

// Levels in counts within `tolerance`, and the period in samples within 0.5 % (0: none),
// measured at 0.5 V a count and 2 s a sample; NAN: not checked. A glitch in a high half-period
// that stays within the hysteresis makes no crossing.
TEST(Measurements, LevelsAndPeriodOfKnownWaves) {
  ChannelSamples flat, zero, glitch = Wave('q', 8, 64);
  flat.fill(158);
  zero.fill(128);
  glitch[64] = 116;
  const struct {
    const char* name;
    ChannelSamples samples;
    double max, min, mean, rms, tolerance, period;
    bool clippedHigh, clippedLow;
  } cases[] = {
      {"sine", Wave('s', 5, 64), 64, -64, 0, 45.25, 0.3, 409.6, false, false},
      {"noisy sine", Wave('s', 5, 64, 6), NAN, NAN, 0, NAN, 0.3, 409.6, false, false},
      {"square", Wave('q', 8, 64), 64, -64, 0, 64, 0, 256, false, false},
      {"noisy square", Wave('q', 8, 64, 6), NAN, NAN, 0, NAN, 0.3, 256, false, false},
      {"triangle", Wave('t', 4, 64), 64, -64, 0, 36.95, 0.3, 512, false, false},
      {"noisy triangle", Wave('t', 4, 64, 6), NAN, NAN, 0, NAN, 0.3, 512, false, false},
      {"clipped sine", Wave('s', 5, 200), 127, -128, NAN, NAN, 0, 409.6, true, true},
      {"glitch", glitch, 64, -64, NAN, NAN, 0, 256, false, false},
      {"swing of 4", Wave('q', 8, 2), 2, -2, 0, 2, 0, 256, false, false},
      {"swing of 3", Wave('q', 8, 1.5), 2, -1, 0.5, NAN, 0, 0, false, false},
      {"one period", Wave('q', 1, -64), 64, -64, 0, 64, 0, 0, false, false},
      {"flat line", flat, 30, 30, 30, 30, 0, 0, false, false},
      {"zero", zero, 0, 0, 0, 0, 0, 0, false, false},
  };
  for (const auto& c : cases) {
    const ChannelMeasurements m = MeasureChannel(c.samples, {5, 1}, {2, 0});
    const double got[] = {Of(m.maximum), Of(m.minimum), Of(m.mean), m.rms},
                 want[] = {c.max, c.min, c.mean, c.rms};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(std::isnan(want[i]) || std::fabs(got[i] / 0.5 - want[i]) <= c.tolerance)
          << c.name << " " << i << " " << got[i] / 0.5;
    }
    // An RMS is exact where it is rational: a square's, not a sine's.
    EXPECT_EQ(m.exactRms.has_value(), c.tolerance == 0 && !std::isnan(c.rms)) << c.name;
    if (m.exactRms) {
      EXPECT_EQ(Of(*m.exactRms), m.rms) << c.name;
    }
    EXPECT_NEAR(m.period ? Of(*m.period) / 2 : 0, c.period, c.period / 200) << c.name;
    EXPECT_EQ(std::pair(m.clippedHigh, m.clippedLow), std::pair(c.clippedHigh, c.clippedLow))
        << c.name;
  }
  // Edges: from sample 0 over two samples at the mid level 128 (crossing at 1, where the last
  // sample below it is followed by one at it), then over 160 (crossing at 299 + 64 / 96).
  ChannelSamples edges;
  edges.fill(64);
  std::fill(edges.begin() + 1, edges.begin() + 50, 192);
  std::fill(edges.begin() + 300, edges.begin() + 350, 192);
  edges[1] = edges[2] = 128;
  edges[300] = 160;
  const ChannelMeasurements m = MeasureChannel(edges, {1, 0}, {1, 0});
  using Fraction = std::pair<std::int64_t, std::int64_t>;
  EXPECT_EQ(Fraction(m.period->numerator, m.period->denominator), Fraction(896, 3));
  EXPECT_EQ(Fraction(m.frequency->numerator, m.frequency->denominator), Fraction(3, 896));
  // Levels too large for their squares to be summed in 64 bits: the RMS in double only.
  TraceLevels large;
  large.level.fill(std::int64_t{1} << 26);
  large.step = {1, 0};
  const ChannelMeasurements l = MeasureLevels(large, {1, 0});
  EXPECT_EQ(std::pair(l.rms, l.exactRms.has_value()), std::pair(67108864.0, false));
}

// Channel 1 a square from 0 to 255 at 500 mV. Channel 2 at 100 mV at +3 counts, with two
// rising edges 678 samples apart, over 134 and to 252, each up to 255 for 300 samples: exact
// halves, 387,5 mV from top to bottom and 302,5 Hz (81920 / 121 samples of 1 / 204800 s).
// Both at 1 ms; then no data at all.
TEST(MeasurementTable, CellsExactFromTheLabelsAndTheTimebase) {
  const ScaleLabels labels = {ScaleLabel{500, kUnitMillivolt}, ScaleLabel{100, kUnitMillivolt}};
  WaveformSnapshot store{{Wave('q', 8, 200)}, {1, 1}};
  ChannelSamples& edges = store.samples[1];
  edges.fill(131);
  std::fill_n(edges.begin() + 102, 300, 255);
  std::fill_n(edges.begin() + 780, 300, 255);
  edges[101] = 134;
  edges[779] = 252;
  EXPECT_EQ(MeasurementTable(store, labels, IDM_TB_1MS),
            "Kanal 1: 500 mV / DIV   Kanal 2: 100 mV / DIV   TB: 1 ms / DIV\r\n"
            "\tKanal 1\tKanal 2\r\n"
            "Maximum\t> 1,98 V\t> 397 mV\r\n"
            "Minimum\t< -2,00 V\t9,38 mV\r\n"
            "Spitze-Spitze\t> 3,98 V\t> 388 mV\r\n"
            "Mittelwert\t-7,81 mV\t123 mV\r\n"
            "Effektivwert\t1,99 V\t215 mV\r\n"
            "Periode\t1,25 ms\t3,31 ms\r\n"
            "Frequenz\t800 Hz\t303 Hz\r\n");
  // A unit code without a unit (the labels never hold one) leaves the channel's scale out.
  EXPECT_TRUE(MeasurementTable(store, {ScaleLabel{7, 4}, labels[1]}, IDM_TB_1MS)
                  .starts_with("Kanal 2: 100 mV / DIV   TB: 1 ms / DIV\r\n"));
  EXPECT_EQ(MeasurementTable({}, labels, IDM_TB_1MS),
            "TB: 1 ms / DIV\r\n\tKanal 1\tKanal 2\r\nMaximum\t-\t-\r\nMinimum\t-\t-\r\n"
            "Spitze-Spitze\t-\t-\r\nMittelwert\t-\t-\r\nEffektivwert\t-\t-\r\n"
            "Periode\t-\t-\r\nFrequenz\t-\t-\r\n");
}

}  // namespace
}  // namespace vexal

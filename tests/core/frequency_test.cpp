// The spectrum: levels of sines and squares through each window, its scale, its line across
// the plot, and its texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "recording_canvas.h"
#include "scope/frequency_columns.h"
#include "scope/frequency_levels.h"
#include "scope/frequency_text.h"

namespace vexal {
namespace {

using enum SpectrumSpan;
using enum SpectrumWindow;
constexpr double kRootTwo = std::numbers::sqrt2;
const ScaleLabels kOneVolt = {ScaleLabel{1, kUnitVolt}, ScaleLabel{1, kUnitVolt}};

// `periods` periods of a sine of `amplitude` counts across the 2048 samples, rounded.
ChannelSamples Sine(double periods, double amplitude) {
  ChannelSamples s{};
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    const double phase = 2 * std::numbers::pi * periods * i / kSamplesPerChannel + 0.3;
    s[i] = static_cast<std::uint8_t>(kCentreSample + std::lround(amplitude * std::sin(phase)));
  }
  return s;
}

// 16 periods of 1 and 255: 127 counts about 128, clipped at the top.
ChannelSamples Square() {
  ChannelSamples s{};
  for (int i = 0; i < kSamplesPerChannel; ++i) s[i] = i % 128 < 64 ? 255 : 1;
  return s;
}

// A sine on a bin reads its RMS there; half-way between two bins, Hann loses 1.42 dB and
// Flat-Top next to nothing. Bins 5 and 1019 are as near the ends as Flat-Top's width allows.
TEST(Spectrum, SineReadsItsRmsWithEachWindow) {
  const struct {
    double periods, amplitude;
    ScaleLabel label;
    double voltsPerDivision;
  } sines[] = {{5, 100, {1, kUnitVolt}, 1},         {100, 30, {1, kUnitMillivolt}, 1e-3},
               {511, 120, {2, kUnitKilovolt}, 2e3}, {1019, 60, {400, kUnitMillivolt}, 0.4},
               {100.5, 100, {1, kUnitVolt}, 1},     {700.5, 60, {5, kUnitMillivolt}, 5e-3}};
  const std::tuple<SpectrumWindow, double> windows[] = {
      {kHann, 1.42}, {kFlatTop, 0}, {kRectangle, NAN}};  // the loss half-way
  for (const auto& [window, halfWayLoss] : windows) {
    for (const auto& c : sines) {
      const bool onBin = c.periods == std::floor(c.periods);
      if (!onBin && std::isnan(halfWayLoss)) continue;
      const ChannelSpectrum s =
          ComputeSpectrum(Sine(c.periods, c.amplitude), VoltsPerCountOf(c.label), window);
      const auto peak = std::max_element(s.level.begin() + 1, s.level.end()) - s.level.begin();
      EXPECT_LE(std::fabs(peak - c.periods), 0.5) << c.periods;
      const double rms = c.amplitude * c.voltsPerDivision / 32 / kRootTwo;
      EXPECT_NEAR(s.level[peak], 20 * std::log10(rms) - (onBin ? 0 : halfWayLoss), 0.1)
          << SpectrumWindowName(window) << " " << c.periods;
      EXPECT_FALSE(s.clipped);
    }
  }
}

// A square's odd harmonics at 4 / (pi n) of its amplitude, the even ones empty; a level
// alternating on each sample is all in bin 1024; a DC level alone leaves every bin empty.
TEST(Spectrum, SquareAlternatingAndDcLevel) {
  const ChannelSpectrum s = ComputeSpectrum(Square(), 1.0 / 32, kHann);
  for (int n = 1; n <= 7; n += 2) {
    const double rms = 4 / (std::numbers::pi * n) * (127.0 / 32) / kRootTwo;
    EXPECT_NEAR(s.level[16 * n], 20 * std::log10(rms), 0.1) << n;
    EXPECT_EQ(s.level[16 * (n + 1)], kNoLevel) << n;
  }
  EXPECT_TRUE(s.clipped);
  ChannelSamples samples{};
  for (int i = 0; i < kSamplesPerChannel; ++i) samples[i] = i % 2 == 0 ? 156 : 100;
  EXPECT_NEAR(ComputeSpectrum(samples, 1.0 / 32, kRectangle).level[1024],
              20 * std::log10(28.0 / 32), 1e-9);
  samples.fill(0);
  const ChannelSpectrum dc = ComputeSpectrum(samples, 1.0 / 32, kFlatTop);
  EXPECT_EQ(std::count(dc.level.begin(), dc.level.end(), kNoLevel), kSpectrumBins);
  EXPECT_TRUE(dc.clipped);
}

// The top line from 1 mV to 2 kV per division, and df per division across each span.
TEST(Spectrum, ScaleLabels) {
  const std::pair<ScaleLabel, const char*> levels[] = {
      {{1, kUnitMillivolt}, "CH1: -50 dBV, 10 dB / DIV"},
      {{200, kUnitMillivolt}, "CH1: 0 dBV, 10 dB / DIV"},
      {{1, kUnitVolt}, "CH1: +10 dBV, 10 dB / DIV"},
      {{2, kUnitVolt}, "CH1: +20 dBV, 10 dB / DIV"},
      {{5, kUnitVolt}, "CH1: +30 dBV, 10 dB / DIV"},
      {{2, kUnitKilovolt}, "CH1: +80 dBV, 10 dB / DIV"},
      {{0, kUnitVolt}, "CH1: 0 dBV, 10 dB / DIV"}};
  for (const auto& [label, text] : levels) EXPECT_EQ(SpectrumLevelLabel("CH1", label), text);
  EXPECT_EQ(SpectrumFrequencyLabel(IDM_TB_5US, kFull), "f: 2 MHz / DIV");
  EXPECT_EQ(SpectrumFrequencyLabel(IDM_TB_1MS, kQuarter), "f: 2,5 kHz / DIV");
  EXPECT_EQ(SpectrumFrequencyLabel(IDM_TB_50S, kTwentieth), "f: 10 mHz / DIV");
}

// One point per occupied column, holding its highest bin: a narrow peak survives in a plot
// narrower than the span. The columns follow the traces' rule: 100 x (290 / 1000.0) is
// 28.999..., column 28, where 100 x 290 / 1000 would give 29.
TEST(Spectrum, ColumnsKeepEachColumnsHighestBin) {
  const std::tuple<SpectrumSpan, int, int, int, std::size_t, int> cases[] = {
      // span, width, bin (a level of -20, its left neighbour -40), column, points, with a level
      {kFull, 100, 290, 28, 101, 1},
      {kQuarter, 150, 205, 122, 151, 1},
      {kTwentieth, 170, 35, 118, 51, 2}};
  for (const auto& [span, width, bin, x, count, withLevel] : cases) {
    ChannelSpectrum s;
    s.level.fill(kNoLevel);
    s.level[bin - 1] = -40;
    s.level[bin] = -20;
    const std::vector<SpectrumPoint> points = SpectrumColumns(s, SpanBins(span), width);
    ASSERT_EQ(points.size(), count) << width;
    EXPECT_EQ(std::tuple(points.front().x, points.front().level, points.back().x),
              std::tuple(0, kNoLevel, width));
    const auto peak = [&](const SpectrumPoint& p) { return p.x == x && p.level == -20; };
    EXPECT_EQ(std::count_if(points.begin(), points.end(), peak), 1) << width;
    const auto shown = [](const SpectrumPoint& p) { return p.level != kNoLevel; };
    EXPECT_EQ(std::count_if(points.begin(), points.end(), shown), withLevel) << width;
  }
}

// The peak within the span, bin 0 left out, at or above the bottom line (-70 dBV at 1 V /
// DIV); the first of equal ones; its level rounded half away from zero.
TEST(Spectrum, PeakReadout) {
  const std::tuple<int, double, int, double, SpectrumSpan, int, const char*> cases[] = {
      {1, -3.25, 0, kNoLevel, kFull, IDM_TB_1MS, "CH1: Spitze 100 Hz  -3,3 dBV"},
      {50, -70, 51, 0, kTwentieth, IDM_TB_1MS, "CH1: Spitze 5,00 kHz  -70,0 dBV"},
      {50, -70.001, 51, 0, kTwentieth, IDM_TB_1MS, "CH1: -"},
      {1, -70.001, 0, 20, kFull, IDM_TB_1MS, "CH1: -"},
      {7, -0.04, 9, -0.04, kQuarter, IDM_TB_1MS, "CH1: Spitze 700 Hz  0,0 dBV"},
      {1000, 0.25, 0, kNoLevel, kFull, IDM_TB_5US, "CH1: Spitze 20,0 MHz  0,3 dBV"}};
  for (const auto& [bin, level, other, otherLevel, span, timebase, text] : cases) {
    ChannelSpectrum s;
    s.level.fill(kNoLevel);
    s.level[bin] = level;
    s.level[other] = otherLevel;
    EXPECT_EQ(SpectrumPeakReadout("CH1", s, kOneVolt[0], timebase, span), text);
    s.clipped = true;
    EXPECT_EQ(SpectrumPeakReadout("CH1", s, kOneVolt[0], timebase, span),
              text + std::string("  \xFC"
                                 "bersteuert"));
  }
}

// The table: a channel with data but no peak has only its bin width.
TEST(Spectrum, MeasurementTable) {
  WaveformSnapshot store;
  store.samples = {Square(), {}};
  store.samples[1].fill(200);
  store.hasData = {1, 1};
  EXPECT_EQ(SpectrumTable(store, kOneVolt, IDM_TB_1MS, kFlatTop, kTwentieth),
            "Fenster: Flat-Top   Spanne: 5 %\r\n\tKanal 1\tKanal 2\r\n"
            "Spitze\t1,60 kHz\t-\r\nPegel\t11,1 dBV\t-\r\nBin-Breite\t100 Hz\t100 Hz\r\n");
  store.hasData = {0, 0};
  for (const auto& [span, percent] : {std::pair(kFull, "100"), std::pair(kQuarter, "25")}) {
    EXPECT_EQ(
        SpectrumTable(store, kOneVolt, IDM_TB_1MS, kRectangle, span),
        "Fenster: Rechteck   Spanne: " + std::string(percent) +
            " %\r\n\tKanal 1\tKanal 2\r\nSpitze\t-\t-\r\nPegel\t-\t-\r\nBin-Breite\t-\t-\r\n");
  }
}

// All 1025 bins whatever the span, exact frequencies at 50 s / DIV (df 0.002 Hz), the
// channel without data left out, an empty bin an empty cell.
TEST(Spectrum, CopiedValues) {
  WaveformSnapshot store;
  store.samples[0] = Square();
  store.hasData = {1, 0};
  const std::string text = SpectrumValuesText(store, kOneVolt, IDM_TB_50S, kHann, ",");
  const test::Lines lines = test::LinesOf(text);
  ASSERT_EQ(std::pair(lines.size(), text.ends_with("\r\n")), std::pair(std::size_t{1026}, true));
  const std::pair<int, const char*> rows[] = {{0, "Frequenz / Hz\tKanal 1 / dBV"},
                                              {1, "0\t"},
                                              {17, "0,032\t11,06"},
                                              {49, "0,096\t1,53"},
                                              {1025, "2,048\t"}};
  for (const auto& [line, expected] : rows) EXPECT_EQ(lines[line], expected);
}

}  // namespace
}  // namespace vexal

// The traces compared with the channels: the math trace, the reference, the X-Y view's points.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>

#include "app/demo_traces.h"
#include "display/plot_geometry.h"
#include "display/waveform_renderer.h"
#include "output/picture_tables.h"
#include "output/print_layout.h"
#include "recording_canvas.h"
#include "scope/math_trace.h"
#include "scope/reference_trace.h"

namespace vexal {
namespace {

using enum MathOperation;
constexpr ScaleLabel k1mV{1, kUnitMillivolt}, k100mV{100, kUnitMillivolt},
    k200mV{200, kUnitMillivolt}, k400mV{400, kUnitMillivolt}, k500mV{500, kUnitMillivolt},
    k1V{1, kUnitVolt}, k2V{2, kUnitVolt}, k10V{10, kUnitVolt}, k2kV{2, kUnitKilovolt};

const std::string kClipped =
    "  \xFC"
    "bersteuert";  // after a peak that clipping makes up

using Point = std::pair<int, int>;
Point Of(const PlotPoint& p) {
  return {p.x, p.y};
}

// The picture on a screen of that size, as a recording canvas holds it.
test::RecordingCanvas Drawn(const Picture& picture, int width = 800, int height = 600) {
  test::RecordingCanvas canvas;
  RenderWaveformPicture(canvas, {width, height, 8, 16}, picture);
  return canvas;
}

std::string Joined(std::initializer_list<std::string> texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : ", ") + text;
  return joined;
}

// M exact by each channel's q at A (sample 0) and B (CH1 at A, B, CH2 at A, B), marked where a
// clipped channel leaves it open ("?" both ways); labelled by the larger V / DIV; counts at A.
TEST(MathTrace, ExactLevelsMarksAndLabels) {
  const std::tuple<MathOperation, ScaleLabels, std::array<int, 4>, double> kSetups[] = {
      {kDifference, {k1V, k1V}, {129, 255, 127, 0}, 2},
      {kSum, {k10V, k200mV}, {129, 0, 64, 255}, -0.28},
      {kSum, {k500mV, k2V}, {200, 128, 140, 0}, 30},
      {kDifference, {k2kV, k1mV}, {128, 130, 255, 128}, -127 / 2e6}};
  const std::string kTexts[] = {"M: CH1-CH2   1 V / DIV, M: A 62,5 mV   B > 7,97 V   B-A > 7,91 V",
                                "M: CH1+CH2  10 V / DIV, M: A -87,5 mV   B ?   B-A ?",
                                "M: CH1+CH2   2 V / DIV, M: A 1,88 V   B < -8,00 V   B-A < -9,88 V",
                                "M: CH1-CH2 2 kV / DIV, M: A < -3,97 mV   B 125 V   B-A > 125 V"};
  for (int row = 0; row < 4; ++row) {
    const auto& [operation, labels, samples, counts] = kSetups[row];
    WaveformSnapshot store;
    for (int i = 0; i < 4; ++i) store.samples[i / 2][i % 2] = samples[i];
    const MathTrace m = ComputeMathTrace(operation, store, labels);
    const std::vector<std::string> forms = MathReadout({true, {0, 1}}, m).forms;
    EXPECT_EQ(Joined({MathLabel(m, true), forms.front()}), kTexts[row]);
    EXPECT_EQ(forms.back(), "M: " + kTexts[row].substr(kTexts[row].find("B-A")));
    EXPECT_EQ(MathCounts(m, 0), counts) << row;
  }
  // On paper the number plain; the dialog's row; its spectrum clipped; labels without volts
  // leave every level 0.
  WaveformSnapshot store;
  store.samples[0].fill(255);  // channel 2 at 0
  const MathTrace m = ComputeMathTrace(kDifference, store, {k1V, k1V});
  EXPECT_EQ(std::tuple(MathLabel(m, false), MathCursorRow({true, {1, 0}}, m),
                       MathSpectrum(m, SpectrumWindow::kHann).clipped),
            std::tuple("M: CH1-CH2 1 V / DIV", "M\t> 7,97 V\t> 7,97 V\t?\r\n", true));
  const MathTrace none = ComputeMathTrace(kSum, store, {ScaleLabel{1, 4}, {0, kUnitVolt}});
  EXPECT_EQ(std::tuple(MathCounts(none, 0), MathLabel(none, true)), std::tuple(0.0, ""));
}

// A square, 256 samples a period, at 1 ms / DIV on channel 1, channel 2 flat, or -1: i^2 % 29
// + 100, or -2: +64 counts each fourth 128 samples. M exact whatever its scale; no period from a
// swing under 4 counts of M's scale, a fraction beyond 64 bits, or a high under mid + h.
TEST(MathTrace, Measurements) {
  const std::tuple<ScaleLabels, int, int, MathOperation, std::string, bool, bool> cases[] = {
      {{k1V, k100mV}, 64, 255, kSum, "2,40 V, -1,60 V, 397 mV, 1,25 ms", true, false},
      {{k1V, k100mV}, 64, 255, kDifference, "1,60 V, -2,40 V, -397 mV, 1,25 ms", false, true},
      {{k100mV, k1V}, 3, 128, kDifference, "9,38 mV, -9,38 mV, 0 V, -", false, false},
      {{k2kV, k1mV}, 64, 128, kSum, "4,00 kV, -4,00 kV, 0 V, 1,25 ms", false, false},
      {{k2kV, k1mV}, 64, -1, kSum, "4,00 kV, -4,00 kV, -437 \xB5V, -", false, false},
      {{k1V, k1V}, 40, -2, kSum, "3,25 V, -1,25 V, 500 mV, 2,50 ms", false, false}};
  for (const auto& [labels, amplitude, ch2, operation, texts, high, low] : cases) {
    WaveformSnapshot store;
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      store.samples[0][i] = 128 + (i % 256 < 128 ? amplitude : -amplitude);
      const int pulse = i % 512 < 128 ? 192 : 128;
      store.samples[1][i] = ch2 >= 0 ? ch2 : ch2 == -1 ? i * i % 29 + 100 : pulse;
    }
    const ChannelMeasurements m =
        MeasureMath(ComputeMathTrace(operation, store, labels), IDM_TB_1MS);
    EXPECT_EQ(Joined({SiNumber(m.maximum, "V"), SiNumber(m.minimum, "V"), SiNumber(m.mean, "V"),
                      m.period ? SiNumber(*m.period, "s") : "-"}),
              texts);
    EXPECT_EQ(std::pair(m.clippedHigh, m.clippedLow), std::pair(high, low)) << texts;
  }
}

// Channel 1 at 2 V (64 counts of 1 V) at sample 100, else 0 V; channel 2 without data. Copied,
// it keeps its volts and times whatever the current scales; loaded, it takes them. A cursor
// reads the sample nearest its time (an exact half the later), none beyond the end.
TEST(ReferenceTrace, OwnOrCurrentScales) {
  WaveformSnapshot store;
  store.samples[0].fill(128);
  store.samples[0][100] = 192;
  store.hasData = {1, 0};
  const ReferenceTrace own1 = CopiedReference(store, {k1V, k1V}, IDM_TB_1MS, {14, 32, 5});
  const ReferenceTrace own2 = CopiedReference(store, {k1V, k1V}, IDM_TB_2MS, {9, 0, 0});
  const ReferenceTrace file = LoadedReference(store, "C:\\Daten\\messung.txt");
  EXPECT_EQ(Joined({own1.label, own2.label, file.label, LoadedReference(store, "a/b:c").label}),
            "Ref: Kurven von 14:32:05, Ref: Kurven von 09:00:00, "
            "Ref: messung.txt (aktuelle Skalen), Ref: c (aktuelle Skalen)");
  constexpr int k1ms = IDM_TB_1MS, k2ms = IDM_TB_2MS, k5ms = IDM_TB_5MS;
  using Case = std::tuple<const ReferenceTrace&, int, ScaleLabel, std::array<int, 2>, double,
                          double, std::array<int, 2>, std::string>;
  const Case cases[] = {
      {own1, k2ms, k500mV, {50, 1024}, 128, 50, {100, -1}, "2,00 V, 2,00 V, -, -"},
      {own2, k5ms, k400mV, {40, 819}, 160, 40, {100, -1}, "2,00 V, 2,00 V, -, -"},
      {own2, k1ms, k1V, {199, 5}, 64, 200, {100, 3}, "2,00 V, 2,00 V, 0 V, -2,00 V"},
      {own1, 0, k1V, {100, 7}, 64, 100, {100, 7}, "2,00 V, 2,00 V, 0 V, -2,00 V"},  // no row
      {file, k5ms, k500mV, {100, 0}, 64, 100, {100, 0}, "1,00 V, 1,00 V, 0 V, -1,00 V"}};
  for (const auto& [reference, timebase, current, cursors, counts, time, samples, texts] : cases) {
    const ScaleLabels labels = {current, k1V};
    const ReferenceReading r = ReadReference(reference, {true, cursors}, labels, timebase);
    const CursorReading& ch1 = r.channel[0];
    EXPECT_EQ(Joined({SiNumber(MeasureReference(reference, 0, labels, timebase).maximum, "V"),
                      ch1.a, ch1.b, ch1.difference}),
              texts);
    EXPECT_EQ(std::tuple(ReferenceCounts(reference, 0, 100, labels),
                         ReferenceTime(reference, 100, timebase), r.sample),
              std::tuple(counts, time, samples))
        << texts;
    EXPECT_STREQ(r.channel[1].a, "-");
  }
}

// Channel 1 across 10 divisions of 32 counts, quotient first (360 x 184 / 320 is 206.99...),
// channel 2 up as the traces: each quadrant and corner; counts with a fraction clipped.
TEST(PlotGeometry, XYPoints) {
  const PlotArea area{40, 40, 400, 552};  // 1.125 pixels a count across, 2 up
  const std::tuple<int, int, Point> samples[] = {
      {128, 128, {220, 296}}, {192, 192, {292, 168}}, {64, 192, {148, 168}},
      {64, 64, {148, 424}},   {192, 64, {292, 424}},  {255, 255, {362, 42}},
      {0, 0, {76, 552}},      {0, 255, {76, 42}},     {152, 0, {246, 552}}};
  for (const auto& [s1, s2, p] : samples) EXPECT_EQ(Of(XYPoint(area, s1, s2)), p) << s1 << s2;
  const std::tuple<double, double, Point> counts[] = {
      {-160, -128, {40, 552}}, {160, 128, {400, 40}},  {0.5, -0.25, {220, 296}},
      {200, -300, {400, 552}}, {-1000, 1e9, {40, 40}}, {-160.1, 128.1, {40, 40}}};
  for (const auto& [c1, c2, p] : counts) EXPECT_EQ(Of(XYCountsPoint(area, c1, c2)), p) << c1;
}

// Each view drawn from one description with a reference and M: which pens it selects (in
// order, with their widths and colours) and which texts it writes besides the cursors'.
TEST(Views, ScreenAndPaperDrawWhatTheViewHolds) {
  Picture picture;
  picture.traces.hasData = {1, 1};
  picture.labels = {k1V, k500mV};
  picture.reference = CopiedReference(picture.traces, picture.labels, IDM_TB_100MS, {14, 32, 5});
  picture.math = kDifference;
  picture.cursors.shown = true;
  const auto draw = [&](PictureView view) {
    picture.view = view;
    const test::RecordingCanvas canvas = Drawn(picture);
    return std::pair(canvas.Only("pen"), canvas.Only("text"));
  };
  const std::string ref = "text 752 48 Ref: Kurven von 14:32:05";
  EXPECT_EQ(
      draw(PictureView::kTime),
      std::pair(test::Lines{"pen 1 #0000a0", "pen 2 #008c8c", "pen 2 #008c00", "pen 2 #00ffff",
                            "pen 2 #00ff00", "pen 2 #ff00ff", "pen 1 #ffff00"},
                test::Lines{"text 48 512 M: CH1-CH2   1 V / DIV", "text 48 528 CH1:   1 V / DIV",
                            "text 48 544 CH2: 500 mV / DIV", "text 752 544 TB: 100 ms / DIV", ref,
                            "text 220 24 A", "text 580 24 B",
                            "text 48 48 A: 250 ms   B: 750 ms   B-A: 500 ms   1/|B-A|: 2,00 Hz",
                            "text 48 64 CH1: A < -4,00 V   B < -4,00 V   B-A ?",
                            "text 48 80 CH2: A < -2,00 V   B < -2,00 V   B-A ?",
                            "text 48 96 M: A ?   B ?   B-A ?"}));
  EXPECT_EQ(draw(PictureView::kXy),
            std::pair(test::Lines{"pen 1 #0000a0", "pen 2 #008c00", "pen 2 #00ff00"},
                      test::Lines{"text 48 528 X: CH1 1 V / DIV", "text 48 544 Y: CH2 500 mV / DIV",
                                  "text 752 544 TB: 100 ms / DIV", ref}));
  const auto [pens, texts] = draw(PictureView::kSpectrum);
  // A reference of the same traces and scales lies on the live traces, solid on the screen,
  // in the time view and X-Y; a peak marker adds three strokes to a live spectrum's line.
  picture.traces = DemonstrationTraces();
  picture.reference = CopiedReference(picture.traces, picture.labels, IDM_TB_100MS, {14, 32, 5});
  const test::RecordingCanvas spectrum = Drawn(picture);
  const std::vector<test::Stroke>& live = spectrum.Strokes(3);
  EXPECT_EQ(spectrum.Strokes(1), std::vector(live.begin(), live.end() - 3));
  picture.view = PictureView::kTime;
  const test::RecordingCanvas time = Drawn(picture);
  picture.view = PictureView::kXy;
  const test::RecordingCanvas xy = Drawn(picture);
  EXPECT_EQ(std::pair(time.Strokes(1), time.Strokes(2)),
            std::pair(time.Strokes(3), time.Strokes(4)));
  EXPECT_EQ(xy.Strokes(1), xy.Strokes(2));
  EXPECT_EQ(pens, (test::Lines{"pen 1 #0000a0", "pen 2 #008c8c", "pen 2 #008c00", "pen 2 #00ffff",
                               "pen 2 #00ff00", "pen 2 #ff00ff"}));
  EXPECT_EQ(texts.front(), "text 48 48 CH1: -" + kClipped);  // its peaks, M's last
  EXPECT_EQ(texts.at(3), "text 48 512 M: +10 dBV, 10 dB / DIV");
  // Paper: M's label on the top row in dark magenta, the reference's name at the top right,
  // the reference dashed.
  test::RecordingCanvas page;
  picture.view = PictureView::kTime;
  RenderPrintPage(page, PrintPage{960, 990, 20, true}, {2024, 12, 5, 9, 7}, picture);
  const auto m =
      std::find(page.calls.begin(), page.calls.end(), "text 40 395 M: CH1-CH2 1 V / DIV");
  ASSERT_NE(m, page.calls.end());
  EXPECT_EQ(*(m - 2), "colour #8b008b");
  const test::Lines written = page.Only("text");
  EXPECT_NE(std::find(written.begin(), written.end(), "text 920 50 Ref: Kurven von 14:32:05"),
            written.end());
  // Channel 1's reference: every other 16 segments, the 9th drawn from sample 8's column.
  EXPECT_EQ(std::pair(page.Strokes(2).size(), page.Strokes(2).at(8)[0]),
            std::pair(std::size_t{1024}, 23));
  // The X-Y view's labels on paper in their channels' colours.
  picture.view = PictureView::kXy;
  test::RecordingCanvas xyPage;
  RenderPrintPage(xyPage, PrintPage{960, 990, 20, true}, {2024, 12, 5, 9, 7}, picture);
  const auto x =
      std::find(xyPage.calls.begin(), xyPage.calls.end(), "text 40 415 X: CH1 1 V / DIV");
  ASSERT_NE(x, xyPage.calls.end());
  EXPECT_EQ(*(x - 2), "colour #00ffff");
}

// "Messungen" and "Werte kopieren" of a picture with a reference and M: their columns.
TEST(Views, TablesHaveTheReferencesAndMsColumns) {
  Picture picture;
  picture.traces.hasData = {1, 1};
  picture.labels = {k1V, k1V};
  picture.reference = LoadedReference(picture.traces, "messung.txt");
  picture.math = kSum;
  EXPECT_EQ(test::LinesOf(MeasurementsOf(picture)).at(1),
            "\tKanal 1\tKanal 2\tRef CH1\tRef CH2\tM");
  EXPECT_EQ(test::LinesOf(CopiedValuesOf(picture, ",")).at(0),
            "Zeit / s\tKanal 1 / V\tKanal 2 / V\tM / V\tRef Kanal 1 / V\tRef Kanal 2 / V");
  EXPECT_EQ(test::LinesOf(CopiedValuesOf(picture, ",")).at(1), "0\t-4\t-4\t-8\t-4\t-4");
  picture.view = PictureView::kSpectrum;
  EXPECT_EQ(
      test::LinesOf(CopiedValuesOf(picture, ",")).at(0),
      "Frequenz / Hz\tKanal 1 / dBV\tKanal 2 / dBV\tM / dBV\tRef Kanal 1 / dBV\tRef Kanal 2 / dBV");
  EXPECT_EQ(test::LinesOf(MeasurementsOf(picture)).at(0), "Fenster: Hann   Spanne: 100 %");
  EXPECT_EQ(CursorRowsOf(picture), "");
  picture.view = PictureView::kTime;
  picture.cursors.shown = true;
  EXPECT_EQ(test::LinesOf(CursorRowsOf(picture)).at(5), "Ref Kanal 1\t< -4,00 V\t< -4,00 V\t?");
}

// The start-up traces at 100 ms / DIV with a reference taken at 200 ms / DIV: its 1024 bins of
// 0.5 Hz (copied with frequencies of their own) reach 512 of the 1000 Hz across the 720 columns,
// its channel 1 peaks at 1 Hz in the first column, 9.0 dBV: 1 dB (6.5 pixels) below the top line;
// the live one's peak marker keeps inside the plot, its tip 8 pixels below the top line. M's peak
// is marked "übersteuert" where a clipped channel makes it up, and flat traces have none. 600
// wide, the peaks go below the reference's name (from 360), the cursors' leave out 1/|B-A|.
TEST(Views, SpectrumOfAReferenceAtAnotherTimebaseAndOfM) {
  Picture picture;
  picture.traces = DemonstrationTraces();
  picture.labels = {k1V, k1V};
  picture.reference = CopiedReference(picture.traces, picture.labels, IDM_TB_200MS, {14, 32, 5});
  picture.math = kDifference;
  picture.view = PictureView::kSpectrum;
  EXPECT_NE(CopiedValuesOf(picture, ",").find("\tRef Frequenz / Hz\t"), std::string::npos);
  const test::RecordingCanvas canvas = Drawn(picture);
  const std::vector<test::Stroke>& reference = canvas.Strokes(1);
  const std::vector<test::Stroke>& live = canvas.Strokes(3);
  EXPECT_EQ(
      std::tuple(reference.size(), reference.front(), reference.back()[2], live.size() - 3,
                 live.at(719)[2], live.back()),
      std::tuple(368, test::Stroke{40, 46, 41, 85}, 408, 720, 760, test::Stroke{41, 48, 37, 40}));
  EXPECT_EQ(canvas.Only("text").at(2), "text 48 80 M: Spitze 2,00 Hz  12,0 dBV" + kClipped);
  const auto written = [&picture](const std::string& text) {
    return std::ranges::count(Drawn(picture, 600, 360).Only("text"), text);
  };
  EXPECT_EQ(written("text 48 64 CH1: Spitze 2,00 Hz  9,0 dBV" + kClipped), 1);
  picture.traces.samples[0].fill(kCentreSample);
  picture.traces.samples[1].fill(kCentreSample);
  EXPECT_EQ(Drawn(picture).Only("text").at(2), "text 48 80 M: -");
  picture.view = PictureView::kTime;
  picture.cursors.shown = true;
  EXPECT_EQ(written("text 48 48 A: 250 ms   B: 750 ms   B-A: 500 ms"), 1);
}

}  // namespace
}  // namespace vexal

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "display/timebase_labels.h"
#include "display/waveform_renderer.h"
#include "recording_canvas.h"
#include "resource.h"

namespace vexal {
namespace {

using test::Op;
using test::RecordingCanvas;
using test::Stroke;
using Lines = std::vector<std::string>;

const ScaleLabels kLabels = {ScaleLabel{1, kUnitVolt}, ScaleLabel{500, kUnitMillivolt}};

RecordingCanvas Render(int width, int height, int ch1, int ch2, const ScaleLabels& labels = kLabels,
                       int timebase = IDM_TB_100MS, WaveformSnapshot store = {}) {
  RecordingCanvas canvas;
  store.hasData = {ch1, ch2};
  RenderWaveformPicture(canvas, {width, height, 8, 16}, store, labels, timebase);
  return canvas;
}

TEST(WaveformRenderer, CallsFollowTheChannelsWithData) {
  const Lines frame = {"gray brush",  "rect 20 20 780 580", "brush #000000", "rect 40 40 760 560",
                       "entry brush", "pen 1 #0000a0",      "release"};
  const Lines timebase = {"colour #00ffff", "align 2", "text 752 544 TB: 100 ms / DIV"};
  const std::pair<std::array<int, 2>, Lines> cases[] = {
      {{0, 0}, {"transparent"}},
      {{1, 0},
       {"pen 2 #00ffff", "release", "transparent", "colour #00ffff",
        "text 48 544 CH1:   1 V / DIV"}},
      {{0, 1},
       {"pen 2 #00ff00", "release", "transparent", "colour #00ff00",
        "text 48 544 CH2: 500 mV / DIV"}},
      {{1, 1},
       {"pen 2 #00ffff", "release", "pen 2 #00ff00", "release", "transparent", "colour #00ffff",
        "text 48 528 CH1:   1 V / DIV", "colour #00ff00", "text 48 544 CH2: 500 mV / DIV"}},
  };
  for (const auto& [data, middle] : cases) {
    SCOPED_TRACE(testing::Message() << "data " << data[0] << data[1]);
    const RecordingCanvas canvas = Render(800, 600, data[0], data[1]);
    Lines expected = frame;
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.insert(expected.end(), timebase.begin(), timebase.end());
    EXPECT_EQ(canvas.Outline(), expected);
    // Every line is drawn with a pen of its own: 92 for the graticule, 2047 per trace.
    const std::size_t traces = data[0] + data[1];
    EXPECT_EQ(canvas.Strokes(0).size(), 92u);
    for (std::size_t k = 1; k <= traces; ++k) EXPECT_EQ(canvas.Strokes(k).size(), 2047u);
    EXPECT_EQ(canvas.Count(Op::kLineTo), 92 + 2047 * traces);
  }
}

TEST(WaveformRenderer, GraticuleOf800x600) {
  const std::vector<Stroke> s = Render(800, 600, 0, 0).Strokes(0);
  ASSERT_EQ(s.size(), 51u + 41u);
  // 544, not 543: 40 + 720 * (35 / 50.0) is truncated as a whole.
  const int lineX[] = {40, 112, 184, 256, 328, 400, 472, 544, 616, 688, 760};
  for (int n = 0; n <= 10; ++n) EXPECT_EQ(s[5 * n], (Stroke{lineX[n], 560, lineX[n], 40})) << n;
  const int lineY[] = {40, 105, 170, 235, 300, 365, 430, 495, 560};
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(s[51 + 5 * n], (Stroke{40, lineY[n], 760, lineY[n]}));
  const int tickX[] = {54, 68, 83, 97};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(s[n + 1], (Stroke{tickX[n], 293, tickX[n], 307}));
  EXPECT_EQ(s[51 + 1], (Stroke{393, 53, 407, 53}));
}

TEST(WaveformRenderer, CoordinatesTruncateAfterQuotientProductSum) {
  const PlotArea area = ScreenPlotArea(800, 600);
  const int traceX[][2] = {{0, 40}, {2, 40}, {3, 41}, {2047, 759}};
  for (const auto& [i, x] : traceX) EXPECT_EQ(TraceX(area, i), x) << i;
  const int traceY[][2] = {{0, 560}, {1, 557}, {128, 300}, {255, 42}};
  for (const auto& [sample, y] : traceY) EXPECT_EQ(TraceY(area, sample), y) << sample;
  // 360 * (23 / 40.0) is 206.99999999999997: exact arithmetic would give 247.
  EXPECT_EQ(GraticuleY(ScreenPlotArea(800, 440), 23), 246);
}

TEST(WaveformRenderer, TracesFollowTheSamples) {
  WaveformSnapshot store;
  store.samples[0][1] = 1;
  store.samples[0][2] = 128;
  store.samples[0][3] = 255;
  store.samples[1].fill(128);
  store.samples[1][0] = 255;
  const RecordingCanvas canvas = Render(800, 600, 1, 1, kLabels, IDM_TB_100MS, store);
  const std::vector<Stroke> ch1 = canvas.Strokes(1), ch2 = canvas.Strokes(2);
  ASSERT_EQ(ch1.size(), 2047u);
  EXPECT_EQ(std::vector(ch1.begin(), ch1.begin() + 3),
            (std::vector<Stroke>{{40, 560, 40, 557}, {40, 557, 40, 300}, {40, 300, 41, 42}}));
  EXPECT_EQ(ch1[2046].x2, 759);  // one step short of the right edge
  EXPECT_EQ(ch2[0], (Stroke{40, 42, 40, 300}));
}

TEST(WaveformRenderer, LabelFormatsPerUnit) {
  // kV has a field width of one, the others of three.
  const std::pair<int, const char*> cases[] = {{kUnitKilovolt, "7 kV / DIV"},
                                               {kUnitVolt, "  7 V / DIV"},
                                               {kUnitMillivolt, "  7 mV / DIV"},
                                               {kUnitMicrovolt, "  7 \xB5V / DIV"}};
  for (const auto& [unit, text] : cases) {
    const ScaleLabel label{7, unit};
    const auto writes = Render(800, 600, 1, 1, {label, label}, IDM_TB_500US).Only(Op::kWriteText);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].text, std::string("CH1: ") + text);
    EXPECT_EQ(writes[1].text, std::string("CH2: ") + text);
    EXPECT_EQ(writes[2].text, "TB: 500 \xB5s / DIV");
  }
  EXPECT_EQ(ScreenLabelFormat(0, 4), nullptr);
  EXPECT_EQ(ScreenLabelFormat(2, 0), nullptr);
  // An unknown timebase sets up the text but writes none.
  const RecordingCanvas unknown = Render(800, 600, 0, 0, kLabels, 6001);
  EXPECT_EQ(unknown.Count(Op::kWriteText), 0u);
  EXPECT_EQ(unknown.calls.back().op, Op::kSetTextAlign);
}

TEST(WaveformRenderer, NarrowPictureUsesTheNegativeSpan) {
  // 60 x 70: L = 40 > R = 20, T = 40 > B = 30.
  const RecordingCanvas canvas = Render(60, 70, 1, 0);
  EXPECT_EQ(canvas.Outline()[1], "rect 20 20 40 50");
  EXPECT_EQ(canvas.Only(Op::kWriteText)[0].b, 30 - 16);
  const std::vector<Stroke> s = canvas.Strokes(0);
  ASSERT_EQ(s.size(), 92u);
  EXPECT_EQ(s[0], (Stroke{40, 30, 40, 40}));
  EXPECT_EQ(s[1], (Stroke{39, 28, 39, 42}));  // 40 - 0.4, centre 40 + (-10) / 2
  EXPECT_EQ(s[50], (Stroke{20, 30, 20, 40}));
  EXPECT_EQ(s[51 + 1], (Stroke{23, 39, 37, 39}));  // 40 - 0.25; centre 30

  const PlotArea area = ScreenPlotArea(60, 70);
  EXPECT_EQ(TraceX(area, 1), 39);  // 39.990..., the sum truncated as a whole
  EXPECT_EQ(TraceX(area, 2047), 20);
  EXPECT_EQ(TraceY(area, 255), 39);

  // Sizes far outside any window stay defined behaviour.
  for (int size : {0, -100, INT_MIN, INT_MAX}) {
    EXPECT_EQ(Render(size, size, 1, 1).Count(Op::kWriteText), 3u);
  }
}

}  // namespace
}  // namespace vexal

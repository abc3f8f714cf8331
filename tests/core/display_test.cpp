// The oscilloscope picture on the screen and in the metafile, drawn from its description.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <tuple>
#include <string>

#include "display/picture.h"
#include "display/waveform_renderer.h"
#include "recording_canvas.h"

namespace vexal {
namespace {

using test::Lines;
using test::RecordingCanvas;
using test::Stroke;

const ScaleLabels kLabels = {ScaleLabel{1, kUnitVolt}, ScaleLabel{500, kUnitMillivolt}};

RecordingCanvas Render(int width, int height, int ch1, int ch2, const ScaleLabels& labels = kLabels,
                       int timebase = IDM_TB_100MS, WaveformSnapshot store = {}) {
  RecordingCanvas canvas;
  store.hasData = {ch1, ch2};
  RenderWaveformPicture(canvas, {width, height, 8, 16},
                        {.traces = store, .labels = labels, .timebaseId = timebase});
  return canvas;
}

// Every line is drawn with a pen of its own: 92 for the graticule, 2047 per trace.
TEST(WaveformRenderer, CallsFollowTheChannelsWithData) {
  const Lines frame = {"gray brush",  "rect 20 20 780 580", "brush #000000", "rect 40 40 760 560",
                       "entry brush", "pen 1 #0000a0",      "92 lines",      "release"};
  const Lines timebase = {"colour #00ffff", "align 2", "text 752 544 TB: 100 ms / DIV"};
  const std::pair<std::array<int, 2>, Lines> cases[] = {
      {{0, 0}, {"transparent"}},
      {{1, 0},
       {"pen 2 #00ffff", "2047 lines", "release", "transparent", "colour #00ffff",
        "text 48 544 CH1:   1 V / DIV"}},
      {{0, 1},
       {"pen 2 #00ff00", "2047 lines", "release", "transparent", "colour #00ff00",
        "text 48 544 CH2: 500 mV / DIV"}},
      {{1, 1},
       {"pen 2 #00ffff", "2047 lines", "release", "pen 2 #00ff00", "2047 lines", "release",
        "transparent", "colour #00ffff", "text 48 528 CH1:   1 V / DIV", "colour #00ff00",
        "text 48 544 CH2: 500 mV / DIV"}},
  };
  for (const auto& [data, middle] : cases) {
    Lines expected = frame;
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.insert(expected.end(), timebase.begin(), timebase.end());
    EXPECT_EQ(Render(800, 600, data[0], data[1]).calls, expected);
  }
}

TEST(WaveformRenderer, GraticuleAndTracesOf800x600) {
  WaveformSnapshot store;
  store.samples[0] = {0, 1, 128, 255};
  store.samples[1].fill(128);
  store.samples[1][0] = 255;
  const RecordingCanvas canvas = Render(800, 600, 1, 1, kLabels, IDM_TB_100MS, store);
  const std::vector<Stroke>&s = canvas.Strokes(0), &ch1 = canvas.Strokes(1);
  // 544, not 543: 40 + 720 * (35 / 50.0) is truncated as a whole.
  const int lineX[] = {40, 112, 184, 256, 328, 400, 472, 544, 616, 688, 760};
  for (int n = 0; n <= 10; ++n) EXPECT_EQ(s.at(5 * n), (Stroke{lineX[n], 560, lineX[n], 40})) << n;
  const int lineY[] = {40, 105, 170, 235, 300, 365, 430, 495, 560};
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(s.at(51 + 5 * n), (Stroke{40, lineY[n], 760, lineY[n]}));
  const int tickX[] = {54, 68, 83, 97};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(s.at(n + 1), (Stroke{tickX[n], 293, tickX[n], 307}));
  EXPECT_EQ(s.at(51 + 1), (Stroke{393, 53, 407, 53}));
  // 360 * (23 / 40.0) is 206.99999999999997: exact arithmetic would give 247.
  EXPECT_EQ(GraticuleY(ScreenPlotArea(800, 440, 96), 23), 246);

  // The traces follow the samples and end one step short of the right edge.
  EXPECT_EQ(std::vector(ch1.begin(), ch1.begin() + 3),
            (std::vector<Stroke>{{40, 560, 40, 557}, {40, 557, 40, 300}, {40, 300, 41, 42}}));
  EXPECT_EQ(ch1.at(2046)[2], 759);
  EXPECT_EQ(canvas.Strokes(2).at(0), (Stroke{40, 42, 40, 300}));
}

// On screen kV has a field width of one, the others of three.
TEST(WaveformRenderer, LabelFormatsPerUnit) {
  const std::string texts[] = {"7 kV", "  7 V", "  7 mV", "  7 \xB5V"};  // by unit code
  for (int unit = kUnitKilovolt; unit <= kUnitMicrovolt; ++unit) {
    EXPECT_EQ(
        Render(800, 600, 1, 1, {{{7, unit}, {7, unit}}}, IDM_TB_500US).Only("text"),
        (Lines{"text 48 528 CH1: " + texts[unit] + " / DIV",
               "text 48 544 CH2: " + texts[unit] + " / DIV", "text 752 544 TB: 500 \xB5s / DIV"}));
  }
  EXPECT_EQ(ScreenLabelFormat(2, 0), "");
  // An unknown timebase or unit sets up the text but writes none.
  const RecordingCanvas unknown = Render(800, 600, 1, 0, {ScaleLabel{7, 4}, kLabels[1]}, 6001);
  EXPECT_EQ(unknown.Only("text").size(), 0u);
  EXPECT_EQ(unknown.calls.back(), "align 2");
}

// Above 96 dpi the screen's lengths scale as MulDiv(v, dpi, 96): frame and plot insets, the
// pens, the ticks and the cursors' dashes. Cases: dpi, frame, plot area, graticule pen, first
// tick, trace pen, cursor pen, first dash.
TEST(WaveformRenderer, LengthsScaleWithTheDpi) {
  const std::tuple<int, Lines, Stroke, Stroke> cases[] = {
      {96,
       {"rect 20 20 780 580", "rect 40 40 760 560", "pen 1 #0000a0", "pen 2 #00ffff",
        "pen 1 #ffff00"},
       {54, 293, 54, 307},
       {220, 40, 220, 43}},
      {144,
       {"rect 30 30 770 570", "rect 60 60 740 540", "pen 2 #0000a0", "pen 3 #00ffff",
        "pen 2 #ffff00"},
       {73, 289, 73, 311},
       {230, 60, 230, 65}},
      {192,
       {"rect 40 40 760 560", "rect 80 80 720 520", "pen 2 #0000a0", "pen 4 #00ffff",
        "pen 2 #ffff00"},
       {92, 286, 92, 314},
       {240, 80, 240, 86}},
  };
  for (const auto& [dpi, calls, tick, dash] : cases) {
    Picture picture;
    picture.traces.hasData = {1, 0};
    picture.cursors.shown = true;
    picture.dpi = dpi;
    RecordingCanvas canvas;
    RenderWaveformPicture(canvas, {800, 600, 8, 16}, picture);
    EXPECT_EQ((Lines{canvas.calls[1], canvas.calls[3], canvas.Only("pen")[0], canvas.Only("pen")[1],
                     canvas.Only("pen")[2]}),
              calls)
        << dpi;
    EXPECT_EQ(std::pair(canvas.Strokes(0).at(1), canvas.Strokes(2).at(0)), std::pair(tick, dash));
  }
}

TEST(WaveformRenderer, NarrowPictureUsesTheNegativeSpan) {
  // 60 x 70: L = 40 > R = 20, T = 40 > B = 30.
  const RecordingCanvas canvas = Render(60, 70, 1, 0);
  EXPECT_EQ(canvas.calls.at(1), "rect 20 20 40 50");
  EXPECT_EQ(canvas.Only("text").at(0), "text 48 14 CH1:   1 V / DIV");
  const std::vector<Stroke>& s = canvas.Strokes(0);
  EXPECT_EQ(s.at(0), (Stroke{40, 30, 40, 40}));
  EXPECT_EQ(s.at(1), (Stroke{39, 28, 39, 42}));  // 40 - 0.4, centre 40 + (-10) / 2
  EXPECT_EQ(s.at(50), (Stroke{20, 30, 20, 40}));
  EXPECT_EQ(s.at(51 + 1), (Stroke{23, 39, 37, 39}));  // 40 - 0.25; centre 30
  // Trace x 39.990... truncated as a whole, so 39; the last, 20.0097..., is 20.
  EXPECT_EQ(canvas.Strokes(1).at(0), (Stroke{40, 30, 39, 30}));
  EXPECT_EQ(TraceX(ScreenPlotArea(60, 70, 96), 2047), 20);
  EXPECT_EQ(TraceY(ScreenPlotArea(60, 70, 96), 255), 39);

  // Sizes far outside any window stay defined behaviour.
  for (int size : {0, -100, INT_MIN, INT_MAX})
    EXPECT_EQ(Render(size, size, 1, 1).Only("text").size(), 3u);
}

// Descriptions drawn one after another differ only where their fields do, and the first drawn
// again gives the same calls: the renderer reads nothing but its description.
TEST(Picture, TwoDescriptionsDifferOnlyByTheirFields) {
  Picture both;
  both.traces.hasData = {1, 1};
  both.labels = kLabels;
  const auto draw = [](const Picture& picture) {
    RecordingCanvas canvas;
    RenderWaveformPicture(canvas, {800, 600, 8, 16}, picture);
    return canvas.calls;
  };
  Picture cursors = both, one = both, screen = both;
  cursors.cursors.shown = true;
  one.traces.hasData[1] = 0;
  screen.forScreen = true;
  const Lines first = draw(both), withCursors = draw(cursors);
  // The cursor layer comes last; channel 2's pen and label go, channel 1's label moves down.
  EXPECT_EQ(Lines(withCursors.begin(), withCursors.begin() + first.size()), first);
  EXPECT_EQ(withCursors.at(first.size()), "pen 1 #ffff00");
  Lines changed = first;
  changed.erase(changed.begin() + 11, changed.begin() + 14);  // channel 2's pen, 2047 lines
  changed.erase(changed.begin() + 14, changed.begin() + 16);  // its colour and label
  changed[13] = "text 48 544 CH1:   1 V / DIV";
  EXPECT_EQ(draw(one), changed);
  // The screen marks the active cursor: A's line solid, one stroke instead of 87 dashes.
  EXPECT_EQ(draw(screen), first);
  screen.cursors.shown = true;
  Lines solid = withCursors;
  solid[first.size() + 1] = "88 lines";
  EXPECT_EQ(draw(screen), solid);
  EXPECT_EQ(draw(both), first);
}

}  // namespace
}  // namespace vexal

// The printed page, call by call, on a page of 960 x 990 device units with a
// line height of 20.
#include "output/print_layout.h"

#include <gtest/gtest.h>

#include <array>

#include "recording_canvas.h"

namespace vexal {
namespace {

using test::Op;
using test::RecordingCanvas;
using test::Stroke;
using Lines = std::vector<std::string>;

RecordingCanvas Print(int ch1, int ch2, bool colour = true, int height = 990,
                      ScaleLabels labels = {ScaleLabel{1, kUnitVolt},
                                            ScaleLabel{500, kUnitMillivolt}}) {
  WaveformSnapshot store;
  for (auto& channel : store.samples) {
    for (int i = 0; i < kSamplesPerChannel; ++i) channel[i] = static_cast<std::uint8_t>(i / 8);
    channel[0] = 0;
    channel[1] = 1;
    channel[2] = 128;
    channel[3] = 255;
  }
  store.hasData = {ch1, ch2};
  RecordingCanvas canvas;
  RenderPrintPage(canvas, PrintPage{960, height, 20, colour}, TimeStamp{2024, 12, 5, 9, 7}, store,
                  labels, 6012);
  return canvas;
}

// Paper has no brushes: both frames stay white. Channel labels switch the
// background to transparent; the timebase label alone stays opaque.
TEST(PrintLayout, CallsPerChannelAndPrinter) {
  const Lines head = {
      "align 6",           "text 480 0 VEXAL-Interface V1.0 - Ausgabe vom 05.12.2024, 09:07",
      "align 0",           "pen 5 #000000",
      "rect 0 20 960 475", "rect 20 40 940 455",
      "release",           "pen 3 #000000"};
  const Lines tail = {"colour #000000", "align 2", "text 920 435 TB: 100 ms / DIV", "release"};
  const std::pair<std::array<int, 3>, Lines> cases[] = {
      // channel 1, channel 2, colour
      {{1, 1, 1},
       {"release", "pen 5 #00ffff", "colour #00ffff", "transparent", "text 40 415 CH1: 1 V / DIV",
        "release", "pen 5 #00ff00", "colour #00ff00", "transparent",
        "text 40 435 CH2: 500 mV / DIV"}},
      {{1, 1, 0},
       {"release", "pen 5 #000000", "colour #000000", "transparent", "text 40 415 CH1: 1 V / DIV",
        "release", "pen 5 #646464", "colour #646464", "transparent",
        "text 40 435 CH2: 500 mV / DIV"}},
      {{1, 0, 1},
       {"release", "pen 5 #00ffff", "colour #00ffff", "transparent", "text 40 435 CH1: 1 V / DIV"}},
      {{0, 1, 1},
       {"release", "pen 5 #00ff00", "colour #00ff00", "transparent",
        "text 40 435 CH2: 500 mV / DIV"}},
      {{0, 0, 1}, {}},
  };
  for (const auto& [flags, middle] : cases) {
    SCOPED_TRACE(testing::Message() << "data " << flags[0] << flags[1] << " colour " << flags[2]);
    const RecordingCanvas canvas = Print(flags[0], flags[1], flags[2] != 0);
    Lines expected = head;
    expected.insert(expected.end(), middle.begin(), middle.end());
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_EQ(canvas.Outline(), expected);
    // The graticule and each trace with a pen of their own.
    EXPECT_EQ(canvas.Strokes(1).size(), 49u + 39u);
    EXPECT_EQ(canvas.Count(Op::kLineTo), 49u + 39u + (flags[0] + flags[1]) * 2047u);
  }
}

TEST(PrintLayout, GraticuleInnerPositionsOnly) {
  const std::vector<Stroke> g = Print(1, 1).Strokes(1);
  ASSERT_EQ(g.size(), 49u + 39u);
  // Ym = 247, Xm = 480.
  const int fullX[] = {112, 204, 296, 388, 480, 572, 664, 756, 848};
  for (int n = 0; n < 9; ++n) EXPECT_EQ(g[5 * n + 4], (Stroke{fullX[n], 455, fullX[n], 40}));
  const int tickX[] = {38, 56, 75, 93};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(g[n], (Stroke{tickX[n], 197, tickX[n], 297}));
  const int fullY[] = {91, 143, 195, 247, 299, 351, 403};
  for (int n = 0; n < 7; ++n) EXPECT_EQ(g[49 + 5 * n + 4], (Stroke{20, fullY[n], 940, fullY[n]}));
  const int tickY[] = {50, 60, 71, 81};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(g[49 + n], (Stroke{430, tickY[n], 530, tickY[n]}));

  // An odd page height changes neither frames nor graticule.
  const RecordingCanvas odd = Print(1, 1, true, 991);
  EXPECT_EQ(odd.Strokes(1), g);
  EXPECT_EQ(odd.Outline(), Print(1, 1).Outline());
}

TEST(PrintLayout, TraceOfChannelOne) {
  const std::vector<Stroke> trace = Print(1, 0).Strokes(2);
  ASSERT_EQ(trace.size(), 2047u);
  EXPECT_EQ(std::vector(trace.begin(), trace.begin() + 3),
            (std::vector<Stroke>{{20, 455, 20, 453}, {20, 453, 20, 247}, {20, 247, 21, 41}}));
  EXPECT_EQ(trace.back().x2, 939);
}

TEST(PrintLayout, LabelFormatsHaveNoFieldWidth) {
  const struct {
    ScaleLabel label;
    const char* text;
  } cases[] = {{{2, kUnitKilovolt}, "2 kV / DIV"},
               {{400, kUnitVolt}, "400 V / DIV"},
               {{5, kUnitMillivolt}, "5 mV / DIV"},
               {{1, kUnitMicrovolt}, "1 \xB5V / DIV"}};
  for (const auto& c : cases) {
    const auto texts = Print(1, 1, true, 990, {c.label, c.label}).Only(Op::kWriteText);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1].text, std::string("CH1: ") + c.text);
    EXPECT_EQ(texts[2].text, std::string("CH2: ") + c.text);
  }
}

}  // namespace
}  // namespace vexal

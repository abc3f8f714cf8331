#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "display/timebase_labels.h"
#include "display/waveform_renderer.h"
#include "recording_canvas.h"
#include "resource.h"

namespace vexal {
namespace {

using test::DrawCall;
using test::Op;
using test::RecordingCanvas;

constexpr int kCharWidth = 8;
constexpr int kCharHeight = 16;

struct Segment {
  int x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};

RecordingCanvas Render(int width, int height, const WaveformSnapshot& store,
                       const ScaleLabels& labels = {}, int timebase = IDM_TB_100MS) {
  RecordingCanvas canvas;
  RenderWaveformPicture(canvas, {width, height, kCharWidth, kCharHeight}, store, labels, timebase);
  return canvas;
}

WaveformSnapshot WithData(int ch1, int ch2) {
  WaveformSnapshot store;
  store.hasData = {ch1, ch2};
  return store;
}

// The MoveTo/LineTo pairs drawn with the graticule pen.
std::vector<Segment> GraticuleSegments(const RecordingCanvas& canvas) {
  std::vector<Segment> segments;
  std::size_t i = 0;
  while (canvas.calls[i].op != Op::kSelectNewPen) ++i;
  for (++i; canvas.calls[i].op != Op::kReleasePen; i += 2) {
    const DrawCall& from = canvas.calls[i];
    const DrawCall& to = canvas.calls[i + 1];
    EXPECT_EQ(from.op, Op::kMoveTo);
    EXPECT_EQ(to.op, Op::kLineTo);
    segments.push_back({from.a, from.b, to.a, to.b});
  }
  return segments;
}

TEST(WaveformRenderer, FrameAndGraticuleOf800x600) {
  const RecordingCanvas canvas = Render(800, 600, WithData(0, 0));
  const auto rectangles = canvas.Only(Op::kDrawRectangle);
  ASSERT_EQ(rectangles.size(), 2u);
  EXPECT_EQ((Segment{rectangles[0].a, rectangles[0].b, rectangles[0].c, rectangles[0].d}),
            (Segment{20, 20, 780, 580}));
  EXPECT_EQ((Segment{rectangles[1].a, rectangles[1].b, rectangles[1].c, rectangles[1].d}),
            (Segment{40, 40, 760, 560}));

  const std::vector<Segment> segments = GraticuleSegments(canvas);
  ASSERT_EQ(segments.size(), 51u + 41u);
  std::vector<int> lineX, lineY;
  for (int i = 0; i <= 50; i += 5) {
    const Segment& s = segments[static_cast<std::size_t>(i)];
    EXPECT_EQ(s.y1, 560);
    EXPECT_EQ(s.y2, 40);
    EXPECT_EQ(s.x1, s.x2);
    lineX.push_back(s.x1);
  }
  for (int j = 0; j <= 40; j += 5) {
    const Segment& s = segments[51 + static_cast<std::size_t>(j)];
    EXPECT_EQ(s.x1, 40);
    EXPECT_EQ(s.x2, 760);
    EXPECT_EQ(s.y1, s.y2);
    lineY.push_back(s.y1);
  }
  EXPECT_EQ(lineX, (std::vector<int>{40, 112, 184, 256, 328, 400, 472, 544, 616, 688, 760}));
  EXPECT_EQ(lineY, (std::vector<int>{40, 105, 170, 235, 300, 365, 430, 495, 560}));

  EXPECT_EQ(segments[1], (Segment{54, 293, 54, 307}));
  EXPECT_EQ(segments[2], (Segment{68, 293, 68, 307}));
  EXPECT_EQ(segments[3], (Segment{83, 293, 83, 307}));
  EXPECT_EQ(segments[4], (Segment{97, 293, 97, 307}));
  EXPECT_EQ(segments[51 + 1], (Segment{393, 53, 407, 53}));
}

TEST(WaveformRenderer, CoordinatesTruncateAfterQuotientProductSum) {
  const PlotArea area = ScreenPlotArea(800, 600);
  EXPECT_EQ(TraceX(area, 0), 40);
  EXPECT_EQ(TraceX(area, 1), 40);
  EXPECT_EQ(TraceX(area, 2), 40);
  EXPECT_EQ(TraceX(area, 3), 41);
  EXPECT_EQ(TraceX(area, 2047), 759);
  EXPECT_EQ(TraceY(area, 0), 560);
  EXPECT_EQ(TraceY(area, 1), 557);
  EXPECT_EQ(TraceY(area, 128), 300);
  EXPECT_EQ(TraceY(area, 255), 42);
  // 360 * (23 / 40.0) is 206.99999999999997: exact arithmetic would give 247.
  EXPECT_EQ(GraticuleY(ScreenPlotArea(800, 440), 23), 246);
}

TEST(WaveformRenderer, TracesFollowTheSamples) {
  WaveformSnapshot store = WithData(1, 1);
  store.samples[0][0] = 0;
  store.samples[0][1] = 1;
  store.samples[0][2] = 128;
  store.samples[0][3] = 255;
  store.samples[1].fill(128);
  store.samples[1][0] = 255;
  const RecordingCanvas canvas = Render(800, 600, store);

  const auto pens = canvas.Only(Op::kSelectNewPen);
  ASSERT_EQ(pens.size(), 3u);
  EXPECT_EQ(pens[0].a, 1);
  EXPECT_EQ(pens[0].colour, kDarkBlue);
  EXPECT_EQ(pens[1].a, 2);
  EXPECT_EQ(pens[1].colour, kCyan);
  EXPECT_EQ(pens[2].a, 2);
  EXPECT_EQ(pens[2].colour, kGreen);

  const auto moves = canvas.Only(Op::kMoveTo);
  const auto lines = canvas.Only(Op::kLineTo);
  ASSERT_EQ(moves.size(), 92u + 2u);
  ASSERT_EQ(lines.size(), 92u + 2u * 2047u);
  EXPECT_EQ((Segment{moves[92].a, moves[92].b, lines[92].a, lines[92].b}),
            (Segment{40, 560, 40, 557}));
  EXPECT_EQ((Segment{lines[93].a, lines[93].b, lines[94].a, lines[94].b}),
            (Segment{40, 300, 41, 42}));
  EXPECT_EQ(lines[92 + 2046].a, 759);  // one step short of the right edge
  EXPECT_EQ((Segment{moves[93].a, moves[93].b, lines[92 + 2047].a, lines[92 + 2047].b}),
            (Segment{40, 42, 40, 300}));
}

TEST(WaveformRenderer, CallOrderAndObjectBalance) {
  const RecordingCanvas canvas = Render(800, 600, WithData(1, 1));
  std::vector<Op> skeleton;
  for (const DrawCall& c : canvas.calls) {
    if (c.op != Op::kMoveTo && c.op != Op::kLineTo) skeleton.push_back(c.op);
  }
  const std::vector<Op> expected = {
      Op::kSelectGrayBrush, Op::kDrawRectangle,     Op::kSelectNewSolidBrush,
      Op::kDrawRectangle,   Op::kRestoreEntryBrush, Op::kSelectNewPen,
      Op::kReleasePen,      Op::kSelectNewPen,      Op::kReleasePen,
      Op::kSelectNewPen,    Op::kReleasePen,        Op::kSetTransparentBackground,
      Op::kSetTextColour,   Op::kWriteText,         Op::kSetTextColour,
      Op::kWriteText,       Op::kSetTextColour,     Op::kSetTextAlign,
      Op::kWriteText};
  EXPECT_EQ(skeleton, expected);
  EXPECT_EQ(canvas.Only(Op::kSelectNewSolidBrush)[0].colour, kBlack);

  // Every line is drawn between a pen's selection and its release.
  bool penSelected = false;
  for (const DrawCall& c : canvas.calls) {
    if (c.op == Op::kSelectNewPen) {
      EXPECT_FALSE(penSelected);
      penSelected = true;
    } else if (c.op == Op::kReleasePen) {
      EXPECT_TRUE(penSelected);
      penSelected = false;
    } else if (c.op == Op::kMoveTo || c.op == Op::kLineTo) {
      EXPECT_TRUE(penSelected);
    }
  }
  EXPECT_FALSE(penSelected);
}

TEST(WaveformRenderer, LabelsFollowTheChannelsWithData) {
  const ScaleLabels labels = {ScaleLabel{1, kUnitVolt}, ScaleLabel{500, kUnitMillivolt}};
  struct Case {
    int ch1, ch2;
    std::vector<std::string> texts;
    std::vector<int> rows;  // y of each text
  };
  const Case cases[] = {
      {0, 0, {"TB: 100 ms / DIV"}, {544}},
      {1, 0, {"CH1:   1 V / DIV", "TB: 100 ms / DIV"}, {544, 544}},
      {0, 1, {"CH2: 500 mV / DIV", "TB: 100 ms / DIV"}, {544, 544}},
      {1, 1, {"CH1:   1 V / DIV", "CH2: 500 mV / DIV", "TB: 100 ms / DIV"}, {528, 544, 544}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "data " << c.ch1 << c.ch2);
    const RecordingCanvas canvas = Render(800, 600, WithData(c.ch1, c.ch2), labels);
    EXPECT_EQ(canvas.Count(Op::kSetTransparentBackground), 1u);
    const auto writes = canvas.Only(Op::kWriteText);
    const auto colours = canvas.Only(Op::kSetTextColour);
    ASSERT_EQ(writes.size(), c.texts.size());
    ASSERT_EQ(colours.size(), c.texts.size());
    for (std::size_t i = 0; i < writes.size(); ++i) {
      EXPECT_EQ(writes[i].text, c.texts[i]);
      EXPECT_EQ(writes[i].b, c.rows[i]);
      const bool isTimebase = i + 1 == writes.size();
      EXPECT_EQ(writes[i].a, isTimebase ? 760 - kCharWidth : 40 + kCharWidth);
      EXPECT_EQ(colours[i].colour, writes[i].format.rfind("CH2", 0) == 0 ? kGreen : kCyan);
    }
    const auto aligns = canvas.Only(Op::kSetTextAlign);
    ASSERT_EQ(aligns.size(), 1u);
    EXPECT_EQ(aligns[0].align, TextAlign::kRightTop);
  }
}

TEST(WaveformRenderer, LabelFormatsPerUnit) {
  const ScaleLabels labels = {ScaleLabel{2, kUnitKilovolt}, ScaleLabel{7, kUnitMicrovolt}};
  const auto writes = Render(800, 600, WithData(1, 1), labels, IDM_TB_500US).Only(Op::kWriteText);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[0].text, "CH1: 2 kV / DIV");
  EXPECT_EQ(writes[1].text, "CH2:   7 \xB5V / DIV");
  EXPECT_EQ(writes[2].text, "TB: 500 \xB5s / DIV");
  EXPECT_STREQ(ScreenLabelFormat(0, kUnitMillivolt), "CH1: %3d mV / DIV");
  EXPECT_STREQ(ScreenLabelFormat(1, kUnitVolt), "CH2: %3d V / DIV");
  EXPECT_EQ(ScreenLabelFormat(0, 4), nullptr);
  EXPECT_EQ(ScreenLabelFormat(2, 0), nullptr);
}

TEST(WaveformRenderer, UnknownTimebaseWritesNoText) {
  const RecordingCanvas canvas = Render(800, 600, WithData(0, 0), {}, 6001);
  EXPECT_EQ(canvas.Count(Op::kWriteText), 0u);
  EXPECT_EQ(canvas.calls.back().op, Op::kSetTextAlign);
}

TEST(WaveformRenderer, NarrowPictureUsesTheNegativeSpan) {
  // 60 x 70: L = 40 > R = 20, T = 40 > B = 30.
  const RecordingCanvas canvas = Render(60, 70, WithData(1, 0));
  const auto rectangles = canvas.Only(Op::kDrawRectangle);
  EXPECT_EQ((Segment{rectangles[0].a, rectangles[0].b, rectangles[0].c, rectangles[0].d}),
            (Segment{20, 20, 40, 50}));
  const std::vector<Segment> segments = GraticuleSegments(canvas);
  ASSERT_EQ(segments.size(), 92u);
  EXPECT_EQ(segments[0], (Segment{40, 30, 40, 40}));
  EXPECT_EQ(segments[1], (Segment{39, 28, 39, 42}));  // 40 - 0.4, centre 40 + (-10) / 2
  EXPECT_EQ(segments[50], (Segment{20, 30, 20, 40}));
  EXPECT_EQ(segments[51 + 1], (Segment{23, 39, 37, 39}));  // 40 - 0.25; centre 30

  const PlotArea area = ScreenPlotArea(60, 70);
  EXPECT_EQ(TraceX(area, 1), 39);  // 39.990..., the sum truncated as a whole
  EXPECT_EQ(TraceX(area, 2047), 20);
  EXPECT_EQ(TraceY(area, 255), 39);
  EXPECT_EQ(canvas.Only(Op::kWriteText)[0].b, 30 - kCharHeight);

  // Sizes far outside any window stay defined behaviour.
  for (int size : {0, -100, INT_MIN, INT_MAX}) {
    EXPECT_EQ(Render(size, size, WithData(1, 1)).Count(Op::kWriteText), 3u);
  }
}

}  // namespace
}  // namespace vexal

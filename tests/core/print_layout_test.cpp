// The printed page, call by call, on a page of 960 x 990 device units with a
// line height of 20.
#include "output/print_layout.h"

#include <gtest/gtest.h>

#include "recording_canvas.h"

namespace vexal {
namespace {

using test::DrawCall;
using test::Op;
using test::RecordingCanvas;

struct Segment {
  int x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};

Segment Seg(int x1, int y1, int x2, int y2) {
  return Segment{x1, y1, x2, y2};
}

std::ostream& operator<<(std::ostream& os, const Segment& s) {
  return os << "(" << s.x1 << "," << s.y1 << ")-(" << s.x2 << "," << s.y2 << ")";
}

struct Printed {
  RecordingCanvas canvas;

  Printed(int ch1, int ch2, bool colour = true, int height = 990) {
    PrintPage page{960, height, 20, colour};
    WaveformSnapshot store;
    for (auto& channel : store.samples) {
      for (int i = 0; i < kSamplesPerChannel; ++i) channel[i] = static_cast<std::uint8_t>(i / 8);
      channel[0] = 0;
      channel[1] = 1;
      channel[2] = 128;
      channel[3] = 255;
    }
    store.hasData = {ch1, ch2};
    ScaleLabels labels{ScaleLabel{1, kUnitVolt}, ScaleLabel{500, kUnitMillivolt}};
    RenderPrintPage(canvas, page, TimeStamp{2024, 12, 5, 9, 7}, store, labels, 6012);
  }

  // The MoveTo/LineTo pairs drawn with the graticule pen (width 3).
  std::vector<Segment> Graticule() const {
    std::vector<Segment> out;
    bool inGraticule = false;
    for (std::size_t k = 0; k < canvas.calls.size(); ++k) {
      const DrawCall& c = canvas.calls[k];
      if (c.op == Op::kSelectNewPen) inGraticule = c.a == 3;
      if (c.op == Op::kReleasePen) inGraticule = false;
      if (inGraticule && c.op == Op::kMoveTo) {
        const DrawCall& next = canvas.calls.at(k + 1);
        EXPECT_EQ(next.op, Op::kLineTo);
        out.push_back({c.a, c.b, next.a, next.b});
      }
    }
    return out;
  }

  // Index of the first call with this op after position `from`.
  std::size_t Find(Op op, std::size_t from = 0) const {
    for (std::size_t k = from; k < canvas.calls.size(); ++k) {
      if (canvas.calls[k].op == op) return k;
    }
    return canvas.calls.size();
  }
};

TEST(PrintLayout, HeadingAndFrames) {
  Printed p(1, 1);
  const auto& c = p.canvas.calls;
  ASSERT_GE(c.size(), 8u);
  EXPECT_EQ(c[0].op, Op::kSetTextAlign);
  EXPECT_EQ(c[0].align, TextAlign::kCentreTop);
  EXPECT_EQ(c[1].op, Op::kWriteText);
  EXPECT_EQ(c[1].a, 480);
  EXPECT_EQ(c[1].b, 0);
  EXPECT_EQ(c[1].text, "VEXAL-Interface V1.0 - Ausgabe vom 05.12.2024, 09:07");
  EXPECT_EQ(c[2].op, Op::kSetTextAlign);
  EXPECT_EQ(c[2].align, TextAlign::kLeftTop);

  EXPECT_EQ(c[3].op, Op::kSelectNewPen);
  EXPECT_EQ(c[3].a, 5);
  EXPECT_EQ(c[3].colour, kBlack);
  const std::vector<DrawCall> frames = p.canvas.Only(Op::kDrawRectangle);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(Seg(frames[0].a, frames[0].b, frames[0].c, frames[0].d), Seg(0, 20, 960, 475));
  EXPECT_EQ(Seg(frames[1].a, frames[1].b, frames[1].c, frames[1].d), Seg(20, 40, 940, 455));
  EXPECT_EQ(c[6].op, Op::kReleasePen);
  EXPECT_EQ(c[7].op, Op::kSelectNewPen);
  EXPECT_EQ(c[7].a, 3);
  EXPECT_EQ(c[7].colour, kBlack);

  // Paper has no brushes at all: both frames stay filled white.
  EXPECT_EQ(p.canvas.Count(Op::kSelectGrayBrush), 0u);
  EXPECT_EQ(p.canvas.Count(Op::kSelectNewSolidBrush), 0u);
  EXPECT_EQ(p.canvas.Count(Op::kRestoreEntryBrush), 0u);
}

TEST(PrintLayout, GraticuleInnerPositionsOnly) {
  const std::vector<Segment> g = Printed(1, 1).Graticule();
  ASSERT_EQ(g.size(), 49u + 39u);
  // Ym = 247, Xm = 480.
  const int fullX[] = {112, 204, 296, 388, 480, 572, 664, 756, 848};
  for (int n = 0; n < 9; ++n) EXPECT_EQ(g[5 * n + 4], Seg(fullX[n], 455, fullX[n], 40));
  const int tickX[] = {38, 56, 75, 93};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(g[n], Seg(tickX[n], 197, tickX[n], 297));

  const int fullY[] = {91, 143, 195, 247, 299, 351, 403};
  for (int n = 0; n < 7; ++n) EXPECT_EQ(g[49 + 5 * n + 4], Seg(20, fullY[n], 940, fullY[n]));
  const int tickY[] = {50, 60, 71, 81};
  for (int n = 0; n < 4; ++n) EXPECT_EQ(g[49 + n], Seg(430, tickY[n], 530, tickY[n]));
}

TEST(PrintLayout, TracesAndLabelsOfBothChannels) {
  Printed p(1, 1);
  const auto& c = p.canvas.calls;
  const std::vector<DrawCall> pens = p.canvas.Only(Op::kSelectNewPen);
  ASSERT_EQ(pens.size(), 4u);
  EXPECT_EQ(pens[2].a, 5);
  EXPECT_EQ(pens[2].colour, kCyan);
  EXPECT_EQ(pens[3].a, 5);
  EXPECT_EQ(pens[3].colour, kGreen);
  // Every pen created is released again, the last one at the very end.
  EXPECT_EQ(p.canvas.Count(Op::kReleasePen), 4u);
  EXPECT_EQ(c.back().op, Op::kReleasePen);

  // Channel 1's trace: the pen, MoveTo, 2047 LineTo.
  const std::size_t pen1 = p.Find(Op::kSelectNewPen, 8);
  ASSERT_EQ(c[pen1 - 1].op, Op::kReleasePen);
  ASSERT_EQ(c[pen1 + 1].op, Op::kMoveTo);
  EXPECT_EQ(Seg(c[pen1 + 1].a, c[pen1 + 1].b, 0, 0), Seg(20, 455, 0, 0));
  const int xs[] = {20, 20, 21};
  const int ys[] = {453, 247, 41};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(c[pen1 + 2 + i].op, Op::kLineTo);
    EXPECT_EQ(c[pen1 + 2 + i].a, xs[i]);
    EXPECT_EQ(c[pen1 + 2 + i].b, ys[i]);
  }
  const DrawCall& last = c[pen1 + 1 + 2047];
  EXPECT_EQ(last.op, Op::kLineTo);
  EXPECT_EQ(last.a, 939);

  // Each label: colour, transparent background, text.
  const std::vector<DrawCall> texts = p.canvas.Only(Op::kWriteText);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(Seg(texts[1].a, texts[1].b, 0, 0), Seg(40, 415, 0, 0));
  EXPECT_EQ(texts[1].text, "CH1: 1 V / DIV");
  EXPECT_EQ(Seg(texts[2].a, texts[2].b, 0, 0), Seg(40, 435, 0, 0));
  EXPECT_EQ(texts[2].text, "CH2: 500 mV / DIV");
  EXPECT_EQ(Seg(texts[3].a, texts[3].b, 0, 0), Seg(920, 435, 0, 0));
  EXPECT_EQ(texts[3].text, "TB: 100 ms / DIV");

  const std::size_t label1 = p.Find(Op::kWriteText, 2);
  EXPECT_EQ(c[label1 - 2].op, Op::kSetTextColour);
  EXPECT_EQ(c[label1 - 2].colour, kCyan);
  EXPECT_EQ(c[label1 - 1].op, Op::kSetTransparentBackground);
  const std::size_t label2 = p.Find(Op::kWriteText, label1 + 1);
  EXPECT_EQ(c[label2 - 2].colour, kGreen);
  EXPECT_EQ(c[label2 - 1].op, Op::kSetTransparentBackground);
  const std::size_t timebase = p.Find(Op::kWriteText, label2 + 1);
  EXPECT_EQ(c[timebase - 2].op, Op::kSetTextColour);
  EXPECT_EQ(c[timebase - 2].colour, kBlack);
  EXPECT_EQ(c[timebase - 1].op, Op::kSetTextAlign);
  EXPECT_EQ(c[timebase - 1].align, TextAlign::kRightTop);
}

TEST(PrintLayout, SingleChannelsAndNone) {
  Printed one(1, 0);
  std::vector<DrawCall> texts = one.canvas.Only(Op::kWriteText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(Seg(texts[1].a, texts[1].b, 0, 0), Seg(40, 435, 0, 0));
  EXPECT_EQ(texts[1].text, "CH1: 1 V / DIV");

  // Channel 2 alone replaces the graticule pen with its own.
  Printed two(0, 1);
  texts = two.canvas.Only(Op::kWriteText);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(Seg(texts[1].a, texts[1].b, 0, 0), Seg(40, 435, 0, 0));
  EXPECT_EQ(texts[1].text, "CH2: 500 mV / DIV");
  std::vector<DrawCall> pens = two.canvas.Only(Op::kSelectNewPen);
  ASSERT_EQ(pens.size(), 3u);
  EXPECT_EQ(pens[2].colour, kGreen);
  EXPECT_EQ(two.canvas.Count(Op::kReleasePen), 3u);

  // With no channel shown the background never turns transparent, so the
  // timebase label is drawn opaque.
  Printed none(0, 0);
  EXPECT_EQ(none.canvas.Count(Op::kSetTransparentBackground), 0u);
  EXPECT_EQ(none.canvas.Count(Op::kLineTo), 49u + 39u);
  texts = none.canvas.Only(Op::kWriteText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].text, "TB: 100 ms / DIV");
  EXPECT_EQ(none.canvas.Count(Op::kReleasePen), 2u);
}

TEST(PrintLayout, MonochromePrinterUsesBlackAndGrey) {
  Printed p(1, 1, /*colour=*/false);
  const std::vector<DrawCall> pens = p.canvas.Only(Op::kSelectNewPen);
  ASSERT_EQ(pens.size(), 4u);
  EXPECT_EQ(pens[2].colour, kBlack);
  EXPECT_EQ(pens[3].colour, kGrey);
  EXPECT_EQ(kGrey, 0x646464u);
  const std::vector<DrawCall> colours = p.canvas.Only(Op::kSetTextColour);
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0].colour, kBlack);
  EXPECT_EQ(colours[1].colour, kGrey);
  EXPECT_EQ(colours[2].colour, kBlack);
}

TEST(PrintLayout, OddPageHeightKeepsTheFrames) {
  Printed even(1, 1, true, 990), odd(1, 1, true, 991);
  const auto a = even.canvas.Only(Op::kDrawRectangle), b = odd.canvas.Only(Op::kDrawRectangle);
  ASSERT_EQ(a.size(), 2u);
  ASSERT_EQ(b.size(), 2u);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(Seg(a[k].a, a[k].b, a[k].c, a[k].d), Seg(b[k].a, b[k].b, b[k].c, b[k].d));
  }
  EXPECT_EQ(even.Graticule(), odd.Graticule());
}

TEST(PrintLayout, LabelFormatsHaveNoFieldWidth) {
  const struct {
    ScaleLabel label;
    const char* ch1;
    const char* ch2;
  } cases[] = {
      {{2, kUnitKilovolt}, "CH1: 2 kV / DIV", "CH2: 2 kV / DIV"},
      {{400, kUnitVolt}, "CH1: 400 V / DIV", "CH2: 400 V / DIV"},
      {{5, kUnitMillivolt}, "CH1: 5 mV / DIV", "CH2: 5 mV / DIV"},
      {{1, kUnitMicrovolt}, "CH1: 1 \xB5V / DIV", "CH2: 1 \xB5V / DIV"},
  };
  for (const auto& c : cases) {
    RecordingCanvas canvas;
    WaveformSnapshot store;
    store.hasData = {1, 1};
    RenderPrintPage(canvas, PrintPage{960, 990, 20, true}, TimeStamp{}, store,
                    ScaleLabels{c.label, c.label}, 6022);
    const std::vector<DrawCall> texts = canvas.Only(Op::kWriteText);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[1].text, c.ch1);
    EXPECT_EQ(texts[2].text, c.ch2);
    EXPECT_EQ(texts[3].text, "TB: 5 \xB5s / DIV");
  }
}

}  // namespace
}  // namespace vexal

#include "output/print_layout.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "display/compare_traces.h"
#include "display/cursor_layer.h"
#include "display/frequency_layer.h"
#include "display/picture_labels.h"
#include "display/waveform_renderer.h"
#include "output/text_export.h"
#include "scope/timebase_labels.h"

namespace vexal {

namespace {

constexpr int kFramePenWidth = 5;
constexpr int kGraticulePenWidth = 3;
constexpr int kTracePenWidth = 5;
// Ticks reach this far to either side of the centre line, in device units.
constexpr int kTickHalfLength = 50;
constexpr int kCursorPenWidth = 5;
constexpr int kCursorDashesPerLine = 3;  // dashes and gaps a line height long
constexpr int kReferenceDash = 16;       // samples drawn, then as many left out

// No field width on paper.
constexpr char kPaperLabelNumber[] = "%d";

TextArgs Args(std::initializer_list<int> values) {
  TextArgs args;
  for (int value : values) args.values[args.count++] = value;
  return args;
}

void DrawChannel(Canvas& canvas, const PlotArea& area, int lineHeight, int channel,
                 const ChannelSamples& samples, const ScaleLabel& label, Colour colour,
                 int rowsAboveBottom) {
  canvas.ReleasePen();
  canvas.SelectNewPen(kTracePenWidth, colour);
  DrawTracePath(canvas, area, samples);
  canvas.SetTextColour(colour);
  // Only the channel labels switch to a transparent background; with no
  // channel shown the timebase label stays opaque.
  canvas.SetTransparentBackground();
  // Scale labels only ever hold unit codes 0 to 3; anything else leaves the
  // label out rather than print a wrong unit, as the screen does.
  const std::string format = LabelFormat(channel, label.unitCode, kPaperLabelNumber);
  if (format.empty()) return;
  canvas.WriteText(area.left + lineHeight, area.bottom - rowsAboveBottom * lineHeight,
                   format.c_str(), Args({static_cast<int>(label.value)}));
}

}  // namespace

void RenderPrintPage(Canvas& canvas, const PrintPage& page, const TimeStamp& stamp,
                     const Picture& picture) {
  const WaveformSnapshot& store = picture.traces;
  const ScaleLabels& labels = picture.labels;
  const int lh = page.lineHeight;
  const int half = page.height / 2;
  const PlotArea area{lh, 2 * lh, page.width - lh, half - 2 * lh};

  canvas.SetTextAlign(TextAlign::kCentreTop);
  // The heading holds no format directive: it is written as it is.
  canvas.WriteText(page.width / 2, 0, DatedHeading(stamp).substr(0, page.headingLength).c_str(),
                   TextArgs{});
  canvas.SetTextAlign(TextAlign::kLeftTop);

  canvas.SelectNewPen(kFramePenWidth, kBlack);
  canvas.DrawRectangle(0, lh, page.width, half - lh);
  canvas.DrawRectangle(area.left, area.top, area.right, area.bottom);
  canvas.ReleasePen();
  canvas.SelectNewPen(kGraticulePenWidth, kBlack);
  // The edges are the inner frame, so only the inner positions are drawn.
  DrawGraticuleLines(canvas, area, 1, kTickHalfLength);

  const bool ch1 = store.hasData[0] != 0;
  const bool ch2 = store.hasData[1] != 0;
  const std::array<Colour, 2> colours = {page.colour ? kCyan : kBlack,
                                         page.colour ? kGreen : kGrey};
  const Colour math = page.colour ? kDarkMagenta : kBlack;
  const PictureTexts texts = PictureTextsOf(picture, true);
  const int rows = std::max(1, static_cast<int>(texts.left.size()));
  const int labelTop = area.bottom - rows * lh;
  // The reference dashed in its channel's colour, black on a monochrome printer.
  const CompareStyle compare = {colours, math, kTracePenWidth, kReferenceDash};
  const auto writeLabels = [&](std::size_t count) {
    for (std::size_t r = 0; r < count; ++r) {
      const LabelText& label = texts.left[r];
      canvas.SetTextColour(label.colour == LabelColour::kChannel1   ? colours[0]
                           : label.colour == LabelColour::kChannel2 ? colours[1]
                                                                    : math);
      canvas.SetTransparentBackground();
      if (!label.text.empty()) {
        canvas.WriteText(area.left + lh, area.bottom - (rows - static_cast<int>(r)) * lh,
                         label.text.c_str(), TextArgs{});
      }
    }
  };
  switch (picture.view) {
    case PictureView::kSpectrum:
      canvas.ReleasePen();
      DrawSpectrumLayer(canvas, area, labelTop,
                        {colours, colours, math, kTracePenWidth, lh / 2, lh, lh}, picture);
      writeLabels(texts.left.size());
      break;
    case PictureView::kXy:
      canvas.ReleasePen();
      DrawXyTraces(canvas, area, compare, colours[1], kTracePenWidth, picture);
      writeLabels(texts.left.size());
      break;
    case PictureView::kTime:
      // Each layer selects pens of its own: the one selected goes first, or it would leak.
      if (picture.reference) {
        canvas.ReleasePen();
        DrawReferenceTraces(canvas, area, compare, picture);
      }
      if (ch1) {
        DrawChannel(canvas, area, lh, 0, store.samples[0], labels[0], colours[0], ch2 ? 2 : 1);
      }
      if (ch2) DrawChannel(canvas, area, lh, 1, store.samples[1], labels[1], colours[1], 1);
      if (picture.math) {
        canvas.ReleasePen();
        DrawMathTrace(canvas, area, compare, picture);
      }
      writeLabels(texts.left.size() - (ch1 ? 1 : 0) - (ch2 ? 1 : 0));  // M's, above the channels'
      break;
  }

  canvas.SetTextColour(kBlack);
  canvas.SetTextAlign(TextAlign::kRightTop);
  if (!texts.right.empty()) {
    canvas.WriteText(area.right - lh, area.bottom - lh, texts.right.c_str(), TextArgs{});
  }
  if (!texts.reference.empty()) {
    canvas.WriteText(area.right - lh, area.top + lh / 2, texts.reference.c_str(), TextArgs{});
  }
  canvas.ReleasePen();
  if (picture.view != PictureView::kTime) return;  // the cursors belong to the time view

  // Dark dotted lines, black on a monochrome printer.
  const CursorLayerStyle style = {page.colour ? kDarkRed : kBlack, colours, math, kCursorPenWidth,
                                  lh / kCursorDashesPerLine,       lh,      lh};
  DrawCursorLayer(canvas, area, labelTop, style, picture);
}

}  // namespace vexal

#include "output/print_layout.h"

#include <array>
#include <initializer_list>

#include "display/cursor_layer.h"
#include "display/spectrum_layer.h"
#include "display/waveform_renderer.h"
#include "output/text_export.h"
#include "scope/spectrum_text.h"
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
  const int labelTop = area.bottom - (ch1 && ch2 ? 2 : 1) * lh;
  const bool spectrum = picture.view == PictureView::kSpectrum;
  if (spectrum) {
    canvas.ReleasePen();
    DrawSpectrumLayer(canvas, area, labelTop, {colours, kTracePenWidth, lh / 2, lh, lh}, picture);
    for (int channel : {0, 1}) {
      if (store.hasData[channel] == 0) continue;
      canvas.SetTextColour(colours[channel]);
      canvas.WriteText(area.left + lh, channel == 0 ? labelTop : area.bottom - lh,
                       SpectrumLevelLabel(channel, labels[channel]).c_str(), TextArgs{});
    }
  } else {
    if (ch1) DrawChannel(canvas, area, lh, 0, store.samples[0], labels[0], colours[0], ch2 ? 2 : 1);
    if (ch2) DrawChannel(canvas, area, lh, 1, store.samples[1], labels[1], colours[1], 1);
  }

  canvas.SetTextColour(kBlack);
  canvas.SetTextAlign(TextAlign::kRightTop);
  const std::string frequency =
      spectrum ? SpectrumFrequencyLabel(picture.timebaseId, picture.spectrum.span) : "";
  if (const char* text = spectrum ? frequency.c_str() : TimebaseLabel(picture.timebaseId)) {
    canvas.WriteText(area.right - lh, area.bottom - lh, text, TextArgs{});
  }
  canvas.ReleasePen();
  if (spectrum) return;  // the cursors belong to the time view

  // Dark dotted lines, black on a monochrome printer.
  const CursorLayerStyle style = {page.colour ? kDarkRed : kBlack,
                                  {page.colour ? kCyan : kBlack, page.colour ? kGreen : kGrey},
                                  kCursorPenWidth,
                                  lh / kCursorDashesPerLine,
                                  lh,
                                  lh};
  DrawCursorLayer(canvas, area, labelTop, style, picture);
}

}  // namespace vexal

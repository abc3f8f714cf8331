#include "display/waveform_renderer.h"

#include <cstddef>
#include <cstdio>

#include "display/compare_traces.h"
#include "display/cursor_layer.h"
#include "display/frequency_layer.h"
#include "display/picture_labels.h"
#include "scope/channel_names.h"
#include "scope/frequency_text.h"
#include "scope/timebase_labels.h"

namespace vexal {
namespace {

constexpr int kColumnSteps = 50;  // 10 divisions of 5 steps across
constexpr int kRowSteps = 40;     // 8 divisions of 5 steps up
constexpr int kStepsPerDivision = 5;
// Lengths at 96 dots per inch; the screen scales them with its own.
constexpr int kGraticulePenWidth = 1;
constexpr int kTracePenWidth = 2;
constexpr int kTickHalfLength = 7;
constexpr int kCursorPenWidth = 1;
constexpr int kCursorDash = 3;
constexpr int kPeakMarker = 4;

int Middle(int from, int to) {
  return Saturate(static_cast<long long>(from) + (static_cast<long long>(to) - from) / 2);
}

void DrawSegment(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

void DrawTrace(Canvas& canvas, const PlotArea& area, const ChannelSamples& samples, Colour colour,
               int penWidth) {
  canvas.SelectNewPen(penWidth, colour);
  DrawTracePath(canvas, area, samples);
  canvas.ReleasePen();
}

}  // namespace

void DrawGraticuleLines(Canvas& canvas, const PlotArea& area, int edgeSteps, int tickHalfLength) {
  const int xm = Middle(area.left, area.right);
  const int ym = Middle(area.top, area.bottom);
  for (int i = edgeSteps; i <= kColumnSteps - edgeSteps; ++i) {
    const int x = GraticuleX(area, i);
    if (i % kStepsPerDivision == 0) {
      DrawSegment(canvas, x, area.bottom, x, area.top);
    } else {
      DrawSegment(canvas, x, Offset(ym, -tickHalfLength), x, Offset(ym, tickHalfLength));
    }
  }
  for (int j = edgeSteps; j <= kRowSteps - edgeSteps; ++j) {
    const int y = GraticuleY(area, j);
    if (j % kStepsPerDivision == 0) {
      DrawSegment(canvas, area.left, y, area.right, y);
    } else {
      DrawSegment(canvas, Offset(xm, -tickHalfLength), y, Offset(xm, tickHalfLength), y);
    }
  }
}

void DrawTracePath(Canvas& canvas, const PlotArea& area, const ChannelSamples& samples) {
  canvas.MoveTo(area.left, TraceY(area, samples[0]));
  for (int i = 1; i < kSamplesPerChannel; ++i) {
    canvas.LineTo(TraceX(area, i), TraceY(area, samples[static_cast<std::size_t>(i)]));
  }
}

std::string LabelFormat(int channel, int unitCode, const char* number) {
  const VoltUnit* unit = FindVoltUnit(unitCode);
  if (unit == nullptr || *ShortChannelName(channel) == '\0') return "";
  char format[32];  // "CH1: %3d mV / DIV"
  std::snprintf(format, sizeof format, "%s: %s %s / DIV", ShortChannelName(channel), number,
                unit->name);
  return format;
}

std::string ScreenLabelFormat(int channel, int unitCode) {
  return LabelFormat(channel, unitCode, unitCode == kUnitKilovolt ? "%1d" : "%3d");
}

void RenderWaveformPicture(Canvas& canvas, const PictureSize& size, const Picture& picture) {
  const WaveformSnapshot& store = picture.traces;
  const int dpi = picture.dpi;
  const PlotArea area = ScreenPlotArea(size.width, size.height, dpi);
  const int frame = ScreenFrameInset(dpi);

  canvas.SelectGrayBrush();
  canvas.DrawRectangle(frame, frame, Offset(size.width, -frame), Offset(size.height, -frame));
  canvas.SelectNewSolidBrush(kBlack);
  canvas.DrawRectangle(area.left, area.top, area.right, area.bottom);
  canvas.RestoreEntryBrush();

  canvas.SelectNewPen(ScaleToDpi(kGraticulePenWidth, dpi), kDarkBlue);
  DrawGraticuleLines(canvas, area, 0, ScaleToDpi(kTickHalfLength, dpi));
  canvas.ReleasePen();

  const PictureTexts texts = PictureTextsOf(picture, false);
  const long long labelRows = std::max<long long>(1, static_cast<long long>(texts.left.size()));
  const int labelTop = Offset(area.bottom, -labelRows * size.charHeight);
  const int tracePen = ScaleToDpi(kTracePenWidth, dpi);
  const CompareStyle compare = {{kDarkCyan, kDarkGreen}, kMagenta, tracePen, 0};
  switch (picture.view) {
    case PictureView::kSpectrum: {
      const SpectrumStyle style = {{kCyan, kGreen}, {kDarkCyan, kDarkGreen},      kMagenta,
                                   tracePen,        ScaleToDpi(kPeakMarker, dpi), size.charHeight,
                                   size.charWidth};
      DrawSpectrumLayer(canvas, area, labelTop, style, picture);
      break;
    }
    case PictureView::kXy:
      DrawXyTraces(canvas, area, compare, kGreen, tracePen, picture);
      break;
    case PictureView::kTime:
      DrawReferenceTraces(canvas, area, compare, picture);
      // Channel 2 is drawn after channel 1 and covers it where the traces cross.
      if (store.hasData[0] != 0) DrawTrace(canvas, area, store.samples[0], kCyan, tracePen);
      if (store.hasData[1] != 0) DrawTrace(canvas, area, store.samples[1], kGreen, tracePen);
      DrawMathTrace(canvas, area, compare, picture);
      break;
  }

  // The scale labels from the top row down to the bottom one; a label without a unit
  // sets its colour but writes nothing rather than a wrong unit.
  canvas.SetTransparentBackground();
  const int textX = Offset(area.left, size.charWidth);
  long long row = labelRows;
  for (const LabelText& label : texts.left) {
    canvas.SetTextColour(label.colour == LabelColour::kChannel1   ? kCyan
                         : label.colour == LabelColour::kChannel2 ? kGreen
                                                                  : kMagenta);
    const int y = Offset(area.bottom, -(row--) * size.charHeight);
    if (!label.text.empty()) canvas.WriteText(textX, y, label.text.c_str(), TextArgs{});
  }

  // DisplaySettings only holds identifiers of the table; for any other the text
  // colour and alignment are still set (the context ends in the same state) but
  // no text is written, since there is no truthful timebase to show. The spectrum
  // tells the frequency of a division instead.
  canvas.SetTextColour(kCyan);
  canvas.SetTextAlign(TextAlign::kRightTop);
  const int rightX = Offset(area.right, -static_cast<long long>(size.charWidth));
  const int bottomRow = Offset(area.bottom, -static_cast<long long>(size.charHeight));
  if (!texts.right.empty()) canvas.WriteText(rightX, bottomRow, texts.right.c_str(), TextArgs{});
  if (!texts.reference.empty()) {
    canvas.SetTextColour(kDarkCyan);
    canvas.WriteText(rightX, Offset(area.top, size.charHeight / 2), texts.reference.c_str(),
                     TextArgs{});
  }
  if (picture.view != PictureView::kTime) return;  // the cursors belong to the time view

  const CursorLayerStyle style = {kYellow,
                                  {kCyan, kGreen},
                                  kMagenta,
                                  ScaleToDpi(kCursorPenWidth, dpi),
                                  ScaleToDpi(kCursorDash, dpi),
                                  size.charHeight,
                                  size.charWidth};
  DrawCursorLayer(canvas, area, labelTop, style, picture);
}

}  // namespace vexal

#include "display/waveform_renderer.h"

#include <cstddef>
#include <cstdio>

#include "display/cursor_layer.h"
#include "display/spectrum_layer.h"
#include "scope/channel_names.h"
#include "scope/spectrum_text.h"
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

void WriteChannelLabel(Canvas& canvas, const Picture& picture, int channel, Colour colour, int x,
                       int y) {
  const ScaleLabel& label = picture.labels[channel];
  canvas.SetTextColour(colour);
  if (picture.view == PictureView::kSpectrum) {
    canvas.WriteText(x, y, SpectrumLevelLabel(channel, label).c_str(), TextArgs{});
    return;
  }
  const std::string format = ScreenLabelFormat(channel, label.unitCode);
  // UpdateScaleLabels only ever stores unit codes 0 to 3; anything else has no
  // format and leaves the label out rather than writing a wrong unit.
  if (format.empty()) return;
  TextArgs args;
  args.count = 1;
  args.values[0] = static_cast<int>(label.value);  // at most 2,000,000,000
  canvas.WriteText(x, y, format.c_str(), args);
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

  // Channel 2 is drawn after channel 1 and covers it where the traces cross.
  const int tracePen = ScaleToDpi(kTracePenWidth, dpi);
  const long long labelRows = store.hasData[0] != 0 && store.hasData[1] != 0 ? 2 : 1;
  const int labelTop = Offset(area.bottom, -labelRows * size.charHeight);
  const bool spectrum = picture.view == PictureView::kSpectrum;
  if (spectrum) {
    const SpectrumStyle style = {
        {kCyan, kGreen}, tracePen, ScaleToDpi(kPeakMarker, dpi), size.charHeight, size.charWidth};
    DrawSpectrumLayer(canvas, area, labelTop, style, picture);
  } else {
    if (store.hasData[0] != 0) DrawTrace(canvas, area, store.samples[0], kCyan, tracePen);
    if (store.hasData[1] != 0) DrawTrace(canvas, area, store.samples[1], kGreen, tracePen);
  }

  canvas.SetTransparentBackground();
  const int textX = Offset(area.left, size.charWidth);
  const int bottomRow = Offset(area.bottom, -static_cast<long long>(size.charHeight));
  if (store.hasData[0] != 0) {
    // One row higher when channel 2's label takes the bottom row.
    WriteChannelLabel(canvas, picture, 0, kCyan, textX,
                      Offset(area.bottom, -labelRows * size.charHeight));
  }
  if (store.hasData[1] != 0) WriteChannelLabel(canvas, picture, 1, kGreen, textX, bottomRow);

  // DisplaySettings only holds identifiers of the table; for any other the text
  // colour and alignment are still set (the context ends in the same state) but
  // no text is written, since there is no truthful timebase to show. The spectrum
  // tells the frequency of a division instead.
  canvas.SetTextColour(kCyan);
  canvas.SetTextAlign(TextAlign::kRightTop);
  const std::string frequency =
      spectrum ? SpectrumFrequencyLabel(picture.timebaseId, picture.spectrum.span) : "";
  if (const char* text = spectrum ? frequency.c_str() : TimebaseLabel(picture.timebaseId)) {
    canvas.WriteText(Offset(area.right, -static_cast<long long>(size.charWidth)), bottomRow, text,
                     TextArgs{});
  }
  if (spectrum) return;  // the cursors belong to the time view

  const CursorLayerStyle style = {kYellow,
                                  {kCyan, kGreen},
                                  ScaleToDpi(kCursorPenWidth, dpi),
                                  ScaleToDpi(kCursorDash, dpi),
                                  size.charHeight,
                                  size.charWidth};
  DrawCursorLayer(canvas, area, labelTop, style, picture);
}

}  // namespace vexal

#include "display/spectrum_layer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "scope/spectrum_columns.h"
#include "scope/spectrum_text.h"

namespace vexal {
namespace {

constexpr double kPlotDecibels = kLevelDivisions * kDecibelsPerDivision;

// A downward triangle whose tip is on the peak, kept inside the plot area.
void DrawPeakMarker(Canvas& canvas, const PlotArea& area, int x, int y, int half) {
  const int tip = std::max(y, Offset(area.top, 2LL * half));
  const int base = Offset(tip, -2LL * half);
  canvas.MoveTo(Offset(x, -half), base);
  canvas.LineTo(Offset(x, half), base);
  canvas.LineTo(x, tip);
  canvas.LineTo(Offset(x, -half), base);
}

}  // namespace

int LevelY(const PlotArea& area, int topLine, double level) {
  const double below = std::clamp((topLine - level) / kPlotDecibels, 0.0, 1.0);
  return Saturate(static_cast<double>(area.top) +
                  (static_cast<double>(area.bottom) - area.top) * below);
}

void DrawSpectrumLayer(Canvas& canvas, const PlotArea& area, int labelTop,
                       const SpectrumStyle& style, const Picture& picture) {
  const int spanBins = SpanBins(picture.spectrum.span);
  const int width = Saturate(static_cast<long long>(area.right) - area.left);
  std::string readout[kChannelCount];
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (picture.traces.hasData[channel] == 0) continue;
    const ScaleLabel& label = picture.labels[channel];
    const ChannelSpectrum spectrum = ComputeSpectrum(
        picture.traces.samples[channel], VoltsPerCountOf(label), picture.spectrum.window);
    const int top = SpectrumTopLine(label);
    canvas.SelectNewPen(style.penWidth, style.channel[channel]);
    bool first = true;
    for (const SpectrumPoint& point : SpectrumColumns(spectrum, spanBins, width)) {
      const int x = Offset(area.left, point.x), y = LevelY(area, top, point.level);
      if (first) canvas.MoveTo(x, y);
      if (!first) canvas.LineTo(x, y);
      first = false;
    }
    if (const std::optional<int> peak =
            SpectrumPeak(spectrum, spanBins, SpectrumBottomLine(label))) {
      const int x = Offset(area.left, BinColumn(*peak, spanBins, width));
      DrawPeakMarker(canvas, area, x, LevelY(area, top, spectrum.level[*peak]), style.marker);
    }
    canvas.ReleasePen();
    readout[channel] =
        SpectrumPeakReadout(channel, spectrum, label, picture.timebaseId, picture.spectrum.span);
  }

  // The read-out's texts hold no format directive: they are written as they are.
  canvas.SetTransparentBackground();
  canvas.SetTextAlign(TextAlign::kLeftTop);
  const long long x = static_cast<long long>(area.left) + style.textInset;
  const long long room = static_cast<long long>(area.right) - style.textInset - x;
  long long y = static_cast<long long>(area.top) + style.lineHeight / 2;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    const std::string& line = readout[channel];
    if (line.empty() || canvas.TextWidth(line.c_str()) > room) continue;
    if (y + style.lineHeight > labelTop) break;
    canvas.SetTextColour(style.channel[channel]);
    canvas.WriteText(static_cast<int>(x), static_cast<int>(y), line.c_str(), TextArgs{});
    y += style.lineHeight;
  }
}

}  // namespace vexal

#include "display/frequency_layer.h"

#include <algorithm>
#include <optional>
#include <string>

#include "display/readout_lines.h"
#include "scope/channel_names.h"
#include "scope/frequency_columns.h"
#include "scope/frequency_text.h"
#include "scope/math_trace.h"
#include "scope/reference_trace.h"

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

// One spectrum's line on the scale whose top line is `top`, `spanBins` of its own bins
// across the plot, and its peak marked where `marked`.
void DrawSpectrum(Canvas& canvas, const PlotArea& area, const ChannelSpectrum& spectrum, int top,
                  double spanBins, bool marked, Colour colour, const SpectrumStyle& style) {
  const int width = Saturate(static_cast<long long>(area.right) - area.left);
  canvas.SelectNewPen(style.penWidth, colour);
  bool first = true;
  for (const SpectrumPoint& point : SpectrumColumns(spectrum, spanBins, width)) {
    const int x = Offset(area.left, point.x), y = LevelY(area, top, point.level);
    if (first) canvas.MoveTo(x, y);
    if (!first) canvas.LineTo(x, y);
    first = false;
  }
  const int bins = static_cast<int>(spanBins);
  const std::optional<int> peak =
      marked ? SpectrumPeak(spectrum, bins, top - static_cast<int>(kPlotDecibels)) : std::nullopt;
  if (peak) {
    DrawPeakMarker(canvas, area, Offset(area.left, BinColumn(*peak, spanBins, width)),
                   LevelY(area, top, spectrum.level[*peak]), style.marker);
  }
  canvas.ReleasePen();
}

// The reference's bins across the plot: as many as span the current frequencies.
double ReferenceSpan(const ReferenceTrace& reference, int spanBins, int timebaseId) {
  if (!reference.ownScales) return spanBins;
  const ExactNumber now = HertzPerBin(timebaseId).Exact();
  const ExactNumber then = HertzPerBin(reference.timebaseId).Exact();
  if (now.numerator == 0 || then.numerator == 0) return spanBins;
  return spanBins * (static_cast<double>(now.numerator) / now.denominator) /
         (static_cast<double>(then.numerator) / then.denominator);
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
  const SpectrumWindow window = picture.spectrum.window;
  // Under the live spectra, the reference's, each on its channel's scale.
  if (picture.reference) {
    const ReferenceTrace& reference = *picture.reference;
    const double span = ReferenceSpan(reference, spanBins, picture.timebaseId);
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (reference.traces.hasData[channel] == 0) continue;
      DrawSpectrum(canvas, area, ReferenceSpectrum(reference, channel, picture.labels, window),
                   SpectrumTopLine(picture.labels[channel]), span, false, style.reference[channel],
                   style);
    }
  }
  std::vector<ReadoutText> readout;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (picture.traces.hasData[channel] == 0) continue;
    const ScaleLabel& label = picture.labels[channel];
    const ChannelSpectrum spectrum =
        ComputeSpectrum(picture.traces.samples[channel], VoltsPerCountOf(label), window);
    DrawSpectrum(canvas, area, spectrum, SpectrumTopLine(label), spanBins, true,
                 style.channel[channel], style);
    readout.push_back({style.channel[channel],
                       {SpectrumPeakReadout(ShortChannelName(channel), spectrum, label,
                                            picture.timebaseId, picture.spectrum.span)}});
  }
  if (picture.math) {
    const MathTrace math = ComputeMathTrace(*picture.math, picture.traces, picture.labels);
    const ChannelSpectrum spectrum = MathSpectrum(math, window);
    DrawSpectrum(canvas, area, spectrum, SpectrumTopLine(math.label), spanBins, true, style.math,
                 style);
    readout.push_back({style.math,
                       {SpectrumPeakReadout("M", spectrum, math.label, picture.timebaseId,
                                            picture.spectrum.span)}});
  }

  canvas.SetTransparentBackground();
  canvas.SetTextAlign(TextAlign::kLeftTop);
  WriteReadout(canvas, area, labelTop, style.lineHeight, style.textInset, readout,
               picture.reference ? picture.reference->label : "");
}

}  // namespace vexal

#include "display/compare_traces.h"

#include <algorithm>

#include "scope/math_trace.h"
#include "scope/reference_trace.h"

namespace vexal {
namespace {

constexpr double kLevels = 256.0;

// A polyline through the points, every other run of `dash` segments left out (none: 0).
class Polyline {
 public:
  Polyline(Canvas& canvas, int dash) : canvas_(canvas), dash_(dash) {}
  void To(int x, int y) {
    const bool drawn = dash_ == 0 || (segments_ / dash_) % 2 == 0;
    if (started_ && drawn) {
      canvas_.LineTo(x, y);
    } else {
      canvas_.MoveTo(x, y);
    }
    segments_ += started_ ? 1 : 0;
    started_ = true;
  }

 private:
  Canvas& canvas_;
  int dash_;
  int segments_ = 0;
  bool started_ = false;
};

}  // namespace

int CountsY(const PlotArea& area, double counts) {
  const double fraction = std::clamp((counts + kCentreSample) / kLevels, 0.0, 1.0);
  return Saturate(static_cast<double>(area.bottom) -
                  (static_cast<double>(area.bottom) - area.top) * fraction);
}

void DrawReferenceTraces(Canvas& canvas, const PlotArea& area, const CompareStyle& style,
                         const Picture& picture) {
  if (!picture.reference) return;
  const ReferenceTrace& reference = *picture.reference;
  const double width = static_cast<double>(area.right) - area.left;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (reference.traces.hasData[channel] == 0) continue;
    canvas.SelectNewPen(style.penWidth, style.reference[channel]);
    Polyline line(canvas, style.dash);
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      const double time = ReferenceTime(reference, i, picture.timebaseId);
      if (time > kSamplesPerChannel - 1) break;  // beyond the plot's right edge
      line.To(Saturate(area.left + width * (time / kSamplesPerChannel)),
              CountsY(area, ReferenceCounts(reference, channel, i, picture.labels)));
    }
    canvas.ReleasePen();
  }
}

void DrawMathTrace(Canvas& canvas, const PlotArea& area, const CompareStyle& style,
                   const Picture& picture) {
  if (!picture.math) return;
  const MathTrace math = ComputeMathTrace(*picture.math, picture.traces, picture.labels);
  canvas.SelectNewPen(style.penWidth, style.math);
  Polyline line(canvas, 0);
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    line.To(TraceX(area, i), CountsY(area, MathCounts(math, i)));
  }
  canvas.ReleasePen();
}

void DrawXyTraces(Canvas& canvas, const PlotArea& area, const CompareStyle& style, Colour live,
                  int livePen, const Picture& picture) {
  if (picture.reference && BothChannels(picture.reference->traces)) {
    canvas.SelectNewPen(style.penWidth, style.reference[1]);
    Polyline line(canvas, style.dash);
    for (int i = 0; i < kSamplesPerChannel; ++i) {
      const PlotPoint p =
          XYCountsPoint(area, ReferenceCounts(*picture.reference, 0, i, picture.labels),
                        ReferenceCounts(*picture.reference, 1, i, picture.labels));
      line.To(p.x, p.y);
    }
    canvas.ReleasePen();
  }
  if (!BothChannels(picture.traces)) return;
  canvas.SelectNewPen(livePen, live);
  Polyline line(canvas, 0);
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    const PlotPoint p = XYPoint(area, picture.traces.samples[0][i], picture.traces.samples[1][i]);
    line.To(p.x, p.y);
  }
  canvas.ReleasePen();
}

}  // namespace vexal

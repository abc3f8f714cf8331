#include "display/plot_geometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "scope/waveform_store.h"

namespace vexal {
namespace {

constexpr int kFrameInset = 20;
constexpr int kPlotInset = 40;
constexpr int kDpiOfLengths = 96;
constexpr int kColumnSteps = 50;  // 10 divisions of 5 steps across
constexpr int kRowSteps = 40;     // 8 divisions of 5 steps up
constexpr double kSampleLevels = 256.0;
constexpr double kColumnLevels = 320.0;  // 10 divisions of 32 counts across

// The integer span as a double: exact, and free of int overflow.
double Span(int from, int to) {
  return static_cast<double>(to) - static_cast<double>(from);
}

// base + span * (i / steps): quotient first, then product, then sum, in double
// precision, the whole truncated toward zero. The order changes some results by
// one unit (360 * (23 / 40.0) is 206.99999999999997).
int Advance(int base, double span, int i, double steps) {
  return Saturate(static_cast<double>(base) + span * (i / steps));
}

}  // namespace

int Saturate(long long v) {
  if (v < INT_MIN) return INT_MIN;
  if (v > INT_MAX) return INT_MAX;
  return static_cast<int>(v);
}

int Saturate(double v) {
  return static_cast<int>(
      std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

int Offset(int v, long long delta) {
  return Saturate(static_cast<long long>(v) + delta);
}

int GraticuleX(const PlotArea& area, int i) {
  return Advance(area.left, Span(area.left, area.right), i, kColumnSteps);
}

int GraticuleY(const PlotArea& area, int j) {
  return Advance(area.top, Span(area.top, area.bottom), j, kRowSteps);
}

int TraceX(const PlotArea& area, int i) {
  return Advance(area.left, Span(area.left, area.right), i, kSamplesPerChannel);
}

int TraceY(const PlotArea& area, int sample) {
  // Sample s lies at the fraction s / 256 of the plot height above the bottom.
  return Saturate(static_cast<double>(area.bottom) -
                  Span(area.top, area.bottom) * (sample / kSampleLevels));
}

PlotPoint XYPoint(const PlotArea& area, int s1, int s2) {
  return XYCountsPoint(area, s1 - kCentreSample, s2 - kCentreSample);
}

PlotPoint XYCountsPoint(const PlotArea& area, double counts1, double counts2) {
  const double across =
      Span(area.left, area.right) * ((counts1 + kColumnLevels / 2) / kColumnLevels);
  const double up = Span(area.top, area.bottom) * ((counts2 + kSampleLevels / 2) / kSampleLevels);
  const int x = Saturate(static_cast<double>(area.left) + across);
  const int y = Saturate(static_cast<double>(area.bottom) - up);
  return {std::max(area.left, std::min(x, area.right)),
          std::max(area.top, std::min(y, area.bottom))};
}

int ScaleToDpi(int value, int dpi) {
  return Saturate((static_cast<long long>(value) * dpi + kDpiOfLengths / 2) / kDpiOfLengths);
}

int ScreenFrameInset(int dpi) {
  return ScaleToDpi(kFrameInset, dpi);
}

PlotArea ScreenPlotArea(int width, int height, int dpi) {
  const int inset = ScaleToDpi(kPlotInset, dpi);
  return {inset, inset, Offset(width, -inset), Offset(height, -inset)};
}

bool InPlotArea(const PlotArea& area, int x, int y) {
  return area.left <= x && x <= area.right && area.top <= y && y <= area.bottom;
}

int SampleAtX(const PlotArea& area, int x) {
  const long long width = static_cast<long long>(area.right) - area.left;
  const long long offset = static_cast<long long>(x) - area.left;
  if (width <= 0 || offset <= 0) return 0;
  // Sample i is drawn at left + floor(width * i / 2048) (TraceX, exact in double): the
  // first at or right of x is the ceiling of offset * 2048 / width.
  const long long first = (offset * kSamplesPerChannel + width - 1) / width;
  if (first >= kSamplesPerChannel) return kSamplesPerChannel - 1;
  const long long firstGap = first * width / kSamplesPerChannel - offset;
  const long long beforeGap = offset - (first - 1) * width / kSamplesPerChannel;
  return static_cast<int>(firstGap < beforeGap ? first : first - 1);
}

int CursorLineAt(const Cursors& cursors, const PlotArea& area, int x, int y, int reach) {
  if (!cursors.shown || !InPlotArea(area, x, y)) return kNoCursor;
  for (int cursor : {cursors.active, kCursorB - cursors.active}) {
    const long long lineX = TraceX(area, cursors.sample[cursor]);
    if (std::llabs(lineX - x) <= reach) return cursor;
  }
  return kNoCursor;
}

}  // namespace vexal

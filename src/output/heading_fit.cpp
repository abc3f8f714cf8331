#include "output/heading_fit.h"

#include <cmath>

namespace vexal {

namespace {

constexpr int kPoints = 10;
constexpr int kLegiblePoints = 6;

// A point is 1/72 inch.
int DeviceUnits(int points, int dotsPerInch) {
  return static_cast<int>(std::lround(points * dotsPerInch / 72.0));
}

}  // namespace

HeadingFit FitHeading(std::string_view heading, int pageWidth, int dotsPerInch,
                      const TextWidth& width) {
  const int smallest = DeviceUnits(kLegiblePoints, dotsPerInch);
  int height = DeviceUnits(kPoints, dotsPerInch);
  // One size smaller at a time, measured anew: glyph widths do not shrink
  // quite in step with the height. Only narrow paper takes more than one.
  while (height > smallest && width(height, heading) > pageWidth) --height;
  std::size_t length = heading.size();
  while (length > 0 && width(height, heading.substr(0, length)) > pageWidth) --length;
  return {height, length};
}

}  // namespace vexal

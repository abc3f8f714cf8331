#include "output/heading_fit.h"

#include <algorithm>

namespace vexal {

namespace {

constexpr int kPoints = 10;
constexpr int kLegiblePoints = 6;

int DeviceUnits(int points, int dotsPerInch) {
  return std::max(1, (points * dotsPerInch + 36) / 72);
}

}  // namespace

HeadingFit FitHeading(std::string_view heading, int pageWidth, int dotsPerInch,
                      const TextWidth& width) {
  const int largest = DeviceUnits(kPoints, dotsPerInch);
  const int smallest = DeviceUnits(kLegiblePoints, dotsPerInch);
  int height = largest;
  const int measured = width(height, heading);
  if (measured > pageWidth) {
    // Glyph widths grow almost in step with the height: start at the
    // proportional size, then step to the largest one that really fits.
    height = std::clamp(static_cast<int>(static_cast<long long>(height) * pageWidth / measured),
                        smallest, largest);
    while (height < largest && width(height + 1, heading) <= pageWidth) ++height;
    while (height > smallest && width(height, heading) > pageWidth) --height;
  }
  std::size_t length = heading.size();
  while (length > 0 && width(height, heading.substr(0, length)) > pageWidth) --length;
  return {height, length};
}

}  // namespace vexal

// The size of the printed heading: 10 pt where it fits the paper's width,
// smaller on narrow paper (labels, envelopes), but never below a legible 6 pt;
// a heading still too wide there loses its end, so its start stays readable.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace vexal {

// The width of a text, in device units, in the page's font at this height.
using TextWidth = std::function<int(int height, std::string_view text)>;

struct HeadingFit {
  int height = 0;          // character height of the font, in device units
  std::size_t length = 0;  // the heading's first `length` characters fit
};

HeadingFit FitHeading(std::string_view heading, int pageWidth, int dotsPerInch,
                      const TextWidth& width);

}  // namespace vexal

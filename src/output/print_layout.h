// The printed page: dated heading, then the picture on the upper half.
#pragma once

#include <string>

#include "display/canvas.h"
#include "display/picture.h"
#include "output/time_stamp.h"

namespace vexal {

struct PrintPage {
  int width = 0;       // HORZRES
  int height = 0;      // VERTRES
  int lineHeight = 0;  // tmHeight + tmExternalLeading
  bool colour = true;  // BITSPIXEL > 1
  // The heading's first characters that fit the width (FitHeading).
  std::size_t headingLength = std::string::npos;
};

// The page; the cursor layer last, and nothing of it while the cursors are hidden.
void RenderPrintPage(Canvas& canvas, const PrintPage& page, const TimeStamp& stamp,
                     const Picture& picture);

}  // namespace vexal

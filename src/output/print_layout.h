// The printed page: dated heading, then the picture on the upper half.
#pragma once

#include <string>

#include "display/canvas.h"
#include "display/display_settings.h"
#include "display/waveform_store.h"
#include "output/time_stamp.h"

namespace vexal {

struct PrintPage {
  int width = 0;       // HORZRES
  int height = 0;      // VERTRES
  int lineHeight = 0;  // tmHeight + tmExternalLeading
  bool colour = true;  // BITSPIXEL > 1
};

// The dated heading at the top of the page, as it is printed; the printer's
// font is sized so that it fits the page width.
std::string PrintHeading(const TimeStamp& stamp);

void RenderPrintPage(Canvas& canvas, const PrintPage& page, const TimeStamp& stamp,
                     const WaveformSnapshot& store, const ScaleLabels& labels, int timebaseId);

}  // namespace vexal

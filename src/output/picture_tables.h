// What "Messungen" and "Werte kopieren" show of a picture: its view's numbers for its
// channels, the math trace and the reference, as TAB-separated tables with CR LF after
// each line.
#pragma once

#include <string>
#include <string_view>

#include "display/picture.h"

namespace vexal {

// The measurements, with the columns "Ref CH1", "Ref CH2" (the reference's channels with
// data, by its scales) and "M" after the channels'; in the spectrum view its peaks.
std::string MeasurementsOf(const Picture& picture);

// The cursors' rows with a row for each of the reference's channels and M's; "" while the
// cursors are hidden or another view than the time view is shown.
std::string CursorRowsOf(const Picture& picture);

// "Werte kopieren": the samples, or in the spectrum view the levels, with the columns of
// the math trace ("M / V") and the reference ("Ref Kanal 1 / V", and its own times where
// its timebase is not the current one).
std::string CopiedValuesOf(const Picture& picture, std::string_view decimalSeparator);

}  // namespace vexal

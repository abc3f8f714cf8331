#include "display/readout_lines.h"

#include <algorithm>

namespace vexal {

void WriteReadout(Canvas& canvas, const PlotArea& area, int labelTop, int lineHeight, int inset,
                  const std::vector<ReadoutText>& lines, std::string_view besideFirst) {
  const long long x = static_cast<long long>(area.left) + inset;
  const long long room = static_cast<long long>(area.right) - inset - x;
  const long long firstY = static_cast<long long>(area.top) + lineHeight / 2;
  // The name and a gap as wide as the inset.
  const long long beside =
      besideFirst.empty() ? 0 : canvas.TextWidth(std::string(besideFirst).c_str()) + inset;
  long long y = firstY;
  for (const ReadoutText& line : lines) {
    const auto longestWithin = [&](long long width) {
      return std::find_if(line.forms.begin(), line.forms.end(), [&](const auto& text) {
        return canvas.TextWidth(text.c_str()) <= width;
      });
    };
    auto form = longestWithin(y == firstY ? room - beside : room);
    if (form == line.forms.end() && y == firstY && beside > 0) {
      y += lineHeight;  // none fits beside the name: the row below it, all of it
      form = longestWithin(room);
    }
    if (y + lineHeight > labelTop) break;
    if (form == line.forms.end()) continue;
    canvas.SetTextColour(line.colour);
    canvas.WriteText(static_cast<int>(x), static_cast<int>(y), form->c_str(), TextArgs{});
    y += lineHeight;
  }
}

}  // namespace vexal

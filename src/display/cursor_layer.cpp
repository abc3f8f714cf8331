#include "display/cursor_layer.h"

#include <algorithm>

#include "scope/cursor_readout.h"
#include "scope/math_trace.h"

namespace vexal {
namespace {

constexpr const char* kLetters[] = {"A", "B"};

// Dashes of the pen selected from top to bottom, each `dash` long with a gap as long.
void DrawDottedLine(Canvas& canvas, int x, int top, int bottom, int dash) {
  const long long step = std::max(dash, 1);
  for (long long y = top; y < bottom; y += 2 * step) {
    canvas.MoveTo(x, static_cast<int>(y));
    canvas.LineTo(x, static_cast<int>(std::min<long long>(y + step, bottom)));
  }
}

}  // namespace

void DrawCursorLayer(Canvas& canvas, const PlotArea& area, int labelTop,
                     const CursorLayerStyle& style, const Picture& picture) {
  const Cursors& cursors = picture.cursors;
  if (!cursors.shown) return;
  canvas.SelectNewPen(style.penWidth, style.line);
  for (int cursor : {kCursorA, kCursorB}) {
    const int x = TraceX(area, cursors.sample[cursor]);
    // On the screen the one the keys move is solid: told apart at a glance.
    if (picture.forScreen && cursor == cursors.active) {
      canvas.MoveTo(x, area.top);
      canvas.LineTo(x, area.bottom);
    } else {
      DrawDottedLine(canvas, x, area.top, area.bottom, style.dash);
    }
  }
  canvas.ReleasePen();

  canvas.SetTransparentBackground();
  canvas.SetTextColour(style.line);
  canvas.SetTextAlign(TextAlign::kCentreTop);
  const long long letterY = static_cast<long long>(area.top) - style.lineHeight;
  for (int cursor : {kCursorA, kCursorB}) {
    canvas.WriteText(TraceX(area, cursors.sample[cursor]), static_cast<int>(letterY),
                     kLetters[cursor], TextArgs{});
  }

  // The read-out's texts hold no format directive: they are written as they are.
  canvas.SetTextAlign(TextAlign::kLeftTop);
  const long long x = static_cast<long long>(area.left) + style.textInset;
  const long long room = static_cast<long long>(area.right) - style.textInset - x;
  long long y = static_cast<long long>(area.top) + style.lineHeight / 2;
  std::vector<ReadoutLine> lines =
      CursorReadout(cursors, picture.traces, picture.labels, picture.timebaseId);
  if (picture.math && picture.traces.hasData[0] != 0 && picture.traces.hasData[1] != 0) {
    lines.push_back(
        MathReadout(cursors, ComputeMathTrace(*picture.math, picture.traces, picture.labels)));
  }
  for (const ReadoutLine& line : lines) {
    if (y + style.lineHeight > labelTop) break;
    // The longest form that stays inside the plot area; none where none does.
    const auto form = std::find_if(line.forms.begin(), line.forms.end(), [&](const auto& text) {
      return canvas.TextWidth(text.c_str()) <= room;
    });
    if (form == line.forms.end()) continue;
    canvas.SetTextColour(line.channel < 0                   ? style.line
                         : line.channel == kMathReadoutLine ? style.math
                                                            : style.channel[line.channel]);
    canvas.WriteText(static_cast<int>(x), static_cast<int>(y), form->c_str(), TextArgs{});
    y += style.lineHeight;
  }
}

}  // namespace vexal

#include "display/cursor_layer.h"

#include <algorithm>

#include "display/readout_lines.h"
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

  canvas.SetTextAlign(TextAlign::kLeftTop);
  std::vector<ReadoutText> lines;
  for (ReadoutLine& line :
       CursorReadout(cursors, picture.traces, picture.labels, picture.timebaseId)) {
    lines.push_back(
        {line.channel < 0 ? style.line : style.channel[line.channel], std::move(line.forms)});
  }
  if (picture.math) {
    lines.push_back(
        {style.math,
         MathReadout(cursors, ComputeMathTrace(*picture.math, picture.traces, picture.labels))
             .forms});
  }
  WriteReadout(canvas, area, labelTop, style.lineHeight, style.textInset, lines,
               picture.reference ? picture.reference->label : "");
}

}  // namespace vexal

// A Canvas that records every call, so tests can compare what a renderer asked
// for call by call. Header-only: the native core tests and the Win32 tests (which
// compare it with the records of a real metafile) both use it.
//
// Each call becomes one DrawCall: the operation, its int arguments in the order
// of the Canvas method (x, y / left, top, right, bottom / pen width), its colour
// or alignment, and for WriteText the format and the text as snprintf formats it
// (byte-for-byte what wsprintfA gives for the %d, %1d and %3d formats in use).
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "display/canvas.h"

namespace vexal::test {

enum class Op {
  kSelectGrayBrush,
  kSelectNewSolidBrush,  // colour
  kRestoreEntryBrush,
  kDrawRectangle,  // a = left, b = top, c = right, d = bottom
  kSelectNewPen,   // a = width, colour
  kReleasePen,
  kMoveTo,  // a = x, b = y
  kLineTo,  // a = x, b = y
  kSetTransparentBackground,
  kSetTextColour,  // colour
  kSetTextAlign,   // align
  kWriteText,      // a = x, b = y, format, text
};

struct DrawCall {
  Op op = Op::kSelectGrayBrush;
  int a = 0, b = 0, c = 0, d = 0;
  Colour colour = 0;
  TextAlign align = TextAlign::kLeftTop;
  std::string format;
  std::string text;
};

// A straight line as drawn: from the current position to a LineTo's point.
struct Stroke {
  int x1, y1, x2, y2;
  bool operator==(const Stroke&) const = default;
};

class RecordingCanvas : public Canvas {
 public:
  std::vector<DrawCall> calls;

  std::size_t Count(Op op) const {
    return static_cast<std::size_t>(
        std::count_if(calls.begin(), calls.end(), [op](const DrawCall& c) { return c.op == op; }));
  }
  std::vector<DrawCall> Only(Op op) const {
    std::vector<DrawCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
                 [op](const DrawCall& c) { return c.op == op; });
    return out;
  }

  // Every call but MoveTo/LineTo as one line, e.g. "pen 2 #00ffff", "rect 20 20 780 580",
  // "align 2", "text 48 528 CH1:   1 V / DIV" (colours as #rrggbb, alignments as their
  // GDI flags: 0 left, 2 right, 6 centre): a picture's order, objects and texts at once.
  std::vector<std::string> Outline() const {
    struct Shape {
      const char* name;
      int ints;
      bool colour;
    };
    static constexpr Shape kShapes[] = {
        {"gray brush", 0, false}, {"brush", 0, true},  {"entry brush", 0, false},
        {"rect", 4, false},       {"pen", 1, true},    {"release", 0, false},
        {"", 0, false},           {"", 0, false},      {"transparent", 0, false},
        {"colour", 0, true},      {"align", 0, false}, {"text", 2, false}};
    std::vector<std::string> out;
    for (const DrawCall& c : calls) {
      if (c.op == Op::kMoveTo || c.op == Op::kLineTo) continue;
      const Shape& shape = kShapes[static_cast<int>(c.op)];
      std::string line = shape.name;
      const int ints[] = {c.a, c.b, c.c, c.d};
      for (int i = 0; i < shape.ints; ++i) line += " " + std::to_string(ints[i]);
      char rgb[9];
      std::snprintf(rgb, sizeof rgb, " #%02x%02x%02x", c.colour & 0xFF, (c.colour >> 8) & 0xFF,
                    (c.colour >> 16) & 0xFF);
      if (shape.colour) line += rgb;
      if (c.op == Op::kSetTextAlign) line += " " + std::to_string(static_cast<unsigned>(c.align));
      if (c.op == Op::kWriteText) line += " " + c.text;
      out.push_back(line);
    }
    return out;
  }

  // The strokes drawn while the n-th pen created (0 = the first) was selected.
  std::vector<Stroke> Strokes(std::size_t n) const {
    std::vector<Stroke> out;
    std::size_t pens = 0;
    bool selected = false;
    int x = 0, y = 0;
    for (const DrawCall& c : calls) {
      if (c.op == Op::kSelectNewPen) selected = pens++ == n;
      if (c.op == Op::kReleasePen) selected = false;
      if (c.op == Op::kLineTo && selected) out.push_back({x, y, c.a, c.b});
      if (c.op == Op::kMoveTo || c.op == Op::kLineTo) std::tie(x, y) = std::tie(c.a, c.b);
    }
    return out;
  }

  void SelectGrayBrush() override { Add(Op::kSelectGrayBrush); }
  void SelectNewSolidBrush(Colour colour) override {
    Add(Op::kSelectNewSolidBrush).colour = colour;
  }
  void RestoreEntryBrush() override { Add(Op::kRestoreEntryBrush); }
  void DrawRectangle(int left, int top, int right, int bottom) override {
    Add(Op::kDrawRectangle, left, top, right, bottom);
  }
  void SelectNewPen(int width, Colour colour) override {
    Add(Op::kSelectNewPen, width).colour = colour;
  }
  void ReleasePen() override { Add(Op::kReleasePen); }
  void MoveTo(int x, int y) override { Add(Op::kMoveTo, x, y); }
  void LineTo(int x, int y) override { Add(Op::kLineTo, x, y); }
  void SetTransparentBackground() override { Add(Op::kSetTransparentBackground); }
  void SetTextColour(Colour colour) override { Add(Op::kSetTextColour).colour = colour; }
  void SetTextAlign(TextAlign align) override { Add(Op::kSetTextAlign).align = align; }
  void WriteText(int x, int y, const char* format, const TextArgs& args) override {
    DrawCall& call = Add(Op::kWriteText, x, y);
    call.format = format;
    call.text = Format(format, args);
  }

  // Surplus arguments are ignored by snprintf, so all five are always passed.
  static std::string Format(const char* format, const TextArgs& args) {
    char buffer[1024];  // wsprintfA's own limit
    const int* v = args.values;
    std::snprintf(buffer, sizeof buffer, format, v[0], v[1], v[2], v[3], v[4]);
    return buffer;
  }

 private:
  DrawCall& Add(Op op, int a = 0, int b = 0, int c = 0, int d = 0) {
    DrawCall& call = calls.emplace_back();
    call.op = op;
    std::tie(call.a, call.b, call.c, call.d) = std::tie(a, b, c, d);
    return call;
  }
};

}  // namespace vexal::test

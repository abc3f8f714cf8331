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
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
#endif
    std::snprintf(buffer, sizeof buffer, format, v[0], v[1], v[2], v[3], v[4]);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return buffer;
  }

 private:
  DrawCall& Add(Op op, int a = 0, int b = 0, int c = 0, int d = 0) {
    DrawCall& call = calls.emplace_back();
    call.op = op;
    call.a = a;
    call.b = b;
    call.c = c;
    call.d = d;
    return call;
  }
};

}  // namespace vexal::test

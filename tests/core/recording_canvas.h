// A Canvas that writes down each call as one line: "pen 2 #00ffff", "rect 20 20 780 580",
// "align 2" (GDI flags: 0 left, 2 right, 6 centre), "text 48 528 CH1:   1 V / DIV" (snprintf
// gives what wsprintf does for the formats in use). A run of lines is one line, "92 lines";
// their strokes are kept per pen.
#pragma once

#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "display/canvas.h"

namespace vexal::test {

using Lines = std::vector<std::string>;

// The lines of a copied table or a text file, each without its CR LF.
inline Lines LinesOf(const std::string& text) {
  Lines lines;
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}
using Stroke = std::array<int, 4>;  // a line as drawn: from x1, y1 to x2, y2

class RecordingCanvas : public Canvas {
 public:
  Lines calls;
  std::vector<std::vector<Stroke>> pens;  // per pen created: the strokes drawn while selected

  const std::vector<Stroke>& Strokes(std::size_t pen) const { return pens.at(pen); }
  // The calls of one kind ("text", "rect", ...).
  Lines Only(const std::string& kind) const {
    Lines out;
    for (const std::string& call : calls) {
      if (call.starts_with(kind + " ")) out.push_back(call);
    }
    return out;
  }

  void SelectGrayBrush() override { calls.push_back("gray brush"); }
  void SelectNewSolidBrush(Colour colour) override { calls.push_back("brush " + Rgb(colour)); }
  void RestoreEntryBrush() override { calls.push_back("entry brush"); }
  void DrawRectangle(int l, int t, int r, int b) override { Add("rect", {l, t, r, b}); }
  void SelectNewPen(int width, Colour colour) override {
    Add("pen", {width}, Rgb(colour));
    pens.emplace_back();
    penSelected_ = true;
  }
  void ReleasePen() override {
    calls.push_back("release");
    penSelected_ = false;
  }
  void MoveTo(int x, int y) override { at_ = {x, y}; }
  void LineTo(int x, int y) override {
    if (penSelected_) pens.back().push_back({at_[0], at_[1], x, y});
    at_ = {x, y};
    run_ = !calls.empty() && calls.back().ends_with(" lines") ? run_ + 1 : 1;
    if (run_ > 1) calls.pop_back();
    calls.push_back(std::to_string(run_) + " lines");
  }
  void SetTransparentBackground() override { calls.push_back("transparent"); }
  void SetTextColour(Colour colour) override { calls.push_back("colour " + Rgb(colour)); }
  void SetTextAlign(TextAlign align) override { Add("align", {static_cast<int>(align)}); }
  void WriteText(int x, int y, const char* format, const TextArgs& args) override {
    if (args.count == 0) return Add("text", {x, y}, format);  // written as it is
    char text[1024];  // wsprintf's own limit; surplus arguments are ignored
    const int* v = args.values;
    std::snprintf(text, sizeof text, format, v[0], v[1], v[2], v[3], v[4]);
    Add("text", {x, y}, text);
  }
  // Every character as wide as the dialog base unit the tests give, 8.
  int TextWidth(const char* text) override { return 8 * static_cast<int>(std::strlen(text)); }

 private:
  void Add(std::string line, std::initializer_list<int> ints, const std::string& tail = "") {
    for (int i : ints) line += " " + std::to_string(i);
    calls.push_back(tail.empty() ? line : line + " " + tail);
  }
  static std::string Rgb(Colour c) {
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return rgb;
  }
  bool penSelected_ = false;
  std::array<int, 2> at_{};
  int run_ = 0;
};

}  // namespace vexal::test

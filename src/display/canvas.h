// The drawing operations both renderers use, in the terms of the GDI calls that
// execute them. The Win32 backend maps each call to exactly one GDI sequence;
// the tests record them.
#pragma once

#include <cstdint>

namespace vexal {

// 0x00BBGGRR, as a Windows COLORREF.
using Colour = std::uint32_t;
constexpr Colour MakeColour(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}
inline constexpr Colour kBlack = MakeColour(0, 0, 0);
inline constexpr Colour kDarkBlue = MakeColour(0, 0, 160);
inline constexpr Colour kCyan = MakeColour(0, 255, 255);
inline constexpr Colour kGreen = MakeColour(0, 255, 0);
inline constexpr Colour kGrey = MakeColour(100, 100, 100);
// The reference's channels on the screen: darker shades of theirs.
inline constexpr Colour kDarkCyan = MakeColour(0, 140, 140);
inline constexpr Colour kDarkGreen = MakeColour(0, 140, 0);
// The math trace: neither a channel's colour nor a reference's shade, the graticule's,
// the labels' or the cursors'.
inline constexpr Colour kMagenta = MakeColour(255, 0, 255);
inline constexpr Colour kDarkMagenta = MakeColour(139, 0, 139);
// The cursors' own colours: on screen, and on a colour printer.
inline constexpr Colour kYellow = MakeColour(255, 255, 0);
inline constexpr Colour kDarkRed = MakeColour(160, 0, 0);

// Values of the GDI text-alignment flags.
enum class TextAlign : unsigned { kLeftTop = 0, kRightTop = 2, kCentreTop = 6 };

// Up to five int arguments for a wsprintf-style format.
struct TextArgs {
  int count = 0;
  int values[5] = {};
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Selects the stock GRAY_BRUSH and keeps the brush it replaces (the entry brush).
  virtual void SelectGrayBrush() = 0;
  // Creates a BS_SOLID brush with CreateBrushIndirect and selects it.
  virtual void SelectNewSolidBrush(Colour colour) = 0;
  // Selects the entry brush again and deletes the brush it replaces.
  virtual void RestoreEntryBrush() = 0;
  virtual void DrawRectangle(int left, int top, int right, int bottom) = 0;

  // Creates a PS_SOLID pen and selects it; the pen it replaces is not kept.
  virtual void SelectNewPen(int width, Colour colour) = 0;
  // Selects the stock BLACK_PEN and deletes the pen it replaces (none where that is the
  // stock pen itself: a release after a release does nothing).
  virtual void ReleasePen() = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;

  virtual void SetTransparentBackground() = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetTextAlign(TextAlign align) = 0;
  // Formats the Windows-1252 text (wsprintfW on Windows, after conversion to
  // UTF-16) and writes it whole. Without arguments the text is written as it
  // is: a "%" in it is a percent sign, not a directive.
  virtual void WriteText(int x, int y, const char* format, const TextArgs& args) = 0;
  // The width of a Windows-1252 text written as it is, in the context's font.
  virtual int TextWidth(const char* text) = 0;
};

}  // namespace vexal

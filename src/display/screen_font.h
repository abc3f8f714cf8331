// The scale labels' font on a screen above 96 dpi: a TrueType face that every
// Windows since 7 has, MulDiv(16, dpi, 96) pixels high, made once for each DPI.
// At 96 dpi the labels keep the context's stock font, as they always have.
#pragma once

#include <windows.h>

namespace vexal {

class ScreenFont {
 public:
  ScreenFont() = default;
  ~ScreenFont() { Release(); }
  ScreenFont(const ScreenFont&) = delete;
  ScreenFont& operator=(const ScreenFont&) = delete;

  // The font for `dpi`; nullptr when none can be made (the context's own serves).
  HFONT For(int dpi);
  // Deletes the font; it must not be selected into a context then.
  void Release();

 private:
  HFONT font_ = nullptr;
  int dpi_ = 0;
};

}  // namespace vexal

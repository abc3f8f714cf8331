#include "display/screen_font.h"

#include "display/plot_geometry.h"

namespace vexal {

HFONT ScreenFont::For(int dpi) {
  if (font_ != nullptr && dpi == dpi_) return font_;
  Release();
  // A cell as high as the stock font's at 96 dpi, scaled; Tahoma comes with every
  // Windows since 2000 (and with Wine), bold as the stock system font is.
  font_ = CreateFontW(ScaleToDpi(16, dpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                      OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      VARIABLE_PITCH | FF_SWISS, L"Tahoma");
  dpi_ = dpi;
  return font_;
}

void ScreenFont::Release() {
  if (font_ != nullptr) DeleteObject(font_);
  font_ = nullptr;
  dpi_ = 0;
}

}  // namespace vexal

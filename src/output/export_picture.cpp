#include "output/export_picture.h"

#include <cstring>

#include "display/gdi_waveform_renderer.h"
#include "output/global_block.h"

namespace vexal {
namespace {

// Application name, picture title, then the closing double zero. The metafile
// holds it in UTF-16 either way.
constexpr wchar_t kMetafileDescription[] = L"Vexal Interface V1.0\0Ausgabe\0";

// The picture's size on paper, in 0.01 mm: 800 x 600 pixels at 96 dpi, on every PC.
constexpr RECT kMetafileFrame = {0, 0, 21167, 15875};
constexpr int kExportDpi = 96;
// The stock system font at 96 dpi: its dialog base units and its average character width.
constexpr int kCharWidthAt96 = 8;
constexpr int kCharHeightAt96 = 16;
constexpr int kAverageCharWidthAt96 = 7;

// The screen's dots per inch, of which the stock fonts and the dialog base units are.
int ReferenceDpi(HDC reference) {
  const int dpi = GetDeviceCaps(reference, LOGPIXELSY);
  return dpi > 0 ? dpi : kExportDpi;
}

// Draws the 800 x 600 picture with the labels in the stock system font, offset by the
// dialog base units, as at 96 dpi. The renderer draws in the context's font: a new
// metafile context under Wine holds none and records every label with all advances 0,
// which LibreOffice piles onto one spot; Windows starts every context with this same
// stock font. At another DPI that font and the units are larger, so the labels get a
// font of the stock font's cell at 96 dpi, 16 high and 7 wide on average, in the regular
// sans serif that LibreOffice shows the stock font in, offset by the units of 96 dpi.
void DrawPicture(HDC dc, const Picture& picture, int referenceDpi) {
  const LONG units = GetDialogBaseUnits();
  PictureSize size = {kExportPictureWidth, kExportPictureHeight, LOWORD(units), HIWORD(units)};
  HFONT scaled = nullptr;
  if (referenceDpi != kExportDpi) {
    scaled = CreateFontW(kCharHeightAt96, kAverageCharWidthAt96, 0, 0, FW_NORMAL, FALSE, FALSE,
                         FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"Arial");
    size.charWidth = kCharWidthAt96;
    size.charHeight = kCharHeightAt96;
  }
  const HGDIOBJ stock = GetStockObject(SYSTEM_FONT);
  SelectObject(dc, scaled != nullptr ? scaled : stock);
  WaveformRenderer(dc, picture, size);
  if (scaled != nullptr) {
    SelectObject(dc, stock);  // deselected before it goes
    DeleteObject(scaled);
  }
}

}  // namespace

HENHMETAFILE RecordPictureMetafile(HWND reference, const wchar_t* path, const Picture& picture) {
  HDC screen = GetDC(reference);
  HENHMETAFILE metafile = nullptr;
  if (HDC dc = CreateEnhMetaFileW(screen, path, &kMetafileFrame, kMetafileDescription)) {
    // The 800 x 600 logical picture spans the frame, whatever the screen's DPI: a
    // word processor shows it in one size on every PC. At 96 dpi the mapping is one
    // to one, and every drawing record what it always was.
    const int dpi = ReferenceDpi(screen);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, kExportPictureWidth, kExportPictureHeight, nullptr);
    SetViewportExtEx(dc, MulDiv(kExportPictureWidth, dpi, kExportDpi),
                     MulDiv(kExportPictureHeight, dpi, kExportDpi), nullptr);
    DrawPicture(dc, picture, dpi);
    metafile = CloseEnhMetaFile(dc);
  }
  ReleaseDC(reference, screen);
  return metafile;
}

HGLOBAL PictureDib(HWND reference, const Picture& picture) {
  BITMAPINFO info{};
  BITMAPINFOHEADER& header = info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = kExportPictureWidth;
  header.biHeight = kExportPictureHeight;  // bottom-up
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = (kExportPictureWidth * 3 + 3) / 4 * 4 * kExportPictureHeight;

  HDC screen = GetDC(reference);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGLOBAL packed = nullptr;
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // The margin around the frame as the window shows it; a metafile leaves it empty.
    const RECT all = {0, 0, kExportPictureWidth, kExportPictureHeight};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawPicture(memory, picture, ReferenceDpi(screen));
    GdiFlush();
    packed = GlobalBlock(sizeof header + header.biSizeImage, [&](void* target) {
      std::memcpy(target, &header, sizeof header);
      std::memcpy(static_cast<char*>(target) + sizeof header, bits, header.biSizeImage);
    });
    SelectObject(memory, previous);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  ReleaseDC(reference, screen);
  return packed;
}

}  // namespace vexal

#include "output/export_picture.h"

#include <cstring>

#include "display/gdi_waveform_renderer.h"
#include "output/global_block.h"

namespace vexal {
namespace {

// Application name, picture title, then the closing double zero. The metafile
// holds it in UTF-16 either way.
constexpr wchar_t kMetafileDescription[] = L"Vexal Interface V1.0\0Ausgabe\0";

void DrawPicture(HDC dc, const Picture& picture) {
  // The renderer draws in the context's font. A new metafile context under Wine
  // holds none and records every label with all advances 0, which LibreOffice
  // piles onto one spot; Windows starts every context with this same stock font,
  // so the picture is the same there.
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  const LONG units = GetDialogBaseUnits();
  WaveformRenderer(dc, picture, kExportPictureWidth, kExportPictureHeight, LOWORD(units),
                   HIWORD(units));
}

}  // namespace

HENHMETAFILE RecordPictureMetafile(HWND reference, const wchar_t* path, const Picture& picture) {
  HDC screen = GetDC(reference);
  HENHMETAFILE metafile = nullptr;
  if (HDC dc = CreateEnhMetaFileW(screen, path, nullptr, kMetafileDescription)) {
    DrawPicture(dc, picture);
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
    DrawPicture(memory, picture);
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

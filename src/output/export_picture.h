// The picture that the metafile export saves and "Bild kopieren" copies: the
// screen's picture at 800 x 600 as at 96 dpi, on every PC; the metafile is
// 211,67 x 158,75 mm.
#pragma once

#include <windows.h>

#include "display/picture.h"

namespace vexal {

inline constexpr int kExportPictureWidth = 800;
inline constexpr int kExportPictureHeight = 600;

// Records it as an enhanced metafile into the file `path`, or in memory for
// nullptr, with the display context of `reference` as the reference device.
// nullptr when the metafile cannot be made; the caller deletes the handle.
HENHMETAFILE RecordPictureMetafile(HWND reference, const wchar_t* path, const Picture& picture);

// The same picture as a packed DIB (CF_DIB): the BITMAPINFOHEADER, then 24-bit
// rows, bottom-up, in movable global memory that the caller owns. nullptr when
// memory or GDI objects run out.
HGLOBAL PictureDib(HWND reference, const Picture& picture);

}  // namespace vexal

// "Als Textdatei exportieren..." (kind 0) and "Als Grafik exportieren..." (kind 1).
#pragma once

#include <windows.h>

#include "display/picture.h"

namespace vexal {

enum ExportKind : int { kExportText = 0, kExportMetafile = 1 };

// The picture, or for the text its samples, is taken once the save dialog has closed.
void FileExport(HWND owner, int kind, PictureSource source);

// The save dialog's file-name buffer for both kinds: the name chosen last, in
// either export, is offered again. UTF-16, so that a folder in any script can be
// saved to, and as long as the longest path Windows takes (beyond MAX_PATH, as
// the manifest declares). Empty at start; used on the window thread only.
inline constexpr int kExportFileNameSize = 32768;
extern wchar_t ExportFileName[kExportFileNameSize];

}  // namespace vexal

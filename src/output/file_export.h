// "Als Textdatei exportieren..." (kind 0) and "Als Grafik exportieren..." (kind 1).
#pragma once

#include <windows.h>

namespace vexal {

enum ExportKind : int { kExportText = 0, kExportMetafile = 1 };

void FileExport(HWND owner, int kind);

}  // namespace vexal

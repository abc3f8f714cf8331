// The clipboard: the picture, or a text. Either puts all of its formats there or
// shows "Fehler beim Kopieren in die Zwischenablage !" (when another program holds
// the clipboard, or memory runs out); it leaves the clipboard as it was when it
// cannot open it.
#pragma once

#include <windows.h>

#include <string>

#include "display/picture.h"

namespace vexal {

// CF_ENHMETAFILE and CF_DIB of the exported picture (export_picture.h).
void CopyPictureToClipboard(HWND owner, const Picture& picture);

// CF_UNICODETEXT and CF_TEXT of a Windows-1252 text, and CF_LOCALE German.
void CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace vexal

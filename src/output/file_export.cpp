#include "output/file_export.h"

#include "display/message_boxes.h"
#include "output/common_dialogs.h"
#include "output/export_picture.h"
#include "output/replace_on_success.h"
#include "output/text_export.h"
#include "output/text_file_writer.h"
#include "output/time_stamp.h"

namespace vexal {

wchar_t ExportFileName[kExportFileNameSize] = L"";

namespace {

constexpr char kCreateFailed[] = "Fehler beim Anlegen der Datei !";
constexpr char kWriteFailed[] = "Fehler beim Schreiben der Datei !";

// The save dialog; false when the user cancelled or the dialog failed.
bool AskFileName(HWND owner, int kind) {
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(OPENFILENAMEW);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = kind == kExportText
                           ? kTextFileFilter
                           : L"Enhanced Metafile (*.emf)\0*.emf\0Alle Dateien (*.*)\0*.*\0";
  dialog.nFilterIndex = 0;  // no custom filter: the first one is shown
  dialog.lpstrFile = ExportFileName;
  dialog.nMaxFile = kExportFileNameSize;
  // The dialog must not leave the chosen folder as the program's current one:
  // Windows would hold it open (a USB stick could not be removed safely) until
  // the program ends. A folder that does not exist is the dialog's to refuse.
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  dialog.lpstrDefExt = kind == kExportText ? L"txt" : L"emf";
  return ShowSaveDialog(&dialog) != 0;
}

ULONGLONG FileSize(const wchar_t* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
  return (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

TimeStamp ToTimeStamp(const SYSTEMTIME& time) {
  return TimeStamp{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

void ExportText(HWND owner, const TimeStamp& stamp, const WaveformSnapshot& traces) {
  const std::vector<std::string> pieces = TextExportPieces(traces, stamp);

  ReplaceOnSuccess target(ExportFileName);
  HANDLE file = target.Created() ? CreateFileW(target.TempPath(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)
                                 : INVALID_HANDLE_VALUE;
  if (file == INVALID_HANDLE_VALUE) {
    ShowErrorBox(owner, kCreateFailed);
    return;
  }
  bool written = WriteTextPieces(file, pieces) && FlushFileBuffers(file) != 0;
  written = CloseHandle(file) != 0 && written;
  if (!written) {
    ShowErrorBox(owner, kWriteFailed);  // the temporary file goes, the old file stays
    return;
  }
  if (!target.Commit()) ShowErrorBox(owner, kCreateFailed);
}

void ExportMetafile(HWND owner, const Picture& picture) {
  ReplaceOnSuccess target(ExportFileName);
  if (!target.Created()) {
    ShowErrorBox(owner, kCreateFailed);
    return;
  }
  bool closed = false;
  // Closing the metafile writes the file. A short write (disk full) can go
  // unreported, so the file on disk must be as long as the metafile itself.
  if (HENHMETAFILE metafile = RecordPictureMetafile(owner, target.TempPath(), picture)) {
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    closed = size > 0 && FileSize(target.TempPath()) == size;
    DeleteEnhMetaFile(metafile);
  }
  if (!closed || !target.Commit()) ShowErrorBox(owner, kCreateFailed);
}

}  // namespace

void FileExport(HWND owner, int kind, PictureSource source) {
  // The heading shows the moment the dialog opened, not when the file was written.
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (!AskFileName(owner, kind)) return;
  if (kind == kExportText) {
    ExportText(owner, ToTimeStamp(now), source().traces);
  } else {
    ExportMetafile(owner, source());
  }
}

}  // namespace vexal

#include "output/saved_export_file.h"

#include <windows.h>

#include <string>

namespace vexal {

namespace {

// A program that writes the file changes its size or its last-write time.
bool SameVersion(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
         CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

}  // namespace

const char* ReadSavedExport(const wchar_t* path, SavedExport& saved) {
  // Shared every way: the export may be open in a spreadsheet, or in a program
  // that writes it, and is still shown.
  HANDLE file =
      CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "Fehler beim Lesen der Datei !";
  // One byte more than an export can be, so that a longer file shows as such.
  std::string content(kMaxTextExportBytes + 1, '\0');
  std::size_t size = 0;
  // Only a file is read: a serial port, a pipe or a console would hold the
  // window thread in ReadFile until it sends something, perhaps never.
  BY_HANDLE_FILE_INFORMATION before{}, after{};
  bool read = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &before);
  while (read && size < content.size()) {
    DWORD count = 0;
    read = ReadFile(file, content.data() + size, static_cast<DWORD>(content.size() - size), &count,
                    nullptr) != 0;
    if (!read || count == 0) break;
    size += count;
  }
  // Parts of two versions of a file are not one export.
  read = read && GetFileInformationByHandle(file, &after) && SameVersion(before, after);
  CloseHandle(file);
  if (!read) return "Fehler beim Lesen der Datei !";
  content.resize(size);
  const auto fromFile = ReadTextExport(content);
  if (!fromFile) return "Datei ist keine Vexal-Ausgabe !";
  saved = *fromFile;
  return nullptr;
}

}  // namespace vexal

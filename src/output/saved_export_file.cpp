#include "output/saved_export_file.h"

#include <windows.h>

#include <string>

#include "display/waveform_store.h"
#include "output/text_import.h"

namespace vexal {

const char* LoadSavedExport(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "Fehler beim Lesen der Datei !";
  // One byte more than an export can be, so that a longer file shows as such.
  std::string content(kMaxTextExportBytes + 1, '\0');
  std::size_t size = 0;
  // Only a file is read: a serial port, a pipe or a console would hold the
  // window thread in ReadFile until it sends something, perhaps never.
  bool read = GetFileType(file) == FILE_TYPE_DISK;
  while (read && size < content.size()) {
    DWORD count = 0;
    read = ReadFile(file, content.data() + size, static_cast<DWORD>(content.size() - size), &count,
                    nullptr) != 0;
    if (!read || count == 0) break;
    size += count;
  }
  CloseHandle(file);
  if (!read) return "Fehler beim Lesen der Datei !";
  content.resize(size);
  const auto saved = ReadTextExport(content);
  if (!saved) return "Datei ist keine Vexal-Ausgabe !";
  TheWaveformStore().Modify([&](WaveformSnapshot& store) { ApplySavedExport(*saved, store); });
  return nullptr;
}

}  // namespace vexal

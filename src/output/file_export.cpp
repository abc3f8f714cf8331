#include "output/file_export.h"

namespace vexal {

void FileExport(HWND, int) {
  // Export is not built yet.
}

}  // namespace vexal

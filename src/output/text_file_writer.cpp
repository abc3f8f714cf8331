#include "output/text_file_writer.h"

namespace vexal {

bool WriteTextPieces(HANDLE file, const std::vector<std::string>& pieces) {
  for (const std::string& piece : pieces) {
    const DWORD length = static_cast<DWORD>(piece.size());
    DWORD written = 0;
    if (WriteFile(file, piece.data(), length, &written, nullptr) == 0 || written != length) {
      return false;
    }
  }
  return true;
}

}  // namespace vexal

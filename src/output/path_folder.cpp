#include "output/path_folder.h"

namespace vexal {

std::wstring PathFolder(const std::wstring& path) {
  std::size_t length = path.find_last_of(L"\\/");
  if (length == std::wstring::npos) return L".";
  if (length == 0 || (length == 2 && path[1] == L':')) ++length;  // the root's separator
  return path.substr(0, length);
}

}  // namespace vexal

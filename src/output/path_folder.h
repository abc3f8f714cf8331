// The folder of a file's path: where a file made to replace it goes.
#pragma once

#include <string>

namespace vexal {

// The part of `path` before its last separator ('\\' or '/'), of any length;
// the root keeps its separator ("C:\\a" gives "C:\\"). "." when there is none.
std::wstring PathFolder(const std::wstring& path);

}  // namespace vexal

#include "display/wide_text.h"

#include <windows.h>

namespace vexal {

std::wstring FromWindows1252(std::string_view text) {
  constexpr UINT kWindows1252 = 1252;  // never CP_ACP: that is the system's, not ours
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(kWindows1252, 0, text.data(), length, wide.data(), length)));
  return wide;
}

std::string ToWindows1252(std::wstring_view text) {
  constexpr UINT kWindows1252 = 1252;
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  std::string narrow(text.size(), '\0');  // one byte at most for each UTF-16 unit
  narrow.resize(
      static_cast<std::size_t>(WideCharToMultiByte(kWindows1252, WC_NO_BEST_FIT_CHARS, text.data(),
                                                   length, narrow.data(), length, "?", nullptr)));
  return narrow;
}

}  // namespace vexal

#include "app/command_line.h"

#include <algorithm>

namespace vexal {

std::wstring_view CommandLineRest(std::wstring_view line) {
  constexpr std::wstring_view kBlanks = L" \t";
  std::size_t name = line.find_first_of(kBlanks);
  if (line.starts_with(L'"')) {
    name = line.find(L'"', 1);
    if (name != std::wstring_view::npos) ++name;  // the closing quote
  }
  line.remove_prefix(std::min(name, line.size()));
  const std::size_t first = line.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kBlanks) + 1 - first);
}

}  // namespace vexal

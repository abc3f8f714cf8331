// A column that a copied table adds after the channels' (the math trace, the reference):
// its heading and its cells, one for each line, made by the caller.
#pragma once

#include <string>
#include <vector>

namespace vexal {

struct TextColumn {
  std::string heading;
  std::vector<std::string> cells;
};

}  // namespace vexal

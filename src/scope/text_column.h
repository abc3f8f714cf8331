// The copied tables ("Werte kopieren"): columns of cells, written as lines of cells
// between TABs, each line ended by CR LF, as spreadsheets take them from the clipboard.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scope/sample_scale.h"

namespace vexal {

struct TextColumn {
  std::string heading;
  std::vector<std::string> cells;
};

// 0, 1, ... count - 1: the numbers of the samples or bins, for a column of times or
// frequencies.
std::vector<std::int64_t> Numbers(int count);

// A column of exact values: cell i is levels[i] x step, with the user's separator.
TextColumn ExactColumn(std::string heading, const std::vector<std::int64_t>& levels,
                       const ExactStep& step, std::string_view decimalSeparator);

// The headings' line, then one line for each cell of the first column; every column has
// as many cells as the first.
std::string TabSeparated(const std::vector<TextColumn>& columns);

}  // namespace vexal

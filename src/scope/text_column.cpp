#include "scope/text_column.h"

#include "scope/number_text.h"

namespace vexal {

std::vector<std::int64_t> Numbers(int count) {
  std::vector<std::int64_t> numbers(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) numbers[static_cast<std::size_t>(i)] = i;
  return numbers;
}

TextColumn ExactColumn(std::string heading, const std::vector<std::int64_t>& levels,
                       const ExactStep& step, std::string_view decimalSeparator) {
  TextColumn column{std::move(heading), {}};
  column.cells.reserve(levels.size());
  for (const std::int64_t level : levels) {
    column.cells.push_back(ExactDecimal(level * step.units, step.decimals, decimalSeparator));
  }
  return column;
}

std::string TabSeparated(const std::vector<TextColumn>& columns) {
  std::string text;
  const auto line = [&](const auto& cellOf) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (c > 0) text += '\t';
      text += cellOf(columns[c]);
    }
    text += "\r\n";
  };
  line([](const TextColumn& column) -> const std::string& { return column.heading; });
  const std::size_t lines = columns.empty() ? 0 : columns.front().cells.size();
  for (std::size_t i = 0; i < lines; ++i) {
    line([i](const TextColumn& column) -> const std::string& { return column.cells.at(i); });
  }
  return text;
}

}  // namespace vexal

// Timebase menu identifiers with their menu and label texts (Windows-1252).
#pragma once

#include <array>

namespace vexal {

struct TimebaseRow {
  int id;
  const char* menuText;
  const char* labelText;
};

// In the order of the "Zeitbasis" menu.
extern const std::array<TimebaseRow, 22> TimebaseLabelTable;

// The label text for a timebase identifier, or nullptr when it has no row.
const char* TimebaseLabel(int timebaseId);

}  // namespace vexal

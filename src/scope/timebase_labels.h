// Timebase menu identifiers with their menu and label texts (Windows-1252) and
// their time per division.
#pragma once

#include <array>
#include <cstdint>

namespace vexal {

struct TimebaseRow {
  int id;
  const char* menuText;
  const char* labelText;
  // Exact, as the measurements and the copied values need it: 5 us to 50 s.
  std::uint32_t microsecondsPerDivision;
};

// In the order of the "Zeitbasis" menu.
extern const std::array<TimebaseRow, 22> TimebaseLabelTable;

// The row of a timebase identifier, or nullptr when it has none.
const TimebaseRow* FindTimebase(int timebaseId);
// The label text for a timebase identifier, or nullptr when it has no row.
const char* TimebaseLabel(int timebaseId);

}  // namespace vexal

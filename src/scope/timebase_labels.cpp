#include "scope/timebase_labels.h"

#include "resource.h"

namespace vexal {

// Menu order: "500µs" (6017) stands before "200µs" (6016).
const std::array<TimebaseRow, 22> TimebaseLabelTable = {{
    {IDM_TB_50S, "50s", "TB: 50 s / DIV", 50'000'000},
    {IDM_TB_20S, "20s", "TB: 20 s / DIV", 20'000'000},
    {IDM_TB_10S, "10s", "TB: 10 s / DIV", 10'000'000},
    {IDM_TB_5S, "5s", "TB: 5 s / DIV", 5'000'000},
    {IDM_TB_2S, "2s", "TB: 2 s / DIV", 2'000'000},
    {IDM_TB_1S, "1s", "TB: 1 s / DIV", 1'000'000},
    {IDM_TB_500MS, "500ms", "TB: 500 ms / DIV", 500'000},
    {IDM_TB_200MS, "200ms", "TB: 200 ms / DIV", 200'000},
    {IDM_TB_100MS, "100ms", "TB: 100 ms / DIV", 100'000},
    {IDM_TB_50MS, "50ms", "TB: 50 ms / DIV", 50'000},
    {IDM_TB_20MS, "20ms", "TB: 20 ms / DIV", 20'000},
    {IDM_TB_10MS, "10ms", "TB: 10 ms / DIV", 10'000},
    {IDM_TB_5MS, "5ms", "TB: 5 ms / DIV", 5'000},
    {IDM_TB_2MS, "2ms", "TB: 2 ms / DIV", 2'000},
    {IDM_TB_1MS, "1ms", "TB: 1 ms / DIV", 1'000},
    {IDM_TB_500US, "500\xB5s", "TB: 500 \xB5s / DIV", 500},
    {IDM_TB_200US, "200\xB5s", "TB: 200 \xB5s / DIV", 200},
    {IDM_TB_100US, "100\xB5s", "TB: 100 \xB5s / DIV", 100},
    {IDM_TB_50US, "50\xB5s", "TB: 50 \xB5s / DIV", 50},
    {IDM_TB_20US, "20\xB5s", "TB: 20 \xB5s / DIV", 20},
    {IDM_TB_10US, "10\xB5s", "TB: 10 \xB5s / DIV", 10},
    {IDM_TB_5US, "5\xB5s", "TB: 5 \xB5s / DIV", 5},
}};

const TimebaseRow* FindTimebase(int timebaseId) {
  for (const TimebaseRow& row : TimebaseLabelTable) {
    if (row.id == timebaseId) return &row;
  }
  return nullptr;
}

const char* TimebaseLabel(int timebaseId) {
  const TimebaseRow* row = FindTimebase(timebaseId);
  return row != nullptr ? row->labelText : nullptr;
}

}  // namespace vexal

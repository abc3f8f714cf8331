// The fields of the local time that the text export and the printed heading show.
#pragma once

namespace vexal {

struct TimeStamp {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
};

}  // namespace vexal

// The text of the entry window's date label.
#pragma once

#include "text/text.h"

namespace jixia {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The current local date and time.
LocalTime NowLocal();

// GBK: "2019年3月5日" followed, from the last non-zero part on, by the hour,
// minutes and seconds: "14时7分9秒", "9时30分", "8时" or nothing at midnight.
// Numbers have no leading zeros.
Text DateLabel(const LocalTime& time);

}  // namespace jixia

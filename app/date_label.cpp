#include "app/date_label.h"

#include <ctime>
#include <string>

#include "text/codepage.h"

namespace jixia {

LocalTime NowLocal() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

Text DateLabel(const LocalTime& t) {
  using std::to_string;
  std::string utf8 = to_string(t.year) + "年" + to_string(t.month) + "月" + to_string(t.day) + "日";
  if (t.second != 0) {
    utf8 += to_string(t.hour) + "时" + to_string(t.minute) + "分" + to_string(t.second) + "秒";
  } else if (t.minute != 0) {
    utf8 += to_string(t.hour) + "时" + to_string(t.minute) + "分";
  } else if (t.hour != 0) {
    utf8 += to_string(t.hour) + "时";
  }
  return Utf8ToGbk(utf8);
}

}  // namespace jixia

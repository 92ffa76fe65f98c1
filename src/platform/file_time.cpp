#include <chrono>
#include <cstdio>

#include "automation/text.h"
#include "platform/platform.h"

namespace r58046::platform {

// "YYYY-MM-DD hh:mm:ss.nnnnnnnnn", in UTC.
std::u16string formatFileTime(FileTime time) {
  using namespace std::chrono;
  sys_time<nanoseconds> at{nanoseconds(time.nanoseconds)};
  sys_days day = floor<days>(at);
  year_month_day date{day};
  hh_mm_ss<nanoseconds> clock{at - day};
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d.%09lld",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()),
                static_cast<long long>(clock.subseconds().count()));
  return automation::fromUtf8(text);
}

}  // namespace r58046::platform

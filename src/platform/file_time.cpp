#include <array>
#include <chrono>
#include <cstdio>

#include "automation/text.h"
#include "platform/platform.h"

namespace r58046::platform {

// "YYYY-MM-DD hh:mm:ss.nnnnnnnnn", in UTC.
std::u16string formatFileTime(FileTime time) {
  namespace chrono = std::chrono;
  chrono::sys_time<chrono::nanoseconds> at{chrono::nanoseconds(time.nanoseconds)};
  chrono::sys_days day = chrono::floor<chrono::days>(at);
  chrono::year_month_day date{day};
  chrono::hh_mm_ss<chrono::nanoseconds> clock{at - day};
  std::array<char, 48> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02u-%02u %02d:%02d:%02d.%09lld",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()),
                static_cast<long long>(clock.subseconds().count()));
  return automation::fromUtf8(text.data());
}

}  // namespace r58046::platform

#include "platform/pauses_win32.h"

#include <windows.h>

namespace r58046::platform {

void SleepPauses::pause(std::chrono::milliseconds duration) {
  if (duration.count() > 0) {
    Sleep(static_cast<DWORD>(duration.count()));
  }
}

}  // namespace r58046::platform

#include "platform/real_pauses.h"

#include <numeric>
#include <thread>

namespace r58046::platform {

void RealPauses::pause(std::chrono::milliseconds duration) {
  if (duration.count() > 0) {
    std::this_thread::sleep_for(duration);
  }
}

std::chrono::milliseconds RecordingPauses::total() const {
  return std::accumulate(asked_.begin(), asked_.end(), std::chrono::milliseconds(0));
}

}  // namespace r58046::platform

// Pauses of the Windows build: the system's Sleep.
#pragma once

#include "platform/platform.h"

namespace r58046::platform {

class SleepPauses : public Pauses {
 public:
  void pause(std::chrono::milliseconds duration) override;
};

}  // namespace r58046::platform

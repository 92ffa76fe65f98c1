// Pauses: the real one that waits, and one for tests that only records what was asked.
#pragma once

#include <chrono>
#include <vector>

#include "platform/platform.h"

namespace r58046::platform {

// Waits for as long as asked (nothing for a duration that is not positive).
class RealPauses : public Pauses {
 public:
  void pause(std::chrono::milliseconds duration) override;
};

// Records every duration asked, in order, and returns at once.
class RecordingPauses : public Pauses {
 public:
  void pause(std::chrono::milliseconds duration) override { asked_.push_back(duration); }
  const std::vector<std::chrono::milliseconds>& asked() const { return asked_; }
  std::chrono::milliseconds total() const;
  void clear() { asked_.clear(); }

 private:
  std::vector<std::chrono::milliseconds> asked_;
};

}  // namespace r58046::platform

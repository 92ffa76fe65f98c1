// The platform of the native build in one object: the simulated desktop and class
// registry, the real file system and real pauses.
#pragma once

#include "platform/platform.h"
#include "platform/posix_file_system.h"
#include "platform/real_pauses.h"
#include "platform/sim_desktop.h"
#include "platform/sim_registry.h"

namespace r58046::platform {

struct NativePlatform {
  NativePlatform() = default;
  NativePlatform(const NativePlatform&) = delete;
  NativePlatform& operator=(const NativePlatform&) = delete;
  ~NativePlatform() = default;

  SimDesktop desktop;
  SimRegistry registry;
  PosixFileSystem files;
  RealPauses pauses;

  // Refers to the members: valid as long as this object lives.
  Platform platform();
};

}  // namespace r58046::platform

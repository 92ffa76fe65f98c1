// The platform of the Windows build in one object: the Win32 window manager, the COM class
// registry, the wide-character file system and Sleep.
#pragma once

#include "com/class_registry.h"
#include "platform/file_system_win32.h"
#include "platform/pauses_win32.h"
#include "platform/platform.h"
#include "platform/window_manager_win32.h"

namespace r58046::com {

struct WindowsPlatform {
  platform::Win32WindowManager windows;
  ComClassRegistry registry;
  platform::Win32FileSystem files;
  platform::SleepPauses pauses;

  // Refers to the members: valid as long as this object lives (it does not move).
  platform::Platform platform() { return platform::Platform{windows, registry, files, pauses}; }
};

}  // namespace r58046::com

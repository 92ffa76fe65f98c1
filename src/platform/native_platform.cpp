#include "platform/native_platform.h"

namespace r58046::platform {

Platform NativePlatform::platform() {
  return Platform{desktop, registry, files, pauses};
}

}  // namespace r58046::platform

// The class registry of the Windows build: GetObject and CreateObject by ProgID, through
// the system's registry and running object table.
#pragma once

#include "platform/platform.h"

namespace r58046::com {

class ComClassRegistry : public platform::ClassRegistry {
 public:
  // CLSIDFromProgID, then GetActiveObject: error 429 when the class is unknown or no object
  // of it is registered as running.
  automation::ObjectRef getActiveObject(std::u16string_view progId) override;
  // CLSIDFromProgID, then CoCreateInstance (any server context): error 429 when it cannot
  // be created.
  automation::ObjectRef createObject(std::u16string_view progId) override;
};

}  // namespace r58046::com

// The simulated class registry: programs register a factory and their running objects by
// ProgID (compared without regard to case), and the module attaches or creates through it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace r58046::platform {

class SimRegistry : public ClassRegistry {
 public:
  using Factory = std::function<automation::ObjectRef()>;

  // How CreateObject makes a new instance of progId.
  void registerClass(std::u16string_view progId, Factory factory);
  // The running object table: the object GetObject attaches to (held weakly; a program
  // that ends revokes it). Several objects may be registered under one ProgID; GetObject
  // attaches to the one registered first that is still alive, as the running object table
  // answers the first registration.
  void registerRunning(std::u16string_view progId, const automation::ObjectRef& object);
  void revokeRunning(std::u16string_view progId, const automation::ObjectRef& object);

  // The running object still alive; error 429 when there is none.
  automation::ObjectRef getActiveObject(std::u16string_view progId) override;
  // What the factory makes; error 429 when no class is registered, or the factory fails or
  // makes nothing.
  automation::ObjectRef createObject(std::u16string_view progId) override;

 private:
  // Keys are ProgIDs in lower case.
  std::map<std::u16string, Factory> classes_;
  std::map<std::u16string, std::vector<std::weak_ptr<automation::Dispatch>>> running_;
};

}  // namespace r58046::platform

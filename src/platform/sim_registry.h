// The simulated class registry: programs register a factory and their running objects by
// ProgID (compared without regard to case), and the module attaches or creates through it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace r58046::platform {

class SimRegistry : public ClassRegistry {
 public:
  using Factory = std::function<automation::ObjectRef()>;

  // How CreateObject makes a new instance of progId.
  void registerClass(std::u16string_view progId, Factory factory);
  // The running object table: the object GetObject attaches to (held weakly; a program
  // that ends revokes it).
  void registerRunning(std::u16string_view progId, const automation::ObjectRef& object);
  void revokeRunning(std::u16string_view progId, const automation::ObjectRef& object);

  automation::ObjectRef getActiveObject(std::u16string_view progId) override;
  automation::ObjectRef createObject(std::u16string_view progId) override;

 private:
  std::map<std::u16string, Factory> classes_;
  std::map<std::u16string, std::weak_ptr<automation::Dispatch>> running_;
};

}  // namespace r58046::platform

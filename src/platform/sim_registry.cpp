#include "platform/sim_registry.h"

#include <algorithm>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "automation/text.h"

namespace r58046::platform {
namespace {

std::u16string key(std::u16string_view progId) {
  return automation::lower(progId);
}

}  // namespace

void SimRegistry::registerClass(std::u16string_view progId, Factory factory) {
  classes_[key(progId)] = std::move(factory);
}

void SimRegistry::registerRunning(std::u16string_view progId, const automation::ObjectRef& object) {
  if (object) {
    running_[key(progId)].push_back(object);
  }
}

void SimRegistry::revokeRunning(std::u16string_view progId, const automation::ObjectRef& object) {
  auto it = running_.find(key(progId));
  if (it == running_.end()) {
    return;
  }
  // Drops this object's registration, and those of objects that no longer exist.
  std::erase_if(it->second, [&](const std::weak_ptr<automation::Dispatch>& entry) {
    auto held = entry.lock();
    return !held || automation::sameObject(held, object);
  });
}

automation::ObjectRef SimRegistry::getActiveObject(std::u16string_view progId) {
  auto it = running_.find(key(progId));
  if (it != running_.end()) {
    for (const auto& entry : it->second) {
      if (auto object = entry.lock()) {
        return object;
      }
    }
  }
  automation::raiseError(automation::errors::kCannotCreateObject);
}

automation::ObjectRef SimRegistry::createObject(std::u16string_view progId) {
  auto it = classes_.find(key(progId));
  if (it == classes_.end() || !it->second) {
    automation::raiseError(automation::errors::kCannotCreateObject);
  }
  // A copy: a starting program may register its classes again.
  Factory factory = it->second;
  automation::ObjectRef object;
  try {
    object = factory();
  } catch (...) {
    // Whatever stopped the program from starting, the caller sees what CreateObject says.
    object = nullptr;
  }
  if (!object) {
    automation::raiseError(automation::errors::kCannotCreateObject);
  }
  return object;
}

}  // namespace r58046::platform

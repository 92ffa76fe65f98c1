// The world of a scenario file in the Windows build: a temporary folder tree, the module
// created through COM by its class identifier and driven through AbstractModule as a host
// drives it, and Word as whatever answers to "Word.Application.11" (simword.exe under the
// tests), started by the user as a program and driven from outside automation through its
// control window.
#pragma once

#include <memory>

#include "external/host.h"
#include "scenario/world.h"

namespace r58046::winhost {

// A new world; std::runtime_error when its folders cannot be made or the module cannot be
// created (r58046.dll not registered).
std::unique_ptr<scenario::World> makeWindowsWorld();

// The module created through COM by its class identifier and held as a host holds it;
// std::runtime_error when it cannot be created (r58046.dll not registered).
std::unique_ptr<external::AbstractModule> createHostModule();

}  // namespace r58046::winhost

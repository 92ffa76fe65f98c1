// The world of the native build: a temporary folder tree, the simulated desktop and class
// registry, the simulated Word installed there, and a new module.
#pragma once

#include <memory>

#include "scenario/world.h"

namespace r58046::scenario {

// A new world; its folders are removed when it is destroyed. std::runtime_error when the
// folders cannot be made. Its root folder is a world folder (scenario/world_folders.h):
// removed also when the run is killed or crashes.
std::unique_ptr<World> makeNativeWorld();

}  // namespace r58046::scenario

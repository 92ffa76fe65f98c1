// The world of the native build: a temporary folder tree, the simulated desktop and class
// registry, the simulated Word installed there, and a new module.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "scenario/world.h"
#include "simword/word.h"

namespace r58046::scenario {

// A new world; its folders are removed when it is destroyed. std::runtime_error when the
// folders cannot be made. Its root folder is a world folder (scenario/world_folders.h):
// removed also when the run is killed or crashes.
std::unique_ptr<World> makeNativeWorld();

// What the fault campaign changes in a world.
struct NativeWorldOptions {
  // Used by the module in place of the world's own file system and pauses when given (the
  // campaign watches what the module does to files, and makes its waits instant); they must
  // outlive the world. The scenario's own lines and Word keep the world's.
  platform::FileSystem* moduleFiles = nullptr;
  platform::Pauses* modulePauses = nullptr;
  // Sees each call that a Word of the world is about to answer, in every Word started there
  // (by a `word` line or by the module), as simword::WordSession::observeCalls describes.
  std::function<void(simword::WordInstance& word, std::u16string_view member)> wordCalls;
};
std::unique_ptr<World> makeNativeWorldWith(const NativeWorldOptions& options);

}  // namespace r58046::scenario

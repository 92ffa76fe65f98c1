#include "simword/word.h"

#include <map>

#include "simword/application.h"

namespace r58046::simword {

namespace {

// What one environment holds of Word: the user's settings, shared by every Word started
// there, and the Words started, which live as long as the environment's registry holds the
// factory that owns them.
struct EnvironmentState {
  WordEnvironment environment;
  std::shared_ptr<WordSettings> settings;
  std::vector<std::shared_ptr<Application>> started;
};

// Environments by their registry. Held weakly: an entry whose registry is gone has expired,
// also when a new registry comes to the same address.
std::map<const platform::SimRegistry*, std::weak_ptr<EnvironmentState>>& environments() {
  static std::map<const platform::SimRegistry*, std::weak_ptr<EnvironmentState>> map;
  return map;
}

std::shared_ptr<EnvironmentState> stateOf(const WordEnvironment& environment) {
  auto& map = environments();
  auto it = map.find(environment.registry);
  return it == map.end() ? nullptr : it->second.lock();
}

}  // namespace

void installWord(const WordEnvironment& environment) {
  auto state = std::make_shared<EnvironmentState>(
      EnvironmentState{environment, WordSettings::initial(environment), {}});
  for (auto progId : {kWordProgId, kWordVersionIndependentProgId}) {
    environment.registry->registerClass(progId, [state]() -> automation::ObjectRef {
      auto word = Application::start(state->environment, state->settings,
                                     Application::StartedBy::Automation);
      state->started.push_back(word);
      return word;
    });
  }
  auto& map = environments();
  std::erase_if(map, [](const auto& entry) { return entry.second.expired(); });
  map[environment.registry] = state;
}

std::shared_ptr<WordInstance> startWordAsUser(const WordEnvironment& environment) {
  auto state = stateOf(environment);
  if (!state) {
    installWord(environment);
    state = stateOf(environment);
  }
  auto word = Application::start(state->environment, state->settings, Application::StartedBy::User);
  state->started.push_back(word);
  return word;
}

std::vector<std::shared_ptr<WordInstance>> startedWords(const WordEnvironment& environment) {
  auto state = stateOf(environment);
  if (!state) {
    return {};
  }
  return {state->started.begin(), state->started.end()};
}

}  // namespace r58046::simword

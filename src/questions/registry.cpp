#include "questions/registry.h"

#include <array>
#include <utility>

namespace r58046::questions {

namespace {

using Creator = automation::ObjectRef (*)(const platform::Platform&);

// Number -> class. A class is listed here once its file exists (one line each).
constexpr std::array kQuestions = {
    std::pair<int32_t, Creator>{201, &CreeQuestion0201},
    std::pair<int32_t, Creator>{202, &CreeQuestion0202},
    std::pair<int32_t, Creator>{203, &CreeQuestion0203},
    std::pair<int32_t, Creator>{204, &CreeQuestion0204},
    std::pair<int32_t, Creator>{205, &CreeQuestion0205},
    std::pair<int32_t, Creator>{206, &CreeQuestion0206},
    std::pair<int32_t, Creator>{207, &CreeQuestion0207},
    std::pair<int32_t, Creator>{208, &CreeQuestion0208},
    std::pair<int32_t, Creator>{209, &CreeQuestion0209},
    std::pair<int32_t, Creator>{210, &CreeQuestion0210},
    std::pair<int32_t, Creator>{211, &CreeQuestion0211},
    std::pair<int32_t, Creator>{212, &CreeQuestion0212},
    std::pair<int32_t, Creator>{213, &CreeQuestion0213},
    std::pair<int32_t, Creator>{214, &CreeQuestion0214},
    std::pair<int32_t, Creator>{215, &CreeQuestion0215},
    std::pair<int32_t, Creator>{216, &CreeQuestion0216},
    std::pair<int32_t, Creator>{217, &CreeQuestion0217},
    std::pair<int32_t, Creator>{218, &CreeQuestion0218},
    std::pair<int32_t, Creator>{219, &CreeQuestion0219},
    std::pair<int32_t, Creator>{220, &CreeQuestion0220},
    std::pair<int32_t, Creator>{221, &CreeQuestion0221},
};

}  // namespace

automation::ObjectRef CreeQuestion(int32_t ilQuestion, const platform::Platform& platform) {
  for (const auto& [number, creator] : kQuestions) {
    if (number == ilQuestion) {
      return creator(platform);
    }
  }
  return nullptr;
}

}  // namespace r58046::questions

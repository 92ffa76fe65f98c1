#include "simword/format_target.h"

namespace r58046::simword::docobj {

std::pair<size_t, size_t> paragraphsOf(const Target& t) {
  const Content& c = t.core->c();
  if (!t.span) {
    return {0, c.paragraphCount() - 1};
  }
  auto [s, e] = t.core->bounds(t.span);
  return c.paragraphsIn(s, e);
}

}  // namespace r58046::simword::docobj

#include "simword/session.h"

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::simword {

using automation::raiseError;
namespace errors = automation::errors;

void WordSession::beforeCall(std::u16string_view member) {
  if (!alive_) {
    raiseError(errors::kServerNotAvailable);
  }
  if (busy_) {
    raiseError(errors::kCallRejected, {}, u"");
  }
  auto key = automation::asciiLower(member);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->member == key) {
      if (it->remaining == 0) {
        int32_t error = it->error;
        faults_.erase(it);
        raiseError(error, {}, u"Microsoft Word");
      }
      --it->remaining;
    }
  }
  ++counts_[key];
  ++total_;
}

void WordSession::injectFault(std::u16string_view member, int32_t occurrence, int32_t error) {
  faults_.push_back(Fault{automation::asciiLower(member), occurrence > 0 ? occurrence - 1 : 0,
                          error});
}

int64_t WordSession::calls(std::u16string_view member) const {
  auto it = counts_.find(automation::asciiLower(member));
  return it == counts_.end() ? 0 : it->second;
}

void WordSession::resetCounts() {
  counts_.clear();
  total_ = 0;
}

}  // namespace r58046::simword

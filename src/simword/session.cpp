#include "simword/session.h"

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::simword {

using automation::raiseError;
namespace errors = automation::errors;

std::u16string wordErrorDescription(int32_t number) {
  switch (number) {
    case errors::kWordCommandFailed:
      return u"Command failed";
    case errors::kWordCommandNotAvailable:
      return u"This command is not available.";
    case errors::kWordValueOutOfRange:
      return u"Value out of range";
    case errors::kWordFileNotFound:
      return u"This file could not be found.";
    case errors::kWordNoSuchMember:
      return u"The requested member of the collection does not exist.";
    case wderrors::kNoDocumentOpen:
      return u"This command is not available because no document is open.";
    case wderrors::kNoSuchBookmark:
      return u"This bookmark does not exist.";
    case wderrors::kInvalidFileName:
      return u"This is not a valid file name.";
    case wderrors::kObjectDeleted:
      return u"Object has been deleted.";
    case wderrors::kOpenPasswordIncorrect:
      return u"The password is incorrect. Word cannot open the document.";
    case wderrors::kPasswordIncorrect:
      return u"The password is incorrect.";
    case wderrors::kSavePermission:
      return u"Word cannot complete the save due to a file permission error.";
    case wderrors::kFileCorrupted:
      return u"The file appears to be corrupted.";
    case wderrors::kBadBookmarkName:
      return u"Bad bookmark name.";
    case wderrors::kObjectNotAvailable:
      return u"Requested object is not available.";
    case wderrors::kStyleNameExists:
      return u"This style name already exists or is reserved for a built-in style.";
    case wderrors::kBadFileName:
      return u"Bad file name.";
    default:
      return automation::standardDescription(number);
  }
}

void raiseWordError(int32_t number, std::u16string_view description) {
  std::u16string text(description);
  if (text.empty()) {
    text = wordErrorDescription(number);
  }
  throw automation::AutomationError(number, std::u16string(kWordSource), std::move(text));
}

void WordSession::beforeCall(std::u16string_view member) {
  if (internal_ > 0) {
    return;
  }
  if (!alive_) {
    raiseError(errors::kServerNotAvailable);
  }
  if (busy_) {
    raiseError(errors::kCallRejected, {}, u"");
  }
  if (observer_) {
    observer_(member);
    if (!alive_) {
      raiseError(errors::kServerNotAvailable);
    }
  }
  // Every fault on this member sees the call, also when another one fails it: a fault set
  // for the 2nd call fires on the 2nd call even when the 1st failed by a fault of its own.
  auto key = automation::asciiLower(member);
  auto due = faults_.end();
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->member != key) {
      continue;
    }
    if (it->remaining == 0) {
      if (due == faults_.end()) {
        due = it;
      }
    } else {
      --it->remaining;
    }
  }
  if (due != faults_.end()) {
    int32_t error = due->error;
    faults_.erase(due);
    raiseWordError(error);
  }
  ++counts_[key];
  ++total_;
}

void WordSession::injectFault(std::u16string_view member, int32_t occurrence, int32_t error) {
  faults_.push_back(
      Fault{automation::asciiLower(member), occurrence > 0 ? occurrence - 1 : 0, error});
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

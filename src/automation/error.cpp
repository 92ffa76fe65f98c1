#include "automation/error.h"

#include "automation/text.h"

namespace r58046::automation {

std::u16string standardDescription(int32_t number) {
  switch (number) {
    case errors::kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case errors::kOverflow:
      return u"Overflow";
    case errors::kSubscriptOutOfRange:
      return u"Subscript out of range";
    case errors::kTypeMismatch:
      return u"Type mismatch";
    case errors::kFileNotFound:
      return u"File not found";
    case errors::kFileAlreadyExists:
      return u"File already exists";
    case errors::kPermissionDenied:
      return u"Permission denied";
    case errors::kPathFileAccessError:
      return u"Path/File access error";
    case errors::kPathNotFound:
      return u"Path not found";
    case errors::kObjectVariableNotSet:
      return u"Object variable or With block variable not set";
    case errors::kInvalidUseOfNull:
      return u"Invalid use of Null";
    case errors::kObjectRequired:
      return u"Object required";
    case errors::kCannotCreateObject:
      return u"ActiveX component can't create object";
    case errors::kMemberNotSupported:
      return u"Object doesn't support this property or method";
    case errors::kNamedArgumentNotFound:
      return u"Named argument not found";
    case errors::kArgumentNotOptional:
      return u"Argument not optional";
    case errors::kWrongNumberOfArguments:
      return u"Wrong number of arguments or invalid property assignment";
    case errors::kServerNotAvailable:
      return u"The remote server machine does not exist or is unavailable";
    case errors::kCallRejected:
      return u"Automation error\nCall was rejected by callee.";
    default:
      return {};
  }
}

AutomationError::AutomationError(int32_t number, std::u16string source, std::u16string description)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      what_("error " + std::to_string(number) + ": " + toUtf8(description_)) {}

void raiseError(int32_t number, std::u16string_view description, std::u16string_view source) {
  std::u16string text(description);
  if (text.empty()) {
    text = standardDescription(number);
  }
  throw AutomationError(number, std::u16string(source), std::move(text));
}

}  // namespace r58046::automation

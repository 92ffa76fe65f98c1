// Automation errors: the one way failures travel through the module, as in VB and COM.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace r58046::automation {

// Error numbers a VB program sees, and Word's own numbers, as used by the module and the
// simulated Word.
namespace errors {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileAlreadyExists = 58;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kPathFileAccessError = 75;
inline constexpr int32_t kPathNotFound = 76;
inline constexpr int32_t kObjectVariableNotSet = 91;
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kObjectRequired = 424;
inline constexpr int32_t kCannotCreateObject = 429;
inline constexpr int32_t kMemberNotSupported = 438;
inline constexpr int32_t kNamedArgumentNotFound = 448;
inline constexpr int32_t kArgumentNotOptional = 449;
inline constexpr int32_t kWrongNumberOfArguments = 450;
inline constexpr int32_t kServerNotAvailable = 462;
// Word: "The requested member of the collection does not exist."
inline constexpr int32_t kWordNoSuchMember = 5941;
// Word: "This command is not available." / "Command failed".
inline constexpr int32_t kWordCommandNotAvailable = 4605;
inline constexpr int32_t kWordCommandFailed = 4198;
// Word: "Value out of range".
inline constexpr int32_t kWordValueOutOfRange = 4608;
// Word: "This file could not be found."
inline constexpr int32_t kWordFileNotFound = 5174;
// RPC_E_CALL_REJECTED as a VB program receives it: a busy Word (a modal dialog is open).
inline constexpr int32_t kCallRejected = static_cast<int32_t>(0x80010001u);
}  // namespace errors

// The standard VB description of a runtime error number (empty when unknown).
std::u16string standardDescription(int32_t number);

// An automation error: number, source and description, as Err carries them in VB.
class AutomationError : public std::exception {
 public:
  AutomationError(int32_t number, std::u16string source, std::u16string description);

  int32_t number() const noexcept { return number_; }
  const std::u16string& source() const noexcept { return source_; }
  const std::u16string& description() const noexcept { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int32_t number_;
  std::u16string source_;
  std::u16string description_;
  std::string what_;
};

// The source given to errors that the module itself raises (VB uses the project name).
inline constexpr std::u16string_view kModuleSource = u"R58046";

// Raises a VB runtime error: the standard description when none is given.
[[noreturn]] void raiseError(int32_t number, std::u16string_view description = {},
                             std::u16string_view source = kModuleSource);

}  // namespace r58046::automation

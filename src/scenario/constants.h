// The names a Word statement knows besides its variables: Word's and Office's constants
// with Word's values, and the members of Word's Application (its global object).
#pragma once

#include <optional>
#include <string_view>

#include "automation/variant.h"

namespace r58046::scenario {

// The value of a wd..., mso... or vb... constant (name compared without regard to case).
std::optional<automation::Variant> constantValue(std::u16string_view name);

// Whether a name is a member of Word's Application object (compared without regard to
// case): what `Name = value` assigns instead of a new variable.
bool isApplicationMember(std::u16string_view name);

}  // namespace r58046::scenario

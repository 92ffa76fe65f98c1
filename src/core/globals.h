// The module-wide variables: filled by SaveParamUser when the module takes over a Word, and
// read (and refreshed) by the questions. The questions include this header, never Module's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace r58046::module {

// The module-wide values that the saving of the user's settings fills and the questions read:
// one of each per loaded module, as the host's module has them.
// NOLINTBEGIN(cppcoreguidelines-avoid-non-const-global-variables)

// Word's UserAddress as it was when the user's settings were saved; nothing when it could not
// be read (then it is never written back).
inline std::optional<std::u16string> gsUserAddress;
// Word's Options.MeasurementUnit (1 = centimetres).
inline int32_t gMeasurementUnit = 0;

// NOLINTEND(cppcoreguidelines-avoid-non-const-global-variables)

}  // namespace r58046::module

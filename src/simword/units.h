// Word's units. Word keeps lengths in twips (twentieths of a point) and hands them out as
// single-precision points; it counts 28.35 points to the centimetre and 72 to the inch, so
// 2 cm is 56.7 points (1134 twips), 11 cm 311.85 points and 0.75 in 54 points.
#pragma once

#include <cmath>
#include <cstdint>

namespace r58046::simword::units {

inline constexpr double kPointsPerCentimetre = 28.35;
inline constexpr double kPointsPerInch = 72.0;
inline constexpr int32_t kTwipsPerPoint = 20;

// Word's "undefined" value (wdUndefined): a property that differs across what it covers.
inline constexpr int32_t kUndefined = 9999999;

// Application.CentimetersToPoints and InchesToPoints (Word answers in single precision).
inline float centimetresToPoints(double centimetres) {
  return static_cast<float>(centimetres * kPointsPerCentimetre);
}
inline float inchesToPoints(double inches) {
  return static_cast<float>(inches * kPointsPerInch);
}

// A length given in points, kept as Word keeps it: the nearest whole twip.
inline int32_t pointsToTwips(double points) {
  return static_cast<int32_t>(std::lround(points * kTwipsPerPoint));
}
// A kept length read back as Word hands it out.
inline float twipsToPoints(int32_t twips) {
  return static_cast<float>(twips) / static_cast<float>(kTwipsPerPoint);
}

inline double twipsToCentimetres(int32_t twips) {
  return twips / static_cast<double>(kTwipsPerPoint) / kPointsPerCentimetre;
}
inline double twipsToInches(int32_t twips) {
  return twips / static_cast<double>(kTwipsPerPoint) / kPointsPerInch;
}

// The largest length Word accepts for an indent, a spacing or a tab position: 22 inches.
inline constexpr int32_t kMaxTwips = 22 * 72 * kTwipsPerPoint;

}  // namespace r58046::simword::units

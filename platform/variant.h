// Variant: a field value passed by the importer, holding either a 32-bit integer or a float.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Cast of a number to a 32-bit integer: truncated toward zero, clamped to the int32 range;
// NaN gives 0.
inline int32_t CastToInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<int32_t>::min();
  constexpr double kHigh = std::numeric_limits<int32_t>::max();
  if (value <= kLow) return std::numeric_limits<int32_t>::min();
  if (value >= kHigh) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

class Variant {
 public:
  Variant() = default;  // the integer 0
  // Implicit on purpose: a record member of either type is passed as it stands.
  // cppcheck-suppress noExplicitConstructor
  Variant(int32_t value) : isInteger_(true), integer_(value) {}
  // cppcheck-suppress noExplicitConstructor
  Variant(float value) : isInteger_(false), real_(value) {}
  // A double would fit neither kind exactly; the caller says which one it means.
  Variant(double value) = delete;

  bool IsInteger() const { return isInteger_; }

  // Cast to integer (a float as CastToInt32 casts it) and to float.
  operator int32_t() const { return isInteger_ ? integer_ : CastToInt32(real_); }
  operator float() const { return isInteger_ ? static_cast<float>(integer_) : real_; }

 private:
  bool isInteger_ = true;
  int32_t integer_ = 0;
  float real_ = 0;
};

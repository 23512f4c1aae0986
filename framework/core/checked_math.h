// Overflow-checked 32-bit integer arithmetic. A result that does not fit is reported and ends
// the program.
#pragma once

#include "framework/core/fatal.h"

#include <cstdint>

namespace orvex {

inline std::int32_t CHECKEDMUL(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_mul_overflow(a, b, &result)) [[unlikely]]
    FAILEDCHECK("Arithmetic overflow", EXIT_OVERFLOW_CHECK);
  return result;
}

inline std::int32_t CHECKEDADD(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_add_overflow(a, b, &result)) [[unlikely]]
    FAILEDCHECK("Arithmetic overflow", EXIT_OVERFLOW_CHECK);
  return result;
}

inline std::int32_t CHECKEDSUB(std::int32_t a, std::int32_t b) {
  std::int32_t result;
  if (__builtin_sub_overflow(a, b, &result)) [[unlikely]]
    FAILEDCHECK("Arithmetic overflow", EXIT_OVERFLOW_CHECK);
  return result;
}

// Rounds to the nearest integer, halves to even, and checks that the result fits 32 bits.
inline std::int32_t CHECKEDROUND(long double value) {
  long double rounded = __builtin_rintl(value); // the default rounding mode: to nearest even
  if (!(rounded >= -2147483648.0L && rounded <= 2147483647.0L)) [[unlikely]]
    FAILEDCHECK("Arithmetic overflow", EXIT_OVERFLOW_CHECK);
  return static_cast<std::int32_t>(rounded);
}

} // namespace orvex

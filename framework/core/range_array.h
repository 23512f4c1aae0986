// Fixed-size arrays indexed Lo..Hi with every access checked. An index outside the range is a
// programming error of the caller; it is reported and ends the program, never touches memory.
#pragma once

#include "framework/core/fatal.h"

#include <cstddef>

namespace orvex {

template <class T, int Lo, int Hi> struct RangeArray {
  static_assert(Lo <= Hi);
  static constexpr int LOW = Lo;
  static constexpr int HIGH = Hi;
  static constexpr std::size_t COUNT = static_cast<std::size_t>(Hi - Lo + 1);

  T items[COUNT]{};

  T& operator[](int index) { return items[checked(index)]; }
  const T& operator[](int index) const { return items[checked(index)]; }

  static constexpr bool contains(int index) { return index >= Lo && index <= Hi; }

  // The first element, for handing the whole array to C interfaces.
  T* data() { return items; }
  const T* data() const { return items; }

private:
  static std::size_t checked(int index) {
    if (!contains(index)) [[unlikely]]
      FAILEDCHECK("Range check error: array index out of bounds", EXIT_RANGE_CHECK);
    return static_cast<std::size_t>(index - Lo);
  }
};

} // namespace orvex

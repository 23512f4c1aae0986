// Handles and small numbers carried in pointer-sized values (window properties, the HANDLE of
// image loading, the HMENU of a child's control identifier) and taken out again as the type
// they were.
//
// NOTE: Win32's handles are pointers; this platform's are 32-bit ids carried in the pointer's
// bits. These conversions serve both, so the framework builds against either.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <type_traits>

namespace orvex {

// The bits of a handle, pointer or integer as another of these types.
template <class To, class From> To HANDLEAS(From value) {
  std::uintptr_t bits;
  if constexpr (std::is_pointer_v<From>)
    bits = reinterpret_cast<std::uintptr_t>(value);
  else
    bits = static_cast<std::uintptr_t>(value);
  if constexpr (std::is_pointer_v<To>)
    return reinterpret_cast<To>(bits);
  else
    return static_cast<To>(bits);
}

// A handle or an integer as a HANDLE.
template <class Value> HANDLE TOHANDLE(Value value) {
  return HANDLEAS<HANDLE>(value);
}

// A HANDLE as the handle or integer type it carries.
template <class Value> Value FROMHANDLE(HANDLE handle) {
  return HANDLEAS<Value>(handle);
}

} // namespace orvex

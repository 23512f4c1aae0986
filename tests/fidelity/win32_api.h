// The API the scenarios are written against: the genuine Win32 headers when built for Windows,
// our platform layer's header otherwise. Nothing else in the scenarios depends on which.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <platform/win32.h>
#endif

#include <cstdint>
#include <type_traits>

namespace fidelity {

// The value of a handle as a number: handles are pointers in one API and ids in the other.
template <class H> std::uintptr_t handle_value(H handle) {
  if constexpr (std::is_pointer_v<H>)
    return reinterpret_cast<std::uintptr_t>(handle);
  else
    return static_cast<std::uintptr_t>(handle);
}

// A handle of type H from a number, the inverse of handle_value.
template <class H> H handle_from(std::uintptr_t value) {
  if constexpr (std::is_pointer_v<H>)
    return reinterpret_cast<H>(value);
  else
    return static_cast<H>(value);
}

// Waits without touching the message queue.
void sleep_ms(unsigned ms);

} // namespace fidelity

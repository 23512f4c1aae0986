// Key and mouse-button state that an application polls during its frame, and the window
// procedure rows that keep it.
#pragma once

#include "framework/core/range_array.h"

#include <platform/win32.h>

#include <cstdint>

namespace orvex {

// A key flag is a 32-bit boolean: all bits set while the key is down, 0 otherwise.
constexpr std::int32_t KEYISDOWN = -1;

// SETKEY[k] is KEYISDOWN while the key with virtual-key code k is down.
inline RangeArray<std::int32_t, 0, 500> SETKEY{};
inline bool LEFTMOUSEDOWN = false;
inline bool RIGHTMOUSEDOWN = false;
inline bool LEFTMOUSEDOWN2 = false;
inline bool RIGHTMOUSEDOWN2 = false;
// Client position where the left button last went down; 0, 0 while it is up.
inline std::int32_t SETMX = 0;
inline std::int32_t SETMY = 0;
// Client position of the latest mouse movement.
inline std::int32_t SETOMX = 0;
inline std::int32_t SETOMY = 0;

// The key-down row; false when the key was Escape, which ends the program without the
// default handling.
bool KEYDOWNROW(WPARAM KEY);
void KEYUPROW(WPARAM KEY);
void LBUTTONDOWNROW(LPARAM POSITION);
void LBUTTONUPROW();
void RBUTTONDOWNROW(LPARAM POSITION);
void RBUTTONUPROW();

// The client x and y of a mouse message, as unsigned 16-bit values.
inline std::int32_t MOUSEX(LPARAM POSITION) {
  return static_cast<std::int32_t>(POSITION & 0xFFFF);
}
inline std::int32_t MOUSEY(LPARAM POSITION) {
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(POSITION) >> 16) & 0xFFFF);
}

} // namespace orvex

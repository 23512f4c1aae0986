// Native input becomes window messages: key codes and their lParam bits, mouse routing with
// capture and child regions, focus, cursors.
#pragma once

#include "../sdl/native.h"

#include <platform/win32.h>

namespace orvex::platform {

// Turns one native event into the messages that follow from it.
void handle_native_event(const native::Event& event);
// Ends the capture, focus and cursor state that refers to a window being destroyed.
void forget_window_input(HWND wnd);
// Virtual-key code and scan code of a native key; 0 for keys without one.
struct KeyCode {
  int vk;
  int scan;
  bool extended;
};
KeyCode key_code(int hid_usage);

} // namespace orvex::platform

namespace orvex::platform {
// The character that the key-down message types, or 0.
int translated_character(const MSG& keydown);
} // namespace orvex::platform

namespace orvex::platform {
// The pointer's screen position as the latest mouse event reported it.
POINT last_cursor_position();
} // namespace orvex::platform

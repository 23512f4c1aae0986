// Real SDL events pushed onto SDL's queue for a window of the layer. The layer finds them the
// next time it looks at the queue, so they take the whole native-event translation path.
#pragma once

#include <platform/win32.h>

#include <SDL.h>

namespace orvex::test {

// The SDL window id behind a top-level window.
Uint32 NATIVEID(HWND wnd);

// A key press or release of the US layout's key at that scan code, with the modifiers held.
void PUSHKEY(HWND wnd, SDL_Scancode key, bool down, Uint16 modifiers = KMOD_NONE,
             bool repeat = false);
// Pointer motion to a point of the window's client area (may lie outside it).
void PUSHMOTION(HWND wnd, int x, int y);
// A press or release of SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE or SDL_BUTTON_RIGHT at a point.
void PUSHBUTTON(HWND wnd, Uint8 button, bool down, int x, int y);
// Wheel steps, positive away from the user, over the window.
void PUSHWHEEL(HWND wnd, int steps);
// The window manager asks the window to close.
void PUSHCLOSE(HWND wnd);

} // namespace orvex::test

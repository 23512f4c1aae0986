#include "gl/support/sdl_input.h"

#include "window.h"

#include <gtest/gtest.h>

namespace orvex::test {

namespace {

void push(SDL_Event& e) {
  e.common.timestamp = SDL_GetTicks();
  EXPECT_EQ(SDL_PushEvent(&e), 1) << "SDL_PushEvent: " << SDL_GetError();
}

Uint32 held_buttons = 0;

} // namespace

Uint32 NATIVEID(HWND wnd) {
  platform::Window* w = platform::lookup_window(wnd);
  EXPECT_TRUE(w && w->native) << "no native window behind " << wnd;
  return w ? w->native : 0;
}

void PUSHKEY(HWND wnd, SDL_Scancode key, bool down, Uint16 modifiers, bool repeat) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = NATIVEID(wnd);
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat ? 1 : 0;
  e.key.keysym.scancode = key;
  e.key.keysym.sym = SDL_GetKeyFromScancode(key);
  e.key.keysym.mod = modifiers;
  push(e);
}

void PUSHMOTION(HWND wnd, int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = NATIVEID(wnd);
  e.motion.state = held_buttons;
  e.motion.x = x;
  e.motion.y = y;
  push(e);
}

void PUSHBUTTON(HWND wnd, Uint8 button, bool down, int x, int y) {
  if (down)
    held_buttons |= SDL_BUTTON(button);
  else
    held_buttons &= ~SDL_BUTTON(button);
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = NATIVEID(wnd);
  e.button.button = button;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  push(e);
}

void PUSHWHEEL(HWND wnd, int steps) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = NATIVEID(wnd);
  e.wheel.y = steps;
  e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  push(e);
}

void PUSHCLOSE(HWND wnd) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = NATIVEID(wnd);
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  push(e);
}

} // namespace orvex::test

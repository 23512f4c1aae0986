// SDL's event queue, reported as the layer's native events.
#include "sdl/native.h"

#include <SDL.h>

namespace orvex::platform::native {

namespace {

std::uint16_t modifiers_of(Uint16 mod) {
  std::uint16_t m = 0;
  if (mod & KMOD_SHIFT) m |= modifier::Shift;
  if (mod & KMOD_CTRL) m |= modifier::Control;
  if (mod & KMOD_LALT) m |= modifier::Alt;
  if (mod & KMOD_RALT) m |= (mod & KMOD_MODE) ? modifier::AltGr : modifier::Alt;
  if (mod & KMOD_MODE) m |= modifier::AltGr;
  if (mod & KMOD_CAPS) m |= modifier::CapsLock;
  return m;
}

std::uint32_t buttons_of(Uint32 state) {
  std::uint32_t b = 0;
  if (state & SDL_BUTTON_LMASK) b |= 1;
  if (state & SDL_BUTTON_MMASK) b |= 2;
  if (state & SDL_BUTTON_RMASK) b |= 4;
  return b;
}

// The character a key types: the layout's key symbol, shifted the US way for the rest.
int character_of(const SDL_Keysym& key) {
  SDL_Keycode sym = key.sym;
  bool shift = (key.mod & KMOD_SHIFT) != 0;
  bool caps = (key.mod & KMOD_CAPS) != 0;
  if (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) return '\r';
  if (sym == SDLK_ESCAPE) return 0x1B;
  if (sym == SDLK_BACKSPACE) return 0x08;
  if (sym == SDLK_TAB) return '\t';
  if (key.mod & KMOD_CTRL) {
    if (sym >= 'a' && sym <= 'z') return static_cast<int>(sym - 'a' + 1);
    return 0;
  }
  if (sym >= 'a' && sym <= 'z') return (shift != caps) ? static_cast<int>(sym - 'a' + 'A') : sym;
  if (sym < 0x20 || sym > 0x7E) return 0;
  if (!shift) return sym;
  static const char plain[] = "1234567890-=[]\\;',./`";
  static const char shifted[] = "!@#$%^&*()_+{}|:\"<>?~";
  for (int i = 0; plain[i]; ++i)
    if (plain[i] == sym) return shifted[i];
  return sym;
}

} // namespace

void pump_events(void (*sink)(const Event&)) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    Event out{};
    out.time = e.common.timestamp;
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.type = e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
      out.window = e.key.windowID;
      out.scancode = e.key.keysym.scancode;
      out.character = character_of(e.key.keysym);
      out.repeat = e.key.repeat != 0;
      out.modifiers = modifiers_of(e.key.keysym.mod);
      break;
    case SDL_MOUSEMOTION:
      if (e.motion.which == SDL_TOUCH_MOUSEID) continue;
      out.type = Event::Type::MouseMove;
      out.window = e.motion.windowID;
      out.x = e.motion.x;
      out.y = e.motion.y;
      out.buttons = buttons_of(e.motion.state);
      out.modifiers = modifiers_of(SDL_GetModState());
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (e.button.which == SDL_TOUCH_MOUSEID) continue;
      out.type = e.type == SDL_MOUSEBUTTONDOWN ? Event::Type::ButtonDown : Event::Type::ButtonUp;
      out.window = e.button.windowID;
      out.x = e.button.x;
      out.y = e.button.y;
      out.button = e.button.button == SDL_BUTTON_LEFT     ? 1
                   : e.button.button == SDL_BUTTON_MIDDLE ? 2
                   : e.button.button == SDL_BUTTON_RIGHT  ? 3
                                                          : 0;
      if (!out.button) continue;
      out.buttons = buttons_of(SDL_GetMouseState(nullptr, nullptr));
      out.modifiers = modifiers_of(SDL_GetModState());
      break;
    case SDL_MOUSEWHEEL:
      out.type = Event::Type::Wheel;
      out.window = e.wheel.windowID;
      out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      SDL_GetMouseState(&out.x, &out.y);
      out.buttons = buttons_of(SDL_GetMouseState(nullptr, nullptr));
      out.modifiers = modifiers_of(SDL_GetModState());
      break;
    case SDL_WINDOWEVENT:
      out.window = e.window.windowID;
      switch (e.window.event) {
      case SDL_WINDOWEVENT_CLOSE: out.type = Event::Type::CloseRequest; break;
      case SDL_WINDOWEVENT_FOCUS_GAINED: out.type = Event::Type::FocusGained; break;
      case SDL_WINDOWEVENT_FOCUS_LOST: out.type = Event::Type::FocusLost; break;
      case SDL_WINDOWEVENT_EXPOSED: out.type = Event::Type::Exposed; break;
      default: continue;
      }
      break;
    case SDL_QUIT: out.type = Event::Type::Quit; break;
    default: continue;
    }
    sink(out);
  }
}

void wait_events(int timeout_ms) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (timeout_ms > 0) SDL_Delay(static_cast<Uint32>(timeout_ms));
    return;
  }
  SDL_WaitEventTimeout(nullptr, timeout_ms);
}

std::uint16_t modifier_state() {
  return SDL_WasInit(SDL_INIT_VIDEO) ? modifiers_of(SDL_GetModState()) : 0;
}

std::uint32_t mouse_buttons() {
  return SDL_WasInit(SDL_INIT_VIDEO) ? buttons_of(SDL_GetMouseState(nullptr, nullptr)) : 0;
}

} // namespace orvex::platform::native

// Modal message boxes through SDL's own message-box window.
#include "sdl/native.h"

#include "sdl/busy_display.h"

#include <SDL.h>

#include <cstdio>

namespace orvex::platform::native {

int show_message_box(const std::string& caption_utf8, const std::string& text_utf8,
                     const std::vector<MessageBoxButton>& buttons, MessageBoxIcon icon) {
  std::vector<SDL_MessageBoxButtonData> data;
  data.reserve(buttons.size());
  for (const MessageBoxButton& b : buttons) {
    Uint32 flags = 0;
    if (b.return_key) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (b.escape_key) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back({flags, b.id, b.label.c_str()});
  }
  SDL_MessageBoxData box{};
  box.flags = icon == MessageBoxIcon::Error         ? SDL_MESSAGEBOX_ERROR
              : icon == MessageBoxIcon::Warning     ? SDL_MESSAGEBOX_WARNING
              : icon == MessageBoxIcon::Information ? SDL_MESSAGEBOX_INFORMATION
                                                    : 0;
  box.flags |= SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = caption_utf8.c_str();
  box.message = text_utf8.c_str();
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();
  int chosen = -1;
  bool shown = connect_despite_busy_display([&] { return SDL_ShowMessageBox(&box, &chosen) == 0; });
  if (!shown) {
    // NOTE: the caller reports the box's text; why no box appeared goes beside it.
    std::fprintf(stderr, "(no message box: %s)\n", SDL_GetError());
    return -1;
  }
  if (chosen < 0) {
    // Closed without a button: the answer of the Escape key.
    for (const MessageBoxButton& b : buttons)
      if (b.escape_key) return b.id;
    return 0;
  }
  return chosen;
}

} // namespace orvex::platform::native

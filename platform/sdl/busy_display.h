// Connecting to an X server that is busy: a moment's refusal is not a missing display.
#pragma once

#include <SDL.h>

#include <cstdlib>

namespace orvex::platform::native {

// NOTE: an X server refuses new clients for a moment while every client slot is taken, and
// while it resets itself after its last client left (with no window manager, the demo's own
// start-up question can be that last client). SDL reports a refused connection like a display
// that is not there. Runs `connect` until it succeeds, with pauses of 50, 100, 200, 400 and
// 800 ms between the attempts; without a display named in the environment there is nothing to
// wait for.
template <class Connect> bool connect_despite_busy_display(Connect connect) {
  constexpr int kAttempts = 6;
  for (int attempt = 1;; ++attempt) {
    if (connect()) return true;
    if (attempt == kAttempts || !std::getenv("DISPLAY")) return false;
    SDL_Delay(50u << (attempt - 1));
  }
}

} // namespace orvex::platform::native

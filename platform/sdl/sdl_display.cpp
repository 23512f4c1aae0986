// The display going away under the running program: the X server stops or the connection to it
// breaks.
#include "sdl/native.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace orvex::platform::native {

namespace {

// NOTE: Xlib calls this once it finds the connection broken, from inside whatever call found it
// (event pumping, a buffer swap), and ends the process if it returns. Nothing of the program's
// own clean-up may run from here: every window and context it would release lives on the
// display that is gone, so the process ends at once.
int on_display_lost(Display*) {
  std::fflush(stdout);
  static const char kText[] = "The connection to the display was lost; the program ends.\n";
  [[maybe_unused]] ssize_t written = write(STDERR_FILENO, kText, sizeof kText - 1);
  _exit(kExitDisplayLost);
}

} // namespace

void end_on_display_loss() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) XSetIOErrorHandler(on_display_lost);
}

} // namespace orvex::platform::native

// Native windows, screen, pointer and OpenGL contexts on SDL's video subsystem.
#include "sdl/native.h"

#include "sdl/busy_display.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace orvex::platform::native {

namespace {

bool is_headless_driver(const char* name) {
  return std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0 ||
         std::strcmp(name, "evdev") == 0;
}

// A Wayland compositor announces itself; trying one that is not there only prints noise.
bool is_absent_driver(const char* name) {
  return std::strcmp(name, "wayland") == 0 && !std::getenv("WAYLAND_DISPLAY");
}

SDL_Window* sdl_window(WindowId window) {
  return window ? SDL_GetWindowFromID(window) : nullptr;
}

bool gl_library_held = false;

} // namespace

bool ensure_video() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  // NOTE: the windowing model closes windows through messages, not through SDL's quit event.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // NOTE: with no display SDL would fall back to a headless driver and the program would run
  // where nobody can see it; such drivers are used only when the environment names them.
  if (!std::getenv("SDL_VIDEODRIVER")) {
    std::string drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
      const char* name = SDL_GetVideoDriver(i);
      if (is_headless_driver(name) || is_absent_driver(name)) continue;
      if (!drivers.empty()) drivers += ',';
      drivers += name;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  }
  if (!connect_despite_busy_display([] { return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0; }))
    return false;
  end_on_display_loss();
  return true;
}

WindowId create_window(const WindowRequest& request) {
  if (!ensure_video()) return 0;
  // The pixel format every window gets: RGBA 8-8-8-8, depth 24, stencil 8, double-buffered.
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  // NOTE: SDL unloads the GL library with the last GL window and loads it again with the next
  // one; held once here, it stays loaded for the whole run, as a program's GL library does.
  if (request.opengl && !gl_library_held) gl_library_held = SDL_GL_LoadLibrary(nullptr) == 0;
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (request.opengl) flags |= SDL_WINDOW_OPENGL;
  if (!request.decorated) flags |= SDL_WINDOW_BORDERLESS;
  SDL_Window* window = SDL_CreateWindow(request.title_utf8.c_str(), request.x, request.y,
                                        request.width, request.height, flags);
  if (!window && request.opengl) {
    // A driver without alpha or stencil still gives a usable window.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    window = SDL_CreateWindow(request.title_utf8.c_str(), request.x, request.y, request.width,
                              request.height, flags);
  }
  return window ? SDL_GetWindowID(window) : 0;
}

void destroy_window(WindowId window) {
  if (SDL_Window* w = sdl_window(window)) SDL_DestroyWindow(w);
}

void show_window(WindowId window, bool show) {
  SDL_Window* w = sdl_window(window);
  if (!w) return;
  if (!show) {
    SDL_HideWindow(w);
    return;
  }
  SDL_ShowWindow(w);
  // NOTE: a shown window becomes the active one, as the windowing model expects; without a
  // window manager nobody else would give it the keyboard.
  SDL_RaiseWindow(w);
  SDL_SetWindowInputFocus(w);
}

void set_window_title(WindowId window, const std::string& title_utf8) {
  if (SDL_Window* w = sdl_window(window)) SDL_SetWindowTitle(w, title_utf8.c_str());
}

void set_window_bounds(WindowId window, int x, int y, int width, int height) {
  SDL_Window* w = sdl_window(window);
  if (!w) return;
  SDL_SetWindowPosition(w, x, y);
  SDL_SetWindowSize(w, width, height);
}

bool window_bounds(WindowId window, int* x, int* y, int* width, int* height) {
  SDL_Window* w = sdl_window(window);
  if (!w) return false;
  SDL_GetWindowPosition(w, x, y);
  SDL_GetWindowSize(w, width, height);
  return true;
}

void window_borders(WindowId window, int* left, int* top, int* right, int* bottom) {
  *left = *top = *right = *bottom = 0;
  if (SDL_Window* w = sdl_window(window)) SDL_GetWindowBordersSize(w, top, left, bottom, right);
}

WindowId keyboard_focus() {
  SDL_Window* w = SDL_GetKeyboardFocus();
  return w ? SDL_GetWindowID(w) : 0;
}

bool screen_size(int* width, int* height) {
  if (!ensure_video()) return false;
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return false;
  *width = mode.w;
  *height = mode.h;
  return true;
}

void warp_mouse_global(int x, int y) {
  if (ensure_video()) SDL_WarpMouseGlobal(x, y);
}

bool global_mouse_position(int* x, int* y) {
  if (!ensure_video()) return false;
  SDL_GetGlobalMouseState(x, y);
  return true;
}

void capture_mouse(bool capture) {
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void* create_gl_context(WindowId window) {
  SDL_Window* w = sdl_window(window);
  if (!w) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(w);
  if (context) SDL_GL_SetSwapInterval(0); // as fast as the machine allows; failure is harmless
  return context;
}

bool make_current(WindowId window, void* context) {
  if (!context) return SDL_GL_MakeCurrent(nullptr, nullptr) == 0;
  SDL_Window* w = sdl_window(window);
  return w && SDL_GL_MakeCurrent(w, context) == 0;
}

void delete_gl_context(void* context) {
  if (context) SDL_GL_DeleteContext(context);
}

void swap_window(WindowId window) {
  if (SDL_Window* w = sdl_window(window)) SDL_GL_SwapWindow(w);
}

} // namespace orvex::platform::native

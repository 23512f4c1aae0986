// Mouse cursors and window icons.
#include "sdl/native.h"

#include <SDL.h>

namespace orvex::platform::native {

namespace {

SDL_Surface* argb_surface(const std::uint32_t* argb, int width, int height) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(argb), width, height, 32,
                                            width * 4, SDL_PIXELFORMAT_ARGB8888);
}

} // namespace

void* create_system_cursor(SystemCursor shape) {
  if (!ensure_video()) return nullptr;
  SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
  switch (shape) {
  case SystemCursor::Arrow: id = SDL_SYSTEM_CURSOR_ARROW; break;
  case SystemCursor::IBeam: id = SDL_SYSTEM_CURSOR_IBEAM; break;
  case SystemCursor::Wait: id = SDL_SYSTEM_CURSOR_WAIT; break;
  case SystemCursor::Crosshair: id = SDL_SYSTEM_CURSOR_CROSSHAIR; break;
  case SystemCursor::WaitArrow: id = SDL_SYSTEM_CURSOR_WAITARROW; break;
  case SystemCursor::SizeNWSE: id = SDL_SYSTEM_CURSOR_SIZENWSE; break;
  case SystemCursor::SizeNESW: id = SDL_SYSTEM_CURSOR_SIZENESW; break;
  case SystemCursor::SizeWE: id = SDL_SYSTEM_CURSOR_SIZEWE; break;
  case SystemCursor::SizeNS: id = SDL_SYSTEM_CURSOR_SIZENS; break;
  case SystemCursor::SizeAll: id = SDL_SYSTEM_CURSOR_SIZEALL; break;
  case SystemCursor::No: id = SDL_SYSTEM_CURSOR_NO; break;
  case SystemCursor::Hand: id = SDL_SYSTEM_CURSOR_HAND; break;
  }
  return SDL_CreateSystemCursor(id);
}

void* create_image_cursor(const std::uint32_t* argb, int width, int height, int hot_x, int hot_y) {
  if (!ensure_video()) return nullptr;
  SDL_Surface* surface = argb_surface(argb, width, height);
  if (!surface) return nullptr;
  SDL_Cursor* cursor = SDL_CreateColorCursor(surface, hot_x, hot_y);
  SDL_FreeSurface(surface);
  return cursor;
}

void set_cursor(void* cursor) {
  if (cursor && SDL_WasInit(SDL_INIT_VIDEO)) SDL_SetCursor(static_cast<SDL_Cursor*>(cursor));
}

void destroy_cursor(void* cursor) {
  if (cursor) SDL_FreeCursor(static_cast<SDL_Cursor*>(cursor));
}

void set_window_icon(WindowId window, const std::uint32_t* argb, int width, int height) {
  SDL_Window* w = window ? SDL_GetWindowFromID(window) : nullptr;
  if (!w) return;
  if (SDL_Surface* surface = argb_surface(argb, width, height)) {
    SDL_SetWindowIcon(w, surface);
    SDL_FreeSurface(surface);
  }
}

} // namespace orvex::platform::native

// The start-up floor: the smallest SDL program that opens an 800 x 600 window with the demo's
// GL context and presents one cleared frame. Prints when that frame was presented.
#include "bench_util.h"
#include "demo_gl_attributes.h"

#include <GL/gl.h>
#include <SDL.h>

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  bench::set_demo_gl_attributes();
  SDL_Window* window = SDL_CreateWindow("Reflection map", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
  if (!window) return 1;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return 1;
  SDL_GL_SetSwapInterval(0);
  glClear(GL_COLOR_BUFFER_BIT);
  SDL_GL_SwapWindow(window);
  std::printf("presented_ns %lld\n", static_cast<long long>(bench::now_ns()));
  std::fflush(stdout);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

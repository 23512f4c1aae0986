#include "gl/support/gl_context.h"

#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <string>

namespace orvex::test {

namespace {

// The context comes straight from SDL for now; the fixture's users see only SetUp, TearDown
// and MAKETESTCONTEXTCURRENT, so it can move onto the platform layer's window and WGL calls.
struct TestContext {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
};

TestContext current_context;

// NOTE: releasing the last context unloads the GL driver, and the driver's allocations then
// show up as leaks of an unknown module. Every library loaded by now stays loaded for the rest
// of the process, so that what the driver keeps stays reachable.
void PINLOADEDLIBRARIES() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, std::size_t, void*) {
        if (info->dlpi_name && info->dlpi_name[0] != '\0')
          dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

bool CREATETESTCONTEXT(int width, int height, std::string& error) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    error = std::string("SDL_Init: ") + SDL_GetError();
    return false;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  current_context.window =
      SDL_CreateWindow("gl test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                       SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!current_context.window) {
    error = std::string("SDL_CreateWindow: ") + SDL_GetError();
    return false;
  }
  current_context.context = SDL_GL_CreateContext(current_context.window);
  if (!current_context.context) {
    error = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
    return false;
  }
  if (SDL_GL_MakeCurrent(current_context.window, current_context.context) != 0) {
    error = std::string("SDL_GL_MakeCurrent: ") + SDL_GetError();
    return false;
  }
  PINLOADEDLIBRARIES();
  return true;
}

void DESTROYTESTCONTEXT() {
  if (current_context.context) {
    SDL_GL_MakeCurrent(current_context.window, nullptr);
    SDL_GL_DeleteContext(current_context.context);
  }
  if (current_context.window) SDL_DestroyWindow(current_context.window);
  current_context = TestContext{};
  SDL_Quit();
}

} // namespace

void GlTest::SetUp() {
  std::string error;
  ASSERT_TRUE(CREATETESTCONTEXT(CONTEXT_WIDTH, CONTEXT_HEIGHT, error))
      << "no OpenGL context for the test: " << error;
}

void GlTest::TearDown() {
  DESTROYTESTCONTEXT();
}

void MAKETESTCONTEXTCURRENT(bool current) {
  SDL_GL_MakeCurrent(current_context.window, current ? current_context.context : nullptr);
}

} // namespace orvex::test

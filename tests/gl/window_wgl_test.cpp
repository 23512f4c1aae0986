// Pixel formats and rendering contexts of the layer's windows.
#include "gl/support/message_log.h"

#include "framework/render/gl.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_VISIBLE;
constexpr DWORD kWindowFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;

PIXELFORMATDESCRIPTOR request(DWORD flags, BYTE type, BYTE bits) {
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = flags;
  pfd.iPixelType = type;
  pfd.cColorBits = pfd.cAlphaBits = pfd.cAccumBits = bits;
  pfd.cDepthBits = pfd.cStencilBits = pfd.cAuxBuffers = bits;
  return pfd;
}

TEST(Wgl, ChoosePixelFormatAcceptsWhatTheOneFormatSatisfies) {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  ASSERT_TRUE(wnd);
  HDC dc = GetDC(wnd);
  ASSERT_TRUE(dc);
  struct Case {
    const char* request;
    PIXELFORMATDESCRIPTOR pfd;
    int format;
  };
  const Case cases[] = {
      {"the framework's request: 0x1067, 32 bits in all six fields",
       request(0x1067, PFD_TYPE_RGBA, 32), 1},
      {"window, OpenGL, double buffer, RGBA 24", request(kWindowFlags, PFD_TYPE_RGBA, 24), 1},
      {"without double buffering",
       request(PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL, PFD_TYPE_RGBA, 32), 0},
      {"without OpenGL", request(PFD_DRAW_TO_WINDOW | PFD_DOUBLEBUFFER, PFD_TYPE_RGBA, 32), 0},
      {"drawing to a bitmap", request(kWindowFlags | PFD_DRAW_TO_BITMAP, PFD_TYPE_RGBA, 32), 0},
      {"GDI drawing", request(kWindowFlags | PFD_SUPPORT_GDI, PFD_TYPE_RGBA, 32), 0},
      {"colour index", request(kWindowFlags, PFD_TYPE_COLORINDEX, 8), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ChoosePixelFormat(dc, &c.pfd), c.format) << c.request;
  PIXELFORMATDESCRIPTOR pfd = request(kWindowFlags, PFD_TYPE_RGBA, 32);
  EXPECT_EQ(ChoosePixelFormat(0, &pfd), 0) << "no device context";
  HDC memory = CreateCompatibleDC(0);
  EXPECT_EQ(ChoosePixelFormat(memory, &pfd), 0) << "a memory device context";
  DeleteDC(memory);
  ReleaseDC(wnd, dc);
}

TEST(Wgl, ContextBecomesCurrentOnlyThroughMakeCurrent) {
  HWND first = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  HWND second = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 160, 120);
  ASSERT_TRUE(first && second);
  HDC dc1 = GetDC(first);
  HDC dc2 = GetDC(second);
  PIXELFORMATDESCRIPTOR pfd = request(0x1067, PFD_TYPE_RGBA, 32);

  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(wglCreateContext(dc1), 0u) << "a context before the pixel format is set";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PIXEL_FORMAT);

  int format = ChoosePixelFormat(dc1, &pfd);
  EXPECT_TRUE(SetPixelFormat(dc1, format, &pfd));
  EXPECT_EQ(GetPixelFormat(dc1), format);
  EXPECT_FALSE(SetPixelFormat(dc1, format + 1, &pfd)) << "a window's format is set once";
  EXPECT_TRUE(SetPixelFormat(dc2, ChoosePixelFormat(dc2, &pfd), &pfd));

  HGLRC rc1 = wglCreateContext(dc1);
  ASSERT_TRUE(rc1);
  EXPECT_EQ(wglGetCurrentContext(), 0u) << "creating a context leaves none current";
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);

  ASSERT_TRUE(wglMakeCurrent(dc1, rc1));
  EXPECT_EQ(wglGetCurrentContext(), rc1);
  const GLubyte* version = glGetString(GL_VERSION);
  ASSERT_NE(version, nullptr);
  EXPECT_NE(version[0], '\0');
  SDL_GLContext native1 = SDL_GL_GetCurrentContext();
  ASSERT_NE(native1, nullptr);

  HGLRC rc2 = wglCreateContext(dc2);
  ASSERT_TRUE(rc2);
  EXPECT_EQ(wglGetCurrentContext(), rc1) << "creating a second context keeps the first current";
  EXPECT_EQ(SDL_GL_GetCurrentContext(), native1);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);

  ASSERT_TRUE(wglMakeCurrent(dc2, rc2));
  EXPECT_EQ(wglGetCurrentContext(), rc2);
  EXPECT_NE(SDL_GL_GetCurrentContext(), native1);
  EXPECT_TRUE(SwapBuffers(dc2));

  EXPECT_TRUE(wglMakeCurrent(dc2, 0));
  EXPECT_EQ(wglGetCurrentContext(), 0u);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(rc2));
  EXPECT_TRUE(wglMakeCurrent(dc1, rc1));
  EXPECT_TRUE(wglDeleteContext(rc1));
  EXPECT_EQ(wglGetCurrentContext(), 0u) << "deleting the current context leaves none current";
  ReleaseDC(first, dc1);
  ReleaseDC(second, dc2);
}

} // namespace
} // namespace orvex::test

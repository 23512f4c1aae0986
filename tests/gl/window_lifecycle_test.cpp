// Window creation and destruction as message sequences, the native close request, and calls
// on handles that are no longer live.
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include "window.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_SYSMENU;

TEST(WindowLifecycle, CreationSendsNcCreateThenCreateThenShow) {
  HWND parent = CREATELOGGEDWINDOW(kTopLevel | WS_VISIBLE, 0, 0, 400, 300);
  ASSERT_TRUE(parent);
  struct Case {
    const char* name;
    DWORD style;
    HWND parent;
    std::vector<ExpectedMessage> expected;
  };
  const Case cases[] = {
      {"visible top-level window",
       kTopLevel | WS_VISIBLE,
       0,
       {{WM_NCCREATE, Came::Sent, 0, ANY},
        {WM_CREATE, Came::Sent, 0, ANY},
        {WM_SHOWWINDOW, Came::Sent, TRUE, 0}}},
      {"hidden top-level window",
       kTopLevel,
       0,
       {{WM_NCCREATE, Came::Sent, 0, ANY}, {WM_CREATE, Came::Sent, 0, ANY}}},
      {"visible child window",
       WS_CHILD | WS_VISIBLE,
       parent,
       {{WM_NCCREATE, Came::Sent, 0, ANY},
        {WM_CREATE, Came::Sent, 0, ANY},
        {WM_SHOWWINDOW, Came::Sent, TRUE, 0}}},
  };
  for (const Case& c : cases) {
    CLEARLOG();
    HWND wnd = CREATELOGGEDWINDOW(c.style, 10, 20, 200, 100, c.parent);
    ASSERT_TRUE(wnd) << c.name;
    EXPECT_TRUE(SAMEMESSAGES(c.name, c.expected, MESSAGELOG()));
    EXPECT_EQ(IsWindowVisible(wnd), (c.style & WS_VISIBLE) ? TRUE : FALSE) << c.name;
  }
}

TEST(WindowLifecycle, CreationRefusedByTheProcedureYieldsNoWindow) {
  struct Case {
    const char* name;
    UINT refused;
    LRESULT answer;
    std::vector<ExpectedMessage> expected;
  };
  const Case cases[] = {
      {"WM_CREATE answers -1",
       WM_CREATE,
       -1,
       {{WM_NCCREATE, Came::Sent, 0, ANY},
        {WM_CREATE, Came::Sent, 0, ANY},
        {WM_DESTROY, Came::Sent, 0, 0},
        {WM_NCDESTROY, Came::Sent, 0, 0}}},
      {"WM_NCCREATE answers FALSE",
       WM_NCCREATE,
       FALSE,
       {{WM_NCCREATE, Came::Sent, 0, ANY}, {WM_NCDESTROY, Came::Sent, 0, 0}}},
  };
  for (const Case& c : cases) {
    HWND seen = 0;
    platform::native::WindowId native = 0;
    SETREPLY([&](HWND wnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
      seen = wnd;
      if (platform::Window* w = platform::lookup_window(wnd)) native = w->native;
      if (message == c.refused) return c.answer;
      return std::nullopt;
    });
    CLEARLOG();
    HWND wnd = CREATELOGGEDWINDOW(kTopLevel | WS_VISIBLE, 0, 0, 200, 100);
    SETREPLY(nullptr);
    EXPECT_EQ(wnd, 0u) << c.name;
    EXPECT_TRUE(SAMEMESSAGES(c.name, c.expected, MESSAGELOG()));
    EXPECT_FALSE(IsWindow(seen)) << c.name;
    ASSERT_NE(native, 0u) << c.name;
    EXPECT_EQ(SDL_GetWindowFromID(native), nullptr) << c.name << ": the SDL window stays open";
  }
}

TEST(WindowLifecycle, DestroyGoesParentFirstThenChildrenFirst) {
  HWND parent = CREATELOGGEDWINDOW(kTopLevel | WS_VISIBLE, 0, 0, 400, 300);
  HWND child = CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 10, 10, 200, 200, parent);
  HWND grandchild = CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, child);
  ASSERT_TRUE(parent && child && grandchild);
  Uint32 native = NATIVEID(parent);
  SetCapture(grandchild);
  PUMPMESSAGES();
  CLEARLOG();

  EXPECT_TRUE(DestroyWindow(parent));

  // The capture ends with the window that holds it, without WM_CAPTURECHANGED.
  const std::vector<ExpectedMessage> expected = {
      {WM_DESTROY, Came::Sent, 0, 0, parent},     {WM_DESTROY, Came::Sent, 0, 0, child},
      {WM_DESTROY, Came::Sent, 0, 0, grandchild}, {WM_NCDESTROY, Came::Sent, 0, 0, grandchild},
      {WM_NCDESTROY, Came::Sent, 0, 0, child},    {WM_NCDESTROY, Came::Sent, 0, 0, parent},
  };
  EXPECT_TRUE(SAMEMESSAGES("DestroyWindow(parent) with the grandchild holding the capture",
                           expected, MESSAGELOG()));
  EXPECT_FALSE(IsWindow(parent));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_EQ(SDL_GetWindowFromID(native), nullptr);
  CLEARLOG();
  EXPECT_EQ(PUMPMESSAGES(), 0) << "messages left for destroyed windows";
}

TEST(WindowLifecycle, NativeCloseRequestPostsTheCloseCommand) {
  struct Case {
    const char* name;
    bool procedure_keeps_the_window; // the procedure answers WM_CLOSE itself
    std::vector<ExpectedMessage> expected;
  };
  const Case cases[] = {
      {"default handling",
       false,
       {{WM_SYSCOMMAND, Came::Posted, SC_CLOSE, 0},
        {WM_CLOSE, Came::Default, 0, 0},
        {WM_DESTROY, Came::Default, 0, 0},
        {WM_NCDESTROY, Came::Default, 0, 0}}},
      {"the procedure answers WM_CLOSE",
       true,
       {{WM_SYSCOMMAND, Came::Posted, SC_CLOSE, 0}, {WM_CLOSE, Came::Default, 0, 0}}},
  };
  for (const Case& c : cases) {
    HWND wnd = CREATELOGGEDWINDOW(kTopLevel | WS_VISIBLE, 0, 0, 300, 200);
    ASSERT_TRUE(wnd);
    PUMPMESSAGES();
    if (c.procedure_keeps_the_window)
      SETREPLY([](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CLOSE) return 0;
        return std::nullopt;
      });
    CLEARLOG();
    PUSHCLOSE(wnd);
    PUMPMESSAGES();
    SETREPLY(nullptr);
    EXPECT_TRUE(
        SAMEMESSAGES(std::string("SDL_WINDOWEVENT_CLOSE, ") + c.name, c.expected, MESSAGELOG()));
    EXPECT_EQ(IsWindow(wnd), c.procedure_keeps_the_window ? TRUE : FALSE) << c.name;
    DestroyWindow(wnd);
  }
}

TEST(WindowLifecycle, StaleHandlesFailCleanly) {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel | WS_VISIBLE, 0, 0, 300, 200);
  ASSERT_TRUE(wnd);
  HDC dc = GetDC(wnd);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.iPixelType = PFD_TYPE_RGBA;
  ASSERT_TRUE(SetPixelFormat(dc, ChoosePixelFormat(dc, &pfd), &pfd));
  HGLRC rc = wglCreateContext(dc);
  ASSERT_TRUE(rc);
  ASSERT_TRUE(SetTimer(wnd, 1, 10, nullptr));
  PostMessageA(wnd, WM_USER, 0, 0);
  MSG stale_msg{wnd, WM_USER, 0, 0, 0, {}};
  ASSERT_TRUE(DestroyWindow(wnd));
  // The next window may take the same slot; the old handle must stay dead all the same.
  HWND next = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 300, 200);
  ASSERT_TRUE(next);
  EXPECT_NE(next, wnd);

  struct Call {
    const char* call;
    std::function<long long()> run;
    long long result;
    DWORD error; // ERROR_SUCCESS: the error is not examined
  };
  RECT r;
  const Call calls[] = {
      {"IsWindow(window)", [&] { return IsWindow(wnd); }, FALSE, ERROR_SUCCESS},
      {"DestroyWindow(window)", [&] { return DestroyWindow(wnd); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"SendMessageA(window)", [&] { return SendMessageA(wnd, WM_USER, 0, 0); }, 0,
       ERROR_INVALID_WINDOW_HANDLE},
      {"PostMessageA(window)", [&] { return PostMessageA(wnd, WM_USER, 0, 0); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"DispatchMessageA(message of the window)", [&] { return DispatchMessageA(&stale_msg); }, 0,
       ERROR_INVALID_WINDOW_HANDLE},
      {"ShowWindow(window)", [&] { return ShowWindow(wnd, SW_SHOW); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"SetWindowTextA(window)", [&] { return SetWindowTextA(wnd, "x"); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"GetClientRect(window)", [&] { return GetClientRect(wnd, &r); }, FALSE,
       ERROR_INVALID_WINDOW_HANDLE},
      {"SetCapture(window)", [&] { return SetCapture(wnd); }, 0, ERROR_INVALID_WINDOW_HANDLE},
      {"GetCapture()", [&] { return GetCapture(); }, 0, ERROR_SUCCESS},
      {"SetTimer(window)", [&] { return SetTimer(wnd, 2, 10, nullptr); }, 0,
       ERROR_INVALID_WINDOW_HANDLE},
      {"KillTimer(window)", [&] { return KillTimer(wnd, 1); }, FALSE, ERROR_SUCCESS},
      {"GetDC(window)", [&] { return GetDC(wnd); }, 0, ERROR_INVALID_WINDOW_HANDLE},
      {"CreateWindowExA(a child of window)",
       [&] { return CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, wnd); }, 0,
       ERROR_INVALID_WINDOW_HANDLE},
      {"ReleaseDC(window, dc)", [&] { return ReleaseDC(wnd, dc); }, 0, ERROR_SUCCESS},
      {"ChoosePixelFormat(dc)", [&] { return ChoosePixelFormat(dc, &pfd); }, 0,
       ERROR_INVALID_HANDLE},
      {"SetPixelFormat(dc)", [&] { return SetPixelFormat(dc, 1, &pfd); }, FALSE,
       ERROR_INVALID_HANDLE},
      {"wglCreateContext(dc)", [&] { return wglCreateContext(dc); }, 0, ERROR_INVALID_HANDLE},
      {"wglMakeCurrent(dc, rc)", [&] { return wglMakeCurrent(dc, rc); }, FALSE,
       ERROR_INVALID_HANDLE},
      {"SwapBuffers(dc)", [&] { return SwapBuffers(dc); }, FALSE, ERROR_INVALID_HANDLE},
      {"IsWindow(dc), a handle of another kind", [&] { return IsWindow(dc); }, FALSE,
       ERROR_SUCCESS},
      {"SendMessageA(rc), a handle of another kind",
       [&] { return SendMessageA(rc, WM_USER, 0, 0); }, 0, ERROR_INVALID_WINDOW_HANDLE},
      // The context outlives its window until it is deleted, once.
      {"wglDeleteContext(rc)", [&] { return wglDeleteContext(rc); }, TRUE, ERROR_SUCCESS},
      {"wglDeleteContext(rc) again", [&] { return wglDeleteContext(rc); }, FALSE,
       ERROR_INVALID_HANDLE},
      {"IsWindow(next window)", [&] { return IsWindow(next); }, TRUE, ERROR_SUCCESS},
  };
  for (const Call& c : calls) {
    SetLastError(ERROR_SUCCESS);
    long long result = c.run();
    DWORD error = GetLastError();
    EXPECT_EQ(result, c.result) << c.call;
    if (c.error != ERROR_SUCCESS) {
      EXPECT_EQ(error, c.error) << c.call;
    }
  }
  // Destruction flushes the window's messages: the posted one and the timer's are gone.
  EXPECT_EQ(PUMPMESSAGES(), 0) << "messages left for the destroyed window";
}

} // namespace
} // namespace orvex::test

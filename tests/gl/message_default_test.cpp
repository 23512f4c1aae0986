// DefWindowProcA's answers, seen as the messages that follow from them.
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
// The top-level window's client area stands here on the screen, the child's in its client area.
constexpr POINT kTopOrigin{100, 50};
constexpr POINT kChildOrigin{30, 40};
constexpr LPARAM kAltBit = 1 << 29;

struct Windows {
  HWND top;
  HWND child;
};

Windows make_windows() {
  Windows w;
  w.top = CREATELOGGEDWINDOW(kTopLevel, kTopOrigin.x, kTopOrigin.y, 400, 300);
  w.child =
      CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, kChildOrigin.x, kChildOrigin.y, 100, 80, w.top);
  EXPECT_TRUE(w.top && w.child);
  PUMPMESSAGES();
  CLEARLOG();
  return w;
}

TEST(DefaultProcedure, AnswersAndWhatFollows) {
  const LPARAM at_5_6 = MAKELPARAM(5, 6);
  struct Case {
    const char* input;
    bool to_child;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    // The whole sequence: the sent message, what it sends, and what the queue then delivers.
    std::function<std::vector<ExpectedMessage>(const Windows&)> expected;
    bool top_survives;
  };
  const Case cases[] = {
      {"WM_CLOSE", false, WM_CLOSE, 0, 0,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_CLOSE, Came::Sent, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.top}};
       },
       false},
      {"WM_SYSCOMMAND SC_CLOSE", false, WM_SYSCOMMAND, SC_CLOSE, 0,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSCOMMAND, Came::Sent, SC_CLOSE, 0, w.top},
                 {WM_CLOSE, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.top}};
       },
       false},
      {"WM_SYSCOMMAND SC_CLOSE with the system's low bits", false, WM_SYSCOMMAND, SC_CLOSE | 3, 0,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSCOMMAND, Came::Sent, SC_CLOSE | 3, 0, w.top},
                 {WM_CLOSE, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.top}};
       },
       false},
      {"WM_SYSCOMMAND SC_SCREENSAVE", false, WM_SYSCOMMAND, SC_SCREENSAVE, 0,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSCOMMAND, Came::Sent, SC_SCREENSAVE, 0, w.top}};
       },
       true},
      {"WM_SYSCOMMAND SC_MONITORPOWER off", false, WM_SYSCOMMAND, SC_MONITORPOWER, 2,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSCOMMAND, Came::Sent, SC_MONITORPOWER, 2, w.top}};
       },
       true},
      {"WM_RBUTTONUP at (5, 6) of the top-level window", false, WM_RBUTTONUP, 0, at_5_6,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         const LPARAM screen = MAKELPARAM(kTopOrigin.x + 5, kTopOrigin.y + 6);
         return {{WM_RBUTTONUP, Came::Sent, 0, MAKELPARAM(5, 6), w.top},
                 {WM_CONTEXTMENU, Came::Default, w.top, screen, w.top}};
       },
       true},
      {"WM_RBUTTONUP at (5, 6) of the child: the child passes the request up", true, WM_RBUTTONUP,
       0, at_5_6,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         const LPARAM screen =
             MAKELPARAM(kTopOrigin.x + kChildOrigin.x + 5, kTopOrigin.y + kChildOrigin.y + 6);
         return {{WM_RBUTTONUP, Came::Sent, 0, MAKELPARAM(5, 6), w.child},
                 {WM_CONTEXTMENU, Came::Default, w.child, screen, w.child},
                 {WM_CONTEXTMENU, Came::Default, w.child, screen, w.top}};
       },
       true},
      {"WM_SYSKEYDOWN F4 with Alt, to the child", true, WM_SYSKEYDOWN, VK_F4, kAltBit | 0x003E0001,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSKEYDOWN, Came::Sent, VK_F4, kAltBit | 0x003E0001, w.child},
                 {WM_SYSCOMMAND, Came::Posted, SC_CLOSE, 0, w.top},
                 {WM_CLOSE, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.top},
                 {WM_DESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.child},
                 {WM_NCDESTROY, Came::Default, 0, 0, w.top}};
       },
       false},
      {"WM_SYSKEYDOWN F4 without Alt", false, WM_SYSKEYDOWN, VK_F4, 0x003E0001,
       [](const Windows& w) -> std::vector<ExpectedMessage> {
         return {{WM_SYSKEYDOWN, Came::Sent, VK_F4, 0x003E0001, w.top}};
       },
       true},
  };
  for (const Case& c : cases) {
    Windows w = make_windows();
    LRESULT result = SendMessageA(c.to_child ? w.child : w.top, c.message, c.wParam, c.lParam);
    PUMPMESSAGES();
    EXPECT_EQ(result, 0) << c.input;
    EXPECT_TRUE(SAMEMESSAGES(c.input, c.expected(w), MESSAGELOG()));
    EXPECT_EQ(IsWindow(w.top), c.top_survives ? TRUE : FALSE) << c.input;
    DestroyWindow(w.top);
  }
}

TEST(DefaultProcedure, PaintValidatesTheWindowItPaints) {
  Windows w = make_windows();
  // Without WS_CLIPCHILDREN the child is invalidated with its parent.
  InvalidateRect(w.top, nullptr, FALSE);
  for (HWND painted : {w.top, w.child}) {
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, 0, WM_PAINT, WM_PAINT, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, painted);
    EXPECT_EQ(DefWindowProcA(painted, WM_PAINT, 0, 0), 0);
  }
  MSG msg{};
  EXPECT_FALSE(PeekMessageA(&msg, 0, WM_PAINT, WM_PAINT, PM_NOREMOVE))
      << "WM_PAINT still waiting for window " << msg.hwnd;
}

TEST(DefaultProcedure, AltF4FromTheKeyboardClosesTheTopLevelWindow) {
  Windows w = make_windows();
  PUSHKEY(w.top, SDL_SCANCODE_LALT, true, KMOD_LALT);
  PUSHKEY(w.top, SDL_SCANCODE_F4, true, KMOD_LALT);
  PUMPMESSAGES();
  const std::vector<ExpectedMessage> expected = {
      {WM_SYSKEYDOWN, Came::Posted, VK_MENU, kAltBit | 0x00380001, w.top},
      {WM_SYSKEYDOWN, Came::Posted, VK_F4, kAltBit | 0x003E0001, w.top},
      {WM_SYSCOMMAND, Came::Posted, SC_CLOSE, 0, w.top},
      {WM_CLOSE, Came::Default, 0, 0, w.top},
      {WM_DESTROY, Came::Default, 0, 0, w.top},
      {WM_DESTROY, Came::Default, 0, 0, w.child},
      {WM_NCDESTROY, Came::Default, 0, 0, w.child},
      {WM_NCDESTROY, Came::Default, 0, 0, w.top},
  };
  EXPECT_TRUE(SAMEMESSAGES("SDL: left Alt down, F4 down with Alt held", expected, MESSAGELOG()));
  EXPECT_FALSE(IsWindow(w.top));
}

} // namespace
} // namespace orvex::test

// Mouse messages made from SDL mouse events: coalescing of moves, key flags, routing to child
// windows, and capture.
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_VISIBLE;

struct Mouse {
  enum Kind { Move, Down, Up, Wheel } kind;
  int x, y;
  Uint8 button = SDL_BUTTON_LEFT;
};

std::string describe(const std::vector<Mouse>& events) {
  std::string text;
  for (const Mouse& m : events) {
    if (!text.empty()) text += ", ";
    if (m.kind == Mouse::Wheel) {
      text += "wheel " + std::to_string(m.x);
      continue;
    }
    text += m.kind == Mouse::Move ? "move" : m.kind == Mouse::Down ? "down" : "up";
    if (m.kind != Mouse::Move) text += m.button == SDL_BUTTON_LEFT ? " left" : " right";
    text += " (" + std::to_string(m.x) + ", " + std::to_string(m.y) + ")";
  }
  return text;
}

void push(HWND wnd, const std::vector<Mouse>& events) {
  for (const Mouse& m : events) {
    if (m.kind == Mouse::Wheel)
      PUSHWHEEL(wnd, m.x);
    else if (m.kind == Mouse::Move)
      PUSHMOTION(wnd, m.x, m.y);
    else
      PUSHBUTTON(wnd, m.button, m.kind == Mouse::Down, m.x, m.y);
  }
}

TEST(MouseInput, SdlMouseEventsBecomeMouseMessages) {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  ASSERT_TRUE(wnd);
  struct Case {
    std::vector<Mouse> events;
    std::vector<ExpectedMessage> expected;
  };
  const Case cases[] = {
      // A burst of moves between two looks at the queue arrives as one, at the last position.
      {{{Mouse::Move, 10, 10}, {Mouse::Move, 11, 12}, {Mouse::Move, 15, 20}},
       {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(15, 20)}}},
      // Moves are not merged across a click.
      {{{Mouse::Move, 10, 10},
        {Mouse::Move, 12, 12},
        {Mouse::Down, 12, 12},
        {Mouse::Up, 12, 12},
        {Mouse::Move, 20, 20},
        {Mouse::Move, 30, 30}},
       {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(12, 12)},
        {WM_LBUTTONDOWN, Came::Posted, MK_LBUTTON, MAKELPARAM(12, 12)},
        {WM_LBUTTONUP, Came::Posted, 0, MAKELPARAM(12, 12)},
        {WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(30, 30)}}},
      // Moves with a button held carry its flag.
      {{{Mouse::Down, 5, 5}, {Mouse::Move, 6, 6}, {Mouse::Move, 7, 9}, {Mouse::Up, 7, 9}},
       {{WM_LBUTTONDOWN, Came::Posted, MK_LBUTTON, MAKELPARAM(5, 5)},
        {WM_MOUSEMOVE, Came::Posted, MK_LBUTTON, MAKELPARAM(7, 9)},
        {WM_LBUTTONUP, Came::Posted, 0, MAKELPARAM(7, 9)}}},
      // The default handling of a right release asks for the context menu at the screen point.
      {{{Mouse::Down, 40, 50, SDL_BUTTON_RIGHT}, {Mouse::Up, 40, 50, SDL_BUTTON_RIGHT}},
       {{WM_RBUTTONDOWN, Came::Posted, MK_RBUTTON, MAKELPARAM(40, 50)},
        {WM_RBUTTONUP, Came::Posted, 0, MAKELPARAM(40, 50)},
        {WM_CONTEXTMENU, Came::Default, wnd, MAKELPARAM(40, 50)}}},
      // The wheel carries its delta in the high word and the pointer's screen point.
      {{{Mouse::Move, 15, 20}, {Mouse::Wheel, 1, 0}, {Mouse::Wheel, -2, 0}},
       {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(15, 20)},
        {WM_MOUSEWHEEL, Came::Posted, WPARAM{120} << 16, MAKELPARAM(15, 20)},
        {WM_MOUSEWHEEL, Came::Posted, WPARAM{static_cast<WORD>(-240)} << 16, MAKELPARAM(15, 20)}}},
      {{{Mouse::Down, 1, 2, SDL_BUTTON_MIDDLE}, {Mouse::Up, 1, 2, SDL_BUTTON_MIDDLE}},
       {{WM_MBUTTONDOWN, Came::Posted, MK_MBUTTON, MAKELPARAM(1, 2)},
        {WM_MBUTTONUP, Came::Posted, 0, MAKELPARAM(1, 2)}}},
  };
  for (const Case& c : cases) {
    PUMPMESSAGES();
    CLEARLOG();
    push(wnd, c.events);
    PUMPMESSAGES();
    EXPECT_TRUE(SAMEMESSAGES(describe(c.events), c.expected, WITHOUT(MESSAGELOG(), {WM_PAINT})));
  }
}

TEST(MouseInput, MovesOfOneLoopTurnMergeButNotAcrossTurns) {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  ASSERT_TRUE(wnd);
  PUMPMESSAGES();
  CLEARLOG();
  PUSHMOTION(wnd, 1, 1);
  PUSHMOTION(wnd, 2, 2);
  EXPECT_TRUE(PUMPONE());
  PUSHMOTION(wnd, 3, 3);
  PUSHMOTION(wnd, 4, 4);
  EXPECT_TRUE(PUMPONE());
  EXPECT_FALSE(PUMPONE());
  EXPECT_TRUE(SAMEMESSAGES("moves to (1, 1), (2, 2); one turn; moves to (3, 3), (4, 4); one turn",
                           {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(2, 2)},
                            {WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(4, 4)}},
                           MESSAGELOG()));
}

TEST(MouseInput, ChildWindowsGetTheMessagesOverThem) {
  HWND top = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  HWND child = CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 30, 40, 100, 80, top);
  HWND hidden = CREATELOGGEDWINDOW(WS_CHILD, 200, 10, 50, 50, top);
  ASSERT_TRUE(top && child && hidden);
  PUMPMESSAGES();
  CLEARLOG();
  PUSHMOTION(top, 35, 50);
  PUSHBUTTON(top, SDL_BUTTON_LEFT, true, 35, 50);
  PUSHBUTTON(top, SDL_BUTTON_LEFT, false, 210, 20);
  PUMPMESSAGES();
  EXPECT_TRUE(SAMEMESSAGES("move (35, 50), left down (35, 50) over the child; left up (210, 20) "
                           "over a hidden child",
                           {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(5, 10), child},
                            {WM_LBUTTONDOWN, Came::Posted, MK_LBUTTON, MAKELPARAM(5, 10), child},
                            {WM_LBUTTONUP, Came::Posted, 0, MAKELPARAM(210, 20), top}},
                           MESSAGELOG()));
}

TEST(MouseInput, CaptureKeepsMovesOutsideTheWindowComing) {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  HWND other = CREATELOGGEDWINDOW(kTopLevel, 400, 0, 100, 100);
  HWND child = CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 30, 40, 100, 80, wnd);
  ASSERT_TRUE(wnd && other && child);
  PUMPMESSAGES();

  struct Step {
    const char* input;
    std::function<void()> act;
    std::vector<ExpectedMessage> expected;
  };
  const Step steps[] = {
      {"no capture: a move left of the window", [&] { PUSHMOTION(wnd, -20, 30); }, {}},
      {"SetCapture(window); moves left of and above the window",
       [&] {
         EXPECT_EQ(SetCapture(wnd), 0u);
         PUSHMOTION(wnd, -20, 30);
         PUSHBUTTON(wnd, SDL_BUTTON_LEFT, true, 900, -5);
       },
       {{WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(-20, 30), wnd},
        {WM_LBUTTONDOWN, Came::Posted, MK_LBUTTON, MAKELPARAM(900, -5), wnd}}},
      {"capture moves to the other window",
       [&] {
         EXPECT_EQ(SetCapture(other), wnd);
         PUSHBUTTON(wnd, SDL_BUTTON_LEFT, false, 10, 20);
       },
       {{WM_CAPTURECHANGED, Came::Sent, 0, static_cast<LPARAM>(other), wnd},
        {WM_LBUTTONUP, Came::Posted, 0, MAKELPARAM(10 - 400, 20), other}}},
      {"capture moves to the child: it gets what happens over its parent",
       [&] {
         EXPECT_EQ(SetCapture(child), other);
         PUSHMOTION(wnd, 10, 10);
       },
       {{WM_CAPTURECHANGED, Came::Sent, 0, static_cast<LPARAM>(child), other},
        {WM_MOUSEMOVE, Came::Posted, 0, MAKELPARAM(10 - 30, 10 - 40), child}}},
      {"ReleaseCapture; a move left of the window",
       [&] {
         EXPECT_TRUE(ReleaseCapture());
         EXPECT_EQ(GetCapture(), 0u);
         PUSHMOTION(wnd, -20, 30);
       },
       {{WM_CAPTURECHANGED, Came::Sent, 0, 0, child}}},
      {"ReleaseCapture without a capture", [&] { EXPECT_TRUE(ReleaseCapture()); }, {}},
  };
  for (const Step& s : steps) {
    CLEARLOG();
    s.act();
    PUMPMESSAGES();
    EXPECT_TRUE(SAMEMESSAGES(s.input, s.expected, WITHOUT(MESSAGELOG(), {WM_PAINT})));
  }
}

} // namespace
} // namespace orvex::test

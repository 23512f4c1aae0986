// The queue's retrieval order, looking without removing, timers and the posted-message limit.
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include "message_queue.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

constexpr DWORD kTopLevel = WS_POPUP | WS_CAPTION | WS_VISIBLE;
constexpr LPARAM kKeyADown = 0x001E0001; // repeat 1, scan code 0x1E

HWND quiet_window() {
  HWND wnd = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 320, 240);
  EXPECT_TRUE(wnd);
  PUMPMESSAGES(); // the first WM_PAINT after showing
  CLEARLOG();
  return wnd;
}

TEST(MessageQueue, RetrievalOrderIsPostedQuitInputPaintTimer) {
  HWND wnd = quiet_window();
  constexpr UINT kPeriod = 200;
  ASSERT_TRUE(SetTimer(wnd, 7, kPeriod, nullptr));
  SDL_Delay(5 * kPeriod + 50); // five periods missed
  InvalidateRect(wnd, nullptr, FALSE);
  PUSHKEY(wnd, SDL_SCANCODE_A, true);
  PostMessageA(wnd, WM_USER + 1, 1, 0);
  PostMessageA(wnd, WM_USER + 2, 2, 0);
  PostQuitMessage(5);
  // Handling the first posted message posts one more: it still comes before the quit.
  SETREPLY([wnd](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_USER + 1) PostMessageA(wnd, WM_USER + 3, 3, 0);
    return std::nullopt;
  });
  PUMPMESSAGES();
  SETREPLY(nullptr);

  const std::vector<ExpectedMessage> expected = {
      {WM_USER + 1, Came::Posted, 1, 0},
      {WM_USER + 2, Came::Posted, 2, 0},
      {WM_USER + 3, Came::Posted, 3, 0},
      {WM_QUIT, Came::Posted, 5, 0},
      {WM_KEYDOWN, Came::Posted, 'A', kKeyADown},
      {WM_CHAR, Came::Posted, 'a', kKeyADown},
      {WM_PAINT, Came::Posted, 0, 0},
      {WM_TIMER, Came::Posted, 7, 0},
  };
  EXPECT_TRUE(SAMEMESSAGES("expired timer 7 (five periods), InvalidateRect, key A down, "
                           "PostMessageA 1 and 2, PostQuitMessage(5); message 1 posts 3",
                           expected, MESSAGELOG()));
  KillTimer(wnd, 7);
}

TEST(MessageQueue, TimerGivesOneMessageHoweverManyPeriodsPassed) {
  HWND wnd = quiet_window();
  constexpr UINT kPeriod = 100;
  ASSERT_TRUE(SetTimer(wnd, 1, kPeriod, nullptr));
  ASSERT_TRUE(SetTimer(wnd, 2, kPeriod, nullptr));
  SDL_Delay(10 * kPeriod);
  PUMPMESSAGES();
  EXPECT_TRUE(SAMEMESSAGES("timers 1 and 2, ten periods each",
                           {{WM_TIMER, Came::Posted, 1, 0}, {WM_TIMER, Came::Posted, 2, 0}},
                           MESSAGELOG()));

  CLEARLOG();
  KillTimer(wnd, 1);
  SDL_Delay(2 * kPeriod);
  PUMPMESSAGES();
  EXPECT_TRUE(SAMEMESSAGES("timer 1 killed, two more periods", {{WM_TIMER, Came::Posted, 2, 0}},
                           MESSAGELOG()));
  KillTimer(wnd, 2);
}

TEST(MessageQueue, PeekWithoutRemovingLeavesTheMessage) {
  HWND wnd = quiet_window();
  struct Case {
    const char* kind;
    std::function<void()> make;
    UINT message;
    bool stays_after_removal; // WM_PAINT stays until the window is validated
  };
  const Case cases[] = {
      {"posted", [&] { PostMessageA(wnd, WM_USER, 1, 2); }, WM_USER, false},
      {"quit", [] { PostQuitMessage(3); }, WM_QUIT, false},
      {"input", [&] { PUSHKEY(wnd, SDL_SCANCODE_B, true); }, WM_KEYDOWN, false},
      {"paint", [&] { InvalidateRect(wnd, nullptr, FALSE); }, WM_PAINT, true},
      {"timer",
       [&] {
         SetTimer(wnd, 4, 500, nullptr);
         SDL_Delay(550);
       },
       WM_TIMER, false},
  };
  for (const Case& c : cases) {
    MSG msg{};
    ASSERT_FALSE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) << c.kind << ": queue not empty before";
    c.make();
    for (int look = 0; look < 2; ++look) {
      msg = MSG{};
      ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_NOREMOVE)) << c.kind << ", look " << look;
      EXPECT_EQ(msg.message, c.message) << c.kind << ", look " << look;
    }
    msg = MSG{};
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) << c.kind;
    EXPECT_EQ(msg.message, c.message) << c.kind;
    MSG after{};
    EXPECT_EQ(PeekMessageA(&after, 0, 0, 0, PM_NOREMOVE), c.stays_after_removal ? TRUE : FALSE)
        << c.kind << ": after removal";
    if (c.stays_after_removal) ValidateRect(wnd, nullptr);
    KillTimer(wnd, 4);
  }
}

TEST(MessageQueue, GetMessageWaitsForTheNextTimer) {
  HWND wnd = quiet_window();
  ASSERT_TRUE(SetTimer(wnd, 3, 100, nullptr));
  MSG msg{};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(GetMessageA(&msg, 0, 0, 0), TRUE);
  auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(msg.message, WM_TIMER);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_GE(waited, std::chrono::milliseconds(90));
  EXPECT_LT(waited, std::chrono::seconds(2));
  KillTimer(wnd, 3);

  HWND gone = CREATELOGGEDWINDOW(kTopLevel, 0, 0, 10, 10);
  DestroyWindow(gone);
  struct Case {
    const char* queue;
    std::function<void()> make;
    HWND filter;
    BOOL result;
    UINT message;
  };
  const Case cases[] = {
      {"a posted message", [&] { PostMessageA(wnd, WM_USER, 0, 0); }, 0, TRUE, WM_USER},
      {"the quit message", [] { PostQuitMessage(0); }, 0, FALSE, WM_QUIT},
      {"a filter naming a destroyed window", [] {}, gone, -1, WM_NULL},
  };
  for (const Case& c : cases) {
    c.make();
    msg = MSG{};
    EXPECT_EQ(GetMessageA(&msg, c.filter, 0, 0), c.result) << c.queue;
    EXPECT_EQ(msg.message, c.message) << c.queue;
  }
}

TEST(MessageQueue, PostingFailsBeyondTheLimit) {
  HWND wnd = quiet_window();
  for (std::size_t i = 0; i < platform::kPostedMessageLimit; ++i)
    ASSERT_TRUE(PostMessageA(wnd, WM_USER, i, 0)) << "message " << i;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(PostMessageA(wnd, WM_USER, 0, 0)) << "message " << platform::kPostedMessageLimit;
  EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_QUOTA);
  EXPECT_FALSE(PostMessageA(0, WM_USER, 0, 0)) << "a thread message counts the same";

  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u) << "the oldest comes first";
  EXPECT_TRUE(PostMessageA(wnd, WM_USER, 0, 0)) << "one taken, one more fits";
  EXPECT_FALSE(PostMessageA(wnd, WM_USER, 0, 0));

  int taken = 0;
  while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) ++taken;
  EXPECT_EQ(taken, static_cast<int>(platform::kPostedMessageLimit));
}

} // namespace
} // namespace orvex::test

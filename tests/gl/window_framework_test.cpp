// The framework's window layer on the real platform layer: the main window and its context,
// the message pump, and the window procedure's lifecycle, key, button and frame-rate rows,
// driven by SDL events where the input comes from the user.
#include "gl/support/main_window.h"
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include "framework/render/gl.h"
#include "framework/window/camera.h"
#include "framework/window/fps_title.h"
#include "framework/window/hover_button.h"
#include "framework/window/input_state.h"
#include "framework/window/message_pump.h"
#include "framework/window/ogl_window.h"
#include "framework/window/status_bar.h"
#include "framework/window/window_procedure.h"
#include "framework/window/window_state.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace orvex::test {
namespace {

std::string window_title(HWND wnd) {
  char text[128];
  GetWindowTextA(wnd, text, sizeof text);
  return text;
}

Uint32 sdl_flags(HWND wnd) {
  return SDL_GetWindowFlags(SDL_GetWindowFromID(NATIVEID(wnd)));
}

TEST(OglWindow, WindowedWindowHasTheRequestedSizeAndACurrentContext) {
  OPENMAINWINDOW(false);
  EXPECT_TRUE(ACTIVE);
  EXPECT_TRUE(IsWindow(HWINDOW));
  EXPECT_TRUE(IsWindowVisible(HWINDOW));
  EXPECT_NE(DCWINDOW, 0u);
  ASSERT_NE(RCWINDOW, 0u);
  EXPECT_EQ(wglGetCurrentContext(), RCWINDOW);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
  EXPECT_EQ(WIDTH, 800);
  EXPECT_EQ(HEIGHT, 600);
  RECT client{};
  ASSERT_TRUE(GetClientRect(HWINDOW, &client));
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 600);
  POINT origin{0, 0};
  ClientToScreen(HWINDOW, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  EXPECT_EQ(window_title(HWINDOW), "Reflection map");
  EXPECT_FALSE(sdl_flags(HWINDOW) & SDL_WINDOW_BORDERLESS) << "the windowed style has a caption";

  WNDCLASSEXA main_class{};
  ASSERT_TRUE(GetClassInfoExA(0, "GLWindow", &main_class));
  EXPECT_EQ(main_class.lpfnWndProc, &GLWNDPROC);
  EXPECT_EQ(main_class.style, CS_HREDRAW | CS_VREDRAW);
  EXPECT_EQ(main_class.hCursor, LoadCursorA(0, IDC_ARROW));
  WNDCLASSEXA button_class{};
  ASSERT_TRUE(GetClassInfoExA(0, SZHOVERCLASS, &button_class));
  EXPECT_EQ(button_class.lpfnWndProc, &HOVERBUTTONHANDLER);

  // The settings came before the context, so no empty list was made; with a context they
  // make one.
  EXPECT_EQ(OBJNULL, 0u);
  EXPECT_TRUE(FOGONOFF);
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  EXPECT_NE(OBJNULL, 0u);
  EXPECT_TRUE(glIsList(OBJNULL));

  DELETEOGLWINDOW();
  EXPECT_FALSE(IsWindow(HWINDOW));
  EXPECT_EQ(wglGetCurrentContext(), 0u);
  EXPECT_FALSE(ACTIVE);
}

TEST(OglWindow, FullScreenWindowTakesTheScreenSize) {
  OPENMAINWINDOW(true);
  int screen_width = GetSystemMetrics(SM_CXSCREEN);
  int screen_height = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_GT(screen_width, 0);
  EXPECT_EQ(WIDTH, screen_width);
  EXPECT_EQ(HEIGHT, screen_height);
  RECT client{};
  ASSERT_TRUE(GetClientRect(HWINDOW, &client));
  EXPECT_EQ(client.right, screen_width);
  EXPECT_EQ(client.bottom, screen_height);
  EXPECT_TRUE(sdl_flags(HWINDOW) & SDL_WINDOW_BORDERLESS) << "full screen has no caption";
  EXPECT_EQ(wglGetCurrentContext(), RCWINDOW);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
  DELETEOGLWINDOW();
}

TEST(MessagePump, TakesOneMessagePerCall) {
  OPENMAINWINDOW();
  PUSHKEY(HWINDOW, SDL_SCANCODE_A, true);
  PUSHKEY(HWINDOW, SDL_SCANCODE_A, false);
  struct Call {
    UINT taken;
    std::int32_t setkey_a;
  };
  const Call calls[] = {{WM_KEYDOWN, KEYISDOWN}, {WM_CHAR, KEYISDOWN}, {WM_KEYUP, 0}};
  for (const Call& c : calls) {
    SETGLMSG();
    EXPECT_EQ(MSG_.message, c.taken) << "took " << MESSAGENAME(MSG_.message);
    EXPECT_EQ(SETKEY[65], c.setkey_a) << "after " << MESSAGENAME(c.taken);
  }
  MSG waiting;
  EXPECT_FALSE(PeekMessageA(&waiting, 0, 0, 0, PM_NOREMOVE));
}

TEST(MessagePump, ReturnsAtOnceWhenNothingWaits) {
  OPENMAINWINDOW();
  // A blocking wait would last until this timer expires.
  ASSERT_TRUE(SetTimer(HWINDOW, 99, 10000, nullptr));
  MSG_ = MSG{HWINDOW, WM_USER + 77, 1, 2, 3, {4, 5}};
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100; ++i) SETGLMSG();
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::seconds(1));
  EXPECT_EQ(MSG_.message, WM_USER + 77) << "SETGLMSG took " << MESSAGENAME(MSG_.message);
  EXPECT_EQ(MSG_.wParam, 1u);
  KillTimer(HWINDOW, 99);
}

TEST(WindowProcedure, EscapeEndsTheRunButKeepsTheWindow) {
  OPENMAINWINDOW();
  PUSHKEY(HWINDOW, SDL_SCANCODE_ESCAPE, true);
  SETGLMSG();
  EXPECT_EQ(MSG_.message, WM_KEYDOWN);
  EXPECT_FALSE(ACTIVE);
  EXPECT_EQ(SETKEY[VK_ESCAPE], 0);
  EXPECT_TRUE(IsWindow(HWINDOW)) << "the window stays until DELETEOGLWINDOW";

  ACTIVE = true;
  EXPECT_EQ(GLWNDPROC(HWINDOW, WM_KEYDOWN, VK_ESCAPE, 0x00010001), 0);
  EXPECT_FALSE(ACTIVE);
  EXPECT_EQ(SETKEY[VK_ESCAPE], 0);

  // The typed character and the two quit messages are taken without effect.
  EXPECT_EQ(SETGLMSGUNTILIDLE(), 2) << "WM_CHAR and one WM_QUIT";
  EXPECT_TRUE(IsWindow(HWINDOW));
  DELETEOGLWINDOW();
  EXPECT_FALSE(IsWindow(HWINDOW));
  EXPECT_EQ(wglGetCurrentContext(), 0u);
}

// The user closes the window: one SETGLMSG call after another works the messages off until
// the window is gone and ACTIVE is false.
struct ClosePath {
  const char* name;
  std::function<void()> push;
  int calls; // SETGLMSG calls until ACTIVE is false
};

std::ostream& operator<<(std::ostream& out, const ClosePath& p) {
  return out << p.name;
}

class UserCloses : public ::testing::TestWithParam<ClosePath> {};

TEST_P(UserCloses, WindowGoesAndTheRunEnds) {
  OPENMAINWINDOW();
  const ClosePath& path = GetParam();
  path.push();
  for (int call = 1; call <= path.calls; ++call) {
    SETGLMSG();
    bool last = call == path.calls;
    EXPECT_EQ(ACTIVE, !last) << "after call " << call << ", which took "
                             << MESSAGENAME(MSG_.message);
    EXPECT_EQ(IsWindow(HWINDOW), last ? FALSE : TRUE) << "after call " << call;
  }
  EXPECT_EQ(SETKEY[VK_MENU], 0) << "system keys have no row";
  EXPECT_EQ(SETKEY[VK_F4], 0);
  EXPECT_EQ(SETGLMSGUNTILIDLE(), 1) << "the quit message, which ends nothing";
  EXPECT_EQ(MSG_.message, WM_QUIT);
  DELETEOGLWINDOW(); // on handles that are gone
  EXPECT_EQ(wglGetCurrentContext(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ClosePaths, UserCloses,
    ::testing::Values(ClosePath{"WindowManagerClose", [] { PUSHCLOSE(HWINDOW); }, 1},
                      ClosePath{"AltF4",
                                [] {
                                  PUSHKEY(HWINDOW, SDL_SCANCODE_LALT, true, KMOD_LALT);
                                  PUSHKEY(HWINDOW, SDL_SCANCODE_F4, true, KMOD_LALT);
                                },
                                3}),
    [](const ::testing::TestParamInfo<ClosePath>& info) { return std::string(info.param.name); });

TEST(WindowProcedure, KeyRowsKeepSetKey) {
  OPENMAINWINDOW();
  struct Step {
    const char* input;
    std::function<void()> push;
    std::int32_t setkey_a;
    bool mousefree;
  };
  const Step steps[] = {
      {"A down", [] { PUSHKEY(HWINDOW, SDL_SCANCODE_A, true); }, KEYISDOWN, true},
      {"A auto-repeat", [] { PUSHKEY(HWINDOW, SDL_SCANCODE_A, true, KMOD_NONE, true); }, KEYISDOWN,
       true},
      {"A up", [] { PUSHKEY(HWINDOW, SDL_SCANCODE_A, false); }, 0, false},
      {"Alt+A down (a system key)",
       [] {
         PUSHKEY(HWINDOW, SDL_SCANCODE_LALT, true, KMOD_LALT);
         PUSHKEY(HWINDOW, SDL_SCANCODE_A, true, KMOD_LALT);
       },
       0, true},
      {"Alt+A up (a system key)", [] { PUSHKEY(HWINDOW, SDL_SCANCODE_A, false, KMOD_LALT); }, 0,
       true},
  };
  for (const Step& s : steps) {
    MOUSEFREE = true;
    s.push();
    SETGLMSGUNTILIDLE();
    EXPECT_EQ(SETKEY[65], s.setkey_a) << s.input;
    EXPECT_EQ(SETKEY[VK_MENU], 0) << s.input;
    EXPECT_EQ(MOUSEFREE, s.mousefree) << s.input;
  }
}

struct ButtonState {
  bool left, left2, right, right2;
  std::int32_t setmx, setmy, xcoord, ycoord, zcoord;
  bool captured;
  bool operator==(const ButtonState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ButtonState& s) {
  return out << "{left " << s.left << s.left2 << ", right " << s.right << s.right2 << ", SETMX "
             << s.setmx << ", SETMY " << s.setmy << ", XCOORD " << s.xcoord << ", YCOORD "
             << s.ycoord << ", ZCOORD " << s.zcoord << ", captured " << s.captured << "}";
}

ButtonState button_state() {
  return {LEFTMOUSEDOWN, LEFTMOUSEDOWN2, RIGHTMOUSEDOWN, RIGHTMOUSEDOWN2, SETMX,
          SETMY,         XCOORD,         YCOORD,         ZCOORD,          GetCapture() == HWINDOW};
}

TEST(WindowProcedure, ButtonRowsKeepTheFlagsAnchorsAndCapture) {
  OPENMAINWINDOW();
  struct Step {
    const char* input;
    std::function<void()> push;
    ButtonState expected;
  };
  const Step steps[] = {
      {"left down (120, 80)",
       [] { PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, true, 120, 80); },
       {true, true, false, false, 120, 80, 120, 80, 0, true}},
      {"move (130, 95)",
       [] { PUSHMOTION(HWINDOW, 130, 95); },
       {true, true, false, false, 120, 80, 130, 95, 0, true}},
      {"left up (130, 95)",
       [] { PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, false, 130, 95); },
       {false, false, false, false, 0, 0, 0, 0, 0, false}},
      {"left down (50, 60), right down (55, 65)",
       [] {
         PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, true, 50, 60);
         PUSHBUTTON(HWINDOW, SDL_BUTTON_RIGHT, true, 55, 65);
       },
       {true, true, true, true, 50, 60, 50, 60, 65, true}},
      {"right up (55, 65): the shared capture ends",
       [] { PUSHBUTTON(HWINDOW, SDL_BUTTON_RIGHT, false, 55, 65); },
       {true, true, false, false, 50, 60, 50, 60, 65, false}},
      {"left up (50, 60)",
       [] { PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, false, 50, 60); },
       {false, false, false, false, 0, 0, 0, 0, 65, false}},
  };
  for (const Step& s : steps) {
    s.push();
    SETGLMSGUNTILIDLE();
    EXPECT_EQ(button_state(), s.expected) << s.input;
  }
}

TEST(WindowProcedure, CapturedDragOutsideTheWindowGivesUnsignedCoordinates) {
  OPENMAINWINDOW();
  PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, true, 120, 80);
  SETGLMSGUNTILIDLE();
  struct Step {
    int x, y;
    std::int32_t setomx, setomy;
  };
  const Step steps[] = {{-5, 80, 65531, 80}, {120, -3, 120, 65533}, {-1, -1, 65535, 65535}};
  for (const Step& s : steps) {
    PUSHMOTION(HWINDOW, s.x, s.y);
    SETGLMSGUNTILIDLE();
    EXPECT_EQ(SETOMX, s.setomx) << "move (" << s.x << ", " << s.y << ")";
    EXPECT_EQ(SETOMY, s.setomy) << "move (" << s.x << ", " << s.y << ")";
  }
  PUSHBUTTON(HWINDOW, SDL_BUTTON_LEFT, false, -1, -1);
  SETGLMSGUNTILIDLE();
  EXPECT_FALSE(LEFTMOUSEDOWN);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST(WindowProcedure, CommandNeverReachesTheDefaultHandling) {
  OPENMAINWINDOW();
  // The default handling updates the status bar when wParam is 0; a logged child window
  // with a pending update stands in as the status bar and shows whether that happened.
  HSTATUS = CREATELOGGEDWINDOW(WS_CHILD | WS_VISIBLE, 0, 580, 800, 20, HWINDOW);
  ASSERT_TRUE(HSTATUS);
  // A window procedure cannot capture; the count it keeps lives as long as the test program.
  static int commands;
  commands = 0;
  GETINPUTCOMMAND = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
    ++commands;
    return 77;
  };
  struct Case {
    const char* input;
    UINT message;
    WPARAM wParam;
    bool menu_bar;
    bool status_bar_paints;
    int commands;
  };
  const Case cases[] = {
      {"WM_COMMAND 0 without menu bar", WM_COMMAND, 0, false, false, 0},
      {"WM_COMMAND 0 with menu bar", WM_COMMAND, 0, true, false, 1},
      {"WM_COMMAND 5 with menu bar", WM_COMMAND, 5, true, false, 1},
      {"WM_USER 0, a message without a row", WM_USER, 0, false, true, 0},
      {"WM_USER 1", WM_USER, 1, false, false, 0},
  };
  for (const Case& c : cases) {
    SHOWMENUBAR = c.menu_bar;
    commands = 0;
    InvalidateRect(HSTATUS, nullptr, FALSE);
    CLEARLOG();
    EXPECT_EQ(GLWNDPROC(HWINDOW, c.message, c.wParam, 0x1234), 0) << c.input;
    std::vector<ExpectedMessage> expected;
    if (c.status_bar_paints) expected.push_back({WM_PAINT, Came::Sent, 0, 0, HSTATUS});
    EXPECT_TRUE(
        SAMEMESSAGES(std::string(c.input) + ", status bar update pending", expected, MESSAGELOG()));
    EXPECT_EQ(commands, c.commands) << c.input;
    ValidateRect(HSTATUS, nullptr);
  }
  SHOWMENUBAR = false;
}

TEST(WindowProcedure, RightReleaseAsksForTheMouseMenu) {
  OPENMAINWINDOW();
  static int menus = 0;
  CREATEMOUSEMENU = [] { ++menus; };
  struct Case {
    bool menu_bar;
    int menus;
  };
  for (Case c : {Case{false, 0}, Case{true, 1}}) {
    SHOWMENUBAR = c.menu_bar;
    menus = 0;
    PUSHBUTTON(HWINDOW, SDL_BUTTON_RIGHT, true, 10, 10);
    PUSHBUTTON(HWINDOW, SDL_BUTTON_RIGHT, false, 10, 10);
    SETGLMSGUNTILIDLE();
    EXPECT_EQ(menus, c.menus) << "SHOWMENUBAR " << c.menu_bar;
  }
  SHOWMENUBAR = false;
}

TEST(WindowProcedure, FrameRateTimerSetsTheTitle) {
  OPENMAINWINDOW();
  struct Case {
    bool view_fps;
    UINT_PTR timer;
    std::int32_t frames;
    const char* title;
    std::int32_t count_after;
  };
  const Case cases[] = {
      {true, FPS_TIMER, 300, "Reflection map - FPS [60]", 0},
      {true, FPS_TIMER, 2, "Reflection map - FPS [1]", 0},
      {true, FPS_TIMER, 7, "Reflection map - FPS [1]", 0},
      {true, FPS_TIMER, 13, "Reflection map - FPS [3]", 0},
      {true, 2, 300, "Reflection map", 300},
      {false, FPS_TIMER, 300, "Reflection map", 300},
  };
  for (const Case& c : cases) {
    SetWindowTextA(HWINDOW, "Reflection map");
    VIEWFPS = c.view_fps;
    FORCEFPS = 1;
    FPSCOUNT = c.frames;
    ASSERT_TRUE(SetTimer(HWINDOW, c.timer, 20, nullptr));
    SDL_Delay(40);
    MSG waiting;
    ASSERT_TRUE(PeekMessageA(&waiting, 0, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(waiting.message, WM_TIMER);
    SETGLMSG();
    KillTimer(HWINDOW, c.timer);
    std::string inputs = "VIEWFPS " + std::to_string(c.view_fps) + ", timer " +
                         std::to_string(c.timer) + ", " + std::to_string(c.frames) + " frames";
    EXPECT_EQ(window_title(HWINDOW), c.title) << inputs;
    EXPECT_STREQ(SDL_GetWindowTitle(SDL_GetWindowFromID(NATIVEID(HWINDOW))), c.title) << inputs;
    EXPECT_EQ(FPSCOUNT, c.count_after) << inputs;
  }
}

} // namespace
} // namespace orvex::test

// A failing step of CREATEOGLWINDOW reports the failure once and ends the program with exit
// code 0. Headless no message box can be shown, so the message goes to standard error, in
// UTF-8.
#include "framework/window/ogl_window.h"
#include "framework/window/window_state.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

namespace orvex::test {
namespace {

LRESULT CALLBACK plain_procedure(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(wnd, message, wParam, lParam);
}

struct Failure {
  const char* step;
  std::function<void()> prepare;
  const char* message; // as it reaches standard error
};

std::ostream& operator<<(std::ostream& out, const Failure& f) {
  return out << f.step;
}

class CreateOglWindowFails : public ::testing::TestWithParam<Failure> {};

TEST_P(CreateOglWindowFails, WithOneMessageAndExitCodeZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const Failure& f = GetParam();
  EXPECT_EXIT(
      {
        // No display: the box cannot appear and wait for an answer.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        f.prepare();
        OGLWINDOWSETTING(ARROW, "", GENERIC, "");
        CREATEOGLWINDOW("Reflection map", 800, 600, 32, false);
        std::fputs("CREATEOGLWINDOW returned\n", stderr);
        std::exit(1);
      },
      ::testing::ExitedWithCode(0), std::string("Error: ") + f.message);
}

std::string name(const ::testing::TestParamInfo<Failure>& info) {
  return info.param.step;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CreateOglWindowFails,
    ::testing::Values(
        Failure{"Registration",
                [] {
                  WNDCLASSA taken{};
                  taken.lpfnWndProc = plain_procedure;
                  taken.lpszClassName = "GLWindow";
                  RegisterClassA(&taken);
                },
                "Errore di registro per la rispettiva applicazione!"},
        // A request for a bitmap surface finds no pixel format, and so no context either.
        Failure{"PixelFormat", [] { PIXEL_FORMAT_FLAGS = PFD_DRAW_TO_BITMAP; },
                "la rispettiva applicazione non \u00e8 stata inizilizata!"}),
    name);

} // namespace
} // namespace orvex::test

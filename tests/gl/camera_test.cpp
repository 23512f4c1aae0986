// The mouse-look camera driven by real SDL mouse events through SETGLMSG and GLWNDPROC, and
// the transform SETGLMOUSEMOVE multiplies onto the modelview matrix.
#include "gl/support/main_window.h"
#include "gl/support/message_log.h"
#include "gl/support/sdl_input.h"

#include "framework/render/gl.h"
#include "framework/window/camera.h"
#include "framework/window/input_state.h"
#include "framework/window/message_pump.h"
#include "framework/window/window_state.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include <array>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>

namespace orvex::test {
namespace {

// A column-major 4 x 4 matrix, as OpenGL keeps it.
using Matrix = std::array<double, 16>;

Matrix identity() {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix r{};
  for (int col = 0; col < 4; ++col)
    for (int row = 0; row < 4; ++row)
      for (int k = 0; k < 4; ++k) r[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
  return r;
}

Matrix translation(double x, double y, double z) {
  Matrix m = identity();
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return m;
}

// A counter-clockwise turn by the angle in degrees about a unit axis.
Matrix rotation(double degrees, double x, double y, double z) {
  double a = degrees * std::numbers::pi / 180.0, c = std::cos(a), s = std::sin(a), t = 1.0 - c;
  return {t * x * x + c,
          t * x * y + s * z,
          t * x * z - s * y,
          0,
          t * x * y - s * z,
          t * y * y + c,
          t * y * z + s * x,
          0,
          t * x * z + s * y,
          t * y * z - s * x,
          t * z * z + c,
          0,
          0,
          0,
          0,
          1};
}

Matrix modelview() {
  float m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  Matrix r;
  for (int i = 0; i < 16; ++i) r[i] = m[i];
  return r;
}

::testing::AssertionResult SAMEMATRIX(const Matrix& expected, const Matrix& actual) {
  for (int i = 0; i < 16; ++i)
    if (std::fabs(expected[i] - actual[i]) > 1e-5) {
      ::testing::AssertionResult failure = ::testing::AssertionFailure();
      failure << "element " << i << " differs\nexpected:";
      for (double v : expected) failure << " " << v;
      failure << "\nactual:  ";
      for (double v : actual) failure << " " << v;
      return failure;
    }
  return ::testing::AssertionSuccess();
}

struct Camera {
  float xrot, yrot, xrot2, yrot2, depth, depth2;
  std::int32_t xcoord, ycoord, zcoord;
  bool operator==(const Camera&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Camera& c) {
  return out << "{XROT " << c.xrot << ", YROT " << c.yrot << ", XROT2 " << c.xrot2 << ", YROT2 "
             << c.yrot2 << ", DEPTH " << c.depth << ", DEPTH2 " << c.depth2 << ", XCOORD "
             << c.xcoord << ", YCOORD " << c.ycoord << ", ZCOORD " << c.zcoord << "}";
}

Camera camera() {
  return {XROT, YROT, XROT2, YROT2, DEPTH, DEPTH2, XCOORD, YCOORD, ZCOORD};
}

void reset_camera() {
  XROT = YROT = XROT2 = YROT2 = DEPTH = DEPTH2 = 0.0f;
}

struct Drag {
  const char* name;
  Uint8 button;
  int dx, dy; // from (100, 100)
  bool mousefree;
  Camera expected; // after the move, before the release
};

// Presses at (100, 100), moves by (dx, dy) and reads the camera before releasing.
Camera drag(const Drag& d) {
  reset_camera();
  MOUSEFREE = d.mousefree;
  PUSHBUTTON(HWINDOW, d.button, true, 100, 100);
  SETGLMSGUNTILIDLE();
  PUSHMOTION(HWINDOW, 100 + d.dx, 100 + d.dy);
  SETGLMSGUNTILIDLE();
  Camera after = camera();
  PUSHBUTTON(HWINDOW, d.button, false, 100 + d.dx, 100 + d.dy);
  SETGLMSGUNTILIDLE();
  MOUSEFREE = false;
  return after;
}

TEST(Camera, DragsTurnTheViewAndChangeTheDistance) {
  OPENMAINWINDOW();
  glLoadIdentity();
  SETGLMOUSEMOVE(0, 2);
  ASSERT_EQ(MSPEED, 2);
  const Drag drags[] = {
      {"left drag 10 down", SDL_BUTTON_LEFT, 0, 10, false, {10, 0, 10, 0, 0, 0, 100, 110, 0}},
      {"left drag 10 right", SDL_BUTTON_LEFT, 10, 0, false, {0, 10, 0, 10, 0, 0, 110, 100, 0}},
      {"left drag 10 up, 4 left",
       SDL_BUTTON_LEFT,
       -4,
       -10,
       false,
       {-10, -4, -10, -4, 0, 0, 96, 90, 0}},
      {"right drag 10 up", SDL_BUTTON_RIGHT, 0, -10, false, {0, 0, 0, 0, 2, 2, 0, 0, 90}},
      {"right drag 10 down", SDL_BUTTON_RIGHT, 0, 10, false, {0, 0, 0, 0, -2, -2, 0, 0, 110}},
  };
  for (const Drag& d : drags) EXPECT_EQ(drag(d), d.expected) << d.name;
}

TEST(Camera, RightDragInFreeLookLeavesTheDistance) {
  OPENMAINWINDOW();
  glLoadIdentity();
  SETGLMOUSEMOVE(0, 2);
  // Only the distance is looked at: where the window has the focus, free look turns the view.
  Camera after = drag({"right drag 10 down in free look", SDL_BUTTON_RIGHT, 0, 10, true, {}});
  EXPECT_EQ(after.depth, 0.0f);
  EXPECT_EQ(after.depth2, 0.0f);
  EXPECT_EQ(after.zcoord, 100) << "the anchor of the press";
}

TEST(Camera, MotionBeforeTheFirstTransformOnlyMovesTheAnchors) {
  OPENMAINWINDOW();
  ASSERT_EQ(MSPEED, 0);
  const Drag drags[] = {
      {"left drag 10 down", SDL_BUTTON_LEFT, 0, 10, false, {0, 0, 0, 0, 0, 0, 100, 110, 0}},
      {"right drag 10 up", SDL_BUTTON_RIGHT, 0, -10, false, {0, 0, 0, 0, 0, 0, 0, 0, 90}},
  };
  for (const Drag& d : drags) EXPECT_EQ(drag(d), d.expected) << d.name;
}

TEST(Camera, UnknownArrangementOnlySetsTheSpeed) {
  OPENMAINWINDOW();
  glLoadIdentity();
  XROT = 30.0f;
  YROT = 40.0f;
  DEPTH = 5.0f;
  MY = TGLVERTEX{1.0f, 2.0f, 3.0f};
  SETGLMOUSEMOVE(5, 3);
  EXPECT_EQ(MSPEED, 3);
  EXPECT_TRUE(SAMEMATRIX(identity(), modelview()));
  EXPECT_EQ(MY.X, 1.0f);
  EXPECT_EQ(MY.Y, 2.0f);
  EXPECT_EQ(MY.Z, 3.0f);
}

TEST(Camera, DemoTiltIsATurnAboutX) {
  OPENMAINWINDOW();
  glLoadIdentity();
  DEPTH = 0.0f;
  XROT = 36.0f;
  YROT = 0.0f;
  SETGLMOUSEMOVE(0, 2);
  EXPECT_TRUE(SAMEMATRIX(rotation(36.0, 1, 0, 0), modelview()));
  EXPECT_EQ(MY.X, 0.0f);
  EXPECT_EQ(MY.Y, 0.0f);
  EXPECT_EQ(MY.Z, 0.0f);
}

TEST(Camera, FourAxisArrangements) {
  OPENMAINWINDOW();
  constexpr double kDepth = 5.0, kX = 30.0, kY = 50.0;
  struct Case {
    int xyz;
    std::array<double, 3> translate;
    std::array<double, 3> first_axis, second_axis;
  };
  const Case cases[] = {
      {0, {0, 0, -kDepth}, {1, 0, 0}, {0, 1, 0}},
      {1, {0, -kDepth, 0}, {1, 0, 0}, {0, 0, 1}},
      {2, {-kDepth, 0, 0}, {0, 0, -1}, {0, 1, 0}},
      {3, {0, 0, -kDepth}, {0, 1, 0}, {1, 0, 0}},
  };
  for (const Case& c : cases) {
    // The transform goes onto what is there: the demo's own placement of the scene.
    glLoadIdentity();
    glTranslatef(0.0f, -1.0f, -30.0f);
    DEPTH = static_cast<float>(kDepth);
    XROT = static_cast<float>(kX);
    YROT = static_cast<float>(kY);
    SETGLMOUSEMOVE(c.xyz, 2);
    Matrix expected =
        multiply(multiply(multiply(translation(0, -1, -30),
                                   translation(c.translate[0], c.translate[1], c.translate[2])),
                          rotation(kX, c.first_axis[0], c.first_axis[1], c.first_axis[2])),
                 rotation(kY, c.second_axis[0], c.second_axis[1], c.second_axis[2]));
    EXPECT_TRUE(SAMEMATRIX(expected, modelview())) << "XYZ " << c.xyz;
    EXPECT_EQ(MY.X, c.translate[0]) << "XYZ " << c.xyz;
    EXPECT_EQ(MY.Y, c.translate[1]) << "XYZ " << c.xyz;
    EXPECT_EQ(MY.Z, c.translate[2]) << "XYZ " << c.xyz;
  }
}

TEST(Camera, FreeLookWithoutTheFocusChangesNothing) {
  OPENMAINWINDOW();
  glLoadIdentity();
  SETGLMOUSEMOVE(0, 2);
  // Another window takes the focus where a window system gives one; headless nobody has it.
  HWND other = CREATELOGGEDWINDOW(WS_POPUP | WS_VISIBLE, 900, 0, 50, 50);
  ASSERT_TRUE(other);
  SETGLMSGUNTILIDLE();
  ASSERT_NE(GetForegroundWindow(), HWINDOW);
  MOUSEFREE = true;
  MPOS = POINT{-7, -7};
  reset_camera();
  PUSHMOTION(HWINDOW, 450, 250);
  SETGLMSGUNTILIDLE();
  EXPECT_EQ(SETOMX, 450) << "the move reached the window procedure";
  EXPECT_EQ(XROT, 0.0f);
  EXPECT_EQ(YROT, 0.0f);
  EXPECT_EQ(MPOS.x, -7) << "the cursor was read";
  EXPECT_EQ(MPOS.y, -7);
}

// Free look reads the cursor, puts it back at the centre of the client area and turns the
// view by the distance it had moved away. It needs a window system that gives the window the
// keyboard focus and warps the pointer: the offscreen driver does neither.
TEST(Camera, FreeLookTurnsByTheCursorsDistanceFromTheCentre) {
  OPENMAINWINDOW();
  SDL_Delay(100);
  SETGLMSGUNTILIDLE();
  if (GetForegroundWindow() != HWINDOW)
    GTEST_SKIP() << "the video driver '" << SDL_GetCurrentVideoDriver()
                 << "' gives no window the keyboard focus; free look needs a window system";
  glLoadIdentity();
  SETGLMOUSEMOVE(0, 2);
  POINT centre{WIDTH / 2, HEIGHT / 2};
  ClientToScreen(HWINDOW, &centre);
  struct Step {
    int x, y; // where the cursor is put, relative to the centre
    float yrot_before;
    float xrot_change, yrot_after;
  };
  const Step steps[] = {
      {50, -50, 0.0f, 1.0f, -1.0f},  // (450, 250) on 800 x 600: one degree each
      {-100, 30, 0.0f, -2.0f, 0.6f}, // moving down increases YROT
      {0, 100, 59.5f, 0.0f, 60.0f},  // clamped at 60
      {0, -100, -59.5f, 0.0f, -60.0f},
  };
  for (const Step& s : steps) {
    reset_camera();
    YROT = YROT2 = s.yrot_before;
    MOUSEFREE = true;
    SetCursorPos(centre.x + s.x, centre.y + s.y);
    // The warp reaches the window as a move, and the move back to the centre follows it; that
    // second read finds the cursor at the centre and turns nothing.
    for (int wait = 0; wait < 100 && XROT == 0.0f && YROT == s.yrot_before; ++wait) {
      SDL_Delay(10);
      SETGLMSGUNTILIDLE();
    }
    for (int wait = 0; wait < 20; ++wait) {
      SDL_Delay(10);
      SETGLMSGUNTILIDLE();
    }
    std::string inputs = "cursor at centre + (" + std::to_string(s.x) + ", " + std::to_string(s.y) +
                         "), YROT " + std::to_string(s.yrot_before);
    EXPECT_FLOAT_EQ(XROT, s.xrot_change) << inputs;
    EXPECT_FLOAT_EQ(YROT, s.yrot_after) << inputs;
    EXPECT_FLOAT_EQ(XROT2, s.xrot_change) << inputs;
    EXPECT_FLOAT_EQ(YROT2, s.yrot_after) << inputs;
    EXPECT_EQ(MPOS.x, centre.x) << inputs << ": the last read is at the centre";
    EXPECT_EQ(MPOS.y, centre.y) << inputs;
    POINT now;
    GetCursorPos(&now);
    EXPECT_EQ(now.x, centre.x) << inputs << ": the cursor is back at the centre";
    EXPECT_EQ(now.y, centre.y) << inputs;
  }
  MOUSEFREE = false;
}

} // namespace
} // namespace orvex::test

#include "framework/render/projection.h"

#include "framework/core/checked_math.h"
#include "framework/core/fatal.h"
#include "framework/render/gl.h"
#include "framework/window/window_state.h"

#include <cstdint>

namespace orvex {

namespace {

constexpr double FIELD_OF_VIEW = 45.0;
constexpr double NEAR_PLANE = 0.1;
constexpr double ORTHO_HALF_WIDTH = 2.0;
constexpr double ORTHO_DEPTH = 2.0;
constexpr long double OFFSET_X = 2.05L;
constexpr long double OFFSET_Y = 1.45L;

// Truncating integer quotient; a zero divisor or an overflowing quotient is a failed check.
std::int32_t CHECKEDDIV(std::int32_t a, std::int32_t b) {
  if (b == 0) [[unlikely]]
    FAILEDCHECK("Division by zero", EXIT_OVERFLOW_CHECK);
  if (a == INT32_MIN && b == -1) [[unlikely]]
    FAILEDCHECK("Arithmetic overflow", EXIT_OVERFLOW_CHECK);
  return a / b;
}

void SETCLEARCOLOR(double A, double R, double G, double B) {
  glClearColor(static_cast<float>(R), static_cast<float>(G), static_cast<float>(B),
               static_cast<float>(A));
}

} // namespace

void OPENGL_INIT(double DEPTH, double A, double R, double G, double B) {
  SETCLEARCOLOR(A, R, G, B);
  glViewport(0, 0, WIDTH, HEIGHT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FIELD_OF_VIEW, static_cast<double>(WIDTH) / HEIGHT, NEAR_PLANE, DEPTH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearDepth(DEPTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
}

void OPENGL_I2D(double A, double R, double G, double B) {
  const std::int32_t q = CHECKEDDIV(HEIGHT, WIDTH);
  OFFX = static_cast<float>(q - OFFSET_X);
  OFFY = static_cast<float>(q - OFFSET_Y);

  SETCLEARCOLOR(A, R, G, B);
  glViewport(0, 0, WIDTH, HEIGHT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double top = static_cast<double>(CHECKEDMUL(2, HEIGHT)) / WIDTH;
  glOrtho(-ORTHO_HALF_WIDTH, ORTHO_HALF_WIDTH, -top, top, -ORTHO_DEPTH, ORTHO_DEPTH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_NORMALIZE);
}

} // namespace orvex

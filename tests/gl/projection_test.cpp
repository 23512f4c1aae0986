#include "framework/render/gl.h"
#include "framework/render/projection.h"
#include "framework/window/window_state.h"
#include "gl/support/gl_context.h"
#include "gl/support/gl_recorder.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using orvex::test::GlCall;
using orvex::test::GlRecording;
using orvex::test::SAMECALLS;

class Projection : public orvex::test::GlTest {
protected:
  void SetWindow(std::int32_t width, std::int32_t height) {
    orvex::WIDTH = width;
    orvex::HEIGHT = height;
  }
};

struct WindowSize {
  std::int32_t width;
  std::int32_t height;
};

const std::vector<WindowSize> WINDOW_SIZES = {{800, 600}, {600, 800}, {1920, 1080}};

std::array<GLint, 4> VIEWPORT() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

std::array<GLdouble, 16> MATRIX(GLenum which) {
  std::array<GLdouble, 16> m{};
  glGetDoublev(which, m.data());
  return m;
}

std::array<GLfloat, 4> FLOATS4(GLenum which) {
  std::array<GLfloat, 4> v{};
  glGetFloatv(which, v.data());
  return v;
}

GLint INTEGER(GLenum which) {
  GLint v = 0;
  glGetIntegerv(which, &v);
  return v;
}

GLdouble DOUBLE(GLenum which) {
  GLdouble v = 0;
  glGetDoublev(which, &v);
  return v;
}

// The perspective a projection matrix stands for, read back from its elements.
struct Perspective {
  double fovy_degrees, aspect, near_plane, far_plane;
};

Perspective PERSPECTIVEOF(const std::array<GLdouble, 16>& m) {
  const double pi = 3.14159265358979323846;
  return Perspective{2 * std::atan(1 / m[5]) * 180 / pi, m[5] / m[0], m[14] / (m[10] - 1),
                     m[14] / (m[10] + 1)};
}

// The box of an orthographic projection matrix: left, right, bottom, top, near, far.
std::array<double, 6> ORTHOBOXOF(const std::array<GLdouble, 16>& m) {
  const double left = (-1 - m[12]) / m[0], right = (1 - m[12]) / m[0];
  const double bottom = (-1 - m[13]) / m[5], top = (1 - m[13]) / m[5];
  const double near_plane = (1 + m[14]) / m[10], far_plane = (-1 + m[14]) / m[10];
  return {left, right, bottom, top, near_plane, far_plane};
}

bool ISIDENTITY(const std::array<GLdouble, 16>& m) {
  for (int i = 0; i < 16; ++i)
    if (m[i] != (i % 5 == 0 ? 1.0 : 0.0)) return false;
  return true;
}

bool NEAR(double actual, double expected, double tolerance = 1e-6) {
  return std::fabs(actual - expected) <= tolerance * std::fmax(1.0, std::fabs(expected));
}

TEST_F(Projection, InitSetsViewportPerspectiveAndClearValues) {
  struct Case {
    WindowSize size;
    double depth, a, r, g, b;
    double aspect, clear_depth;
  };
  const std::vector<Case> cases = {
      {{800, 600}, 100.0, 0, 0, 0, 0, 4.0 / 3.0, 1.0},
      {{800, 600}, 0.5, 0.25, 0.5, 0.75, 1.0, 4.0 / 3.0, 0.5},
      {{600, 800}, 100.0, 1, 0, 0, 0, 3.0 / 4.0, 1.0},
      {{1920, 1080}, 250.0, 0.5, 0.1, 0.2, 0.3, 16.0 / 9.0, 1.0},
  };
  for (const Case& c : cases) {
    SetWindow(c.size.width, c.size.height);
    orvex::OPENGL_INIT(c.depth, c.a, c.r, c.g, c.b);

    const auto viewport = VIEWPORT();
    const Perspective p = PERSPECTIVEOF(MATRIX(GL_PROJECTION_MATRIX));
    const auto clear = FLOATS4(GL_COLOR_CLEAR_VALUE);
    const double clear_depth = DOUBLE(GL_DEPTH_CLEAR_VALUE);
    const bool ok =
        viewport == std::array<GLint, 4>{0, 0, c.size.width, c.size.height} &&
        NEAR(p.fovy_degrees, 45.0) && NEAR(p.aspect, c.aspect) && NEAR(p.near_plane, 0.1, 1e-4) &&
        NEAR(p.far_plane, c.depth, 1e-4) &&
        clear == std::array<GLfloat, 4>{float(c.r), float(c.g), float(c.b), float(c.a)} &&
        NEAR(clear_depth, c.clear_depth);
    EXPECT_TRUE(ok) << "OPENGL_INIT(" << c.depth << ", " << c.a << ", " << c.r << ", " << c.g
                    << ", " << c.b << ") on " << c.size.width << " x " << c.size.height
                    << "\n  expected viewport 0 0 " << c.size.width << " " << c.size.height
                    << ", fovy 45, aspect " << c.aspect << ", near 0.1, far " << c.depth
                    << ", clear " << c.r << " " << c.g << " " << c.b << " " << c.a
                    << ", clear depth " << c.clear_depth << "\n  actual   viewport " << viewport[0]
                    << " " << viewport[1] << " " << viewport[2] << " " << viewport[3] << ", fovy "
                    << p.fovy_degrees << ", aspect " << p.aspect << ", near " << p.near_plane
                    << ", far " << p.far_plane << ", clear " << clear[0] << " " << clear[1] << " "
                    << clear[2] << " " << clear[3] << ", clear depth " << clear_depth;
  }
}

struct EnumState {
  const char* what;
  GLenum query;
  GLint expected;
};

void EXPECTSTATE(const char* after, const std::vector<EnumState>& states) {
  for (const EnumState& s : states) {
    const GLint actual = INTEGER(s.query);
    EXPECT_EQ(actual, s.expected) << s.what << " after " << after;
  }
}

TEST_F(Projection, InitSetsTheDefaultState) {
  SetWindow(800, 600);
  orvex::OPENGL_INIT(100.0, 0, 0, 0, 0);
  EXPECTSTATE("OPENGL_INIT", {
                                 {"depth test", GL_DEPTH_TEST, GL_TRUE},
                                 {"depth function", GL_DEPTH_FUNC, GL_LEQUAL},
                                 {"blending left off", GL_BLEND, GL_FALSE},
                                 {"blend source", GL_BLEND_SRC, GL_SRC_ALPHA},
                                 {"blend destination", GL_BLEND_DST, GL_ONE},
                                 {"local viewer", GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE},
                                 {"line smooth hint", GL_LINE_SMOOTH_HINT, GL_NICEST},
                                 {"polygon smooth hint", GL_POLYGON_SMOOTH_HINT, GL_NICEST},
                                 {"perspective hint", GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
                                 {"automatic normals", GL_AUTO_NORMAL, GL_TRUE},
                                 {"normalising", GL_NORMALIZE, GL_TRUE},
                                 {"matrix mode", GL_MATRIX_MODE, GL_MODELVIEW},
                             });
  EXPECT_EQ(FLOATS4(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{1.0f, 1.0f, 1.0f, 0.5f}));
  EXPECT_TRUE(ISIDENTITY(MATRIX(GL_MODELVIEW_MATRIX)));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "no request the GL rejects";
}

TEST_F(Projection, InitMakesItsCallsInOrder) {
  SetWindow(1920, 1080);
  GlRecording recording;
  orvex::OPENGL_INIT(100.0, 0.5, 0.25, 0.125, 1.0);
  const std::vector<GlCall> expected = {
      {"glClearColor", {0.25, 0.125, 1.0, 0.5}},
      {"glViewport", {0, 0, 1920, 1080}},
      {"glMatrixMode", {GL_PROJECTION}},
      {"glLoadIdentity", {}},
      {"gluPerspective", {45.0, 1920.0 / 1080.0, 0.1, 100.0}},
      {"glMatrixMode", {GL_MODELVIEW}},
      {"glLoadIdentity", {}},
      {"glClearDepth", {100.0}},
      {"glEnable", {GL_DEPTH_TEST}},
      {"glDepthFunc", {GL_LEQUAL}},
      {"glColor4f", {1.0, 1.0, 1.0, 0.5}},
      {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE}},
      {"glLightModeli", {GL_LIGHT_MODEL_LOCAL_VIEWER, 1}},
      {"glHint", {GL_LINE_SMOOTH_HINT, GL_NICEST}},
      {"glHint", {GL_POLYGON_SMOOTH_HINT, GL_NICEST}},
      {"glHint", {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}},
      {"glEnable", {GL_AUTO_NORMAL}},
      {"glEnable", {GL_NORMALIZE}},
  };
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

TEST_F(Projection, I2DSetsAnOrthographicBoxAndOffsets) {
  struct Case {
    WindowSize size;
    double half_height;
    float offx, offy;
  };
  const std::vector<Case> cases = {
      {{800, 600}, 1.5, -2.05f, -1.45f},     {{600, 800}, 8.0 / 3.0, -1.05f, -0.45f},
      {{1920, 1080}, 1.125, -2.05f, -1.45f}, {{100, 250}, 5.0, -0.05f, 0.55f},
      {{600, 600}, 2.0, -1.05f, -0.45f},
  };
  for (const Case& c : cases) {
    SetWindow(c.size.width, c.size.height);
    orvex::OPENGL_I2D(0.5, 0.25, 0.125, 1.0);

    const auto viewport = VIEWPORT();
    const auto box = ORTHOBOXOF(MATRIX(GL_PROJECTION_MATRIX));
    const auto clear = FLOATS4(GL_COLOR_CLEAR_VALUE);
    const bool ok = viewport == std::array<GLint, 4>{0, 0, c.size.width, c.size.height} &&
                    NEAR(box[0], -2) && NEAR(box[1], 2) && NEAR(box[2], -c.half_height) &&
                    NEAR(box[3], c.half_height) && NEAR(box[4], -2) && NEAR(box[5], 2) &&
                    clear == std::array<GLfloat, 4>{0.25f, 0.125f, 1.0f, 0.5f} &&
                    orvex::OFFX == c.offx && orvex::OFFY == c.offy;
    EXPECT_TRUE(ok) << "OPENGL_I2D on " << c.size.width << " x " << c.size.height
                    << "\n  expected viewport 0 0 " << c.size.width << " " << c.size.height
                    << ", box -2 2 " << -c.half_height << " " << c.half_height << " -2 2, OFFX "
                    << c.offx << ", OFFY " << c.offy << "\n  actual   viewport " << viewport[0]
                    << " " << viewport[1] << " " << viewport[2] << " " << viewport[3] << ", box "
                    << box[0] << " " << box[1] << " " << box[2] << " " << box[3] << " " << box[4]
                    << " " << box[5] << ", OFFX " << orvex::OFFX << ", OFFY " << orvex::OFFY;
  }
}

TEST_F(Projection, I2DMakesItsCallsInOrder) {
  SetWindow(600, 800);
  GlRecording recording;
  orvex::OPENGL_I2D(1.0, 0.0, 0.5, 0.25);
  const std::vector<GlCall> expected = {
      {"glClearColor", {0.0, 0.5, 0.25, 1.0}},
      {"glViewport", {0, 0, 600, 800}},
      {"glMatrixMode", {GL_PROJECTION}},
      {"glLoadIdentity", {}},
      {"glOrtho", {-2.0, 2.0, -1600.0 / 600.0, 1600.0 / 600.0, -2.0, 2.0}},
      {"glMatrixMode", {GL_MODELVIEW}},
      {"glLoadIdentity", {}},
      {"glEnable", {GL_DEPTH_TEST}},
      {"glDepthFunc", {GL_LEQUAL}},
      {"glEnable", {GL_NORMALIZE}},
  };
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

TEST_F(Projection, I2DLeavesWhatOnlyInitSets) {
  SetWindow(800, 600);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  glBlendFunc(GL_ONE, GL_ZERO);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  glDisable(GL_AUTO_NORMAL);
  glDisable(GL_NORMALIZE);
  glClearDepth(0.25);

  orvex::OPENGL_I2D(0, 0, 0, 0);

  EXPECTSTATE("OPENGL_I2D",
              {
                  {"depth test", GL_DEPTH_TEST, GL_TRUE},
                  {"depth function", GL_DEPTH_FUNC, GL_LEQUAL},
                  {"normalising", GL_NORMALIZE, GL_TRUE},
                  {"matrix mode", GL_MATRIX_MODE, GL_MODELVIEW},
                  {"blend source kept", GL_BLEND_SRC, GL_ONE},
                  {"blend destination kept", GL_BLEND_DST, GL_ZERO},
                  {"local viewer kept", GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE},
                  {"perspective hint kept", GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST},
                  {"automatic normals kept", GL_AUTO_NORMAL, GL_FALSE},
              });
  EXPECT_EQ(FLOATS4(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(DOUBLE(GL_DEPTH_CLEAR_VALUE), 0.25);
  EXPECT_TRUE(ISIDENTITY(MATRIX(GL_MODELVIEW_MATRIX)));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "no request the GL rejects";
}

TEST_F(Projection, I2DThenInitIsThePerFrameSetUp) {
  for (const WindowSize& size : WINDOW_SIZES) {
    SetWindow(size.width, size.height);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(1, 2, 3);
    glDepthFunc(GL_ALWAYS);
    orvex::OPENGL_I2D(1, 1, 1, 1);
    orvex::OPENGL_INIT(100.0, 0, 0.5, 0.25, 0.125);

    const Perspective p = PERSPECTIVEOF(MATRIX(GL_PROJECTION_MATRIX));
    const double aspect = double(size.width) / size.height;
    EXPECT_TRUE(NEAR(p.fovy_degrees, 45.0) && NEAR(p.aspect, aspect) &&
                NEAR(p.far_plane, 100.0, 1e-4))
        << size.width << " x " << size.height << ": expected perspective 45, " << aspect
        << ", far 100; actual " << p.fovy_degrees << ", " << p.aspect << ", far " << p.far_plane;
    EXPECT_TRUE(ISIDENTITY(MATRIX(GL_MODELVIEW_MATRIX))) << size.width << " x " << size.height;
    EXPECT_EQ(INTEGER(GL_DEPTH_FUNC), GL_LEQUAL) << size.width << " x " << size.height;
    EXPECT_EQ(INTEGER(GL_DEPTH_TEST), GL_TRUE) << size.width << " x " << size.height;
    EXPECT_EQ(FLOATS4(GL_COLOR_CLEAR_VALUE), (std::array<GLfloat, 4>{0.5f, 0.25f, 0.125f, 0.0f}))
        << size.width << " x " << size.height;
  }
}

} // namespace

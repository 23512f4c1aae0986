#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "gl/support/gl_context.h"
#include "gl/support/gl_recorder.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

using orvex::test::GlCall;
using orvex::test::GlRecording;
using orvex::test::SAMECALLS;

using Rgba = std::array<GLfloat, 4>;

class Lights : public orvex::test::GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    saved_ = {orvex::AMBIENTLIGHT, orvex::DIFFUSELIGHT, orvex::SPECULARLIGHT, orvex::LIGHTPOSITION};
    orvex::GLVERT3FENABLEEDIT = false;
    orvex::GLVERT3FREMOVE = false;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
  void TearDown() override {
    orvex::AMBIENTLIGHT = saved_[0];
    orvex::DIFFUSELIGHT = saved_[1];
    orvex::SPECULARLIGHT = saved_[2];
    orvex::LIGHTPOSITION = saved_[3];
    GlTest::TearDown();
  }

private:
  std::array<orvex::RangeArray<float, 0, 3>, 4> saved_{};
};

Rgba LIGHT(GLenum light, GLenum pname) {
  Rgba v{};
  glGetLightfv(light, pname, v.data());
  return v;
}

Rgba LIGHTPOSITIONVALUE() {
  return {orvex::LIGHTPOSITION[0], orvex::LIGHTPOSITION[1], orvex::LIGHTPOSITION[2],
          orvex::LIGHTPOSITION[3]};
}

GLint INTEGER(GLenum which) {
  GLint v = 0;
  glGetIntegerv(which, &v);
  return v;
}

TEST_F(Lights, SetGlLightGivesTheColoursEnablesAndPlaces) {
  orvex::SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  struct Expected {
    const char* what;
    GLenum pname;
    Rgba value;
  };
  const std::vector<Expected> cases = {
      {"ambient", GL_AMBIENT, {0.5f, 0.5f, 0.5f, 1.0f}},
      {"diffuse", GL_DIFFUSE, {1.0f, 1.0f, 1.0f, 1.0f}},
      {"specular", GL_SPECULAR, {1.0f, 1.0f, 1.0f, 1.0f}},
      {"position", GL_POSITION, {0.0f, 0.0f, 0.0f, 0.1f}},
  };
  for (const Expected& c : cases) {
    const Rgba actual = LIGHT(GL_LIGHT0, c.pname);
    EXPECT_EQ(actual, c.value) << "GL_LIGHT0 " << c.what << " after SETGLLIGHT(GL_LIGHT0, 0, 0, 0, "
                               << "0.1): expected " << c.value[0] << " " << c.value[1] << " "
                               << c.value[2] << " " << c.value[3] << ", actual " << actual[0] << " "
                               << actual[1] << " " << actual[2] << " " << actual[3];
  }
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_EQ(LIGHTPOSITIONVALUE(), (Rgba{0.0f, 0.0f, 0.0f, 0.1f}));
}

TEST_F(Lights, SetGlLightMakesItsCallsInOrderWithTheCurrentColours) {
  orvex::AMBIENTLIGHT[0] = 0.25f;
  orvex::DIFFUSELIGHT[3] = 0.5f;
  orvex::SPECULARLIGHT[1] = 0.0f;
  GlRecording recording;
  orvex::SETGLLIGHT(GL_LIGHT2, 1.0f, 2.0f, 3.0f, 1.0f);
  const std::vector<GlCall> expected = {
      {"glEnable", {GL_LIGHTING}},
      {"glLightfv", {GL_LIGHT2, GL_AMBIENT, 0.25, 0.5, 0.5, 1.0}},
      {"glLightfv", {GL_LIGHT2, GL_DIFFUSE, 1.0, 1.0, 1.0, 0.5}},
      {"glLightfv", {GL_LIGHT2, GL_SPECULAR, 1.0, 0.0, 1.0, 1.0}},
      {"glEnable", {GL_LIGHT2}},
      {"glLightfv", {GL_LIGHT2, GL_POSITION, 1.0, 2.0, 3.0, 1.0}},
  };
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

TEST_F(Lights, PutGlPointLightPlacesAndDrawsAMarker) {
  struct Case {
    const char* what;
    float size, x, y, z, w;
    std::vector<GlCall> expected;
  };
  const std::vector<Case> cases = {
      {"size 0: no marker",
       0.0f,
       0.0f,
       10.0f,
       0.0f,
       0.1f,
       {{"glLightfv", {GL_LIGHT0, GL_POSITION, 0.0, 10.0, 0.0, 0.1f}}}},
      {"size 4: a point of size 4 at the light",
       4.0f,
       1.0f,
       2.0f,
       3.0f,
       0.5f,
       {{"glLightfv", {GL_LIGHT0, GL_POSITION, 1.0, 2.0, 3.0, 0.5}},
        {"glPointSize", {4.0}},
        {"glBegin", {GL_POINTS}},
        {"glNormal3f", {0.0, 0.0, 1.0}},
        {"glVertex3f", {1.0, 2.0, 3.0}},
        {"glEnd", {}}}},
  };
  for (const Case& c : cases) {
    GlRecording recording;
    orvex::PUTGLPOINTLIGHT(GL_LIGHT0, c.size, c.x, c.y, c.z, c.w);
    EXPECT_TRUE(SAMECALLS(c.expected, recording.calls())) << c.what;
    EXPECT_EQ(LIGHTPOSITIONVALUE(), (Rgba{c.x, c.y, c.z, c.w})) << c.what;
  }
  GLfloat point_size = 0;
  glGetFloatv(GL_POINT_SIZE, &point_size);
  EXPECT_EQ(point_size, 4.0f) << "the point size stays at the marker's";
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING)) << "placing a light does not switch lighting on";
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0)) << "placing a light does not enable it";
}

TEST_F(Lights, PutGlPointLightIsPlacedUnderTheModelviewMatrix) {
  glTranslatef(0.0f, 0.0f, -20.0f);
  orvex::PUTGLPOINTLIGHT(GL_LIGHT1, 0.0f, 0.0f, 10.0f, 0.0f, 1.0f);
  EXPECT_EQ(LIGHT(GL_LIGHT1, GL_POSITION), (Rgba{0.0f, 10.0f, -20.0f, 1.0f}));
}

TEST_F(Lights, EachLightKeepsItsOwnPositionWhileTheBufferIsShared) {
  orvex::SETGLLIGHT(GL_LIGHT0, 1.0f, 2.0f, 3.0f, 1.0f);
  orvex::PUTGLPOINTLIGHT(GL_LIGHT1, 0.0f, 4.0f, 5.0f, 6.0f, 0.0f);
  EXPECT_EQ(LIGHT(GL_LIGHT0, GL_POSITION), (Rgba{1.0f, 2.0f, 3.0f, 1.0f}));
  EXPECT_EQ(LIGHT(GL_LIGHT1, GL_POSITION), (Rgba{4.0f, 5.0f, 6.0f, 0.0f}));
  EXPECT_EQ(LIGHTPOSITIONVALUE(), (Rgba{4.0f, 5.0f, 6.0f, 0.0f}));
}

TEST_F(Lights, SwitchesSetOnlyTheirOwnState) {
  struct Case {
    const char* what;
    void (*call)();
    std::vector<GlCall> expected;
  };
  const std::vector<Case> cases = {
      {"TWOSIDEON", orvex::TWOSIDEON, {{"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 1}}}},
      {"TWOSIDEOFF", orvex::TWOSIDEOFF, {{"glLightModeli", {GL_LIGHT_MODEL_TWO_SIDE, 0}}}},
      {"LIGHTINGON", orvex::LIGHTINGON, {{"glEnable", {GL_LIGHTING}}}},
      {"LIGHTINGOFF", orvex::LIGHTINGOFF, {{"glDisable", {GL_LIGHTING}}}},
      {"SETGLREFRACTIVE",
       orvex::SETGLREFRACTIVE,
       {{"glEnable", {GL_CULL_FACE}}, {"glCullFace", {GL_BACK}}, {"glFrontFace", {GL_CCW}}}},
  };
  for (const Case& c : cases) {
    GlRecording recording;
    c.call();
    EXPECT_TRUE(SAMECALLS(c.expected, recording.calls())) << c.what;
  }
}

TEST_F(Lights, TwoSidedLightingOnThenOffLeavesCullingAlone) {
  glDisable(GL_CULL_FACE);
  orvex::TWOSIDEON();
  EXPECT_EQ(INTEGER(GL_LIGHT_MODEL_TWO_SIDE), GL_TRUE);
  orvex::TWOSIDEOFF();
  EXPECT_EQ(INTEGER(GL_LIGHT_MODEL_TWO_SIDE), GL_FALSE);
  EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));

  orvex::SETGLREFRACTIVE();
  orvex::TWOSIDEON();
  orvex::TWOSIDEOFF();
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(INTEGER(GL_CULL_FACE_MODE), GL_BACK);
  EXPECT_EQ(INTEGER(GL_FRONT_FACE), GL_CCW);
}

TEST_F(Lights, LightingSwitchesReadBack) {
  orvex::LIGHTINGON();
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  orvex::LIGHTINGOFF();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(Lights, ExtraLightNamesFollowTheEighthLight) {
  const std::array<std::uint32_t, 8> extra = {orvex::GL_EXTRA_LIGHT0, orvex::GL_EXTRA_LIGHT1,
                                              orvex::GL_EXTRA_LIGHT2, orvex::GL_EXTRA_LIGHT3,
                                              orvex::GL_EXTRA_LIGHT4, orvex::GL_EXTRA_LIGHT5,
                                              orvex::GL_EXTRA_LIGHT6, orvex::GL_EXTRA_LIGHT7};
  for (std::uint32_t i = 0; i < extra.size(); ++i)
    EXPECT_EQ(extra[i], GL_LIGHT7 + 1 + i) << "GL_EXTRA_LIGHT" << i;
}

} // namespace

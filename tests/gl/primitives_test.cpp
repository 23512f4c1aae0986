#include "framework/geometry/primitives.h"
#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"
#include "gl/support/gl_context.h"
#include "gl/support/gl_recorder.h"

#include <array>
#include <cmath>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orvex::test::GlCall;
using orvex::test::GlRecording;
using orvex::test::SAMECALLS;

using Vec3 = std::array<double, 3>;
using Vec2 = std::array<double, 2>;

class Primitives : public orvex::test::GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    orvex::GLVERT3FENABLEEDIT = false;
    orvex::GLVERT3FREMOVE = false;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
};

// One vertex as OpenGL received it, with the normal and texture coordinate current at the time.
struct Emitted {
  Vec3 vertex;
  Vec3 normal;
  Vec2 tex;
};

// The vertices of each glBegin/glEnd pair, in order.
std::vector<std::vector<Emitted>> PRIMITIVESOF(const std::vector<GlCall>& calls) {
  std::vector<std::vector<Emitted>> groups;
  Vec3 normal{0, 0, 1};
  Vec2 tex{0, 0};
  for (const GlCall& call : calls) {
    const std::vector<double>& a = call.args;
    if (call.name == "glBegin") groups.emplace_back();
    if (call.name == "glNormal3f") normal = {a[0], a[1], a[2]};
    if (call.name == "glTexCoord2f") tex = {a[0], a[1]};
    if (call.name == "glVertex3f" && !groups.empty())
      groups.back().push_back({{a[0], a[1], a[2]}, normal, tex});
  }
  return groups;
}

std::string SHOW(const double* v, int n) {
  std::ostringstream out;
  out.precision(9);
  out << "(";
  for (int i = 0; i < n; ++i) out << (i ? ", " : "") << v[i];
  return out.str() + ")";
}

template <std::size_t N>
bool CLOSE(const std::array<double, N>& a, const std::array<double, N>& b, double tolerance) {
  for (std::size_t i = 0; i < N; ++i)
    if (!(std::fabs(a[i] - b[i]) <= tolerance)) return false;
  return true;
}

template <std::size_t N>
::testing::AssertionResult SAMEPOINT(const std::string& what, const std::array<double, N>& expected,
                                     const std::array<double, N>& actual, double tolerance) {
  if (CLOSE(actual, expected, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << what << "\n  expected " << SHOW(expected.data(), N)
                                       << "\n  actual   " << SHOW(actual.data(), N);
}

Vec3 SUB(const Vec3& a, const Vec3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Vec3 CROSS(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double DOT(const Vec3& a, const Vec3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

std::array<double, 16> MODELVIEW() {
  std::array<double, 16> m{};
  glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

// LINEFREE

TEST_F(Primitives, LineFreeSendsTwoVerticesWithOptionalTextureCoordinates) {
  struct Case {
    bool texture;
    std::vector<GlCall> expected;
  };
  const std::vector<Case> cases = {
      {true,
       {{"glTexCoord2f", {0.25, 0.5}},
        {"glVertex3f", {1, 2, 3}},
        {"glTexCoord2f", {0.75, 1}},
        {"glVertex3f", {4, 5, 6}}}},
      {false, {{"glVertex3f", {1, 2, 3}}, {"glVertex3f", {4, 5, 6}}}},
  };
  for (const Case& c : cases) {
    GlRecording recording;
    orvex::LINEFREE(0.25f, 0.5f, 0.75f, 1.0f, 1, 2, 3, 4, 5, 6, c.texture);
    EXPECT_TRUE(SAMECALLS(c.expected, recording.calls())) << "TEXTURE " << c.texture;
  }
}

// FINDCHARACTER

TEST_F(Primitives, FindCharacterDrawsOneAtlasCell) {
  GlRecording recording;
  orvex::FINDCHARACTER(0, 0, 1, 0, 1, 1, 4, 2);
  const std::vector<GlCall> expected = {
      {"glPushMatrix", {}},          {"glTranslatef", {0, 0, 0}}, {"glBegin", {GL_QUADS}},
      {"glTexCoord2f", {0.25, 0.5}}, {"glVertex3f", {-1, -1, 0}}, {"glTexCoord2f", {0.5, 0.5}},
      {"glVertex3f", {1, -1, 0}},    {"glTexCoord2f", {0.5, 1}},  {"glVertex3f", {1, 1, 0}},
      {"glTexCoord2f", {0.25, 1}},   {"glVertex3f", {-1, 1, 0}},  {"glEnd", {}},
      {"glPopMatrix", {}},
  };
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

TEST_F(Primitives, FindCharacterTextureWindows) {
  struct Case {
    float px, py;
    int rows, columns;
    double s0, s1, t0, t1;
  };
  const std::vector<Case> cases = {
      {0, 0, 4, 2, 0, 0.25, 0.5, 1},         {1, 0, 4, 2, 0.25, 0.5, 0.5, 1},
      {3, 0, 4, 2, 0.75, 1, 0.5, 1},         {0, 1, 4, 2, 0, 0.25, 0, 0.5},
      {1, 1, 2, 4, 0.5, 1, 0.5, 0.75},       {0.5f, 0.5f, 1, 1, 0.5, 1.5, -0.5, 0.5},
      {2, 3, 8, 8, 0.25, 0.375, 0.5, 0.625},
  };
  for (const Case& c : cases) {
    GlRecording recording;
    orvex::FINDCHARACTER(0, 0, c.px, c.py, 1, 1, c.rows, c.columns);
    const auto quad = PRIMITIVESOF(recording.calls());
    ASSERT_EQ(quad.size(), 1u);
    ASSERT_EQ(quad[0].size(), 4u);
    const std::array<Vec2, 4> expected = {Vec2{c.s0, c.t0}, Vec2{c.s1, c.t0}, Vec2{c.s1, c.t1},
                                          Vec2{c.s0, c.t1}};
    for (int i = 0; i < 4; ++i) {
      std::ostringstream what;
      what << "FINDCHARACTER(PX " << c.px << ", PY " << c.py << ", ROWS " << c.rows << ", COLUMNS "
           << c.columns << ") texture coordinate of vertex " << i + 1;
      EXPECT_TRUE(SAMEPOINT(what.str(), expected[i], quad[0][i].tex, 1e-7));
    }
  }
}

TEST_F(Primitives, FindCharacterIsCentredAtXYAndKeepsTheMatrix) {
  glTranslatef(5, 6, 7);
  const auto before = MODELVIEW();
  GlRecording recording;
  orvex::FINDCHARACTER(2, -3, 0, 0, 0.5f, 2, 1, 1);
  const std::vector<Vec3> expected = {{6.5, 1, 7}, {7.5, 1, 7}, {7.5, 5, 7}, {6.5, 5, 7}};
  ASSERT_EQ(recording.eye_vertices().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(SAMEPOINT("eye-space vertex " + std::to_string(i + 1), expected[i],
                          recording.eye_vertices()[i], 1e-6));
  EXPECT_EQ(MODELVIEW(), before);
}

// SKYBOX

struct SkyFace {
  const char* plane;
  std::array<Vec3, 4> vertices; // relative to the centre
  double s0, s1, t0, t1;
};

std::vector<SkyFace> SKYFACES(double size) {
  const double edge = static_cast<float>(10 * static_cast<long double>(size));
  const double h = edge / 2;
  const double side_b = static_cast<float>(edge / 1.99L);
  const double cap_a = static_cast<float>(edge / 1.995L);
  const double floor_b = static_cast<float>(edge / 1.988L);
  const double a = h, b = side_b;
  return {
      {"z = -h", {{{-a, -b, -h}, {a, -b, -h}, {a, b, -h}, {-a, b, -h}}}, 0.2495, 0.4995, 0.5, 1},
      {"x = +h",
       {{{h, -b, -a}, {h, -b, a}, {h, b, a}, {h, b, -a}}},
       0.4995,
       0.7495,
       0.4995,
       0.9995},
      {"z = +h",
       {{{a, -b, h}, {-a, -b, h}, {-a, b, h}, {a, b, h}}},
       0.7495,
       0.9995,
       0.49925,
       0.99925},
      {"x = -h",
       {{{-h, -b, a}, {-h, -b, -a}, {-h, b, -a}, {-h, b, a}}},
       0.9995,
       1.2495,
       0.49925,
       0.99925},
      {"floor y = -h",
       {{{-cap_a, -h, floor_b},
         {cap_a, -h, floor_b},
         {cap_a, -h, -floor_b},
         {-cap_a, -h, -floor_b}}},
       0,
       0.25,
       -0.00075,
       0.49925},
      {"ceiling y = +h",
       {{{-cap_a, h, -h}, {cap_a, h, -h}, {cap_a, h, h}, {-cap_a, h, h}}},
       0.25,
       0.5,
       -0.00075,
       0.49925},
  };
}

TEST_F(Primitives, SkyBoxFacesVerticesAndTextureWindows) {
  struct Case {
    Vec3 centre;
    float size;
  };
  for (const Case& c : {Case{{0, 0, 0}, 6}, Case{{1, -2, 3}, 1}}) {
    GlRecording recording;
    orvex::SKYBOX(float(c.centre[0]), float(c.centre[1]), float(c.centre[2]), c.size);
    const auto quads = PRIMITIVESOF(recording.calls());
    const auto& eye = recording.eye_vertices();
    ASSERT_EQ(eye.size(), 24u) << "SKYBOX with SIZE " << c.size;
    ASSERT_EQ(quads.size(), 6u);
    const auto faces = SKYFACES(c.size);
    for (std::size_t f = 0; f < faces.size(); ++f) {
      const SkyFace& face = faces[f];
      const std::array<Vec2, 4> tex = {Vec2{face.s0, face.t0}, Vec2{face.s1, face.t0},
                                       Vec2{face.s1, face.t1}, Vec2{face.s0, face.t1}};
      for (int i = 0; i < 4; ++i) {
        std::ostringstream what;
        what << "SKYBOX" << SHOW(c.centre.data(), 3) << " SIZE " << c.size << ", face " << f + 1
             << " (" << face.plane << "), vertex " << i + 1;
        const Vec3 expected = {c.centre[0] + face.vertices[i][0], c.centre[1] + face.vertices[i][1],
                               c.centre[2] + face.vertices[i][2]};
        EXPECT_TRUE(SAMEPOINT(what.str() + " position", expected, eye[4 * f + i], 1e-4));
        EXPECT_TRUE(SAMEPOINT(what.str() + " texture", tex[i], quads[f][i].tex, 1e-6));
      }
    }
  }
}

TEST_F(Primitives, SkyBoxSideFacesReachPastTheBox) {
  GlRecording recording;
  orvex::SKYBOX(0, 0, 0, 6);
  double top = 0;
  for (std::size_t i = 0; i < 16; ++i) top = std::fmax(top, recording.eye_vertices()[i][1]);
  EXPECT_NEAR(top, 60 / 1.99, 1e-4) << "half-height of the side faces";
}

TEST_F(Primitives, SkyBoxFacesAreCounterClockwiseFromTheCentre) {
  GlRecording recording;
  orvex::SKYBOX(0, 0, 0, 6);
  const auto& eye = recording.eye_vertices();
  ASSERT_EQ(eye.size(), 24u);
  for (std::size_t f = 0; f < 6; ++f) {
    const Vec3 normal = CROSS(SUB(eye[4 * f + 1], eye[4 * f]), SUB(eye[4 * f + 2], eye[4 * f]));
    // Facing the centre: the winding's normal points from the face towards the origin.
    EXPECT_LT(DOT(normal, eye[4 * f]), 0) << "face " << f + 1;
  }
}

TEST_F(Primitives, SkyBoxTransformsAroundEachFace) {
  GlRecording recording;
  orvex::SKYBOX(1, 2, 3, 6);
  std::vector<GlCall> skeleton;
  for (const GlCall& call : recording.calls())
    if (call.name != "glTexCoord2f" && call.name != "glVertex3f" && call.name != "glBegin" &&
        call.name != "glEnd")
      skeleton.push_back(call);

  std::vector<GlCall> expected = {
      {"glEnable", {GL_TEXTURE_2D}}, {"glDisable", {GL_LIGHTING}}, {"glColor3ub", {255, 255, 255}}};
  const std::vector<std::vector<double>> rotations = {
      {}, {-90, 0, 1, 0}, {-180, 0, 1, 0}, {-270, 0, 1, 0}, {90, -1, 0, 0}, {90, 1, 0, 0}};
  for (const auto& rotation : rotations) {
    expected.push_back({"glPushMatrix", {}});
    expected.push_back({"glTranslatef", {1, 2, 3}});
    if (!rotation.empty()) expected.push_back({"glRotatef", rotation});
    expected.push_back({"glTranslatef", {0, 0, -30}});
    expected.push_back({"glPushMatrix", {}});
    expected.push_back({"glTranslatef", {0, 0, 0}});
    expected.push_back({"glPopMatrix", {}});
    expected.push_back({"glPopMatrix", {}});
  }
  expected.push_back({"glEnable", {GL_LIGHTING}});
  EXPECT_TRUE(SAMECALLS(expected, skeleton));
}

TEST_F(Primitives, SkyBoxLeavesLightingAndTexturingOnAndColourWhite) {
  struct Case {
    bool lighting, texturing;
  };
  for (const Case& c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
    c.lighting ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
    c.texturing ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
    glColor4f(1, 0, 0, 0.5f);
    glTranslatef(1, 2, 3);
    const auto before = MODELVIEW();
    orvex::SKYBOX(0, 0, 0, 6);
    std::array<GLfloat, 4> colour{};
    glGetFloatv(GL_CURRENT_COLOR, colour.data());
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "lighting before: " << c.lighting;
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D)) << "texturing before: " << c.texturing;
    EXPECT_EQ(colour, (std::array<GLfloat, 4>{1, 1, 1, 1}));
    EXPECT_EQ(MODELVIEW(), before);
  }
}

// CUBO

TEST_F(Primitives, CuboFacesInOrderWithNormalsAndTextureCoordinates) {
  GlRecording recording;
  orvex::CUBO(0, 0, 0, -3, -3, -3, 3, 3, 3, 1);
  struct Corner {
    Vec2 tex;
    Vec3 vertex;
  };
  struct Face {
    const char* plane;
    Vec3 normal;
    std::array<Corner, 4> corners;
  };
  const std::vector<Face> faces = {
      {"z = 3",
       {0, 0, 1},
       {{{{0, 0}, {-3, -3, 3}}, {{1, 0}, {3, -3, 3}}, {{1, 1}, {3, 3, 3}}, {{0, 1}, {-3, 3, 3}}}}},
      {"z = -3",
       {0, 0, -1},
       {{{{1, 0}, {-3, -3, -3}},
         {{1, 1}, {-3, 3, -3}},
         {{0, 1}, {3, 3, -3}},
         {{0, 0}, {3, -3, -3}}}}},
      {"y = 3",
       {0, 1, 0},
       {{{{0, 1}, {-3, 3, -3}}, {{0, 0}, {-3, 3, 3}}, {{1, 0}, {3, 3, 3}}, {{1, 1}, {3, 3, -3}}}}},
      {"y = -3",
       {0, -1, 0},
       {{{{1, 1}, {-3, -3, -3}},
         {{0, 1}, {3, -3, -3}},
         {{0, 0}, {3, -3, 3}},
         {{1, 0}, {-3, -3, 3}}}}},
      {"x = 3",
       {1, 0, 0},
       {{{{1, 0}, {3, -3, -3}}, {{1, 1}, {3, 3, -3}}, {{0, 1}, {3, 3, 3}}, {{0, 0}, {3, -3, 3}}}}},
      {"x = -3",
       {-1, 0, 0},
       {{{{0, 0}, {-3, -3, -3}},
         {{1, 0}, {-3, -3, 3}},
         {{1, 1}, {-3, 3, 3}},
         {{0, 1}, {-3, 3, -3}}}}},
  };
  std::vector<GlCall> expected = {
      {"glPushMatrix", {}}, {"glTranslatef", {0, 0, 0}}, {"glBegin", {GL_QUADS}}};
  for (const Face& face : faces) {
    expected.push_back({"glNormal3f", {face.normal[0], face.normal[1], face.normal[2]}});
    for (const Corner& c : face.corners) {
      expected.push_back({"glTexCoord2f", {c.tex[0], c.tex[1]}});
      expected.push_back({"glVertex3f", {c.vertex[0], c.vertex[1], c.vertex[2]}});
    }
  }
  expected.push_back({"glEnd", {}});
  expected.push_back({"glPopMatrix", {}});
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

TEST_F(Primitives, CuboFacesAreCounterClockwiseFromOutsideWithOutwardNormals) {
  // An off-centre box of unequal sides, so that no face can pass by symmetry.
  const Vec3 low{-1, 0, -4}, high{2, 3, -1};
  const Vec3 centre{0.5, 1.5, -2.5};
  GlRecording recording;
  orvex::CUBO(0, 0, 0, float(low[0]), float(low[1]), float(low[2]), float(high[0]), float(high[1]),
              float(high[2]), 1);
  const auto quads = PRIMITIVESOF(recording.calls());
  ASSERT_EQ(quads.size(), 1u);
  ASSERT_EQ(quads[0].size(), 24u);
  for (std::size_t f = 0; f < 6; ++f) {
    const Emitted* v = &quads[0][4 * f];
    Vec3 middle{0, 0, 0};
    for (int i = 0; i < 4; ++i)
      for (int k = 0; k < 3; ++k) middle[k] += v[i].vertex[k] / 4;
    const Vec3 outward = SUB(middle, centre);
    const Vec3 winding = CROSS(SUB(v[1].vertex, v[0].vertex), SUB(v[2].vertex, v[0].vertex));
    EXPECT_GT(DOT(winding, outward), 0) << "face " << f + 1 << " winding";
    EXPECT_GT(DOT(v[0].normal, outward), 0) << "face " << f + 1 << " normal";
    EXPECT_NEAR(DOT(v[0].normal, v[0].normal), 1, 1e-6) << "face " << f + 1 << " unit normal";
  }
}

TEST_F(Primitives, CuboRepeatsTheTextureTSizeTimes) {
  GlRecording recording;
  orvex::CUBO(0, 0, 0, -3, -3, -3, 3, 3, 3, 2);
  std::set<double> values;
  for (const GlCall& call : recording.calls("glTexCoord2f"))
    values.insert(call.args.begin(), call.args.end());
  EXPECT_EQ(values, (std::set<double>{0, 2}));
  EXPECT_EQ(recording.calls("glTexCoord2f").size(), 24u);
}

TEST_F(Primitives, CuboIsOffsetAndKeepsTheMatrix) {
  glTranslatef(0, 0, -10);
  const auto before = MODELVIEW();
  GlRecording recording;
  orvex::CUBO(-2, 6, 0, -3, -3, -3, 3, 3, 3, 1.5f);
  ASSERT_EQ(recording.eye_vertices().size(), 24u);
  EXPECT_TRUE(
      SAMEPOINT("first vertex in eye space", Vec3{-5, 3, -7}, recording.eye_vertices()[0], 1e-6));
  EXPECT_EQ(MODELVIEW(), before);
}

// SFERA

TEST_F(Primitives, SferaStripsCoverTheSphere) {
  const Vec3 centre{1, 2, 3};
  const double radius = 5;
  GlRecording recording;
  orvex::SFERA(1, 2, 3, 5, 20, 20, 1);
  const auto strips = PRIMITIVESOF(recording.calls());
  ASSERT_EQ(strips.size(), 20u);
  ASSERT_EQ(recording.calls("glBegin").size(), 20u);
  for (const GlCall& begin : recording.calls("glBegin"))
    EXPECT_EQ(begin.args[0], GL_TRIANGLE_STRIP);

  const Emitted& first = strips[0][0];
  EXPECT_TRUE(SAMEPOINT("first vertex", Vec3{1, 2, 8}, first.vertex, 0));
  EXPECT_TRUE(SAMEPOINT("first normal", Vec3{0, 0, 1}, first.normal, 0));
  EXPECT_TRUE(SAMEPOINT("first texture coordinate", Vec2{0, 0}, first.tex, 0));

  for (std::size_t band = 0; band < strips.size(); ++band) {
    ASSERT_EQ(strips[band].size(), 42u) << "band " << band;
    for (std::size_t k = 0; k < strips[band].size(); ++k) {
      const Emitted& e = strips[band][k];
      const Vec3 radial = SUB(e.vertex, centre);
      const Vec3 unit = {radial[0] / radius, radial[1] / radius, radial[2] / radius};
      const std::string where = "band " + std::to_string(band) + " vertex " + std::to_string(k);
      EXPECT_NEAR(std::sqrt(DOT(radial, radial)), radius, 1e-5) << where;
      EXPECT_TRUE(SAMEPOINT(where + " normal", unit, e.normal, 1e-6));
      const double column = double(k / 2), ring = double(band + k % 2);
      EXPECT_TRUE(SAMEPOINT(where + " texture", Vec2{-column / 20, ring / 20}, e.tex, 1e-7));
    }
  }
  const Emitted& last = strips.back().back();
  EXPECT_TRUE(SAMEPOINT("last vertex at the -z pole", Vec3{1, 2, -2}, last.vertex, 1e-5));
  EXPECT_TRUE(SAMEPOINT("last texture coordinate", Vec2{-1, 1}, last.tex, 1e-7));
  EXPECT_TRUE(SAMEPOINT("seam closed: last column repeats the first", strips[5][0].vertex,
                        strips[5][40].vertex, 1e-5));
}

TEST_F(Primitives, SferaTrianglesAreCounterClockwiseFromOutside) {
  const Vec3 centre{0, 0, 0};
  GlRecording recording;
  orvex::SFERA(0, 0, 0, 2, 12, 8, 1);
  const auto strips = PRIMITIVESOF(recording.calls());
  ASSERT_EQ(strips.size(), 8u);
  for (std::size_t band = 0; band < strips.size(); ++band) {
    const auto& s = strips[band];
    for (std::size_t k = 0; k + 2 < s.size(); ++k) {
      // A strip's odd triangles run backwards; OpenGL swaps their first two vertices.
      const Vec3& a = s[k % 2 ? k + 1 : k].vertex;
      const Vec3& b = s[k % 2 ? k : k + 1].vertex;
      const Vec3& c = s[k + 2].vertex;
      const Vec3 winding = CROSS(SUB(b, a), SUB(c, a));
      if (DOT(winding, winding) < 1e-12) continue; // the fans' degenerate triangles at the poles
      Vec3 middle{};
      for (int i = 0; i < 3; ++i) middle[i] = (a[i] + b[i] + c[i]) / 3 - centre[i];
      EXPECT_GT(DOT(winding, middle), 0) << "band " << band << " triangle " << k;
    }
  }
}

TEST_F(Primitives, SferaTSizeScalesTheTextureCoordinates) {
  GlRecording recording;
  orvex::SFERA(0, 0, 0, 1, 4, 2, 0.25f);
  const auto strips = PRIMITIVESOF(recording.calls());
  ASSERT_EQ(strips.size(), 2u);
  EXPECT_TRUE(SAMEPOINT("last texture coordinate", Vec2{-4, 4}, strips[1].back().tex, 1e-6));
  EXPECT_TRUE(SAMEPOINT("middle ring", Vec2{-2, 2}, strips[0][5].tex, 1e-6));
}

TEST_F(Primitives, SferaWithoutBandsOrColumns) {
  struct Case {
    const char* what;
    int circles, lines;
    std::vector<GlCall> expected;
  };
  const std::vector<Case> cases = {
      {"no bands", 20, 0, {}},
      {"negative bands", 20, -3, {}},
      {"negative columns: empty strips",
       -1,
       2,
       {{"glBegin", {GL_TRIANGLE_STRIP}},
        {"glEnd", {}},
        {"glBegin", {GL_TRIANGLE_STRIP}},
        {"glEnd", {}}}},
  };
  for (const Case& c : cases) {
    GlRecording recording;
    orvex::SFERA(0, 0, 0, 1, c.circles, c.lines, 1);
    EXPECT_TRUE(SAMECALLS(c.expected, recording.calls())) << c.what;
  }
}

TEST_F(Primitives, SferaLeavesTheMatrixAlone) {
  GlRecording recording;
  orvex::SFERA(0, 0, 0, 1, 3, 3, 1);
  const std::set<std::string> allowed = {"glBegin", "glEnd", "glNormal3f", "glTexCoord2f",
                                         "glVertex3f"};
  for (const GlCall& call : recording.calls())
    EXPECT_TRUE(allowed.count(call.name)) << "unexpected " << call;
}

// All of them

TEST_F(Primitives, EveryVertexGoesThroughTheCapture) {
  struct Case {
    const char* what;
    std::function<void()> draw;
  };
  const std::vector<Case> cases = {
      {"LINEFREE", [] { orvex::LINEFREE(0, 0, 1, 1, 0, 0, 0, 1, 1, 1, true); }},
      {"FINDCHARACTER", [] { orvex::FINDCHARACTER(0, 0, 1, 0, 1, 1, 4, 2); }},
      {"SKYBOX", [] { orvex::SKYBOX(0, 0, 0, 6); }},
      {"CUBO", [] { orvex::CUBO(0, 0, 0, -3, -3, -3, 3, 3, 3, 1); }},
      {"SFERA", [] { orvex::SFERA(0, 0, 0, 5, 8, 8, 1); }},
  };
  for (const Case& c : cases) {
    orvex::GLVERT3FREMOVE = true;
    GlRecording recording;
    c.draw();
    orvex::GLVERT3FREMOVE = false;
    EXPECT_TRUE(recording.calls("glVertex3f").empty()) << c.what;
    EXPECT_TRUE(recording.calls("glBegin").empty()) << c.what;
    EXPECT_TRUE(recording.calls("glEnd").empty()) << c.what;
    EXPECT_FALSE(recording.calls("glTexCoord2f").empty()) << c.what << " still sends its texture";
  }
}

} // namespace

// Cube-map reflection on the real driver: the cube map as created, the six face renders of a
// generation and what lands in each face, the reflection state and the texture rotation.
#include "framework/render/gl_version.h"
#include "framework/texture/bmp_texture.h"
#include "framework/texture/reflection_map.h"
#include "framework/window/window_state.h"
#include "gl/support/gl_context.h"
#include "gl/support/gl_recorder.h"
#include "gl/support/texture_readback.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::test {

namespace {

class ReflectionMapTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    WIDTH = CONTEXT_WIDTH;
    HEIGHT = CONTEXT_HEIGHT;
    SETQUALITYTEXTURE2(GL_LINEAR, GL_LINEAR);
    glViewport(0, 0, CONTEXT_WIDTH, CONTEXT_HEIGHT);
  }
};

using Matrix = std::array<float, 16>; // column-major, as GL hands it out

Matrix CURRENTMATRIX(GLenum which) {
  Matrix m{};
  glGetFloatv(which, m.data());
  return m;
}

// The matrix R * T(-P): the rotation R (rows) after the translation that moves P to the origin.
Matrix CAMERA(const std::array<std::array<float, 3>, 3>& r, const std::array<float, 3>& p) {
  Matrix m{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) m[column * 4 + row] = r[row][column];
    m[12 + row] = -(r[row][0] * p[0] + r[row][1] * p[1] + r[row][2] * p[2]);
  }
  m[15] = 1;
  return m;
}

Matrix ROTATION(const std::array<std::array<float, 3>, 3>& r) {
  return CAMERA(r, {0, 0, 0});
}

std::string DESCRIBE(const Matrix& m) {
  std::ostringstream out;
  for (int row = 0; row < 4; ++row) {
    out << "\n    [";
    for (int column = 0; column < 4; ++column) {
      const float v = m[column * 4 + row];
      out << (column ? ", " : "") << (std::abs(v) < 5e-7f ? 0.0f : v);
    }
    out << "]";
  }
  return out.str();
}

bool NEAR(const Matrix& a, const Matrix& b) {
  for (int i = 0; i < 16; ++i)
    if (std::abs(a[i] - b[i]) > 1e-5f) return false;
  return true;
}

::testing::AssertionResult SAMEMATRIX(const std::string& what, const Matrix& expected,
                                      const Matrix& actual) {
  if (NEAR(expected, actual)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << "\n  expected:" << DESCRIBE(expected) << "\n  actual:" << DESCRIBE(actual);
}

// The cube camera: 90 degrees, aspect 1, near 1, far 2000.
const Matrix kCubeProjection = {
    1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2001.0f / 1999.0f, -1, 0, 0, -4000.0f / 1999.0f, 0};

struct FaceRow {
  const char* face;
  GLenum target;
  const char* looks_toward;
  std::array<std::array<float, 3>, 3> rotation;
};

const std::array<FaceRow, 6> kFaceRows = {{
    {"+x", GL_TEXTURE_CUBE_MAP_POSITIVE_X, "+x", {{{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}}},
    {"-x", GL_TEXTURE_CUBE_MAP_NEGATIVE_X, "-x", {{{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}}},
    {"+y", GL_TEXTURE_CUBE_MAP_POSITIVE_Y, "-y", {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}}},
    {"-y", GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, "+y", {{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}}},
    {"+z", GL_TEXTURE_CUBE_MAP_POSITIVE_Z, "-z", {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}},
    {"-z", GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, "+z", {{{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}}},
}};

// ---------------------------------------------------------------------------------------------
// Creation

struct CreationOutcome {
  bool named = false, bound = false, cube_texturing = false;
  GLint min_filter = 0, mag_filter = 0, wrap_s = 0, wrap_t = 0, wrap_r = 0, generate_mipmap = 0;
  std::array<std::array<GLint, 3>, 6> faces{}; // width, height, internal format
  std::array<GLint, 4> unpack{};               // alignment, row length, skip rows, skip pixels
  bool operator==(const CreationOutcome&) const = default;
};

std::string DESCRIBE(const CreationOutcome& o) {
  std::ostringstream out;
  out << (o.named ? "named" : "NO NAME") << (o.bound ? ", bound" : ", NOT BOUND")
      << ", cube texturing " << (o.cube_texturing ? "on" : "off") << ", min 0x" << std::hex
      << o.min_filter << ", mag 0x" << o.mag_filter << ", wrap 0x" << o.wrap_s << "/0x" << o.wrap_t
      << "/0x" << o.wrap_r << std::dec << ", generate mipmap " << o.generate_mipmap << ", faces";
  for (const auto& f : o.faces)
    out << " " << f[0] << "x" << f[1] << "/0x" << std::hex << f[2] << std::dec;
  out << ", unpack " << o.unpack[0] << " " << o.unpack[1] << " " << o.unpack[2] << " "
      << o.unpack[3];
  return out.str();
}

CreationOutcome CREATIONOUTCOME(GLuint texture) {
  CreationOutcome o;
  o.named = texture != 0 && glIsTexture(texture);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
  o.bound = static_cast<GLuint>(bound) == texture;
  o.cube_texturing = glIsEnabled(GL_TEXTURE_CUBE_MAP);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, &o.min_filter);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, &o.mag_filter);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, &o.wrap_s);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, &o.wrap_t);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, &o.wrap_r);
  glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP, &o.generate_mipmap);
  for (std::size_t i = 0; i < kFaceRows.size(); ++i) {
    glGetTexLevelParameteriv(kFaceRows[i].target, 0, GL_TEXTURE_WIDTH, &o.faces[i][0]);
    glGetTexLevelParameteriv(kFaceRows[i].target, 0, GL_TEXTURE_HEIGHT, &o.faces[i][1]);
    glGetTexLevelParameteriv(kFaceRows[i].target, 0, GL_TEXTURE_INTERNAL_FORMAT, &o.faces[i][2]);
  }
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &o.unpack[0]);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &o.unpack[1]);
  glGetIntegerv(GL_UNPACK_SKIP_ROWS, &o.unpack[2]);
  glGetIntegerv(GL_UNPACK_SKIP_PIXELS, &o.unpack[3]);
  return o;
}

TEST_F(ReflectionMapTest, CreationMakesSixEmptyFacesWithTheChosenFiltersAndEdgeClamping) {
  ASSERT_TRUE(CHECKOPENGLVERSION(GL_VERSION_1_2)) << "the driver is expected to reach 1.2";
  const struct {
    const char* name;
    GLint min_filter, mag_filter; // 0: the filters as the program starts with them
    std::int32_t size;
  } cases[] = {
      {"initial filters, 128", 0, 0, 128},
      {"mipmapped minification, 64", GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST, 64},
      {"nearest, 16", GL_NEAREST, GL_NEAREST, 16},
  };
  for (const auto& c : cases) {
    if (c.min_filter) SETQUALITYTEXTURE2(c.min_filter, c.mag_filter);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
    GLuint texture = 0;
    GlRecording recording;
    SETTEXREFLECTIONMAP(c.size, texture);
    const std::vector<GlCall> switches = {{"glEnable", {GL_TEXTURE_CUBE_MAP}},
                                          {"glDisable", {GL_TEXTURE_CUBE_MAP}}};
    EXPECT_TRUE(SAMECALLS(switches, recording.calls())) << c.name;

    CreationOutcome expected;
    expected.named = expected.bound = true;
    expected.min_filter = c.min_filter ? c.min_filter : GL_LINEAR;
    expected.mag_filter = c.mag_filter ? c.mag_filter : GL_LINEAR;
    expected.wrap_s = expected.wrap_t = expected.wrap_r = GL_CLAMP_TO_EDGE;
    expected.generate_mipmap = GL_TRUE;
    expected.faces.fill({c.size, c.size, GL_RGBA});
    expected.unpack = {4, 0, 0, 0};
    const CreationOutcome actual = CREATIONOUTCOME(texture);
    EXPECT_EQ(expected, actual) << c.name << "\n  expected: " << DESCRIBE(expected)
                                << "\n  actual:   " << DESCRIBE(actual);
  }
}

// ---------------------------------------------------------------------------------------------
// Generation

// What the scene callback finds at each call, and the colour it then paints the corner with.
struct SceneVisit {
  Matrix modelview{}, projection{};
  std::array<GLint, 4> viewport{}, scissor_box{};
  bool scissor = false, cube_texturing = false;
  Texel corner_low, corner_high, outside; // (0, 0), (SIZE-1, SIZE-1), (SIZE+8, SIZE+8)
};

constexpr std::int32_t kCorner = 32;
std::vector<SceneVisit> visits;

Texel FACECOLOUR(std::size_t face) {
  return {static_cast<std::uint8_t>(40 * face + 15), static_cast<std::uint8_t>(250 - 30 * face),
          static_cast<std::uint8_t>(100 + 25 * face), 255};
}

Texel PIXEL(GLint x, GLint y) {
  Texel t;
  glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &t);
  return t;
}

void FILLCORNER(const Texel& colour) {
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  glClearColor(colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, colour.a / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(clear[0], clear[1], clear[2], clear[3]);
}

void RECORDVISIT() {
  SceneVisit v;
  v.modelview = CURRENTMATRIX(GL_MODELVIEW_MATRIX);
  v.projection = CURRENTMATRIX(GL_PROJECTION_MATRIX);
  glGetIntegerv(GL_VIEWPORT, v.viewport.data());
  glGetIntegerv(GL_SCISSOR_BOX, v.scissor_box.data());
  v.scissor = glIsEnabled(GL_SCISSOR_TEST);
  v.cube_texturing = glIsEnabled(GL_TEXTURE_CUBE_MAP);
  v.corner_low = PIXEL(0, 0);
  v.corner_high = PIXEL(kCorner - 1, kCorner - 1);
  v.outside = PIXEL(kCorner + 8, kCorner + 8);
  FILLCORNER(FACECOLOUR(visits.size()));
  visits.push_back(v);
}

void NOSCENE() {}

const Texel kClearColour{51, 102, 153, 255};
const Texel kWindowColour{255, 255, 0, 255};

void PAINTWINDOWANDSETCLEAR() {
  glDisable(GL_SCISSOR_TEST);
  glClearColor(1, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glClearColor(0.2f, 0.4f, 0.6f, 1);
}

std::string DESCRIBE(const std::array<GLint, 4>& box) {
  std::ostringstream out;
  out << "(" << box[0] << ", " << box[1] << ", " << box[2] << ", " << box[3] << ")";
  return out.str();
}

TEST_F(ReflectionMapTest, GenerationRendersEachFaceOnceInFaceOrderFromThePoint) {
  GLuint texture = 0;
  SETTEXREFLECTIONMAP(kCorner, texture);
  PAINTWINDOWANDSETCLEAR();
  glEnable(GL_TEXTURE_CUBE_MAP);
  const std::array<float, 3> point = {1.5f, -2.0f, 3.25f};
  visits.clear();
  GENTEXREFLECTIONMAP(RECORDVISIT, point[0], point[1], point[2], kCorner, texture);

  ASSERT_EQ(visits.size(), kFaceRows.size()) << "one scene render per face";
  const std::array<GLint, 4> corner = {0, 0, kCorner, kCorner};
  for (std::size_t i = 0; i < kFaceRows.size(); ++i) {
    const FaceRow& row = kFaceRows[i];
    const SceneVisit& v = visits[i];
    const std::string face = std::string("render ") + std::to_string(i + 1) + ", face " + row.face +
                             " (looks toward " + row.looks_toward + ")";
    EXPECT_TRUE(SAMEMATRIX(face + ": modelview", CAMERA(row.rotation, point), v.modelview));
    EXPECT_TRUE(SAMEMATRIX(face + ": projection", kCubeProjection, v.projection));
    EXPECT_EQ(v.viewport, corner) << face << ": viewport " << DESCRIBE(v.viewport);
    EXPECT_EQ(v.scissor_box, corner) << face << ": scissor box " << DESCRIBE(v.scissor_box);
    EXPECT_TRUE(v.scissor) << face << ": scissor test";
    EXPECT_EQ(v.cube_texturing, i == 0) << face << ": cube-map texturing as the caller left it "
                                        << "at the first face, off after";
    EXPECT_EQ(v.corner_low, kClearColour) << face << ": corner cleared, lower left";
    EXPECT_EQ(v.corner_high, kClearColour) << face << ": corner cleared, upper right";
    EXPECT_EQ(v.outside, kWindowColour) << face << ": nothing cleared outside the corner";
  }

  glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
  for (std::size_t i = 0; i < kFaceRows.size(); ++i) {
    const TextureLevel level = READTEXTURELEVEL(kFaceRows[i].target, 0);
    std::size_t other = 0;
    for (const Texel& t : level.texels) other += t == FACECOLOUR(i) ? 0 : 1;
    EXPECT_EQ(other, 0u) << "face " << kFaceRows[i].face << " holds the picture of render " << i + 1
                         << " (" << FACECOLOUR(i) << "); first texel "
                         << (level.texels.empty() ? Texel{} : level.texels[0]);
  }
}

TEST_F(ReflectionMapTest, GenerationLeavesTheCubeCameraAndTurnsTheScissorOff) {
  GLuint texture = 0;
  SETTEXREFLECTIONMAP(kCorner, texture);
  glEnable(GL_TEXTURE_CUBE_MAP);
  const std::array<float, 3> point = {0, 6, 0};
  GENTEXREFLECTIONMAP(NOSCENE, point[0], point[1], point[2], kCorner, texture);

  std::array<GLint, 4> viewport{}, scissor_box{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  glGetIntegerv(GL_SCISSOR_BOX, scissor_box.data());
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, kCorner, kCorner})) << DESCRIBE(viewport);
  EXPECT_EQ(scissor_box, (std::array<GLint, 4>{0, 0, CONTEXT_WIDTH, CONTEXT_HEIGHT}))
      << DESCRIBE(scissor_box);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_TRUE(SAMEMATRIX("projection", kCubeProjection, CURRENTMATRIX(GL_PROJECTION_MATRIX)));
  EXPECT_TRUE(SAMEMATRIX("modelview: the -z face's camera", CAMERA(kFaceRows[5].rotation, point),
                         CURRENTMATRIX(GL_MODELVIEW_MATRIX)));
}

TEST_F(ReflectionMapTest, GenerationCallsInOrder) {
  GLuint texture = 0;
  SETTEXREFLECTIONMAP(64, texture);
  std::vector<GlCall> expected = {
      {"glViewport", {0, 0, 64, 64}},       {"glEnable", {GL_SCISSOR_TEST}},
      {"glMatrixMode", {GL_PROJECTION}},    {"glLoadIdentity", {}},
      {"gluPerspective", {90, 1, 1, 2000}}, {"glMatrixMode", {GL_MODELVIEW}},
  };
  const std::vector<std::vector<GlCall>> rotations = {
      {{"glRotatef", {90, 0, 1, 0}}},
      {{"glRotatef", {-90, 0, 1, 0}}},
      {{"glRotatef", {90, 1, 0, 0}}},
      {{"glRotatef", {-90, 1, 0, 0}}},
      {},
      {{"glRotatef", {-180, 0, 1, 0}}},
  };
  for (const std::vector<GlCall>& rotation : rotations) {
    expected.push_back({"glLoadIdentity", {}});
    expected.insert(expected.end(), rotation.begin(), rotation.end());
    expected.push_back({"glTranslatef", {-1.5, 2, -3.25}});
    expected.push_back({"glEnable", {GL_TEXTURE_CUBE_MAP}});
    expected.push_back({"glDisable", {GL_TEXTURE_CUBE_MAP}});
  }
  expected.push_back({"glDisable", {GL_SCISSOR_TEST}});

  GlRecording recording;
  GENTEXREFLECTIONMAP(NOSCENE, 1.5f, -2.0f, 3.25f, 64, texture);
  EXPECT_TRUE(SAMECALLS(expected, recording.calls()));
}

// The copy into each face: never beyond the window, the face or the corner.
struct CopyCase {
  const char* name;
  std::int32_t face_size; // the faces' edge
  bool made_elsewhere;    // faces allocated by the test instead of SETTEXREFLECTIONMAP
  std::int32_t width, height, corner;
  std::int32_t copied; // the edge of the block that receives the picture
};

TEST_F(ReflectionMapTest, GenerationCopiesOnlyWhatLiesInsideTheWindowAndTheFace) {
  const std::vector<CopyCase> cases = {
      {"corner as large as the faces", 32, false, 800, 600, 32, 32},
      {"corner smaller than the faces", 32, false, 800, 600, 16, 16},
      {"corner larger than the faces", 32, false, 800, 600, 64, 32},
      {"window narrower than the corner", 32, false, 20, 600, 32, 20},
      {"window lower than the corner", 32, false, 800, 12, 32, 12},
      {"faces made elsewhere, corner larger", 24, true, 800, 600, 64, 24},
      {"faces made elsewhere, corner smaller", 24, true, 800, 600, 8, 8},
  };
  const Texel prefill{9, 8, 7, 255};
  for (const CopyCase& c : cases) {
    GLuint texture = 0;
    const std::vector<Texel> fill(static_cast<std::size_t>(c.face_size) * c.face_size, prefill);
    if (c.made_elsewhere) {
      glGenTextures(1, &texture);
      glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
      for (const FaceRow& row : kFaceRows)
        glTexImage2D(row.target, 0, GL_RGBA, c.face_size, c.face_size, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     fill.data());
    } else {
      SETTEXREFLECTIONMAP(c.face_size, texture);
      for (const FaceRow& row : kFaceRows)
        glTexSubImage2D(row.target, 0, 0, 0, c.face_size, c.face_size, GL_RGBA, GL_UNSIGNED_BYTE,
                        fill.data());
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    WIDTH = c.width;
    HEIGHT = c.height;
    PAINTWINDOWANDSETCLEAR();
    visits.clear();
    GENTEXREFLECTIONMAP(RECORDVISIT, 0, 0, 0, c.corner, texture);
    const GLenum error = glGetError();
    WIDTH = CONTEXT_WIDTH;
    HEIGHT = CONTEXT_HEIGHT;

    EXPECT_EQ(error, static_cast<GLenum>(GL_NO_ERROR))
        << c.name << ": GL error 0x" << std::hex << error;
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    for (std::size_t i = 0; i < kFaceRows.size(); ++i) {
      const TextureLevel level = READTEXTURELEVEL(kFaceRows[i].target, 0);
      std::int32_t copied_edge = 0, wrong = 0;
      for (GLint y = 0; y < level.height; ++y) {
        for (GLint x = 0; x < level.width; ++x) {
          const bool inside = x < c.copied && y < c.copied;
          const Texel& t = level.texels[static_cast<std::size_t>(y) * level.width + x];
          if (t != (inside ? FACECOLOUR(i) : prefill)) ++wrong;
          if (t == FACECOLOUR(i) && x == y) copied_edge = std::max(copied_edge, x + 1);
        }
      }
      EXPECT_EQ(wrong, 0) << c.name << " (faces " << c.face_size << ", window " << c.width << " x "
                          << c.height << ", corner " << c.corner << "), face " << kFaceRows[i].face
                          << ": expected a " << c.copied << "-texel block, found " << copied_edge
                          << ", " << wrong << " texels wrong";
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Reflection mode

struct ModeState {
  std::array<GLint, 3> gen_modes{};
  std::array<bool, 3> gens{};
  bool cube_texturing = false, blend = false;
  GLint blend_src = 0, blend_dst = 0;
  bool operator==(const ModeState&) const = default;
};

ModeState MODESTATE() {
  ModeState s;
  glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &s.gen_modes[0]);
  glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &s.gen_modes[1]);
  glGetTexGeniv(GL_R, GL_TEXTURE_GEN_MODE, &s.gen_modes[2]);
  s.gens = {glIsEnabled(GL_TEXTURE_GEN_S) == GL_TRUE, glIsEnabled(GL_TEXTURE_GEN_T) == GL_TRUE,
            glIsEnabled(GL_TEXTURE_GEN_R) == GL_TRUE};
  s.cube_texturing = glIsEnabled(GL_TEXTURE_CUBE_MAP);
  s.blend = glIsEnabled(GL_BLEND);
  glGetIntegerv(GL_BLEND_SRC, &s.blend_src);
  glGetIntegerv(GL_BLEND_DST, &s.blend_dst);
  return s;
}

std::string DESCRIBE(const ModeState& s) {
  std::ostringstream out;
  out << std::hex << "gen modes 0x" << s.gen_modes[0] << "/0x" << s.gen_modes[1] << "/0x"
      << s.gen_modes[2] << ", gen S T R " << s.gens[0] << s.gens[1] << s.gens[2] << ", cube "
      << s.cube_texturing << ", blend " << s.blend << " (0x" << s.blend_src << ", 0x" << s.blend_dst
      << ")";
  return out.str();
}

TEST_F(ReflectionMapTest, ReflectionModeOnAndOffWhateverCameBefore) {
  const struct {
    const char* name;
    bool blend_before;
    GLenum src_before, dst_before;
  } cases[] = {
      {"blending off, default function", false, GL_ONE, GL_ZERO},
      {"blending on, alpha blending", true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
      {"blending on, the standing function", true, GL_SRC_ALPHA, GL_ONE},
  };
  const ModeState on{{GL_REFLECTION_MAP, GL_REFLECTION_MAP, GL_REFLECTION_MAP},
                     {true, true, true},
                     true,
                     true,
                     GL_DST_COLOR,
                     GL_SRC_COLOR};
  const std::vector<GlCall> begin_calls = {
      {"glEnable", {GL_TEXTURE_GEN_S}},
      {"glEnable", {GL_TEXTURE_GEN_T}},
      {"glEnable", {GL_TEXTURE_GEN_R}},
      {"glEnable", {GL_TEXTURE_CUBE_MAP}},
      {"glBlendFunc", {GL_DST_COLOR, GL_SRC_COLOR}},
      {"glEnable", {GL_BLEND}},
  };
  const std::vector<GlCall> end_calls = {
      {"glDisable", {GL_BLEND}},
      {"glBlendFunc", {GL_SRC_ALPHA, GL_ONE}},
      {"glDisable", {GL_TEXTURE_CUBE_MAP}},
      {"glDisable", {GL_TEXTURE_GEN_S}},
      {"glDisable", {GL_TEXTURE_GEN_T}},
      {"glDisable", {GL_TEXTURE_GEN_R}},
  };
  for (const auto& c : cases) {
    if (c.blend_before)
      glEnable(GL_BLEND);
    else
      glDisable(GL_BLEND);
    glBlendFunc(c.src_before, c.dst_before);
    {
      GlRecording recording;
      REFLECTIONMAPBEGIN();
      EXPECT_TRUE(SAMECALLS(begin_calls, recording.calls())) << c.name << ": begin";
    }
    const ModeState after_begin = MODESTATE();
    EXPECT_EQ(after_begin, on) << c.name << "\n  expected: " << DESCRIBE(on)
                               << "\n  actual:   " << DESCRIBE(after_begin);
    {
      GlRecording recording;
      REFLECTIONMAPEND();
      EXPECT_TRUE(SAMECALLS(end_calls, recording.calls())) << c.name << ": end";
    }
    ModeState off = on;
    off.gens = {false, false, false};
    off.cube_texturing = off.blend = false;
    off.blend_src = GL_SRC_ALPHA;
    off.blend_dst = GL_ONE;
    const ModeState after_end = MODESTATE();
    EXPECT_EQ(after_end, off) << c.name << "\n  expected: " << DESCRIBE(off)
                              << "\n  actual:   " << DESCRIBE(after_end);
  }
}

TEST_F(ReflectionMapTest, ReflectiveDrawingDoublesTheProductWithWhatLiesBeneath) {
  GLuint texture = 0;
  SETTEXREFLECTIONMAP(4, texture);
  const std::vector<Texel> reflection(16, Texel{128, 255, 64, 255});
  for (const FaceRow& row : kFaceRows)
    glTexSubImage2D(row.target, 0, 0, 0, 4, 4, GL_RGBA, GL_UNSIGNED_BYTE, reflection.data());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glClearColor(0.5f, 0.25f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor4f(1, 1, 1, 1);

  REFLECTIONMAPBEGIN();
  BINDTEXREFLECTIONMAP(texture);
  glNormal3f(0, 0, 1);
  glBegin(GL_QUADS);
  glVertex3f(-1, -1, 0);
  glVertex3f(1, -1, 0);
  glVertex3f(1, 1, 0);
  glVertex3f(-1, 1, 0);
  glEnd();
  REFLECTIONMAPEND();

  const Texel drawn = PIXEL(CONTEXT_WIDTH / 2, CONTEXT_HEIGHT / 2);
  const Texel expected{128, 128, 128, 255}; // 2 x (0.5, 1, 0.25) x (0.5, 0.25, 1)
  EXPECT_LE(std::abs(drawn.r - expected.r), 2) << drawn;
  EXPECT_LE(std::abs(drawn.g - expected.g), 2) << drawn;
  EXPECT_LE(std::abs(drawn.b - expected.b), 2) << drawn;
}

// ---------------------------------------------------------------------------------------------
// Texture rotation

TEST_F(ReflectionMapTest, CubeMapBeginTurnsTheTextureMatrixByTheCameraAngles) {
  const float c = -0.809017f, s = 0.587785f; // cos and sin of -216 degrees
  const struct {
    float rotx, roty;
    std::array<std::array<float, 3>, 3> texture;
  } cases[] = {
      {0, 0, {{{1, 0, 0}, {0, -1, 0}, {0, 0, -1}}}},
      {90, 0, {{{1, 0, 0}, {0, 0, -1}, {0, 1, 0}}}},
      {-90, 0, {{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}}},
      {0, 90, {{{0, 0, -1}, {0, -1, 0}, {-1, 0, 0}}}},
      {-180, 180, {{{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}}}},
      {36, 0, {{{1, 0, 0}, {0, c, -s}, {0, s, c}}}},
  };
  const Matrix identity = ROTATION({{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}});
  for (const auto& k : cases) {
    const std::string name =
        "CUBEMAPBEGIN(" + std::to_string(k.rotx) + ", " + std::to_string(k.roty) + ")";
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1, 2, 3);
    const Matrix modelview = CURRENTMATRIX(GL_MODELVIEW_MATRIX);
    GLint modelview_depth = 0, texture_depth = 0, depth = 0, mode = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelview_depth);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &texture_depth);

    {
      GlRecording recording;
      CUBEMAPBEGIN(k.rotx, k.roty);
      const std::vector<GlCall> begin_calls = {{"glPushMatrix", {}},
                                               {"glMatrixMode", {GL_TEXTURE}},
                                               {"glPushMatrix", {}},
                                               {"glRotatef", {k.roty, 0, 1, 0}},
                                               {"glRotatef", {-180 - k.rotx, 1, 0, 0}}};
      EXPECT_TRUE(SAMECALLS(begin_calls, recording.calls())) << name;
    }
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_TEXTURE) << name;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelview_depth + 1) << name << ": modelview stack";
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, texture_depth + 1) << name << ": texture stack";
    EXPECT_TRUE(SAMEMATRIX(name + ": texture matrix", ROTATION(k.texture),
                           CURRENTMATRIX(GL_TEXTURE_MATRIX)));

    glTranslatef(5, 0, 0);
    EXPECT_TRUE(SAMEMATRIX(name + ": a translation inside moves no object", modelview,
                           CURRENTMATRIX(GL_MODELVIEW_MATRIX)));
    {
      GlRecording recording;
      CUBEMAPEND();
      const std::vector<GlCall> end_calls = {
          {"glPopMatrix", {}}, {"glMatrixMode", {GL_MODELVIEW}}, {"glPopMatrix", {}}};
      EXPECT_TRUE(SAMECALLS(end_calls, recording.calls())) << name;
    }
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW) << name;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, modelview_depth) << name << ": modelview stack after";
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, texture_depth) << name << ": texture stack after";
    EXPECT_TRUE(
        SAMEMATRIX(name + ": modelview after", modelview, CURRENTMATRIX(GL_MODELVIEW_MATRIX)));
    EXPECT_TRUE(
        SAMEMATRIX(name + ": texture matrix after", identity, CURRENTMATRIX(GL_TEXTURE_MATRIX)));
  }
}

TEST_F(ReflectionMapTest, BindSelectsTheCubeMap) {
  GLuint first = 0, second = 0;
  SETTEXREFLECTIONMAP(8, first);
  SETTEXREFLECTIONMAP(8, second);
  const struct {
    const char* name;
    GLuint texture;
  } cases[] = {{"the first cube map", first}, {"the second", second}, {"none", 0}};
  for (const auto& c : cases) {
    BINDTEXREFLECTIONMAP(c.texture);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), c.texture) << c.name;
  }
}

} // namespace

} // namespace orvex::test

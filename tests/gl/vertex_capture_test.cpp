#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"
#include "gl/support/gl_context.h"
#include "gl/support/gl_recorder.h"

#include <cmath>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

using orvex::GLBASEVERTEX3F;
using orvex::TGLVECTOR;
using orvex::test::GlCall;
using orvex::test::GlRecording;
using orvex::test::SAMECALLS;

// Both switches off and the whole record zeroed, as at program start.
void RESETCAPTURE() {
  std::memset(static_cast<void*>(&GLBASEVERTEX3F), 0, sizeof GLBASEVERTEX3F);
  orvex::GLVERT3FENABLEEDIT = false;
  orvex::GLVERT3FREMOVE = false;
}

class VertexCapture : public orvex::test::GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    RESETCAPTURE();
  }
};

struct Vertex {
  float x, y, z;
};

const std::vector<Vertex> QUAD = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};

void DRAWQUAD(const std::vector<Vertex>& vertices) {
  orvex::GLBEGIN(GL_QUADS);
  for (const Vertex& v : vertices) orvex::GLVERTEX3F(v.x, v.y, v.z);
  orvex::GLEND();
}

std::string SHOW(const TGLVECTOR& v) {
  std::ostringstream out;
  out << "(" << v.X << ", " << v.Y << ", " << v.Z << ")";
  return out.str();
}

::testing::AssertionResult SAMESLOT(const char* what, int slot, const TGLVECTOR& expected,
                                    const TGLVECTOR& actual) {
  if (actual.X == expected.X && actual.Y == expected.Y && actual.Z == expected.Z)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << what << "[" << slot << "]\n  expected " << SHOW(expected)
                                       << "\n  actual   " << SHOW(actual);
}

TEST_F(VertexCapture, ModeDecidesWhatReachesOpenGl) {
  struct Case {
    const char* what;
    bool edit, silent;
    std::vector<GlCall> expected;
  };
  const std::vector<GlCall> quad_calls = {
      {"glBegin", {GL_QUADS}},   {"glVertex3f", {0, 0, 0}}, {"glVertex3f", {1, 0, 0}},
      {"glVertex3f", {1, 1, 0}}, {"glVertex3f", {0, 1, 0}}, {"glEnd", {}},
  };
  const std::vector<Case> cases = {
      {"pass-through", false, false, quad_calls},
      {"silent", false, true, {}},
      {"edit, unedited slots", true, false, quad_calls},
      {"edit and silent", true, true, {}},
  };
  for (const Case& c : cases) {
    RESETCAPTURE();
    GLBASEVERTEX3F.GLVERT3FSETNUM = 4;
    orvex::GLVERT3FENABLEEDIT = c.edit;
    orvex::GLVERT3FREMOVE = c.silent;
    GlRecording recording;
    DRAWQUAD(QUAD);
    EXPECT_TRUE(SAMECALLS(c.expected, recording.calls())) << c.what;
    EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, c.edit ? 4 : 0) << c.what;
  }
}

TEST_F(VertexCapture, PassThroughSendsEveryVertexWithoutALimit) {
  GlRecording recording;
  orvex::GLBEGIN(GL_POINTS);
  for (int i = 0; i < 10050; ++i) orvex::GLVERTEX3F(float(i), 0, 0);
  orvex::GLEND();
  EXPECT_EQ(recording.calls("glVertex3f").size(), 10050u);
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 0);
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FOFFSET[1].X, 0.0f) << "the slots are not touched";
}

TEST_F(VertexCapture, EditModeRecordsSlotsInOrderAndReusesTheLast) {
  orvex::GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 4;
  orvex::GLBEGIN(GL_QUADS);
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FMAX, 4) << "GLBEGIN copies the slot limit";
  const std::vector<Vertex> vertices = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  for (const Vertex& v : vertices) orvex::GLVERTEX3F(v.x, v.y, v.z);

  for (int slot = 1; slot <= 4; ++slot) {
    const Vertex& v = vertices[slot - 1];
    EXPECT_TRUE(SAMESLOT("GLVERT3F", slot, {v.x, v.y, v.z}, GLBASEVERTEX3F.GLVERT3F[slot]));
    EXPECT_TRUE(
        SAMESLOT("GLVERT3FOFFSET", slot, {v.x, v.y, v.z}, GLBASEVERTEX3F.GLVERT3FOFFSET[slot]));
    EXPECT_TRUE(
        SAMESLOT("GLVERT3FTMPSCALE", slot, {1, 1, 1}, GLBASEVERTEX3F.GLVERT3FTMPSCALE[slot]));
  }
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 4);

  orvex::GLVERTEX3F(13, 14, 15);
  orvex::GLEND();
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 4);
  EXPECT_TRUE(SAMESLOT("GLVERT3F", 4, {13, 14, 15}, GLBASEVERTEX3F.GLVERT3F[4]));
  EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 4, {13, 14, 15}, GLBASEVERTEX3F.GLVERT3FOFFSET[4]));
  EXPECT_TRUE(SAMESLOT("GLVERT3FTMPSCALE", 5, {0, 0, 0}, GLBASEVERTEX3F.GLVERT3FTMPSCALE[5]));
}

TEST_F(VertexCapture, GlBeginKeepsTheCountAndRaisingTheLimitContinues) {
  orvex::GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 2;
  DRAWQUAD(QUAD);
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 2);
  GLBASEVERTEX3F.GLVERT3FSETNUM = 6;
  DRAWQUAD({{5, 5, 5}, {6, 6, 6}});
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 4);
  EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 3, {5, 5, 5}, GLBASEVERTEX3F.GLVERT3FOFFSET[3]));
  EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 2, {0, 1, 0}, GLBASEVERTEX3F.GLVERT3FOFFSET[2]));
}

struct EditCase {
  const char* what;
  TGLVECTOR scale, move, rotate, pivot;
  Vertex passed;
  Vertex sent;
  float tolerance;
};

TEST_F(VertexCapture, EditModeSendsTheSlotsTransform) {
  const std::vector<EditCase> cases = {
      {"unset scale counts as 1",
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 0},
       {1, 2, 3},
       {1, 2, 3},
       0},
      {"rotated 90 degrees about z",
       {0, 0, 0},
       {0, 0, 0},
       {0, 0, 90},
       {0, 0, 0},
       {1, 0, 0},
       {0, 1, 0},
       1e-6f},
      {"scaled, moved and moved again",
       {2, 2, 2},
       {1, 0, 0},
       {0, 0, 0},
       {0, 1, 0},
       {1, 1, 1},
       {3, 3, 2},
       0},
      {"a scale with zeros flattens to the translations",
       {0, 0, 5},
       {7, 8, 0},
       {0, 0, 0},
       {0, 0, 1},
       {3, 4, 2},
       {7, 8, 11},
       0},
      {"scaled then rotated about x",
       {2, 1, 1},
       {0, 0, 0},
       {90, 0, 0},
       {0, 0, 0},
       {0, 3, 0},
       {0, 0, 3},
       1e-6f},
      {"the pivot moves before the rotation",
       {1, 1, 1},
       {0, 0, 0},
       {0, 0, 180},
       {1, 0, 0},
       {1, 0, 0},
       {-2, 0, 0},
       1e-6f},
  };
  for (const EditCase& c : cases) {
    RESETCAPTURE();
    orvex::GLVERT3FENABLEEDIT = true;
    GLBASEVERTEX3F.GLVERT3FSETNUM = 1;
    GLBASEVERTEX3F.GLVERT3FTMPSCALE[1] = c.scale;
    GLBASEVERTEX3F.GLVERT3FTMP[1] = c.move;
    GLBASEVERTEX3F.GLVERT3FTMPROTATE[1] = c.rotate;
    GLBASEVERTEX3F.GLVERT3FTMPPOSROT[1] = c.pivot;
    GlRecording recording;
    orvex::GLBEGIN(GL_POINTS);
    orvex::GLVERTEX3F(c.passed.x, c.passed.y, c.passed.z);
    orvex::GLEND();

    const std::vector<GlCall> sent = recording.calls("glVertex3f");
    ASSERT_EQ(sent.size(), 1u) << c.what;
    const std::vector<double>& a = sent[0].args;
    const auto near = [&](double actual, float expected) {
      return std::fabs(actual - expected) <= c.tolerance;
    };
    EXPECT_TRUE(near(a[0], c.sent.x) && near(a[1], c.sent.y) && near(a[2], c.sent.z))
        << c.what << ": vertex (" << c.passed.x << ", " << c.passed.y << ", " << c.passed.z
        << "), scale " << SHOW(c.scale) << ", move " << SHOW(c.move) << ", rotate "
        << SHOW(c.rotate) << ", pivot " << SHOW(c.pivot) << "\n  expected sent (" << c.sent.x
        << ", " << c.sent.y << ", " << c.sent.z << ")\n  actual   " << sent[0];
    EXPECT_TRUE(SAMESLOT("GLVERT3F", 1, {float(a[0]), float(a[1]), float(a[2])},
                         GLBASEVERTEX3F.GLVERT3F[1]))
        << c.what << ": the slot holds the vertex as sent";
    EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 1, {c.passed.x, c.passed.y, c.passed.z},
                         GLBASEVERTEX3F.GLVERT3FOFFSET[1]))
        << c.what << ": the slot holds the vertex as passed";
  }
}

TEST_F(VertexCapture, ASetScaleIsKept) {
  orvex::GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 1;
  GLBASEVERTEX3F.GLVERT3FTMPSCALE[1] = {0, 0, 5};
  DRAWQUAD({{1, 1, 1}});
  EXPECT_TRUE(SAMESLOT("GLVERT3FTMPSCALE", 1, {0, 0, 5}, GLBASEVERTEX3F.GLVERT3FTMPSCALE[1]));
}

// A slot number outside 1..10000 is never used: the vertex goes out as passed, nothing is
// recorded, and the count is left where the rules put it.
TEST_F(VertexCapture, SlotsOutsideTheArraysSendTheVertexUnedited) {
  struct Case {
    const char* what;
    std::int32_t setnum, count_before, count_after;
  };
  const std::vector<Case> cases = {
      {"limit 0", 0, 0, 0},
      {"count set above the slots", 4, 10001, 10001},
      {"count set below the slots", 4, -3, -2},
      {"limit above the slots, count at the last slot", 20000, 10000, 10001},
  };
  for (const Case& c : cases) {
    RESETCAPTURE();
    orvex::GLVERT3FENABLEEDIT = true;
    GLBASEVERTEX3F.GLVERT3FSETNUM = c.setnum;
    GLBASEVERTEX3F.GLVERT3FCOUNT = c.count_before;
    GLBASEVERTEX3F.GLVERT3FTMPSCALE[1] = {2, 2, 2};
    GLBASEVERTEX3F.GLVERT3FTMPSCALE[10000] = {2, 2, 2};
    GlRecording recording;
    DRAWQUAD({{1, 2, 3}});
    EXPECT_TRUE(SAMECALLS({{"glBegin", {GL_QUADS}}, {"glVertex3f", {1, 2, 3}}, {"glEnd", {}}},
                          recording.calls()))
        << c.what;
    EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, c.count_after) << c.what;
    EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 1, {0, 0, 0}, GLBASEVERTEX3F.GLVERT3FOFFSET[1]))
        << c.what;
    EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 10000, {0, 0, 0}, GLBASEVERTEX3F.GLVERT3FOFFSET[10000]))
        << c.what;
  }
}

TEST_F(VertexCapture, TheLastSlotIsUsable) {
  orvex::GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 10000;
  GLBASEVERTEX3F.GLVERT3FCOUNT = 9999;
  DRAWQUAD({{1, 2, 3}, {4, 5, 6}});
  EXPECT_EQ(GLBASEVERTEX3F.GLVERT3FCOUNT, 10000);
  EXPECT_TRUE(SAMESLOT("GLVERT3FOFFSET", 10000, {4, 5, 6}, GLBASEVERTEX3F.GLVERT3FOFFSET[10000]));
}

} // namespace

#include "framework/geometry/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orvex::TGLBASEMATRIX;
using orvex::TGLVECTOR;

constexpr float PI_F = std::numbers::pi_v<float>;
constexpr float EXACT = 0.0f;

std::string SHOW(const TGLVECTOR& v) {
  std::ostringstream out;
  out.precision(9);
  out << "(" << v.X << ", " << v.Y << ", " << v.Z << ")";
  return out.str();
}

// Exact comparison when tolerance is 0, otherwise within tolerance.
bool CLOSE(double actual, double expected, double tolerance) {
  return tolerance == 0 ? actual == expected : std::fabs(actual - expected) <= tolerance;
}

::testing::AssertionResult SAMEVECTOR(const std::string& inputs, const TGLVECTOR& expected,
                                      const TGLVECTOR& actual, float tolerance) {
  if (CLOSE(actual.X, expected.X, tolerance) && CLOSE(actual.Y, expected.Y, tolerance) &&
      CLOSE(actual.Z, expected.Z, tolerance))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << inputs << "\n  expected " << SHOW(expected) << (tolerance ? " (approx.)" : "")
         << "\n  actual   " << SHOW(actual);
}

// The rotation matrix: the 3 x 3 block, exact or approximate.

struct EulerCase {
  const char* what;
  TGLVECTOR angles;
  bool degrees; // MATRIXEULERRAD when true, else MATRIXEULERDEG
  float block[3][3];
  float tolerance;
};

const std::vector<EulerCase> EULER_CASES = {
    {"zero angles give the identity", {0, 0, 0}, false, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, EXACT},
    {"a quarter turn about x, radians",
     {PI_F / 2, 0, 0},
     false,
     {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
     1e-7f},
    {"a quarter turn about y, radians",
     {0, PI_F / 2, 0},
     false,
     {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
     1e-7f},
    {"a quarter turn about z, radians",
     {0, 0, PI_F / 2},
     false,
     {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
     1e-7f},
    {"a quarter turn about z, degrees",
     {0, 0, 90},
     true,
     {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
     1e-7f},
    {"x then y, a quarter turn each, degrees",
     {90, 90, 0},
     true,
     {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
     1e-7f},
    // Each named intermediate rounded to float; these differ from a product of unrounded sines
    // and cosines in the last bit of several elements.
    {"intermediates rounded to float: (0.1, 0.2, 0.3)",
     {0.1f, 0.2f, 0.3f},
     false,
     {{0x1.df61dap-1f, 0x1.2894a2p-2f, -0x1.96dff2p-3f},
      {-0x1.19b2bap-2f, 0x1.e9b08ep-1f, 0x1.90c43ep-4f},
      {0x1.bf2ea2p-3f, -0x1.2ec07cp-5f, 0x1.f34988p-1f}},
     EXACT},
    {"SRSP and CRSP rounded to float: (0.8125, 0.625, 0.625)",
     {0.8125f, 0.625f, 0.625f},
     false,
     {{0x1.50b8f6p-1f, 0x1.e5e14ep-2f, -0x1.2b91dep-1f},
      {-0x1.da21cp-5f, 0x1.9cc9fcp-1f, 0x1.2d72c4p-1f},
      {0x1.808e7ep-1f, -0x1.69d338p-2f, 0x1.1d893ap-1f}},
     EXACT},
    {"intermediates rounded to float: (3, 1, -2)",
     {3.0f, 1.0f, -2.0f},
     false,
     {{-0x1.cc7b94p-3f, -0x1.f71628p-2f, -0x1.aed548p-1f},
      {-0x1.e633dcp-1f, 0x1.374dp-2f, 0x1.384f42p-4f},
      {0x1.bf2ed6p-3f, 0x1.a1e72cp-1f, -0x1.11ddc8p-1f}},
     EXACT},
};

TEST(MatrixEuler, BlockMatchesTable) {
  for (const EulerCase& c : EULER_CASES) {
    const TGLBASEMATRIX m =
        c.degrees ? orvex::MATRIXEULERRAD(c.angles) : orvex::MATRIXEULERDEG(c.angles);
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j)
        EXPECT_TRUE(CLOSE(m[i][j], c.block[i][j], c.tolerance))
            << c.what << ": " << (c.degrees ? "MATRIXEULERRAD" : "MATRIXEULERDEG") << SHOW(c.angles)
            << " element [" << i << "][" << j << "]\n  expected " << c.block[i][j]
            << "\n  actual   " << m[i][j];
  }
}

struct SignCase {
  const char* what;
  TGLVECTOR radians;
  float expected; // compared bit for bit, sign of zero included
};

TEST(MatrixEuler, ElementZeroTwoIsMinusSineOfYNeverNegativeZero) {
  const std::vector<SignCase> cases = {
      {"no turn about y", {0, 0, 0}, +0.0f},
      {"no turn about y, other axes turned", {1.0f, 0, 0.5f}, +0.0f},
      {"a turn of -0 about y", {0, -0.0f, 0}, +0.0f},
      {"a quarter turn about y", {0, PI_F / 2, 0}, -1.0f},
      {"a quarter turn back about y", {0, -PI_F / 2, 0}, 1.0f},
  };
  for (const SignCase& c : cases) {
    const float actual = orvex::MATRIXEULERDEG(c.radians)[0][2];
    EXPECT_TRUE(actual == c.expected && std::signbit(actual) == std::signbit(c.expected))
        << c.what << ": MATRIXEULERDEG" << SHOW(c.radians) << " [0][2]\n  expected " << c.expected
        << (std::signbit(c.expected) ? " (negative)" : "") << "\n  actual   " << actual
        << (std::signbit(actual) ? " (negative)" : "");
  }
}

TEST(MatrixEuler, ElementsOutsideTheBlockKeepTheirContents) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  for (bool degrees : {false, true}) {
    TGLBASEMATRIX m{};
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) m[i][j] = 100.0f + 10.0f * i + j;
    m[3][3] = nan;
    const TGLBASEMATRIX before = m;
    if (degrees)
      orvex::MATRIXEULERRAD(TGLVECTOR{30, 45, 60}, m);
    else
      orvex::MATRIXEULERDEG(TGLVECTOR{0.5f, 0.75f, 1.0f}, m);
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        if (i < 3 && j < 3) continue;
        const bool same = std::isnan(before[i][j]) ? std::isnan(m[i][j]) : m[i][j] == before[i][j];
        EXPECT_TRUE(same) << (degrees ? "MATRIXEULERRAD" : "MATRIXEULERDEG") << " element [" << i
                          << "][" << j << "]\n  expected " << before[i][j] << "\n  actual   "
                          << m[i][j];
      }
  }
}

// The vector times the matrix.

struct RotationCase {
  const char* what;
  TGLVECTOR degrees;
  TGLVECTOR vector;
  TGLVECTOR expected;
};

TEST(MatrixVecRot, RotatesAboutXThenYThenZ) {
  const std::vector<RotationCase> cases = {
      {"+90 about x takes +y to +z", {90, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {"+90 about y takes +z to +x", {0, 90, 0}, {0, 0, 1}, {1, 0, 0}},
      {"+90 about z takes +x to +y", {0, 0, 90}, {1, 0, 0}, {0, 1, 0}},
      {"x first, then y", {90, 90, 0}, {0, 1, 0}, {1, 0, 0}},
      {"y first, then z", {0, 90, 90}, {1, 0, 0}, {0, 0, -1}},
      {"all three", {90, 90, 90}, {1, 2, 3}, {3, 2, -1}},
      {"a half turn about z", {0, 0, 180}, {1, 2, 3}, {-1, -2, 3}},
      {"three unequal turns", {30, 45, 60}, {3, 4, 0}, {-1.23223305f, 4.79391299f, -0.707106781f}},
  };
  for (const RotationCase& c : cases) {
    const TGLVECTOR actual = orvex::MATRIXVECROT(c.vector, orvex::MATRIXEULERRAD(c.degrees));
    EXPECT_TRUE(SAMEVECTOR(std::string(c.what) + ": MATRIXVECROT" + SHOW(c.vector) +
                               " by MATRIXEULERRAD" + SHOW(c.degrees),
                           c.expected, actual, 2e-6f));
  }
}

TEST(MatrixVecRot, RadiansGoStraightToMatrixEulerDeg) {
  const TGLVECTOR actual =
      orvex::MATRIXVECROT(TGLVECTOR{1, 0, 0}, orvex::MATRIXEULERDEG(TGLVECTOR{0, 0, PI_F / 2}));
  EXPECT_TRUE(
      SAMEVECTOR("MATRIXVECROT(1, 0, 0) by MATRIXEULERDEG(0, 0, pi/2)", {0, 1, 0}, actual, 1e-7f));
}

TEST(MatrixVecRot, IgnoresRowAndColumnThreeAndRoundsEachSumOnce) {
  TGLBASEMATRIX m{};
  for (int i = 0; i < 4; ++i) {
    m[i][3] = 1000.0f;
    m[3][i] = 1000.0f;
  }
  // Column 0 sums x + y + z; columns 1 and 2 pick y and z.
  m[0][0] = 1;
  m[1][0] = 1;
  m[2][0] = 1;
  m[1][1] = 1;
  m[2][2] = 1;
  const float tiny = 0x1p-24f; // half a unit in the last place of 1
  const TGLVECTOR actual = orvex::MATRIXVECROT(TGLVECTOR{1, tiny, tiny}, m);
  // In float steps 1 + tiny rounds back to 1 twice; rounded once the sum is the next float up.
  EXPECT_TRUE(SAMEVECTOR("MATRIXVECROT(1, 2^-24, 2^-24), column 0 all ones, border 1000",
                         {1.0f + 0x1p-23f, tiny, tiny}, actual, EXACT));
}

// Degrees to radians.

TEST(DegToRad, ProductWithExtendedPiRoundedToFloat) {
  struct Case {
    float degrees;
    float expected;
  };
  const std::vector<Case> cases = {
      {180, 0x1.921fb6p+1f},
      {-90, -0x1.921fb6p+0f},
      {90, 0x1.921fb6p+0f},
      {45, 0x1.921fb6p-1f},
      {360, 0x1.921fb6p+2f},
      {-720, -0x1.921fb6p+3f},
      {1, 0x1.1df46ap-6f},
      {0.5f, 0x1.1df46ap-7f},
      {30, 0x1.0c1524p-1f},
      {0.001f, 0x1.24d152p-16f},
      {0, 0},
  };
  for (const Case& c : cases) {
    const float actual = orvex::DEGTORAD(c.degrees);
    EXPECT_EQ(actual, c.expected) << "DEGTORAD(" << c.degrees << ")";
  }
  EXPECT_EQ(orvex::DEGTORAD(180), PI_F) << "DEGTORAD(180) is pi rounded to float";
}

TEST(DegToRad, NonFiniteDegreesPropagate) {
  EXPECT_TRUE(std::isinf(orvex::DEGTORAD(std::numeric_limits<float>::infinity())));
  EXPECT_TRUE(std::isnan(orvex::DEGTORAD(std::numeric_limits<float>::quiet_NaN())));
}

TEST(GlVector, RoundsEachComponentToFloat) {
  struct Case {
    double x, y, z;
    TGLVECTOR expected;
  };
  const std::vector<Case> cases = {
      {0.1, -2.5, 1e10, {0.1f, -2.5f, 1e10f}},
      {1e300,
       -1e300,
       1e-300,
       {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(), 0.0f}},
      {1.0 + 0x1p-30, 3.0, 0.0, {1.0f, 3.0f, 0.0f}},
  };
  for (const Case& c : cases) {
    std::ostringstream inputs;
    inputs << "GLVECTOR(" << c.x << ", " << c.y << ", " << c.z << ")";
    EXPECT_TRUE(SAMEVECTOR(inputs.str(), c.expected, orvex::GLVECTOR(c.x, c.y, c.z), EXACT));
  }
}

// The face normal.

struct NormalCase {
  const char* what;
  double points[9];
  double expected[3];
};

TEST(FindNormal, LeavesTheUnitNormalInFNormal) {
  // 1 / sqrt(2) with sqrt(2) taken as a float, as the length is.
  const double inverse_float_root2 = 0x1.6a09e6cfe779bp-1;
  const std::vector<NormalCase> cases = {
      {"counter-clockwise in z = 0", {0, 0, 0, 1, 0, 0, 1, 1, 0}, {0, 0, 1}},
      {"the same points clockwise", {1, 1, 0, 1, 0, 0, 0, 0, 0}, {0, 0, -1}},
      {"length 2 before normalising", {0, 0, 0, 2, 0, 0, 2, 1, 0}, {0, 0, 1}},
      {"a large face", {-3, -3, 3, 3, -3, 3, 3, 3, 3}, {0, 0, 1}},
      {"facing +x", {3, -3, -3, 3, 3, -3, 3, 3, 3}, {1, 0, 0}},
      {"facing -y", {-3, -3, -3, 3, -3, -3, 3, -3, 3}, {0, -1, 0}},
      {"length taken as a float",
       {0, 0, 0, 1, 0, 0, 1, 1, 1},
       {0, -inverse_float_root2, inverse_float_root2}},
      {"collinear points", {0, 0, 0, 1, 1, 1, 2, 2, 2}, {0, 0, 0}},
      {"coincident points", {5, 5, 5, 5, 5, 5, 5, 5, 5}, {0, 0, 0}},
  };
  for (const NormalCase& c : cases) {
    const double* p = c.points;
    orvex::FNORMAL[1] = orvex::FNORMAL[2] = orvex::FNORMAL[3] = 99.0;
    orvex::FINDNORMAL(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8]);
    const double actual[3] = {orvex::FNORMAL[1], orvex::FNORMAL[2], orvex::FNORMAL[3]};
    EXPECT_TRUE(actual[0] == c.expected[0] && actual[1] == c.expected[1] &&
                actual[2] == c.expected[2])
        << c.what << ": FINDNORMAL of (" << p[0] << ", " << p[1] << ", " << p[2] << "), (" << p[3]
        << ", " << p[4] << ", " << p[5] << "), (" << p[6] << ", " << p[7] << ", " << p[8]
        << ")\n  expected (" << c.expected[0] << ", " << c.expected[1] << ", " << c.expected[2]
        << ")\n  actual   (" << actual[0] << ", " << actual[1] << ", " << actual[2] << ")";
  }
}

} // namespace

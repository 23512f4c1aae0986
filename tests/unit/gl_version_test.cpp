#include "framework/render/gl_version.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace {

struct ParseCase {
  std::string text;
  std::int32_t major;
  std::int32_t minor;
};

// Driver texts as drivers report them, and texts that break each rule of the parse.
const std::vector<ParseCase> PARSE_CASES = {
    {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5},
    {"4.6.0 NVIDIA 535.54.03", 4, 6},
    {"3.3 (Core Profile) Mesa 22.3.6", 3, 3},
    {"2.1 Mesa 22.3.6", 2, 1},
    {"2.1.2 NVIDIA 1.2", 2, 1},
    {"1.4 ", 1, 4},
    {"1.1.0", 1, 1},
    {"OpenGL ES 3.2 Mesa 22.3.6", 3, 2},
    {"OpenGL ES-CM 1.1 Mesa 22.3.6", 1, 1},
    {"Vendor 1.4", 1, 4},
    {"ATI 2.0.6958 Release", 2, 0},
    {"12.3", 12, 3},
    {"0042.7", 42, 7},
    {"4.10", 4, 10},
    {"4.10.2 beta", 4, 10},
    {"1.5x", 1, 5},
    {"x1.5", 1, 5},
    {"2147483647.1", 2147483647, 1},
    {"1.2147483647", 1, 2147483647},
    // Failures: 0 and 0.
    {"", 0, 0},
    {"no version", 0, 0},
    {".5", 0, 0},
    {"3.", 0, 0},
    {".", 0, 0},
    {"4", 0, 0},
    {"a.5", 0, 0},
    {"4.a", 0, 0},
    {"4 .5", 0, 0},
    {"v. 4.5", 0, 0},
    {"..4.5", 0, 0},
    {"2147483648.1", 0, 0},
    {"99999999999999999999.0", 0, 0},
    {"1.99999999999", 0, 0},
};

TEST(GetVersionString, ReadsTheNumbersAroundTheFirstDot) {
  for (const ParseCase& c : PARSE_CASES) {
    std::int32_t major = -7;
    std::int32_t minor = -7;
    orvex::GETVERSIONSTRING(c.text, major, minor);
    EXPECT_TRUE(major == c.major && minor == c.minor)
        << "GETVERSIONSTRING(\"" << c.text << "\")\n  expected " << c.major << ", " << c.minor
        << "\n  actual   " << major << ", " << minor;
  }
}

struct TableCase {
  std::int32_t major;
  std::int32_t minor;
  long double expected; // NaN: no published version
};

TEST(GlTableVersion, PlacesTheDriverOnThePublishedVersions) {
  const long double none = std::numeric_limits<long double>::quiet_NaN();
  const std::vector<TableCase> cases = {
      {1, 0, orvex::GL_VERSION_1_0},
      {1, 1, orvex::GL_VERSION_1_1},
      {1, 2, orvex::GL_VERSION_1_2},
      {1, 3, orvex::GL_VERSION_1_3},
      {1, 4, orvex::GL_VERSION_1_4},
      {1, 5, orvex::GL_VERSION_1_5},
      {1, 7, orvex::GL_VERSION_1_5},
      {2, 0, orvex::GL_VERSION_2_0},
      {2, 1, orvex::GL_VERSION_2_1},
      {2, 2, orvex::GL_VERSION_2_1},
      {2, 9, orvex::GL_VERSION_2_1},
      {3, 0, orvex::GL_VERSION_3_0},
      {3, 1, orvex::GL_VERSION_3_1},
      {3, 2, orvex::GL_VERSION_3_2},
      {3, 3, orvex::GL_VERSION_3_3},
      {3, 4, orvex::GL_VERSION_3_3},
      {3, 9, orvex::GL_VERSION_3_3},
      {4, 0, orvex::GL_VERSION_4_0},
      {4, 1, orvex::GL_VERSION_4_1},
      {4, 2, orvex::GL_VERSION_4_2},
      {4, 3, orvex::GL_VERSION_4_3},
      {4, 4, orvex::GL_VERSION_4_4},
      {4, 5, orvex::GL_VERSION_4_5},
      {4, 6, orvex::GL_VERSION_4_5},
      {4, 10, orvex::GL_VERSION_4_5},
      {5, 0, orvex::GL_VERSION_4_0},
      {5, 3, orvex::GL_VERSION_4_3},
      {2147483647, 2147483647, orvex::GL_VERSION_4_5},
      {0, 0, none},
      {0, 5, none},
      {-1, 2, none},
      {1, -1, none},
  };
  for (const TableCase& c : cases) {
    const long double actual = orvex::GLTABLEVERSION(c.major, c.minor);
    const bool same = std::isnan(c.expected) ? std::isnan(actual) : actual == c.expected;
    EXPECT_TRUE(same) << "GLTABLEVERSION(" << c.major << ", " << c.minor << ")\n  expected "
                      << c.expected << "\n  actual   " << actual;
  }
}

struct RequestCase {
  std::int32_t major;
  std::int32_t minor;
  long double request;
  bool met;
};

// What CHECKOPENGLVERSION answers for a driver of major.minor: its table version compared with
// the request in extended precision.
TEST(GlTableVersion, MeetsRequestsWrittenAsTheSameDecimal) {
  const std::vector<RequestCase> cases = {
      {2, 0, 1.2L, true},
      {1, 1, 1.2L, false},
      {1, 2, 1.2L, true},
      {1, 2, orvex::GL_VERSION_1_2, true},
      {4, 6, 1.2L, true},
      {4, 6, 4.6L, false},
      {4, 6, 4.5L, true},
      {3, 3, 3.3L, true},
      {2, 1, 2.1L, true},
      {1, 3, 1.3L, true},
      {1, 5, 1.5L, true},
      {3, 0, 3.01L, false},
      {0, 0, 0.0L, false},
      {0, 0, -1.0L, false},
      {4, 5, std::numeric_limits<long double>::quiet_NaN(), false},
      {4, 5, -std::numeric_limits<long double>::infinity(), true},
  };
  for (const RequestCase& c : cases) {
    const bool actual = orvex::GLTABLEVERSION(c.major, c.minor) >= c.request;
    EXPECT_EQ(actual, c.met) << "driver " << c.major << "." << c.minor << ", request " << c.request;
  }
}

TEST(GlVersionConstants, AreExtendedPrecisionNotDoubles) {
  // The double nearest 1.2 lies below the extended value nearest 1.2; a table of doubles would
  // therefore fail a request written as 1.2L.
  EXPECT_LT(static_cast<long double>(1.2), orvex::GL_VERSION_1_2);
  EXPECT_GE(orvex::GL_VERSION_1_2, 1.2L);
}

} // namespace

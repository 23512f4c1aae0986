// The red-blue exchange of 24-bit pixel arrays: every pixel of every row, never the padding
// between rows.
#include "framework/texture/bmp_texture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <vector>

namespace orvex::test {

namespace {

struct SwapCase {
  const char* name;
  std::int32_t width, height, stride;
  std::vector<std::uint8_t> before, after;
};

std::string BYTES(const std::vector<std::uint8_t>& bytes) {
  std::ostringstream out;
  for (std::uint8_t b : bytes) out << ' ' << std::hex << int(b);
  return out.str();
}

::testing::AssertionResult SWAPSAS(const SwapCase& c, const std::vector<std::uint8_t>& actual) {
  if (actual == c.after) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << c.name << ": SWAPRGB(" << c.width << ", " << c.height << ", stride " << c.stride
         << ")\n  before:  " << BYTES(c.before) << "\n  expected:" << BYTES(c.after)
         << "\n  actual:  " << BYTES(actual);
}

constexpr std::uint8_t P = 0xEE; // a padding byte

TEST(TextureSwapRgb, ExchangesRedAndBlueInEveryRowAndStepsOverThePadding) {
  const std::vector<SwapCase> cases = {
      {"one pixel", 1, 1, 4, {1, 2, 3, P}, {3, 2, 1, P}},
      {"1 x 2: one padding byte per row",
       1,
       2,
       4,
       {1, 2, 3, P, 4, 5, 6, P},
       {3, 2, 1, P, 6, 5, 4, P}},
      {"2 x 2: two padding bytes per row",
       2,
       2,
       8,
       {1, 2, 3, 4, 5, 6, P, P, 7, 8, 9, 10, 11, 12, P, P},
       {3, 2, 1, 6, 5, 4, P, P, 9, 8, 7, 12, 11, 10, P, P}},
      {"3 x 2: three padding bytes per row",
       3,
       2,
       12,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, P, P, P, 10, 11, 12, 13, 14, 15, 16, 17, 18, P, P, P},
       {3, 2, 1, 6, 5, 4, 9, 8, 7, P, P, P, 12, 11, 10, 15, 14, 13, 18, 17, 16, P, P, P}},
      {"4 x 1: no padding",
       4,
       1,
       12,
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
       {3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}},
      {"no rows", 2, 0, 8, {1, 2, 3, 4, 5, 6, P, P}, {1, 2, 3, 4, 5, 6, P, P}},
      {"no columns", 0, 2, 4, {1, 2, 3, P, 4, 5, 6, P}, {1, 2, 3, P, 4, 5, 6, P}},
  };
  for (const SwapCase& c : cases) {
    std::vector<std::uint8_t> bytes = c.before;
    SWAPRGB(bytes.data(), c.width, c.height, c.stride);
    EXPECT_TRUE(SWAPSAS(c, bytes));
  }
}

} // namespace

} // namespace orvex::test

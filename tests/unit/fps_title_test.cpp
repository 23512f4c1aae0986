// The frame-rate arithmetic of the title row: the rate of one interval's frames, the title
// text, and the adjustment of FORCEFPS towards a target rate.
#include "framework/window/fps_title.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace orvex;

TEST(FpsTitle, RateOfOneIntervalRoundsToNearest) {
  struct Case {
    std::int32_t frames, force, rate;
  };
  const Case cases[] = {
      {300, 1, 60}, // 60.0
      {2, 1, 0},    // 0.4
      {7, 1, 1},    // 1.4
      {13, 1, 3},   // 2.6
      {0, 1, 0},
      {300, 2, 120},
      {12, 1, 2},           // 2.4
      {14, 3, 8},           // 8.4
      {2147483, 1, 429497}, // 429496.6; the product 2147483000 still fits 32 bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(FPSRATE(c.frames, c.force), c.rate) << c.frames << " frames, FORCEFPS " << c.force;
}

TEST(FpsTitle, TitleIsTheNameAndTheRate) {
  struct Case {
    const char* name;
    std::int32_t rate;
    const char* title;
  };
  const Case cases[] = {
      {"Reflection map", 60, "Reflection map - FPS [60]"},
      {"Reflection map", 1, "Reflection map - FPS [1]"},
      {"x", 1234567, "x - FPS [1234567]"},
      {"", 5, " - FPS [5]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FPSTITLE(c.name, c.rate), c.title) << "\"" << c.name << "\", " << c.rate;
}

// Without a window the row still does its arithmetic; setting the title fails quietly.
TEST(FpsTitle, ForceFollowsTheTargetRate) {
  struct Case {
    std::int32_t target, force, frames;
    std::int32_t force_after;
  };
  const Case cases[] = {
      {30, 1, 100, 2}, // rate 20 < 30: grows
      {30, 2, 100, 1}, // rate 40 > 30: shrinks
      {30, 1, 150, 1}, // rate 30: unchanged
      {30, 5, 5, 6},   // rate 5
      {1, 1, 100, 1},  // a target of 1 or less switches the adjustment off
      {0, 3, 100, 3},
  };
  VIEWFPS = true;
  for (const Case& c : cases) {
    ADDFORCEFPS = c.target;
    FORCEFPS = c.force;
    FPSCOUNT = c.frames;
    FPSTIMERROW(FPS_TIMER);
    EXPECT_EQ(FORCEFPS, c.force_after)
        << "ADDFORCEFPS " << c.target << ", FORCEFPS " << c.force << ", " << c.frames << " frames";
    EXPECT_EQ(FPSCOUNT, 0);
  }
}

} // namespace

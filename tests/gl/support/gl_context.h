// A gtest fixture that gives each test a hidden 800 x 600 window with a current OpenGL
// compatibility context (RGBA, depth 24, stencil 8, double-buffered).
#pragma once

#include <gtest/gtest.h>

namespace orvex::test {

class GlTest : public ::testing::Test {
protected:
  static constexpr int CONTEXT_WIDTH = 800;
  static constexpr int CONTEXT_HEIGHT = 600;

  void SetUp() override;
  void TearDown() override;
};

// Makes the fixture's context current again, or releases it when current is false.
void MAKETESTCONTEXTCURRENT(bool current);

} // namespace orvex::test

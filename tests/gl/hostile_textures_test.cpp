// Hostile files as textures on the real driver: each still gives a texture name, stored under
// its number and bound, but level 0 of that texture has no image; with or without mipmap
// filters, quickly and without a large allocation.
#include "framework/texture/bmp_texture.h"
#include "gl/support/gl_context.h"
#include "unit/support/allocation_watch.h"
#include "unit/support/hostile_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

namespace orvex::test {

namespace {

constexpr double kMaxMillisecondsPerFile = 250.0;
constexpr long kMaxPeakGrowthKib = 16 * 1024;
constexpr std::size_t kMaxAllocationBytes = 1u << 20;

struct TextureOutcome {
  GLuint name = 0;
  GLint bound = 0;
  GLint width = -1, height = -1;
  bool texturing = false;
  double milliseconds = 0;
};

TextureOutcome LOADTEXTURE(const std::string& path, std::int32_t number) {
  TextureOutcome o;
  const auto start = std::chrono::steady_clock::now();
  TEXTURELOADID(path.c_str(), number);
  o.milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  o.name = TEXTUREID2[number];
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &o.bound);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &o.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &o.height);
  o.texturing = glIsEnabled(GL_TEXTURE_2D);
  return o;
}

::testing::AssertionResult NOIMAGE(const char* file, const TextureOutcome& o) {
  std::ostringstream problems;
  if (o.name == 0) problems << " no texture name;";
  if (static_cast<GLuint>(o.bound) != o.name) problems << " not bound;";
  if (o.width != 0 || o.height != 0)
    problems << " level 0 is " << o.width << " x " << o.height << ";";
  if (!o.texturing) problems << " texturing off;";
  if (o.milliseconds > kMaxMillisecondsPerFile) problems << " took " << o.milliseconds << " ms;";
  if (problems.str().empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << file << ":" << problems.str();
}

class HostileTextures : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    TEXTUREID2 = {};
  }

  void LOADALL() {
    AllocationWatch watch;
    std::int32_t number = 0;
    for (const HostileBmp& file : HOSTILEBMPS())
      EXPECT_TRUE(NOIMAGE(file.file, LOADTEXTURE(HOSTILEPATH(file.file), number++ % 501)));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_LE(watch.peak_growth_kib(), kMaxPeakGrowthKib) << "peak resident memory grew";
    if (watch.sees_allocations()) {
      EXPECT_LE(watch.largest_allocation(), kMaxAllocationBytes) << "largest single allocation";
    }
  }
};

TEST_F(HostileTextures, NoImageWithTheInitialFilters) {
  SETQUALITYTEXTURE2(GL_LINEAR, GL_LINEAR);
  LOADALL();
}

TEST_F(HostileTextures, NoImageWithMipmapFilters) {
  SETQUALITYTEXTURE2(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
  LOADALL();
}

} // namespace

} // namespace orvex::test

// Loading BMP files into numbered textures on the real driver: what each kind of file leaves
// in the texture table and in the texture object, read back with glGetTexImage.
#include "framework/texture/bmp_texture.h"
#include "gl/support/gl_context.h"
#include "gl/support/texture_bmp_file.h"
#include "gl/support/texture_readback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace orvex::test {

namespace {

// The texture table and the filters start as the program starts, also when several tests
// share one process.
class TextureLoadTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    TEXTUREID2 = {};
    SETQUALITYTEXTURE2(GL_LINEAR, GL_LINEAR);
  }
};

// What a load left behind, as the driver reports it.
struct LoadOutcome {
  std::int32_t depth = 0;            // what the probe says about the file
  bool named = false;                // a texture name stored in the table and bound
  bool texturing = false;            // GL_TEXTURE_2D enabled afterwards
  GLint width = 0, height = 0;       // level 0; 0 x 0 without an image
  std::vector<std::uint32_t> texels; // level 0 as 0xAARRGGBB, bottom row first
};

struct LoadCase {
  const char* name;
  TestBmp bmp; // the file to write; nothing is written when `missing` is set
  LoadOutcome expected;
  bool missing = false;
  bool directory = false; // the path names a directory instead of a file
};

std::string DESCRIBE(const LoadOutcome& o) {
  std::ostringstream out;
  out << "depth " << o.depth << (o.named ? ", named" : ", NO NAME")
      << (o.texturing ? ", texturing on" : ", texturing off") << ", " << o.width << " x "
      << o.height;
  for (std::size_t i = 0; i < o.texels.size() && i < 12; ++i)
    out << (i ? " " : ": ") << TEXEL(o.texels[i]);
  if (o.texels.size() > 12) out << " ...";
  return out.str();
}

std::string DESCRIBE(const LoadCase& c) {
  std::ostringstream out;
  if (c.missing) return "no such file";
  if (c.directory) return "a directory";
  out << c.bmp.bits << "-bit " << c.bmp.width << " x " << c.bmp.height << ", " << c.bmp.header_size
      << "-byte header, magic \"" << c.bmp.magic << "\", compression " << c.bmp.compression;
  if (c.bmp.keep_bytes >= 0) out << ", cut to " << c.bmp.keep_bytes << " bytes";
  return out.str();
}

::testing::AssertionResult LOADSAS(const LoadCase& c, const LoadOutcome& actual) {
  const LoadOutcome& e = c.expected;
  if (e.depth == actual.depth && e.named == actual.named && e.texturing == actual.texturing &&
      e.width == actual.width && e.height == actual.height && e.texels == actual.texels)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << c.name << "\n  file:     " << DESCRIBE(c) << "\n  expected: " << DESCRIBE(e)
         << "\n  actual:   " << DESCRIBE(actual);
}

std::string PREPARE(const LoadCase& c, const std::string& table, int index) {
  const std::string name = table + std::to_string(index) + ".bmp";
  if (c.missing) return TESTFILEPATH(name);
  if (c.directory) {
    std::filesystem::create_directory(TESTFILEPATH(name));
    return TESTFILEPATH(name);
  }
  return WRITETESTFILE(name, TESTBMPBYTES(c.bmp));
}

LoadOutcome LOAD(const std::string& path, std::int32_t num) {
  LoadOutcome o;
  o.depth = GETBMPDEPTH(path.c_str());
  glDisable(GL_TEXTURE_2D);
  TEXTURELOADID(path.c_str(), num);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  o.named = TEXTUREID2[num] != 0 && static_cast<GLuint>(bound) == TEXTUREID2[num] &&
            glIsTexture(TEXTUREID2[num]);
  o.texturing = glIsEnabled(GL_TEXTURE_2D);
  const TextureLevel level = READTEXTURELEVEL(GL_TEXTURE_2D, 0);
  o.width = level.width;
  o.height = level.height;
  for (const Texel& t : level.texels)
    o.texels.push_back(std::uint32_t{t.a} << 24 | std::uint32_t{t.r} << 16 |
                       std::uint32_t{t.g} << 8 | t.b);
  return o;
}

LoadOutcome IMAGE(std::int32_t depth, GLint width, GLint height,
                  std::vector<std::uint32_t> texels) {
  return {depth, true, true, width, height, std::move(texels)};
}

LoadOutcome NOIMAGE(std::int32_t depth) {
  return {depth, true, true, 0, 0, {}};
}

std::vector<std::uint32_t> OPAQUE(std::vector<std::uint32_t> rgb) {
  for (std::uint32_t& p : rgb) p |= 0xFF000000u;
  return rgb;
}

std::vector<std::uint32_t> GRADIENT(int width, int height) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.push_back(static_cast<std::uint32_t>((x * 2) << 16 | (y * 2) << 8 | ((x + y) & 255)));
  return pixels;
}

void RUNLOADCASES(const std::string& table, const std::vector<LoadCase>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string path = PREPARE(cases[i], table, static_cast<int>(i));
    EXPECT_TRUE(LOADSAS(cases[i], LOAD(path, static_cast<std::int32_t>(i))));
  }
}

TEST_F(TextureLoadTest, ImagesOf24And32BitsKeepTheirColoursRowsAndAlpha) {
  const std::vector<std::uint32_t> four = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const std::vector<std::uint32_t> six = {0x102030, 0x405060, 0x708090,
                                          0xA0B0C0, 0xD0E0F0, 0x123456};
  const std::vector<std::uint32_t> fifteen = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F,
                                              0x101112, 0x131415, 0x161718, 0x191A1B, 0x1C1D1E,
                                              0x1F2021, 0x222324, 0x252627, 0x28292A, 0x2B2C2D};
  const std::vector<std::uint32_t> alpha = {0x00FF0000, 0x4000FF00, 0x800000FF, 0xFF102030};
  const std::vector<LoadCase> cases = {
      {"24 bits, 2 x 2", {2, 2, 24, 40, 0, four}, IMAGE(24, 2, 2, OPAQUE(four))},
      {"24 bits, 3 x 2: rows padded by 3 bytes",
       {3, 2, 24, 40, 0, six},
       IMAGE(24, 3, 2, OPAQUE(six))},
      {"24 bits, 5 x 3: rows padded by 1 byte",
       {5, 3, 24, 40, 0, fifteen},
       IMAGE(24, 5, 3, OPAQUE(fifteen))},
      {"24 bits, 3 x 2 without the last row's padding",
       {3, 2, 24, 40, 0, six, "BM", 14 + 40 + 12 + 9},
       IMAGE(24, 3, 2, OPAQUE(six))},
      {"24 bits, 3 x 2 stored top row first",
       {3, -2, 24, 40, 0, six},
       IMAGE(24, 3, 2, OPAQUE(six))},
      {"24 bits, 128 x 128",
       {128, 128, 24, 40, 0, GRADIENT(128, 128)},
       IMAGE(24, 128, 128, OPAQUE(GRADIENT(128, 128)))},
      {"24 bits, 108-byte header", {3, 2, 24, 108, 0, six}, IMAGE(24, 3, 2, OPAQUE(six))},
      {"24 bits, 124-byte header", {2, 2, 24, 124, 0, four}, IMAGE(24, 2, 2, OPAQUE(four))},
      {"32 bits, 2 x 2: the fourth byte is alpha",
       {2, 2, 32, 40, 0, alpha},
       IMAGE(32, 2, 2, alpha)},
      {"32 bits, 108-byte header", {2, 2, 32, 108, 0, alpha}, IMAGE(32, 2, 2, alpha)},
      {"32 bits, 124-byte header, 1 x 4", {1, 4, 32, 124, 0, alpha}, IMAGE(32, 1, 4, alpha)},
  };
  RUNLOADCASES("image", cases);
}

TEST_F(TextureLoadTest, UnusableFilesStillGetATextureNameButNoImage) {
  const std::vector<std::uint32_t> four = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  const std::vector<LoadCase> cases = {
      {"missing file", {}, NOIMAGE(0), true},
      {"a directory", {}, NOIMAGE(0), false, true},
      {"10 bytes long", {2, 2, 24, 40, 0, four, "BM", 10}, NOIMAGE(0)},
      {"does not begin with BM", {2, 2, 24, 40, 0, four, "MB"}, NOIMAGE(0)},
      {"begins with BM, 40 bytes long", {2, 2, 24, 40, 0, four, "BM", 40}, NOIMAGE(0)},
      {"12-byte core header", {4, 4, 24, 12, 0, {}}, NOIMAGE(0)},
      {"8 bits with a palette", {4, 4, 8, 40, 0, {0, 1, 2, 3}}, NOIMAGE(8)},
      {"16 bits", {4, 4, 16, 40, 0, {}}, NOIMAGE(16)},
      {"24 bits cut off inside its pixels",
       {64, 64, 24, 40, 0, {}, "BM", 54 + 64 * 64 * 3 / 2},
       NOIMAGE(0)},
      {"32 bits missing its last pixel",
       {4, 4, 32, 40, 0, {}, "BM", 54 + 4 * 4 * 4 - 1},
       NOIMAGE(0)},
      {"24-bit header claiming 65536 x 65536 pixels",
       {65536, 65536, 24, 40, 0, {}, "BM", 54 + 300},
       NOIMAGE(0)},
      {"32-bit header claiming more pixels than a 32-bit count",
       {46341, 46341, 32, 40, 0, {}, "BM", 54 + 300},
       NOIMAGE(0)},
      {"24 bits, width 0", {0, 4, 24, 40, 0, {}}, NOIMAGE(0)},
      {"24 bits with run-length compression, which the decoder refuses",
       {2, 2, 24, 40, 1, four},
       NOIMAGE(24)},
  };
  RUNLOADCASES("unusable", cases);
}

struct FilterCase {
  const char* name;
  bool set_quality; // false: the filters as the program starts with them
  GLint min_filter, mag_filter;
  GLint expected_levels; // of the 8 x 4 test image, whose full chain has 4
};

std::string FILTERNAME(GLint filter) {
  switch (filter) {
  case GL_NEAREST: return "GL_NEAREST";
  case GL_LINEAR: return "GL_LINEAR";
  case GL_NEAREST_MIPMAP_NEAREST: return "GL_NEAREST_MIPMAP_NEAREST";
  case GL_NEAREST_MIPMAP_LINEAR: return "GL_NEAREST_MIPMAP_LINEAR";
  case GL_LINEAR_MIPMAP_NEAREST: return "GL_LINEAR_MIPMAP_NEAREST";
  case GL_LINEAR_MIPMAP_LINEAR: return "GL_LINEAR_MIPMAP_LINEAR";
  default: return std::to_string(filter);
  }
}

// Filters and the levels of the bound texture, each level checked to hold the image's one
// colour.
struct FilterOutcome {
  GLint min_filter = 0, mag_filter = 0, levels = 0;
  bool uniform = true;
  bool operator==(const FilterOutcome&) const = default;
};

FilterOutcome FILTEROUTCOME(const Texel& colour) {
  FilterOutcome o;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &o.min_filter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &o.mag_filter);
  for (GLint level = 0; level < 8; ++level) {
    const TextureLevel l = READTEXTURELEVEL(GL_TEXTURE_2D, level);
    if (l.width == 0) break;
    ++o.levels;
    for (const Texel& t : l.texels) o.uniform = o.uniform && t == colour;
  }
  return o;
}

::testing::AssertionResult FILTERSAS(const FilterCase& c, int bits, const FilterOutcome& actual) {
  const FilterOutcome expected{c.min_filter, c.mag_filter, c.expected_levels, true};
  if (actual == expected) return ::testing::AssertionSuccess();
  auto describe = [](const FilterOutcome& o) {
    return "min " + FILTERNAME(o.min_filter) + ", mag " + FILTERNAME(o.mag_filter) + ", " +
           std::to_string(o.levels) + " levels" + (o.uniform ? "" : ", texels WRONG");
  };
  return ::testing::AssertionFailure()
         << c.name << " (" << bits << "-bit 8 x 4 image)\n  expected: " << describe(expected)
         << "\n  actual:   " << describe(actual);
}

TEST_F(TextureLoadTest, FiltersAndMipmapsFollowTheQualityChosenBeforeTheLoad) {
  const std::vector<FilterCase> cases = {
      {"initial filters", false, GL_LINEAR, GL_LINEAR, 1},
      {"nearest", true, GL_NEAREST, GL_NEAREST, 1},
      {"linear minification, nearest magnification", true, GL_LINEAR, GL_NEAREST, 1},
      {"nearest mipmap nearest", true, GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST, 4},
      {"nearest mipmap linear", true, GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR, 4},
      {"linear mipmap nearest", true, GL_LINEAR_MIPMAP_NEAREST, GL_NEAREST, 4},
      {"linear mipmap linear", true, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 4},
  };
  const std::vector<std::uint32_t> pixels(8 * 4, 0x80336699u);
  const std::string file24 =
      WRITETESTFILE("uniform24.bmp", TESTBMPBYTES({8, 4, 24, 40, 0, pixels}));
  const std::string file32 =
      WRITETESTFILE("uniform32.bmp", TESTBMPBYTES({8, 4, 32, 40, 0, pixels}));
  std::int32_t num = 0;
  for (const FilterCase& c : cases) {
    if (c.set_quality) SETQUALITYTEXTURE2(c.min_filter, c.mag_filter);
    TEXTURELOADID(file24.c_str(), num++);
    EXPECT_TRUE(FILTERSAS(c, 24, FILTEROUTCOME(TEXEL(0xFF336699u))));
    TEXTURELOADID(file32.c_str(), num++);
    EXPECT_TRUE(FILTERSAS(c, 32, FILTEROUTCOME(TEXEL(0x80336699u))));
  }
}

TEST_F(TextureLoadTest, TexturesLoadedBeforeAQualityChangeKeepTheirFilters) {
  const std::string file = WRITETESTFILE("before.bmp", TESTBMPBYTES({8, 4, 24, 40, 0, {}}));
  TEXTURELOADID(file.c_str(), 10);
  SETQUALITYTEXTURE2(GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST);
  TEXTURELOADID(file.c_str(), 11);
  const struct {
    const char* name;
    std::int32_t num;
    FilterCase expected;
  } cases[] = {
      {"loaded before", 10, {"", false, GL_LINEAR, GL_LINEAR, 1}},
      {"loaded after", 11, {"", true, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST, 4}},
  };
  for (const auto& c : cases) {
    TEXTURESELECTID(c.num);
    FilterCase expected = c.expected;
    expected.name = c.name;
    EXPECT_TRUE(FILTERSAS(expected, 24, FILTEROUTCOME(TEXEL(0xFF000000u))));
  }
}

TEST_F(TextureLoadTest, SelectBindsTheNumberedTextureOnly) {
  const std::string file = WRITETESTFILE("select.bmp", TESTBMPBYTES({2, 2, 24, 40, 0, {}}));
  TEXTURELOADID(file.c_str(), 3);
  const GLuint first = TEXTUREID2[3];
  TEXTURELOADID(file.c_str(), 3);
  const GLuint second = TEXTUREID2[3];
  TEXTURELOADID(file.c_str(), 500);
  EXPECT_NE(first, second) << "loading a number again makes a new texture name";
  EXPECT_TRUE(glIsTexture(first)) << "the earlier texture stays allocated";

  glDisable(GL_TEXTURE_2D);
  const struct {
    const char* name;
    std::int32_t num;
    GLuint expected_binding;
  } cases[] = {
      {"never loaded", 7, 0},
      {"loaded twice", 3, second},
      {"the last number", 500, TEXTUREID2[500]},
      {"number 0, never loaded", 0, 0},
  };
  for (const auto& c : cases) {
    TEXTURESELECTID(c.num);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), c.expected_binding)
        << c.name << ": TEXTURESELECTID(" << c.num << ")";
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << c.name << ": selecting enables nothing";
  }
}

} // namespace

} // namespace orvex::test

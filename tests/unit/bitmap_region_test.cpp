// Regions from BMP files: which pixels the key colour's tolerance band cuts away, the runs of
// opaque pixels row by row, batches of many rectangles, and the palettes that come with a
// loaded bitmap.
#include "framework/window/bitmap_region.h"
#include "gdi_object.h"
#include "unit/support/bmp_builder.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using orvex::BITMAPTOREGION;
using orvex::LOADBMPFROMFILE;
using orvex::test::BmpLayout;
using orvex::test::build_bmp;
using orvex::test::pack_rows;
using Rects = std::vector<RECT>;
using Rows = std::vector<std::vector<std::uint32_t>>;

constexpr std::uint32_t kMagentaKey = 0x00FF00FF; // 0x00BBGGRR
constexpr std::uint8_t kButtonTolerance = 1;

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return (r << 16) | (g << 8) | b; // a 24- or 32-bit pixel value as stored
}
constexpr std::uint32_t kKeyPixel = rgb(255, 0, 255);
constexpr std::uint32_t kOpaquePixel = rgb(30, 90, 160);

// A directory of the test's own, removed with everything in it afterwards.
class BitmapRegionTest : public ::testing::Test {
protected:
  std::filesystem::path dir;

  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("orvex_region_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path path = dir / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // A bottom-up file of the given depth from rows given top row first.
  std::string write_image(const std::string& name, const Rows& top_first, int bpp = 24,
                          std::vector<RGBQUAD> colors = {}) {
    BmpLayout layout;
    layout.width = top_first.empty() ? 0 : static_cast<std::int32_t>(top_first[0].size());
    layout.height = static_cast<std::int32_t>(top_first.size());
    layout.bpp = static_cast<std::uint16_t>(bpp);
    if (!colors.empty() && colors.size() < (std::size_t{1} << bpp))
      layout.clr_used = static_cast<std::uint32_t>(colors.size());
    layout.colors = std::move(colors);
    layout.pixels = pack_rows(Rows(top_first.rbegin(), top_first.rend()), bpp);
    return write(name, build_bmp(layout));
  }
};

// Rows of pixels from pictures such as "OOTO": O opaque, T the key colour.
Rows pattern(const std::vector<std::string>& rows) {
  Rows out;
  for (const std::string& row : rows) {
    out.emplace_back();
    for (char c : row) out.back().push_back(c == 'T' ? kKeyPixel : kOpaquePixel);
  }
  return out;
}

std::string rects_text(const Rects& rects) {
  std::string out;
  for (const RECT& r : rects)
    out += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
  return "{" + out + " }";
}

HRGN region_of_rects(const Rects& rects) {
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  const RGNDATAHEADER header{sizeof(RGNDATAHEADER),
                             RDH_RECTANGLES,
                             static_cast<DWORD>(rects.size()),
                             0,
                             {INT_MAX, INT_MAX, 0, 0}};
  std::memcpy(buffer.data(), &header, sizeof header);
  if (!rects.empty())
    std::memcpy(buffer.data() + sizeof header, rects.data(), rects.size() * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()),
                         reinterpret_cast<const RGNDATA*>(buffer.data()));
}

Rects rects_of(HRGN rgn) {
  const DWORD bytes = GetRegionData(rgn, 0, nullptr);
  std::vector<std::uint8_t> buffer(bytes);
  if (bytes == 0 || GetRegionData(rgn, bytes, reinterpret_cast<RGNDATA*>(buffer.data())) != bytes)
    return {};
  RGNDATAHEADER header;
  std::memcpy(&header, buffer.data(), sizeof header);
  Rects out(header.nCount);
  if (!out.empty())
    std::memcpy(out.data(), buffer.data() + sizeof header, out.size() * sizeof(RECT));
  return out;
}

// Passes when the region covers exactly the rectangles' points; otherwise prints the inputs,
// the expected rectangles and the region's own. Deletes the region.
::testing::AssertionResult covers(const std::string& inputs, const Rects& expected, HRGN actual) {
  if (!actual) return ::testing::AssertionFailure() << inputs << ": no region (0)";
  HRGN wanted = region_of_rects(expected);
  const bool same = EqualRgn(actual, wanted) == TRUE;
  const Rects got = rects_of(actual);
  DeleteObject(wanted);
  DeleteObject(actual);
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << inputs << "\n  expected " << rects_text(expected) << "\n  actual   " << rects_text(got);
}

TEST_F(BitmapRegionTest, TheToleranceBandReachesUpFromTheKeyOnly) {
  struct Case {
    const char* pixel;
    std::uint32_t value;
    std::uint32_t key;
    std::uint8_t tolerance;
    bool transparent;
  };
  const Case cases[] = {
      {"the key itself", rgb(255, 0, 255), kMagentaKey, kButtonTolerance, true},
      {"green 1 above the key", rgb(255, 1, 255), kMagentaKey, kButtonTolerance, true},
      {"red 1 below the key", rgb(254, 0, 255), kMagentaKey, kButtonTolerance, false},
      {"green 2 above the key", rgb(255, 2, 255), kMagentaKey, kButtonTolerance, false},
      {"blue 1 below the key", rgb(255, 0, 254), kMagentaKey, kButtonTolerance, false},
      {"green and blue apart", rgb(255, 1, 0), kMagentaKey, kButtonTolerance, false},
      {"green 1 above, tolerance 0", rgb(255, 1, 255), kMagentaKey, 0, false},
      {"the key, tolerance 0", rgb(255, 0, 255), kMagentaKey, 0, true},
      {"black key: black", rgb(0, 0, 0), 0x00000000, 0, true},
      {"black key, tolerance 10: (10, 10, 10)", rgb(10, 10, 10), 0x00000000, 10, true},
      {"black key, tolerance 10: (11, 0, 0)", rgb(11, 0, 0), 0x00000000, 10, false},
      {"key red 250, tolerance 10 caps at 255", rgb(255, 0, 0), 0x000000FA, 10, true},
      {"key red 250, tolerance 10: red 249", rgb(249, 0, 0), 0x000000FA, 10, false},
      {"key blue 200 (0x00C80000): blue 200", rgb(0, 0, 200), 0x00C80000, 0, true},
  };
  for (const Case& c : cases) {
    const std::string file = write_image("band.bmp", {{c.value}});
    const Rects expected = c.transparent ? Rects{} : Rects{{0, 0, 1, 1}};
    EXPECT_TRUE(covers(std::string(c.pixel) + ", key " + std::to_string(c.key) + " tolerance " +
                           std::to_string(c.tolerance),
                       expected, BITMAPTOREGION(file, c.key, c.tolerance)));
  }
}

TEST_F(BitmapRegionTest, OpaqueRunsBecomeOneRectanglePerRunAndRow) {
  struct Case {
    std::vector<std::string> rows; // top row first
    Rects expected;
  };
  const Case cases[] = {
      {{"OOTO"}, {{0, 0, 2, 1}, {3, 0, 4, 1}}},
      {{"OOOO"}, {{0, 0, 4, 1}}},
      {{"TOTO"}, {{1, 0, 2, 1}, {3, 0, 4, 1}}},
      {{"OTTO"}, {{0, 0, 1, 1}, {3, 0, 4, 1}}},
      {{"TTTO"}, {{3, 0, 4, 1}}},
      {{"OTTT"}, {{0, 0, 1, 1}}},
      {{"TOOT"}, {{1, 0, 3, 1}}},
      {{"OTTT", "TTTO"}, {{0, 0, 1, 1}, {3, 1, 4, 2}}},
      {{"TTTT", "OOTO", "TTTT"}, {{0, 1, 2, 2}, {3, 1, 4, 2}}},
      {{"OOO", "OOO", "OOO", "OOO", "OOO"},
       {{0, 0, 3, 1}, {0, 1, 3, 2}, {0, 2, 3, 3}, {0, 3, 3, 4}, {0, 4, 3, 5}}},
      {{"O"}, {{0, 0, 1, 1}}},
  };
  for (const Case& c : cases) {
    std::string picture;
    for (const std::string& row : c.rows) picture += " " + row;
    const std::string file = write_image("rows.bmp", pattern(c.rows));
    EXPECT_TRUE(
        covers("rows" + picture, c.expected, BITMAPTOREGION(file, kMagentaKey, kButtonTolerance)));
  }
}

TEST_F(BitmapRegionTest, EveryDepthReadsTheKeyTheSameWay) {
  const RGBQUAD key{255, 0, 255, 0}, dark{40, 20, 10, 0}; // blue, green, red, reserved
  struct Case {
    const char* image;
    int bpp;
    std::vector<RGBQUAD> colors;
    Rows rows; // raw values: colour indices, or little-endian pixels
  };
  const Case cases[] = {
      {"1 bit, key at index 1", 1, {dark, key}, {{0, 0, 1, 0}}},
      {"4 bits, key at index 3", 4, {dark, dark, dark, key}, {{0, 0, 3, 0}}},
      {"8 bits, key at index 200", 8, std::vector<RGBQUAD>(256, dark), {{0, 0, 200, 0}}},
      {"16 bits 5-5-5, (31, 0, 31)", 16, {}, {{0x0421, 0x0421, 0x7C1F, 0x0421}}},
      {"32 bits", 32, {}, {{kOpaquePixel, kOpaquePixel, kKeyPixel, kOpaquePixel}}},
  };
  for (Case c : cases) {
    if (c.bpp == 8) c.colors[200] = key;
    const std::string file = write_image("depth.bmp", c.rows, c.bpp, c.colors);
    EXPECT_TRUE(covers(c.image, {{0, 0, 2, 1}, {3, 0, 4, 1}},
                       BITMAPTOREGION(file, kMagentaKey, kButtonTolerance)));
  }
}

TEST_F(BitmapRegionTest, ManyRectanglesEqualOneRegionMadeOfThemAll) {
  // Each row has `runs` one-pixel runs; odd rows are shifted by one pixel so that no two
  // rows could merge into taller rectangles.
  struct Case {
    const char* what;
    int runs;
    int rows;
  };
  const Case cases[] = {
      {"exactly 2000: one full batch and an empty one", 50, 40},
      {"2500: a batch of 2000 and one of 500", 25, 100},
      {"2001: the batch ends one rectangle into a row", 40, 50},
      {"2520: the batch ends in the middle of a row", 30, 84},
      {"1999: a single batch", 1999, 1},
  };
  for (const Case& c : cases) {
    Rows rows;
    Rects expected;
    for (int y = 0; y < c.rows; ++y) {
      std::vector<std::uint32_t> row(static_cast<std::size_t>(2 * c.runs + 1), kKeyPixel);
      for (int i = 0; i < c.runs; ++i) {
        const int x = 2 * i + (y % 2);
        row[static_cast<std::size_t>(x)] = kOpaquePixel;
        expected.push_back({x, y, x + 1, y + 1});
      }
      rows.push_back(row);
    }
    const std::string file = write_image("many.bmp", rows);
    EXPECT_TRUE(covers(std::string(c.what) + " (" + std::to_string(expected.size()) + ")", expected,
                       BITMAPTOREGION(file, kMagentaKey, kButtonTolerance)));
  }
}

TEST_F(BitmapRegionTest, WholeAndEmptyImages) {
  struct Case {
    const char* what;
    int width, height;
    std::uint32_t pixel;
  };
  const Case cases[] = {
      {"fully opaque 7 x 5", 7, 5, kOpaquePixel},
      {"fully opaque 1 x 300", 1, 300, kOpaquePixel},
      {"fully transparent 6 x 4", 6, 4, kKeyPixel},
  };
  for (const Case& c : cases) {
    const Rows rows(static_cast<std::size_t>(c.height),
                    std::vector<std::uint32_t>(static_cast<std::size_t>(c.width), c.pixel));
    const std::string file = write_image("whole.bmp", rows);
    Rects expected;
    if (c.pixel == kOpaquePixel)
      for (int y = 0; y < c.height; ++y) expected.push_back({0, y, c.width, y + 1});
    HRGN region = BITMAPTOREGION(file, kMagentaKey, kButtonTolerance);
    if (c.pixel == kKeyPixel) {
      RECT box{1, 1, 1, 1};
      EXPECT_EQ(GetRgnBox(region, &box), NULLREGION) << c.what << ": a valid, empty region";
    }
    EXPECT_TRUE(covers(c.what, expected, region));
  }
}

TEST_F(BitmapRegionTest, ReleasesEverythingButTheRegionItReturns) {
  const std::string good = write_image("good.bmp", pattern({"OOTO", "TOOT"}));
  const std::string broken = write("broken.bmp", {'B', 'M', 1, 2, 3});
  struct Case {
    std::string what;
    std::string file;
    bool region;
  };
  const Case cases[] = {
      {"a readable image", good, true},
      {"a missing file", (dir / "missing.bmp").string(), false},
      {"a file that is no BMP", broken, false},
  };
  for (const Case& c : cases) {
    const std::size_t before = orvex::platform::live_gdi_objects();
    HRGN region = BITMAPTOREGION(c.file, kMagentaKey, kButtonTolerance);
    EXPECT_EQ(region != 0, c.region) << c.what;
    EXPECT_EQ(orvex::platform::live_gdi_objects(), before + (c.region ? 1 : 0))
        << c.what << ": GDI objects left behind";
    if (region) DeleteObject(region);
  }
}

TEST_F(BitmapRegionTest, LoadedBitmapsComeWithTheirPalette) {
  const RGBQUAD red{0, 0, 255, 0}, green{0, 255, 0, 0}, blue{255, 0, 0, 0};
  const std::vector<PALETTEENTRY> halftone = [] {
    HPALETTE h = CreateHalftonePalette(0);
    std::vector<PALETTEENTRY> e(GetPaletteEntries(h, 0, 0, nullptr));
    GetPaletteEntries(h, 0, static_cast<UINT>(e.size()), e.data());
    DeleteObject(h);
    return e;
  }();
  // The image's colour table first, black after it.
  auto table = [](std::vector<RGBQUAD> colors) {
    std::vector<PALETTEENTRY> e(256, PALETTEENTRY{0, 0, 0, 0});
    for (std::size_t i = 0; i < colors.size(); ++i)
      e[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    return e;
  };
  struct Case {
    const char* image;
    int bpp;
    std::vector<RGBQUAD> colors;
    std::vector<PALETTEENTRY> palette;
  };
  const Case cases[] = {
      {"1 bit", 1, {red, blue}, table({red, blue})},
      {"4 bits with 3 colours", 4, {red, green, blue}, table({red, green, blue})},
      {"8 bits with 256 colours", 8, std::vector<RGBQUAD>(256, green),
       table(std::vector<RGBQUAD>(256, green))},
      {"16 bits", 16, {}, halftone},
      {"24 bits", 24, {}, halftone},
      {"32 bits", 32, {}, halftone},
  };
  for (const Case& c : cases) {
    const std::string file = write_image("palette.bmp", {{0, 1}}, c.bpp, c.colors);
    HPALETTE pal = 0;
    HBITMAP bitmap = LOADBMPFROMFILE(file, pal);
    ASSERT_NE(bitmap, 0u) << c.image;
    BITMAP bm{};
    GetObjectA(bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, c.bpp) << c.image << ": the file's depth";
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(pal, 0, 0, nullptr));
    GetPaletteEntries(pal, 0, static_cast<UINT>(entries.size()), entries.data());
    bool same = entries.size() == c.palette.size();
    for (std::size_t i = 0; same && i < entries.size(); ++i)
      same = std::memcmp(&entries[i], &c.palette[i], sizeof(PALETTEENTRY)) == 0;
    EXPECT_TRUE(same) << c.image << ": palette of " << entries.size() << " entries, expected "
                      << c.palette.size()
                      << (entries.size() == c.palette.size() ? " (same size, different colours)"
                                                             : "");
    DeleteObject(bitmap);
    DeleteObject(pal);
  }

  HPALETTE untouched = 12345;
  EXPECT_EQ(LOADBMPFROMFILE((dir / "missing.bmp").string(), untouched), 0u);
  EXPECT_EQ(untouched, 12345u) << "a failed load leaves the palette variable alone";
}

} // namespace

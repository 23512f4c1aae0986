// Cursor and icon files: masks and alpha to ARGB, hot spots, the choice among several
// pictures, and refusal of malformed files.
#include "cursor_file.h"

#include "unit/support/bmp_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace {

using orvex::platform::CursorImage;
using orvex::platform::decode_cursor_file;
using orvex::test::hex;
using orvex::test::pack_rows;
using Rows = std::vector<std::vector<std::uint32_t>>;

struct Picture {
  int width, height, bpp;
  std::vector<RGBQUAD> colors;
  Rows colour_rows; // top first: indices or pixel values
  Rows mask_rows;   // top first: 1 = transparent; empty: no mask stored
  int hot_x = 0, hot_y = 0;
  bool png = false;
};

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::vector<std::uint8_t> image_bytes(const Picture& p) {
  std::vector<std::uint8_t> out;
  if (p.png) {
    constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    out.assign(64, 0);
    std::copy(std::begin(kSignature), std::end(kSignature), out.begin());
    return out;
  }
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(p.width));
  put32(out, static_cast<std::uint32_t>(p.height * 2));
  put16(out, 1);
  put16(out, static_cast<std::uint32_t>(p.bpp));
  put32(out, BI_RGB);
  for (int i = 0; i < 3; ++i) put32(out, 0); // image size, resolution
  put32(out, static_cast<std::uint32_t>(p.colors.size()));
  put32(out, 0);
  for (const RGBQUAD& c : p.colors) {
    out.push_back(c.rgbBlue);
    out.push_back(c.rgbGreen);
    out.push_back(c.rgbRed);
    out.push_back(0);
  }
  const auto colour = pack_rows(Rows(p.colour_rows.rbegin(), p.colour_rows.rend()), p.bpp);
  out.insert(out.end(), colour.begin(), colour.end());
  const auto mask = pack_rows(Rows(p.mask_rows.rbegin(), p.mask_rows.rend()), 1);
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

// A .ico (type 1) or .cur (type 2) file of the pictures, in the given order.
std::vector<std::uint8_t> icon_file(std::uint16_t type, const std::vector<Picture>& pictures) {
  std::vector<std::uint8_t> out;
  put16(out, 0);
  put16(out, type);
  put16(out, static_cast<std::uint32_t>(pictures.size()));
  std::vector<std::vector<std::uint8_t>> images;
  for (const Picture& p : pictures) images.push_back(image_bytes(p));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const Picture& p = pictures[i];
    out.push_back(static_cast<std::uint8_t>(p.width));
    out.push_back(static_cast<std::uint8_t>(p.height));
    out.push_back(0);
    out.push_back(0);
    put16(out, type == 2 ? static_cast<std::uint32_t>(p.hot_x) : 1);
    put16(out, type == 2 ? static_cast<std::uint32_t>(p.hot_y) : static_cast<std::uint32_t>(p.bpp));
    put32(out, static_cast<std::uint32_t>(images[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

const std::vector<RGBQUAD> kMono = {{0, 0, 0, 0}, {255, 255, 255, 0}};

Picture solid(int side, int bpp, std::uint32_t value, std::vector<RGBQUAD> colors = {}) {
  Picture p{side,
            side,
            bpp,
            std::move(colors),
            Rows(static_cast<std::size_t>(side),
                 std::vector<std::uint32_t>(static_cast<std::size_t>(side), value)),
            Rows(static_cast<std::size_t>(side),
                 std::vector<std::uint32_t>(static_cast<std::size_t>(side), 0))};
  return p;
}

struct CursorCase {
  std::string name;
  std::vector<std::uint8_t> file;
  int width, height, hot_x, hot_y;
  std::vector<std::uint32_t> argb; // empty: not compared
};

std::string argb_text(const std::vector<std::uint32_t>& v) {
  std::string out;
  char buf[12];
  for (std::size_t i = 0; i < v.size() && i < 16; ++i) {
    std::snprintf(buf, sizeof buf, " %08X", v[i]);
    out += buf;
  }
  return "{" + out + (v.size() > 16 ? " ..." : "") + " }";
}

TEST(DecodeCursorFile, MasksAlphaHotSpotsAndTheBestPicture) {
  const std::uint32_t B = 0xFF000000u, W = 0xFFFFFFFFu;
  Picture mono{4, 2, 1, kMono, {{0, 1, 0, 1}, {1, 1, 0, 0}}, {{0, 0, 1, 1}, {0, 0, 1, 0}}, 1, 1};
  Picture alpha{2, 1, 32, {}, {{0x80FF0000u, 0x00000000u}}, {{1, 1}}, 0, 0};
  Picture no_alpha{2, 1, 32, {}, {{0x00112233u, 0x00445566u}}, {{0, 1}}, 0, 0};
  Picture alpha_no_mask{2, 1, 32, {}, {{0x40FF0000u, 0xFF00FF00u}}, {}, 0, 0};
  Picture outside = mono;
  outside.hot_x = 40;
  outside.hot_y = 9;
  Picture png = solid(32, 32, 0);
  png.png = true;
  const std::vector<CursorCase> cases = {
      {"1 bit cursor: colour, transparent and inverting pixels",
       icon_file(2, {mono}),
       4,
       2,
       1,
       1,
       {B, W, 0, B, W, W, 0, B}},
      {"32 bit with alpha ignores the mask", icon_file(2, {alpha}), 2, 1, 0, 0, {0x80FF0000u, 0}},
      {"32 bit without alpha uses the mask",
       icon_file(2, {no_alpha}),
       2,
       1,
       0,
       0,
       {0xFF112233u, B}},
      {"32 bit alpha without a mask",
       icon_file(2, {alpha_no_mask}),
       2,
       1,
       0,
       0,
       {0x40FF0000u, 0xFF00FF00u}},
      {"icon: the hot spot is the centre", icon_file(1, {solid(4, 8, 1, kMono)}), 4, 4, 2, 2,
       std::vector<std::uint32_t>(16, W)},
      {"hot spot outside the picture is clamped", icon_file(2, {outside}), 4, 2, 3, 1, {}},
      {"32 x 32 wins over 16 and 48",
       icon_file(1, {solid(16, 8, 1, kMono), solid(48, 8, 1, kMono), solid(32, 8, 1, kMono)}),
       32,
       32,
       16,
       16,
       {}},
      {"the deeper of two 32 x 32 pictures",
       icon_file(1, {solid(32, 4, 1, kMono), solid(32, 32, 0x00FF0000u)}), 32, 32, 16, 16,
       std::vector<std::uint32_t>(32 * 32, 0xFFFF0000u)},
      {"24 is nearer 32 than 48",
       icon_file(1, {solid(48, 8, 1, kMono), solid(24, 24, 0x000000FFu)}), 24, 24, 12, 12,
       std::vector<std::uint32_t>(24 * 24, 0xFF0000FFu)},
      {"a PNG picture is passed over", icon_file(1, {png, solid(16, 24, 0x00123456u)}), 16, 16, 8,
       8, std::vector<std::uint32_t>(16 * 16, 0xFF123456u)},
      {"4 bit with a short colour table",
       icon_file(2, {Picture{3, 1, 4, {{1, 2, 3, 0}, {4, 5, 6, 0}}, {{1, 0, 1}}, {{0, 0, 0}}}}),
       3,
       1,
       0,
       0,
       {0xFF060504u, 0xFF030201u, 0xFF060504u}},
  };
  for (const CursorCase& c : cases) {
    std::optional<CursorImage> got = decode_cursor_file(c.file.data(), c.file.size());
    if (!got) {
      ADD_FAILURE() << c.name << ": refused";
      continue;
    }
    EXPECT_TRUE(got->width == c.width && got->height == c.height && got->hot_x == c.hot_x &&
                got->hot_y == c.hot_y && (c.argb.empty() || got->argb == c.argb) &&
                got->argb.size() == static_cast<std::size_t>(c.width * c.height))
        << c.name << "\n  expected " << c.width << "x" << c.height << " hot " << c.hot_x << ","
        << c.hot_y << " " << argb_text(c.argb) << "\n  actual   " << got->width << "x"
        << got->height << " hot " << got->hot_x << "," << got->hot_y << " " << argb_text(got->argb);
  }
}

std::vector<std::uint8_t> patched(std::vector<std::uint8_t> file, std::size_t offset,
                                  std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    file[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  return file;
}

TEST(DecodeCursorFile, MalformedFilesAreRefused) {
  Picture mono{4, 2, 1, kMono, {{0, 1, 0, 1}, {1, 1, 0, 0}}, {{0, 0, 1, 1}, {0, 0, 1, 0}}, 1, 1};
  Picture png = solid(32, 32, 0);
  png.png = true;
  Picture no_mask = solid(4, 8, 1, kMono);
  no_mask.mask_rows.clear();
  const auto good = icon_file(2, {mono});
  constexpr std::size_t kImage = 6 + 16; // the only picture's header
  struct Case {
    std::string name;
    std::vector<std::uint8_t> file;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"reserved field set", patched(good, 0, 1, 2)},
      {"type 3", patched(good, 2, 3, 2)},
      {"no pictures", patched(good, 4, 0, 2)},
      {"more entries than the file holds", patched(good, 4, 0xFFFF, 2)},
      {"picture offset past the end", patched(good, 6 + 12, 100000, 4)},
      {"picture size past the end", patched(good, 6 + 8, 100000, 4)},
      {"picture offset near 4 GiB", patched(good, 6 + 12, 0xFFFFFFF0u, 4)},
      {"only a PNG picture", icon_file(1, {png})},
      {"core header", patched(good, kImage, 12, 4)},
      {"top-down picture", patched(good, kImage + 8, static_cast<std::uint32_t>(-4), 4)},
      {"odd header height", patched(good, kImage + 8, 3, 4)},
      {"512 pixels wide", patched(good, kImage + 4, 512, 4)},
      {"bit count 0", patched(good, kImage + 14, 0, 2)},
      {"run-length compressed", patched(good, kImage + 16, BI_RLE4, 4)},
      {"8 bit without its mask", icon_file(1, {no_mask})},
  };
  for (const Case& c : cases) {
    std::optional<CursorImage> got = decode_cursor_file(c.file.data(), c.file.size());
    EXPECT_FALSE(got) << c.name << ": decoded as " << got->width << "x" << got->height
                      << "\n  file " << hex(c.file);
  }
  for (std::size_t n = 0; n < good.size(); ++n) {
    std::vector<std::uint8_t> prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    EXPECT_FALSE(decode_cursor_file(prefix.data(), prefix.size()))
        << "cut to " << n << " of " << good.size();
  }
}

} // namespace

namespace {

// Cursor files with bytes changed at random (a fixed seed) decode or are refused; what
// decodes has a pixel for every position and its hot spot inside.
TEST(DecodeCursorFile, MutatedFilesStayInsideTheBuffer) {
  Picture mono{4, 2, 1, kMono, {{0, 1, 0, 1}, {1, 1, 0, 0}}, {{0, 0, 1, 1}, {0, 0, 1, 0}}, 1, 1};
  const std::vector<std::vector<std::uint8_t>> seeds = {
      icon_file(2, {mono}), icon_file(1, {solid(4, 8, 1, kMono), solid(2, 32, 0x11223344u)})};
  std::uint32_t state = 777;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  for (const auto& seed : seeds) {
    for (int round = 0; round < 3000; ++round) {
      std::vector<std::uint8_t> file = seed;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int i = 0; i < changes; ++i)
        file[next() % file.size()] = static_cast<std::uint8_t>(next() >> 24);
      std::optional<CursorImage> got = decode_cursor_file(file.data(), file.size());
      if (!got) continue;
      ASSERT_EQ(got->argb.size(),
                static_cast<std::size_t>(got->width) * static_cast<std::size_t>(got->height));
      ASSERT_TRUE(got->hot_x >= 0 && got->hot_x < got->width && got->hot_y >= 0 &&
                  got->hot_y < got->height);
    }
  }
}

} // namespace

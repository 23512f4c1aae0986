// The BMP decoder: every header variant and depth, run-length and bit-field data, top-down
// files, and a table of malformed files that must all be refused.
#include "bmp_decode.h"

#include "unit/support/bmp_builder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using orvex::platform::ChannelMasks;
using orvex::platform::decode_bmp;
using orvex::platform::DecodedBmp;
using orvex::test::BmpLayout;
using orvex::test::build_bmp;
using orvex::test::hex;
using orvex::test::pack_rows;
using Rows = std::vector<std::vector<std::uint32_t>>;

struct Expected {
  int width;
  int height;
  int bpp;
  std::vector<RGBQUAD> colors;
  std::vector<std::uint8_t> pixels; // bottom-up, padded
  ChannelMasks masks{};
};

struct DecodeCase {
  std::string name;
  std::vector<std::uint8_t> file;
  Expected expected;
};

std::string colors_text(const std::vector<RGBQUAD>& colors) {
  std::string out;
  char buf[16];
  for (const RGBQUAD& c : colors) {
    std::snprintf(buf, sizeof buf, " %02X%02X%02X%02X", c.rgbRed, c.rgbGreen, c.rgbBlue,
                  c.rgbReserved);
    out += buf;
  }
  return "{" + out + " }";
}

// The one comparator: decodes the case's file and reports every field that differs.
testing::AssertionResult decodes_as(const DecodeCase& c) {
  std::optional<DecodedBmp> got = decode_bmp(c.file.data(), c.file.size());
  if (!got) return testing::AssertionFailure() << c.name << ": refused\n  file " << hex(c.file);
  const Expected& e = c.expected;
  std::vector<RGBQUAD> got_colors = got->colors;
  bool colors_equal = got_colors.size() == e.colors.size();
  for (std::size_t i = 0; colors_equal && i < e.colors.size(); ++i)
    colors_equal = std::memcmp(&got_colors[i], &e.colors[i], sizeof(RGBQUAD)) == 0;
  const bool masks_equal = e.bpp != 16 && e.bpp != 32 ? true : got->masks == e.masks;
  if (got->width == e.width && got->height == e.height && got->bpp == e.bpp && colors_equal &&
      got->pixels == e.pixels && masks_equal)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << c.name << "\n  file     " << hex(c.file) << "\n  expected " << e.width << "x"
         << e.height << "x" << e.bpp << " colours " << colors_text(e.colors) << " masks "
         << std::hex << e.masks.red << "/" << e.masks.green << "/" << e.masks.blue << std::dec
         << "\n           " << hex(e.pixels) << "\n  actual   " << got->width << "x" << got->height
         << "x" << got->bpp << " colours " << colors_text(got_colors) << " masks " << std::hex
         << got->masks.red << "/" << got->masks.green << "/" << got->masks.blue << std::dec
         << "\n           " << hex(got->pixels);
}

const std::vector<RGBQUAD> kMono = {{0, 0, 0, 0}, {255, 255, 255, 0}};
const std::vector<RGBQUAD> kThree = {{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
std::vector<RGBQUAD> grey_ramp(int n) {
  std::vector<RGBQUAD> out;
  for (int i = 0; i < n; ++i)
    out.push_back({static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0});
  return out;
}

BmpLayout layout(std::uint32_t header, int w, int h, std::uint16_t bpp,
                 std::vector<std::uint8_t> pixels, std::vector<RGBQUAD> colors = {}) {
  BmpLayout s;
  s.header_size = header;
  s.width = w;
  s.height = h;
  s.bpp = bpp;
  s.pixels = std::move(pixels);
  s.colors = std::move(colors);
  // A short table has to be announced; a full one is implied by a count of 0.
  if (header != 12 && bpp <= 8 && !s.colors.empty() && s.colors.size() < (1u << bpp))
    s.clr_used = static_cast<std::uint32_t>(s.colors.size());
  return s;
}

BmpLayout with_masks(BmpLayout s, std::array<std::uint32_t, 3> masks) {
  s.compression = BI_BITFIELDS;
  s.masks = masks;
  return s;
}

BmpLayout with_clr_used(BmpLayout s, std::uint32_t n) {
  s.clr_used = n;
  return s;
}

BmpLayout with_offset(BmpLayout s, std::uint32_t offset) {
  s.pixel_offset = offset;
  return s;
}

// Rows as a bottom-up file stores them: the bottom image row first.
const Rows kMonoRows = {{1, 0, 1, 0, 1, 0, 1, 0, 1, 1}, {0, 1, 1, 0, 0, 0, 0, 1, 0, 1}};
const Rows kFourRows = {{0, 1, 2}, {2, 2, 1}};
const Rows kEightRows = {{0, 17, 34, 51, 255}, {1, 2, 3, 4, 5}, {200, 201, 202, 203, 204}};
const Rows k555Rows = {{0x7C00, 0x03E0, 0x001F}, {0x7FFF, 0x0000, 0x4210}};
const Rows k565Rows = {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0x0001, 0x8410}};
const Rows k24Rows = {{0x0000FF, 0x00FF00, 0xFF0000}, {0x123456, 0xABCDEF, 0x000000}};
const Rows k32Rows = {{0x80FF0000, 0x0000FF00, 0xFF0000FF}, {0x01020304, 0xFFFFFFFF, 0}};

std::vector<DecodeCase> decode_cases() {
  auto same = [](std::vector<std::uint8_t> p) { return p; };
  auto flipped = [](Rows rows, int bpp) {
    return pack_rows(Rows(rows.rbegin(), rows.rend()), bpp);
  };
  const auto mono = pack_rows(kMonoRows, 1);
  const auto four = pack_rows(kFourRows, 4);
  const auto eight = pack_rows(kEightRows, 8);
  const auto p555 = pack_rows(k555Rows, 16);
  const auto p565 = pack_rows(k565Rows, 16);
  const auto p24 = pack_rows(k24Rows, 24);
  const auto p32 = pack_rows(k32Rows, 32);
  const ChannelMasks m555{0x7C00, 0x03E0, 0x001F}, m565{0xF800, 0x07E0, 0x001F};
  const ChannelMasks m888{0xFF0000, 0xFF00, 0xFF}, mBGR{0xFF, 0xFF00, 0xFF0000};
  auto p24_short = p24;
  p24_short.resize(p24.size() - 3); // the padding of the last row is missing
  return {
      // Depths with the 40-byte header.
      {"1 bit", build_bmp(layout(40, 10, 2, 1, mono, kMono)), {10, 2, 1, kMono, same(mono)}},
      {"4 bit, 3 colours used",
       build_bmp(with_clr_used(layout(40, 3, 2, 4, four, kThree), 3)),
       {3, 2, 4, kThree, same(four)}},
      {"8 bit, 256 colours",
       build_bmp(layout(40, 5, 3, 8, eight, grey_ramp(256))),
       {5, 3, 8, grey_ramp(256), same(eight)}},
      {"8 bit, 6 colours used",
       build_bmp(with_clr_used(layout(40, 5, 3, 8, eight, grey_ramp(6)), 6)),
       {5, 3, 8, grey_ramp(6), same(eight)}},
      {"16 bit 5-5-5", build_bmp(layout(40, 3, 2, 16, p555)), {3, 2, 16, {}, same(p555), m555}},
      {"16 bit 5-6-5 bit fields after a 40-byte header",
       build_bmp(with_masks(layout(40, 3, 2, 16, p565), {0xF800, 0x07E0, 0x001F})),
       {3, 2, 16, {}, same(p565), m565}},
      {"24 bit", build_bmp(layout(40, 3, 2, 24, p24)), {3, 2, 24, {}, same(p24)}},
      {"32 bit keeps the fourth byte",
       build_bmp(layout(40, 3, 2, 32, p32)),
       {3, 2, 32, {}, same(p32), m888}},
      {"32 bit bit fields, blue-green-red order",
       build_bmp(with_masks(layout(40, 3, 2, 32, p32), {0xFF, 0xFF00, 0xFF0000})),
       {3, 2, 32, {}, same(p32), mBGR}},
      {"24 bit, 24 colours of an optimisation table",
       build_bmp(with_clr_used(layout(40, 3, 2, 24, p24, grey_ramp(24)), 24)),
       {3, 2, 24, {}, same(p24)}},
      // Header variants.
      {"12-byte core header, 8 bit",
       build_bmp(layout(12, 5, 3, 8, eight, grey_ramp(256))),
       {5, 3, 8, grey_ramp(256), same(eight)}},
      {"12-byte core header, 1 bit",
       build_bmp(layout(12, 10, 2, 1, mono, kMono)),
       {10, 2, 1, kMono, same(mono)}},
      {"12-byte core header, 24 bit",
       build_bmp(layout(12, 3, 2, 24, p24)),
       {3, 2, 24, {}, same(p24)}},
      {"52-byte header, 16 bit bit fields",
       build_bmp(with_masks(layout(52, 3, 2, 16, p565), {0xF800, 0x07E0, 0x001F})),
       {3, 2, 16, {}, same(p565), m565}},
      {"56-byte header, 32 bit bit fields",
       build_bmp(with_masks(layout(56, 3, 2, 32, p32), {0xFF, 0xFF00, 0xFF0000})),
       {3, 2, 32, {}, same(p32), mBGR}},
      {"108-byte header, 24 bit", build_bmp(layout(108, 3, 2, 24, p24)), {3, 2, 24, {}, same(p24)}},
      {"124-byte header, 32 bit",
       build_bmp(layout(124, 3, 2, 32, p32)),
       {3, 2, 32, {}, same(p32), m888}},
      {"124-byte header, 8 bit",
       build_bmp(layout(124, 5, 3, 8, eight, grey_ramp(256))),
       {5, 3, 8, grey_ramp(256), same(eight)}},
      {"108-byte header with BI_RGB ignores its mask fields",
       build_bmp([&] {
         auto s = layout(108, 3, 2, 16, p555);
         s.masks = {0xF800, 0x07E0, 0x001F};
         return s;
       }()),
       {3, 2, 16, {}, same(p555), m555}},
      // Row order and placement.
      {"top-down 24 bit is flipped",
       build_bmp(layout(40, 3, -2, 24, p24)),
       {3, 2, 24, {}, flipped(k24Rows, 24)}},
      {"top-down 1 bit is flipped",
       build_bmp(layout(40, 10, -2, 1, mono, kMono)),
       {10, 2, 1, kMono, flipped(kMonoRows, 1)}},
      {"top-down 8 bit, three rows",
       build_bmp(layout(40, 5, -3, 8, eight, grey_ramp(256))),
       {5, 3, 8, grey_ramp(256), flipped(kEightRows, 8)}},
      {"pixel offset 0 means after the table",
       build_bmp(with_offset(layout(40, 10, 2, 1, mono, kMono), 0)),
       {10, 2, 1, kMono, same(mono)}},
      {"pixel offset behind a gap",
       build_bmp(with_offset(layout(40, 3, 2, 24, p24), 54 + 8)),
       {3, 2, 24, {}, same(p24)}},
      {"padding after the last row may be missing",
       build_bmp(layout(40, 3, 2, 24, p24_short)),
       {3, 2, 24, {}, same(p24)}},
  };
}

TEST(BmpDecode, EveryDepthAndHeaderVariant) {
  for (const DecodeCase& c : decode_cases()) EXPECT_TRUE(decodes_as(c));
}

BmpLayout rle(std::uint32_t compression, int w, int h, std::vector<std::uint8_t> data,
              std::vector<RGBQUAD> colors) {
  BmpLayout s =
      layout(40, w, h, compression == BI_RLE8 ? 8 : 4, std::move(data), std::move(colors));
  s.compression = compression;
  return s;
}

// Row 0: literal 1 2 3, run of one 9, end of line. Row 1: move right 1, run of two 4, end.
const std::vector<std::uint8_t> kRle8 = {0, 3, 1, 2, 3, 0, 1, 9, 0, 0, 0, 2, 1, 0, 2, 4, 0, 1};
// Row 0: run of five alternating 1 and 2, end of line. Row 1: literal 3 4 5, run of two 7, end.
const std::vector<std::uint8_t> kRle4 = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x77, 0, 1};

TEST(BmpDecode, RunLengthDataIsExpandedToRows) {
  const std::vector<DecodeCase> cases = {
      {"RLE8 with literal, run, end of line, delta and end of bitmap",
       build_bmp(rle(BI_RLE8, 4, 2, kRle8, grey_ramp(16))),
       {4, 2, 8, grey_ramp(16), pack_rows({{1, 2, 3, 9}, {0, 4, 4, 0}}, 8)}},
      {"RLE4 with alternating run and literal nibbles",
       build_bmp(rle(BI_RLE4, 5, 2, kRle4, grey_ramp(16))),
       {5, 2, 4, grey_ramp(16), pack_rows({{1, 2, 1, 2, 1}, {3, 4, 5, 7, 7}}, 4)}},
      {"RLE8 whose last row ends with end of line and no end of bitmap",
       build_bmp(rle(BI_RLE8, 2, 2, {2, 5, 0, 0, 2, 6, 0, 0}, grey_ramp(8))),
       {2, 2, 8, grey_ramp(8), pack_rows({{5, 5}, {6, 6}}, 8)}},
      {"RLE8 end of bitmap early leaves the rest 0",
       build_bmp(rle(BI_RLE8, 3, 3, {1, 7, 0, 1}, grey_ramp(8))),
       {3, 3, 8, grey_ramp(8), pack_rows({{7, 0, 0}, {0, 0, 0}, {0, 0, 0}}, 8)}},
      {"RLE8 limited by biSizeImage",
       build_bmp([] {
         auto s = rle(BI_RLE8, 2, 1, {2, 3, 0, 1, 2, 9, 9, 9}, grey_ramp(4));
         s.size_image = 4;
         return s;
       }()),
       {2, 1, 8, grey_ramp(4), pack_rows({{3, 3}}, 8)}},
  };
  for (const DecodeCase& c : cases) EXPECT_TRUE(decodes_as(c));
}

struct HostileCase {
  std::string name;
  std::vector<std::uint8_t> file;
};

std::vector<std::uint8_t> patched(std::vector<std::uint8_t> file, std::size_t offset,
                                  std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i)
    file[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
  return file;
}

std::vector<HostileCase> hostile_cases() {
  const auto p24 = pack_rows(k24Rows, 24);
  const auto good24 = build_bmp(layout(40, 3, 2, 24, p24));
  const auto good8 = build_bmp(layout(40, 5, 3, 8, pack_rows(kEightRows, 8), grey_ramp(256)));
  const std::vector<std::uint8_t> filler(246, 0x55);
  auto bitfields16 = [](std::array<std::uint32_t, 3> m) {
    return build_bmp(with_masks(layout(40, 3, 2, 16, pack_rows(k565Rows, 16)), m));
  };
  auto rle8 = [](int w, int h, std::vector<std::uint8_t> d) {
    return build_bmp(rle(BI_RLE8, w, h, std::move(d), grey_ramp(16)));
  };
  auto rle4 = [](int w, int h, std::vector<std::uint8_t> d) {
    return build_bmp(rle(BI_RLE4, w, h, std::move(d), grey_ramp(16)));
  };
  // Offsets into a file with a 40-byte header: 14 + field offset.
  constexpr std::size_t kWidth = 18, kHeight = 22, kBitCount = 28, kCompression = 30, kClrUsed = 46;
  return {
      {"empty file", {}},
      {"shorter than the file header", {'B', 'M', 0, 0}},
      {"not BM", patched(good24, 0, 'B' | ('A' << 8), 2)},
      {"65535 x 65535 x 24 in a 300-byte file", build_bmp(layout(40, 65535, 65535, 24, filler))},
      {"65535 x 65535 x 1 in a 300-byte file",
       build_bmp(layout(40, 65535, 65535, 1, filler, kMono))},
      {"65535 x 65535 x 32 top-down in a 300-byte file",
       build_bmp(layout(40, 65535, -65535, 32, filler))},
      {"INT_MAX x 1 x 32", build_bmp(layout(40, INT_MAX, 1, 32, filler))},
      {"width 0", patched(good24, kWidth, 0)},
      {"width -1", patched(good24, kWidth, static_cast<std::uint32_t>(-1))},
      {"width INT_MIN", patched(good24, kWidth, 0x80000000u)},
      {"height 0", patched(good24, kHeight, 0)},
      {"height INT_MIN", patched(good24, kHeight, 0x80000000u)},
      {"bit count 0", patched(good24, kBitCount, 0, 2)},
      {"bit count 64", patched(good24, kBitCount, 64, 2)},
      {"bit count 2", patched(good24, kBitCount, 2, 2)},
      {"bit count 48", patched(good24, kBitCount, 48, 2)},
      {"core header with 16 bits", patched(build_bmp(layout(12, 3, 2, 24, p24)), 24, 16, 2)},
      {"core header width 0", patched(build_bmp(layout(12, 3, 2, 24, p24)), 18, 0, 2)},
      {"257 colours at 8 bits", patched(good8, kClrUsed, 257)},
      {"17 colours at 4 bits",
       build_bmp(with_clr_used(layout(40, 3, 2, 4, pack_rows(kFourRows, 4), grey_ramp(17)), 17))},
      {"3 colours at 1 bit",
       build_bmp(with_clr_used(layout(40, 10, 2, 1, pack_rows(kMonoRows, 1), grey_ramp(3)), 3))},
      {"300 colours at 24 bits", patched(good24, kClrUsed, 300)},
      {"4 billion colours", patched(good8, kClrUsed, 0xFFFFFFFFu)},
      {"colour table past the end", patched(good24, kClrUsed, 200)},
      {"pixel offset past the end", patched(good24, 10, 100000)},
      {"pixel offset at the end", patched(good24, 10, static_cast<std::uint32_t>(good24.size()))},
      {"pixel offset inside the header", patched(good24, 10, 20)},
      {"pixel offset 0xFFFFFFFF", patched(good24, 10, 0xFFFFFFFFu)},
      {"header size 64", patched(good24, 14, 64)},
      {"header size 0", patched(good24, 14, 0)},
      {"header size larger than the file", patched(good24, 14, 124)},
      {"header size 0xFFFFFFFF", patched(good24, 14, 0xFFFFFFFFu)},
      {"compression 4 (JPEG)", patched(good24, kCompression, 4)},
      {"compression 5 (PNG)", patched(good24, kCompression, 5)},
      {"compression 0x80000000", patched(good24, kCompression, 0x80000000u)},
      {"RLE8 at 24 bits", patched(good24, kCompression, BI_RLE8)},
      {"RLE4 at 8 bits", patched(good8, kCompression, BI_RLE4)},
      {"bit fields at 24 bits", patched(good24, kCompression, BI_BITFIELDS)},
      {"bit fields at 8 bits", patched(good8, kCompression, BI_BITFIELDS)},
      {"bit fields with a zero mask", bitfields16({0xF800, 0, 0x001F})},
      {"bit fields with overlapping masks", bitfields16({0xF800, 0x0FE0, 0x001F})},
      {"bit fields with a split mask", bitfields16({0xF801, 0x07E0, 0x001E})},
      {"bit fields beyond 16 bits", bitfields16({0xF8000, 0x07E0, 0x001F})},
      {"top-down RLE8", build_bmp([] {
         auto s = rle(BI_RLE8, 4, 2, kRle8, grey_ramp(16));
         s.height = -2;
         return s;
       }())},
      {"RLE8 run past the end of the row", rle8(4, 1, {5, 1, 0, 1})},
      {"RLE8 literal past the end of the row", rle8(2, 1, {0, 3, 1, 2, 3, 0, 0, 1})},
      {"RLE8 literal past the data", rle8(8, 1, {0, 6, 1, 2})},
      {"RLE8 delta past the right edge", rle8(4, 2, {0, 2, 5, 0, 0, 1})},
      {"RLE8 delta past the top", rle8(4, 2, {0, 2, 0, 2, 0, 1})},
      {"RLE8 delta missing its bytes", rle8(4, 2, {0, 2})},
      {"RLE8 data ends in the middle", rle8(4, 2, {4, 1, 0, 0})},
      {"RLE8 pixels after the last row", rle8(2, 1, {2, 1, 0, 0, 1, 1, 0, 1})},
      {"RLE8 without any data", rle8(2, 1, {})},
      {"RLE4 run past the end of the row", rle4(3, 1, {4, 0x11, 0, 1})},
      {"RLE4 literal past the data", rle4(8, 1, {0, 7, 0x12})},
      {"RLE8 30000 x 30000 from 4 bytes", rle8(30000, 30000, {0, 1, 0, 1})},
  };
}

TEST(BmpDecode, MalformedFilesAreRefused) {
  for (const HostileCase& c : hostile_cases()) {
    std::optional<DecodedBmp> got = decode_bmp(c.file.data(), c.file.size());
    EXPECT_FALSE(got) << c.name << ": decoded as " << got->width << "x" << got->height << "x"
                      << got->bpp << "\n  file " << hex(c.file);
  }
}

// Every prefix of a file is a truncated file: each must be refused, except prefixes that cut
// only the padding after the last row.
TEST(BmpDecode, EveryTruncationIsRefused) {
  struct TruncationCase {
    std::string name;
    std::vector<std::uint8_t> file;
    std::size_t tolerated; // trailing bytes whose loss is accepted
  };
  const std::vector<TruncationCase> cases = {
      {"24 bit without padding",
       build_bmp(
           layout(40, 4, 3, 24, pack_rows({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}, 24))),
       0},
      {"24 bit with 3 bytes of padding", build_bmp(layout(40, 3, 2, 24, pack_rows(k24Rows, 24))),
       3},
      {"top-down 8 bit",
       build_bmp(layout(40, 4, -2, 8, pack_rows({{1, 2, 3, 4}, {5, 6, 7, 8}}, 8), grey_ramp(8))),
       0},
      {"1 bit with colour table",
       build_bmp(layout(40, 32, 2, 1,
                        pack_rows({Rows::value_type(32, 1), Rows::value_type(32, 0)}, 1), kMono)),
       0},
      {"core header 8 bit", build_bmp(layout(12, 4, 1, 8, {1, 2, 3, 4}, grey_ramp(256))), 0},
      {"RLE8", build_bmp(rle(BI_RLE8, 4, 2, kRle8, grey_ramp(16))), 0},
      {"RLE4", build_bmp(rle(BI_RLE4, 5, 2, kRle4, grey_ramp(16))), 0},
  };
  for (const TruncationCase& c : cases) {
    ASSERT_TRUE(decode_bmp(c.file.data(), c.file.size()))
        << c.name << ": the whole file must decode";
    for (std::size_t n = 0; n < c.file.size(); ++n) {
      const bool expect_ok = n >= c.file.size() - c.tolerated;
      std::vector<std::uint8_t> prefix(c.file.begin(),
                                       c.file.begin() + static_cast<std::ptrdiff_t>(n));
      const bool ok = decode_bmp(prefix.data(), prefix.size()).has_value();
      EXPECT_EQ(ok, expect_ok) << c.name << " cut to " << n << " of " << c.file.size() << " bytes";
    }
  }
}

} // namespace

namespace {

// Files with bytes changed at random (a fixed seed) decode or are refused, and what decodes
// is consistent; under the sanitizers this also shows that no read leaves the buffer.
TEST(BmpDecode, MutatedFilesStayInsideTheBuffer) {
  const std::vector<std::vector<std::uint8_t>> seeds = {
      build_bmp(layout(40, 5, 3, 8, pack_rows(kEightRows, 8), grey_ramp(256))),
      build_bmp(layout(12, 10, 2, 1, pack_rows(kMonoRows, 1), kMono)),
      build_bmp(with_masks(layout(56, 3, 2, 32, pack_rows(k32Rows, 32)), {0xFF, 0xFF00, 0xFF0000})),
      build_bmp(rle(BI_RLE8, 4, 2, kRle8, grey_ramp(16))),
      build_bmp(rle(BI_RLE4, 5, 2, kRle4, grey_ramp(16))),
  };
  std::uint32_t state = 12345;
  auto next = [&] { return state = state * 1664525u + 1013904223u; };
  int decoded = 0;
  for (const auto& seed : seeds) {
    for (int round = 0; round < 3000; ++round) {
      std::vector<std::uint8_t> file = seed;
      const int changes = 1 + static_cast<int>(next() % 4);
      for (int i = 0; i < changes; ++i)
        file[next() % file.size()] = static_cast<std::uint8_t>(next() >> 24);
      if (next() % 8 == 0) file.resize(next() % file.size());
      std::optional<DecodedBmp> got = decode_bmp(file.data(), file.size());
      if (!got) continue;
      ++decoded;
      ASSERT_EQ(got->pixels.size(), got->stride * static_cast<std::size_t>(got->height))
          << hex(file);
      ASSERT_LE(got->colors.size(), 256u) << hex(file);
    }
  }
  EXPECT_GT(decoded, 0) << "some mutations leave a valid file";
}

} // namespace

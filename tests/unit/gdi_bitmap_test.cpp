// Bitmaps through the Win32 surface: LoadImageA from files, GetObjectA, CreateDIBSection,
// memory DCs with SelectObject and GetDIBColorTable, and BitBlt between formats.
#include "unit/support/bmp_builder.h"

#include <platform/win32.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using orvex::test::BmpLayout;
using orvex::test::build_bmp;
using orvex::test::hex;
using orvex::test::pack_rows;
using Rows = std::vector<std::vector<std::uint32_t>>;

Rows reversed(const Rows& rows) {
  return Rows(rows.rbegin(), rows.rend());
}

// A file in the test's temporary directory, removed afterwards.
struct TempFile {
  std::filesystem::path path;
  explicit TempFile(const std::vector<std::uint8_t>& bytes) {
    static int serial = 0;
    path = std::filesystem::temp_directory_path() /
           ("orvex_gdi_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + ".bmp");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() { std::filesystem::remove(path); }
};

HBITMAP load(const std::string& path, UINT flags) {
  return static_cast<HBITMAP>(
      reinterpret_cast<std::uintptr_t>(LoadImageA(0, path.c_str(), IMAGE_BITMAP, 0, 0, flags)));
}

BmpLayout file_layout(int w, int h, std::uint16_t bpp, std::vector<std::uint8_t> pixels,
                      std::vector<RGBQUAD> colors = {}) {
  BmpLayout s;
  s.width = w;
  s.height = h;
  s.bpp = bpp;
  s.pixels = std::move(pixels);
  s.colors = std::move(colors);
  if (bpp <= 8 && !s.colors.empty()) s.clr_used = static_cast<std::uint32_t>(s.colors.size());
  return s;
}

const std::vector<RGBQUAD> kFour = {
    {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}, {128, 128, 128, 0}}; // red, green, blue, grey
const std::vector<RGBQUAD> kMono = {{0, 0, 0, 0}, {255, 255, 255, 0}};

struct LoadCase {
  std::string name;
  BmpLayout file;
  UINT flags;
  LONG width, height, width_bytes;
  WORD bpp;
  std::vector<std::uint8_t> bits; // the pixel array as GetObjectA's bmBits shows it
};

TEST(LoadImageA, KeepsTheFilesDepthAndRows) {
  const Rows rows24 = {{0x0000FF, 0x00FF00, 0xFF0000},
                       {0x123456, 0xABCDEF, 0x010203}}; // bottom first
  const Rows rows32 = {{0x80FF0000, 0x0000FF00}, {0xFF0000FF, 0x01020304}};
  const Rows rows8 = {{0, 1, 2, 3, 3}, {3, 2, 1, 0, 0}};
  const Rows rows1 = {{1, 0, 1}, {0, 1, 0}};
  const std::vector<LoadCase> cases = {
      {"24 bit, flags of the texture loader", file_layout(3, 2, 24, pack_rows(rows24, 24)), 0x2030,
       3, 2, 12, 24, pack_rows(rows24, 24)},
      {"24 bit, file and DIB section", file_layout(3, 2, 24, pack_rows(rows24, 24)), 0x2010, 3, 2,
       12, 24, pack_rows(rows24, 24)},
      {"24 bit, file only", file_layout(3, 2, 24, pack_rows(rows24, 24)), LR_LOADFROMFILE, 3, 2, 12,
       24, pack_rows(rows24, 24)},
      {"32 bit keeps alpha", file_layout(2, 2, 32, pack_rows(rows32, 32)), 0x2030, 2, 2, 8, 32,
       pack_rows(rows32, 32)},
      {"8 bit with colour table", file_layout(5, 2, 8, pack_rows(rows8, 8), kFour), 0x2010, 5, 2, 8,
       8, pack_rows(rows8, 8)},
      {"1 bit", file_layout(3, 2, 1, pack_rows(rows1, 1), kMono), 0x2010, 3, 2, 4, 1,
       pack_rows(rows1, 1)},
      {"top-down 24 bit: positive height, rows bottom-up",
       file_layout(3, -2, 24, pack_rows(rows24, 24)), 0x2030, 3, 2, 12, 24,
       pack_rows(reversed(rows24), 24)},
  };
  for (const LoadCase& c : cases) {
    TempFile file(build_bmp(c.file));
    HBITMAP bitmap = load(file.path.string(), c.flags);
    ASSERT_NE(bitmap, 0u) << c.name << ": not loaded, error " << GetLastError();
    BITMAP bm{};
    const int written = GetObjectA(bitmap, sizeof bm, &bm);
    std::vector<std::uint8_t> bits;
    if (bm.bmBits)
      bits.assign(static_cast<std::uint8_t*>(bm.bmBits),
                  static_cast<std::uint8_t*>(bm.bmBits) +
                      static_cast<std::size_t>(bm.bmWidthBytes * bm.bmHeight));
    EXPECT_TRUE(written == static_cast<int>(sizeof bm) && bm.bmType == 0 && bm.bmWidth == c.width &&
                bm.bmHeight == c.height && bm.bmWidthBytes == c.width_bytes && bm.bmPlanes == 1 &&
                bm.bmBitsPixel == c.bpp && bits == c.bits)
        << c.name << " (flags 0x" << std::hex << c.flags << std::dec << ")\n  expected " << c.width
        << "x" << c.height << " row " << c.width_bytes << " bpp " << c.bpp << " bits "
        << hex(c.bits) << "\n  actual   " << bm.bmWidth << "x" << bm.bmHeight << " row "
        << bm.bmWidthBytes << " bpp " << bm.bmBitsPixel << " planes " << bm.bmPlanes << " type "
        << bm.bmType << " returned " << written << " bits " << hex(bits);
    EXPECT_TRUE(DeleteObject(bitmap));
  }
}

std::vector<RGBQUAD> color_table_of(HBITMAP bitmap) {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::array<RGBQUAD, 256> table{};
  UINT n = GetDIBColorTable(dc, 0, 256, table.data());
  SelectObject(dc, old);
  DeleteDC(dc);
  return std::vector<RGBQUAD>(table.begin(), table.begin() + n);
}

std::string table_text(const std::vector<RGBQUAD>& t) {
  std::string out;
  char buf[12];
  for (const RGBQUAD& q : t) {
    std::snprintf(buf, sizeof buf, " %02X%02X%02X", q.rgbRed, q.rgbGreen, q.rgbBlue);
    out += buf;
  }
  return "{" + out + " }";
}

TEST(LoadImageA, LoadTransparentRecoloursTheFirstPixelsEntry) {
  struct Case {
    std::string name;
    BmpLayout file;
    std::vector<RGBQUAD> expected;
  };
  const RGBQUAD white{255, 255, 255, 0};
  const std::vector<Case> cases = {
      // The first stored pixel of a bottom-up file is the bottom-left one: index 2.
      {"bottom-up 8 bit",
       file_layout(2, 2, 8, pack_rows({{2, 0}, {1, 1}}, 8), kFour),
       {kFour[0], kFour[1], white, kFour[3]}},
      // A top-down file stores the top-left pixel first: index 3.
      {"top-down 8 bit",
       file_layout(2, -2, 8, pack_rows({{3, 0}, {1, 1}}, 8), kFour),
       {kFour[0], kFour[1], kFour[2], white}},
      {"1 bit", file_layout(3, 1, 1, pack_rows({{0, 1, 1}}, 1), kMono), {white, kMono[1]}},
  };
  for (const Case& c : cases) {
    TempFile file(build_bmp(c.file));
    HBITMAP bitmap =
        load(file.path.string(), LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, 0u) << c.name;
    std::vector<RGBQUAD> got = color_table_of(bitmap);
    EXPECT_TRUE(got.size() == c.expected.size() &&
                std::memcmp(got.data(), c.expected.data(), got.size() * sizeof(RGBQUAD)) == 0)
        << c.name << "\n  expected " << table_text(c.expected) << "\n  actual   "
        << table_text(got);
    DeleteObject(bitmap);
  }
}

TEST(LoadImageA, RefusesWhatItCannotLoad) {
  TempFile good(build_bmp(file_layout(1, 1, 24, {1, 2, 3, 0})));
  TempFile bad(std::vector<std::uint8_t>{'B', 'M', 1, 2, 3});
  const std::string missing =
      (std::filesystem::temp_directory_path() / "orvex_no_such_file.bmp").string();
  struct Case {
    std::string name;
    const char* path;
    UINT type;
    int cx, cy;
    UINT flags;
    DWORD error;
  };
  const std::string good_path = good.path.string(), bad_path = bad.path.string();
  const std::vector<Case> cases = {
      {"missing file", missing.c_str(), IMAGE_BITMAP, 0, 0, 0x2010, ERROR_FILE_NOT_FOUND},
      {"not a BMP file", bad_path.c_str(), IMAGE_BITMAP, 0, 0, 0x2010, ERROR_INVALID_DATA},
      {"no file name", nullptr, IMAGE_BITMAP, 0, 0, 0x2010, ERROR_INVALID_PARAMETER},
      {"resource, not a file", good_path.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION,
       ERROR_INVALID_PARAMETER},
      {"icon type", good_path.c_str(), IMAGE_ICON, 0, 0, 0x2010, ERROR_INVALID_PARAMETER},
      {"another size", good_path.c_str(), IMAGE_BITMAP, 2, 2, 0x2010, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    HANDLE h = LoadImageA(0, c.path, c.type, c.cx, c.cy, c.flags);
    EXPECT_TRUE(h == nullptr && GetLastError() == c.error)
        << c.name << ": handle " << h << ", error " << GetLastError() << ", expected error "
        << c.error;
  }
}

TEST(GetObjectA, BitmapRecordSizesAndStaleHandles) {
  TempFile file(build_bmp(file_layout(1, 1, 24, {1, 2, 3, 0})));
  HBITMAP bitmap = load(file.path.string(), 0x2010);
  ASSERT_NE(bitmap, 0u);
  BITMAP bm{};
  EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), static_cast<int>(sizeof(BITMAP))) << "size query";
  EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP) - 1, &bm), 0) << "record too small";
  EXPECT_EQ(GetObjectA(bitmap, sizeof(BITMAP) + 16, &bm), static_cast<int>(sizeof(BITMAP)))
      << "larger buffer";
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(GetObjectA(bitmap, sizeof bm, &bm), 0) << "deleted bitmap";
  EXPECT_FALSE(DeleteObject(bitmap)) << "deleted twice";
  EXPECT_EQ(GetObjectA(0, sizeof bm, &bm), 0) << "handle 0";
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetObjectA(region, sizeof bm, &bm), 0) << "a region is no bitmap";
  DeleteObject(region);
}

// A DIB section made through CreateDIBSection, with its rows readable as packed bytes.
struct Dib {
  HBITMAP handle = 0;
  std::uint8_t* bits = nullptr;
  std::size_t bytes = 0;
};

Dib make_dib(int bpp, int w, int h, const std::vector<RGBQUAD>& colors = {},
             std::optional<std::array<std::uint32_t, 3>> masks = std::nullopt) {
  std::vector<std::uint8_t> info(40 + 4 * 256, 0);
  BITMAPINFOHEADER header{};
  header.biSize = 40;
  header.biWidth = w;
  header.biHeight = h;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bpp);
  header.biCompression = masks ? BI_BITFIELDS : BI_RGB;
  header.biClrUsed = static_cast<DWORD>(colors.size());
  std::memcpy(info.data(), &header, sizeof header);
  if (masks) std::memcpy(info.data() + 40, masks->data(), 12);
  if (!colors.empty())
    std::memcpy(info.data() + 40, colors.data(), colors.size() * sizeof(RGBQUAD));
  void* bits = nullptr;
  Dib dib;
  dib.handle = CreateDIBSection(0, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
  dib.bits = static_cast<std::uint8_t*>(bits);
  const std::size_t stride =
      ((static_cast<std::size_t>(w) * static_cast<std::size_t>(bpp) + 31) / 32) * 4;
  dib.bytes = stride * static_cast<std::size_t>(h < 0 ? -h : h);
  return dib;
}

std::vector<std::uint8_t> contents(const Dib& dib) {
  return {dib.bits, dib.bits + dib.bytes};
}

TEST(CreateDIBSection, EveryDepthZeroFilledWithPaddedRows) {
  struct Case {
    int bpp, width, height;
    std::vector<RGBQUAD> colors;
    std::optional<std::array<std::uint32_t, 3>> masks;
    LONG width_bytes;
  };
  const std::vector<Case> cases = {
      {1, 1, 1, kMono, {}, 4},
      {1, 33, 2, kMono, {}, 8},
      {4, 9, 3, kFour, {}, 8},
      {8, 5, 2, kFour, {}, 8},
      {16, 3, 2, {}, {}, 8},
      {16, 3, 2, {}, {{0xF800, 0x07E0, 0x001F}}, 8},
      {24, 3, 2, {}, {}, 12},
      {24, 4, 1, {}, {}, 12},
      {32, 3, 2, {}, {}, 12},
      {32, 2, -3, {}, {}, 8},
      {32, 2, 2, {}, {{0xFF, 0xFF00, 0xFF0000}}, 8},
  };
  for (const Case& c : cases) {
    Dib dib = make_dib(c.bpp, c.width, c.height, c.colors, c.masks);
    ASSERT_NE(dib.handle, 0u) << c.bpp << " bpp " << c.width << "x" << c.height;
    BITMAP bm{};
    GetObjectA(dib.handle, sizeof bm, &bm);
    const std::vector<std::uint8_t> zeros(dib.bytes, 0);
    EXPECT_TRUE(bm.bmWidth == c.width && bm.bmHeight == (c.height < 0 ? -c.height : c.height) &&
                bm.bmWidthBytes == c.width_bytes && bm.bmBitsPixel == c.bpp &&
                bm.bmBits == dib.bits && contents(dib) == zeros)
        << c.bpp << " bpp " << c.width << "x" << c.height << ": got " << bm.bmWidth << "x"
        << bm.bmHeight << " row " << bm.bmWidthBytes << " (expected " << c.width_bytes << ") bpp "
        << bm.bmBitsPixel;
    DeleteObject(dib.handle);
  }
}

TEST(CreateDIBSection, RefusesBadHeaders) {
  struct Case {
    std::string name;
    BITMAPINFOHEADER header;
    UINT usage;
  };
  auto h = [](LONG w, LONG ht, WORD bpp, DWORD compression = BI_RGB, DWORD size = 40) {
    return BITMAPINFOHEADER{size, w, ht, 1, bpp, compression, 0, 0, 0, 0, 0};
  };
  const std::vector<Case> cases = {
      {"palette indices", h(2, 2, 8), 1},
      {"bit count 0", h(2, 2, 0), DIB_RGB_COLORS},
      {"bit count 64", h(2, 2, 64), DIB_RGB_COLORS},
      {"width 0", h(0, 2, 32), DIB_RGB_COLORS},
      {"height 0", h(2, 0, 32), DIB_RGB_COLORS},
      {"height INT_MIN", h(2, INT32_MIN, 32), DIB_RGB_COLORS},
      {"run-length", h(2, 2, 8, BI_RLE8), DIB_RGB_COLORS},
      {"header size 20", h(2, 2, 32, BI_RGB, 20), DIB_RGB_COLORS},
      {"65535 x 65535 x 32", h(65535, 65535, 32), DIB_RGB_COLORS},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> info(40 + 4 * 256, 0);
    std::memcpy(info.data(), &c.header, sizeof c.header);
    void* bits = reinterpret_cast<void*>(1);
    HBITMAP b = CreateDIBSection(0, reinterpret_cast<const BITMAPINFO*>(info.data()), c.usage,
                                 &bits, nullptr, 0);
    EXPECT_TRUE(b == 0 && bits == nullptr) << c.name << ": handle " << b;
  }
  EXPECT_EQ(CreateDIBSection(0, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), 0u) << "no header";
}

struct BlitSide {
  int bpp, width, height;
  std::vector<RGBQUAD> colors;
  std::optional<std::array<std::uint32_t, 3>> masks;
  Rows rows; // image rows, top first: raw values (indices or pixel values)
};

struct BlitCase {
  std::string name;
  BlitSide src;
  BlitSide dst; // rows: the destination before the copy
  int x, y, width, height, src_x, src_y;
  Rows expected; // the destination after the copy, top first
};

Dib filled(const BlitSide& side) {
  Dib dib = make_dib(side.bpp, side.width, side.height, side.colors, side.masks);
  // Memory holds the bottom row first, unless the height is negative.
  std::vector<std::uint8_t> bytes =
      pack_rows(side.height < 0 ? side.rows : reversed(side.rows), side.bpp);
  if (dib.bits && bytes.size() == dib.bytes) std::memcpy(dib.bits, bytes.data(), bytes.size());
  return dib;
}

std::string rows_text(const Rows& rows) {
  std::string out;
  char buf[16];
  for (const auto& row : rows) {
    out += "\n    ";
    for (std::uint32_t v : row) {
      std::snprintf(buf, sizeof buf, "%08X ", v);
      out += buf;
    }
  }
  return out;
}

// The one comparator: copies with BitBlt and compares the destination's pixel bytes.
testing::AssertionResult blits_as(const BlitCase& c) {
  Dib src = filled(c.src), dst = filled(c.dst);
  if (!src.handle || !dst.handle)
    return testing::AssertionFailure() << c.name << ": DIB sections not made";
  HDC from = CreateCompatibleDC(0), to = CreateCompatibleDC(0);
  HGDIOBJ old_from = SelectObject(from, src.handle), old_to = SelectObject(to, dst.handle);
  BOOL ok = BitBlt(to, c.x, c.y, c.width, c.height, from, c.src_x, c.src_y, SRCCOPY);
  const std::vector<std::uint8_t> got = contents(dst);
  const std::vector<std::uint8_t> expected = pack_rows(reversed(c.expected), c.dst.bpp);
  SelectObject(from, old_from);
  SelectObject(to, old_to);
  DeleteDC(from);
  DeleteDC(to);
  DeleteObject(src.handle);
  DeleteObject(dst.handle);
  if (ok && got == expected) return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << c.name << ": BitBlt(" << c.x << ", " << c.y << ", " << c.width << ", " << c.height
         << ", src " << c.src_x << ", " << c.src_y << ") returned " << ok << "\n  source "
         << c.src.bpp << " bpp" << rows_text(c.src.rows) << "\n  expected " << c.dst.bpp << " bpp"
         << rows_text(c.expected) << "\n  expected bytes " << hex(expected) << "\n  actual bytes   "
         << hex(got);
}

TEST(BitBlt, ConvertsBetweenDepthsAndColourTables) {
  const std::vector<RGBQUAD> bw = kMono;
  const std::vector<RGBQUAD> rgbk = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  const std::array<std::uint32_t, 3> m565{0xF800, 0x07E0, 0x001F}, bgr{0xFF, 0xFF00, 0xFF0000};
  const std::vector<BlitCase> cases = {
      {"8 bit palette to 32",
       {8, 2, 2, kFour, {}, {{0, 1}, {2, 3}}},
       {32, 2, 2, {}, {}, {{0, 0}, {0, 0}}},
       0,
       0,
       2,
       2,
       0,
       0,
       {{0xFF0000, 0x00FF00}, {0x0000FF, 0x808080}}},
      {"8 bit index outside the table reads black",
       {8, 2, 1, kFour, {}, {{7, 1}}},
       {32, 2, 1, {}, {}, {{0xFFFFFFFF, 0}}},
       0,
       0,
       2,
       1,
       0,
       0,
       {{0x000000, 0x00FF00}}},
      {"24 to 32: fourth byte 0",
       {24, 2, 1, {}, {}, {{0x112233, 0x445566}}},
       {32, 2, 1, {}, {}, {{0xFFFFFFFF, 0xFFFFFFFF}}},
       0,
       0,
       2,
       1,
       0,
       0,
       {{0x112233, 0x445566}}},
      {"32 to 24",
       {32, 2, 1, {}, {}, {{0xAA112233, 0x00445566}}},
       {24, 2, 1, {}, {}, {{0, 0}}},
       0,
       0,
       2,
       1,
       0,
       0,
       {{0x112233, 0x445566}}},
      {"32 to 32 keeps the fourth byte",
       {32, 1, 1, {}, {}, {{0x80112233}}},
       {32, 1, 1, {}, {}, {{0}}},
       0,
       0,
       1,
       1,
       0,
       0,
       {{0x80112233}}},
      {"1 bit to 32",
       {1, 3, 1, bw, {}, {{1, 0, 1}}},
       {32, 3, 1, {}, {}, {{0, 0, 0}}},
       0,
       0,
       3,
       1,
       0,
       0,
       {{0xFFFFFF, 0x000000, 0xFFFFFF}}},
      {"32 to 1 bit: nearest entry",
       {32, 3, 1, {}, {}, {{0xF0F0F0, 0x101010, 0x808080}}},
       {1, 3, 1, bw, {}, {{0, 1, 0}}},
       0,
       0,
       3,
       1,
       0,
       0,
       {{1, 0, 1}}},
      {"24 to 8 bit: nearest entry",
       {24, 4, 1, {}, {}, {{0xF01010, 0x10F010, 0x1010F0, 0x202020}}},
       {8, 4, 1, rgbk, {}, {{0, 0, 0, 0}}},
       0,
       0,
       4,
       1,
       0,
       0,
       {{1, 2, 3, 0}}},
      {"8 bit to 8 bit with another table",
       {8, 3, 1, kFour, {}, {{0, 1, 2}}},
       {8, 3, 1, rgbk, {}, {{0, 0, 0}}},
       0,
       0,
       3,
       1,
       0,
       0,
       {{1, 2, 3}}},
      {"4 bit to 24",
       {4, 3, 1, kFour, {}, {{3, 0, 2}}},
       {24, 3, 1, {}, {}, {{0, 0, 0}}},
       0,
       0,
       3,
       1,
       0,
       0,
       {{0x808080, 0xFF0000, 0x0000FF}}},
      {"1 bit to 1 bit, odd offsets",
       {1, 9, 1, bw, {}, {{1, 1, 1, 0, 0, 1, 0, 1, 1}}},
       {1, 9, 1, bw, {}, {{0, 0, 0, 0, 0, 0, 0, 0, 0}}},
       3,
       0,
       6,
       1,
       1,
       0,
       {{0, 0, 0, 1, 1, 0, 0, 1, 0}}},
      {"16 bit 5-5-5 to 32",
       {16, 3, 1, {}, {}, {{0x7C00, 0x0421, 0x7FFF}}},
       {32, 3, 1, {}, {}, {{0, 0, 0}}},
       0,
       0,
       3,
       1,
       0,
       0,
       {{0xFF0000, 0x080808, 0xFFFFFF}}},
      {"32 to 16 bit 5-5-5",
       {32, 1, 1, {}, {}, {{0xFF8040}}},
       {16, 1, 1, {}, {}, {{0}}},
       0,
       0,
       1,
       1,
       0,
       0,
       {{0x7E08}}},
      {"32 to 16 bit 5-6-5 bit fields",
       {32, 1, 1, {}, {}, {{0xFF8040}}},
       {16, 1, 1, {}, m565, {{0}}},
       0,
       0,
       1,
       1,
       0,
       0,
       {{0xFC08}}},
      {"16 bit 5-6-5 to 24",
       {16, 2, 1, {}, m565, {{0xF800, 0x07E0}}},
       {24, 2, 1, {}, {}, {{0, 0}}},
       0,
       0,
       2,
       1,
       0,
       0,
       {{0xFF0000, 0x00FF00}}},
      {"32 bit blue-green-red bit fields to 32",
       {32, 1, 1, {}, bgr, {{0x00332211}}},
       {32, 1, 1, {}, {}, {{0}}},
       0,
       0,
       1,
       1,
       0,
       0,
       {{0x112233}}},
      // Clipping to both bitmaps.
      {"source rectangle past its edge",
       {32, 2, 2, {}, {}, {{1, 2}, {3, 4}}},
       {32, 3, 3, {}, {}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
       0,
       0,
       3,
       3,
       1,
       1,
       {{4, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"destination at negative coordinates",
       {32, 2, 2, {}, {}, {{1, 2}, {3, 4}}},
       {32, 2, 2, {}, {}, {{0, 0}, {0, 0}}},
       -1,
       -1,
       2,
       2,
       0,
       0,
       {{4, 0}, {0, 0}}},
      {"destination past its edge",
       {32, 2, 2, {}, {}, {{1, 2}, {3, 4}}},
       {32, 2, 2, {}, {}, {{0, 0}, {0, 0}}},
       1,
       1,
       5,
       5,
       0,
       0,
       {{0, 0}, {0, 1}}},
      {"width 0 copies nothing",
       {32, 1, 1, {}, {}, {{9}}},
       {32, 1, 1, {}, {}, {{5}}},
       0,
       0,
       0,
       1,
       0,
       0,
       {{5}}},
      {"negative height copies nothing",
       {32, 1, 1, {}, {}, {{9}}},
       {32, 1, 1, {}, {}, {{5}}},
       0,
       0,
       1,
       -1,
       0,
       0,
       {{5}}},
      {"far outside both",
       {32, 1, 1, {}, {}, {{9}}},
       {32, 1, 1, {}, {}, {{5}}},
       INT32_MAX,
       INT32_MIN,
       INT32_MAX,
       INT32_MAX,
       INT32_MIN,
       0,
       {{5}}},
      {"top-down source into bottom-up destination",
       {32, 2, -2, {}, {}, {{1, 2}, {3, 4}}},
       {32, 2, 2, {}, {}, {{0, 0}, {0, 0}}},
       0,
       0,
       2,
       2,
       0,
       0,
       {{1, 2}, {3, 4}}},
  };
  for (const BlitCase& c : cases) EXPECT_TRUE(blits_as(c));
}

TEST(BitBlt, FailsWithoutTwoMemoryContexts) {
  Dib dib = make_dib(32, 2, 2);
  HDC memory = CreateCompatibleDC(0);
  SelectObject(memory, dib.handle);
  HDC screen = GetDC(0);
  ASSERT_NE(screen, 0u);
  EXPECT_FALSE(BitBlt(memory, 0, 0, 2, 2, memory, 0, 0, 0x00EE0086))
      << "a raster operation other than SRCCOPY";
  EXPECT_FALSE(BitBlt(0, 0, 0, 2, 2, memory, 0, 0, SRCCOPY)) << "no destination";
  // Window and screen surfaces are not reachable from this layer's GDI yet.
  EXPECT_FALSE(BitBlt(screen, 0, 0, 2, 2, memory, 0, 0, SRCCOPY)) << "onto the screen";
  EXPECT_TRUE(BitBlt(memory, 0, 0, 2, 2, memory, 0, 0, SRCCOPY)) << "onto itself";
  EXPECT_EQ(ReleaseDC(0, screen), 1);
  DeleteDC(memory);
  DeleteObject(dib.handle);
}

TEST(SelectObject, OneDcPerBitmapAndTheStockBitmap) {
  Dib a = make_dib(8, 2, 2, kFour), b = make_dib(32, 2, 2);
  HDC first = CreateCompatibleDC(0), second = CreateCompatibleDC(first);
  ASSERT_TRUE(first && second);
  const HGDIOBJ stock = SelectObject(first, a.handle);
  EXPECT_NE(stock, 0u) << "a new memory DC holds the stock bitmap";
  BITMAP bm{};
  EXPECT_EQ(GetObjectA(stock, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_TRUE(bm.bmWidth == 1 && bm.bmHeight == 1 && bm.bmBitsPixel == 1)
      << "stock bitmap is 1 x 1 x 1";
  EXPECT_EQ(SelectObject(second, a.handle), 0u) << "already selected into another DC";
  EXPECT_FALSE(DeleteObject(a.handle)) << "deleting a selected bitmap";
  EXPECT_EQ(SelectObject(first, a.handle), a.handle) << "selecting it again into the same DC";
  EXPECT_EQ(SelectObject(first, b.handle), a.handle) << "the previous bitmap comes back";
  EXPECT_EQ(SelectObject(second, a.handle), stock) << "free again after being replaced";
  EXPECT_EQ(SelectObject(first, stock), b.handle);
  EXPECT_TRUE(DeleteObject(b.handle)) << "deselected bitmaps can be deleted";
  EXPECT_TRUE(DeleteObject(stock)) << "the stock bitmap ignores DeleteObject";
  EXPECT_EQ(SelectObject(first, stock), stock) << "and stays usable";

  std::array<RGBQUAD, 256> table{};
  EXPECT_EQ(GetDIBColorTable(second, 0, 256, table.data()), 4u) << "entries of the 8-bit DIB";
  EXPECT_EQ(GetDIBColorTable(second, 1, 2, table.data()), 2u) << "part of the table";
  EXPECT_EQ(table[0].rgbGreen, 255) << "entry 1 is green";
  EXPECT_EQ(GetDIBColorTable(second, 4, 256, table.data()), 0u) << "start past the table";
  EXPECT_EQ(GetDIBColorTable(first, 0, 256, table.data()), 0u)
      << "the stock bitmap has no DIB colour table";

  EXPECT_TRUE(DeleteDC(second));
  EXPECT_TRUE(DeleteObject(a.handle)) << "free after its DC was deleted";
  EXPECT_EQ(SelectObject(second, stock), 0u) << "a deleted DC";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SelectObject(first, a.handle), 0u) << "a deleted bitmap";
  HPALETTE palette = CreateHalftonePalette(0);
  HRGN region = CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(SelectObject(first, palette), 0u) << "palettes go through SelectPalette";
  EXPECT_EQ(SelectObject(first, region), 0u) << "regions are not selected";
  EXPECT_EQ(CreateCompatibleDC(second), 0u) << "compatible with a deleted DC";
  EXPECT_FALSE(DeleteDC(second)) << "deleted twice";
  DeleteObject(palette);
  DeleteObject(region);
  DeleteDC(first);
}

TEST(GetDC, WindowAndScreenContexts) {
  HDC screen = GetDC(0);
  ASSERT_NE(screen, 0u);
  EXPECT_FALSE(DeleteDC(screen)) << "GetDC contexts are released, not deleted";
  EXPECT_EQ(ReleaseDC(12345, screen), 0) << "released with the wrong window";
  EXPECT_EQ(ReleaseDC(0, screen), 1);
  EXPECT_EQ(ReleaseDC(0, screen), 0) << "released twice";
  EXPECT_EQ(GetDC(0x10000001u), 0u) << "a window handle that names no window";
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  HDC memory = CreateCompatibleDC(0);
  EXPECT_EQ(ReleaseDC(0, memory), 0) << "memory DCs are deleted, not released";
  DeleteDC(memory);
}

} // namespace

// Writes the BMP files of the bitmap scenario into a directory: small pictures with a pattern
// per depth, compression and header variant, built byte by byte.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}

struct Picture {
  int header = 40; // 12 (core), 40, 124 (version 5)
  int width = 0, height = 0;
  int bpp = 0;
  std::uint32_t compression = 0;      // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
  std::vector<std::uint32_t> palette; // 0x00RRGGBB
  std::uint32_t colors_used = 0;
  std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
  Bytes pixels;                          // as stored in the file
};

bool write(const std::string& dir, const char* name, const Picture& p) {
  Bytes info;
  if (p.header == 12) {
    put32(info, 12);
    put16(info, static_cast<unsigned>(p.width));
    put16(info, static_cast<unsigned>(p.height));
    put16(info, 1);
    put16(info, static_cast<unsigned>(p.bpp));
  } else {
    put32(info, static_cast<std::uint32_t>(p.header));
    put32(info, static_cast<std::uint32_t>(p.width));
    put32(info, static_cast<std::uint32_t>(p.height));
    put16(info, 1);
    put16(info, static_cast<unsigned>(p.bpp));
    put32(info, p.compression);
    put32(info, static_cast<std::uint32_t>(p.pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, p.colors_used);
    put32(info, 0);
    if (p.header >= 108) {
      for (std::uint32_t m : p.masks) put32(info, m);
      put32(info, 0x73524742); // sRGB colour space
      while (info.size() < static_cast<std::size_t>(p.header)) info.push_back(0);
    } else if (p.compression == 3) {
      for (int i = 0; i < 3; ++i) put32(info, p.masks[i]);
    }
  }
  for (std::uint32_t c : p.palette) {
    info.push_back(static_cast<std::uint8_t>(c));
    info.push_back(static_cast<std::uint8_t>(c >> 8));
    info.push_back(static_cast<std::uint8_t>(c >> 16));
    if (p.header != 12) info.push_back(0);
  }
  Bytes file;
  const std::uint32_t offset = 14 + static_cast<std::uint32_t>(info.size());
  file.push_back('B');
  file.push_back('M');
  put32(file, offset + static_cast<std::uint32_t>(p.pixels.size()));
  put32(file, 0);
  put32(file, offset);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), p.pixels.begin(), p.pixels.end());
  std::FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

std::vector<std::uint32_t> palette_of(int n) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < n; ++i)
    colors.push_back(static_cast<std::uint32_t>(
        ((i * 37 + 11) & 0xFF) << 16 | ((i * 91 + 5) & 0xFF) << 8 | ((i * 53 + 200) & 0xFF)));
  return colors;
}

// Rows of packed indices (bottom row first in the file), padded to four bytes.
Bytes indexed(int width, int height, int bpp, int (*index)(int x, int y)) {
  Bytes out;
  const int stride = ((width * bpp + 31) / 32) * 4;
  for (int row = 0; row < height; ++row) {
    Bytes line(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < width; ++x) {
      int v = index(x, row);
      int bit = x * bpp;
      line[static_cast<std::size_t>(bit / 8)] |=
          static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

// Rows of little-endian pixels of bytes_per_pixel bytes each, padded to four bytes.
Bytes direct(int width, int height, int bytes_per_pixel, std::uint32_t (*value)(int x, int y)) {
  Bytes out;
  const int stride = ((width * bytes_per_pixel + 3) / 4) * 4;
  for (int row = 0; row < height; ++row) {
    Bytes line(static_cast<std::size_t>(stride), 0);
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = value(x, row);
      for (int i = 0; i < bytes_per_pixel; ++i)
        line[static_cast<std::size_t>(x * bytes_per_pixel + i)] =
            static_cast<std::uint8_t>(v >> (8 * i));
    }
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  bool ok = true;
  Picture p;

  p = Picture{};
  p.width = 13, p.height = 5, p.bpp = 1, p.palette = {0x0A141E, 0xC89664};
  p.pixels = indexed(13, 5, 1, [](int x, int y) { return ((x + y) % 2) ^ (x % 3 == 0); });
  ok &= write(dir, "b1.bmp", p);

  p = Picture{};
  p.width = 7, p.height = 3, p.bpp = 4, p.palette = palette_of(5), p.colors_used = 5;
  p.pixels = indexed(7, 3, 4, [](int x, int y) { return (x + 2 * y) % 5; });
  ok &= write(dir, "b4.bmp", p);

  p = Picture{};
  p.width = 5, p.height = 4, p.bpp = 8, p.palette = palette_of(10), p.colors_used = 10;
  p.pixels = indexed(5, 4, 8, [](int x, int y) { return (3 * x + y) % 10; });
  ok &= write(dir, "b8.bmp", p);

  p = Picture{};
  p.width = 3, p.height = 2, p.bpp = 8, p.palette = palette_of(256);
  p.pixels = indexed(3, 2, 8, [](int x, int y) { return 250 + x + 2 * y; });
  ok &= write(dir, "b8_full.bmp", p);

  // RLE8, 6 x 4: runs, an absolute stretch, ends of line.
  p = Picture{};
  p.width = 6, p.height = 4, p.bpp = 8, p.compression = 1, p.palette = palette_of(8),
  p.colors_used = 8;
  p.pixels = {3, 1, 3, 2, 0, 0,             // row 0: 1 1 1 2 2 2
              0, 3, 4, 5, 6, 0, 2, 7, 0, 0, // row 1: 4 5 6 7 7, then end of line
              6, 3, 0, 0,                   // row 2: 3 x 6
              2, 0, 4, 1, 0, 1};            // row 3: 0 0 1 1 1 1, end of picture
  ok &= write(dir, "rle8.bmp", p);

  // RLE8 with a delta and an early end: the pixels it skips.
  p = Picture{};
  p.width = 6, p.height = 4, p.bpp = 8, p.compression = 1, p.palette = palette_of(8),
  p.colors_used = 8;
  p.pixels = {2, 5, 0, 2, 2, 1, // row 0: 5 5, then skip 2 right and 1 up
              2, 6, 0, 0,       // row 1 from x 4: 6 6
              1, 3, 0, 1};      // row 2: 3, end of picture
  ok &= write(dir, "rle8_delta.bmp", p);

  // RLE4, 7 x 3: alternating runs and an absolute stretch.
  p = Picture{};
  p.width = 7, p.height = 3, p.bpp = 4, p.compression = 2, p.palette = palette_of(6),
  p.colors_used = 6;
  p.pixels = {7, 0x12, 0,    0,                            // row 0: 1 2 1 2 1 2 1
              0, 5,    0x34, 0x50, 0x10, 0, 2, 0x44, 0, 0, // row 1: 3 4 5 0 1 4 4 (padded)
              4, 0x55, 3,    0x01, 0,    1};               // row 2: 5 5 5 5 0 1 0, end
  ok &= write(dir, "rle4.bmp", p);

  p = Picture{};
  p.width = 5, p.height = 3, p.bpp = 16;
  p.pixels = direct(5, 3, 2, [](int x, int y) {
    return static_cast<std::uint32_t>((x * 6) << 10 | (y * 9 + 3) << 5 | (x * 5 + y * 2)) |
           (x == 2 ? 0x8000u : 0u);
  });
  ok &= write(dir, "b16.bmp", p);

  p = Picture{};
  p.width = 5, p.height = 3, p.bpp = 16, p.compression = 3;
  p.masks[0] = 0xF800, p.masks[1] = 0x07E0, p.masks[2] = 0x001F;
  p.pixels = direct(5, 3, 2, [](int x, int y) {
    return static_cast<std::uint32_t>((x * 6) << 11 | (y * 20 + 5) << 5 | (x * 5 + y * 3));
  });
  ok &= write(dir, "b16_565.bmp", p);

  p = Picture{};
  p.width = 5, p.height = 3, p.bpp = 24;
  p.pixels = direct(5, 3, 3, [](int x, int y) {
    return static_cast<std::uint32_t>((x * 50) << 16 | (y * 80 + 10) << 8 | (x * 20 + y * 30 + 1));
  });
  ok &= write(dir, "b24.bmp", p);

  p.height = -3;
  ok &= write(dir, "b24_topdown.bmp", p);

  p = Picture{};
  p.width = 4, p.height = 3, p.bpp = 32;
  p.pixels = direct(4, 3, 4, [](int x, int y) {
    return static_cast<std::uint32_t>((x * 60 + y) << 24 | (x * 40) << 16 | (y * 70) << 8 |
                                      (x + y * 4 + 9));
  });
  ok &= write(dir, "b32.bmp", p);

  p.compression = 3;
  p.masks[0] = 0x00FF0000, p.masks[1] = 0x0000FF00, p.masks[2] = 0x000000FF;
  ok &= write(dir, "b32_bitfields.bmp", p);

  p.header = 124;
  p.masks[3] = 0xFF000000;
  ok &= write(dir, "v5_32.bmp", p);

  p = Picture{};
  p.header = 12, p.width = 4, p.height = 3, p.bpp = 8, p.palette = palette_of(256);
  p.pixels = indexed(4, 3, 8, [](int x, int y) { return x * 7 + y * 60; });
  ok &= write(dir, "core8.bmp", p);

  p = Picture{};
  p.header = 12, p.width = 3, p.height = 2, p.bpp = 24;
  p.pixels = direct(3, 2, 3, [](int x, int y) {
    return static_cast<std::uint32_t>((x * 90) << 16 | (y * 120 + 7) << 8 | (x * 30 + 2));
  });
  ok &= write(dir, "core24.bmp", p);

  if (!ok) {
    std::fprintf(stderr, "could not write the fixtures into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}

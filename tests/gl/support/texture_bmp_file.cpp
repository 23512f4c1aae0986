#include "gl/support/texture_bmp_file.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvex::test {

namespace {

void PUT(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// The process's own temporary directory, removed when the process ends.
struct TestDirectory {
  std::filesystem::path path;
  TestDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "orvex-texture-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
      std::perror("mkdtemp");
      std::abort();
    }
    path = pattern;
  }
  ~TestDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const std::filesystem::path& TESTDIRECTORY() {
  static TestDirectory directory;
  return directory.path;
}

} // namespace

std::vector<std::uint8_t> TESTBMPBYTES(const TestBmp& bmp) {
  const std::uint64_t rows = bmp.height < 0 ? -static_cast<std::int64_t>(bmp.height) : bmp.height;
  const std::uint64_t stride = (static_cast<std::uint64_t>(bmp.width) * bmp.bits + 31) / 32 * 4;
  const std::uint32_t palette_entries = bmp.bits <= 8 ? 1u << bmp.bits : 0;
  const std::uint32_t entry_size = bmp.header_size == 12 ? 3 : 4;
  const std::uint64_t offset = 14 + bmp.header_size + palette_entries * entry_size;
  const std::uint64_t total = offset + stride * rows;
  const std::uint64_t limit =
      bmp.keep_bytes < 0 ? total : static_cast<std::uint64_t>(bmp.keep_bytes);

  std::vector<std::uint8_t> out;
  out.push_back(static_cast<std::uint8_t>(bmp.magic.size() > 0 ? bmp.magic[0] : 0));
  out.push_back(static_cast<std::uint8_t>(bmp.magic.size() > 1 ? bmp.magic[1] : 0));
  PUT(out, total, 4);
  PUT(out, 0, 4);
  PUT(out, offset, 4);
  if (bmp.header_size == 12) {
    PUT(out, 12, 4);
    PUT(out, static_cast<std::uint16_t>(bmp.width), 2);
    PUT(out, static_cast<std::uint16_t>(bmp.height), 2);
    PUT(out, 1, 2);
    PUT(out, bmp.bits, 2);
  } else {
    PUT(out, bmp.header_size, 4);
    PUT(out, static_cast<std::uint32_t>(bmp.width), 4);
    PUT(out, static_cast<std::uint32_t>(bmp.height), 4);
    PUT(out, 1, 2);
    PUT(out, bmp.bits, 2);
    PUT(out, bmp.compression, 4);
    PUT(out, stride * rows, 4);
    PUT(out, 2835, 4);
    PUT(out, 2835, 4);
    PUT(out, palette_entries, 4);
    PUT(out, 0, 4);
    if (bmp.header_size >= 108) {
      PUT(out, 0x00FF0000, 4); // red, green, blue and alpha masks
      PUT(out, 0x0000FF00, 4);
      PUT(out, 0x000000FF, 4);
      PUT(out, 0xFF000000, 4);
      PUT(out, 0x73524742, 4); // "sRGB"
      for (int i = 0; i < 36 + 12; ++i) out.push_back(0);
    }
    if (bmp.header_size >= 124)
      for (int i = 0; i < 16; ++i) out.push_back(0);
  }
  for (std::uint32_t i = 0; i < palette_entries; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (palette_entries - 1));
    out.insert(out.end(), {grey, grey, grey});
    if (entry_size == 4) out.push_back(0);
  }

  for (std::uint64_t file_row = 0; file_row < rows && out.size() < limit; ++file_row) {
    const std::uint64_t picture_row = bmp.height < 0 ? rows - 1 - file_row : file_row;
    const std::size_t row_start = out.size();
    for (std::int64_t column = 0; column < bmp.width && out.size() < limit; ++column) {
      const std::uint64_t index = picture_row * static_cast<std::uint64_t>(bmp.width) + column;
      const std::uint32_t p = index < bmp.pixels.size() ? bmp.pixels[index] : 0;
      if (bmp.bits == 8) {
        out.push_back(static_cast<std::uint8_t>(p));
      } else {
        out.insert(out.end(), {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
                               static_cast<std::uint8_t>(p >> 16)});
        if (bmp.bits == 32) out.push_back(static_cast<std::uint8_t>(p >> 24));
      }
    }
    while (out.size() - row_start < stride && out.size() < limit) out.push_back(0);
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

std::string TESTFILEPATH(const std::string& name) {
  return (TESTDIRECTORY() / name).string();
}

std::string WRITETESTFILE(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const std::string path = TESTFILEPATH(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

} // namespace orvex::test

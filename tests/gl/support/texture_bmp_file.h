// BMP files made to order for the texture tests: well-formed ones of 8, 24 and 32 bits with
// any of the information header sizes, and spoiled ones (wrong magic, cut short, impossible
// sizes), written into a temporary directory of the test process.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::test {

// What to write. Pixels are 0xAARRGGBB (a palette index for 8 bits), bottom row first,
// width x |height| of them; missing ones are written as 0. A negative height stores the rows
// top row first, as such files do.
struct TestBmp {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t header_size = 40; // 12 (core), 40, 108 or 124
  std::uint32_t compression = 0;
  std::vector<std::uint32_t> pixels;
  std::string magic = "BM";
  std::int64_t keep_bytes = -1; // the file ends after this many bytes; -1: complete
};

// The bytes of the file; never more than keep_bytes, however many pixels the header claims.
std::vector<std::uint8_t> TESTBMPBYTES(const TestBmp& bmp);

// Writes bytes to a file of that name in the test's temporary directory and returns its path.
std::string WRITETESTFILE(const std::string& name, const std::vector<std::uint8_t>& bytes);

// The path a file of that name would have in the test's temporary directory.
std::string TESTFILEPATH(const std::string& name);

} // namespace orvex::test

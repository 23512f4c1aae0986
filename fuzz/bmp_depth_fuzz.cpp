// GETBMPDEPTH on arbitrary files: it reads at most the two headers, never fails, and answers
// what its contract says for every kind of file.
#include "framework/texture/bmp_texture.h"
#include "memory_file.h"

#include <cstdint>

namespace {

std::uint32_t le(const std::uint8_t* p, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// Whether the pixel array of a 24- or 32-bit file lies inside the file and its pixel count
// fits a signed 32-bit value, worked out in 128 bits so that nothing can wrap.
bool pixels_inside(const std::uint8_t* data, std::size_t size, int depth) {
  const __int128 offset = le(data + 10, 4);
  const __int128 width = static_cast<std::int32_t>(le(data + 18, 4));
  const __int128 height = static_cast<std::int32_t>(le(data + 22, 4));
  const __int128 rows = height < 0 ? -height : height;
  if (width <= 0 || rows == 0 || width * rows > INT32_MAX) return false;
  const __int128 stride = (width * depth + 31) / 32 * 4;
  const __int128 last_row = (width * depth + 7) / 8;
  return offset + stride * (rows - 1) + last_row <= static_cast<__int128>(size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static orvex::fuzz::MemoryFile file;
  const std::int32_t depth = orvex::GETBMPDEPTH(file.hold(data, size));

  std::int32_t expected;
  if (size < 54 || data[0] != 'B' || data[1] != 'M' || le(data + 14, 4) == 12) {
    expected = 0;
  } else {
    expected = static_cast<std::int32_t>(le(data + 28, 2));
    if ((expected == 24 || expected == 32) && !pixels_inside(data, size, expected)) expected = 0;
  }
  if (depth != expected) orvex::fuzz::broken("GETBMPDEPTH disagrees with the file's headers");
  return 0;
}

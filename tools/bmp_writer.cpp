#include "tools/bmp_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace orvex::tools {

namespace {

void put_le(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::uint8_t channel_byte(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

bool write_bmp24(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& bgr) {
  if (width <= 0 || height <= 0 ||
      bgr.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
    return false;
  const std::uint32_t row_bytes = static_cast<std::uint32_t>(width) * 3;
  const std::uint32_t stride = (row_bytes + 3) & ~3u;
  const std::uint32_t image_bytes = stride * static_cast<std::uint32_t>(height);
  std::vector<std::uint8_t> file;
  file.reserve(54 + image_bytes);
  file.push_back('B');
  file.push_back('M');
  put_le(file, 54 + image_bytes, 4); // file size
  put_le(file, 0, 4);                // reserved
  put_le(file, 54, 4);               // offset of the pixels
  put_le(file, 40, 4);               // information header size
  put_le(file, static_cast<std::uint32_t>(width), 4);
  put_le(file, static_cast<std::uint32_t>(height), 4); // positive: bottom-up
  put_le(file, 1, 2);                                  // planes
  put_le(file, 24, 2);                                 // bits per pixel
  put_le(file, 0, 4);                                  // uncompressed
  put_le(file, image_bytes, 4);
  put_le(file, 2835, 4); // 72 dots per inch, in dots per metre
  put_le(file, 2835, 4);
  put_le(file, 0, 4); // no palette
  put_le(file, 0, 4);
  for (int row = 0; row < height; ++row) {
    const auto first = bgr.begin() + static_cast<std::ptrdiff_t>(row) * row_bytes;
    file.insert(file.end(), first, first + row_bytes);
    file.resize(file.size() + (stride - row_bytes), 0);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

} // namespace orvex::tools

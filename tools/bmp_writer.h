// Writing pictures as 24-bit uncompressed BMP files, for the programs that draw the demo's and
// the examples' pictures at build time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvex::tools {

// A colour channel from 0..1 (clamped) to a byte, rounded to the nearest.
std::uint8_t channel_byte(double value);

// Writes a bottom-up 24-bit BMP with a 40-byte information header. `bgr` holds the pixels as
// blue, green and red bytes, row by row from the bottom row up, with no padding between rows.
// False when the sizes do not match or the file cannot be written.
bool write_bmp24(const std::string& path, int width, int height,
                 const std::vector<std::uint8_t>& bgr);

} // namespace orvex::tools

// The BMP files that make_fixtures writes and the bitmap scenario reads, one per depth and
// header variant.
#pragma once

namespace fidelity {

constexpr const char* kBitmapFixtures[] = {
    "b1.bmp",
    "b4.bmp",
    "b8.bmp",
    "b8_full.bmp",
    "rle8.bmp",
    "rle8_delta.bmp",
    "rle4.bmp",
    "b16.bmp",
    "b16_565.bmp",
    "b24.bmp",
    "b24_topdown.bmp",
    "b32.bmp",
    "b32_bitfields.bmp",
    "core8.bmp",
    "core24.bmp",
    "v5_32.bmp",
};

} // namespace fidelity

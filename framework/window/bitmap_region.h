// BMP files as bitmaps with a palette to show them, and regions made of a bitmap's pixels
// whose colour lies outside a tolerance band above a transparent colour.
#pragma once

#include <platform/win32.h>

#include <cstdint>
#include <string>

namespace orvex {

// Initial capacity of the rectangle buffer, in rectangles, and its growth step.
constexpr std::int32_t ALLOC_UNIT = 100;
// Rectangles gathered before they are turned into a region and merged into the result.
constexpr std::int32_t REGIONBATCH = 2000;

// Loads a BMP file as a device-independent bitmap, and in PAL a new palette for it: the
// image's colour table for 8 bits or fewer, a halftone palette otherwise. The caller owns
// both. Returns 0, leaving PAL as it was, when the file cannot be loaded.
HBITMAP LOADBMPFROMFILE(const std::string& FILENAME, HPALETTE& PAL);

// A region, in the image's pixel coordinates, of every pixel whose red, green and blue do not
// all lie in [key, key + TOLERANCE] (capped at 255) for the key colour TRANSCOLOR (0x00BBGGRR,
// below 2^31); an image without such pixels gives an empty region. The caller owns it.
// Returns 0 when the file cannot be loaded or the memory for the work cannot be had.
HRGN BITMAPTOREGION(const std::string& BMPNAME, std::uint32_t TRANSCOLOR, std::uint8_t TOLERANCE);

} // namespace orvex

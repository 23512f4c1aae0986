#include "framework/texture/bmp_texture.h"

#include "framework/core/handle_value.h"

#include <platform/win32.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace orvex {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint16_t kBmpMagic = 0x4D42;
constexpr std::uint32_t kCoreHeaderBytes = 12;

std::uint16_t read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Bytes from one row's start to the next in a BMP pixel array: rows are padded to 4 bytes.
std::int64_t row_stride(std::int64_t width, std::int64_t bits_per_pixel) {
  return (width * bits_per_pixel + 31) / 32 * 4;
}

// The size of an open file in bytes; -1 when it cannot be told.
std::int64_t file_size(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  return std::ftell(file);
}

// True when the pixel array a 24- or 32-bit header describes lies inside a file of
// `file_bytes` bytes and its pixel count fits a signed 32-bit value. Only the padding after
// the last row may be missing.
bool pixels_fit(const std::uint8_t* headers, std::int32_t depth, std::int64_t file_bytes) {
  const std::int64_t offset = read32(headers + 10);
  const auto width = static_cast<std::int32_t>(read32(headers + 18));
  const auto height = static_cast<std::int32_t>(read32(headers + 22));
  if (width <= 0 || height == 0) return false;
  const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  std::int32_t pixels;
  if (rows > INT32_MAX || __builtin_mul_overflow(width, static_cast<std::int32_t>(rows), &pixels))
    return false;
  const std::int64_t last_row = (static_cast<std::int64_t>(width) * depth + 7) / 8;
  return offset + row_stride(width, depth) * (rows - 1) + last_row <= file_bytes;
}

// A decoded image of the depth the probe found, rows bottom-up at the 4-byte stride that the
// upload's unpack alignment expects; no pixels when the decoder refused the file or handed
// back something else.
struct DecodedImage {
  HBITMAP bitmap{};
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t stride = 0;
  std::uint8_t* pixels = nullptr;
};

DecodedImage decode_image(const char* file, std::int32_t depth) {
  DecodedImage image;
  image.bitmap =
      FROMHANDLE<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), file, IMAGE_BITMAP, 0, 0,
                                     LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION));
  if (!image.bitmap) return image;
  BITMAP SBITMAP{};
  if (GetObjectA(image.bitmap, sizeof SBITMAP, &SBITMAP) != static_cast<int>(sizeof SBITMAP))
    return image;
  std::int32_t pixels;
  if (!SBITMAP.bmBits || SBITMAP.bmBitsPixel != depth || SBITMAP.bmWidth <= 0 ||
      SBITMAP.bmHeight <= 0 || __builtin_mul_overflow(SBITMAP.bmWidth, SBITMAP.bmHeight, &pixels) ||
      SBITMAP.bmWidthBytes != row_stride(SBITMAP.bmWidth, depth))
    return image;
  image.width = SBITMAP.bmWidth;
  image.height = SBITMAP.bmHeight;
  image.stride = SBITMAP.bmWidthBytes;
  image.pixels = static_cast<std::uint8_t*>(SBITMAP.bmBits);
  return image;
}

bool is_mipmap_filter(std::int32_t filter) {
  return filter == GL_NEAREST_MIPMAP_NEAREST || filter == GL_NEAREST_MIPMAP_LINEAR ||
         filter == GL_LINEAR_MIPMAP_NEAREST || filter == GL_LINEAR_MIPMAP_LINEAR;
}

} // namespace

std::int32_t GETBMPDEPTH(const char* BMPFILE) {
  if (!BMPFILE) return 0;
  std::FILE* file = std::fopen(BMPFILE, "rb");
  if (!file) return 0;
  std::uint8_t headers[kFileHeaderBytes + kInfoHeaderBytes];
  const std::size_t got = std::fread(headers, 1, sizeof headers, file);
  const std::int64_t file_bytes = file_size(file);
  std::fclose(file);
  if (got < kFileHeaderBytes || read16(headers) != kBmpMagic) return 0;
  if (got < sizeof headers || read32(headers + 14) == kCoreHeaderBytes) return 0;
  const std::int32_t depth = read16(headers + 28);
  if ((depth == 24 || depth == 32) && !pixels_fit(headers, depth, file_bytes)) return 0;
  return depth;
}

void TEXTURELOADID(const char* BMPFILE, std::int32_t NUM) {
  std::int32_t FORMAT = GETBMPDEPTH(BMPFILE);
  DecodedImage image;
  if (FORMAT == 24 || FORMAT == 32) {
    image = decode_image(BMPFILE, FORMAT);
    if (!image.pixels) FORMAT = 0;
  }
  if (FORMAT == 24) SWAPRGB(image.pixels, image.width, image.height, image.stride);

  glEnable(GL_TEXTURE_2D);
  glGenTextures(1, &TEXTUREID2[NUM]);
  glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (FORMAT == 24)
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels);
  else if (FORMAT == 32)
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width, image.height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 image.pixels);
  if (is_mipmap_filter(GL_MIN_FILTER))
    ADDMIPMAPSTEXTURE(FORMAT, image.width, image.height, image.pixels);

  if (image.bitmap) DeleteObject(image.bitmap);
}

void TEXTURESELECTID(std::int32_t NUM) {
  glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]);
}

void SETQUALITYTEXTURE2(std::int32_t MINFILTER, std::int32_t MAGFILTER) {
  GL_MIN_FILTER = MINFILTER;
  GL_MAG_FILTER = MAGFILTER;
}

void SWAPRGB(std::uint8_t* DATA, std::int32_t WIDTH, std::int32_t HEIGHT, std::int32_t STRIDE) {
  if (!DATA || WIDTH <= 0 || HEIGHT <= 0) return;
  for (std::int32_t row = 0; row < HEIGHT; ++row) {
    std::uint8_t* pixel = DATA + static_cast<std::ptrdiff_t>(row) * STRIDE;
    for (std::int32_t column = 0; column < WIDTH; ++column, pixel += 3) {
      const std::uint8_t first = pixel[0];
      pixel[0] = pixel[2];
      pixel[2] = first;
    }
  }
}

void ADDMIPMAPSTEXTURE(std::int32_t FORMAT, std::int32_t WIDTH, std::int32_t HEIGHT,
                       const void* BITS) {
  if (!BITS || WIDTH <= 0 || HEIGHT <= 0) return;
  if (FORMAT == 24)
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, BITS);
  else if (FORMAT == 32)
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, WIDTH, HEIGHT, GL_BGRA, GL_UNSIGNED_BYTE, BITS);
}

} // namespace orvex

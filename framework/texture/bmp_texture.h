// Numbered two-dimensional textures from BMP files: the texture table, the filters that new
// texture objects receive, and the routines that probe, upload and select the images.
#pragma once

#include "framework/core/range_array.h"
#include "framework/render/gl.h"

#include <cstdint>

namespace orvex {

// The texture name stored under each texture number; 0 where nothing was loaded.
inline RangeArray<GLuint, 0, 500> TEXTUREID2;

// The filters given to texture objects when they are created (2-D textures and cube maps).
inline std::int32_t GL_MIN_FILTER = GL_LINEAR;
inline std::int32_t GL_MAG_FILTER = GL_LINEAR;

// The bits per pixel a BMP file's information header states; 0 for a file that is missing,
// cannot be read, is shorter than its headers, does not begin with "BM" or has a 12-byte core
// header, and for a 24- or 32-bit file whose pixel array is larger than the file or holds
// more pixels than a signed 32-bit count.
std::int32_t GETBMPDEPTH(const char* BMPFILE);

// Makes a new texture object, stores its name under NUM and leaves it bound to GL_TEXTURE_2D
// with 2-D texturing enabled; a 24- or 32-bit image file gives it its pixels (and mipmaps
// when GL_MIN_FILTER is a mipmap filter), any other file leaves it without an image.
void TEXTURELOADID(const char* BMPFILE, std::int32_t NUM);

// Binds the texture stored under NUM to GL_TEXTURE_2D.
void TEXTURESELECTID(std::int32_t NUM);

// Chooses the filters for the texture objects created from now on.
void SETQUALITYTEXTURE2(std::int32_t MINFILTER, std::int32_t MAGFILTER);

// Exchanges the first and the third byte of every 3-byte pixel in HEIGHT rows of WIDTH
// pixels whose starts lie STRIDE bytes apart; the bytes between rows stay as they are.
void SWAPRGB(std::uint8_t* DATA, std::int32_t WIDTH, std::int32_t HEIGHT, std::int32_t STRIDE);

// Builds all levels of the texture bound to GL_TEXTURE_2D from a pixel array read under the
// current unpack state: red-green-blue for FORMAT 24, blue-green-red-alpha for FORMAT 32; any
// other FORMAT builds nothing.
void ADDMIPMAPSTEXTURE(std::int32_t FORMAT, std::int32_t WIDTH, std::int32_t HEIGHT,
                       const void* BITS);

} // namespace orvex

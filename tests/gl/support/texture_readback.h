// What the driver holds for a texture level: its size and texels read back as RGBA bytes.
#pragma once

#include "framework/render/gl.h"

#include <cstdint>
#include <ostream>
#include <vector>

namespace orvex::test {

// One texel as red, green, blue, alpha.
struct Texel {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Texel&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Texel& texel);

// A level of the texture bound to a target: width, height and texels, bottom row first.
struct TextureLevel {
  GLint width = 0;
  GLint height = 0;
  std::vector<Texel> texels;
};

// Reads one level of the texture bound to GL_TEXTURE_2D (target GL_TEXTURE_2D) or of one face
// of the bound cube map (target that face); an empty level where there is no image.
TextureLevel READTEXTURELEVEL(GLenum target, GLint level);

// The texel 0xAARRGGBB stands for.
Texel TEXEL(std::uint32_t argb);

} // namespace orvex::test

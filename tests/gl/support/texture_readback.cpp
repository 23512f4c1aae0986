#include "gl/support/texture_readback.h"

#include <cstdio>

namespace orvex::test {

std::ostream& operator<<(std::ostream& out, const Texel& texel) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X%02X%02X/%02X", texel.r, texel.g, texel.b, texel.a);
  return out << text;
}

TextureLevel READTEXTURELEVEL(GLenum target, GLint level) {
  TextureLevel result;
  glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &result.width);
  glGetTexLevelParameteriv(target, level, GL_TEXTURE_HEIGHT, &result.height);
  if (result.width <= 0 || result.height <= 0) return result;
  result.texels.resize(static_cast<std::size_t>(result.width) * result.height);
  GLint pack_alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack_alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(target, level, GL_RGBA, GL_UNSIGNED_BYTE, result.texels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, pack_alignment);
  return result;
}

Texel TEXEL(std::uint32_t argb) {
  return {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
          static_cast<std::uint8_t>(argb), static_cast<std::uint8_t>(argb >> 24)};
}

} // namespace orvex::test

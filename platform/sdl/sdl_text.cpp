// The user-interface font: fontconfig finds a sans-serif face, SDL_ttf opens and draws it.
#include "sdl/native_text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>

namespace orvex::platform::native {

namespace {

// Pixel size of the user-interface font (SDL_ttf's points are pixels at 72 dpi).
constexpr int kFontPixels = 12;

// Where a Debian system keeps DejaVu Sans when fontconfig itself cannot answer.
constexpr const char* kFallbackFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// The file of the best match for a fontconfig pattern such as "sans-serif"; empty for none.
std::string match_font_file(const char* pattern_text) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(pattern_text));
  if (!pattern) return {};
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
    file = reinterpret_cast<const char*>(path);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

TTF_Font* open_first(std::initializer_list<std::string> files) {
  for (const std::string& file : files) {
    if (file.empty()) continue;
    if (TTF_Font* font = TTF_OpenFont(file.c_str(), kFontPixels)) return font;
  }
  return nullptr;
}

// The font, opened on first use and kept for the life of the process; null when none opens.
TTF_Font* ui_font() {
  static TTF_Font* font = []() -> TTF_Font* {
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    std::string preferred, fallback;
    if (FcInit()) {
      preferred = match_font_file("sans-serif");
      fallback = match_font_file("DejaVu Sans");
    }
    return open_first({preferred, fallback, kFallbackFontFile});
  }();
  return font;
}

std::uint32_t blend(std::uint32_t below, std::uint32_t rgb, unsigned alpha) {
  auto mix = [alpha](std::uint32_t d, std::uint32_t s) {
    return (s * alpha + d * (255 - alpha) + 127) / 255;
  };
  std::uint32_t r = mix((below >> 16) & 0xFF, (rgb >> 16) & 0xFF);
  std::uint32_t g = mix((below >> 8) & 0xFF, (rgb >> 8) & 0xFF);
  std::uint32_t b = mix(below & 0xFF, rgb & 0xFF);
  return (r << 16) | (g << 8) | b;
}

} // namespace

int ui_font_height() {
  TTF_Font* font = ui_font();
  return font ? TTF_FontHeight(font) : 0;
}

int ui_text_width(const std::string& utf8) {
  TTF_Font* font = ui_font();
  int width = 0, height = 0;
  if (!font || utf8.empty() || TTF_SizeUTF8(font, utf8.c_str(), &width, &height) != 0) return 0;
  return width;
}

void draw_ui_text(const PixelTarget& target, const ClipBox& clip, int x, int y,
                  const std::string& utf8, std::uint32_t rgb) {
  TTF_Font* font = ui_font();
  if (!font || utf8.empty() || !target.pixels) return;
  const int left = std::max(clip.left, 0), top = std::max(clip.top, 0);
  const int right = std::min(clip.right, target.width);
  const int bottom = std::min(clip.bottom, target.height);
  if (left >= right || top >= bottom) return;

  const SDL_Color colour{static_cast<Uint8>((rgb >> 16) & 0xFF),
                         static_cast<Uint8>((rgb >> 8) & 0xFF), static_cast<Uint8>(rgb & 0xFF),
                         255};
  SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8.c_str(), colour);
  if (!rendered) return;
  SDL_Surface* glyphs = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(rendered);
  if (!glyphs) return;
  if (SDL_LockSurface(glyphs) == 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(glyphs->pixels);
    for (int gy = 0; gy < glyphs->h; ++gy) {
      const int ty = y + gy;
      if (ty < top || ty >= bottom) continue;
      const auto* row = reinterpret_cast<const std::uint32_t*>(bytes + gy * glyphs->pitch);
      std::uint32_t* out = target.pixels + static_cast<std::size_t>(ty) * target.stride;
      for (int gx = 0; gx < glyphs->w; ++gx) {
        const int tx = x + gx;
        if (tx < left || tx >= right) continue;
        const unsigned alpha = row[gx] >> 24;
        if (alpha) out[tx] = blend(out[tx], rgb, alpha);
      }
    }
    SDL_UnlockSurface(glyphs);
  }
  SDL_FreeSurface(glyphs);
}

} // namespace orvex::platform::native

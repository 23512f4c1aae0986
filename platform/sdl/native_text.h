// Text for the layer's own controls: one user-interface font, found through fontconfig and
// drawn with SDL_ttf, expressed without any SDL or fontconfig type. Only the files in this
// directory implement it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvex::platform::native {

// The line height of the user-interface font in pixels; 0 when no font could be opened. The
// font is looked up and opened on the first call of any function here, and only then.
int ui_font_height();

// The width in pixels of one line of UTF-8 text in that font; 0 without a font.
int ui_text_width(const std::string& utf8);

// A 32-bit pixel buffer, top row first: pixels are 0x00RRGGBB, rows stride pixels apart.
struct PixelTarget {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
};

// Where drawing may touch the target: left and top inclusive, right and bottom exclusive.
struct ClipBox {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Draws one line of UTF-8 text in colour 0x00RRGGBB with the top-left corner of its line box
// at (x, y), blending the glyphs' edges into the pixels below, inside clip and the target.
// Without a font it draws nothing.
void draw_ui_text(const PixelTarget& target, const ClipBox& clip, int x, int y,
                  const std::string& utf8, std::uint32_t rgb);

} // namespace orvex::platform::native

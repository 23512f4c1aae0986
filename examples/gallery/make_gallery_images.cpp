// Draws the gallery's pictures and writes them as 24-bit uncompressed BMP files: the normal,
// hover and pressed images of two shaped buttons on the magenta key colour (a round "look"
// button with an eye, a five-pointed "spin" star) and a tile texture for the scene. Shapes
// have hard edges, so that no pixel between a shape and the key takes a colour of both.
//
// Usage: gallery-images <output directory>
#include "tools/bmp_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
  double r, g, b; // 0..1
};

Rgb mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb rgb8(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

double clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// The key colour that the buttons' regions cut away.
constexpr Rgb kKey{1.0, 0.0, 1.0};

// Row 0 is the top row of the picture.
struct Picture {
  int width, height;
  std::vector<Rgb> pixels;
  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w * h), kKey) {}
  Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The picture as a bottom-up 24-bit BMP file; false when it cannot be written.
bool write_bmp(const std::string& path, const Picture& picture) {
  std::vector<std::uint8_t> bgr;
  bgr.reserve(picture.pixels.size() * 3);
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& c = picture.at(x, y);
      bgr.insert(bgr.end(), {orvex::tools::channel_byte(c.b), orvex::tools::channel_byte(c.g),
                             orvex::tools::channel_byte(c.r)});
    }
  }
  return orvex::tools::write_bmp24(path, picture.width, picture.height, bgr);
}

// ---------------------------------------------------------------------------------------------
// Shapes as signed distances: negative inside, in pixels.

double circle_distance(double x, double y, double cx, double cy, double radius) {
  return std::hypot(x - cx, y - cy) - radius;
}

struct Point {
  double x, y;
};

double segment_distance(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double t = clamp01(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy));
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool inside_polygon(Point p, const std::vector<Point>& poly) {
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point a = poly[i], b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

double polygon_distance(Point p, const std::vector<Point>& poly) {
  double d = 1e9;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
    d = std::min(d, segment_distance(p, poly[j], poly[i]));
  return inside_polygon(p, poly) ? -d : d;
}

// A button face: what colour a pixel inside the shape takes, given its position and its
// distance to the edge (negative, in pixels).
struct Face {
  Rgb top, bottom;   // body gradient from the top of the shape to its bottom
  Rgb outline;       // the edge band
  Rgb glyph_colour;  // the picture on the button
  double offset = 0; // pressed buttons draw their contents shifted down and right
};

// ---------------------------------------------------------------------------------------------
// The round "look" button: a shaded disc with an eye whose iris shows the state.

Picture look_button(const Face& face) {
  constexpr int kSize = 64;
  constexpr double kCentre = 32.0, kRadius = 30.0, kOutline = 2.0;
  Picture p(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = circle_distance(px, py, kCentre, kCentre, kRadius);
      if (d > 0) continue;
      const double cx = kCentre + face.offset, cy = kCentre + face.offset;
      Rgb c = mix(face.top, face.bottom, clamp01((py - 2) / (kSize - 4)));
      // A soft highlight towards the upper left.
      const double light = clamp01(1.0 - std::hypot(px - 22, py - 20) / 26.0);
      c = mix(c, Rgb{1, 1, 1}, 0.35 * light * light);
      // The eye: an almond of two circle arcs, the iris and the pupil.
      const double upper = circle_distance(px, py, cx, cy + 14, 22);
      const double lower = circle_distance(px, py, cx, cy - 14, 22);
      if (upper < 0 && lower < 0) {
        c = rgb8(248, 248, 244);
        if (std::max(upper, lower) > -1.5) c = rgb8(30, 34, 48);
        const double iris = circle_distance(px, py, cx, cy, 7.5);
        if (iris < 0) c = face.glyph_colour;
        if (circle_distance(px, py, cx, cy, 3.0) < 0)
          c = mix(face.glyph_colour, rgb8(10, 10, 16), 0.75);
        if (circle_distance(px, py, cx - 2.5, cy - 2.5, 1.4) < 0) c = rgb8(255, 255, 255);
      }
      if (d > -kOutline) c = face.outline;
      p.at(x, y) = c;
    }
  return p;
}

// ---------------------------------------------------------------------------------------------
// The "spin" star: a five-pointed star with a bevelled body.

Picture spin_button(const Face& face) {
  constexpr int kSize = 72;
  constexpr double kCentre = 36.0, kOuter = 34.0, kInner = 14.5, kOutline = 2.0;
  const double pi = std::acos(-1.0);
  std::vector<Point> star;
  for (int i = 0; i < 10; ++i) {
    const double angle = -pi / 2 + i * pi / 5;
    const double r = (i % 2 == 0) ? kOuter : kInner;
    star.push_back({kCentre + r * std::cos(angle), kCentre + 2.0 + r * std::sin(angle)});
  }
  Picture p(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const Point at{x + 0.5, y + 0.5};
      const double d = polygon_distance(at, star);
      if (d > 0) continue;
      Rgb c = mix(face.top, face.bottom, clamp01((at.y - 2) / (kSize - 4)));
      // Bevel: lighter near the edge on the upper left, darker on the lower right.
      const double edge = clamp01(1.0 + d / 6.0);
      const double side = ((at.x - kCentre) + (at.y - kCentre)) > 0 ? -0.25 : 0.3;
      c = mix(c, side > 0 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, std::abs(side) * edge);
      // A round jewel in the middle shows the state.
      const double jewel =
          circle_distance(at.x, at.y, kCentre + face.offset, kCentre + 2.0 + face.offset, 6.0);
      if (jewel < 0) c = jewel > -1.2 ? face.outline : face.glyph_colour;
      if (d > -kOutline) c = face.outline;
      p.at(x, y) = c;
    }
  return p;
}

// ---------------------------------------------------------------------------------------------
// The scene's tile texture: glazed square tiles in grout, each a slightly different shade.

std::uint32_t hash2(int x, int y) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

Picture tile_texture() {
  constexpr int kSize = 256, kTiles = 4, kTile = kSize / kTiles;
  constexpr double kGrout = 3.0;
  Picture p(kSize, kSize);
  const Rgb grout = rgb8(226, 220, 206);
  const Rgb glaze_a = rgb8(38, 104, 150), glaze_b = rgb8(64, 150, 170);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const int tx = x / kTile, ty = y / kTile;
      const double lx = x % kTile + 0.5, ly = y % kTile + 0.5;
      const double edge = std::min({lx, ly, kTile - lx, kTile - ly});
      const double shade = (hash2(tx, ty) % 1000) / 1000.0;
      Rgb c = mix(glaze_a, glaze_b, shade);
      // A gentle sheen across each tile, and a darker rim where the glaze pools.
      c = mix(c, Rgb{1, 1, 1}, 0.18 * clamp01(1.0 - std::hypot(lx - 20, ly - 18) / 40.0));
      c = mix(c, Rgb{0.05, 0.1, 0.15}, 0.35 * clamp01(1.0 - (edge - kGrout) / 5.0));
      if (edge < kGrout) c = grout;
      p.at(x, y) = c;
    }
  return p;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const Rgb dark_outline = rgb8(24, 28, 40);
  struct Output {
    std::string name;
    Picture picture;
  };
  const Output outputs[] = {
      {"LOOKN.BMP",
       look_button({rgb8(92, 132, 196), rgb8(40, 66, 128), dark_outline, rgb8(70, 120, 200), 0})},
      {"LOOKH.BMP", look_button({rgb8(150, 200, 255), rgb8(64, 120, 210), rgb8(20, 40, 90),
                                 rgb8(255, 176, 40), 0})},
      {"LOOKP.BMP",
       look_button({rgb8(34, 56, 110), rgb8(20, 34, 80), dark_outline, rgb8(220, 60, 50), 1})},
      {"SPINN.BMP",
       spin_button({rgb8(120, 196, 96), rgb8(46, 120, 54), dark_outline, rgb8(230, 240, 220), 0})},
      {"SPINH.BMP", spin_button({rgb8(255, 228, 92), rgb8(232, 160, 32), rgb8(96, 56, 8),
                                 rgb8(255, 255, 255), 0})},
      {"SPINP.BMP",
       spin_button({rgb8(214, 110, 36), rgb8(150, 60, 20), dark_outline, rgb8(120, 30, 20), 1})},
      {"gallery_tiles.bmp", tile_texture()},
  };
  for (const Output& o : outputs) {
    if (!write_bmp(dir + "/" + o.name, o.picture)) {
      std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), o.name.c_str());
      return 1;
    }
  }
  return 0;
}

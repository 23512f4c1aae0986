// Draws the demo's three pictures and writes them as 24-bit uncompressed BMP files: the
// sea-and-sky atlas of the sky box, the floor tiles and the masonry wall. Everything is
// computed here from value noise; the same run always writes the same bytes.
//
// Usage: orvex-images <output directory>

#include "tools/bmp_writer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------------
// Colours and pictures

struct Rgb {
  double r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b) {
  return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator-(Rgb a, Rgb b) {
  return {a.r - b.r, a.g - b.g, a.b - b.b};
}
Rgb operator*(Rgb a, double k) {
  return {a.r * k, a.g * k, a.b * k};
}
Rgb mix(Rgb a, Rgb b, double t) {
  return a + (b - a) * t;
}

constexpr Rgb rgb8(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}

double clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

double smoothstep(double edge0, double edge1, double x) {
  double t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

// A picture addressed as a texture is: column 0 at the left, row 0 at the bottom, which is
// also the first row a bottom-up BMP file stores.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;

  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Rgb& at(int column, int row) { return pixels[static_cast<std::size_t>(row) * width + column]; }
};

// The picture as a bottom-up 24-bit BMP file; false when it cannot be written.
bool write_bmp(const std::string& path, const Picture& picture) {
  std::vector<std::uint8_t> bgr;
  bgr.reserve(picture.pixels.size() * 3);
  for (const Rgb& p : picture.pixels) // row 0 is already the bottom row
    bgr.insert(bgr.end(), {orvex::tools::channel_byte(p.b), orvex::tools::channel_byte(p.g),
                           orvex::tools::channel_byte(p.r)});
  return orvex::tools::write_bmp24(path, picture.width, picture.height, bgr);
}

// ---------------------------------------------------------------------------------------------
// Value noise

std::uint32_t hash3(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9e3779b9u;
  h ^= static_cast<std::uint32_t>(x) * 0x85ebca6bu;
  h = (h ^ (h >> 15)) * 0x2c1b3c6du;
  h ^= static_cast<std::uint32_t>(y) * 0xc2b2ae35u;
  h = (h ^ (h >> 13)) * 0x297a2d39u;
  h ^= h >> 16;
  return h;
}

// Uniform in [0, 1), one value per integer lattice point and seed.
double lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  return (hash3(x, y, seed) >> 8) * (1.0 / 16777216.0);
}

std::int32_t wrap(std::int32_t i, std::int32_t period) {
  if (period <= 0) return i;
  i %= period;
  return i < 0 ? i + period : i;
}

struct NoiseSample {
  double value = 0; // in [0, 1]
  double dx = 0;    // the partial derivatives
  double dy = 0;
};

// Smooth value noise with its gradient; it repeats every `period` units in x and y when the
// period is positive.
NoiseSample value_noise(double x, double y, std::uint32_t seed, std::int32_t period = 0) {
  const double fx = std::floor(x), fy = std::floor(y);
  const double tx = x - fx, ty = y - fy;
  const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
  const double a = lattice(wrap(ix, period), wrap(iy, period), seed);
  const double b = lattice(wrap(ix + 1, period), wrap(iy, period), seed);
  const double c = lattice(wrap(ix, period), wrap(iy + 1, period), seed);
  const double d = lattice(wrap(ix + 1, period), wrap(iy + 1, period), seed);
  const double u = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
  const double v = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
  const double du = 30 * tx * tx * (tx - 1) * (tx - 1);
  const double dv = 30 * ty * ty * (ty - 1) * (ty - 1);
  const double k = a - b - c + d;
  return {a + (b - a) * u + (c - a) * v + k * u * v, du * ((b - a) + k * v),
          dv * ((c - a) + k * u)};
}

// Fractal sum of `octaves` noise layers at doubling frequencies, in [0, 1]. With a positive
// period the sum repeats every `period` units. An octave whose features would be smaller than
// about three times `footprint` (the size of one texel in these units) fades to its mean, so
// distant detail averages out instead of flickering.
double fbm(double x, double y, int octaves, std::uint32_t seed, std::int32_t period = 0,
           double footprint = 0) {
  double sum = 0, norm = 0, amplitude = 1, frequency = 1;
  for (int i = 0; i < octaves; ++i) {
    const double keep = std::clamp(2.0 - 6.0 * footprint * frequency, 0.0, 1.0);
    const double n = value_noise(x * frequency, y * frequency, seed + 17u * i,
                                 period * static_cast<std::int32_t>(frequency))
                         .value;
    sum += amplitude * (keep * n + (1 - keep) * 0.5);
    norm += amplitude;
    amplitude *= 0.5;
    frequency *= 2;
  }
  return sum / norm;
}

// ---------------------------------------------------------------------------------------------
// Sea and sky seen from the centre of the sky box

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator*(Vec3 a, double k) {
  return {a.x * k, a.y * k, a.z * k};
}
double dot(Vec3 a, Vec3 b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 normalized(Vec3 a) {
  return a * (1 / std::sqrt(dot(a, a)));
}

constexpr int kCell = 256;                      // texels along an atlas cell's edge
constexpr double kTexelAngle = kPi / 2 / kCell; // the angle one texel spans at a face centre

Vec3 direction_from(double azimuth_degrees, double elevation_degrees) {
  const double az = azimuth_degrees * kPi / 180, el = elevation_degrees * kPi / 180;
  return {std::sin(az) * std::cos(el), std::sin(el), -std::cos(az) * std::cos(el)};
}

// Azimuth is measured from -z towards +x: the sun stands a little right of the -z face's
// centre, low over the sea.
const Vec3 kSun = direction_from(21, 13);

constexpr Rgb kHorizonHaze = rgb8(216, 226, 232);
constexpr Rgb kZenith = rgb8(40, 90, 154);
constexpr Rgb kSunlight = rgb8(255, 236, 196);
constexpr Rgb kDeepWater = rgb8(34, 86, 142);
constexpr Rgb kSeaHaze = rgb8(186, 200, 212);

// The clear sky and the sun, without clouds: also what the waves mirror.
Rgb clear_sky(Vec3 d) {
  const double elevation = std::asin(std::clamp(d.y, 0.0, 1.0));
  Rgb sky = mix(kHorizonHaze, kZenith, 1 - std::exp(-elevation / 0.22));
  const double from_sun = std::acos(std::clamp(dot(d, kSun), -1.0, 1.0));
  const double glow = 0.55 * std::exp(-from_sun / 0.045) + 0.20 * std::exp(-from_sun / 0.35);
  sky = sky + kSunlight * glow;
  const double disc = smoothstep(0.0215, 0.0165, from_sun);
  return mix(sky, rgb8(255, 252, 240) * 1.2, disc);
}

// Clouds lie on a plane one unit above the eye: they shrink and thin out towards the
// horizon, stay in a band near it and leave the upper sky clear.
Rgb sky_colour(Vec3 d) {
  Rgb sky = clear_sky(d);
  const double elevation = std::asin(std::clamp(d.y, 0.0, 1.0));
  const double band = smoothstep(0.012, 0.08, elevation) * (1 - smoothstep(0.36, 0.56, elevation));
  if (band <= 0) return sky;
  const double reach = 1 / d.y;
  const double px = d.x * reach * 0.55 + 11.3, pz = d.z * reach * 0.55 - 4.1;
  const double footprint = kTexelAngle * reach * reach * 0.55;
  const double warp = fbm(px * 0.5 + 3.1, pz * 0.5, 3, 91, 0, footprint * 0.5) - 0.5;
  const double qx = px + warp * 0.8, qz = pz * 1.25 + warp * 0.6;
  const double base = fbm(qx * 0.6, qz * 0.6, 3, 7, 0, footprint * 0.6);
  const double detail = fbm(qx * 2.2, qz * 2.2, 6, 13, 0, footprint * 2.2);
  const double density = base * 0.68 + detail * 0.32;
  const double cover = smoothstep(0.49, 0.55, density) * band;
  if (cover <= 0) return sky;
  const double lee =
      fbm((qx + kSun.x * 0.12) * 2.2, (qz + kSun.z * 0.15) * 2.2, 6, 13, 0, footprint * 2.2);
  const double lit = clamp01(0.5 + 7.0 * (detail - lee));
  const double thickness = smoothstep(0.54, 0.70, density);
  Rgb cloud = mix(rgb8(252, 252, 250), rgb8(168, 176, 192), thickness * 0.75);
  cloud = cloud * (0.8 + 0.2 * lit);
  const double from_sun = std::acos(std::clamp(dot(d, kSun), -1.0, 1.0));
  cloud = cloud + kSunlight * (0.5 * std::exp(-from_sun / 0.15) * (1 - thickness));
  cloud = mix(cloud, kHorizonHaze, std::exp(-elevation / 0.045) * 0.85);
  return mix(sky, cloud, cover * 0.95);
}

// The wave field: octaves of stretched noise from long swell down to small ripples, each
// turned to its own heading so no lattice shows; only the slope is needed.
constexpr int kWaveOctaves = 9;
constexpr double kLongestWave = 0.6;

// The sea: a plane one unit below the eye covered by the wave field. Each point mirrors the
// clear sky by its Fresnel factor over the colour of deep water; the sun glitters where the
// mirrored ray meets it; haze closes the view at the horizon.
Rgb sea_colour(Vec3 d) {
  const double depth = std::max(-d.y, 1e-4);
  const double reach = 1 / depth;
  const double px = d.x * reach, pz = d.z * reach;
  const double footprint = kTexelAngle * reach * reach;
  double gx = 0, gz = 0, wavelength = kLongestWave, heading = 0.3;
  for (int i = 0; i < kWaveOctaves; ++i, wavelength *= 0.55, heading += 2.1) {
    const double keep = std::clamp(2.0 - 3.0 * footprint / wavelength, 0.0, 1.0);
    if (keep <= 0) break;
    const double ca = std::cos(heading), sa = std::sin(heading);
    const double along = (px * ca + pz * sa) / wavelength;
    const double across = (-px * sa + pz * ca) / wavelength * 0.6;
    const NoiseSample n = value_noise(along, across, 300 + i);
    const double k = keep * 0.10;
    gx += k * (n.dx * ca - n.dy * 0.6 * sa);
    gz += k * (n.dx * sa + n.dy * 0.6 * ca);
  }
  const Vec3 normal = normalized({-gx, 1, -gz});
  const double facing = std::max(-dot(d, normal), 0.0);
  const double fresnel = 0.02 + 0.98 * std::pow(1 - facing, 5);
  Vec3 mirrored = d + normal * (2 * facing);
  mirrored.y = std::max(mirrored.y, 0.004);
  mirrored = normalized(mirrored);
  const double to_sun = std::max(dot(mirrored, kSun), 0.0);
  const double glitter = 30 * std::pow(to_sun, 4000) + 0.5 * std::pow(to_sun, 90);
  const double lit_flank = 1 + 0.6 * (normal.x * kSun.x + normal.z * kSun.z);
  const Rgb body = kDeepWater * lit_flank;
  Rgb sea = mix(body, clear_sky(mirrored), fresnel) + kSunlight * (glitter * (0.3 + fresnel));
  return mix(sea, kSeaHaze, std::exp(-depth / 0.02));
}

Rgb environment(Vec3 d) {
  return d.y >= 0 ? sky_colour(d) : sea_colour(d);
}

// The sky box draws each face from one cell of a 4 x 2 atlas. Its side faces stand a little
// taller than the box (half-height 2/1.99 of the half-edge) and its floor and ceiling reach a
// little further, so the directions below follow the faces as drawn.
enum class Face { NegX, NegZ, PosX, PosZ, Floor, Ceiling };

constexpr double kSideReachY = 2.0 / 1.99;
constexpr double kFloorReachX = 2.0 / 1.995, kFloorReachZ = 2.0 / 1.988;
constexpr double kCeilingReachX = 2.0 / 1.995, kCeilingReachZ = 1.0;

// The direction from the box centre through the point of a face at cell coordinates u (along
// s) and v (along t), both -1..1.
Vec3 face_direction(Face face, double u, double v) {
  switch (face) {
  case Face::NegZ: return {u, v * kSideReachY, -1};
  case Face::PosX: return {1, v * kSideReachY, u};
  case Face::PosZ: return {-u, v * kSideReachY, 1};
  case Face::NegX: return {-1, v * kSideReachY, -u};
  case Face::Floor: return {u * kFloorReachX, -1, -v * kFloorReachZ};
  case Face::Ceiling: return {u * kCeilingReachX, 1, v * kCeilingReachZ};
  }
  return {0, 1, 0};
}

// Fills one atlas cell with the view through a face. Texels next to the horizon are averaged
// from several rays, so the horizon is smooth on every face.
void draw_face(Picture& atlas, Face face, int cell_column, int cell_row) {
  for (int row = 0; row < kCell; ++row) {
    for (int column = 0; column < kCell; ++column) {
      const double u = (column + 0.5) / kCell * 2 - 1;
      const double v = (row + 0.5) / kCell * 2 - 1;
      const Vec3 d = normalized(face_direction(face, u, v));
      Rgb colour;
      if (std::abs(d.y) < 3 * kTexelAngle) {
        constexpr int kRays = 6;
        for (int i = 0; i < kRays; ++i) {
          const double vi = v + ((i + 0.5) / kRays - 0.5) * 2.0 / kCell;
          colour = colour + environment(normalized(face_direction(face, u, vi))) * (1.0 / kRays);
        }
      } else {
        colour = environment(d);
      }
      atlas.at(cell_column * kCell + column, cell_row * kCell + row) = colour;
    }
  }
}

// The two unused cells of the lower row only ever show at their borders, where filtering
// reaches into them from the faces next to them: their top and bottom texels repeat the
// side faces above (whose bottom and top edges blend with them), their outer columns repeat
// the ceiling and the floor.
void fill_unused_cells(Picture& atlas) {
  const int top = kCell - 1;
  for (int column = 2 * kCell; column < 4 * kCell; ++column) {
    const Rgb above = atlas.at(column, kCell);
    const Rgb wrapped = atlas.at(column, 2 * kCell - 1);
    for (int row = 0; row < kCell; ++row) {
      Rgb colour = mix(wrapped, above, row / static_cast<double>(top));
      if (column < 2 * kCell + 2) colour = atlas.at(2 * kCell - 1, row);
      if (column >= 4 * kCell - 2) colour = atlas.at(0, row);
      if (row >= top - 1) colour = above;
      if (row <= 1) colour = wrapped;
      atlas.at(column, row) = colour;
    }
  }
}

Picture draw_sky_atlas() {
  Picture atlas(4 * kCell, 2 * kCell);
  draw_face(atlas, Face::NegX, 0, 1);
  draw_face(atlas, Face::NegZ, 1, 1);
  draw_face(atlas, Face::PosX, 2, 1);
  draw_face(atlas, Face::PosZ, 3, 1);
  draw_face(atlas, Face::Floor, 0, 0);
  draw_face(atlas, Face::Ceiling, 1, 0);
  fill_unused_cells(atlas);
  return atlas;
}

// ---------------------------------------------------------------------------------------------
// Floor: square stone tiles with grout

constexpr int kFloorSize = 512;
constexpr int kTilesAcross = 8;

Picture draw_floor() {
  Picture floor(kFloorSize, kFloorSize);
  constexpr double tile = kFloorSize / static_cast<double>(kTilesAcross);
  const Rgb light_stone = rgb8(222, 210, 188);
  const Rgb dark_stone = rgb8(150, 128, 108);
  for (int row = 0; row < kFloorSize; ++row) {
    for (int column = 0; column < kFloorSize; ++column) {
      const double x = column + 0.5, y = row + 0.5;
      const int tx = static_cast<int>(x / tile), ty = static_cast<int>(y / tile);
      const double lx = x - tx * tile, ly = y - ty * tile;
      const double edge = std::min({lx, tile - lx, ly, tile - ly});
      const std::uint32_t tile_seed = hash3(tx, ty, 1234);
      const double variation = (tile_seed & 0xffff) / 65535.0 - 0.5;
      const bool dark = ((tx + ty) & 1) != 0;

      const double ox = (tile_seed >> 16 & 0xff) * 0.37, oy = (tile_seed >> 24) * 0.41;
      const double mottle = fbm(lx / 24 + ox, ly / 24 + oy, 5, 21);
      const double vein_field = fbm(lx / 40 + oy, ly / 40 + ox, 5, 33);
      const double vein =
          std::pow(1 - std::abs(std::sin((lx + ly * 0.6) / 9 + vein_field * 9)), 14);
      Rgb stone = dark ? dark_stone : light_stone;
      stone = stone * (1 + 0.10 * variation + 0.16 * (mottle - 0.5));
      stone = mix(stone, dark ? rgb8(206, 192, 170) : rgb8(168, 150, 128), vein * 0.45);
      stone = stone * (1 + 0.05 * (lattice(column, row, 77) - 0.5));

      // Light falls from the upper left: the tiles' bevelled rims catch it on that side.
      double bevel = 0;
      if (edge < 6) {
        const double rim = 1 - smoothstep(2.0, 6.0, edge);
        if (edge == lx || edge == tile - ly)
          bevel = 0.10 * rim;
        else
          bevel = -0.12 * rim;
      }
      stone = stone * (1 + bevel);

      const double gap = fbm(x / 8, y / 8, 3, 55, kFloorSize / 8);
      Rgb grout = rgb8(120, 114, 104) * (0.85 + 0.3 * gap) * (0.8 + 0.2 * smoothstep(0, 1.5, edge));
      floor.at(column, row) = mix(grout, stone, smoothstep(1.6, 2.8, edge));
    }
  }
  return floor;
}

// ---------------------------------------------------------------------------------------------
// Wall: courses of pale sandstone blocks of varying length in mortar

constexpr int kWallSize = 512;
constexpr int kCourses = 8;

struct Block {
  int start; // first column, may be negative: the block wraps round the picture
  int length;
};

// The blocks of one course: lengths of 96 to 176 texels that together span the width once,
// the first starting at a random offset, so the course repeats seamlessly.
std::vector<Block> lay_course(int course) {
  std::vector<Block> blocks;
  int at = -static_cast<int>(hash3(course, 0, 5) % 96);
  const int end = at + kWallSize;
  for (int i = 0; at < end; ++i) {
    const int left = end - at;
    int length = left;
    if (left > 176)
      length = std::min(96 + static_cast<int>(hash3(course, i + 1, 9) % 5) * 16, left - 96);
    blocks.push_back({at, length});
    at += length;
  }
  return blocks;
}

Picture draw_wall() {
  Picture wall(kWallSize, kWallSize);
  constexpr int course_height = kWallSize / kCourses;
  const std::array<Rgb, 5> stones = {rgb8(190, 172, 140), rgb8(178, 154, 120), rgb8(198, 186, 160),
                                     rgb8(168, 148, 118), rgb8(184, 164, 130)};
  for (int course = 0; course < kCourses; ++course) {
    for (const Block& block : lay_course(course)) {
      const std::uint32_t seed = hash3(course, block.start, 4321);
      const Rgb base = stones[seed % stones.size()] * (0.94 + 0.12 * ((seed >> 8 & 0xff) / 255.0));
      const double ox = (seed >> 16 & 0xff) * 0.31, oy = (seed >> 24) * 0.29;
      for (int ly = 0; ly < course_height; ++ly) {
        for (int lx = 0; lx < block.length; ++lx) {
          const int column = ((block.start + lx) % kWallSize + kWallSize) % kWallSize;
          const int row = course * course_height + ly;
          const double x = lx + 0.5, y = ly + 0.5;
          const double rough = fbm(column / 8.0, row / 8.0, 3, 61, kWallSize / 8) - 0.5;
          const double edge = std::min({x, block.length - x, y, course_height - y}) + rough * 3.0;
          const double strata = fbm(x / 60 + ox, y / 7 + oy, 4, 71);
          const double grain = fbm(column / 4.0, row / 4.0, 2, 83, kWallSize / 4);
          const double weather = fbm(column / 64.0, row / 64.0, 4, 89, kWallSize / 64);
          Rgb stone =
              base * (1 + 0.22 * (strata - 0.5) + 0.10 * (grain - 0.5) + 0.16 * (weather - 0.5));
          if (lattice(column, row, 97) > 0.985) stone = stone * 0.82;

          // Light from above: each block's top rim is lit, its lower rim in shade.
          const double rim = 1 - smoothstep(2.5, 8.0, edge);
          const bool top = (course_height - y) <= std::min({x, block.length - x, y});
          const bool bottom = y <= std::min(x, block.length - x);
          stone = stone * (1 + (top ? 0.10 : bottom ? -0.14 : -0.04) * rim);

          const double sand = lattice(column, row, 101);
          Rgb mortar = rgb8(154, 148, 136) * (0.9 + 0.16 * sand);
          if (y < 5) mortar = mortar * 0.86;
          wall.at(column, row) = mix(mortar, stone, smoothstep(2.2, 3.8, edge));
        }
      }
    }
  }
  return wall;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argc > 0 ? argv[0] : "orvex-images");
    return 2;
  }
  const std::string dir = argv[1];
  const struct {
    const char* name;
    Picture (*draw)();
  } images[] = {
      {"sky_seaday6.bmp", draw_sky_atlas}, {"Floor05.bmp", draw_floor}, {"wall.bmp", draw_wall}};
  for (const auto& image : images) {
    const std::string path = dir + "/" + image.name;
    if (!write_bmp(path, image.draw())) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
      return 1;
    }
  }
  return 0;
}

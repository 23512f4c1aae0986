// BITMAPTOREGION of a 2048 x 2048 shape against the floor for the same result: the same file
// loaded by SDL_LoadBMP, its rows scanned into the same rectangles (runs of pixels outside the
// key colour) and one pixman region built from them directly. The two regions are compared.
//
// Usage: region_bench FILE PAIRS   writes the shape to FILE, then times PAIRS interleaved pairs
#include "bench_util.h"
#include "framework/window/bitmap_region.h"
#include "tools/bmp_writer.h"

#include <SDL.h>
#include <pixman.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEdge = 2048;
constexpr std::uint32_t kKey = 0x00FF00FF; // magenta, 0x00BBGGRR

// A disc with a grid of square holes: a few dozen runs on many rows, one on the others.
bool opaque_at(int x, int y) {
  const int dx = x - kEdge / 2, dy = y - kEdge / 2;
  if (dx * dx + dy * dy > 1000 * 1000) return false;
  return !(x % 64 < 24 && y % 64 < 24);
}

// The shape on the key colour as a 24-bit file.
bool write_shape(const char* path) {
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(kEdge) * kEdge * 3);
  std::uint8_t* p = bgr.data();
  for (int file_row = 0; file_row < kEdge; ++file_row) {
    const int y = kEdge - 1 - file_row; // bottom-up
    for (int x = 0; x < kEdge; ++x, p += 3) {
      if (opaque_at(x, y)) {
        p[0] = static_cast<std::uint8_t>(x); // blue, green, red
        p[1] = static_cast<std::uint8_t>(y);
        p[2] = 40;
      } else {
        p[0] = 0xFF;
        p[1] = 0x00;
        p[2] = 0xFF;
      }
    }
  }
  return orvex::tools::write_bmp24(path, kEdge, kEdge, bgr);
}

// The floor: load, scan rows from the top into runs, one region from all the rectangles.
bool direct_region(const char* path, pixman_region32_t* out) {
  SDL_Surface* s = SDL_LoadBMP(path);
  if (!s) return false;
  std::vector<pixman_box32_t> boxes;
  const auto* pixels = static_cast<const std::uint8_t*>(s->pixels);
  for (int y = 0; y < s->h; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::size_t>(y) * s->pitch;
    int x = 0;
    while (x < s->w) {
      const int x0 = x;
      while (x < s->w) {
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3; // B, G, R
        if (p[2] == (kKey & 0xFF) && p[1] == ((kKey >> 8) & 0xFF) && p[0] == ((kKey >> 16) & 0xFF))
          break;
        ++x;
      }
      if (x > x0) boxes.push_back({x0, y, x, y + 1});
      ++x;
    }
  }
  SDL_FreeSurface(s);
  return pixman_region32_init_rects(out, boxes.data(), static_cast<int>(boxes.size()));
}

// The region behind a handle, as a pixman region of its rectangles.
bool region_of(HRGN rgn, pixman_region32_t* out) {
  const DWORD bytes = GetRegionData(rgn, 0, nullptr);
  if (!bytes) return false;
  std::vector<std::uint8_t> data(bytes);
  auto* rd = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(rgn, bytes, rd) != bytes) return false;
  std::vector<pixman_box32_t> boxes(rd->rdh.nCount);
  const auto* rects = reinterpret_cast<const RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < boxes.size(); ++i)
    boxes[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
  return pixman_region32_init_rects(out, boxes.data(), static_cast<int>(boxes.size()));
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !write_shape(argv[1])) {
    std::fprintf(stderr, "usage: region_bench FILE PAIRS\n");
    return 2;
  }
  const char* path = argv[1];
  const long pairs = bench::arg_count(argc, argv, 2, 7);
  SDL_Init(0);

  auto ours = [&](HRGN* keep) {
    const std::int64_t start = bench::now_ns();
    HRGN rgn = orvex::BITMAPTOREGION(path, kKey, 0);
    const std::int64_t took = bench::now_ns() - start;
    if (keep)
      *keep = rgn;
    else
      DeleteObject(rgn);
    return static_cast<double>(took);
  };
  auto direct = [&](pixman_region32_t* keep) {
    pixman_region32_t r;
    const std::int64_t start = bench::now_ns();
    direct_region(path, &r);
    const std::int64_t took = bench::now_ns() - start;
    if (keep)
      *keep = r;
    else
      pixman_region32_fini(&r);
    return static_cast<double>(took);
  };

  // Both give the same region; this first pair also brings the file into the page cache.
  HRGN rgn = 0;
  pixman_region32_t floor_region, our_region;
  ours(&rgn);
  direct(&floor_region);
  const bool same =
      rgn && region_of(rgn, &our_region) && pixman_region32_equal(&our_region, &floor_region);
  const int rects = pixman_region32_n_rects(&floor_region);
  if (rgn) {
    pixman_region32_fini(&our_region);
    DeleteObject(rgn);
  }
  // The region build alone, from rectangles already at hand.
  std::vector<pixman_box32_t> boxes;
  {
    int n = 0;
    const pixman_box32_t* b = pixman_region32_rectangles(&floor_region, &n);
    boxes.assign(b, b + n);
  }
  pixman_region32_fini(&floor_region);

  std::vector<double> ratios, our_ns, floor_ns, build_ns;
  for (long i = 0; i < pairs; ++i) {
    double a, b;
    if (i % 2) {
      b = direct(nullptr);
      a = ours(nullptr);
    } else {
      a = ours(nullptr);
      b = direct(nullptr);
    }
    our_ns.push_back(a);
    floor_ns.push_back(b);
    ratios.push_back(a / b);
    pixman_region32_t r;
    const std::int64_t start = bench::now_ns();
    pixman_region32_init_rects(&r, boxes.data(), static_cast<int>(boxes.size()));
    build_ns.push_back(static_cast<double>(bench::now_ns() - start));
    pixman_region32_fini(&r);
  }
  bench::figure("region_rects", rects, "rects");
  bench::figure("region_same", same ? 1 : 0, "bool");
  bench::figure("region_bitmaptoregion_ms", bench::median(our_ns) / 1e6, "ms");
  bench::figure("region_direct_ms", bench::median(floor_ns) / 1e6, "ms");
  bench::figure("region_pixman_only_ms", bench::median(build_ns) / 1e6, "ms");
  bench::figure("region_ratio", bench::median(ratios), "x");
  return same ? 0 : 1;
}

// Regions: CreateRectRgn, ExtCreateRegion, CombineRgn, PtInRegion, EqualRgn, GetRgnBox,
// GetRegionData and SetRect, over pixman_region32.
#include "gdi_region.h"

#include "handles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace orvex::platform {

namespace {

struct Region {
  pixman_region32_t area;
  Region() { pixman_region32_init(&area); }
  ~Region() { pixman_region32_fini(&area); }
  Region(const Region&) = delete;
  Region& operator=(const Region&) = delete;
};

using RegionTable = HandleTable<Region, HandleKind::Region>;

RegionTable& regions() {
  static RegionTable table;
  return table;
}

// Region coordinates are 27-bit signed numbers, which also keeps pixman's arithmetic on
// widths and heights far from overflow.
constexpr std::int32_t kCoordinateLimit = (1 << 27) - 1;

std::int32_t clamp_coordinate(std::int64_t v) {
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(v, -kCoordinateLimit, kCoordinateLimit));
}

int region_type(const pixman_region32_t& area) {
  int n = pixman_region32_n_rects(&area);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// An empty region gets the zero bounding box, so empty regions compare equal.
void settle_empty(pixman_region32_t& area) {
  if (!pixman_region32_not_empty(&area)) {
    pixman_region32_fini(&area);
    pixman_region32_init(&area);
  }
}

HRGN add_region(std::unique_ptr<Region> region) {
  HRGN handle = regions().add(std::move(region));
  if (!handle) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return handle;
}

std::unique_ptr<Region> new_region() {
  return std::unique_ptr<Region>(new (std::nothrow) Region);
}

bool is_identity(const XFORM& x) {
  return x.eM11 == 1.0f && x.eM12 == 0.0f && x.eM21 == 0.0f && x.eM22 == 1.0f && x.eDx == 0.0f &&
         x.eDy == 0.0f;
}

Region* lookup_region(HRGN rgn) {
  return regions().get(rgn);
}

} // namespace

const pixman_region32_t* region_of(HRGN rgn) {
  Region* region = lookup_region(rgn);
  return region ? &region->area : nullptr;
}

bool region_contains(HRGN rgn, int x, int y) {
  Region* region = lookup_region(rgn);
  return region && pixman_region32_contains_point(&region->area, x, y, nullptr);
}

std::size_t live_regions() {
  return regions().size();
}

BOOL delete_region(HRGN rgn) {
  if (!regions().remove(rgn)) return SetLastError(ERROR_INVALID_HANDLE), FALSE;
  return TRUE;
}

} // namespace orvex::platform

using namespace orvex::platform;

// A rectangular region; corners in either order, coordinates clamped to 27 bits.
HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  std::unique_ptr<Region> region = new_region();
  if (!region) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  std::int32_t x1 = clamp_coordinate(std::min(left, right)),
               x2 = clamp_coordinate(std::max(left, right));
  std::int32_t y1 = clamp_coordinate(std::min(top, bottom)),
               y2 = clamp_coordinate(std::max(top, bottom));
  if (x1 < x2 && y1 < y2) {
    pixman_region32_fini(&region->area);
    pixman_region32_init_rect(&region->area, x1, y1, static_cast<unsigned>(x2 - x1),
                              static_cast<unsigned>(y2 - y1));
  }
  return add_region(std::move(region));
}

// A region made of the rectangles of a RDH_RECTANGLES buffer; empty rectangles add nothing.
// NOTE: a transform other than none or the identity is refused.
HRGN ExtCreateRegion(const XFORM* xform, DWORD bytes, const RGNDATA* data) {
  if (xform && !is_identity(*xform)) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  if (!data || bytes < sizeof(RGNDATAHEADER)) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  const RGNDATAHEADER& header = data->rdh;
  if (header.dwSize != sizeof(RGNDATAHEADER) || header.iType != RDH_RECTANGLES ||
      static_cast<std::uint64_t>(header.nCount) * sizeof(RECT) > bytes - sizeof(RGNDATAHEADER))
    return SetLastError(ERROR_INVALID_PARAMETER), 0;

  std::vector<pixman_box32_t> boxes;
  try {
    boxes.reserve(header.nCount);
  } catch (const std::bad_alloc&) {
    return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  }
  const auto* rects = reinterpret_cast<const std::uint8_t*>(data) + sizeof(RGNDATAHEADER);
  for (DWORD i = 0; i < header.nCount; ++i) {
    RECT r;
    std::memcpy(&r, rects + i * sizeof(RECT), sizeof r);
    pixman_box32_t box{clamp_coordinate(r.left), clamp_coordinate(r.top), clamp_coordinate(r.right),
                       clamp_coordinate(r.bottom)};
    if (box.x1 < box.x2 && box.y1 < box.y2) boxes.push_back(box);
  }
  std::unique_ptr<Region> region = new_region();
  if (!region) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  pixman_region32_fini(&region->area);
  if (!pixman_region32_init_rects(&region->area, boxes.data(), static_cast<int>(boxes.size()))) {
    pixman_region32_init(&region->area);
    return SetLastError(ERROR_NOT_ENOUGH_MEMORY), 0;
  }
  return add_region(std::move(region));
}

// dst := src1 combined with src2 by mode (src2 unused for RGN_COPY); returns the new
// region's type, or ERROR.
int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  if (mode < RGN_AND || mode > RGN_COPY) return SetLastError(ERROR_INVALID_PARAMETER), ERROR;
  Region* d = lookup_region(dst);
  Region* a = lookup_region(src1);
  Region* b = mode == RGN_COPY ? nullptr : lookup_region(src2);
  if (!d || !a || (mode != RGN_COPY && !b)) return SetLastError(ERROR_INVALID_HANDLE), ERROR;
  bool ok = true;
  switch (mode) {
  case RGN_AND: ok = pixman_region32_intersect(&d->area, &a->area, &b->area); break;
  case RGN_OR: ok = pixman_region32_union(&d->area, &a->area, &b->area); break;
  case RGN_DIFF: ok = pixman_region32_subtract(&d->area, &a->area, &b->area); break;
  case RGN_COPY: ok = d == a || pixman_region32_copy(&d->area, &a->area); break;
  case RGN_XOR: {
    // pixman has no exclusive or: (a - b) + (b - a).
    Region a_only, b_only;
    ok = pixman_region32_subtract(&a_only.area, &a->area, &b->area) &&
         pixman_region32_subtract(&b_only.area, &b->area, &a->area) &&
         pixman_region32_union(&d->area, &a_only.area, &b_only.area);
    break;
  }
  }
  if (!ok) return SetLastError(ERROR_NOT_ENOUGH_MEMORY), ERROR;
  settle_empty(d->area);
  return region_type(d->area);
}

// Non-zero when the point lies in the region.
BOOL PtInRegion(HRGN rgn, int x, int y) {
  return region_contains(rgn, x, y) ? TRUE : FALSE;
}

// TRUE when both regions cover the same points; ERROR (0) when a handle is not a region.
BOOL EqualRgn(HRGN first, HRGN second) {
  Region* a = lookup_region(first);
  Region* b = lookup_region(second);
  if (!a || !b) return SetLastError(ERROR_INVALID_HANDLE), ERROR;
  return pixman_region32_equal(&a->area, &b->area) ? TRUE : FALSE;
}

// The bounding rectangle ((0, 0, 0, 0) for an empty region); returns the region's type.
int GetRgnBox(HRGN rgn, RECT* box) {
  Region* region = lookup_region(rgn);
  if (!region) return SetLastError(ERROR_INVALID_HANDLE), ERROR;
  if (!box) return SetLastError(ERROR_INVALID_PARAMETER), ERROR;
  *box = RECT{0, 0, 0, 0};
  if (pixman_region32_not_empty(&region->area)) {
    const pixman_box32_t* e = pixman_region32_extents(&region->area);
    *box = RECT{e->x1, e->y1, e->x2, e->y2};
  }
  return region_type(region->area);
}

// Writes the region as a RDH_RECTANGLES buffer; returns the bytes used, or with data null the
// bytes needed; 0 when the buffer is too small.
DWORD GetRegionData(HRGN rgn, DWORD bytes, RGNDATA* data) {
  Region* region = lookup_region(rgn);
  if (!region) return SetLastError(ERROR_INVALID_HANDLE), 0;
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&region->area, &count);
  const DWORD needed =
      static_cast<DWORD>(sizeof(RGNDATAHEADER) + static_cast<std::size_t>(count) * sizeof(RECT));
  if (!data) return needed;
  if (bytes < needed) return SetLastError(ERROR_INVALID_PARAMETER), 0;
  RGNDATAHEADER header{};
  header.dwSize = sizeof(RGNDATAHEADER);
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(count);
  header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  GetRgnBox(rgn, &header.rcBound);
  auto* out = reinterpret_cast<std::uint8_t*>(data);
  std::memcpy(out, &header, sizeof header);
  for (int i = 0; i < count; ++i) {
    RECT r{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2};
    std::memcpy(out + sizeof header + static_cast<std::size_t>(i) * sizeof r, &r, sizeof r);
  }
  return needed;
}

// Stores the four values as given; FALSE for a null rectangle.
BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

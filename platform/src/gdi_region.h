// Regions as pixman regions. The window code reads them through the two accessors below.
#pragma once

#include <platform/win32.h>

#include <pixman.h>

namespace orvex::platform {

// The pixman region behind a live region handle, else null. Its rectangles
// (pixman_region32_rectangles) are the bands to clip drawing to; valid until the region
// changes or is deleted.
const pixman_region32_t* region_of(HRGN rgn);

// True when the region holds the point; false for a point outside or a handle that is not a
// live region.
bool region_contains(HRGN rgn, int x, int y);

// DeleteObject for a region.
BOOL delete_region(HRGN rgn);

// The number of live regions.
std::size_t live_regions();

} // namespace orvex::platform

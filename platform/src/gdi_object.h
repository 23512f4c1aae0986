// Brushes, system colours and the stock objects; DeleteObject and GetObjectA dispatch on the
// kind a handle carries.
#pragma once

#include <platform/win32.h>

namespace orvex::platform {

// The colour of a system colour index (COLOR_WINDOW, COLOR_BTNFACE, ...); 0 for an unknown one.
COLORREF system_color(int index);

// The colour a brush paints with; false for a hollow brush or a handle that is not a brush.
bool brush_color(HBRUSH brush, COLORREF* color);

// The number of live GDI objects that someone has to release: bitmaps, palettes, regions,
// brushes and device contexts; stock and system objects are not counted. For leak checks.
std::size_t live_gdi_objects();

} // namespace orvex::platform

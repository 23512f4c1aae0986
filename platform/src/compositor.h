// Child windows have no native window: each paints into a surface of its own, and the swap of
// the top-level window's buffers draws the visible ones over the GL frame.
#pragma once

#include "dib_pixels.h"
#include "window.h"

namespace orvex::platform {

// Gives a child window a surface of its client size, keeping what the old one showed where
// the two overlap; does nothing for a top-level window.
void resize_child_surface(Window& w);
// Frees the child window's surface (and its GL texture when that context is current).
void release_child_surface(Window& w);

// The pixels of a child window's surface as a 32-bit view, top row first; false for a window
// without a surface.
bool child_surface_view(HWND wnd, PixelView* view);
// Records that drawing changed the child window's surface: it is shown from now on, and its
// pixels go to the GL texture at the next composite.
void child_surface_changed(HWND wnd);

// Draws the visible child windows of the top-level window over its back buffer, bottom to top,
// each clipped to its region; leaves every GL state as it found it.
void composite_children(HWND top);

} // namespace orvex::platform

// Child windows have no native window: each paints into a surface of its own, and the swap of
// the top-level window's buffers draws the visible ones over the GL frame.
#pragma once

#include "window.h"

namespace orvex::platform {

// Gives a child window a surface of its client size; frees it with the window.
void resize_child_surface(Window& w);
void release_child_surface(Window& w);
// Draws the visible child windows of the top-level window over its back buffer.
void composite_children(HWND top);

} // namespace orvex::platform

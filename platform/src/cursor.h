// Cursors and icons: the standard shapes, mapped onto the native system cursors, and images
// loaded from .cur and .ico files.
#pragma once

#include "../sdl/native.h"

#include <platform/win32.h>

namespace orvex::platform {

// Shows the cursor over the pointer; 0 leaves the current one.
void apply_cursor(HCURSOR cursor);
// Gives a native window the image of an icon loaded from a file; standard icons change nothing.
void apply_window_icon(native::WindowId window, HICON icon);

} // namespace orvex::platform

#include "compositor.h"

namespace orvex::platform {

void resize_child_surface(Window&) {}
void release_child_surface(Window&) {}
void composite_children(HWND) {}

} // namespace orvex::platform

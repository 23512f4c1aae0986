// The gallery's scene: a tiled box turning in the middle and a sphere circling it, lit by one
// light, seen through the framework's mouse-look camera.
#pragma once

namespace orvex::gallery {

// One-time resources: the tile texture and the camera's initial tilt.
void GALLERY_CREATELIST();
// Draws one whole frame into the back buffer.
void GALLERY_DRAW();

} // namespace orvex::gallery

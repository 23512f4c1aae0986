// The mouse-look camera: two angles and a distance driven by mouse drags or free look, and
// the transform that applies them each frame.
#pragma once

#include "framework/geometry/vector_math.h"

#include <platform/win32.h>

#include <cstdint>

namespace orvex {

// Rotation angles in degrees, and a second pair that receives the same changes.
inline float XROT = 0.0f;
inline float YROT = 0.0f;
inline float XROT2 = 0.0f;
inline float YROT2 = 0.0f;
// Distance along the viewing axis, and a second one that receives the same changes.
inline float DEPTH = 0.0f;
inline float DEPTH2 = 0.0f;
// Anchors of the drags: the left drag's previous position and the right drag's previous y.
inline std::int32_t XCOORD = 0;
inline std::int32_t YCOORD = 0;
inline std::int32_t ZCOORD = 0;
// Cursor position in screen coordinates, read in free look before it is re-centred.
inline POINT MPOS{};
// Speed factor of every mouse-driven change; 0 until the first SETGLMOUSEMOVE.
inline std::int32_t MSPEED = 0;
// Free mouse look: the view turns with plain mouse motion. Any key release ends it.
inline bool MOUSEFREE = false;
// The translation last applied by SETGLMOUSEMOVE.
inline TGLVERTEX MY{};

// Free-look limit of YROT in degrees.
constexpr float FREELOOKLIMIT = 60.0f;

// Records the speed and multiplies the camera's translation and rotations onto the current
// matrix in one of four axis arrangements (0..3); any other arrangement only sets the speed.
void SETGLMOUSEMOVE(std::int32_t XYZ, std::int32_t SPEED);

// The movement row of the main window procedure.
void MOUSEMOVEROW(LPARAM POSITION);

} // namespace orvex

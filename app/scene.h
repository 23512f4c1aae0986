// The demonstration's scene: a sky box, a floor and an orbiting sphere around a solid of a
// sphere and a cube that mirrors them through a cube map rendered afresh every frame.
#pragma once

#include <cstdint>

namespace orvex::app {

// The reflection cube map, made once by OPENGL_CREATELIST.
inline std::uint32_t TEXREFLECTION = 0;
// Step counter of the orbiting sphere: one step per scene render, seven per frame; the
// orbit angle is I / 5 degrees.
inline std::int32_t I = 0;
// I wraps after the 1800 steps of a full orbit: the orbit angle stays where it was, and
// stays exact in single precision however long the program runs.
constexpr std::int32_t ORBITWRAP = 1800;

// One-time resources: the three textures, the mipmap filter choice, the cube map and the
// camera's initial tilt.
void OPENGL_CREATELIST();
// Draws one whole frame into the back buffer.
void OPENGL_DRAW();
// The surroundings: sky box, floor and orbiting sphere.
void SCENA();
// A two-sided textured quad; P1-P2 and P3-P4 are opposite edges, P3 across from P1.
void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3,
          float X4, float Y4, float Z4);

// The per-frame hooks, in the order OPENGL_DRAW calls them.
void OPENGL_DRAW2D();
void OPENGL_MOUSE2D();
void OPENGL_KEYBOARD();

} // namespace orvex::app

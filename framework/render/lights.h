// Fixed-function lighting and face culling: the lighting and two-sided switches, back-face
// culling, one light's colours, and placing a light with an optional marker point.
#pragma once

#include "framework/core/range_array.h"

#include <cstdint>

namespace orvex {

// Colours given to a light by SETGLLIGHT, RGBA.
inline RangeArray<float, 0, 3> AMBIENTLIGHT{{0.5f, 0.5f, 0.5f, 1.0f}};
inline RangeArray<float, 0, 3> DIFFUSELIGHT{{1.0f, 1.0f, 1.0f, 1.0f}};
inline RangeArray<float, 0, 3> SPECULARLIGHT{{1.0f, 1.0f, 1.0f, 1.0f}};
// The position last handed to OpenGL by SETGLLIGHT or PUTGLPOINTLIGHT, (x, y, z, w).
inline RangeArray<float, 0, 3> LIGHTPOSITION{};

// The light names after GL_LIGHT7, for drivers that offer more than eight lights.
inline constexpr std::uint32_t GL_EXTRA_LIGHT0 = 16392;
inline constexpr std::uint32_t GL_EXTRA_LIGHT1 = 16393;
inline constexpr std::uint32_t GL_EXTRA_LIGHT2 = 16394;
inline constexpr std::uint32_t GL_EXTRA_LIGHT3 = 16395;
inline constexpr std::uint32_t GL_EXTRA_LIGHT4 = 16396;
inline constexpr std::uint32_t GL_EXTRA_LIGHT5 = 16397;
inline constexpr std::uint32_t GL_EXTRA_LIGHT6 = 16398;
inline constexpr std::uint32_t GL_EXTRA_LIGHT7 = 16399;

// Two-sided lighting on.
void TWOSIDEON();
// Two-sided lighting off.
void TWOSIDEOFF();
// Lighting on.
void LIGHTINGON();
// Lighting off.
void LIGHTINGOFF();
// Culls back faces, front faces counter-clockwise.
void SETGLREFRACTIVE();
// Enables lighting and light NLIGHT with the three colours above, placed at (L0, L1, L2, L3).
void SETGLLIGHT(std::uint32_t NLIGHT, float L0, float L1, float L2, float L3);
// Places light NLIGHT at (LX, LY, LZ, LVAL) under the current modelview matrix and, when SIZE is
// not 0, draws a point of that size at (LX, LY, LZ).
void PUTGLPOINTLIGHT(std::uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL);

} // namespace orvex

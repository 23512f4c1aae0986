// The two whole-window set-ups of the OpenGL state: 3-D perspective with the framework's default
// state, and a 2-D orthographic box. Both read WIDTH and HEIGHT and need a current context.
#pragma once

namespace orvex {

// 2-D offsets left by OPENGL_I2D.
inline float OFFX = 0.0f;
inline float OFFY = 0.0f;

// Full-window viewport, 45-degree perspective from 0.1 to DEPTH, clear colour (R, G, B, A),
// clear depth DEPTH, depth test and the default state; leaves the modelview matrix the identity.
void OPENGL_INIT(double DEPTH, double A, double R, double G, double B);

// Full-window viewport, orthographic box x -2..2, y -t..t with t = 2 HEIGHT / WIDTH, z -2..2,
// clear colour (R, G, B, A), depth test; leaves the modelview matrix the identity.
void OPENGL_I2D(double A, double R, double G, double B);

} // namespace orvex

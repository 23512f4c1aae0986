// Cube-map reflection: a cube map rendered live from a scene callback into the corner of the
// frame buffer, and the fixed-function state that applies it to an object through
// reflection-vector texture coordinates, blended as twice the product with what lies beneath.
#pragma once

#include "framework/render/gl.h"

#include <cstdint>

namespace orvex {

// The scene callback of a cube-map generation: draws into whatever matrices and viewport it
// finds.
using OVXPROCEDURE = void (*)();

// Creates a cube map of six empty SIZE x SIZE faces with the current filters, edge clamping
// and automatic mipmaps, stores its name in TEXTURE and leaves it bound, cube-map texturing
// disabled.
void SETTEXREFLECTIONMAP(std::int32_t SIZE, GLuint& TEXTURE);

// Renders RECORDSCENE once per face from (X, Y, Z) with a 90-degree camera into the
// lower-left SIZE x SIZE corner of the frame buffer and copies each picture into its face; at
// most the part of the corner that lies inside both the window and the face is copied. Leaves
// the SIZE x SIZE viewport, the cube camera's projection and the last face's modelview, with
// the scissor test off and the scissor box on the whole window.
void GENTEXREFLECTIONMAP(OVXPROCEDURE RECORDSCENE, float X, float Y, float Z, std::int32_t SIZE,
                         const GLuint& TEXTURE);

// Binds TEXTURE to GL_TEXTURE_CUBE_MAP.
void BINDTEXREFLECTIONMAP(const GLuint& TEXTURE);

// Turns on reflection-vector texture coordinates, cube-map texturing and the blend that
// doubles the product of the reflection and the colour already drawn.
void REFLECTIONMAPBEGIN();

// Turns reflection mapping and blending off and restores the standing blend function.
void REFLECTIONMAPEND();

// Saves the modelview and the texture matrix and turns the reflection vectors by the camera
// angles (degrees); leaves the texture matrix current until CUBEMAPEND.
void CUBEMAPBEGIN(float ROTX, float ROTY);

// Restores both matrices that CUBEMAPBEGIN saved and makes the modelview matrix current.
void CUBEMAPEND();

} // namespace orvex

// The vertex path of the framework: GLBEGIN, GLVERTEX3F and GLEND forward to OpenGL, optionally
// through a per-vertex edit layer (numbered slots with scale, translations and rotation) and
// optionally sending nothing at all.
#pragma once

#include "framework/core/range_array.h"
#include "framework/geometry/vector_math.h"

#include <cstdint>

namespace orvex {

inline constexpr int GLVERT3FSLOTS = 10000;

using TGLVERT3FSLOTS = RangeArray<TGLVECTOR, 1, GLVERT3FSLOTS>;

struct TGLVERTEX3F {
  TGLVERT3FSLOTS GLVERT3F;          // the last vertex sent from the slot, after the edit
  TGLVERT3FSLOTS GLVERT3FTMP;       // translation added after scaling
  TGLVERT3FSLOTS GLVERT3FTMPROTATE; // rotation in degrees about x, y and z
  TGLVERT3FSLOTS GLVERT3FTMPPOSROT; // translation added just before rotating
  TGLVERT3FSLOTS GLVERT3FTMPSCALE;  // per-axis scale; (0, 0, 0) means not yet set
  TGLVERT3FSLOTS GLVERT3FOFFSET;    // the last vertex passed to GLVERTEX3F for the slot
  std::int32_t GLVERT3FCOUNT;       // the current slot
  std::int32_t GLVERT3FMAX;         // the highest slot GLVERTEX3F advances to
  std::int32_t GLVERT3FSETNUM;      // the slot limit, copied to GLVERT3FMAX by GLBEGIN
};

inline constinit TGLVERTEX3F GLBASEVERTEX3F{};

// Edit mode: each vertex is recorded in a slot and transformed by the slot's edit.
inline bool GLVERT3FENABLEEDIT = false;
// Silent mode: nothing reaches OpenGL; recording in edit mode still happens.
inline bool GLVERT3FREMOVE = false;

// glBegin(MODE) unless silent; then the slot limit of the following vertices is GLVERT3FSETNUM.
void GLBEGIN(std::uint32_t MODE);

// Sends (X, Y, Z) unless silent; in edit mode records it in the next slot and sends the edited
// vertex instead.
void GLVERTEX3F(float X, float Y, float Z);

// glEnd() unless silent.
void GLEND();

} // namespace orvex

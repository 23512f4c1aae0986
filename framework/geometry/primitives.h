// Ready-made textured shapes: a two-vertex edge, an atlas cell on a quad, a sky box, a box and a
// sphere. Every vertex goes through the vertex capture; none of them binds a texture.
#pragma once

#include "framework/geometry/vector_math.h"

#include <cstdint>

namespace orvex {

// A cell of a texture atlas: the grid's size and the cell's origin in texture space.
struct TGLFX_3DANIMATION {
  std::int32_t ROWS;    // cells across the texture's width (s)
  std::int32_t COLUMNS; // cells across the texture's height (t)
  TGLVECTOR V;          // the cell's origin: V.X along s, V.Y along t
  float POS;
};

// Two vertices, each preceded by its texture coordinate when TEXTURE; no begin/end of its own.
void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2,
              float Y2, float Z2, bool TEXTURE);

// A quad of half-size SX x SY centred at (X, Y, 0), counter-clockwise from +z, showing cell
// (PX, PY) of a ROWS x COLUMNS atlas; PY = 0 is the cell row at t = 1.
void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, std::int32_t ROWS,
                   std::int32_t COLUMNS);

// An inward-facing textured cube of edge 10 * SIZE centred at (X, Y, Z), from a 4 x 2 atlas;
// leaves texturing and lighting enabled and the colour white.
void SKYBOX(float X, float Y, float Z, float SIZE);

// A box with corners (X1, Y1, Z1) and (X2, Y2, Z2) offset by (X, Y, Z), one normal per face and
// the texture repeated TSIZE times across each face.
void CUBO(float X, float Y, float Z, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
          float TSIZE);

// A sphere centred at (PX, PY, PZ), pole axis z, as NUMLINE triangle strips of NUMCIRCLE
// segments each; the texture repeats 1 / TSIZE times in each direction.
void SFERA(float PX, float PY, float PZ, float RADIUS, std::int32_t NUMCIRCLE, std::int32_t NUMLINE,
           float TSIZE);

} // namespace orvex

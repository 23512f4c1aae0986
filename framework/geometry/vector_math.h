// The framework's vector and matrix toolkit: point and vector records, the Euler rotation
// matrix, the vector-matrix product, degree conversion and the face normal.
#pragma once

#include "framework/core/range_array.h"

namespace orvex {

// A point, direction, per-axis scale or triple of angles.
struct TGLVECTOR {
  float X;
  float Y;
  float Z;
};

// Same layout as TGLVECTOR, a distinct type.
struct TGLVERTEX {
  float X;
  float Y;
  float Z;
};

// Row-major 4 x 4 matrix, indexed [row][column], both 0..3.
using TGLBASEMATRIX = RangeArray<RangeArray<float, 0, 3>, 0, 3>;

// The unit normal left by the last FINDNORMAL: [1] = x, [2] = y, [3] = z.
inline RangeArray<double, 1, 3> FNORMAL{};

// Writes the rotation for ANG (radians about x, y, z) into the 3 x 3 block of RESULT; row i is
// the image of axis i. The other seven elements of RESULT keep their contents.
void MATRIXEULERDEG(const TGLVECTOR& ANG, TGLBASEMATRIX& RESULT);

// As above, into a zeroed matrix.
TGLBASEMATRIX MATRIXEULERDEG(const TGLVECTOR& ANG);

// As MATRIXEULERDEG, with the angles in degrees.
void MATRIXEULERRAD(const TGLVECTOR& ANG, TGLBASEMATRIX& RESULT);

// As above, into a zeroed matrix.
TGLBASEMATRIX MATRIXEULERRAD(const TGLVECTOR& ANG);

// The row vector VEC times the 3 x 3 block of ANG; row and column 3 are ignored.
TGLVECTOR MATRIXVECROT(const TGLVECTOR& VEC, const TGLBASEMATRIX& ANG);

// Degrees to radians: DEGREE * pi / 180 in extended precision, rounded to float.
float DEGTORAD(float DEGREE);

// The vector (X, Y, Z), each component rounded to float.
TGLVECTOR GLVECTOR(double X, double Y, double Z);

// Leaves in FNORMAL the unit normal of the face V1, V2, V3: (V1 - V2) x (V2 - V3), or zero for
// collinear points.
void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X,
                double V3Y, double V3Z);

} // namespace orvex

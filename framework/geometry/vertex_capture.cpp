#include "framework/geometry/vertex_capture.h"

#include "framework/render/gl.h"

namespace orvex {

namespace {

void EDITVERTEX3F(float X, float Y, float Z) {
  TGLVERTEX3F& record = GLBASEVERTEX3F;
  if (record.GLVERT3FCOUNT < record.GLVERT3FMAX) ++record.GLVERT3FCOUNT;
  const int c = record.GLVERT3FCOUNT;

  // A slot number outside the arrays records nothing; the vertex goes out as passed.
  if (!TGLVERT3FSLOTS::contains(c)) {
    if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
    return;
  }

  record.GLVERT3FOFFSET[c] = TGLVECTOR{X, Y, Z};

  TGLVECTOR& scale = record.GLVERT3FTMPSCALE[c];
  if (scale.X == 0.0f && scale.Y == 0.0f && scale.Z == 0.0f) scale = TGLVECTOR{1.0f, 1.0f, 1.0f};

  const TGLVECTOR& move = record.GLVERT3FTMP[c];
  TGLVECTOR& sent = record.GLVERT3F[c];
  sent = TGLVECTOR{scale.X * X + move.X, scale.Y * Y + move.Y, scale.Z * Z + move.Z};

  const TGLVECTOR& pivot = record.GLVERT3FTMPPOSROT[c];
  const TGLVECTOR moved{pivot.X + sent.X, pivot.Y + sent.Y, pivot.Z + sent.Z};
  sent = MATRIXVECROT(moved, MATRIXEULERRAD(record.GLVERT3FTMPROTATE[c]));

  if (!GLVERT3FREMOVE) glVertex3f(sent.X, sent.Y, sent.Z);
}

} // namespace

void GLBEGIN(std::uint32_t MODE) {
  if (!GLVERT3FREMOVE) glBegin(MODE);
  GLBASEVERTEX3F.GLVERT3FMAX = GLBASEVERTEX3F.GLVERT3FSETNUM;
}

void GLVERTEX3F(float X, float Y, float Z) {
  if (GLVERT3FENABLEEDIT) [[unlikely]] {
    EDITVERTEX3F(X, Y, Z);
    return;
  }
  if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
}

void GLEND() {
  if (!GLVERT3FREMOVE) glEnd();
}

} // namespace orvex

#include "framework/render/lights.h"

#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"

namespace orvex {

void TWOSIDEON() {
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}

void TWOSIDEOFF() {
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

void LIGHTINGON() {
  glEnable(GL_LIGHTING);
}

void LIGHTINGOFF() {
  glDisable(GL_LIGHTING);
}

void SETGLREFRACTIVE() {
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
}

void SETGLLIGHT(std::uint32_t NLIGHT, float L0, float L1, float L2, float L3) {
  glEnable(GL_LIGHTING);
  glLightfv(NLIGHT, GL_AMBIENT, AMBIENTLIGHT.data());
  glLightfv(NLIGHT, GL_DIFFUSE, DIFFUSELIGHT.data());
  glLightfv(NLIGHT, GL_SPECULAR, SPECULARLIGHT.data());
  glEnable(NLIGHT);
  LIGHTPOSITION = RangeArray<float, 0, 3>{{L0, L1, L2, L3}};
  glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION.data());
}

void PUTGLPOINTLIGHT(std::uint32_t NLIGHT, float SIZE, float LX, float LY, float LZ, float LVAL) {
  LIGHTPOSITION = RangeArray<float, 0, 3>{{LX, LY, LZ, LVAL}};
  glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION.data());
  if (SIZE == 0.0f) return;
  glPointSize(SIZE);
  GLBEGIN(GL_POINTS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  GLVERTEX3F(LIGHTPOSITION[0], LIGHTPOSITION[1], LIGHTPOSITION[2]);
  GLEND();
}

} // namespace orvex

#include "app/scene.h"

#include "framework/geometry/primitives.h"
#include "framework/geometry/vector_math.h"
#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/render/projection.h"
#include "framework/texture/bmp_texture.h"
#include "framework/texture/reflection_map.h"
#include "framework/window/camera.h"

namespace orvex::app {

namespace {

constexpr float kLightHeight = 10.0f;
constexpr float kLightW = 0.1f;
constexpr std::int32_t kCubeMapSize = 128;
constexpr float kSolidHeight = 6.0f;

void OPENGL_TEXTURE() {
  TEXTURELOADID("sky_seaday6.bmp", 0);
  TEXTURELOADID("Floor05.bmp", 1);
  TEXTURELOADID("wall.bmp", 2);
}

} // namespace

void OPENGL_CREATELIST() {
  OPENGL_TEXTURE();
  SETQUALITYTEXTURE2(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
  SETTEXREFLECTIONMAP(kCubeMapSize, TEXREFLECTION);
  XROT = 36.0f;
}

void OPENGL_DRAW2D() {
  OPENGL_I2D(0.0, 0.0, 0.0, 0.0);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
}

void OPENGL_MOUSE2D() {}
void OPENGL_KEYBOARD() {}

void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3,
          float X4, float Y4, float Z4) {
  TWOSIDEON();
  glDisable(GL_CULL_FACE);
  GLBEGIN(GL_QUADS);
  FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
  glNormal3f(static_cast<float>(FNORMAL[1]), static_cast<float>(FNORMAL[2]),
             static_cast<float>(FNORMAL[3]));
  LINEFREE(1, 1, 0, 1, X2, Y2, Z2, X1, Y1, Z1, true);
  LINEFREE(0, 0, 1, 0, X3, Y3, Z3, X4, Y4, Z4, true);
  GLEND();
  glEnable(GL_CULL_FACE);
  TWOSIDEOFF();
}

void SCENA() {
  PUTGLPOINTLIGHT(GL_LIGHT0, 0, 0, kLightHeight, 0, kLightW);
  TEXTURESELECTID(0);
  SKYBOX(0, 0, 0, 6);
  TEXTURESELECTID(1);
  QUAD(-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10);
  I = I + 1;
  if (I >= ORBITWRAP) I -= ORBITWRAP;
  glPushMatrix();
  glRotatef(static_cast<float>(static_cast<long double>(I) / 5.0L), 0, 1, 0);
  glTranslatef(10, 10, 0);
  glRotatef(90, 1, 0, 0);
  SFERA(0, 0, 0, 2, 20, 20, 1);
  glPopMatrix();
}

void OPENGL_DRAW() {
  GENTEXREFLECTIONMAP(SCENA, 0.0f, kSolidHeight, 0.0f, kCubeMapSize, TEXREFLECTION);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  OPENGL_DRAW2D();
  OPENGL_MOUSE2D();
  OPENGL_KEYBOARD();

  glTranslatef(0, -1, -30);
  SETGLMOUSEMOVE(0, 2);
  PUTGLPOINTLIGHT(GL_LIGHT0, 0, 0, kLightHeight, 0, kLightW);
  LIGHTINGOFF();
  TEXTURESELECTID(2);

  // Base pass: the wall-textured solid.
  glPushMatrix();
  glTranslatef(2, kSolidHeight, 0);
  glRotatef(90, 1, 0, 0);
  SFERA(0, 0, 0, 5, 32, 32, 0.25f);
  glPopMatrix();
  CUBO(-2, kSolidHeight, 0, -3, -3, -3, 3, 3, 3, 1.5f);

  // Reflective pass: the same surfaces, blended with the cube map turned by the camera.
  REFLECTIONMAPBEGIN();
  BINDTEXREFLECTIONMAP(TEXREFLECTION);
  glPushMatrix();
  glTranslatef(2, kSolidHeight, 0);
  glRotatef(90, 1, 0, 0);
  CUBEMAPBEGIN(XROT, YROT);
  SFERA(0, 0, 0, 5, 32, 32, 1);
  CUBEMAPEND();
  glPopMatrix();
  glPushMatrix();
  glTranslatef(-2, kSolidHeight, 0);
  CUBEMAPBEGIN(XROT, YROT);
  CUBO(0, 0, 0, -3, -3, -3, 3, 3, 3, 1);
  CUBEMAPEND();
  glPopMatrix();
  REFLECTIONMAPEND();
  LIGHTINGON();

  SCENA();
}

} // namespace orvex::app

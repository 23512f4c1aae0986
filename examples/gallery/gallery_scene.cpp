#include "examples/gallery/gallery_scene.h"

#include "examples/gallery/gallery_controls.h"
#include "framework/geometry/primitives.h"
#include "framework/render/gl.h"
#include "framework/render/lights.h"
#include "framework/texture/bmp_texture.h"
#include "framework/window/camera.h"

#include <platform/win32.h>

#include <cmath>

namespace orvex::gallery {

namespace {

constexpr std::int32_t TILETEXTURE = 0;
constexpr float VIEWDISTANCE = 16.0f;
// Degrees the scene turns per millisecond while SPIN is on.
constexpr double TURNRATE = 0.03;

// The turning angle, advanced by the time since the last frame so that the speed does not
// depend on the frame rate.
float spin_angle() {
  static DWORD LAST = GetTickCount();
  static double ANGLE = 0.0;
  const DWORD NOW = GetTickCount();
  if (SPIN) ANGLE = std::fmod(ANGLE + (NOW - LAST) * TURNRATE, 360.0);
  LAST = NOW;
  return static_cast<float>(ANGLE);
}

} // namespace

void GALLERY_CREATELIST() {
  SETQUALITYTEXTURE2(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
  TEXTURELOADID("gallery_tiles.bmp", TILETEXTURE);
  XROT = 24.0f;
  YROT = -30.0f;
}

void GALLERY_DRAW() {
  const float ANGLE = spin_angle();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -VIEWDISTANCE);
  SETGLMOUSEMOVE(0, 2);
  PUTGLPOINTLIGHT(GL_LIGHT0, 0, 6.0f, 9.0f, 12.0f, 1.0f);
  TEXTURESELECTID(TILETEXTURE);

  glPushMatrix();
  glRotatef(ANGLE, 0.0f, 1.0f, 0.0f);
  glRotatef(ANGLE * 0.5f, 1.0f, 0.0f, 0.0f);
  CUBO(0, 0, 0, -2.5f, -2.5f, -2.5f, 2.5f, 2.5f, 2.5f, 1.0f);
  glPopMatrix();

  glPushMatrix();
  glRotatef(ANGLE * 1.5f, 0.0f, 1.0f, 0.0f);
  glTranslatef(6.0f, 0.0f, 0.0f);
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  SFERA(0, 0, 0, 1.5f, 28, 28, 0.5f);
  glPopMatrix();
}

} // namespace orvex::gallery

#include "framework/texture/reflection_map.h"

#include "framework/render/gl_version.h"
#include "framework/texture/bmp_texture.h"
#include "framework/window/window_state.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace orvex {

namespace {

struct CubeFace {
  GLenum target;
  GLfloat angle; // the face camera's turn about (x, y, z); none when the angle is 0
  GLfloat x, y, z;
};

// Ascending target order, each with the rotation that turns the default camera to the face.
constexpr std::array<CubeFace, 6> kFaces = {{
    {GL_TEXTURE_CUBE_MAP_POSITIVE_X, 90, 0, 1, 0},
    {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, -90, 0, 1, 0},
    {GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 90, 1, 0, 0},
    {GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, -90, 1, 0, 0},
    {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, 0, 0, 0, 0},
    {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, -180, 0, 1, 0},
}};

// The face size each cube map was created with, so that a generation never copies beyond
// its faces. A cube map created after the table is full takes the oldest entry's place.
struct FaceSize {
  GLuint texture = 0;
  std::int32_t size = 0;
};
std::array<FaceSize, 16> face_sizes;
std::size_t next_face_size = 0;

void remember_face_size(GLuint texture, std::int32_t size) {
  for (FaceSize& entry : face_sizes) {
    if (entry.texture == texture) {
      entry.size = size;
      return;
    }
  }
  face_sizes[next_face_size] = {texture, size};
  next_face_size = (next_face_size + 1) % face_sizes.size();
}

// The recorded face size of a cube map; -1 for one that is not in the table.
std::int32_t recorded_face_size(GLuint texture) {
  for (const FaceSize& entry : face_sizes)
    if (entry.texture == texture && texture != 0) return entry.size;
  return -1;
}

// The edge of the block one face receives: no larger than the corner, the window or the face.
GLsizei copy_edge(std::int32_t corner, std::int32_t face) {
  return std::max(0, std::min({corner, face, WIDTH, HEIGHT}));
}

} // namespace

void SETTEXREFLECTIONMAP(std::int32_t SIZE, GLuint& TEXTURE) {
  // NOTE: the GL library is linked directly, so there are no version 1.3 entry points to
  // resolve before the cube-map calls.
  glEnable(GL_TEXTURE_CUBE_MAP);
  glGenTextures(1, &TEXTURE);
  glBindTexture(GL_TEXTURE_CUBE_MAP, TEXTURE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
  const GLint wrap = CHECKOPENGLVERSION(GL_VERSION_1_2) ? GL_CLAMP_TO_EDGE : GL_CLAMP;
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, wrap);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, wrap);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP, 1);
  for (const CubeFace& face : kFaces)
    glTexImage2D(face.target, 0, GL_RGBA, SIZE, SIZE, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glDisable(GL_TEXTURE_CUBE_MAP);
  remember_face_size(TEXTURE, SIZE);
}

void GENTEXREFLECTIONMAP(OVXPROCEDURE RECORDSCENE, float X, float Y, float Z, std::int32_t SIZE,
                         const GLuint& TEXTURE) {
  glViewport(0, 0, SIZE, SIZE);
  glScissor(0, 0, SIZE, SIZE);
  glEnable(GL_SCISSOR_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, 1.0, 1.0, 2000.0);
  glMatrixMode(GL_MODELVIEW);

  std::int32_t face_size = recorded_face_size(TEXTURE);
  for (const CubeFace& face : kFaces) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (face.angle != 0) glRotatef(face.angle, face.x, face.y, face.z);
    glTranslatef(-X, -Y, -Z);
    if (RECORDSCENE) RECORDSCENE();
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, TEXTURE);
    if (face_size < 0) {
      // A cube map made elsewhere: its face tells its own size.
      GLint width = 0;
      glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &width);
      face_size = width;
    }
    const GLsizei edge = copy_edge(SIZE, face_size);
    glCopyTexSubImage2D(face.target, 0, 0, 0, 0, 0, edge, edge);
    glDisable(GL_TEXTURE_CUBE_MAP);
  }

  glScissor(0, 0, WIDTH, HEIGHT);
  glDisable(GL_SCISSOR_TEST);
}

void BINDTEXREFLECTIONMAP(const GLuint& TEXTURE) {
  glBindTexture(GL_TEXTURE_CUBE_MAP, TEXTURE);
}

void REFLECTIONMAPBEGIN() {
  glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glTexGenf(GL_R, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glEnable(GL_TEXTURE_GEN_R);
  glEnable(GL_TEXTURE_CUBE_MAP);
  glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
  glEnable(GL_BLEND);
}

void REFLECTIONMAPEND() {
  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_TEXTURE_CUBE_MAP);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_TEXTURE_GEN_R);
}

void CUBEMAPBEGIN(float ROTX, float ROTY) {
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glRotatef(ROTY, 0, 1, 0);
  glRotatef(-180 - ROTX, 1, 0, 0);
}

void CUBEMAPEND() {
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

} // namespace orvex

// The driver's floor: the demo's GL work, call for call, on a bare SDL window and context. No
// framework, no Win32-shaped layer, no message pump: every value the demo computes per frame
// (sphere strips, face normals, sky-box cells) is computed once here, with the same formulas
// and precisions, and each frame only hands the driver the same calls with the same arguments.
//
// Usage: bare_frame run N          draws N frames
//        bare_frame fps WARMUP N   draws WARMUP frames, then N timed ones; prints the rate
//        bare_frame startup        draws one frame; prints when it was presented
//        bare_frame rss N1 N2      resident memory after N1 and after N2 frames
#include "bench_util.h"
#include "demo_gl_attributes.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Extended = long double;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kCubeSize = 128;
constexpr std::int32_t kOrbitWrap = 1800;

float single(Extended v) {
  return static_cast<float>(v);
}

// --- Geometry, computed once -------------------------------------------------------------

struct Normal {
  float x, y, z;
};

// The unit normal of the triangle (v1, v2, v3) as the framework's face-normal routine forms it.
Normal face_normal(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z,
                   double V3X, double V3Y, double V3Z) {
  double a1 = V1X - V2X, a2 = V1Y - V2Y, a3 = V1Z - V2Z;
  double b1 = V2X - V3X, b2 = V2Y - V3Y, b3 = V2Z - V3Z;
  double n1 = a2 * b3 - a3 * b2;
  double n2 = a3 * b1 - a1 * b3;
  double n3 = a1 * b2 - a2 * b1;
  float length = static_cast<float>(std::sqrt(n1 * n1 + n2 * n2 + n3 * n3));
  if (length == 0.0f) length = 1.0f;
  n1 /= length;
  n2 /= length;
  n3 /= length;
  return Normal{static_cast<float>(n1), static_cast<float>(n2), static_cast<float>(n3)};
}

struct StripVertex {
  float nx, ny, nz, s, t, x, y, z;
};

struct Sphere {
  int strips = 0;
  int per_strip = 0;
  std::vector<StripVertex> v;
};

Sphere make_sphere(float PX, float PY, float PZ, float RADIUS, std::int32_t NUMCIRCLE,
                   std::int32_t NUMLINE, float TSIZE) {
  constexpr Extended PI = std::numbers::pi_v<Extended>;
  Sphere sphere;
  sphere.strips = NUMLINE;
  sphere.per_strip = 2 * (NUMCIRCLE + 1);
  const float MAJORSTEP = single(PI / NUMLINE);
  const float MINORSTEP = single((PI * 2) / NUMCIRCLE);
  for (std::int32_t I = 0; I < NUMLINE; ++I) {
    const float A = single(Extended(I) * MAJORSTEP);
    const float B = single(Extended{MAJORSTEP} + A);
    const float R0 = single(std::sin(Extended{A}) * RADIUS);
    const float R1 = single(std::sin(Extended{B}) * RADIUS);
    const float Z0 = single(std::cos(Extended{A}) * RADIUS);
    const float Z1 = single(std::cos(Extended{B}) * RADIUS);
    const float T0 = single((Extended(I) / NUMLINE) / TSIZE);
    const float T1 = single((Extended(I + 1) / NUMLINE) / TSIZE);
    for (std::int64_t J = 0; J <= NUMCIRCLE; ++J) {
      const float C = single(Extended(J) * MINORSTEP);
      const float X = single(std::cos(Extended{C}));
      const float Y = single(std::sin(Extended{C}));
      const float S = single((Extended(-J) / NUMCIRCLE) / TSIZE);
      sphere.v.push_back({single(Extended{R0} * X / RADIUS), single(Extended{R0} * Y / RADIUS),
                          single(Extended{Z0} / RADIUS), S, T0, single(Extended{R0} * X + PX),
                          single(Extended{R0} * Y + PY), single(Extended{Z0} + PZ)});
      sphere.v.push_back({single(Extended{R1} * X / RADIUS), single(Extended{R1} * Y / RADIUS),
                          single(Extended{Z1} / RADIUS), S, T1, single(Extended{R1} * X + PX),
                          single(Extended{R1} * Y + PY), single(Extended{Z1} + PZ)});
    }
  }
  return sphere;
}

struct TexVertex {
  float s, t, x, y, z;
};

struct SkyFace {
  float angle, ax, ay, az;
  TexVertex v[4];
};

struct Sky {
  float half;
  SkyFace faces[6];
};

// The sky box of size 6: six atlas cells of a 4 x 2 atlas on the inside of a cube of edge 60.
Sky make_sky(float SIZE) {
  Sky sky{};
  const float SIZE_ = single(10 * Extended{SIZE});
  const float half = single(Extended{SIZE_} / 2);
  const float side_height = single(Extended{SIZE_} / 1.99L);
  const float cap_width = single(Extended{SIZE_} / 1.995L);
  const float floor_depth = single(Extended{SIZE_} / 1.988L);
  struct Cell {
    float angle, ax, ay, az, px, py, sx, sy;
  };
  const Cell cells[6] = {
      {0.0f, 0.0f, 0.0f, 0.0f, 0.998f, 0.0f, half, side_height},
      {-90.0f, 0.0f, 1.0f, 0.0f, 1.998f, 0.001f, half, side_height},
      {-180.0f, 0.0f, 1.0f, 0.0f, 2.998f, 0.0015f, half, side_height},
      {-270.0f, 0.0f, 1.0f, 0.0f, 3.998f, 0.0015f, half, side_height},
      {90.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0015f, cap_width, floor_depth},
      {90.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0015f, cap_width, half},
  };
  sky.half = half;
  for (int f = 0; f < 6; ++f) {
    const Cell& c = cells[f];
    const std::int32_t ROWS = 4, COLUMNS = 2;
    const float vx = single(Extended{c.px} / ROWS);
    const float vy = single(Extended{c.py} / COLUMNS);
    const float s0 = vx;
    const float s1 = single(1 / Extended(ROWS) + vx);
    const float t1 = single(1 - Extended{vy});
    const float t0 = single((1 - Extended{vy}) - 1 / Extended(COLUMNS));
    sky.faces[f] = SkyFace{c.angle,
                           c.ax,
                           c.ay,
                           c.az,
                           {{s0, t0, -c.sx, -c.sy, 0.0f},
                            {s1, t0, c.sx, -c.sy, 0.0f},
                            {s1, t1, c.sx, c.sy, 0.0f},
                            {s0, t1, -c.sx, c.sy, 0.0f}}};
  }
  return sky;
}

struct BoxFace {
  Normal n;
  TexVertex v[4];
};

// A box with corners (X1, Y1, Z1), (X2, Y2, Z2) and the texture repeated T times per face.
std::vector<BoxFace> make_box(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float T) {
  auto face = [](Normal n, TexVertex a, TexVertex b, TexVertex c, TexVertex d) {
    return BoxFace{n, {a, b, c, d}};
  };
  return {
      face(face_normal(X1, Y1, Z2, X2, Y1, Z2, X2, Y2, Z2), {0, 0, X1, Y1, Z2}, {T, 0, X2, Y1, Z2},
           {T, T, X2, Y2, Z2}, {0, T, X1, Y2, Z2}),
      face(face_normal(X1, Y1, Z1, X1, Y2, Z1, X2, Y2, Z1), {T, 0, X1, Y1, Z1}, {T, T, X1, Y2, Z1},
           {0, T, X2, Y2, Z1}, {0, 0, X2, Y1, Z1}),
      face(face_normal(X1, Y2, Z1, X1, Y2, Z2, X2, Y2, Z2), {0, T, X1, Y2, Z1}, {0, 0, X1, Y2, Z2},
           {T, 0, X2, Y2, Z2}, {T, T, X2, Y2, Z1}),
      face(face_normal(X1, Y1, Z1, X2, Y1, Z1, X2, Y1, Z2), {T, T, X1, Y1, Z1}, {0, T, X2, Y1, Z1},
           {0, 0, X2, Y1, Z2}, {T, 0, X1, Y1, Z2}),
      face(face_normal(X2, Y1, Z1, X2, Y2, Z1, X2, Y2, Z2), {T, 0, X2, Y1, Z1}, {T, T, X2, Y2, Z1},
           {0, T, X2, Y2, Z2}, {0, 0, X2, Y1, Z2}),
      face(face_normal(X1, Y1, Z1, X1, Y1, Z2, X1, Y2, Z2), {0, 0, X1, Y1, Z1}, {T, 0, X1, Y1, Z2},
           {T, T, X1, Y2, Z2}, {0, T, X1, Y2, Z1}),
  };
}

struct Scene {
  Sky sky;
  Sphere orbit = make_sphere(0, 0, 0, 2, 20, 20, 1);
  Sphere solid_base = make_sphere(0, 0, 0, 5, 32, 32, 0.25f);
  Sphere solid_mirror = make_sphere(0, 0, 0, 5, 32, 32, 1);
  std::vector<BoxFace> box_base = make_box(-3, -3, -3, 3, 3, 3, 1.5f);
  std::vector<BoxFace> box_mirror = make_box(-3, -3, -3, 3, 3, 3, 1);
  Normal floor_normal = face_normal(10, 0, -10, -10, 0, -10, -10, 0, 10);
  GLuint textures[3] = {};
  GLuint cube = 0;
  float xrot = 36.0f, yrot = 0.0f, depth = 0.0f;
  std::int32_t orbit_step = 0;
};

// --- Set-up ---------------------------------------------------------------------------------

// A 24-bit BMP as the demo uploads it: bottom-up rows of R, G, B at a 4-byte stride.
std::vector<std::uint8_t> load_rgb_bottom_up(const char* file, int* width, int* height) {
  std::vector<std::uint8_t> out;
  SDL_Surface* loaded = SDL_LoadBMP(file);
  if (!loaded) return out;
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (!rgb) return out;
  *width = rgb->w;
  *height = rgb->h;
  const int stride = (rgb->w * 3 + 3) / 4 * 4;
  out.assign(static_cast<std::size_t>(stride) * rgb->h, 0);
  for (int row = 0; row < rgb->h; ++row)
    std::memcpy(out.data() + static_cast<std::size_t>(row) * stride,
                static_cast<const std::uint8_t*>(rgb->pixels) +
                    static_cast<std::size_t>(rgb->h - 1 - row) * rgb->pitch,
                static_cast<std::size_t>(rgb->w) * 3);
  SDL_FreeSurface(rgb);
  return out;
}

void load_texture(const char* file, GLuint* name) {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels = load_rgb_bottom_up(file, &width, &height);
  glEnable(GL_TEXTURE_2D);
  glGenTextures(1, name);
  glBindTexture(GL_TEXTURE_2D, *name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (!pixels.empty())
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

void default_state(double depth) {
  glClearColor(0, 0, 0, 0);
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(kWidth) / kHeight, 0.1, depth);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearDepth(depth);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
}

void set_up(Scene& scene) {
  default_state(100.0);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
  const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
  const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat position[] = {0.0f, 0.0f, 0.0f, 0.1f};
  glEnable(GL_LIGHTING);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT0, GL_SPECULAR, white);
  glEnable(GL_LIGHT0);
  glLightfv(GL_LIGHT0, GL_POSITION, position);

  load_texture("sky_seaday6.bmp", &scene.textures[0]);
  load_texture("Floor05.bmp", &scene.textures[1]);
  load_texture("wall.bmp", &scene.textures[2]);

  glEnable(GL_TEXTURE_CUBE_MAP);
  glGenTextures(1, &scene.cube);
  glBindTexture(GL_TEXTURE_CUBE_MAP, scene.cube);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glGetString(GL_VERSION);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP, 1);
  for (GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X; face <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z; ++face)
    glTexImage2D(face, 0, GL_RGBA, kCubeSize, kCubeSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  glDisable(GL_TEXTURE_CUBE_MAP);
}

// --- One frame ------------------------------------------------------------------------------

void draw_sphere(const Sphere& sphere) {
  const StripVertex* v = sphere.v.data();
  for (int strip = 0; strip < sphere.strips; ++strip) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < sphere.per_strip; ++k, ++v) {
      glNormal3f(v->nx, v->ny, v->nz);
      glTexCoord2f(v->s, v->t);
      glVertex3f(v->x, v->y, v->z);
    }
    glEnd();
  }
}

void draw_box(const std::vector<BoxFace>& box, float x, float y, float z) {
  glPushMatrix();
  glTranslatef(x, y, z);
  glBegin(GL_QUADS);
  for (const BoxFace& f : box) {
    glNormal3f(f.n.x, f.n.y, f.n.z);
    for (const TexVertex& v : f.v) {
      glTexCoord2f(v.s, v.t);
      glVertex3f(v.x, v.y, v.z);
    }
  }
  glEnd();
  glPopMatrix();
}

void place_light() {
  const GLfloat position[] = {0.0f, 10.0f, 0.0f, 0.1f};
  glLightfv(GL_LIGHT0, GL_POSITION, position);
}

void surroundings(Scene& scene) {
  place_light();
  glBindTexture(GL_TEXTURE_2D, scene.textures[0]);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glColor3ub(255, 255, 255);
  for (const SkyFace& face : scene.sky.faces) {
    glPushMatrix();
    glTranslatef(0, 0, 0);
    if (face.angle != 0.0f) glRotatef(face.angle, face.ax, face.ay, face.az);
    glTranslatef(0.0f, 0.0f, -scene.sky.half);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    for (const TexVertex& v : face.v) {
      glTexCoord2f(v.s, v.t);
      glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
    glPopMatrix();
    glPopMatrix();
  }
  glEnable(GL_LIGHTING);

  glBindTexture(GL_TEXTURE_2D, scene.textures[1]);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glDisable(GL_CULL_FACE);
  glBegin(GL_QUADS);
  glNormal3f(scene.floor_normal.x, scene.floor_normal.y, scene.floor_normal.z);
  glTexCoord2f(1, 1);
  glVertex3f(10, 0, -10);
  glTexCoord2f(0, 1);
  glVertex3f(-10, 0, -10);
  glTexCoord2f(0, 0);
  glVertex3f(-10, 0, 10);
  glTexCoord2f(1, 0);
  glVertex3f(10, 0, 10);
  glEnd();
  glEnable(GL_CULL_FACE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);

  scene.orbit_step = scene.orbit_step + 1;
  if (scene.orbit_step >= kOrbitWrap) scene.orbit_step -= kOrbitWrap;
  glPushMatrix();
  glRotatef(static_cast<float>(static_cast<Extended>(scene.orbit_step) / 5.0L), 0, 1, 0);
  glTranslatef(10, 10, 0);
  glRotatef(90, 1, 0, 0);
  draw_sphere(scene.orbit);
  glPopMatrix();
}

void frame(Scene& scene) {
  glClear(GL_COLOR_BUFFER_BIT);

  // The six cube faces, rendered in the lower-left corner and copied into the cube map.
  struct Face {
    GLenum target;
    float angle, x, y, z;
  };
  static const Face faces[6] = {
      {GL_TEXTURE_CUBE_MAP_POSITIVE_X, 90, 0, 1, 0},
      {GL_TEXTURE_CUBE_MAP_NEGATIVE_X, -90, 0, 1, 0},
      {GL_TEXTURE_CUBE_MAP_POSITIVE_Y, 90, 1, 0, 0},
      {GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, -90, 1, 0, 0},
      {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, 0, 0, 0, 0},
      {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, -180, 0, 1, 0},
  };
  glViewport(0, 0, kCubeSize, kCubeSize);
  glScissor(0, 0, kCubeSize, kCubeSize);
  glEnable(GL_SCISSOR_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(90.0, 1.0, 1.0, 2000.0);
  glMatrixMode(GL_MODELVIEW);
  for (const Face& face : faces) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    if (face.angle != 0) glRotatef(face.angle, face.x, face.y, face.z);
    glTranslatef(-0.0f, -6.0f, -0.0f);
    surroundings(scene);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, scene.cube);
    glCopyTexSubImage2D(face.target, 0, 0, 0, 0, 0, kCubeSize, kCubeSize);
    glDisable(GL_TEXTURE_CUBE_MAP);
  }
  glScissor(0, 0, kWidth, kHeight);
  glDisable(GL_SCISSOR_TEST);

  // The visible frame: projection and default state afresh, then the camera.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double top = static_cast<double>(2 * kHeight) / kWidth;
  glOrtho(-2.0, 2.0, -top, top, -2.0, 2.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_NORMALIZE);
  default_state(100.0);
  glTranslatef(0, -1, -30);
  glTranslatef(0.0f, 0.0f, -scene.depth);
  glRotatef(scene.xrot, 1.0f, 0.0f, 0.0f);
  glRotatef(scene.yrot, 0.0f, 1.0f, 0.0f);
  place_light();
  glDisable(GL_LIGHTING);
  glBindTexture(GL_TEXTURE_2D, scene.textures[2]);

  // The solid, wall-textured.
  glPushMatrix();
  glTranslatef(2, 6, 0);
  glRotatef(90, 1, 0, 0);
  draw_sphere(scene.solid_base);
  glPopMatrix();
  draw_box(scene.box_base, -2, 6, 0);

  // The solid again, blended with the cube map turned by the camera.
  glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glTexGenf(GL_R, GL_TEXTURE_GEN_MODE, static_cast<GLfloat>(GL_REFLECTION_MAP));
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
  glEnable(GL_TEXTURE_GEN_R);
  glEnable(GL_TEXTURE_CUBE_MAP);
  glBlendFunc(GL_DST_COLOR, GL_SRC_COLOR);
  glEnable(GL_BLEND);
  glBindTexture(GL_TEXTURE_CUBE_MAP, scene.cube);
  glPushMatrix();
  glTranslatef(2, 6, 0);
  glRotatef(90, 1, 0, 0);
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glRotatef(scene.yrot, 0, 1, 0);
  glRotatef(-180 - scene.xrot, 1, 0, 0);
  draw_sphere(scene.solid_mirror);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopMatrix();
  glPushMatrix();
  glTranslatef(-2, 6, 0);
  glPushMatrix();
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glRotatef(scene.yrot, 0, 1, 0);
  glRotatef(-180 - scene.xrot, 1, 0, 0);
  draw_box(scene.box_mirror, 0, 0, 0);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopMatrix();
  glDisable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_TEXTURE_CUBE_MAP);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
  glDisable(GL_TEXTURE_GEN_R);
  glEnable(GL_LIGHTING);

  surroundings(scene);
}

} // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "run";
  const long warmup = mode == "fps" ? bench::arg_count(argc, argv, 2, 20) : 0;
  const long frames =
      mode == "startup" ? 1 : bench::arg_count(argc, argv, mode == "fps" ? 3 : 2, 100);

  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "bare_frame: %s\n", SDL_GetError());
    return 1;
  }
  bench::set_demo_gl_attributes();
  SDL_Window* window = SDL_CreateWindow("Reflection map", 0, 0, kWidth, kHeight,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) {
    std::fprintf(stderr, "bare_frame: %s\n", SDL_GetError());
    return 1;
  }
  SDL_ShowWindow(window);
  SDL_RaiseWindow(window);
  SDL_SetWindowInputFocus(window);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) {
    std::fprintf(stderr, "bare_frame: %s\n", SDL_GetError());
    return 1;
  }
  SDL_GL_SetSwapInterval(0);

  static Scene scene;
  scene.sky = make_sky(6);
  set_up(scene);

  if (mode == "rss") {
    const long first = bench::arg_count(argc, argv, 2, 1000);
    const long second = bench::arg_count(argc, argv, 3, 20000);
    for (long i = 1; i <= second; ++i) {
      frame(scene);
      SDL_GL_SwapWindow(window);
      if (i == first || i == second) std::printf("rss_after_%ld %ld KiB\n", i, bench::rss_kib());
    }
    return 0;
  }
  for (long i = 0; i < warmup; ++i) {
    frame(scene);
    SDL_GL_SwapWindow(window);
  }
  const std::int64_t start = bench::now_ns();
  for (long i = 0; i < frames; ++i) {
    frame(scene);
    SDL_GL_SwapWindow(window);
  }
  const std::int64_t elapsed = bench::now_ns() - start;
  if (mode == "fps") bench::figure("fps", frames * 1e9 / static_cast<double>(elapsed), "frames/s");
  if (mode == "startup") {
    std::printf("presented_ns %lld\n", static_cast<long long>(bench::now_ns()));
    std::fflush(stdout);
  }

  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}

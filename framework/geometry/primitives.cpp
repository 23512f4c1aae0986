#include "framework/geometry/primitives.h"

#include "framework/geometry/vertex_capture.h"
#include "framework/render/gl.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace orvex {

namespace {

using Extended = long double;

constexpr Extended PI = std::numbers::pi_v<Extended>;

float single(Extended value) {
  return static_cast<float>(value);
}

// A sphere's band and segment angles, and so their sines and cosines, depend on its two counts
// alone, and a scene draws the same few spheres frame after frame. The tables of the last few
// counts are kept, each computed once with the very expressions SFERA would evaluate in place.
constexpr std::int32_t kTabledCount = 256; // larger counts are computed in place
constexpr std::size_t kTables = 4;

struct BandTable {
  std::int32_t count = 0; // 0: unused
  Extended sin_a[kTabledCount], cos_a[kTabledCount], sin_b[kTabledCount], cos_b[kTabledCount];
};

struct SegmentTable {
  std::int32_t count = 0; // 0: unused
  float x[kTabledCount + 1], y[kTabledCount + 1];
};

std::array<BandTable, kTables> band_tables;
std::array<SegmentTable, kTables> segment_tables;
std::size_t next_band_table = 0;
std::size_t next_segment_table = 0;

// The table for a count, filled on first use; null for a count outside 1..kTabledCount.
template <class Table, class Fill>
const Table* remembered(std::array<Table, kTables>& tables, std::size_t& next, std::int32_t count,
                        Fill fill) {
  if (count < 1 || count > kTabledCount) return nullptr;
  for (const Table& t : tables)
    if (t.count == count) return &t;
  Table& t = tables[next];
  next = (next + 1) % kTables;
  t.count = count;
  fill(t);
  return &t;
}

const BandTable* band_table(std::int32_t NUMLINE, float MAJORSTEP) {
  return remembered(band_tables, next_band_table, NUMLINE, [&](BandTable& t) {
    for (std::int32_t I = 0; I < NUMLINE; ++I) {
      const float A = single(Extended(I) * MAJORSTEP);
      const float B = single(Extended{MAJORSTEP} + A);
      t.sin_a[I] = std::sin(Extended{A});
      t.cos_a[I] = std::cos(Extended{A});
      t.sin_b[I] = std::sin(Extended{B});
      t.cos_b[I] = std::cos(Extended{B});
    }
  });
}

const SegmentTable* segment_table(std::int32_t NUMCIRCLE, float MINORSTEP) {
  return remembered(segment_tables, next_segment_table, NUMCIRCLE, [&](SegmentTable& t) {
    for (std::int32_t J = 0; J <= NUMCIRCLE; ++J) {
      const float C = single(Extended(J) * MINORSTEP);
      t.x[J] = single(std::cos(Extended{C}));
      t.y[J] = single(std::sin(Extended{C}));
    }
  });
}

} // namespace

void LINEFREE(float TX1, float TY1, float TX2, float TY2, float X1, float Y1, float Z1, float X2,
              float Y2, float Z2, bool TEXTURE) {
  if (TEXTURE) glTexCoord2f(TX1, TY1);
  GLVERTEX3F(X1, Y1, Z1);
  if (TEXTURE) glTexCoord2f(TX2, TY2);
  GLVERTEX3F(X2, Y2, Z2);
}

void FINDCHARACTER(float X, float Y, float PX, float PY, float SX, float SY, std::int32_t ROWS,
                   std::int32_t COLUMNS) {
  TGLFX_3DANIMATION CELL{};
  CELL.ROWS = ROWS;
  CELL.COLUMNS = COLUMNS;
  CELL.V.X = single(Extended{PX} / CELL.ROWS);
  CELL.V.Y = single(Extended{PY} / CELL.COLUMNS);

  const float s0 = CELL.V.X;
  const float s1 = single(1 / Extended(CELL.ROWS) + CELL.V.X);
  const float t1 = single(1 - Extended{CELL.V.Y});
  const float t0 = single((1 - Extended{CELL.V.Y}) - 1 / Extended(CELL.COLUMNS));

  glPushMatrix();
  glTranslatef(X, Y, 0.0f);
  GLBEGIN(GL_QUADS);
  glTexCoord2f(s0, t0);
  GLVERTEX3F(-SX, -SY, 0.0f);
  glTexCoord2f(s1, t0);
  GLVERTEX3F(SX, -SY, 0.0f);
  glTexCoord2f(s1, t1);
  GLVERTEX3F(SX, SY, 0.0f);
  glTexCoord2f(s0, t1);
  GLVERTEX3F(-SX, SY, 0.0f);
  GLEND();
  glPopMatrix();
}

void SKYBOX(float X, float Y, float Z, float SIZE) {
  const float SIZE_ = single(10 * Extended{SIZE});
  const float half = single(Extended{SIZE_} / 2);
  const float side_height = single(Extended{SIZE_} / 1.99L);
  const float cap_width = single(Extended{SIZE_} / 1.995L);
  const float floor_depth = single(Extended{SIZE_} / 1.988L);

  struct Face {
    float angle, ax, ay, az; // no rotation when angle is 0
    float px, py, sx, sy;
  };
  const Face faces[] = {
      {0.0f, 0.0f, 0.0f, 0.0f, 0.998f, 0.0f, half, side_height},
      {-90.0f, 0.0f, 1.0f, 0.0f, 1.998f, 0.001f, half, side_height},
      {-180.0f, 0.0f, 1.0f, 0.0f, 2.998f, 0.0015f, half, side_height},
      {-270.0f, 0.0f, 1.0f, 0.0f, 3.998f, 0.0015f, half, side_height},
      {90.0f, -1.0f, 0.0f, 0.0f, 0.0f, 1.0015f, cap_width, floor_depth},
      {90.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0015f, cap_width, half},
  };

  glEnable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glColor3ub(255, 255, 255);
  for (const Face& face : faces) {
    glPushMatrix();
    glTranslatef(X, Y, Z);
    if (face.angle != 0.0f) glRotatef(face.angle, face.ax, face.ay, face.az);
    glTranslatef(0.0f, 0.0f, -half);
    FINDCHARACTER(0.0f, 0.0f, face.px, face.py, face.sx, face.sy, 4, 2);
    glPopMatrix();
  }
  glEnable(GL_LIGHTING);
}

void CUBO(float X, float Y, float Z, float X1, float Y1, float Z1, float X2, float Y2, float Z2,
          float TSIZE) {
  const float T = TSIZE;
  const auto normal = [] {
    glNormal3f(static_cast<float>(FNORMAL[1]), static_cast<float>(FNORMAL[2]),
               static_cast<float>(FNORMAL[3]));
  };

  glPushMatrix();
  glTranslatef(X, Y, Z);
  GLBEGIN(GL_QUADS);

  FINDNORMAL(X1, Y1, Z2, X2, Y1, Z2, X2, Y2, Z2);
  normal();
  LINEFREE(0, 0, T, 0, X1, Y1, Z2, X2, Y1, Z2, true);
  LINEFREE(T, T, 0, T, X2, Y2, Z2, X1, Y2, Z2, true);

  FINDNORMAL(X1, Y1, Z1, X1, Y2, Z1, X2, Y2, Z1);
  normal();
  LINEFREE(T, 0, T, T, X1, Y1, Z1, X1, Y2, Z1, true);
  LINEFREE(0, T, 0, 0, X2, Y2, Z1, X2, Y1, Z1, true);

  FINDNORMAL(X1, Y2, Z1, X1, Y2, Z2, X2, Y2, Z2);
  normal();
  LINEFREE(0, T, 0, 0, X1, Y2, Z1, X1, Y2, Z2, true);
  LINEFREE(T, 0, T, T, X2, Y2, Z2, X2, Y2, Z1, true);

  FINDNORMAL(X1, Y1, Z1, X2, Y1, Z1, X2, Y1, Z2);
  normal();
  LINEFREE(T, T, 0, T, X1, Y1, Z1, X2, Y1, Z1, true);
  LINEFREE(0, 0, T, 0, X2, Y1, Z2, X1, Y1, Z2, true);

  FINDNORMAL(X2, Y1, Z1, X2, Y2, Z1, X2, Y2, Z2);
  normal();
  LINEFREE(T, 0, T, T, X2, Y1, Z1, X2, Y2, Z1, true);
  LINEFREE(0, T, 0, 0, X2, Y2, Z2, X2, Y1, Z2, true);

  FINDNORMAL(X1, Y1, Z1, X1, Y1, Z2, X1, Y2, Z2);
  normal();
  LINEFREE(0, 0, T, 0, X1, Y1, Z1, X1, Y1, Z2, true);
  LINEFREE(T, T, 0, T, X1, Y2, Z2, X1, Y2, Z1, true);

  GLEND();
  glPopMatrix();
}

void SFERA(float PX, float PY, float PZ, float RADIUS, std::int32_t NUMCIRCLE, std::int32_t NUMLINE,
           float TSIZE) {
  const float MAJORSTEP = single(PI / NUMLINE);
  const float MINORSTEP = single((PI * 2) / NUMCIRCLE);
  const BandTable* bands = band_table(NUMLINE, MAJORSTEP);
  const SegmentTable* segments = segment_table(NUMCIRCLE, MINORSTEP);

  for (std::int32_t I = 0; I < NUMLINE; ++I) {
    const float A = single(Extended(I) * MAJORSTEP);
    const float B = single(Extended{MAJORSTEP} + A);
    const float R0 = single((bands ? bands->sin_a[I] : std::sin(Extended{A})) * RADIUS);
    const float R1 = single((bands ? bands->sin_b[I] : std::sin(Extended{B})) * RADIUS);
    const float Z0 = single((bands ? bands->cos_a[I] : std::cos(Extended{A})) * RADIUS);
    const float Z1 = single((bands ? bands->cos_b[I] : std::cos(Extended{B})) * RADIUS);
    const float T0 = single((Extended(I) / NUMLINE) / TSIZE);
    const float T1 = single((Extended(I + 1) / NUMLINE) / TSIZE);

    GLBEGIN(GL_TRIANGLE_STRIP);
    // 64 bits, so that the last column of a NUMCIRCLE of INT32_MAX does not overflow the counter.
    for (std::int64_t J = 0; J <= NUMCIRCLE; ++J) {
      float X, Y;
      if (segments) {
        X = segments->x[J];
        Y = segments->y[J];
      } else {
        const float C = single(Extended(J) * MINORSTEP);
        X = single(std::cos(Extended{C}));
        Y = single(std::sin(Extended{C}));
      }
      const float S = single((Extended(-J) / NUMCIRCLE) / TSIZE);

      glNormal3f(single(Extended{R0} * X / RADIUS), single(Extended{R0} * Y / RADIUS),
                 single(Extended{Z0} / RADIUS));
      glTexCoord2f(S, T0);
      GLVERTEX3F(single(Extended{R0} * X + PX), single(Extended{R0} * Y + PY),
                 single(Extended{Z0} + PZ));

      glNormal3f(single(Extended{R1} * X / RADIUS), single(Extended{R1} * Y / RADIUS),
                 single(Extended{Z1} / RADIUS));
      glTexCoord2f(S, T1);
      GLVERTEX3F(single(Extended{R1} * X + PX), single(Extended{R1} * Y + PY),
                 single(Extended{Z1} + PZ));
    }
    GLEND();
  }
}

} // namespace orvex

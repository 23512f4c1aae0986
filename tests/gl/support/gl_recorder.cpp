#include "gl/support/gl_recorder.h"

#include "framework/render/gl.h"

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <sstream>

namespace orvex::test {

namespace {

bool recording = false;
std::vector<GlCall> recorded;
std::vector<std::array<double, 3>> eye_vertices_recorded;
std::array<float, 16> begin_modelview{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void RECORD(const char* name, std::initializer_list<double> args) {
  if (recording) recorded.push_back(GlCall{name, std::vector<double>(args)});
}

// NOTE: when every GLU call the executable makes is interposed here, the linker may drop the
// GLU library as unneeded, so GLU entry points are looked up in the library by name as well.
template <class Function> Function NEXTENTRY(const char* name) {
  void* entry = dlsym(RTLD_NEXT, name);
  if (!entry) {
    static void* const glu = dlopen("libGLU.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (glu) entry = dlsym(glu, name);
  }
  if (!entry) {
    std::fprintf(stderr, "gl recorder: no driver entry point %s\n", name);
    std::abort();
  }
  return reinterpret_cast<Function>(entry);
}

int LIGHTPARAMETERCOUNT(GLenum pname) {
  switch (pname) {
  case GL_AMBIENT:
  case GL_DIFFUSE:
  case GL_SPECULAR:
  case GL_POSITION: return 4;
  case GL_SPOT_DIRECTION: return 3;
  default: return 1;
  }
}

std::string FORMAT(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

bool SAMEVALUE(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

} // namespace

bool operator==(const GlCall& a, const GlCall& b) {
  if (a.name != b.name || a.args.size() != b.args.size()) return false;
  for (std::size_t i = 0; i < a.args.size(); ++i)
    if (!SAMEVALUE(a.args[i], b.args[i])) return false;
  return true;
}

std::ostream& operator<<(std::ostream& out, const GlCall& call) {
  out << call.name << "(";
  for (std::size_t i = 0; i < call.args.size(); ++i) out << (i ? ", " : "") << FORMAT(call.args[i]);
  return out << ")";
}

GlRecording::GlRecording() {
  recorded.clear();
  eye_vertices_recorded.clear();
  recording = true;
}

GlRecording::~GlRecording() {
  recording = false;
  recorded.clear();
  eye_vertices_recorded.clear();
}

const std::vector<std::array<double, 3>>& GlRecording::eye_vertices() const {
  return eye_vertices_recorded;
}

const std::vector<GlCall>& GlRecording::calls() const {
  return recorded;
}

std::vector<GlCall> GlRecording::calls(const std::string& name) const {
  std::vector<GlCall> matching;
  for (const GlCall& call : recorded)
    if (call.name == name) matching.push_back(call);
  return matching;
}

::testing::AssertionResult SAMECALLS(const std::vector<GlCall>& expected,
                                     const std::vector<GlCall>& actual) {
  std::size_t first_difference = 0;
  while (first_difference < expected.size() && first_difference < actual.size() &&
         expected[first_difference] == actual[first_difference])
    ++first_difference;
  if (first_difference == expected.size() && first_difference == actual.size())
    return ::testing::AssertionSuccess();

  std::ostringstream report;
  report << "GL calls differ at call " << first_difference << " (expected " << expected.size()
         << " calls, got " << actual.size() << ")\n";
  const std::size_t rows = std::max(expected.size(), actual.size());
  for (std::size_t i = 0; i < rows; ++i) {
    std::ostringstream left;
    if (i < expected.size()) left << expected[i];
    report << (i == first_difference ? "> " : "  ") << i << "  expected " << left.str();
    report << "\n" << std::string(4 + std::to_string(i).size(), ' ') << "actual   ";
    if (i < actual.size()) report << actual[i];
    report << "\n";
  }
  return ::testing::AssertionFailure() << report.str();
}

} // namespace orvex::test

using orvex::test::NEXTENTRY;
using orvex::test::RECORD;

// Each interposed entry point records its call and hands it to the driver's own entry point.
#define FORWARD(entry, ...)                                                                        \
  static const auto driver = NEXTENTRY<decltype(&::entry)>(#entry);                                \
  driver(__VA_ARGS__)

extern "C" {

void glBegin(GLenum mode) {
  if (orvex::test::recording) {
    static const auto get_floats = NEXTENTRY<decltype(&::glGetFloatv)>("glGetFloatv");
    get_floats(GL_MODELVIEW_MATRIX, orvex::test::begin_modelview.data());
  }
  RECORD("glBegin", {double(mode)});
  FORWARD(glBegin, mode);
}

void glEnd() {
  RECORD("glEnd", {});
  FORWARD(glEnd);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (orvex::test::recording) {
    const std::array<float, 16>& m = orvex::test::begin_modelview;
    orvex::test::eye_vertices_recorded.push_back({
        double(m[0]) * x + double(m[4]) * y + double(m[8]) * z + m[12],
        double(m[1]) * x + double(m[5]) * y + double(m[9]) * z + m[13],
        double(m[2]) * x + double(m[6]) * y + double(m[10]) * z + m[14],
    });
  }
  RECORD("glVertex3f", {x, y, z});
  FORWARD(glVertex3f, x, y, z);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  RECORD("glNormal3f", {x, y, z});
  FORWARD(glNormal3f, x, y, z);
}

void glTexCoord2f(GLfloat s, GLfloat t) {
  RECORD("glTexCoord2f", {s, t});
  FORWARD(glTexCoord2f, s, t);
}

void glColor3ub(GLubyte r, GLubyte g, GLubyte b) {
  RECORD("glColor3ub", {double(r), double(g), double(b)});
  FORWARD(glColor3ub, r, g, b);
}

void glColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a) {
  RECORD("glColor4f", {r, g, b, a});
  FORWARD(glColor4f, r, g, b, a);
}

void glPushMatrix() {
  RECORD("glPushMatrix", {});
  FORWARD(glPushMatrix);
}

void glPopMatrix() {
  RECORD("glPopMatrix", {});
  FORWARD(glPopMatrix);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
  RECORD("glTranslatef", {x, y, z});
  FORWARD(glTranslatef, x, y, z);
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  RECORD("glRotatef", {angle, x, y, z});
  FORWARD(glRotatef, angle, x, y, z);
}

void glEnable(GLenum cap) {
  RECORD("glEnable", {double(cap)});
  FORWARD(glEnable, cap);
}

void glDisable(GLenum cap) {
  RECORD("glDisable", {double(cap)});
  FORWARD(glDisable, cap);
}

void glPointSize(GLfloat size) {
  RECORD("glPointSize", {size});
  FORWARD(glPointSize, size);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (orvex::test::recording) {
    std::vector<double> args{double(light), double(pname)};
    for (int i = 0; i < orvex::test::LIGHTPARAMETERCOUNT(pname); ++i) args.push_back(params[i]);
    orvex::test::recorded.push_back({"glLightfv", args});
  }
  FORWARD(glLightfv, light, pname, params);
}

void glLightModeli(GLenum pname, GLint param) {
  RECORD("glLightModeli", {double(pname), double(param)});
  FORWARD(glLightModeli, pname, param);
}

void glCullFace(GLenum mode) {
  RECORD("glCullFace", {double(mode)});
  FORWARD(glCullFace, mode);
}

void glFrontFace(GLenum mode) {
  RECORD("glFrontFace", {double(mode)});
  FORWARD(glFrontFace, mode);
}

void glShadeModel(GLenum mode) {
  RECORD("glShadeModel", {double(mode)});
  FORWARD(glShadeModel, mode);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
  RECORD("glClearColor", {r, g, b, a});
  FORWARD(glClearColor, r, g, b, a);
}

void glClearDepth(GLclampd depth) {
  RECORD("glClearDepth", {depth});
  FORWARD(glClearDepth, depth);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  RECORD("glViewport", {double(x), double(y), double(width), double(height)});
  FORWARD(glViewport, x, y, width, height);
}

void glMatrixMode(GLenum mode) {
  RECORD("glMatrixMode", {double(mode)});
  FORWARD(glMatrixMode, mode);
}

void glLoadIdentity() {
  RECORD("glLoadIdentity", {});
  FORWARD(glLoadIdentity);
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near_val,
             GLdouble far_val) {
  RECORD("glOrtho", {left, right, bottom, top, near_val, far_val});
  FORWARD(glOrtho, left, right, bottom, top, near_val, far_val);
}

void glDepthFunc(GLenum func) {
  RECORD("glDepthFunc", {double(func)});
  FORWARD(glDepthFunc, func);
}

void glBlendFunc(GLenum sfactor, GLenum dfactor) {
  RECORD("glBlendFunc", {double(sfactor), double(dfactor)});
  FORWARD(glBlendFunc, sfactor, dfactor);
}

void glHint(GLenum target, GLenum mode) {
  RECORD("glHint", {double(target), double(mode)});
  FORWARD(glHint, target, mode);
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble z_near, GLdouble z_far) {
  RECORD("gluPerspective", {fovy, aspect, z_near, z_far});
  FORWARD(gluPerspective, fovy, aspect, z_near, z_far);
}

} // extern "C"

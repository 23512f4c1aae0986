// The OpenGL and GLU headers, as every framework file includes them.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

// NOTE: the GL headers define GL_VERSION_1_0 ... GL_VERSION_4_6 as feature-test macros. The
// framework's version table uses the same names for its constants, so the macros go here,
// once, before any framework header can see them.
#undef GL_VERSION_1_0
#undef GL_VERSION_1_1
#undef GL_VERSION_1_2
#undef GL_VERSION_1_3
#undef GL_VERSION_1_4
#undef GL_VERSION_1_5
#undef GL_VERSION_2_0
#undef GL_VERSION_2_1
#undef GL_VERSION_3_0
#undef GL_VERSION_3_1
#undef GL_VERSION_3_2
#undef GL_VERSION_3_3
#undef GL_VERSION_4_0
#undef GL_VERSION_4_1
#undef GL_VERSION_4_2
#undef GL_VERSION_4_3
#undef GL_VERSION_4_4
#undef GL_VERSION_4_5
#undef GL_VERSION_4_6

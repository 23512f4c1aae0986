// The OpenGL version of the current context: the driver's major and minor numbers, and whether
// they reach a published version.
#pragma once

// The GL headers' feature-test macros of the same names as the constants below go first.
#include "framework/render/gl.h"

#include <cstdint>
#include <string>

namespace orvex {

inline constexpr long double GL_VERSION_1_0 = 1.0L;
inline constexpr long double GL_VERSION_1_1 = 1.1L;
inline constexpr long double GL_VERSION_1_2 = 1.2L;
inline constexpr long double GL_VERSION_1_3 = 1.3L;
inline constexpr long double GL_VERSION_1_4 = 1.4L;
inline constexpr long double GL_VERSION_1_5 = 1.5L;
inline constexpr long double GL_VERSION_2_0 = 2.0L;
inline constexpr long double GL_VERSION_2_1 = 2.1L;
inline constexpr long double GL_VERSION_3_0 = 3.0L;
inline constexpr long double GL_VERSION_3_1 = 3.1L;
inline constexpr long double GL_VERSION_3_2 = 3.2L;
inline constexpr long double GL_VERSION_3_3 = 3.3L;
inline constexpr long double GL_VERSION_4_0 = 4.0L;
inline constexpr long double GL_VERSION_4_1 = 4.1L;
inline constexpr long double GL_VERSION_4_2 = 4.2L;
inline constexpr long double GL_VERSION_4_3 = 4.3L;
inline constexpr long double GL_VERSION_4_4 = 4.4L;
inline constexpr long double GL_VERSION_4_5 = 4.5L;

// Reads the numbers around the first "." of a driver's version text into MAX and MIN, ignoring
// any text before the major and after the minor number; 0 and 0 when the text has none.
void GETVERSIONSTRING(std::string VERSION, std::int32_t& MAX, std::int32_t& MIN);

// The driver's major and minor numbers, and the text "MAX.MIN"; 0, 0 and "0.0" without one.
std::string GETOPENGLVERSION(std::int32_t& MAX, std::int32_t& MIN);

// The published version that a driver of MAXVER.MINVER counts as: the row of the largest major
// not above MAXVER, a minor past the row's end taking its last entry. NaN below major 1.
long double GLTABLEVERSION(std::int32_t MAXVER, std::int32_t MINVER);

// True when the current driver's published version is at least VERSION; false without a
// readable version and for a VERSION that is not a number.
bool CHECKOPENGLVERSION(long double VERSION);

} // namespace orvex

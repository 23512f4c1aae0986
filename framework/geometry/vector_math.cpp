#include "framework/geometry/vector_math.h"

#include <cmath>
#include <numbers>

namespace orvex {

namespace {

using Extended = long double;

// Divides (X, Y, Z) by its length, taken as a float; a zero length counts as 1.
void REDUCETOUNIT(double& X, double& Y, double& Z) {
  float LENGTH = static_cast<float>(std::sqrt(X * X + Y * Y + Z * Z));
  if (LENGTH == 0.0f) LENGTH = 1.0f;
  X /= LENGTH;
  Y /= LENGTH;
  Z /= LENGTH;
}

} // namespace

void MATRIXEULERDEG(const TGLVECTOR& ANG, TGLBASEMATRIX& RESULT) {
  const float CR = static_cast<float>(std::cos(Extended{ANG.X}));
  const float SR = static_cast<float>(std::sin(Extended{ANG.X}));
  const float CP = static_cast<float>(std::cos(Extended{ANG.Y}));
  const float SP = static_cast<float>(std::sin(Extended{ANG.Y}));
  const float CY = static_cast<float>(std::cos(Extended{ANG.Z}));
  const float SY = static_cast<float>(std::sin(Extended{ANG.Z}));

  RESULT[0][0] = static_cast<float>(Extended{CY} * CP);
  RESULT[0][1] = static_cast<float>(Extended{SY} * CP);
  const float minus_sp = -SP;
  RESULT[0][2] = minus_sp == 0.0f ? 0.0f : minus_sp;

  const float SRSP = static_cast<float>(Extended{SP} * SR);
  const float CRSP = static_cast<float>(Extended{SP} * CR);

  RESULT[1][0] = static_cast<float>(Extended{CY} * SRSP - Extended{SY} * CR);
  RESULT[1][1] = static_cast<float>(Extended{SY} * SRSP + Extended{CY} * CR);
  RESULT[1][2] = static_cast<float>(Extended{CP} * SR);

  RESULT[2][0] = static_cast<float>(Extended{CY} * CRSP + Extended{SY} * SR);
  RESULT[2][1] = static_cast<float>(Extended{SY} * CRSP - Extended{CY} * SR);
  RESULT[2][2] = static_cast<float>(Extended{CP} * CR);
}

TGLBASEMATRIX MATRIXEULERDEG(const TGLVECTOR& ANG) {
  TGLBASEMATRIX RESULT{};
  MATRIXEULERDEG(ANG, RESULT);
  return RESULT;
}

void MATRIXEULERRAD(const TGLVECTOR& ANG, TGLBASEMATRIX& RESULT) {
  MATRIXEULERDEG(TGLVECTOR{DEGTORAD(ANG.X), DEGTORAD(ANG.Y), DEGTORAD(ANG.Z)}, RESULT);
}

TGLBASEMATRIX MATRIXEULERRAD(const TGLVECTOR& ANG) {
  TGLBASEMATRIX RESULT{};
  MATRIXEULERRAD(ANG, RESULT);
  return RESULT;
}

TGLVECTOR MATRIXVECROT(const TGLVECTOR& VEC, const TGLBASEMATRIX& ANG) {
  const auto component = [&](int column) {
    return static_cast<float>(Extended{ANG[0][column]} * VEC.X + Extended{ANG[1][column]} * VEC.Y +
                              Extended{ANG[2][column]} * VEC.Z);
  };
  return TGLVECTOR{component(0), component(1), component(2)};
}

float DEGTORAD(float DEGREE) {
  return static_cast<float>(Extended{DEGREE} * std::numbers::pi_v<Extended> / 180);
}

TGLVECTOR GLVECTOR(double X, double Y, double Z) {
  return TGLVECTOR{static_cast<float>(X), static_cast<float>(Y), static_cast<float>(Z)};
}

void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X,
                double V3Y, double V3Z) {
  RangeArray<double, 1, 3> TEMP_V1{{V1X - V2X, V1Y - V2Y, V1Z - V2Z}};
  RangeArray<double, 1, 3> TEMP_V2{{V2X - V3X, V2Y - V3Y, V2Z - V3Z}};

  FNORMAL[1] = TEMP_V1[2] * TEMP_V2[3] - TEMP_V1[3] * TEMP_V2[2];
  FNORMAL[2] = TEMP_V1[3] * TEMP_V2[1] - TEMP_V1[1] * TEMP_V2[3];
  FNORMAL[3] = TEMP_V1[1] * TEMP_V2[2] - TEMP_V1[2] * TEMP_V2[1];

  REDUCETOUNIT(FNORMAL[1], FNORMAL[2], FNORMAL[3]);
}

} // namespace orvex

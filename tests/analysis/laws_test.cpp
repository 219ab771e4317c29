#include "material/laws.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/errors.h"

namespace kuma {
namespace {

double Concrete(double strain, double fc = 27.5, double e0 = 0.002, int code = 1) {
  double stress = 12345;
  ConcreteLaw(fc, e0, 27.5, 0.0035, strain, code, stress);
  return stress;
}

double Steel(double strain, double Es = 206000, double fy = 330, int code = 1) {
  double stress = 12345;
  SteelLaw(Es, fy, strain, code, stress);
  return stress;
}

TEST(ConcreteLaw, ParabolaThenPlateauNoTension) {
  EXPECT_EQ(Concrete(0), 0);
  EXPECT_EQ(Concrete(0.001), 0);
  EXPECT_DOUBLE_EQ(Concrete(-0.001), -20.625);
  EXPECT_EQ(Concrete(-0.002), -27.5);  // the boundary belongs to the parabola, exactly -fc
  EXPECT_EQ(Concrete(-0.0035), -27.5);
  EXPECT_EQ(Concrete(-0.1), -27.5);
}

TEST(ConcreteLaw, NonPositiveE0GivesPlateauForEveryCompression) {
  EXPECT_EQ(Concrete(-1e-9, 27.5, 0), -27.5);
  EXPECT_EQ(Concrete(-0.001, 27.5, -0.002), -27.5);
  EXPECT_EQ(Concrete(0, 27.5, 0), 0);
  EXPECT_EQ(Concrete(0.001, 27.5, 0), 0);
}

TEST(ConcreteLaw, OtherCodesLeaveTheOutput) {
  EXPECT_EQ(Concrete(-0.001, 27.5, 0.002, 2), 12345);
  EXPECT_EQ(Concrete(-0.001, 27.5, 0.002, 0), 12345);
}

TEST(ConcreteLaw, NaNStrainDoesNotCrash) { EXPECT_EQ(Concrete(std::nan("")), -27.5); }

TEST(SteelLaw, ElasticPerfectlyPlasticSymmetric) {
  EXPECT_DOUBLE_EQ(Steel(0.001), 206);
  EXPECT_DOUBLE_EQ(Steel(-0.001), -206);
  EXPECT_EQ(Steel(0.01), 330);
  EXPECT_EQ(Steel(-0.01), -330);
  EXPECT_EQ(Steel(0), 0);
  double ey = 330.0 / 206000.0;
  EXPECT_NEAR(ey, 0.0016019, 1e-7);
  EXPECT_EQ(Steel(ey), 206000 * ey);  // boundary is elastic
  EXPECT_EQ(Steel(std::numeric_limits<double>::infinity()), 330);
}

TEST(SteelLaw, OtherCodesLeaveTheOutput) {
  EXPECT_EQ(Steel(0.001, 206000, 330, 2), 12345);
  EXPECT_EQ(Steel(0.001, 0, 330, 0), 12345);  // no division without law 1
}

TEST(SteelLaw, ZeroModulusRaisesTheFloatingPointReport) {
  try {
    Steel(0.001, 0, 330);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kDivisionByZero);
  }
  try {
    Steel(0.001, 0, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kInvalidOperation);
  }
}

}  // namespace
}  // namespace kuma

#pragma once
// Hand-built fibers and random sections for the solver tests.

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "model/state.h"
#include "model/fiber.h"

namespace kuma::test {

inline FiberRecord ConcreteFiber(double x, double y, double area, double fc, double e0,
                                 std::int32_t material = CoreConcrete1) {
  FiberRecord f;
  f.x = x;
  f.y = y;
  f.area = area;
  f.material = material;
  f.fc = f.fcu = fc;
  f.e0 = e0;
  f.ecu = 0.0035;
  f.concreteLawCode = 1;
  return f;
}

inline FiberRecord SteelFiber(double x, double y, double area, double Es, double fy,
                              std::int32_t material = Rebar) {
  FiberRecord f;
  f.x = x;
  f.y = y;
  f.area = area;
  f.material = material;
  f.Es = Es;
  f.fy = fy;
  f.steelLawCode = 1;
  return f;
}

// A section of `count` fibers inside B × H, no symmetry: concrete of the
// four concrete codes (deductions included) and bars and shapes.
inline FiberArray RandomSection(unsigned seed, int count, double B, double H) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> ux(-B / 2, B / 2), uy(-H / 2, H / 2), u01(0, 1);
  FiberArray fibers;
  for (int i = 0; i < count; ++i) {
    double x = ux(rng), y = uy(rng), r = u01(rng);
    if (r < 0.65) {
      const std::int32_t codes[3] = {EdgeConcrete, CoreConcrete1, CoreConcrete2};
      fibers.push_back(ConcreteFiber(x, y, 50 + 400 * u01(rng), 10 + 40 * u01(rng),
                                     0.0015 + 0.001 * u01(rng), codes[i % 3]));
    } else if (r < 0.72) {
      fibers.push_back(ConcreteFiber(x, y, 30 + 100 * u01(rng), 10 + 40 * u01(rng),
                                     0.0015 + 0.001 * u01(rng), CoreConcrete1Deduction));
    } else {
      fibers.push_back(SteelFiber(x, y, 100 + 500 * u01(rng), 195000 + 20000 * u01(rng),
                                  235 + 200 * u01(rng), r < 0.86 ? Rebar : SteelShape));
    }
  }
  return fibers;
}

inline double Largest(const std::vector<double>& a, const std::vector<double>& b = {}) {
  double m = 0;
  for (double v : a) m = std::max(m, std::fabs(v));
  for (double v : b) m = std::max(m, std::fabs(v));
  return m;
}

// Element-wise comparison relative to the curve's largest value; names the
// first difference.
inline ::testing::AssertionResult CloseCurves(const std::vector<double>& got,
                                              const std::vector<double>& want, double scale,
                                              double relative) {
  if (got.size() != want.size())
    return ::testing::AssertionFailure() << "size " << got.size() << " != " << want.size();
  for (size_t i = 0; i < got.size(); ++i) {
    double diff = std::fabs(got[i] - want[i]);
    if (!(diff <= relative * scale))
      return ::testing::AssertionFailure()
             << "point " << i << ": " << got[i] << " vs " << want[i] << " (diff " << diff
             << ", allowed " << relative * scale << ")";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kuma::test

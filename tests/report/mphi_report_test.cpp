// The moment–curvature text report states what the curve was computed with:
// the ultimate strain the curve used (the law's own, not the box's), the
// rupture strain when the steel ruptured, the ductility on the idealised
// yield beside the first-yield ratio, and a bilinear capped at the peak.

#include "report/mphi_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kuma {
namespace {

bool Has(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

// A curve as the solver leaves it: ended by a law whose own limit is
// −0.00441 while the box held −0.0035; φu = 0.0132, φ'y = 0.0066, Mn capped
// at the peak 986.48 with M'y = 963.43, so φy = 0.0066 · 986.48 / 963.43 =
// 0.006758 and μφ = 0.0132 / 0.006758 = 1.95, the first-yield ratio 2.00.
MphiResult Curve() {
  MphiResult r;
  r.settings.ecu = -0.0035;
  r.steps.resize(3);
  r.endText = "混凝土达到极限压应变";
  r.firstYield = MphiPoint{true, 0.0066, 963.43};
  r.bilinearYield = MphiPoint{true, 0.0066 * 986.48 / 963.43, 986.48};
  r.bilinearCapped = true;
  r.ductility = 0.0132 / r.bilinearYield.curvature;
  r.firstYieldRatio = 0.0132 / 0.0066;
  r.EIeff = 963.43 / 0.0066;
  r.ultimateStrain = -0.00441;
  return r;
}

TEST(MphiReport, StatesTheLimitsTheCurveUsedAndBothRatios) {
  MphiResult r = Curve();
  std::vector<std::string> lines = BuildMphiReport(r);
  EXPECT_TRUE(Has(lines, "混凝土极限应变 = -0.00441"));
  EXPECT_FALSE(Has(lines, "-0.00350"));
  EXPECT_TRUE(Has(lines, "曲率延性系数 μφ = φu/φy = 1.95"));
  EXPECT_TRUE(Has(lines, "首次屈服曲率比 φu/φ'y = 2.00"));
  EXPECT_TRUE(Has(lines, "已取峰值弯矩 Mn = 986.48"));
  EXPECT_FALSE(Has(lines, "钢材断裂应变"));

  r.ruptureStrain = 0.01;
  r.bilinearCapped = false;
  lines = BuildMphiReport(r);
  EXPECT_TRUE(Has(lines, "钢材断裂应变 = 0.01000"));
  EXPECT_FALSE(Has(lines, "已取峰值弯矩"));
  // Before any solve the box's strain is what there is to state.
  EXPECT_TRUE(Has(BuildMphiReport(MphiResult{}), "混凝土极限应变 = -0.00350"));
}

}  // namespace
}  // namespace kuma

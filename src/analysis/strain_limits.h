#pragma once
// Where a capacity state's strain limits sit. The corner rule puts εcu and
// 0.01 at the corners of the section's bounding rectangle; the fiber rule
// ("实际纤维") puts the crushing strain at the most compressed concrete fiber
// and the steel limit at the most stretched bar or steel fiber, each group
// with its law's own limit where the law has one.

#include <vector>

#include "model/fiber.h"
#include "model/form.h"

namespace kuma {

// The own limiting strains of a fiber's law, from the law code and prepared
// shape it carries: crushing of concrete (Appendix C, Mander) and rupture of
// steel (bilinear, three-branch). Zero where the law has none (law 1 and the
// filled-tube core concrete: the caller's ecu applies; law 1 steel).
struct FiberOwnLimits {
  double crush = 0;    // ≤ 0
  double rupture = 0;  // ≥ 0
};
FiberOwnLimits OwnLawLimits(const FiberRecord& fiber);

// ComboBox27: 0 "截面外接矩形角点", 1 "实际纤维".
bool ReadFiberLimits(const Form& form);

// Fibers that share one limit: compression (limit < 0) or tension (> 0).
struct LimitGroup {
  double limit = 0;
  bool compression = true;
  std::vector<double> x, y;
};

// Concrete fibers (codes 0, 1, 2) limit compression, at their law's own
// crushing strain when `ownLimits` and the law has one, else at `ecu`; steel
// fibers limit tension, at their law's rupture strain when `ownLimits` and
// the law has one, else at 0.01. A section without steel limits tension on
// its concrete, one without concrete compression on its steel.
std::vector<LimitGroup> FiberLimitGroups(const FiberArray& fibers, double ecu, bool ownLimits);

// A group's extremes of w·x − y for one slope.
struct LimitExtreme {
  double limit = 0;
  bool compression = true;
  double low = 0, high = 0;
};
std::vector<LimitExtreme> LimitExtremes(const std::vector<LimitGroup>& groups, double w);

// The curvature at which the first group reaches its limit, for the neutral
// axis (w·x − y + q)/root = 0: the smallest applicable candidate, as the
// corner rule's. NaN when none applies.
double FiberTrialCurvature(const std::vector<LimitExtreme>& extremes, double root, double q);

// Smallest s = sine·x − cosine·y over the compression groups and largest over
// the tension groups.
void LimitProjection(const std::vector<LimitGroup>& groups, double sine, double cosine,
                     double& sMin, double& sMax);

}  // namespace kuma

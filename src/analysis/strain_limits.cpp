#include "analysis/strain_limits.h"

#include <cmath>
#include <limits>
#include <map>
#include <utility>

#include "material/laws.h"
#include "model/controls/material_pages.h"

namespace kuma {

namespace {

constexpr double kSteelLimit = 0.01;

// The law's own crushing (concrete) or rupture (steel) strain, 0 if none.
double OwnLimit(const FiberRecord& f) {
  const FiberOwnLimits own = OwnLawLimits(f);
  return IsSteel(f.material) ? own.rupture : own.crush;
}

}  // namespace

FiberOwnLimits OwnLawLimits(const FiberRecord& f) {
  FiberOwnLimits own;
  if (IsSteel(f.material)) {
    if (const SteelLawUnit* law = SteelLawOf(f.steelLawCode))
      own.rupture = law->rupture(f.Es, f.fy, f.shape);
  } else if (const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode)) {
    own.crush = law->crushing(f.fc, f.e0, f.shape);
  }
  return own;
}

bool ReadFiberLimits(const Form& form) { return form.ItemIndex(ctl::kStrainLimitPlaceList) == 1; }

std::vector<LimitGroup> FiberLimitGroups(const FiberArray& fibers, double ecu, bool ownLimits) {
  bool anyConcrete = false, anySteel = false;
  for (const FiberRecord& f : fibers) {
    anyConcrete = anyConcrete || IsConcrete(f.material);
    anySteel = anySteel || IsSteel(f.material);
  }
  std::vector<LimitGroup> groups;
  std::map<std::pair<bool, double>, std::size_t> index;
  auto add = [&](bool compression, double limit, const FiberRecord& f) {
    auto [it, fresh] = index.emplace(std::make_pair(compression, limit), groups.size());
    if (fresh) {
      groups.emplace_back();
      groups.back().limit = limit;
      groups.back().compression = compression;
    }
    groups[it->second].x.push_back(f.x);
    groups[it->second].y.push_back(f.y);
  };
  for (const FiberRecord& f : fibers) {
    const bool concrete = IsConcrete(f.material), steel = IsSteel(f.material);
    if (!concrete && !steel) continue;
    const double own = ownLimits ? OwnLimit(f) : 0;
    if (concrete || !anyConcrete) add(true, concrete && own < 0 ? own : ecu, f);
    if (steel || !anySteel) add(false, steel && own > 0 ? own : kSteelLimit, f);
  }
  return groups;
}

std::vector<LimitExtreme> LimitExtremes(const std::vector<LimitGroup>& groups, double w) {
  std::vector<LimitExtreme> out;
  for (const LimitGroup& g : groups) {
    LimitExtreme e;
    e.limit = g.limit;
    e.compression = g.compression;
    for (std::size_t i = 0; i < g.x.size(); ++i) {
      const double v = w * g.x[i] - g.y[i];
      if (i == 0 || v < e.low) e.low = v;
      if (i == 0 || v > e.high) e.high = v;
    }
    out.push_back(e);
  }
  return out;
}

double FiberTrialCurvature(const std::vector<LimitExtreme>& extremes, double root, double q) {
  bool found = false;
  double phi = std::numeric_limits<double>::quiet_NaN();
  auto consider = [&](double candidate) {
    if (!found || candidate < phi) phi = candidate;
    found = true;
  };
  for (const LimitExtreme& e : extremes) {
    const double dLow = (e.low + q) / root, dHigh = (e.high + q) / root;
    if (e.compression) {
      if (dLow < 0) consider(e.limit / dLow);
      if (dHigh < 0) consider(e.limit / dHigh);
    } else {
      if (dHigh > 0) consider(e.limit / dHigh);
      if (dLow > 0) consider(e.limit / dLow);
    }
  }
  return phi;
}

void LimitProjection(const std::vector<LimitGroup>& groups, double sine, double cosine,
                     double& sMin, double& sMax) {
  bool haveMin = false, haveMax = false;
  sMin = sMax = 0;
  for (const LimitGroup& g : groups) {
    for (std::size_t i = 0; i < g.x.size(); ++i) {
      const double s = sine * g.x[i] - cosine * g.y[i];
      if (g.compression && (!haveMin || s < sMin)) {
        sMin = s;
        haveMin = true;
      }
      if (!g.compression && (!haveMax || s > sMax)) {
        sMax = s;
        haveMax = true;
      }
    }
  }
}

}  // namespace kuma

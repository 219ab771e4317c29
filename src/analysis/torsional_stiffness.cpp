// G·J of a section's gross outline.
#include "analysis/torsional_stiffness.h"

#include <algorithm>
#include <cmath>

#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

double GrossTorsionalStiffness(int sectionType, const SectionParameters& params, double Ec,
                               double Es) {
  const double Gc = Ec / (2 * (1 + 0.2)), Gs = Es / (2 * (1 + 0.3));
  // Saint-Venant's J of a solid rectangle.
  auto rectangle = [](double B, double H) {
    double a = std::max(std::fabs(B), std::fabs(H)), b = std::min(std::fabs(B), std::fabs(H));
    return a > 0 ? a * b * b * b * (1.0 / 3 - 0.21 * (b / a) * (1 - std::pow(b / a, 4) / 12)) : 0;
  };
  const SectionKindRow* kind = FindSectionKind(sectionType);
  const bool filledTube = kind != nullptr && IsTube(*kind);
  const bool round = kind != nullptr && IsCircular(*kind);
  double gj = 0;
  if (filledTube && round) {
    const double D = params.H, d = params.H - 2 * params.tw;
    gj = Gc * kPi * std::pow(d, 4) / 32 + Gs * kPi * (std::pow(D, 4) - std::pow(d, 4)) / 32;
  } else if (filledTube) {
    const double tx = params.tw, ty = params.twX;
    const double bm = params.B - tx, hm = params.H - ty;  // the walls' mid-line
    const double tube = 4 * bm * bm * hm * hm / (2 * bm / ty + 2 * hm / tx);
    gj = Gc * rectangle(params.B - 2 * tx, params.H - 2 * ty) + Gs * tube;
  } else if (round) {
    gj = Gc * kPi * std::pow(params.H, 4) / 32;
  } else {
    gj = Gc * rectangle(params.B, params.H);
  }
  if (!(gj > 0) || !std::isfinite(gj)) {
    throw Error("无法计算毛截面的 GJ；请在 GJ 框中输入数值");
  }
  return gj;
}

}  // namespace kuma

#include "model/statistics.h"

#include "model/controls/section_page.h"
#include "model/finite_results.h"
#include "model/numfmt.h"
#include "model/section_kind.h"

namespace kuma {

void ShowSectionStatistics(int sectionType, const SectionParameters& params,
                           const FiberArray& fibers, Form& form) {
  // The gross area comes from the outline (3.14 for circles, H being the
  // diameter there), the other areas from the fibers.
  const SectionKindRow* kind = FindSectionKind(sectionType);
  const bool circular = kind != nullptr && IsCircular(*kind);
  const double Ag = circular ? 3.14 * params.H * params.H / 4 : params.B * params.H;
  double Ac = 0, As = 0, Aa = 0;
  for (const FiberRecord& f : fibers) {
    switch (f.material) {
      case EdgeConcrete:
      case CoreConcrete1:
      case CoreConcrete2:
        Ac += f.area;
        break;
      case CoreConcrete1Deduction:
        Ac -= f.area;
        break;
      case Rebar:
        As += f.area;
        break;
      case SteelShape:
        Aa += f.area;
        break;
      default:
        break;
    }
  }
  // Both ratios before any box is written: a zero gross area leaves all six.
  const double barRatio = CheckedDiv(As, Ag) * 100;
  const double steelRatio = CheckedDiv(Aa, Ag) * 100;
  RequireFinite({Ag, Ac, As, Aa, barRatio, steelRatio});
  form.SetText(ctl::kGrossAreaBox, FormatFixed(Ag, 0));
  form.SetText(ctl::kConcreteAreaBox, FormatFixed(Ac, 0));
  form.SetText(ctl::kBarAreaBox, FormatFixed(As, 0));
  form.SetText(ctl::kSteelAreaBox, FormatFixed(Aa, 0));
  form.SetText(ctl::kBarRatioBox, FormatFixed(barRatio, 3));
  form.SetText(ctl::kSteelRatioBox, FormatFixed(steelRatio, 3));
}

}  // namespace kuma

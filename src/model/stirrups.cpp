#include "model/stirrups.h"

#include <algorithm>
#include <string_view>

#include "model/controls/code_page.h"
#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

// The text of a list's chosen entry ("" when out of range).
std::string ChosenEntry(const Form& form, const char* list) {
  const int index = form.ItemIndex(list);
  for (const ListEntries& l : DropDownLists()) {
    if (std::string_view(l.name) != list) continue;
    if (index >= 0 && static_cast<std::size_t>(index) < l.entries.size())
      return l.entries[static_cast<std::size_t>(index)];
  }
  return "";
}

[[noreturn]] void Refuse(const char* caption, const char* box, const char* rule) {
  throw Error(std::string(caption) + rule, std::string(caption) + " (" + box + ") " + rule);
}

}  // namespace

bool KindHasStirrups(int sectionType) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  return kind != nullptr && kind->bars;
}

StirrupInput ReadStirrupInput(const Form& form) {
  StirrupInput in;
  in.grade = ChosenEntry(form, ctl::kStirrupGradeList);
  in.spiral = form.ItemIndex(ctl::kStirrupSpiralList) == 0;
  in.d = form.Float(ctl::kStirrupDiameterBox);
  in.sDense = form.Float(ctl::kStirrupDenseSpacingBox);
  in.sElsewhere = form.Float(ctl::kStirrupSpacingBox);
  in.legsX = form.Integer(ctl::kStirrupLegsXBox);
  in.legsY = form.Integer(ctl::kStirrupLegsYBox);
  if (!(in.d > 0)) Refuse("箍筋直径", ctl::kStirrupDiameterBox, "应大于0");
  if (!(in.sDense > 0)) Refuse("箍筋加密区间距", ctl::kStirrupDenseSpacingBox, "应大于0");
  if (!(in.sElsewhere > 0)) Refuse("箍筋非加密区间距", ctl::kStirrupSpacingBox, "应大于0");
  if (in.legsX < 2) Refuse("箍筋X向肢数", ctl::kStirrupLegsXBox, "至少为2");
  if (in.legsY < 2) Refuse("箍筋Y向肢数", ctl::kStirrupLegsYBox, "至少为2");
  return in;
}

HoopGeometry OuterHoop(int sectionType, const SectionParameters& p, double d) {
  HoopGeometry hoop;
  hoop.d = d;
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind == nullptr || !kind->bars) return hoop;
  hoop.circle = IsCircular(*kind);
  // The hoop bends round the outer ring of a circle and the corner bars
  // of a rectangle.
  const double dL = hoop.circle ? p.dX : p.dc;
  const double inset = std::max(0.0, p.as - dL / 2);
  hoop.coreX = std::max(0.0, p.B - 2 * inset);
  hoop.coreY = hoop.circle ? hoop.coreX : std::max(0.0, p.H - 2 * inset);
  return hoop;
}

bool FormHoop(const Form& form, int sectionType, const SectionParameters& params,
              HoopGeometry& hoop) {
  if (!KindHasStirrups(sectionType)) return false;
  try {
    hoop = OuterHoop(sectionType, params, ReadStirrupInput(form).d);
  } catch (const Error&) {
    return false;
  }
  return hoop.coreX > 0 && hoop.coreY > 0;
}

double StirrupLegArea(double d) { return 3.14 * d * d / 4; }

double VolumetricRatio(const HoopGeometry& hoop, const StirrupInput& s, double spacing) {
  const double a1 = StirrupLegArea(s.d);
  if (!(spacing > 0) || !(hoop.coreX > 0) || !(hoop.coreY > 0)) return 0;
  if (hoop.circle) return 4 * a1 / (hoop.coreX * spacing);
  return a1 * (s.legsX * hoop.coreX + s.legsY * hoop.coreY) / (hoop.coreX * hoop.coreY * spacing);
}

}  // namespace kuma

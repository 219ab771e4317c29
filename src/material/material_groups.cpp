#include "material/material_groups.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/controls/material_pages.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section.h"
#include "model/section_input.h"
#include "model/section_kind.h"
#include "model/stirrups.h"

namespace kuma {

namespace {

constexpr const char* kCustomGrade = "自定义";

// Shortest text that reads back as the same number.
std::string NumberText(double v) {
  char buffer[32];
  for (int digits = 6; digits <= 17; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
    if (std::strtod(buffer, nullptr) == v) break;
  }
  return buffer;
}

// A box that may be left blank for its default.
double FloatOr(const Form& form, const char* box, double otherwise) {
  const std::string text = form.Text(box);
  if (text.find_first_not_of(" \t") == std::string::npos) return otherwise;
  return form.Float(box);
}

const SectionKindRow* SectionKindOf(const Form& form, int sectionType = 0) {
  return FindSectionKind(sectionType > 0 ? sectionType : SelectedSectionType(form));
}

bool Blank(const Form& form, const char* box) {
  return form.Text(box).find_first_not_of(" \t") == std::string::npos;
}

// Mander's ρv and fyh: a blank box takes the stirrups of the page "规范验算"
// (the dense zone's volumetric ratio; the grade's yield strength at the
// form's level), a typed one its number.
void ReadHoopInputs(const Form& form, const MaterialGroupControls& g, int sectionType,
                    ConcreteLawParams& p) {
  p.rhoVFromStirrups = Blank(form, g.rhoV);
  p.fyhFromStirrups = Blank(form, g.fyh);
  if (!p.rhoVFromStirrups) p.rhoV = form.Float(g.rhoV);
  if (!p.fyhFromStirrups) p.fyh = form.Float(g.fyh);
  if (!p.rhoVFromStirrups && !p.fyhFromStirrups) return;
  int type = sectionType > 0 ? sectionType : SelectedSectionType(form);
  if (!KindHasStirrups(type)) throw Error("该截面无箍筋: 请输入体积配箍率ρv和箍筋屈服强度fyh");
  const StirrupInput stirrups = ReadStirrupInput(form);
  if (p.rhoVFromStirrups) {
    SectionParameters params;
    ReadSectionParameters(form, type, params);
    p.rhoV = VolumetricRatio(OuterHoop(type, params, stirrups.d), stirrups, stirrups.sDense);
  }
  if (p.fyhFromStirrups) {
    for (const RebarGrade& grade : RebarGrades())
      if (stirrups.grade == grade.name) p.fyh = RebarValues(grade, ReadValueLevel(form)).fy;
  }
}

}  // namespace

const std::vector<MaterialGroupControls>& MaterialGroups() {
  static const std::vector<MaterialGroupControls> groups = {
      {EdgeConcrete, ctl::kEdgeConcreteLawList, ctl::kEdgeConcreteGradeList, ctl::kEdgeFcBox,
       ctl::kEdgeE0Box, ctl::kEdgeFcuBox, ctl::kEdgeEcuBox, nullptr, nullptr, ctl::kEdgeExponentBox,
       ctl::kEdgeHoopRatioBox, ctl::kEdgeHoopFyhBox, ctl::kEdgeKeBox, ctl::kEdgeHoopRuptureBox,
       nullptr, nullptr, nullptr, nullptr, ctl::kEdgeLawNote},
      {CoreConcrete1, ctl::kCore1ConcreteLawList, ctl::kCore1ConcreteGradeList, ctl::kCore1FcBox,
       ctl::kCore1E0Box, ctl::kCore1FcuBox, ctl::kCore1EcuBox, nullptr, nullptr,
       ctl::kCore1ExponentBox, ctl::kCore1HoopRatioBox, ctl::kCore1HoopFyhBox, ctl::kCore1KeBox,
       ctl::kCore1HoopRuptureBox, nullptr, nullptr, nullptr, nullptr, ctl::kCore1LawNote},
      {CoreConcrete2, ctl::kCore2ConcreteLawList, ctl::kCore2ConcreteGradeList, ctl::kCore2FcBox,
       ctl::kCore2E0Box, ctl::kCore2FcuBox, ctl::kCore2EcuBox, nullptr, nullptr,
       ctl::kCore2ExponentBox, ctl::kCore2HoopRatioBox, ctl::kCore2HoopFyhBox, ctl::kCore2KeBox,
       ctl::kCore2HoopRuptureBox, nullptr, nullptr, nullptr, nullptr, ctl::kCore2LawNote},
      {Rebar, ctl::kRebarLawList, ctl::kRebarGradeList, nullptr, nullptr, nullptr, nullptr,
       ctl::kRebarEsBox, ctl::kRebarFyBox, nullptr, nullptr, nullptr, nullptr, nullptr,
       ctl::kRebarHardeningBox, ctl::kRebarRuptureBox, ctl::kRebarHardeningStartBox,
       ctl::kRebarUltimateBox, nullptr},
      {SteelShape, ctl::kShapeSteelLawList, ctl::kShapeSteelGradeList, nullptr, nullptr, nullptr,
       nullptr, ctl::kShapeSteelEsBox, ctl::kShapeSteelFyBox, nullptr, nullptr, nullptr, nullptr,
       nullptr, ctl::kShapeSteelHardeningBox, ctl::kShapeSteelRuptureBox,
       ctl::kShapeSteelHardeningStartBox, ctl::kShapeSteelUltimateBox, nullptr},
  };
  return groups;
}

const MaterialGroupControls* GroupOfBox(std::string_view box) {
  for (const MaterialGroupControls& g : MaterialGroups()) {
    for (const char* b : {g.fc, g.e0, g.fcu, g.ecu, g.Es, g.fy, g.n, g.fst, g.eu}) {
      if (b != nullptr && box == b) return &g;
    }
  }
  return nullptr;
}

const MaterialGroupControls* GroupOfMaterial(int material) {
  const int group = MaterialGroupOf(material);
  return group < 0 ? nullptr : &MaterialGroups()[static_cast<std::size_t>(group)];
}

std::vector<const char*> GradeEntries(int material) {
  std::vector<const char*> entries = {kCustomGrade};
  if (material == Rebar) {
    for (const RebarGrade& g : RebarGrades()) entries.push_back(g.name);
  } else if (material == SteelShape) {
    for (const SteelGrade& g : SteelGrades()) entries.push_back(g.name);
  } else {
    for (const ConcreteGrade& g : ConcreteGrades()) entries.push_back(g.name);
  }
  return entries;
}

std::vector<const char*> LawEntries(bool concrete) {
  std::vector<const char*> entries;
  if (concrete) {
    for (const ConcreteLawUnit* law : ConcreteLaws()) entries.push_back(law->name);
  } else {
    for (const SteelLawUnit* law : SteelLaws()) entries.push_back(law->name);
  }
  return entries;
}

ValueLevel ReadValueLevel(const Form& form) {
  return form.ItemIndex(kLevelList) == 1 ? ValueLevel::Characteristic : ValueLevel::Design;
}

double ThickestSteelPlate(const Form& form) {
  auto value = [&form](const char* box) {
    try {
      return std::fabs(form.Float(box));
    } catch (const Error&) {
      return 0.0;
    }
  };
  const SectionKindRow* kind = SectionKindOf(form);
  double thickest = 0;
  if (kind == nullptr) return thickest;
  for (const char* box : SteelPlateBoxes(*kind)) thickest = std::max(thickest, value(box));
  return thickest;
}

double ConfinementFactor(const FiberArray& fibers, int material) {
  double steelForce = 0, concreteForce = 0;
  for (const FiberRecord& f : fibers) {
    if (f.material == SteelShape) steelForce += f.area * f.fy;
    if (f.material == material) {
      concreteForce += f.area * f.fc;
    }
  }
  return concreteForce > 0 ? steelForce / concreteForce : 0;
}

ConcreteLawParams ReadConcreteLaw(const Form& form, const MaterialGroupControls& g,
                                  int sectionType, const FiberArray* fibers) {
  ConcreteLawParams p;
  p.law = form.ItemIndex(g.lawList) + 1;
  p.fc = form.Float(g.fc);
  p.e0 = form.Float(g.e0);
  p.fcu = form.Float(g.fcu);
  p.ecu = form.Float(g.ecu);
  p.n = FloatOr(form, g.n, 2);
  const int grade = form.ItemIndex(g.gradeList);
  if (grade >= 1 && grade <= static_cast<int>(ConcreteGrades().size()))
    p.Ec = ConcreteGrades()[static_cast<std::size_t>(grade - 1)].Ec;
  const ConcreteLawUnit* law = ConcreteLawOf(p.law);
  const unsigned inputs = law != nullptr ? law->inputs : kNoInputs;
  if ((inputs & kConfinementInputs) != 0) {
    ReadHoopInputs(form, g, sectionType, p);
    const SectionKindRow* kind = SectionKindOf(form, sectionType);
    p.ke = FloatOr(form, g.ke, kind != nullptr && HasRoundConfinement(*kind) ? 0.95 : 0.75);
    p.esu = FloatOr(form, g.esu, 0.09);
  }
  if ((inputs & kSectionConfinement) != 0) {
    // Only a rectangular tube confines its concrete by straight walls.
    const SectionKindRow* kind = SectionKindOf(form, sectionType);
    p.circular = kind == nullptr || !(IsTube(*kind) && !IsCircular(*kind));
    if (fibers != nullptr) p.xi = ConfinementFactor(*fibers, g.material);
  }
  return p;
}

SteelLawParams ReadSteelLaw(const Form& form, const MaterialGroupControls& g) {
  SteelLawParams p;
  p.law = form.ItemIndex(g.lawList) + 1;
  p.fy = form.Float(g.fy);
  p.Es = form.Float(g.Es);
  const SteelLawUnit* law = SteelLawOf(p.law);
  if (law != nullptr && (law->inputs & kHardeningInputs) != 0) {
    p.b = FloatOr(form, g.b, 0.01);
    p.eu = FloatOr(form, g.eu, 0.10);
    p.euy = FloatOr(form, g.euy, 0.025);
    p.fst = FloatOr(form, g.fst, 0);
  }
  return p;
}

LawLimits GroupLawLimits(const Form& form, int material, int sectionType,
                         const FiberArray* fibers) {
  const MaterialGroupControls* g = GroupOfMaterial(material);
  if (g == nullptr) return {};
  if (IsSteel(g->material)) return SteelLawLimits(ReadSteelLaw(form, *g));
  return ConcreteLawLimits(ReadConcreteLaw(form, *g, sectionType, fibers));
}

namespace {

// The prepared law of one group, refused with the law's reason.
LawShape PrepareGroupLaw(const Form& form, const MaterialGroupControls& g, int sectionType,
                         const FiberArray& fibers) {
  const char* refusal = nullptr;
  LawShape shape;
  if (IsSteel(g.material)) {
    const SteelLawParams p = ReadSteelLaw(form, g);
    const SteelLawUnit* law = SteelLawOf(p.law);
    if (law == nullptr) throw Error("未知的钢材本构");
    refusal = law->refusal(p);
    if (refusal == nullptr) shape = law->prepare(p);
  } else {
    const ConcreteLawParams p = ReadConcreteLaw(form, g, sectionType, &fibers);
    const ConcreteLawUnit* law = ConcreteLawOf(p.law);
    if (law == nullptr) throw Error("未知的混凝土本构");
    refusal = law->refusal(p);
    if (refusal == nullptr) shape = law->prepare(p);
  }
  if (refusal != nullptr) throw Error(refusal);
  for (double c : shape.c)
    if (!std::isfinite(c)) throw Error("本构参数无效，请检查输入");
  return shape;
}

}  // namespace

void AssignFiberLaws(const Form& form, int sectionType, FiberArray& fibers) {
  bool used[kMaterialGroupCount] = {};
  for (const FiberRecord& f : fibers) {
    const int group = MaterialGroupOf(f.material);
    if (group >= 0) used[group] = true;
  }
  LawShape shapes[kMaterialGroupCount];
  for (int group = 0; group < kMaterialGroupCount; ++group) {
    if (used[group])
      shapes[group] = PrepareGroupLaw(form, MaterialGroups()[static_cast<std::size_t>(group)],
                                      sectionType, fibers);
  }
  for (FiberRecord& f : fibers) {
    const int group = MaterialGroupOf(f.material);
    if (group >= 0) f.shape = shapes[group];
  }
}

namespace {

// The concrete group whose grade gives the analyses' ultimate strain: the
// edge concrete, or in a filled tube, where the core is the only concrete,
// core concrete (1).
bool SetsUltimateStrain(const Form& form, const MaterialGroupControls& g) {
  const SectionKindRow* kind = SectionKindOf(form);
  const bool filledTube = kind != nullptr && IsTube(*kind);
  return g.material == (filledTube ? CoreConcrete1 : EdgeConcrete);
}

// Writes the grade's values at the current level into the group's boxes;
// returns the concrete grade's ultimate strain (0 for steel or "自定义").
double WriteGradeValues(Form& form, const MaterialGroupControls& g) {
  const int grade = form.ItemIndex(g.gradeList);
  if (grade <= 0) return 0;
  const auto index = static_cast<std::size_t>(grade - 1);
  const ValueLevel level = ReadValueLevel(form);
  if (IsSteel(g.material)) {
    SteelGradeValues v;
    if (g.material == Rebar) {
      if (index >= RebarGrades().size()) return 0;
      v = RebarValues(RebarGrades()[index], level);
    } else {
      if (index >= SteelGrades().size()) return 0;
      v = StructuralSteelValues(SteelGrades()[index], level, ThickestSteelPlate(form));
    }
    form.SetText(g.Es, NumberText(v.Es));
    form.SetText(g.fy, NumberText(v.fy));
    form.SetText(g.fst, NumberText(v.fst));
    if (v.eu > 0) form.SetText(g.eu, NumberText(v.eu));
    return 0;
  }
  if (index >= ConcreteGrades().size()) return 0;
  const ConcreteGradeValues v = ConcreteValues(ConcreteGrades()[index], level);
  form.SetText(g.fc, NumberText(v.fc));
  form.SetText(g.e0, NumberText(v.e0));
  form.SetText(g.fcu, NumberText(v.fc));
  form.SetText(g.ecu, NumberText(v.ecu));
  form.SetText(g.n, NumberText(v.n));
  return v.ecu;
}

}  // namespace

void FillFromGrade(Form& form, const MaterialGroupControls& g) {
  const double ecu = WriteGradeValues(form, g);
  if (ecu > 0 && SetsUltimateStrain(form, g)) {
    for (const char* box : kUltimateStrainBoxes) form.SetText(box, NumberText(-ecu));
  }
}

void RefillFromGrade(Form& form, const MaterialGroupControls& g) { WriteGradeValues(form, g); }

void FillAllGrades(Form& form) {
  for (const MaterialGroupControls& g : MaterialGroups()) RefillFromGrade(form, g);
}

void FollowTypedBox(Form& form, std::string_view box) {
  if (ReleaseGradeOfBox(form, box) || GroupOfBox(box) != nullptr) return;
  // Any other box may be a plate thickness of the section kind.
  RefillFromGrade(form, MaterialGroups()[kSteelShapeGroup]);
}

bool ReleaseGradeOfBox(Form& form, std::string_view box) {
  const MaterialGroupControls* g = GroupOfBox(box);
  if (g == nullptr || form.ItemIndex(g->gradeList) == 0) return false;
  form.SetItemIndex(g->gradeList, 0);
  return true;
}

std::string LawNote(const Form& form, const MaterialGroupControls& g) {
  try {
    const ConcreteLawParams p = ReadConcreteLaw(form, g);
    const ConcreteLawUnit* law = ConcreteLawOf(p.law);
    if (law != nullptr) return law->note(p, false);
  } catch (const Error&) {
  }
  return "";
}

}  // namespace kuma

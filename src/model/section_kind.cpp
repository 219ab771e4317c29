#include "model/section_kind.h"

#include <initializer_list>
#include <utility>

namespace kuma {

namespace {

void SetCaption(Form& form, const char* name, const char* caption) {
  if (caption != nullptr) form.SetText(name, caption);
}

void SetShown(Form& form, std::initializer_list<const char*> names, MaybeShown shown) {
  if (!shown) return;
  for (const char* name : names) form.SetVisible(name, *shown);
}

void ApplyCaptions(Form& form, const SectionKindRow& kind) {
  const KindCaptions& c = *kind.captions;
  SetCaption(form, "Label2", c.label2);
  SetCaption(form, "Label3", c.label3);
  SetCaption(form, "Label4", c.label4);
  SetCaption(form, "Label12", c.label12);
  SetCaption(form, "Label13", c.label13);
  SetCaption(form, "Label5", c.label5);
  SetCaption(form, "Label10", c.label10);
  SetCaption(form, "Label11", c.label11);
  SetCaption(form, "Label49", c.label49);

  // The steel group's column head and mesh-count captions: a shape, or the
  // inner tube of the composite column.
  if (kind.steelCaptions != nullptr) {
    SetCaption(form, "Label54", kind.steelCaptions->label54);
    SetCaption(form, "Label57", kind.steelCaptions->label57);
    SetCaption(form, "Label56", kind.steelCaptions->label56);
  }
}

void ApplyVisibility(Form& form, const KindVisibility& v) {
  SetShown(form, {"Edit1", "Edit3", "Edit12", "Edit13"}, v.mainBoxes);
  SetShown(form, {"Edit2"}, v.edit2);
  SetShown(form, {"Label49", "Edit41"}, v.tubeWallY);
  SetShown(form, {"GroupBox11"}, v.barGroup);
  SetShown(form, {"Label5"}, v.label5);
  SetShown(form, {"Edit5", "Edit6", "Edit7"}, v.barRowX);
  SetShown(form, {"Edit4", "Edit8", "Edit9", "Edit10", "Edit11"}, v.barRowsYc);
  SetShown(form, {"GroupBox10"}, v.steelGroup);
  SetShown(form, {"Edit42", "Edit44"}, v.steelHt);
  SetShown(form, {"Edit43", "Edit45", "Label51", "Label53"}, v.steelBw);
  SetShown(form, {"Edit46", "Edit47", "Edit48", "Edit49", "Label55"}, v.steelX);
  SetShown(form, {"Label3"}, v.label3);
}

// A caption the kind sets, or nullptr where it blanks the label or leaves it.
const char* OwnCaption(const SectionKindRow& kind, std::string_view label) {
  const KindCaptions& c = *kind.captions;
  const std::pair<const char*, const char*> labels[] = {
      {"Label2", c.label2},   {"Label3", c.label3},   {"Label4", c.label4},
      {"Label12", c.label12}, {"Label13", c.label13}, {"Label5", c.label5},
      {"Label10", c.label10}, {"Label11", c.label11}, {"Label49", c.label49}};
  for (const auto& [name, caption] : labels) {
    if (label != name) continue;
    if (caption == nullptr || std::string_view(caption) == kBlankCaption) return nullptr;
    return caption;
  }
  return nullptr;
}

}  // namespace

const SectionKindRow* FindSectionKind(int sectionType) {
  for (const SectionKindRow& kind : kSectionKinds)
    if (kind.type == sectionType) return &kind;
  return nullptr;
}

int SelectedSectionType(const Form& form) { return form.ItemIndex("ComboBox1") + 1; }

std::vector<const char*> SectionKindNames() {
  std::vector<const char*> names;
  for (const SectionKindRow& kind : kSectionKinds) names.push_back(kind.name);
  return names;
}

const char* DesignCodeName(DesignCode code) {
  switch (code) {
    case DesignCode::Gb50010:
      return "GB 50010";
    case DesignCode::Jgj138:
      return "JGJ 138";
    case DesignCode::Gb50936:
      return "GB 50936";
  }
  return "";
}

int ReinforcedConcreteKind(Outline outline) {
  for (const SectionKindRow& kind : kSectionKinds)
    if (IsReinforcedConcrete(kind) && kind.outline == outline) return kind.type;
  return 0;
}

std::vector<const char*> SteelPlateBoxes(const SectionKindRow& k) {
  switch (k.steel) {
    case KindSteel::ShapeY:
      return {"Edit44", "Edit45"};
    case KindSteel::ShapesXY:
      return {"Edit44", "Edit45", "Edit48", "Edit49"};
    case KindSteel::Tube:
      if (IsCircular(k)) return {"Edit3"};
      return {"Edit3", "Edit41"};
    case KindSteel::InnerTube:
      return {"Edit44"};
    case KindSteel::None:
      break;
  }
  return {};
}

std::string KindLabelCaption(int sectionType, std::string_view label) {
  const SectionKindRow* kind = FindSectionKind(sectionType);
  if (kind != nullptr) {
    if (const char* own = OwnCaption(*kind, label)) return own;
  }
  // Labels the kind blanks or leaves alone keep the rectangular caption.
  const KindCaptions& r = kRectangularCaptions;
  const SteelCaptions& steel =
      kind != nullptr && kind->steel == KindSteel::InnerTube ? kInnerTubeCaptions : kShapeCaptions;
  const std::pair<const char*, const char*> fixedLabels[] = {
      {"Label2", r.label2},       {"Label3", r.label3},     {"Label4", r.label4},
      {"Label12", r.label12},     {"Label13", r.label13},   {"Label5", r.label5},
      {"Label10", r.label10},     {"Label11", r.label11},   {"Label49", "Y方向板厚"},
      {"Label54", steel.label54}, {"Label55", "型钢X方向"}, {"Label57", steel.label57},
      {"Label56", steel.label56}};
  for (const auto& [name, caption] : fixedLabels)
    if (label == name) return caption;
  return {};
}

void ApplySectionKindLayout(Form& form) {
  const SectionKindRow* kind = FindSectionKind(SelectedSectionType(form));
  // No kind selected: the layout of the first kind.
  if (kind == nullptr) kind = &kSectionKinds[0];
  ApplyCaptions(form, *kind);
  ApplyVisibility(form, kind->shown);
}

}  // namespace kuma

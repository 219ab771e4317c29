#include "model/section_kind.h"

#include <initializer_list>
#include <utility>

#include "model/controls/code_page.h"
#include "model/controls/section_page.h"

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
  SetCaption(form, ctl::kWidthLabel, c.label2);
  SetCaption(form, ctl::kHeightLabel, c.label3);
  SetCaption(form, ctl::kCoverLabel, c.label4);
  SetCaption(form, ctl::kMeshXLabel, c.label12);
  SetCaption(form, ctl::kMeshYLabel, c.label13);
  SetCaption(form, ctl::kBarsXLabel, c.label5);
  SetCaption(form, ctl::kBarsYLabel, c.label10);
  SetCaption(form, ctl::kCornerBarsLabel, c.label11);
  SetCaption(form, ctl::kTubeWallYLabel, c.label49);

  // The steel group's column head and mesh-count captions: a shape, or the
  // inner tube of the composite column.
  if (kind.steelCaptions != nullptr) {
    SetCaption(form, ctl::kShapeYLabel, kind.steelCaptions->label54);
    SetCaption(form, ctl::kFlangeMeshLabel, kind.steelCaptions->label57);
    SetCaption(form, ctl::kWebMeshLabel, kind.steelCaptions->label56);
  }
}

void ApplyVisibility(Form& form, const KindVisibility& v) {
  SetShown(form, {ctl::kWidthBox, ctl::kCoverBox, ctl::kMeshXBox, ctl::kMeshYBox}, v.mainBoxes);
  SetShown(form, {ctl::kHeightBox}, v.edit2);
  SetShown(form, {ctl::kTubeWallYLabel, ctl::kTubeWallYBox}, v.tubeWallY);
  SetShown(form, {ctl::kBarGroup}, v.barGroup);
  SetShown(form, {ctl::kBarsXLabel}, v.label5);
  SetShown(form, {ctl::kBarRowsXBox, ctl::kBarCountXBox, ctl::kBarDiameterXBox}, v.barRowX);
  SetShown(form,
           {ctl::kBarRowsYBox, ctl::kBarCountYBox, ctl::kBarDiameterYBox, ctl::kCornerBarCountBox,
            ctl::kCornerBarDiameterBox},
           v.barRowsYc);
  SetShown(form, {ctl::kSteelGroup}, v.steelGroup);
  SetShown(form, {ctl::kShapeYDepthBox, ctl::kShapeYFlangeBox}, v.steelHt);
  SetShown(form,
           {ctl::kShapeYWidthBox, ctl::kShapeYWebBox, ctl::kShapeWidthLabel, ctl::kShapeWebLabel},
           v.steelBw);
  SetShown(form,
           {ctl::kShapeXDepthBox, ctl::kShapeXWidthBox, ctl::kShapeXFlangeBox, ctl::kShapeXWebBox,
            ctl::kShapeXLabel},
           v.steelX);
  SetShown(form, {ctl::kHeightLabel}, v.label3);
}

// A caption the kind sets, or nullptr where it blanks the label or leaves it.
const char* OwnCaption(const SectionKindRow& kind, std::string_view label) {
  const KindCaptions& c = *kind.captions;
  const std::pair<const char*, const char*> labels[] = {
      {ctl::kWidthLabel, c.label2},     {ctl::kHeightLabel, c.label3},
      {ctl::kCoverLabel, c.label4},     {ctl::kMeshXLabel, c.label12},
      {ctl::kMeshYLabel, c.label13},    {ctl::kBarsXLabel, c.label5},
      {ctl::kBarsYLabel, c.label10},    {ctl::kCornerBarsLabel, c.label11},
      {ctl::kTubeWallYLabel, c.label49}};
  for (const auto& [name, caption] : labels) {
    if (label != name) continue;
    if (caption == nullptr || std::string_view(caption) == kBlankCaption) return nullptr;
    return caption;
  }
  return nullptr;
}

// The stirrups of the page "规范验算" belong to the kinds with bars.
void ApplyStirrupVisibility(Form& form, const SectionKindRow& kind) {
  form.SetVisible(ctl::kStirrupGroup, kind.bars);
}

}  // namespace

const SectionKindRow* FindSectionKind(int sectionType) {
  for (const SectionKindRow& kind : kSectionKinds)
    if (kind.type == sectionType) return &kind;
  return nullptr;
}

int SelectedSectionType(const Form& form) { return form.ItemIndex(ctl::kKindList) + 1; }

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

const char* DesignCodeTitle(DesignCode code) {
  switch (code) {
    case DesignCode::Jgj138:
      return "JGJ 138-2016";
    case DesignCode::Gb50936:
      return "GB 50936-2014";
    default:
      return "GB 50010-2010 (2015年版)";
  }
}

int ReinforcedConcreteKind(Outline outline) {
  for (const SectionKindRow& kind : kSectionKinds)
    if (IsReinforcedConcrete(kind) && kind.outline == outline) return kind.type;
  return 0;
}

std::vector<const char*> SteelPlateBoxes(const SectionKindRow& k) {
  switch (k.steel) {
    case KindSteel::ShapeY:
      return {ctl::kShapeYFlangeBox, ctl::kShapeYWebBox};
    case KindSteel::ShapesXY:
      return {ctl::kShapeYFlangeBox, ctl::kShapeYWebBox, ctl::kShapeXFlangeBox, ctl::kShapeXWebBox};
    case KindSteel::Tube:
      if (IsCircular(k)) return {ctl::kCoverBox};
      return {ctl::kCoverBox, ctl::kTubeWallYBox};
    case KindSteel::InnerTube:
      return {ctl::kShapeYFlangeBox};
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
      {ctl::kWidthLabel, r.label2},        {ctl::kHeightLabel, r.label3},
      {ctl::kCoverLabel, r.label4},        {ctl::kMeshXLabel, r.label12},
      {ctl::kMeshYLabel, r.label13},       {ctl::kBarsXLabel, r.label5},
      {ctl::kBarsYLabel, r.label10},       {ctl::kCornerBarsLabel, r.label11},
      {ctl::kTubeWallYLabel, "Y方向板厚"}, {ctl::kShapeYLabel, steel.label54},
      {ctl::kShapeXLabel, "型钢X方向"},    {ctl::kFlangeMeshLabel, steel.label57},
      {ctl::kWebMeshLabel, steel.label56}};
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
  ApplyStirrupVisibility(form, *kind);
}

}  // namespace kuma

#include "model/section_kind.h"

#include <optional>
#include <utility>

namespace kuma {

namespace {

// A blank caption is a single space.
constexpr const char* kBlank = " ";

// Captions of the section input boxes for one group of kinds; nullptr leaves
// the caption as it is.
struct KindCaptions {
  const char* label2;
  const char* label3;
  const char* label4;
  const char* label12;
  const char* label13;
  const char* label5;
  const char* label10;
  const char* label11;
};

constexpr KindCaptions kRectangular = {"截面宽度B",         "截面宽度H",         "保护层厚度as",
                                       "X方向划分网格数量", "Y方向划分网格数量", "X方向钢筋",
                                       "Y方向钢筋",         "角部钢筋"};
constexpr KindCaptions kCircular = {
    "直径D",    kBlank, "保护层厚度as", "环向划分网格数量", "径向划分网格数量",
    "环向钢筋", kBlank, kBlank};
constexpr KindCaptions kCircularTube = {
    "钢管直径D",        kBlank, "钢管厚度tw", "环向划分网格数量",
    "径向划分网格数量", kBlank, kBlank,       kBlank};
constexpr KindCaptions kRectangularTube = {
    "截面宽度B",         "截面宽度H", "X方向板厚", "X方向划分网格数量",
    "Y方向划分网格数量", nullptr,     nullptr,     nullptr};

const KindCaptions& CaptionsOf(int sectionType) {
  switch (sectionType) {
    case 2:
    case 7:
      return kCircular;
    case 5:
      return kCircularTube;
    case 6:
      return kRectangularTube;
    default:
      return kRectangular;
  }
}

// Visibility of the kind-dependent controls; an empty value leaves the
// control as it is.
using Shown = std::optional<bool>;
struct KindVisibility {
  Shown edit2;
  Shown tubeWallY;  // Label49, Edit41
  Shown barGroup;   // GroupBox11
  Shown label5;
  Shown barRowX;     // Edit5..Edit7
  Shown barRowsYc;   // Edit4, Edit8..Edit11
  Shown steelGroup;  // GroupBox10
  Shown steelHt;     // Edit42, Edit44
  Shown steelBw;     // Edit43, Edit45, Label51, Label53
  Shown steelX;      // Edit46..Edit49, Label55
  Shown mainBoxes;   // Edit1, Edit3, Edit12, Edit13
};

constexpr bool V = true;
constexpr bool H = false;
const Shown U = std::nullopt;

KindVisibility VisibilityOf(int sectionType) {
  switch (sectionType) {
    case 2:
      return {H, H, V, V, V, H, H, U, U, U, V};
    case 3:
      return {V, H, V, V, V, V, V, U, V, V, V};
    case 4:
      return {V, H, V, V, V, V, V, U, V, H, V};
    case 5:
      return {H, H, H, H, U, U, H, U, U, U, U};
    case 6:
      return {V, V, H, U, U, U, H, U, U, U, U};
    case 7:
      return {H, H, V, V, V, H, V, U, V, V, V};
    case 8:
      return {V, H, V, V, V, V, V, V, H, H, V};
    default:
      return {V, H, V, V, V, V, H, U, U, U, V};
  }
}

void SetCaption(Form& form, const char* name, const char* caption) {
  if (caption != nullptr) form.SetText(name, caption);
}

void SetShown(Form& form, std::initializer_list<const char*> names, Shown shown) {
  if (!shown) return;
  for (const char* name : names) form.SetVisible(name, *shown);
}

void ApplyCaptions(Form& form, int sectionType) {
  const KindCaptions& c = CaptionsOf(sectionType);
  SetCaption(form, "Label2", c.label2);
  SetCaption(form, "Label3", c.label3);
  SetCaption(form, "Label4", c.label4);
  SetCaption(form, "Label12", c.label12);
  SetCaption(form, "Label13", c.label13);
  SetCaption(form, "Label5", c.label5);
  SetCaption(form, "Label10", c.label10);
  SetCaption(form, "Label11", c.label11);
  if (sectionType == 6) form.SetText("Label49", "Y方向板厚");

  // The steel group's column head and mesh-count captions: a shape, or the
  // inner tube of the composite column.
  if (sectionType == 3 || sectionType == 4 || sectionType == 7 || sectionType == 8) {
    for (const char* label : {"Label54", "Label57", "Label56"})
      form.SetText(label, KindLabelCaption(sectionType, label));
  }
}

void ApplyVisibility(Form& form, int sectionType) {
  const KindVisibility v = VisibilityOf(sectionType);
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
  if (sectionType == 6) form.SetVisible("Label3", true);
}

}  // namespace

std::string KindLabelCaption(int sectionType, std::string_view label) {
  const KindCaptions& c = CaptionsOf(sectionType);
  const std::pair<const char*, const char*> kindLabels[] = {
      {"Label2", c.label2},   {"Label3", c.label3},   {"Label4", c.label4}, {"Label12", c.label12},
      {"Label13", c.label13}, {"Label5", c.label5},   {"Label10", c.label10},
      {"Label11", c.label11}};
  for (const auto& [name, caption] : kindLabels) {
    if (label != name) continue;
    // Labels the kind blanks or leaves alone keep the rectangular caption.
    if (caption == nullptr || std::string_view(caption) == kBlank) break;
    return caption;
  }
  const bool tube = sectionType == 8;
  const std::pair<const char*, const char*> fixedLabels[] = {
      {"Label2", kRectangular.label2},
      {"Label3", kRectangular.label3},
      {"Label4", kRectangular.label4},
      {"Label12", kRectangular.label12},
      {"Label13", kRectangular.label13},
      {"Label5", kRectangular.label5},
      {"Label10", kRectangular.label10},
      {"Label11", kRectangular.label11},
      {"Label49", "Y方向板厚"},
      {"Label54", tube ? "钢管" : "型钢Y方向"},
      {"Label55", "型钢X方向"},
      {"Label57", tube ? "钢管内环向划分数量" : "翼缘划分网格数量"},
      {"Label56", tube ? "钢管内径向划分数量" : "腹板划分网格数量"}};
  for (const auto& [name, caption] : fixedLabels)
    if (label == name) return caption;
  return {};
}

void ApplySectionKindLayout(Form& form) {
  const int sectionType = form.ItemIndex("ComboBox1") + 1;
  ApplyCaptions(form, sectionType);
  ApplyVisibility(form, sectionType);
}

}  // namespace kuma

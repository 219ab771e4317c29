#pragma once
// The section kinds, one row each: what a kind is (outline, bars, steel),
// how the section page shows it (captions, visible boxes, menu item) and
// which code governs its design. Every place that behaves by kind reads the
// row; a new kind is its row here, its mesher and its tests.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/form.h"

namespace kuma {

enum class Outline { Rectangle, Circle };

// The structural steel a kind holds besides its bars.
enum class KindSteel {
  None,
  ShapeY,     // one shape along Y (Edit42..Edit45)
  ShapesXY,   // shapes along Y and X (Edit42..Edit49)
  Tube,       // the outer wall is a steel tube filled with concrete
  InnerTube,  // a concrete-filled round tube inside (Edit42 diameter, Edit44 wall)
};

// The design code of a kind.
enum class DesignCode {
  Gb50010,  // GB 50010, reinforced concrete
  Jgj138,   // JGJ 138, steel-reinforced concrete and composite columns
  Gb50936,  // GB 50936, concrete-filled steel tubes
};

// Captions of the section input boxes; nullptr leaves a caption as it is, a
// single space blanks it.
struct KindCaptions {
  const char* label2;
  const char* label3;
  const char* label4;
  const char* label12;
  const char* label13;
  const char* label5;
  const char* label10;
  const char* label11;
  const char* label49;
};

// Column head and mesh-count captions of the steel group.
struct SteelCaptions {
  const char* label54;
  const char* label57;
  const char* label56;
};

// Visibility of the kind-dependent controls; an empty value leaves the
// control as it is.
using MaybeShown = std::optional<bool>;
struct KindVisibility {
  MaybeShown edit2;
  MaybeShown tubeWallY;  // Label49, Edit41
  MaybeShown barGroup;   // GroupBox11
  MaybeShown label5;
  MaybeShown barRowX;     // Edit5..Edit7
  MaybeShown barRowsYc;   // Edit4, Edit8..Edit11
  MaybeShown steelGroup;  // GroupBox10
  MaybeShown steelHt;     // Edit42, Edit44
  MaybeShown steelBw;     // Edit43, Edit45, Label51, Label53
  MaybeShown steelX;      // Edit46..Edit49, Label55
  MaybeShown mainBoxes;   // Edit1, Edit3, Edit12, Edit13
  MaybeShown label3;
};

inline constexpr char kBlankCaption[] = " ";

inline constexpr KindCaptions kRectangularCaptions = {
    "截面宽度B", "截面宽度H", "保护层厚度as", "X方向划分网格数量", "Y方向划分网格数量", "X方向钢筋",
    "Y方向钢筋", "角部钢筋",  nullptr};
inline constexpr KindCaptions kCircularCaptions = {"直径D",
                                                   kBlankCaption,
                                                   "保护层厚度as",
                                                   "环向划分网格数量",
                                                   "径向划分网格数量",
                                                   "环向钢筋",
                                                   kBlankCaption,
                                                   kBlankCaption,
                                                   nullptr};
inline constexpr KindCaptions kCircularTubeCaptions = {
    "钢管直径D",        kBlankCaption,      "钢管厚度tw",
    "环向划分网格数量", "径向划分网格数量", kBlankCaption,
    kBlankCaption,      kBlankCaption,      nullptr};
inline constexpr KindCaptions kRectangularTubeCaptions = {
    "截面宽度B", "截面宽度H", "X方向板厚", "X方向划分网格数量", "Y方向划分网格数量",
    nullptr,     nullptr,     nullptr,     "Y方向板厚"};

inline constexpr SteelCaptions kShapeCaptions = {"型钢Y方向", "翼缘划分网格数量",
                                                 "腹板划分网格数量"};
inline constexpr SteelCaptions kInnerTubeCaptions = {"钢管", "钢管内环向划分数量",
                                                     "钢管内径向划分数量"};

struct SectionKindRow {
  int type;              // SectionType: the position in ComboBox1 plus one
  const char* name;      // ComboBox1's entry and the menu item's caption
  const char* menuItem;  // the item of the menu "截面类型"
  Outline outline;
  bool bars;  // reinforcing bars: a cover, rings or faces of bars, the bar group
  KindSteel steel;
  const KindCaptions* captions;
  const SteelCaptions* steelCaptions;  // nullptr: the steel group keeps its captions
  KindVisibility shown;
  DesignCode code;
};

// Visibility from one letter per field of KindVisibility, in its order:
// 'V' shown, '-' hidden, '.' left as it is.
constexpr MaybeShown ShownLetter(char letter) {
  return letter == '.' ? MaybeShown() : MaybeShown(letter == 'V');
}
constexpr KindVisibility ShownFrom(const char (&l)[13]) {
  return {ShownLetter(l[0]), ShownLetter(l[1]), ShownLetter(l[2]),  ShownLetter(l[3]),
          ShownLetter(l[4]), ShownLetter(l[5]), ShownLetter(l[6]),  ShownLetter(l[7]),
          ShownLetter(l[8]), ShownLetter(l[9]), ShownLetter(l[10]), ShownLetter(l[11])};
}

// The kinds in ComboBox1's order. The meshers (src/mesh/mesh.cpp) are listed
// in the same order. Visibility columns: Edit2, Label49/Edit41, GroupBox11,
// Label5, Edit5..7, Edit4/Edit8..11, GroupBox10, Edit42/44, Edit43/45,
// Edit46..49, Edit1/3/12/13, Label3.
inline constexpr SectionKindRow kSectionKinds[] = {
    {1, "矩形混凝土柱", "N19", Outline::Rectangle, true, KindSteel::None, &kRectangularCaptions,
     nullptr, ShownFrom("V-VVVV-...V."), DesignCode::Gb50010},
    {2, "圆形混凝土柱", "N20", Outline::Circle, true, KindSteel::None, &kCircularCaptions, nullptr,
     ShownFrom("--VVV--...V."), DesignCode::Gb50010},
    {3, "矩形钢骨柱1", "N110", Outline::Rectangle, true, KindSteel::ShapesXY, &kRectangularCaptions,
     &kShapeCaptions, ShownFrom("V-VVVVV.VVV."), DesignCode::Jgj138},
    {4, "矩形钢骨柱2", "N21", Outline::Rectangle, true, KindSteel::ShapeY, &kRectangularCaptions,
     &kShapeCaptions, ShownFrom("V-VVVVV.V-V."), DesignCode::Jgj138},
    {5, "圆形钢管混凝土柱", "N25", Outline::Circle, false, KindSteel::Tube, &kCircularTubeCaptions,
     nullptr, ShownFrom("----..-....."), DesignCode::Gb50936},
    {6, "矩形钢管混凝土柱", "N22", Outline::Rectangle, false, KindSteel::Tube,
     &kRectangularTubeCaptions, nullptr, ShownFrom("VV-...-....V"), DesignCode::Gb50936},
    {7, "圆形钢骨柱", "N23", Outline::Circle, true, KindSteel::ShapesXY, &kCircularCaptions,
     &kShapeCaptions, ShownFrom("--VVV-V.VVV."), DesignCode::Jgj138},
    {8, "矩形叠合柱", "N24", Outline::Rectangle, true, KindSteel::InnerTube, &kRectangularCaptions,
     &kInnerTubeCaptions, ShownFrom("V-VVVVVV--V."), DesignCode::Jgj138},
};

inline constexpr int kSectionKindCount =
    static_cast<int>(sizeof(kSectionKinds) / sizeof(kSectionKinds[0]));

// The row of `sectionType`; nullptr for a number no kind has.
const SectionKindRow* FindSectionKind(int sectionType);

// The SectionType selected in ComboBox1: its position plus one.
int SelectedSectionType(const Form& form);

// Entries of ComboBox1, the kinds' names in order.
std::vector<const char*> SectionKindNames();

// "GB 50010", "JGJ 138", "GB 50936".
const char* DesignCodeName(DesignCode code);
// The code with its edition, as the code check names it.
const char* DesignCodeTitle(DesignCode code);

inline bool IsCircular(const SectionKindRow& k) { return k.outline == Outline::Circle; }
inline bool IsTube(const SectionKindRow& k) { return k.steel == KindSteel::Tube; }
inline bool HasShapes(const SectionKindRow& k) {
  return k.steel == KindSteel::ShapeY || k.steel == KindSteel::ShapesXY;
}
// Concrete and bars only.
inline bool IsReinforcedConcrete(const SectionKindRow& k) {
  return k.bars && k.steel == KindSteel::None;
}
// The confinement of the concrete is round: a round outline or a round tube
// inside.
inline bool HasRoundConfinement(const SectionKindRow& k) {
  return k.outline == Outline::Circle || k.steel == KindSteel::InnerTube;
}

// The reinforced concrete kind of an outline (kind 1 or 2).
int ReinforcedConcreteKind(Outline outline);

// The boxes holding the plate thicknesses of the kind's structural steel:
// flanges and webs of the shapes, the walls of a tube.
std::vector<const char*> SteelPlateBoxes(const SectionKindRow& k);

// Applies the captions and visibility of the kind selected in ComboBox1.
// (The caller then runs the section input command.)
void ApplySectionKindLayout(Form& form);

// The caption a kind-dependent label of the section page ("Label2",
// "Label5", "Label54", ...) shows for `sectionType`; a label the kind blanks
// keeps the caption of the rectangular column. Empty for other labels.
std::string KindLabelCaption(int sectionType, std::string_view label);

}  // namespace kuma

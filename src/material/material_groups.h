#pragma once
// The five material groups of the material pages: their grade lists, the
// value level, the inputs of every law, the fill rules of the grades, and
// the pass that gives every fiber its group's prepared law.

#include <string>
#include <string_view>
#include <vector>

#include "material/grades.h"
#include "material/laws.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/controls/pm_page.h"
#include "model/fiber.h"
#include "model/form.h"

namespace kuma {

// The controls of one group. Concrete groups use fc..ecu and the concrete
// extras; steel groups Es, fy and the steel extras (the others are null).
struct MaterialGroupControls {
  int material;             // MaterialKind code: 0, 1, 2, 11, 12
  const char* lawList;      // ComboBox2..6
  const char* gradeList;    // ComboBox21..25
  const char *fc, *e0, *fcu, *ecu;  // concrete boxes
  const char *Es, *fy;              // steel boxes
  const char *n, *rhoV, *fyh, *ke, *esu;  // concrete law inputs
  const char *b, *eu, *euy, *fst;         // steel law inputs
  const char* note;  // label with the law's own ultimate strain (concrete)
};
const std::vector<MaterialGroupControls>& MaterialGroups();
// The group whose boxes include `box` (any of the above but the lists), or null.
const MaterialGroupControls* GroupOfBox(std::string_view box);
const MaterialGroupControls* GroupOfMaterial(int material);

constexpr const char* kSectionKindList = "ComboBox1";  // the section kind
constexpr const char* kLevelList = "ComboBox26";       // "材料强度取值"
constexpr const char* kStrainLimitList = "ComboBox27"; // "应变极限位置"
constexpr const char* kCoverLayersBox = "Edit93";      // "保护层纤维层数"

// Entries of the grade lists (entry 0 "自定义") and of the law lists.
std::vector<const char*> GradeEntries(int material);
std::vector<const char*> LawEntries(bool concrete);

ValueLevel ReadValueLevel(const Form& form);

// The law of a group as the form describes it. For the filled-tube law the
// confinement factor needs the meshed section (`fibers`, `sectionType`);
// without them ξ stays 0.
ConcreteLawParams ReadConcreteLaw(const Form& form, const MaterialGroupControls& g,
                                  int sectionType = 0, const FiberArray* fibers = nullptr);
SteelLawParams ReadSteelLaw(const Form& form, const MaterialGroupControls& g);

// The own ultimate strains of a group's law (see LawLimits): the group of
// MaterialKind `material` (0, 1, 2, 11, 12) as the form describes it. Law 1
// concrete gives the group's ecu box; law 1 steel gives none (0).
LawLimits GroupLawLimits(const Form& form, int material, int sectionType = 0,
                         const FiberArray* fibers = nullptr);

// Confinement factor ξ = As·fy/(Ac·fc) of the meshed section: the steel
// shape's (tube's) area and strength against the area of the concrete fibers
// of `material` and their strength.
double ConfinementFactor(const FiberArray& fibers, int material);

// Gives every fiber its group's prepared law (after AssignFiberMaterials).
void AssignFiberLaws(const Form& form, int sectionType, FiberArray& fibers);

// The boxes of the analyses' ultimate concrete strain: the PM, MM and
// moment–curvature pages' "混凝土极限应变".
inline constexpr const char* kUltimateStrainBoxes[] = {
    ctl::kPmUltimateStrainBox, ctl::kMmUltimateStrainBox, ctl::kMphiUltimateStrainBox};

// Grade fill rules. A box the grade fills stays tied to the grade until the
// engineer types into that box itself.
// FillFromGrade: the grade of `g` was chosen. Writes its values at the
// current level (and, for structural steel, the row of the thickest plate)
// into the group's boxes; a concrete grade that sets the analyses' ultimate
// strain (the edge concrete's, or core concrete (1)'s in a filled tube) also
// writes it into kUltimateStrainBoxes. Grade "自定义" writes nothing.
void FillFromGrade(Form& form, const MaterialGroupControls& g);
// The group's boxes again after the level or a plate thickness changed (the
// ultimate strain boxes, which neither changes, keep what they hold).
void RefillFromGrade(Form& form, const MaterialGroupControls& g);
// RefillFromGrade for every group (a change of the level).
void FillAllGrades(Form& form);
// A box of a graded group typed by hand turns the group back to "自定义".
// Returns true when it did.
bool ReleaseGradeOfBox(Form& form, std::string_view box);
// The engineer typed `box`: a box of a graded group releases its grade; any
// other box (a plate thickness, or the section kind's list) refills the
// structural steel's grade, whose row follows the thickest plate.
void FollowTypedBox(Form& form, std::string_view box);

// Thickness of the thickest steel plate, wall or flange of the form's section
// kind (mm), 0 when the kind has no structural steel.
double ThickestSteelPlate(const Form& form);

// The law's own ultimate strain text shown beside a concrete group.
std::string LawNote(const Form& form, const MaterialGroupControls& g);

}  // namespace kuma

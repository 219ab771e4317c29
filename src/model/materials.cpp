#include "model/materials.h"

#include <optional>
#include <string>

#include "model/controls/material_pages.h"
#include "model/errors.h"

namespace kuma {

namespace {

// The law list and the boxes of fc, e0, fcu, ecu of one concrete group.
struct ConcreteGroup {
  const char *list, *fc, *e0, *fcu, *ecu;
};
// The law list and the boxes of Es and fy of one steel group.
struct SteelGroup {
  const char *list, *Es, *fy;
};

constexpr ConcreteGroup kEdgeConcrete{ctl::kEdgeConcreteLawList, ctl::kEdgeFcBox, ctl::kEdgeE0Box,
                                      ctl::kEdgeFcuBox, ctl::kEdgeEcuBox};
constexpr ConcreteGroup kCoreConcrete1{ctl::kCore1ConcreteLawList, ctl::kCore1FcBox,
                                       ctl::kCore1E0Box, ctl::kCore1FcuBox, ctl::kCore1EcuBox};
constexpr ConcreteGroup kCoreConcrete2{ctl::kCore2ConcreteLawList, ctl::kCore2FcBox,
                                       ctl::kCore2E0Box, ctl::kCore2FcuBox, ctl::kCore2EcuBox};
constexpr SteelGroup kRebar{ctl::kRebarLawList, ctl::kRebarEsBox, ctl::kRebarFyBox};
constexpr SteelGroup kSteelShape{ctl::kShapeSteelLawList, ctl::kShapeSteelEsBox,
                                 ctl::kShapeSteelFyBox};

// The converted constants of one group. The form does not change during the
// pass, so each group's boxes are converted once, at its first fiber; a box
// that fails is remembered with its message, and every fiber of that group
// then gets the fields before the failing box and stops the pass there,
// exactly as converting the boxes afresh for every fiber would.
struct GroupValues {
  bool read = false;
  int code = 0;
  double value[4] = {0, 0, 0, 0};
  int converted = 0;  // boxes converted before a failure (all on success)
  std::optional<Error> error;  // the failing box's error, empty on success
};

void ReadGroup(const Form& form, const char* list, const char* const* boxes, int count,
               GroupValues& g) {
  g.read = true;
  g.code = form.ItemIndex(list) + 1;
  for (g.converted = 0; g.converted < count; ++g.converted) {
    try {
      g.value[g.converted] = form.Float(boxes[g.converted]);
    } catch (const Error& e) {
      g.error = e;
      return;
    }
  }
}

// Stores the fields in conversion order, then raises the group's failure.
void Assign(const Form& form, const ConcreteGroup& group, GroupValues& g, FiberRecord& f) {
  const char* boxes[4] = {group.fc, group.e0, group.fcu, group.ecu};
  if (!g.read) ReadGroup(form, group.list, boxes, 4, g);
  double* fields[4] = {&f.fc, &f.e0, &f.fcu, &f.ecu};
  f.concreteLawCode = g.code;
  for (int i = 0; i < g.converted; ++i) *fields[i] = g.value[i];
  if (g.error) throw *g.error;
}

void Assign(const Form& form, const SteelGroup& group, GroupValues& g, FiberRecord& f) {
  const char* boxes[2] = {group.fy, group.Es};
  if (!g.read) ReadGroup(form, group.list, boxes, 2, g);
  double* fields[2] = {&f.fy, &f.Es};
  f.steelLawCode = g.code;
  for (int i = 0; i < g.converted; ++i) *fields[i] = g.value[i];
  if (g.error) throw *g.error;
}

}  // namespace

void AssignFiberMaterials(const Form& form, FiberArray& fibers) {
  // In the order of MaterialGroupOf's groups.
  const ConcreteGroup* concrete[3] = {&kEdgeConcrete, &kCoreConcrete1, &kCoreConcrete2};
  const SteelGroup* steel[2] = {&kRebar, &kSteelShape};
  GroupValues values[kMaterialGroupCount];
  for (FiberRecord& f : fibers) {
    const int group = MaterialGroupOf(f.material);
    if (group < 0) continue;
    if (group < kRebarGroup) {
      Assign(form, *concrete[group], values[group], f);
    } else {
      Assign(form, *steel[group - kRebarGroup], values[group], f);
    }
  }
}

}  // namespace kuma

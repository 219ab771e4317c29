#include "model/materials.h"

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

constexpr ConcreteGroup kEdgeConcrete{"ComboBox2", "Edit14", "Edit15", "Edit17", "Edit16"};
constexpr ConcreteGroup kCoreConcrete1{"ComboBox3", "Edit18", "Edit19", "Edit21", "Edit20"};
constexpr ConcreteGroup kCoreConcrete2{"ComboBox4", "Edit22", "Edit23", "Edit25", "Edit24"};
constexpr SteelGroup kRebar{"ComboBox5", "Edit26", "Edit27"};
constexpr SteelGroup kSteelShape{"ComboBox6", "Edit28", "Edit29"};

// Fields are stored as they are converted, so a box that is not a number
// leaves this fiber's earlier fields already updated.
void Assign(const Form& form, const ConcreteGroup& g, FiberRecord& f) {
  f.concreteLawCode = form.ItemIndex(g.list) + 1;
  f.fc = form.Float(g.fc);
  f.e0 = form.Float(g.e0);
  f.fcu = form.Float(g.fcu);
  f.ecu = form.Float(g.ecu);
}

void Assign(const Form& form, const SteelGroup& g, FiberRecord& f) {
  f.steelLawCode = form.ItemIndex(g.list) + 1;
  f.fy = form.Float(g.fy);
  f.Es = form.Float(g.Es);
}

}  // namespace

void AssignFiberMaterials(const Form& form, FiberArray& fibers) {
  for (FiberRecord& f : fibers) {
    switch (f.material) {
      case EdgeConcrete:
        Assign(form, kEdgeConcrete, f);
        break;
      // A deduction fiber cancels core concrete (1), so it takes its constants.
      case CoreConcrete1:
      case CoreConcrete1Deduction:
        Assign(form, kCoreConcrete1, f);
        break;
      case CoreConcrete2:
        Assign(form, kCoreConcrete2, f);
        break;
      case Rebar:
        Assign(form, kRebar, f);
        break;
      case SteelShape:
        Assign(form, kSteelShape, f);
        break;
      default:
        break;
    }
  }
}

}  // namespace kuma

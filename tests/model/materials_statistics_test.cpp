// The material constants copied into the fibers, and the area statistics.

#include <gtest/gtest.h>

#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/materials.h"
#include "model/section_input.h"
#include "model/statistics.h"

namespace kuma {
namespace {

FiberArray MeshForm(const MapForm& form, int& type, SectionParameters& p) {
  ReadSectionParameters(form, type, p);
  FiberArray fibers;
  MeshSection(type, p, fibers);
  return fibers;
}

TEST(AssignFiberMaterials, EachGroupFromItsBoxes) {
  MapForm form;
  form.SetItemIndex("ComboBox1", 7);  // the composite column has every code
  form.SetText("Edit18", "40");
  form.SetText("Edit23", "0.0025");
  form.SetText("Edit29", "345");
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);
  FiberRecord stranger;
  stranger.material = 7;  // not a material code: left alone
  stranger.fc = -1;
  fibers.push_back(stranger);
  AssignFiberMaterials(form, fibers);
  for (const FiberRecord& f : fibers) {
    switch (f.material) {
      case EdgeConcrete:
        EXPECT_EQ(f.fc, 27.5);
        EXPECT_EQ(f.e0, 0.002);
        EXPECT_EQ(f.fcu, 27.5);
        EXPECT_EQ(f.ecu, 0.0035);
        EXPECT_EQ(f.concreteLawCode, 1);
        break;
      case CoreConcrete1:
      case CoreConcrete1Deduction:
        EXPECT_EQ(f.fc, 40);
        EXPECT_EQ(f.e0, 0.002);
        break;
      case CoreConcrete2:
        EXPECT_EQ(f.fc, 11.9);
        EXPECT_EQ(f.e0, 0.0025);
        break;
      case Rebar:
        EXPECT_EQ(f.Es, 206000);
        EXPECT_EQ(f.fy, 330);
        EXPECT_EQ(f.steelLawCode, 1);
        EXPECT_EQ(f.fc, 0);
        break;
      case SteelShape:
        EXPECT_EQ(f.Es, 215000);
        EXPECT_EQ(f.fy, 345);
        break;
      default:
        EXPECT_EQ(f.fc, -1);
        EXPECT_EQ(f.concreteLawCode, 0);
    }
  }
}

TEST(AssignFiberMaterials, AFailingBoxStopsAtThatFiber) {
  MapForm form;
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);  // core cells first, then cover strips
  form.SetText("Edit17", "x");
  EXPECT_THROW(AssignFiberMaterials(form, fibers), Error);
  EXPECT_EQ(fibers[99].fc, 27.5) << "core fibers before the failure are done";
  EXPECT_EQ(fibers[100].fc, 27.5) << "the failing fiber keeps the fields read before the box";
  EXPECT_EQ(fibers[100].fcu, 0);
  EXPECT_EQ(fibers[101].fc, 0);
  EXPECT_EQ(fibers[148].Es, 0);
}

std::vector<std::string> StatisticsBoxes(const MapForm& form) {
  std::vector<std::string> texts;
  for (const char* box : {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"}) {
    texts.push_back(form.Text(box));
  }
  return texts;
}

TEST(ShowSectionStatistics, RectangularAndCircularDefaults) {
  MapForm form;
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);
  ShowSectionStatistics(type, p, fibers, form);
  EXPECT_EQ(StatisticsBoxes(form),
            (std::vector<std::string>{"4840000", "4840000", "49063", "0", "1.014", "0.000"}));

  form.SetItemIndex("ComboBox1", 1);
  form.SetText("Edit1", "1000");
  fibers = MeshForm(form, type, p);
  ShowSectionStatistics(type, p, fibers, form);
  EXPECT_EQ(form.Text("Edit36"), "785000");
}

TEST(ShowSectionStatistics, DeductionsCountAgainstTheConcrete) {
  FiberArray fibers(3);
  fibers[0].material = CoreConcrete1;
  fibers[0].area = 1000;
  fibers[1].material = CoreConcrete1Deduction;
  fibers[1].area = 300;
  fibers[2].material = SteelShape;
  fibers[2].area = 50;
  SectionParameters p;
  p.B = 100;
  p.H = 10;
  MapForm form;
  ShowSectionStatistics(RectComposite, p, fibers, form);
  EXPECT_EQ(StatisticsBoxes(form),
            (std::vector<std::string>{"1000", "700", "0", "50", "0.000", "5.000"}));
}

TEST(ShowSectionStatistics, ZeroGrossAreaWritesNothing) {
  MapForm form;
  for (const char* box : {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"}) {
    form.SetText(box, "old");
  }
  FiberArray fibers(1);
  fibers[0].material = Rebar;
  fibers[0].area = 490.625;
  SectionParameters p;
  p.B = 0;
  p.H = 2200;
  try {
    ShowSectionStatistics(RectRc, p, fibers, form);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  EXPECT_EQ(StatisticsBoxes(form), std::vector<std::string>(6, "old"));
}

}  // namespace
}  // namespace kuma

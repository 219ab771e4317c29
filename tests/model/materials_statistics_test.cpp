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
  form.SetText("Edit22", "13");
  form.SetText("Edit29", "345");
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);
  fibers.emplace_back();
  fibers.back().material = 7;  // not a material code: left alone
  AssignFiberMaterials(form, fibers);
  const std::map<int, double> fc = {{0, 27.5}, {1, 40}, {2, 13}, {31, 40},
                                    {11, 0},   {12, 0}, {7, 0}};
  const std::map<int, double> fy = {{0, 0}, {1, 0}, {2, 0}, {31, 0}, {11, 330}, {12, 345}, {7, 0}};
  for (const FiberRecord& f : fibers) {
    EXPECT_EQ(f.fc, fc.at(f.material)) << f.material;
    EXPECT_EQ(f.fy, fy.at(f.material)) << f.material;
    EXPECT_EQ(f.concreteLawCode, IsConcrete(f.material) || f.material == 31 ? 1 : 0);
    EXPECT_EQ(f.Es, f.material == 11 ? 206000 : f.material == 12 ? 215000 : 0);
    if (f.material == EdgeConcrete) {
      EXPECT_EQ(std::vector<double>({f.e0, f.fcu, f.ecu}),
                std::vector<double>({0.002, 27.5, 0.0035}));
    }
  }
}

TEST(AssignFiberMaterials, AFailingBoxStopsAtThatFiber) {
  MapForm form;
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);  // 100 core cells, then the cover strips
  form.SetText("Edit17", "x");
  EXPECT_THROW(AssignFiberMaterials(form, fibers), Error);
  EXPECT_EQ(fibers[99].fcu, 27.5);
  EXPECT_EQ(fibers[100].fc, 27.5) << "the failing fiber keeps the fields read before the box";
  EXPECT_EQ(fibers[100].fcu, 0);
  EXPECT_EQ(fibers[101].fc, 0);
}

std::vector<std::string> Boxes(const MapForm& form) {
  std::vector<std::string> texts;
  for (const char* box : {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"}) {
    texts.push_back(form.Text(box));
  }
  return texts;
}

TEST(ShowSectionStatistics, AreasAndRatios) {
  MapForm form;
  int type = 0;
  SectionParameters p;
  FiberArray fibers = MeshForm(form, type, p);
  ShowSectionStatistics(type, p, fibers, form);
  EXPECT_EQ(Boxes(form),
            (std::vector<std::string>{"4840000", "4840000", "49063", "0", "1.014", "0.000"}));

  form.SetItemIndex("ComboBox1", 1);
  form.SetText("Edit1", "1000");
  fibers = MeshForm(form, type, p);
  ShowSectionStatistics(type, p, fibers, form);
  EXPECT_EQ(form.Text("Edit36"), "785000") << "3.14·D²/4";

  fibers.assign(3, FiberRecord{});  // deductions count against the concrete
  fibers[0].material = CoreConcrete1;
  fibers[0].area = 1000;
  fibers[1].material = CoreConcrete1Deduction;
  fibers[1].area = 300;
  fibers[2].material = SteelShape;
  fibers[2].area = 50;
  p.B = 100;
  p.H = 10;
  ShowSectionStatistics(RectComposite, p, fibers, form);
  EXPECT_EQ(Boxes(form), (std::vector<std::string>{"1000", "700", "0", "50", "0.000", "5.000"}));
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
  p.H = 2200;  // B = 0
  try {
    ShowSectionStatistics(RectRc, p, fibers, form);
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Floating point division by zero");
  }
  EXPECT_EQ(Boxes(form), std::vector<std::string>(6, "old"));
}

}  // namespace
}  // namespace kuma

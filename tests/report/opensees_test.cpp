// The OpenSEES fiber-section script: format, tags, deduction fibers, and the
// default rectangular column against the reference script.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/materials.h"
#include "model/section_input.h"
#include "model/section_kind.h"
#include "report/reports.h"

namespace kuma {
namespace {

FiberRecord Fiber(double x, double y, double area, std::int32_t material) {
  FiberRecord f;
  f.x = x;
  f.y = y;
  f.area = area;
  f.material = material;
  return f;
}

const MaterialTags kTags{1, 2, 3, 4, 5};

TEST(BuildOpenSeesScript, OneLinePerFiberBetweenHeaderAndBrace) {
  FiberArray fibers = {Fiber(-954, -954, 44944, CoreConcrete1), Fiber(2200.0 / 3, 0, 1, Rebar),
                       Fiber(0.00001234567, -1e-300, 0, EdgeConcrete),
                       Fiber(1, 2, 3, CoreConcrete2), Fiber(5, 6, 7, SteelShape)};
  EXPECT_EQ(BuildOpenSeesScript(fibers, kTags),
            (std::vector<std::string>{"section Fiber 1 {",
                                      "fiber -9.5400E+002 -9.5400E+002 4.4944E+004 2",
                                      "fiber 7.3333E+002 0.0000E+000 1.0000E+000 4",
                                      "fiber 1.2346E-005 -1.0000E-300 0.0000E+000 1",
                                      "fiber 1.0000E+000 2.0000E+000 3.0000E+000 3",
                                      "fiber 5.0000E+000 6.0000E+000 7.0000E+000 5", "}"}));
}

TEST(BuildOpenSeesScript, NoFibersGiveAnEmptySection) {
  EXPECT_EQ(BuildOpenSeesScript({}, kTags), (std::vector<std::string>{"section Fiber 1 {", "}"}));
}

TEST(BuildOpenSeesScript, DeductionFiberIsNegativeCoreConcrete) {
  FiberArray fibers = {Fiber(10, 20, 100, CoreConcrete1),
                       Fiber(10, 20, 100, CoreConcrete1Deduction)};
  std::vector<std::string> lines = BuildOpenSeesScript(fibers, {7, 8, 9, 10, 11});
  EXPECT_EQ(lines[1], "fiber 1.0000E+001 2.0000E+001 1.0000E+002 8");
  EXPECT_EQ(lines[2], "fiber 1.0000E+001 2.0000E+001 -1.0000E+002 8");
}

TEST(ReadMaterialTags, ReadsTheFiveBoxesInOrder) {
  MapForm form;
  EXPECT_EQ(ReadMaterialTags(form), (MaterialTags{1, 2, 3, 4, 5}));
  form.SetText("Edit65", "11");
  form.SetText("Edit69", " 15 ");
  EXPECT_EQ(ReadMaterialTags(form), (MaterialTags{11, 2, 3, 4, 15}));
  form.SetText("Edit67", "3.0");
  try {
    ReadMaterialTags(form);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "核心区混凝土本构(2) OpenSEES 编号: '3.0' 不是整数");
  }
}

// The current form's section, meshed with its materials assigned.
FiberArray MeshedSection(MapForm& form, int kindIndex) {
  form.SetItemIndex("ComboBox1", kindIndex);
  ApplySectionKindLayout(form);
  int sectionType = 0;
  SectionParameters params;
  ReadSectionParameters(form, sectionType, params);
  ValidateMeshInput(sectionType, params);
  FiberArray fibers;
  MeshSection(sectionType, params, fibers);
  AssignFiberMaterials(form, fibers);
  return fibers;
}

TEST(BuildOpenSeesScript, DefaultRectangularColumnMatchesTheReference) {
  MapForm form;
  std::vector<std::string> lines =
      BuildOpenSeesScript(MeshedSection(form, 0), ReadMaterialTags(form));
  ASSERT_EQ(lines.size(), 250u);
  EXPECT_EQ(lines[1], "fiber -9.5400E+002 -9.5400E+002 4.4944E+004 2");

  std::ifstream in(std::string(KUMA_REFERENCE_DIR) + "/kind1-opensees.txt");
  std::string expected;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_TRUE(std::getline(in, expected)) << "extra line " << i + 1;
    ASSERT_EQ(lines[i], expected) << "line " << i + 1;
  }
  EXPECT_FALSE(std::getline(in, expected)) << "missing lines from " << lines.size() + 1;
}

TEST(BuildOpenSeesScript, BarTagChangesTheBarLinesOnly) {
  MapForm form;
  FiberArray fibers = MeshedSection(form, 0);
  std::vector<std::string> before = BuildOpenSeesScript(fibers, ReadMaterialTags(form));
  form.SetText("Edit68", "7");
  std::vector<std::string> after = BuildOpenSeesScript(fibers, ReadMaterialTags(form));
  ASSERT_EQ(before.size(), after.size());
  int changed = 0;
  for (std::size_t i = 0; i < fibers.size(); ++i) {
    const std::string& b = before[i + 1];
    const std::string& a = after[i + 1];
    if (fibers[i].material == Rebar) {
      EXPECT_EQ(a, b.substr(0, b.size() - 1) + "7");
      ++changed;
    } else {
      EXPECT_EQ(a, b);
    }
  }
  EXPECT_GT(changed, 0);
}

// Σ area·strength over the script's lines, each tag carrying the strength of
// its material group: what an OpenSEES model with those materials squashes at.
double ScriptSquashLoad(const std::vector<std::string>& lines,
                        const std::map<int, double>& strengthOfTag) {
  double sum = 0;
  for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
    std::istringstream in(lines[i]);
    std::string word, x, y, area;
    int tag = 0;
    in >> word >> x >> y >> area >> tag;
    EXPECT_EQ(word, "fiber");
    sum += std::strtod(area.c_str(), nullptr) * strengthOfTag.at(tag);
  }
  return sum;
}

TEST(BuildOpenSeesScript, CompositeColumnCarriesTheProgramsSquashLoad) {
  MapForm form;
  FiberArray fibers = MeshedSection(form, 7);  // rectangular composite column
  MaterialTags tags = ReadMaterialTags(form);

  // The program's own sum: concrete area·fc, deductions subtracted, steel area·fy.
  double expected = 0;
  int deductions = 0;
  for (const FiberRecord& f : fibers) {
    if (IsConcrete(f.material)) expected += f.area * f.fc;
    if (IsSteel(f.material)) expected += f.area * f.fy;
    if (f.material == CoreConcrete1Deduction) {
      expected -= f.area * f.fc;
      ++deductions;
    }
  }
  ASSERT_GT(deductions, 0);

  std::map<int, double> strength = {{tags[0], form.Float("Edit14")},
                                    {tags[1], form.Float("Edit18")},
                                    {tags[2], form.Float("Edit22")},
                                    {tags[3], form.Float("Edit27")},
                                    {tags[4], form.Float("Edit29")}};
  ASSERT_EQ(strength.size(), 5u);
  // Areas are written to five significant digits.
  double actual = ScriptSquashLoad(BuildOpenSeesScript(fibers, tags), strength);
  EXPECT_NEAR(actual, expected, 1e-5 * expected);
}

}  // namespace
}  // namespace kuma

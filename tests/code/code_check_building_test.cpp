// The building check with the code check in the same pass: each column's
// largest code ratio, its record and clause, and the order by it.

#include <gtest/gtest.h>

#include "analysis/building_check.h"
#include "code_check_helpers.h"
#include "model/section_library.h"

namespace kuma {
namespace {

using test::C30Column;

// Four columns of the 600×600 C30 column, lc = 6 m typed (l0 = 7.5 m,
// φ = 0.9425, cap 6 164.66 kN), no stations:
//   A (3000, 600, 0): ea only, (3000, 660, 60) on the surface;
//   B (6000, 0, 0): surface 6000/7267.5 = 0.826, cap 6000/6164.66 = 0.973;
//   C (6000, 150, 0): surface 0.913, with ea (6000, 270, 120) above 1.0;
//   D rows 7, 8 one member (3000, 300 / 280): Cm·ηns = 1.28184 at row 7.
// By the surface C, A, B come first in that order; by the code C, B, A.
class BuildingCodeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    forces_ = test::Table({{3000, 600, 0},
                           {3000, 500, 0},
                           {6000, 0, 0},
                           {5000, 0, 0},
                           {6000, 150, 0},
                           {100, 10, 0},
                           {3000, 300, 0},
                           {3000, 280, 0}});
    forces_.stories = {"F2", "F1"};
    forces_.columns = {"A", "B", "C", "D"};
    forces_.storyOf = {-1, 0, 0, 0, 0, 0, 0, 1, 1};
    forces_.columnOf = {-1, 0, 0, 1, 1, 2, 2, 3, 3};
    SectionLibrary library;
    PutSection(library, SectionFromForm(C30Column().form, "S"));
    check_ = PlanBuildingCheck(forces_, library);
    code_.sections = {&C30Column().section};
    code_.settings.length = 6.0;
    code_.ends.assign(9, MemberEnds{});
    code_.ends[7] = code_.ends[8] = {7, 8, 3.0, true};
  }
  ForceTable forces_;
  BuildingCheck check_;
  BuildingCodeInputs code_;
};

TEST_F(BuildingCodeTest, CodeRatiosPerRecordAndColumn) {
  RateBuilding(check_, forces_, {C30Column().surface.get()}, kRadialMethod, code_, 2);
  ASSERT_TRUE(check_.codeCheck);
  ASSERT_EQ(check_.ratioCode.size(), 9u);
  for (int r = 1; r <= 8; ++r) {
    const CodeRow row = CodeCheckRow(C30Column().section, code_.settings, *C30Column().surface,
                                     forces_, r, false, &code_.ends[static_cast<std::size_t>(r)]);
    EXPECT_DOUBLE_EQ(check_.ratioCode[static_cast<std::size_t>(r)], row.ratioCode) << r;
  }
  const BuildingColumn &a = check_.columns[0], &b = check_.columns[1], &c = check_.columns[2],
                       &d = check_.columns[3];
  EXPECT_TRUE(a.codeChecked);
  EXPECT_EQ(b.governingCode, 3);
  EXPECT_EQ(b.clauseCode, CodeClause::kAxialCap);
  EXPECT_NEAR(b.maxRatioCode, 6000 / 6164.656875, 1e-9);
  EXPECT_EQ(c.clauseCode, CodeClause::kSection);
  EXPECT_GT(c.maxRatioCode, 1.0);
  EXPECT_LE(c.maxRatio, 1.0);
  EXPECT_EQ(d.governingCode, 7);
  EXPECT_EQ(d.clauseCode, CodeClause::kSecondOrder);
  EXPECT_EQ(check_.failures, 0);
  EXPECT_EQ(check_.codeFailures, 1);
  EXPECT_EQ(check_.governingCodeColumn, 2);
  // The length is typed; the table has no stations.
  EXPECT_EQ(check_.codeRemarks, std::vector<std::string>{kNoStationsRemark});

  const std::vector<int> order = ColumnsByRatio(check_);
  ASSERT_EQ(order.size(), 4u);
  EXPECT_EQ(order[0], 2);
  EXPECT_LT(std::find(order.begin(), order.end(), 1), std::find(order.begin(), order.end(), 0));
  for (std::size_t i = 1; i < order.size(); ++i)
    EXPECT_GE(check_.columns[static_cast<std::size_t>(order[i - 1])].maxRatioCode,
              check_.columns[static_cast<std::size_t>(order[i])].maxRatioCode);
}

TEST_F(BuildingCodeTest, WithoutTheCodeTheOrderIsTheSurfaces) {
  RateBuilding(check_, forces_, {C30Column().surface.get()}, kRadialMethod, 1);
  EXPECT_FALSE(check_.codeCheck);
  EXPECT_TRUE(check_.ratioCode.empty());
  EXPECT_FALSE(check_.columns[0].codeChecked);
  const std::vector<int> order = ColumnsByRatio(check_);
  EXPECT_EQ(order[0], 2);
  EXPECT_LT(std::find(order.begin(), order.end(), 0), std::find(order.begin(), order.end(), 1));
}

// A section without code properties is rated by the surface only.
TEST_F(BuildingCodeTest, SectionWithoutCodePropertiesIsNotCodeChecked) {
  code_.sections = {nullptr};
  RateBuilding(check_, forces_, {C30Column().surface.get()}, kRadialMethod, code_, 1);
  EXPECT_TRUE(check_.columns[0].checked);
  EXPECT_FALSE(check_.columns[0].codeChecked);
  EXPECT_EQ(check_.governingCodeColumn, -1);
  EXPECT_DOUBLE_EQ(check_.ratioCode[1], 0);
}

}  // namespace
}  // namespace kuma

// The building check with the code check in the same pass: each column's
// largest code ratio, its record and clause, and the order by it.

#include <gtest/gtest.h>

#include <cmath>

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

// Past Table 6.2.15 (lc = 31 m typed: l0/b = 38 750/600 = 64.6 > 50) the
// building's remarks say so once, as the single check's do.
TEST_F(BuildingCodeTest, SlendernessPastTheTableIsRemarked) {
  code_.settings.length = 31.0;
  RateBuilding(check_, forces_, {C30Column().surface.get()}, kRadialMethod, code_, 2);
  EXPECT_EQ(check_.codeRemarks, (std::vector<std::string>{kNoStationsRemark, kSlendernessRemark}));
}

// A large table over two sections (the 600×600 C30 column and the filled
// tube), in runs of eight records that alternate between them and cross
// the chunks the check hands its threads: with the code check on, each
// record's plain ratio is the one the check gives without it, and its code
// ratio the one CodeCheckRow gives alone, to the bit, whichever records
// come before and after it.
TEST(BuildingCodeLargeTest, RatiosAsRecordByRecord) {
  const test::CheckedColumn &rc = C30Column(), &tube = test::FilledTube();
  constexpr int kRecords = 9000;
  std::vector<ForceRecord> rows;
  for (int r = 1; r <= kRecords; ++r) {
    const double u = std::fmod(r * 0.6180339887, 1.0), a = r * 2.399963;
    rows.push_back({-2000 + u * 9000, 600 * std::cos(a) * u, 600 * std::sin(a)});
  }
  rows[99] = {0, 0, 0};       // record 100: no force at all
  rows[200] = {-1500, 0, 0};  // record 201: tension alone
  ForceTable forces = test::Table(rows);
  forces.stories = {"F1"};
  forces.columns = {"A", "B"};
  forces.storyOf.assign(kRecords + 1, 0);
  forces.columnOf.assign(kRecords + 1, 0);
  BuildingCodeInputs code;
  code.sections = {&rc.section, &tube.section};
  code.seismic.assign(kRecords + 1, 0);
  code.ends.assign(kRecords + 1, MemberEnds{});
  for (int r = 1; r <= kRecords; ++r) {
    forces.columnOf[static_cast<std::size_t>(r)] = ((r - 1) / 8) % 2;
    const int bottom = r - (r - 1) % 2;
    code.ends[static_cast<std::size_t>(r)] = {bottom, bottom + 1, 4.2, r > kRecords / 2};
    code.seismic[static_cast<std::size_t>(r)] = r % 3 == 0;
  }
  SectionLibrary library;
  PutSection(library, SectionFromForm(rc.form, "S"));
  PutSection(library, SectionFromForm(tube.form, "T"));
  library.rules = {{"*", "A", "S", ""}, {"*", "B", "T", ""}};
  const std::vector<const SurfaceIndex *> indexes = {rc.surface.get(), tube.surface.get()};
  BuildingCheck plain = PlanBuildingCheck(forces, library), coded = plain;
  RateBuilding(plain, forces, indexes, kRadialMethod, 2);
  RateBuilding(coded, forces, indexes, kRadialMethod, code, 2);
  int differing = 0;
  for (int r = 1; r <= kRecords; ++r) {
    const auto at = static_cast<std::size_t>(r);
    const int s = forces.columnOf[at];
    const CodeRow alone = CodeCheckRow(*code.sections[static_cast<std::size_t>(s)], code.settings,
                                       *indexes[static_cast<std::size_t>(s)], forces, r,
                                       code.seismic[at] != 0, &code.ends[at]);
    if (coded.ratio[at] != plain.ratio[at] || coded.ratioCode[at] != alone.ratioCode) ++differing;
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(coded.ratio[100], 0);
  EXPECT_GT(coded.columns[0].maxRatioCode, 0);
  EXPECT_GT(coded.columns[1].maxRatioCode, 0);
}

}  // namespace
}  // namespace kuma

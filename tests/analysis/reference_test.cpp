// Whole PM and MM commands on the initial form of every section kind against
// the results of an independent implementation. Tolerance: 1e-9 of the
// curve's largest value.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/commands.h"
#include "model/state.h"
#include "model/form.h"
#include "section_helpers.h"

namespace kuma {
namespace {

// Columns of a reference CSV (header skipped), column 0 being the index.
std::vector<std::vector<double>> ReadColumns(const std::string& name, int columns) {
  std::ifstream in(std::string(KUMA_REFERENCE_DIR) + "/" + name);
  std::vector<std::vector<double>> out(columns);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::stringstream row(line);
    std::string field;
    for (int c = 0; c < columns && std::getline(row, field, ','); ++c)
      out[c].push_back(std::stod(field));
  }
  return out;
}

class DefaultKind : public ::testing::TestWithParam<int> {};

TEST_P(DefaultKind, PmCurvesMatchTheReference) {
  const int kind = GetParam();
  MapForm form;
  form.SetItemIndex("ComboBox1", kind - 1);
  AppState state;
  PmCommand(state, form);
  auto ref = ReadColumns("kind" + std::to_string(kind) + "-pm.csv", 5);
  ASSERT_FALSE(ref[0].empty());
  double scaleP = test::Largest(ref[1], ref[3]), scaleM = test::Largest(ref[2], ref[4]);
  EXPECT_TRUE(test::CloseCurves(state.PmCurveX.P, ref[1], scaleP, 1e-9)) << "Px";
  EXPECT_TRUE(test::CloseCurves(state.PmCurveX.M, ref[2], scaleM, 1e-9)) << "Mx";
  EXPECT_TRUE(test::CloseCurves(state.PmCurveY.P, ref[3], scaleP, 1e-9)) << "Py";
  EXPECT_TRUE(test::CloseCurves(state.PmCurveY.M, ref[4], scaleM, 1e-9)) << "My";
}

TEST_P(DefaultKind, MmCurveMatchesTheReference) {
  const int kind = GetParam();
  MapForm form;
  form.SetItemIndex("ComboBox1", kind - 1);
  AppState state;
  MmCommand(state, form);
  auto ref = ReadColumns("kind" + std::to_string(kind) + "-mm.csv", 3);
  ASSERT_FALSE(ref[0].empty());
  double scale = test::Largest(ref[1], ref[2]);
  EXPECT_TRUE(test::CloseCurves(state.mmCurve.Mx, ref[1], scale, 1e-9)) << "Mx";
  EXPECT_TRUE(test::CloseCurves(state.mmCurve.My, ref[2], scale, 1e-9)) << "My";
}

INSTANTIATE_TEST_SUITE_P(Kinds, DefaultKind, ::testing::Range(1, 9));

TEST(DefaultRectangularColumn, SquashLoadIsConcreteAndSteelStrengthTimesArea) {
  MapForm form;
  AppState state;
  PmCommand(state, form);
  // 2200 × 2200 of concrete at 27.5; 2·2·12 + 2·2·12 bars of 490.625 mm² and
  // four single corner bars of 490.625 mm² at 330.
  double steel = (96 + 4) * 490.625 * 330;
  EXPECT_NEAR(state.CompressionCapacity, (2200.0 * 2200 * 27.5 + steel) / 1000, 1e-6);
  EXPECT_NEAR(state.TensionCapacity, -steel / 1000, 1e-9);
  EXPECT_EQ(state.PmCurveX.P.front(), state.TensionCapacity);
  EXPECT_EQ(state.PmCurveY.P.back(), state.CompressionCapacity);
}

}  // namespace
}  // namespace kuma

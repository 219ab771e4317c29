// The ratio bands every table, chart, workbook and report takes: satisfied
// up to and including 1.0, near the limit from 0.9; and the per-story rows
// of a building check, which list a story whose columns were all left
// unchecked.

#include "analysis/ratio_bands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/building_check.h"

namespace kuma {
namespace {

TEST(RatioBands, EdgesBelongToTheSaferBandAndNaNFails) {
  EXPECT_EQ(RatioBandOf(0.0), RatioBand::Within);
  EXPECT_EQ(RatioBandOf(std::nextafter(0.9, 0.0)), RatioBand::Within);
  EXPECT_EQ(RatioBandOf(0.9), RatioBand::NearLimit);
  EXPECT_EQ(RatioBandOf(1.0), RatioBand::NearLimit);
  EXPECT_EQ(RatioBandOf(std::nextafter(1.0, 2.0)), RatioBand::Beyond);
  EXPECT_EQ(RatioBandOf(std::nan("")), RatioBand::Beyond);
  EXPECT_STREQ(RatioVerdict(1.0), "满足");
  EXPECT_STREQ(RatioVerdict(1.001), "不满足");
  EXPECT_FALSE(RatioSatisfied(std::nan("")));
}

// One band, one colour: the rows of every table (the check table, the
// building's columns and combinations, the workbooks) differ from the chart
// points only in keeping the plain look within the check. The building
// page once coloured its rows with a rule of its own.
TEST(RatioBands, RowsAndPointsShareTheBandColours) {
  const Rgb green{0, 160, 0}, orange{255, 165, 0};
  EXPECT_EQ(RatioColour(0.5), green);
  EXPECT_EQ(RatioColour(0.95), orange);
  EXPECT_EQ(RatioColour(1.2), kRed);
  EXPECT_EQ(RatioRowColour(0.5), kWhite);
  for (double ratio : {0.9, 0.95, 1.0, 1.2, 7.0})
    EXPECT_EQ(RatioRowColour(ratio), RatioColour(ratio));
  EXPECT_EQ(RatioRowFill(0.5), 0xFFFFFFu);
  EXPECT_EQ(RatioRowFill(0.95), 0xFFA500u);
  EXPECT_EQ(RatioRowFill(1.01), 0xFF0000u);
}

BuildingColumn Column(int story, bool checked, double ratio) {
  BuildingColumn c;
  c.story = story;
  c.checked = checked;
  c.maxRatio = ratio;
  return c;
}

// Stories 0 (two columns, one unchecked), 1 (both unchecked: once left out
// of "按楼层" altogether) and 2 (its second column governs).
TEST(StoryRows, EveryStoryWithItsGoverningColumnAndUncheckedCount) {
  BuildingCheck check;
  check.columns = {Column(0, false, 0),  Column(0, true, 0.7), Column(1, false, 0),
                   Column(2, true, 0.4), Column(1, false, 0),  Column(2, true, 0.9)};
  const std::vector<StoryRow> rows = StoryRows(check);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].story, 0);
  EXPECT_EQ(rows[0].entry, 1);
  EXPECT_EQ(rows[0].columns, 2);
  EXPECT_EQ(rows[0].unchecked, 1);
  EXPECT_EQ(rows[1].story, 1);
  EXPECT_EQ(rows[1].entry, 2);  // its first column, to list its rows
  EXPECT_EQ(rows[1].unchecked, 2);
  EXPECT_FALSE(rows[1].Checked());
  EXPECT_EQ(rows[2].entry, 5);
  EXPECT_EQ(rows[2].unchecked, 0);
  // The reports' list of governing columns keeps the checked stories only.
  EXPECT_EQ(GoverningPerStory(check), (std::vector<int>{1, 5}));
}

}  // namespace
}  // namespace kuma

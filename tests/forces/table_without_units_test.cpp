// An ETABS table without a units line: read in the units the import page
// assumes, and the automatic reading mode naming the mode that reads a
// table whose first line names its fields.
#include <gtest/gtest.h>

#include "../error_of.h"
#include "forces/forces.h"

namespace kuma {
namespace {

const char* kNames = "Story,Column,Output Case,Case Type,Station,P,V2,V3,T,M2,M3";
const char* kUnits = ",,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft";
const char* kRow = "S1,C1,D,Combination,0,-2,1,1,1,4,3";

TEST(TableWithoutUnits, ReadInTheAssumedUnits) {
  constexpr double kKip = 4.4482216152605, kFt = 0.3048;
  MapForm form;
  form.SetItemIndex("ComboBox10", 2);  // by field names
  ForceTable table;
  ImportForceLines(form, table, {kNames, kRow});  // kN and m unless told
  EXPECT_DOUBLE_EQ(table.records[1].P, 2);
  EXPECT_DOUBLE_EQ(table.records[1].Mx, 3);
  EXPECT_NE(form.Text("Label125").find("按 kN、kN·m 读取"), std::string::npos);

  form.SetItemIndex("ComboBox30", 4);  // kip
  form.SetItemIndex("ComboBox31", 4);  // ft
  ImportForceLines(form, table, {kNames, kRow});
  EXPECT_NEAR(table.records[1].P, 2 * kKip, 1e-12);
  EXPECT_NEAR(table.records[1].Mx, 3 * kKip * kFt, 1e-12);
  EXPECT_NEAR(table.records[1].My, 4 * kKip * kFt, 1e-12);
  EXPECT_NE(form.Text("Label125").find("按 kip、kip·ft 读取"), std::string::npos);
  // A units line still rules.
  ImportForceLines(form, table, {kNames, kUnits, kRow});
  EXPECT_NEAR(table.records[1].Mx, 3 * kKip * kFt, 1e-12);
  form.SetItemIndex("ComboBox30", 0);
  form.SetItemIndex("ComboBox31", 1);  // mm: a units line of kip-ft is not read as kN·mm
  ImportForceLines(form, table, {kNames, kUnits, kRow});
  EXPECT_NEAR(table.records[1].Mx, 3 * kKip * kFt, 1e-12);
}

TEST(TableWithoutUnits, AutomaticModeNamesTheModeThatReadsNamedFields) {
  MapForm form;  // automatic: without a title line, by field numbers
  ForceTable table;
  const std::string message =
      test::ErrorOf([&] { ImportForceLines(form, table, {kNames, kUnits, kRow}); }, "no error");
  EXPECT_NE(message.find("按字段名读取"), std::string::npos) << message;
  EXPECT_EQ(table.Count, 0);
}

}  // namespace
}  // namespace kuma

// ETABS table exports: the title, names and units lines, fields found by
// name in the layouts of different versions, unit conversion, the sign of
// P, the filters, the row labels and the all-or-nothing rule.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "../error_of.h"
#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"

namespace kuma {
namespace {

const char* kTitle = "TABLE:  Element Forces - Columns,,,,,,,,,,,,,,,,,";
// ETABS 19: 18 fields, P, M2, M3 are fields 10, 14 and 15.
const char* kNames19 =
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Step Number,Step Label,Station,P,V2,"
    "V3,T,M2,M3,Element,Elem Station,Location";
const char* kUnits19 = ",,,,,,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft,,ft,";
// ETABS 22: 16 fields (no Step Number, Step Label): P, M2, M3 are 8, 12, 13.
const char* kNames22 =
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,V2,V3,T,M2,M3,Element,"
    "Elem Station,Location";

// One data row of the ETABS 19 layout.
std::string Row19(const std::string& story, const std::string& column, const std::string& output,
                  const std::string& caseType, const std::string& step, const std::string& station,
                  const std::string& P, const std::string& M2, const std::string& M3) {
  return story + "," + column + ",91," + output + "," + caseType + "," + step + ",,," + station +
         "," + P + ",-0.882,-0.235,0.0002," + M2 + "," + M3 + ",91," + station + ",";
}

// A small table with every kind of row a real export holds: a load case,
// two modal rows, a combination at two stations, an envelope Max/Min pair.
std::vector<std::string> Table19(const char* units = kUnits19) {
  return {kTitle,
          kNames19,
          units,
          Row19("Story4", "C1", "Dead", "LinStatic", "", "0", "-17.678", "-1.1079", "-4.0642"),
          Row19("Story4", "C1", "Modal", "LinModEigen", "Mode", "0", "0.5", "3.1", "2.2"),
          Row19("Story4", "C1", "Modal", "LinModEigen", "Mode", "0", "0.7", "3.3", "2.4"),
          Row19("Story4", "C1", "D+L", "Combination", "", "0", "-22.178", "-1.4071", "-5.134"),
          Row19("Story 3", "C2", "D+L", "Combination", "", "5.0042", "10", "2", "3E-01"),
          Row19("Story 3", "C2", "-ENV1.5", "Combination", "Max", "0", "-5", "1", "2"),
          Row19("Story 3", "C2", "-ENV1.5", "Combination", "Min", "0", "-50", "-1", "-2")};
}

constexpr double kKip = 4.4482216152605;
constexpr double kKipFt = 4.4482216152605 * 0.3048;

std::string Caught(const std::function<void()>& action) {
  return test::ErrorOf(action, "no error");
}

TEST(EtabsTable, FindsFieldsByNameConvertsUnitsAndFlipsP) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, Table19());
  // Only combinations: the load case and the modal rows are dropped.
  ASSERT_EQ(table.Count, 4);
  ASSERT_EQ(table.records.size(), 5u);
  ASSERT_EQ(table.labels.size(), 5u);
  EXPECT_EQ(table.rowsRead, 7);
  EXPECT_NEAR(table.records[1].P, 22.178 * kKip, 1e-12);      // tension positive -> compression
  EXPECT_NEAR(table.records[1].Mx, -5.134 * kKipFt, 1e-12);   // Mx = M3
  EXPECT_NEAR(table.records[1].My, -1.4071 * kKipFt, 1e-12);  // My = M2
  EXPECT_NEAR(table.records[2].P, -10 * kKip, 1e-12);
  EXPECT_NEAR(table.records[2].Mx, 0.3 * kKipFt, 1e-12);
  EXPECT_EQ(table.cP, 10);
  EXPECT_EQ(table.cMx, 15);
  EXPECT_EQ(table.cMy, 14);
  EXPECT_EQ(table.labels[0], "");
  EXPECT_EQ(table.labels[1], "Story4 / C1 / D+L / 0 ft");
  EXPECT_EQ(table.labels[2], "Story 3 / C2 / D+L / 5.0042 ft");
  // An envelope gives two rows, each named by its step.
  EXPECT_EQ(table.labels[3], "Story 3 / C2 / -ENV1.5 / Max / 0 ft");
  EXPECT_EQ(table.labels[4], "Story 3 / C2 / -ENV1.5 / Min / 0 ft");
  EXPECT_NEAR(table.records[4].P, 50 * kKip, 1e-12);
  EXPECT_EQ(form.Text("Label66"), "导入内力组合的总数量 = 4 (共读取 7 行数据)");
  EXPECT_NE(form.Text("Label125").find("Element Forces - Columns"), std::string::npos);
  EXPECT_EQ(table.stories, (std::vector<std::string>{"Story4", "Story 3"}));
  EXPECT_EQ(table.columns, (std::vector<std::string>{"C1", "C2"}));

  // The grid: the label first, then every field of the kept rows, units in
  // the header.
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 5);
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "组合名称");
  EXPECT_EQ(form.GridCell("StringGrid1", 10, 0), "P [kip]");
  EXPECT_EQ(form.GridCell("StringGrid1", 15, 0), "M3 [kip-ft]");
  EXPECT_EQ(form.GridCell("StringGrid1", 18, 0), "Location");
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 3), table.labels[3]);
  EXPECT_EQ(form.GridCell("StringGrid1", 10, 1), "-22.178");

  // The statistics name their combinations.
  EXPECT_EQ(form.GridCell("StringGrid2", 0, 1), "N,max");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 0), "label");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 1), "Story 3 / C2 / -ENV1.5 / Min / 0 ft");
  EXPECT_EQ(form.GridCell("StringGrid2", 4, 2), "Story 3 / C2 / D+L / 5.0042 ft");
}

TEST(EtabsTable, Etabs22LayoutGivesTheSameForcesFromOtherFieldNumbers) {
  MapForm form;
  ForceTable table;
  ImportForceLines(
      form, table,
      {"TABLE:  Element Forces - Columns", kNames22, ",,,,,,m,kN,kN,kN,kN-m,kN-m,kN-m,,m,",
       "Story1,C1,12,DCON1,Combination,,0,-1200,1,2,3,45.5,-350,12,0,Bottom"});
  ASSERT_EQ(table.Count, 1);
  EXPECT_EQ(table.cP, 8);
  EXPECT_EQ(table.cMx, 13);
  EXPECT_EQ(table.cMy, 12);
  EXPECT_DOUBLE_EQ(table.records[1].P, 1200);
  EXPECT_DOUBLE_EQ(table.records[1].Mx, -350);
  EXPECT_DOUBLE_EQ(table.records[1].My, 45.5);
  EXPECT_EQ(table.labels[1], "Story1 / C1 / DCON1 / 0 m");
}

TEST(EtabsTable, HeadLinesInEveryOrder) {
  const std::string data = Row19("S1", "C1", "D", "Combination", "", "0", "-2", "1", "3");
  const std::vector<std::vector<std::string>> files = {
      {kTitle, kNames19, kUnits19, data},  // as ETABS 19 and 22 write them
      {kTitle, kUnits19, kNames19, data},  // units before names
      {kNames19, kUnits19, data},          // no title (read by names on request)
  };
  for (const auto& lines : files) {
    MapForm form;
    form.SetItemIndex("ComboBox10", 2);
    ForceTable table;
    ImportForceLines(form, table, lines);
    ASSERT_EQ(table.Count, 1) << lines[1];
    EXPECT_NEAR(table.records[1].P, 2 * kKip, 1e-12) << lines[1];
    EXPECT_NEAR(table.records[1].Mx, 3 * kKipFt, 1e-12) << lines[1];
  }
  // Without a units line the numbers are taken as kN and kN·m, and the
  // caption says so.
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {kTitle, kNames19, data});
  EXPECT_DOUBLE_EQ(table.records[1].P, 2);
  EXPECT_NE(form.Text("Label125").find("没有单位行"), std::string::npos);
}

TEST(EtabsTable, EveryUnitAgainstHandValues) {
  struct Case {
    const char *force, *moment;
    double forceFactor, momentFactor;
  };
  const Case cases[] = {
      {"N", "N-mm", 0.001, 1e-6},
      {"kN", "kN-m", 1, 1},
      {"kN", "kN-mm", 1, 0.001},
      {"kgf", "kgf-cm", 0.00980665, 0.00980665 * 0.01},
      {"tonf", "tonf-m", 9.80665, 9.80665},
      {"kip", "kip-in", 4.4482216152605, 4.4482216152605 * 0.0254},
      {"kip", "kip-ft", 4.4482216152605, 4.4482216152605 * 0.3048},
      {"lb", "lb-in", 0.0044482216152605, 0.0044482216152605 * 0.0254},
      {"lb", "lb-ft", 0.0044482216152605, 0.0044482216152605 * 0.3048},
  };
  for (const Case& c : cases) {
    MapForm form;
    ForceTable table;
    const std::string units =
        std::string(",,,,,,m,") + c.force + ",,,," + c.moment + "," + c.moment + ",,,";
    ImportForceLines(form, table,
                     {"TABLE:  Element Forces - Columns", kNames22, units,
                      "S1,C1,1,D,Combination,,0,-1000,0,0,0,200,-300,1,0,"});
    ASSERT_EQ(table.Count, 1) << c.force;
    EXPECT_NEAR(table.records[1].P, 1000 * c.forceFactor, 1e-12 * 1000 * c.forceFactor) << c.force;
    EXPECT_NEAR(table.records[1].Mx, -300 * c.momentFactor, 1e-12 * 300 * c.momentFactor)
        << c.moment;
    EXPECT_NEAR(table.records[1].My, 200 * c.momentFactor, 1e-12 * 200 * c.momentFactor)
        << c.moment;
  }
}

TEST(EtabsTable, UnknownUnitIsRefusedByNameAndFieldChangingNothing) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, Table19());
  const ForceTable before = table;
  const std::string caption = form.Text("Label66");
  std::string units = kUnits19;
  units.replace(units.find("kip-ft,kip-ft,kip-ft"), 20, "kip-ft,kip-yd,kip-ft");
  EXPECT_EQ(Caught([&] { ImportForceLines(form, table, Table19(units.c_str())); }),
            "第 3 行第 14 列 (M2): 不认识的单位 'kip-yd'; 未导入任何内力。");
  EXPECT_EQ(table.Count, before.Count);
  EXPECT_EQ(table.labels, before.labels);
  EXPECT_EQ(form.Text("Label66"), caption);
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 5);
}

TEST(EtabsTable, BadNumberNamesLineAndFieldAndKeepsThePreviousTable) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table,
                   {"Story,Column,Load,Loc,P,V2,V3,T,M2,M3", "S1,C1,DL,0,-100,1,2,3,150,-300"});
  std::vector<std::string> lines = Table19();
  lines[7] = Row19("Story 3", "C2", "D+L", "Combination", "", "5.0042", "1O", "2", "3");
  EXPECT_EQ(Caught([&] { ImportForceLines(form, table, lines); }),
            "第 8 行第 10 列 (P): '1O' 不是有效的数值");
  EXPECT_EQ(table.Count, 1);
  EXPECT_DOUBLE_EQ(table.records[1].P, 100);
  EXPECT_TRUE(table.labels.empty());
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "Story");
  EXPECT_EQ(form.Text("Label66"), "导入内力组合的总数量 = 1");
}

TEST(EtabsTable, MissingMomentFieldIsNamed) {
  MapForm form;
  ForceTable table;
  EXPECT_EQ(Caught([&] {
              ImportForceLines(form, table,
                               {kTitle, "Story,Column,P,M2,V2", ",,kN,kN-m,kN", "S,C,1,2,3"});
            }),
            "第 2 行: 表中没有字段 'M3'; 未导入任何内力。");
  EXPECT_EQ(Caught([&] {
              ImportForceLines(form, table, {kTitle, "Story,Column", "S,C"});
            }),
            "第 2 行: 表格 \"Element Forces - Columns\" 找不到字段名行 (需要字段 P、M2 和 M3); "
            "未导入任何内力。");
}

TEST(EtabsTable, Filters) {
  struct Case {
    int cases;
    const char *stories, *columns;
    int count;
  };
  const Case cases[] = {
      {0, "", "", 4},          // combinations only (the default)
      {1, "", "", 5},          // every case but the modal rows
      {0, "Story 3", "", 3},   // one story (with a blank in its name)
      {0, "", "C1", 1},        // one column
      {1, "Story4", "C1", 2},  // a story and a column
      {0, " Story4 , Story 3 ", "", 4},
  };
  for (const Case& c : cases) {
    MapForm form;
    form.SetItemIndex("ComboBox11", c.cases);
    form.SetText("Edit75", c.stories);
    form.SetText("Edit76", c.columns);
    ForceTable table;
    ImportForceLines(form, table, Table19());
    EXPECT_EQ(table.Count, c.count) << c.cases << " '" << c.stories << "' '" << c.columns << "'";
    EXPECT_EQ(table.rowsRead, 7);
    for (const std::string& label : table.labels) EXPECT_EQ(label.find("Modal"), std::string::npos);
  }
  // A name the file does not hold is a mistake, not an empty selection.
  MapForm form;
  form.SetText("Edit75", "Story4, Story9");
  ForceTable table;
  EXPECT_EQ(Caught([&] { ImportForceLines(form, table, Table19()); }),
            "楼层 'Story9' 不在文件中; 未导入任何内力。");
  EXPECT_EQ(table.Count, 0);
}

TEST(EtabsTable, SwappedMoments) {
  MapForm form;
  form.SetItemIndex("ComboBox12", 1);
  ForceTable table;
  ImportForceLines(form, table, Table19());
  EXPECT_NEAR(table.records[1].Mx, -1.4071 * kKipFt, 1e-12);  // M2
  EXPECT_NEAR(table.records[1].My, -5.134 * kKipFt, 1e-12);   // M3
  EXPECT_EQ(table.cMx, 14);
}

TEST(EtabsTable, ReadingModeByFieldNumbersReadsATableAsBefore) {
  MapForm form;
  form.SetItemIndex("ComboBox10", 1);
  ForceTable table;
  EXPECT_EQ(Caught([&] { ImportForceLines(form, table, Table19()); }),
            "第 2 行第 5 列: 'Case Type' 不是有效的数值");
  // Automatic reads a file without a title line by field numbers, exactly
  // as the by-numbers mode does.
  const std::vector<std::string> old = {"Story,Column,Load,Loc,P,V2,V3,T,M2,M3",
                                        "S1,C1,DL,0,-1200,1,2,3,150,-300"};
  ForceTable automatic, numbered;
  MapForm automaticForm;
  ImportForceLines(automaticForm, automatic, old);
  ImportForceLines(form, numbered, old);
  EXPECT_DOUBLE_EQ(automatic.records[1].P, 1200);
  EXPECT_DOUBLE_EQ(automatic.records[1].Mx, -300);
  EXPECT_DOUBLE_EQ(automatic.records[1].My, 150);
  EXPECT_EQ(automatic.records[1].P, numbered.records[1].P);
  EXPECT_TRUE(automatic.labels.empty());
  EXPECT_EQ(automaticForm.Text("Label66"), "导入内力组合的总数量 = 1");
  EXPECT_EQ(automaticForm.GridCell("StringGrid2", 4, 1), "组合 1");
}

std::string Joined(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

std::string Utf16(const std::string& utf8, bool bigEndian, bool mark) {
  std::string out = mark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
  for (unsigned char c : utf8) {  // ASCII only
    out += bigEndian ? std::string{'\0', static_cast<char>(c)}
                     : std::string{static_cast<char>(c), '\0'};
  }
  return out;
}

TEST(EtabsTable, EncodingsGiveTheSameTable) {
  std::vector<std::string> lines = Table19();
  lines[3] = Row19("楼层4", "C1", "D+L", "Combination", "", "0", "-1", "2", "3");
  const std::string utf8 = Joined(lines, "\r\n");
  const std::string ascii = Joined(Table19(), "\r\n");
  struct File {
    std::string name, bytes;
    int count;  // the first row is a combination in the Chinese variant
  };
  const File files[] = {
      {"GBK", Utf8ToGbk(utf8), 5},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, 5},
      {"UTF-16LE with BOM", Utf16(ascii, false, true), 4},
      {"UTF-16BE with BOM", Utf16(ascii, true, true), 4},
      {"UTF-16LE without BOM", Utf16(ascii, false, false), 4},
  };
  for (const File& file : files) {
    MapForm form;
    ForceTable table;
    ImportForceBytes(form, table, file.bytes, file.name);
    EXPECT_EQ(table.Count, file.count) << file.name;
    EXPECT_EQ(table.fileName, file.name);
    EXPECT_NEAR(table.records.back().P, 50 * kKip, 1e-12) << file.name;
  }
  MapForm form;
  ForceTable table;
  ImportForceBytes(form, table, Utf8ToGbk(utf8), "gbk");
  EXPECT_EQ(table.labels[1], "楼层4 / C1 / D+L / 0 ft");
  EXPECT_EQ(
      Caught([&] { ImportForceBytes(form, table, std::string("\xFF\xFE\0\0T\0\0\0", 8), "x"); }),
      "文件是 UTF-32 编码的, 不能读取; 请另存为 UTF-8、UTF-16 或 GBK 编码。");
  EXPECT_EQ(Caught([&] { ImportForceBytes(form, table, std::string("a,\0\0\0b", 7), "x"); }),
            "文件含有零字节, 不是文本文件 (或是未知的编码); 未导入任何内力。");
}

// The real export of a four-storey model (ETABS 19, kip and kip-ft), when
// the shared data folder is there.
TEST(EtabsTable, RealExport) {
  const std::string path =
      std::string(KUMA_REFERENCE_DIR) + "/../data/etabs/etabs19_element_forces_columns_kip-ft.csv";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << path;
  MapForm form;
  ForceTable table;
  ImportForces(form, table, path);
  EXPECT_EQ(table.rowsRead, 3072);
  EXPECT_EQ(table.Count, 384);
  EXPECT_EQ(table.stories.size(), 4u);
  EXPECT_EQ(table.columns.size(), 16u);
  // First combination row: Story4, C1, D at station 0: P = -17.678 kip.
  EXPECT_EQ(table.labels[1], "Story4 / C1 / D / 0 ft");
  EXPECT_NEAR(table.records[1].P, 17.678 * kKip, 1e-9);
  EXPECT_NEAR(table.records[1].Mx, -4.0642 * kKipFt, 1e-9);
  EXPECT_NEAR(table.records[1].My, -1.1079 * kKipFt, 1e-9);
  form.SetItemIndex("ComboBox11", 1);
  ImportForces(form, table, path);
  EXPECT_EQ(table.Count, 768);
}

}  // namespace
}  // namespace kuma

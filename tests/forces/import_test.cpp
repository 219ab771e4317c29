// The force import from lines and from files: grid, table, caption, and what
// is left behind by every kind of failure.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"

namespace kuma {
namespace {

namespace fs = std::filesystem;

// A file in the temporary directory holding the given bytes, removed after
// the test.
class TempFile {
 public:
  explicit TempFile(const std::string& bytes) {
    path_ = (fs::temp_directory_path() / ("kuma_forces_" + std::to_string(::getpid()) + "_" +
                                          std::to_string(counter_++) + ".csv"))
                .string();
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

const char* kHeader = "Story,Column,Load,Loc,P,V2,V3,T,M2,M3,Extra";

std::string ThreeCombinations(const char* lineEnd) {
  return std::string(kHeader) + lineEnd + "S1,C1,DCON1,0,-1200,1,2,3,45.5,-350,x" + lineEnd +
         "S1,C1,DCON2,0,300.25,1,2,3,-12,300,y" + lineEnd + "S1,C1,DCON3,0,-800,1,2,3,7,8,z" +
         lineEnd;
}

TEST(ImportForces, ThreeCombinationsFillGridTableAndCaption) {
  MapForm form;
  ForceTable table;
  TempFile file(ThreeCombinations("\r\n"));
  ImportForces(form, table, file.path());

  EXPECT_EQ(table.Count, 3);
  ASSERT_EQ(table.records.size(), 4u);
  EXPECT_EQ(table.fileName, file.path());
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 4);
  EXPECT_EQ(form.Text("Label66"), "导入内力组合的总数量 = 3");

  // Grid: every field of every line, header included (the 11th too).
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "Story");
  EXPECT_EQ(form.GridCell("StringGrid1", 9, 0), "M3");
  EXPECT_EQ(form.GridCell("StringGrid1", 4, 1), "-1200");
  EXPECT_EQ(form.GridCell("StringGrid1", 9, 3), "8");
  EXPECT_EQ(form.GridCell("StringGrid1", 10, 1), "x");
  EXPECT_EQ(form.GridCell("StringGrid1", 11, 1), "");

  // Record 0 stands for the header; P changes sign; fields 5, 10, 9.
  EXPECT_EQ(table.records[0].P, 0.0);
  EXPECT_DOUBLE_EQ(table.records[1].P, 1200);
  EXPECT_DOUBLE_EQ(table.records[1].Mx, -350);
  EXPECT_DOUBLE_EQ(table.records[1].My, 45.5);
  EXPECT_DOUBLE_EQ(table.records[2].P, -300.25);
  EXPECT_DOUBLE_EQ(table.records[3].P, 800);

  // The statistics ran.
  EXPECT_EQ(form.GridCell("StringGrid2", 0, 1), "N,max");
  EXPECT_EQ(form.GridCell("StringGrid2", 1, 1), "1200");
}

TEST(ImportForces, ReadsFactorsAndFieldNumbersFromTheForm) {
  MapForm form;
  form.SetText("Edit54", "10");
  form.SetText("Edit55", "9");
  form.SetText("Edit56", "5");
  form.SetText("Edit57", "1.5");
  form.SetText("Edit58", "2");
  form.SetText("Edit59", "0.5");
  ForceTable table;
  ImportForceLines(form, table, {kHeader, "S1,C1,D,0,-1200,1,2,3,45.5,-350"});
  EXPECT_EQ(table.cP, 10);
  EXPECT_DOUBLE_EQ(table.fP, 1.5);
  EXPECT_DOUBLE_EQ(table.fMx, 2);
  EXPECT_DOUBLE_EQ(table.fMy, 0.5);
  EXPECT_DOUBLE_EQ(table.records[1].P, 350);
  EXPECT_DOUBLE_EQ(table.records[1].Mx, 45.5);
  EXPECT_DOUBLE_EQ(table.records[1].My, -1200);
}

TEST(ImportForces, LineEndsOfEveryKindGiveTheSameTable) {
  for (const char* end : {"\n", "\r", "\r\n"}) {
    MapForm form;
    ForceTable table;
    TempFile file(ThreeCombinations(end));
    ImportForces(form, table, file.path());
    EXPECT_EQ(table.Count, 3) << "line end " << int(end[0]);
    EXPECT_DOUBLE_EQ(table.records[3].P, 800);
  }
}

TEST(ImportForces, GbkFileWithChineseHeader) {
  MapForm form;
  ForceTable table;
  TempFile file(Utf8ToGbk("楼层,柱,组合,位置,轴力P\r\n1F,C1,基本组合,0,-1200\r\n"));
  form.SetText("Edit55", "5");
  form.SetText("Edit56", "5");
  ImportForces(form, table, file.path());
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "楼层");
  EXPECT_EQ(form.GridCell("StringGrid1", 4, 0), "轴力P");
  EXPECT_EQ(form.GridCell("StringGrid1", 2, 1), "基本组合");
  EXPECT_DOUBLE_EQ(table.records[1].P, 1200);
}

TEST(ImportForces, Utf8FileWithByteOrderMark) {
  MapForm form;
  ForceTable table;
  TempFile file(
      "\xEF\xBB\xBF"
      "楼层,Column,Load,Loc,P,V2,V3,T,M2,M3\n1F,C1,D,0,-5,0,0,0,1,2\n");
  ImportForces(form, table, file.path());
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "楼层");
  EXPECT_EQ(table.Count, 1);
  EXPECT_DOUBLE_EQ(table.records[1].P, 5);
}

// A failing field names its line and field, and nothing of the new file
// reaches the table, the grids or the captions.
TEST(ImportForces, FailingFieldStopsAtItsLine) {
  MapForm form;
  ForceTable table;
  form.SetText("Label66", "before");
  std::vector<std::string> lines = {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2",
                                    "S1,C1,D2,0,abc,0,0,0,1,2", "S1,C1,D3,0,-300,0,0,0,1,2"};
  try {
    ImportForceLines(form, table, lines);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "第 3 行第 5 列: 'abc' 不是有效的数值");
  }
  EXPECT_EQ(table.Count, 0);
  EXPECT_TRUE(table.records.empty());
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 0);
  EXPECT_EQ(form.Text("Label66"), "before");
  EXPECT_EQ(form.GridRowCount("StringGrid2"), 0);  // statistics not run
}

TEST(ImportForces, ShortLineOrFieldNumberOutsideTheLineFailsConversion) {
  for (const char* number : {"41", "0", "-3", "12"}) {
    MapForm form;
    ForceTable table;
    form.SetText("Edit55", number);
    try {
      ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2"});
      FAIL() << "field " << number;
    } catch (const Error& e) {
      EXPECT_EQ(e.what(), "第 2 行第 " + std::string(number) + " 列: 未输入数值");
    }
  }
}

TEST(ImportForces, BlankLineAfterTheDataIsACombinationThatFails) {
  MapForm form;
  ForceTable table;
  EXPECT_THROW(ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2", ""}), Error);
  EXPECT_EQ(table.Count, 0);  // the table is left as it was
}

TEST(ImportForces, HeaderOnlyGivesNoCombinations) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2"});
  ASSERT_EQ(form.GridCell("StringGrid2", 1, 1), "100");

  TempFile file(std::string(kHeader) + "\r\n");
  ImportForces(form, table, file.path());
  EXPECT_EQ(table.Count, 0);
  EXPECT_EQ(table.records.size(), 1u);
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 1);
  EXPECT_EQ(form.GridCell("StringGrid1", 0, 0), "Story");
  EXPECT_EQ(form.Text("Label66"), "导入内力组合的总数量 = 0");
  EXPECT_EQ(form.GridCell("StringGrid2", 0, 0), "Case");
  for (int row = 1; row <= 4; ++row) {
    for (int col = 0; col < 4; ++col) EXPECT_EQ(form.GridCell("StringGrid2", col, row), "");
  }
}

// An empty file holds no forces at all: refused by name, the old forces,
// grid and captions kept (it used to erase them).
TEST(ImportForces, EmptyFileIsRefusedAndChangesNothing) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2"});
  const std::string caption = form.Text("Label66");
  for (const std::string bytes : {"", "\xEF\xBB\xBF"}) {
    TempFile file(bytes);
    try {
      ImportForces(form, table, file.path());
      ADD_FAILURE() << "an empty file was imported";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "文件为空: \"" + file.path() + "\" 没有任何内容; 未导入任何内力。");
    }
    EXPECT_EQ(table.Count, 1);
    EXPECT_EQ(table.records[1].P, 100);
    EXPECT_EQ(form.GridRowCount("StringGrid1"), 2);
    EXPECT_EQ(form.Text("Label66"), caption);
  }
}

TEST(ImportForces, FileThatCannotBeOpenedChangesNothing) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2"});
  form.SetText("Edit57", "3");
  const std::string missing = (fs::temp_directory_path() / "kuma_no_such_dir" / "f.csv").string();
  for (const std::string& path : {missing, fs::temp_directory_path().string()}) {
    try {
      ImportForces(form, table, path);
      FAIL() << path;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + path + "\". ", 0), 0u) << e.what();
    }
    EXPECT_EQ(table.Count, 1);
    EXPECT_DOUBLE_EQ(table.records[1].P, 100);
    EXPECT_DOUBLE_EQ(table.fP, 1);
    EXPECT_EQ(table.fileName, "");
    EXPECT_EQ(form.GridRowCount("StringGrid1"), 2);
  }
}

TEST(ImportForces, BadFieldNumberStopsBeforeTheFileIsRead) {
  MapForm form;
  ForceTable table;
  form.SetText("Edit56", "9.5");
  TempFile file(ThreeCombinations("\n"));
  try {
    ImportForces(form, table, file.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "弯矩MY 读取列数: '9.5' 不是整数");
  }
  EXPECT_EQ(table.Count, 0);
  EXPECT_EQ(form.GridRowCount("StringGrid1"), 0);
}

TEST(ReadForceFactors, TakesTheThreeFactorsOnly) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {kHeader, "S1,C1,D1,0,-100,0,0,0,1,2"});
  form.SetText("Edit57", "2.5");
  form.SetText("Edit54", "6");
  ReadForceFactors(form, table);
  EXPECT_DOUBLE_EQ(table.fP, 2.5);
  EXPECT_EQ(table.cP, 5);
  EXPECT_DOUBLE_EQ(table.records[1].P, 100);
}

}  // namespace
}  // namespace kuma

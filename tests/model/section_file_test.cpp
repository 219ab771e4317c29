// Section files: a save followed by an open gives the same form, state and
// results; damaged, truncated, foreign and newer files are refused before
// the form is touched; a failed save keeps the old file.

#include "model/section_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../test_files.h"
#include "app/commands.h"
#include "app/section_commands.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/section_kind.h"

namespace {

namespace fs = std::filesystem;
using kuma::AppState;
using kuma::MapForm;

using kuma::test::ReadFile;

// Every box and list of the form, as one comparable text.
std::string FormDump(const MapForm& form) {
  std::string dump;
  for (const kuma::ControlText& c : kuma::InitialTexts())
    dump += std::string(c.name) + "=" + form.Text(c.name) + "\n";
  for (const kuma::ListEntries& l : kuma::DropDownLists())
    dump += std::string(l.name) + "=" + std::to_string(form.ItemIndex(l.name)) + "\n";
  return dump;
}

// A force table with names, awkward values and non-default settings.
kuma::ForceTable SampleForces() {
  kuma::ForceTable t;
  t.Count = 3;
  t.records = {{}, {1200.5, -300.25, 0.1 + 0.2}, {-50, 1e-300, -4321.125}, {0, 0, 7}};
  t.labels = {"", "Story1 C1 DCon1, Max", "名称 “引号”", ""};
  t.fP = 1.2;
  t.fMx = 1.1;
  t.fMy = 0.9;
  t.cP = 7;
  t.cMx = 11;
  t.cMy = 12;
  t.fileName = "/data/柱 C1.csv";
  t.rowsRead = 12;
  t.stories = {"Story1", "Story2"};
  t.columns = {"C1"};
  return t;
}

void ExpectSameForces(const kuma::ForceTable& a, const kuma::ForceTable& b) {
  ASSERT_EQ(a.Count, b.Count);
  for (int r = 1; r <= a.Count; ++r) {
    const auto i = static_cast<std::size_t>(r);
    EXPECT_EQ(a.records[i].P, b.records[i].P) << r;  // exact: no digit may be lost
    EXPECT_EQ(a.records[i].Mx, b.records[i].Mx) << r;
    EXPECT_EQ(a.records[i].My, b.records[i].My) << r;
  }
  EXPECT_EQ(a.labels, b.labels);
  EXPECT_EQ(a.fP, b.fP);
  EXPECT_EQ(a.fMx, b.fMx);
  EXPECT_EQ(a.fMy, b.fMy);
  EXPECT_EQ(a.cP, b.cP);
  EXPECT_EQ(a.cMx, b.cMx);
  EXPECT_EQ(a.cMy, b.cMy);
  EXPECT_EQ(a.fileName, b.fileName);
  EXPECT_EQ(a.rowsRead, b.rowsRead);
  EXPECT_EQ(a.stories, b.stories);
  EXPECT_EQ(a.columns, b.columns);
}

class SectionFileTest : public kuma::test::FolderTest {
 protected:
  SectionFileTest() : FolderTest("kuma-section-") {}
  void TearDown() override {
    kuma::SetAtomicWriteFailureForTesting(-1, 0);
    FolderTest::TearDown();
  }
  // The form and state of a saved text applied to a fresh form, as the
  // window opens a file.
  void Open(const std::string& text, MapForm& form, AppState& state, int page = 0) {
    kuma::OpenSectionCommand(state, form, kuma::ParseSectionFile(text, "x.ksec"), page);
  }
  // The message of a refused text, and a check that the form stayed as it was.
  std::string Refusal(const std::string& text) {
    MapForm form;
    AppState state;
    form.SetText("Edit1", "1234");
    state.forceTable = SampleForces();
    const std::string before = FormDump(form);
    try {
      Open(text, form, state);
    } catch (const kuma::Error& e) {
      EXPECT_EQ(FormDump(form), before);
      EXPECT_EQ(state.forceTable.Count, 3);
      return e.what();
    }
    ADD_FAILURE() << "accepted: " << text.substr(0, 200);
    return {};
  }
};

TEST_F(SectionFileTest, EverySectionKindRoundTripsToTheSameFormAndResults) {
  for (int kind = 0; kind < kuma::kSectionKindCount; ++kind) {
    SCOPED_TRACE("kind " + std::to_string(kind + 1));
    MapForm form;
    AppState state;
    form.SetItemIndex("ComboBox1", kind);
    form.SetText("Edit3", "45");
    form.SetText("Edit27", "400");
    form.SetText("Edit30", "5000");
    form.SetText("Edit33", "12");
    form.SetItemIndex("ComboBox7", 1);
    state.colours.colour[3] = kuma::Rgb{1, 2, 3};
    state.forceTable = SampleForces();
    const fs::path path = dir_ / "column.ksec";
    kuma::SaveSectionFile(path.string(), form, state);

    MapForm opened;
    AppState openedState;
    kuma::OpenSectionCommand(openedState, opened, kuma::ReadSectionFile(path.string()), 0);
    // The inputs agree box by box (the statistics are results, written anew).
    for (const kuma::ControlText& c : kuma::InitialTexts()) {
      if (!kuma::IsOutputBox(c.name)) {
        EXPECT_EQ(opened.Text(c.name), form.Text(c.name)) << c.name;
      }
    }
    for (const kuma::ListEntries& l : kuma::DropDownLists())
      EXPECT_EQ(opened.ItemIndex(l.name), form.ItemIndex(l.name)) << l.name;
    EXPECT_EQ(openedState.colours.colour[3], (kuma::Rgb{1, 2, 3}));
    ExpectSameForces(openedState.forceTable, state.forceTable);
    EXPECT_EQ(kuma::SectionFileText(opened, openedState), ReadFile(path));

    // The same results, to the last bit.
    kuma::PmCommand(state, form);
    kuma::MmCommand(state, form);
    kuma::PmCommand(openedState, opened);
    kuma::MmCommand(openedState, opened);
    EXPECT_EQ(openedState.fibers.size(), state.fibers.size());
    EXPECT_EQ(openedState.PmCurveX.P, state.PmCurveX.P);
    EXPECT_EQ(openedState.PmCurveY.M, state.PmCurveY.M);
    EXPECT_EQ(openedState.mmCurve.Mx, state.mmCurve.Mx);
    EXPECT_EQ(openedState.CompressionCapacity, state.CompressionCapacity);
  }
}

TEST_F(SectionFileTest, FileIsReadableJsonWithFormatAndVersionFirst) {
  MapForm form;
  AppState state;
  form.SetText("Edit85", "某工程");
  const std::string text = kuma::SectionFileText(form, state);
  EXPECT_EQ(text.rfind("{\n  \"format\": \"KumaSec section\",\n  \"version\": 2,", 0), 0u) << text;
  EXPECT_NE(text.find("\"Edit1\": \"2200\""), std::string::npos);
  EXPECT_NE(text.find("\"ComboBox2\": \"混凝土规范简化版\""), std::string::npos);
  EXPECT_NE(text.find("\"type\": 1"), std::string::npos);
  EXPECT_NE(text.find("\"edgeConcrete\": \"#FFFF00\""), std::string::npos);
  EXPECT_NE(text.find("某工程"), std::string::npos);  // UTF-8 as it is, not escaped
  EXPECT_EQ(text.find("Edit36"), std::string::npos);  // results are not saved

  // One force record per line, inside an otherwise indented document.
  state.forceTable = SampleForces();
  const std::string withForces = kuma::SectionFileText(form, state);
  EXPECT_NE(withForces.find("    \"records\": [\n      {\"label\":\"Story1 C1 DCon1, Max\","
                            "\"P\":1200.5,\"Mx\":-300.25,\"My\":0.30000000000000004},\n"),
            std::string::npos)
      << withForces;
  EXPECT_NE(withForces.find("\"My\":7.0}\n    ]\n  }\n}\n"), std::string::npos) << withForces;
}

TEST_F(SectionFileTest, OpeningRunsTheCommandOfThePageInFront) {
  MapForm form;
  AppState state;
  form.SetItemIndex("ComboBox1", 1);  // circular column
  const std::string text = kuma::SectionFileText(form, state);

  MapForm onSection;
  AppState a;
  Open(text, onSection, a, 0);
  EXPECT_EQ(onSection.Text("Edit36"), "3799400");  // 3.14·2200²/4: the statistics ran
  EXPECT_FALSE(onSection.Visible("Edit2"));        // relabelled for the circle
  EXPECT_TRUE(a.PmCurveX.P.empty());

  MapForm onPm;
  AppState b;
  Open(text, onPm, b, 3);
  EXPECT_FALSE(b.PmCurveX.P.empty());
}

TEST_F(SectionFileTest, MissingKeysKeepInitialTextsAndUnknownKeysWarn) {
  const std::string text = R"({"format": "KumaSec section", "version": 1,
    "section": {"type": 6, "shape": "new"},
    "boxes": {"Edit1": "1500", "Edit2": 1800, "Edit999": "x"},
    "lists": {"ComboBox2": "未来的本构", "ComboBox7": "Y方向PM曲线", "ComboBox99": 0},
    "future": true})";
  const kuma::SectionFile file = kuma::ParseSectionFile(text, "x.ksec");
  ASSERT_EQ(file.warnings.size(), 5u);
  EXPECT_EQ(file.warnings[0], "忽略未知的项“section.shape”");
  EXPECT_EQ(file.warnings[1], "忽略未知的输入框“Edit999”");
  EXPECT_EQ(file.warnings[4], "忽略未知的项“future”");

  MapForm form;
  AppState state;
  form.SetText("Edit3", "99");  // not in the file: back to its initial text
  kuma::OpenSectionCommand(state, form, file, 5);
  EXPECT_EQ(form.ItemIndex("ComboBox1"), 5);
  EXPECT_EQ(form.Text("Edit1"), "1500");
  EXPECT_EQ(form.Text("Edit2"), "1800");  // a number written by hand, taken as typed
  EXPECT_EQ(form.Text("Edit3"), "40");
  EXPECT_EQ(form.ItemIndex("ComboBox2"), 0);
  EXPECT_EQ(form.ItemIndex("ComboBox7"), 1);
}

TEST_F(SectionFileTest, BadNumbersAreReportedAsIfTyped) {
  MapForm form;
  AppState state;
  form.SetText("Edit1", "22OO");
  const std::string text = kuma::SectionFileText(form, state);
  MapForm opened;
  AppState openedState;
  try {
    Open(text, opened, openedState, 0);
    FAIL() << "no error";
  } catch (const kuma::Error& e) {
    EXPECT_STREQ(e.what(), "截面宽度B: '22OO' 不是有效的数值");
  }
  EXPECT_EQ(opened.Text("Edit1"), "22OO");  // the section is open all the same
}

TEST_F(SectionFileTest, RefusesTruncatedDamagedForeignAndNewerFiles) {
  MapForm form;
  AppState state;
  state.forceTable = SampleForces();
  const std::string good = kuma::SectionFileText(form, state);

  EXPECT_NE(Refusal(good.substr(0, good.size() / 2)).find("不完整"), std::string::npos);
  EXPECT_NE(Refusal("").find("是空文件"), std::string::npos);
  EXPECT_NE(Refusal("  \n").find("不完整"), std::string::npos);
  std::string broken = good;
  broken.replace(broken.find("\"Edit5\""), 7, "\"Edit5\" 12");
  EXPECT_NE(Refusal(broken).find("已损坏：第"), std::string::npos);
  std::string wrongType = good;
  wrongType.replace(wrongType.find("\"2200\""), 6, "[1]");
  EXPECT_NE(Refusal(wrongType).find("“boxes.Edit1”应为文本"), std::string::npos);
  std::string badCount = good;
  badCount.replace(badCount.find("\"count\": 3"), 10, "\"count\": 4");
  EXPECT_NE(Refusal(badCount).find("与记录的条数（3）不符"), std::string::npos);
  std::string badColour = good;
  badColour.replace(badColour.find("#FFFF00"), 7, "yellow!");
  EXPECT_NE(Refusal(badColour).find("colours.edgeConcrete"), std::string::npos);
  std::string badKind = good;
  badKind.replace(badKind.find("\"type\": 1"), 9, "\"type\": 9");
  EXPECT_NE(Refusal(badKind).find("截面类型“9”不存在"), std::string::npos);

  EXPECT_NE(Refusal("P,Mx,My\n1,2,3\n").find("不是KumaSec截面文件（不是JSON文档）"),
            std::string::npos);
  EXPECT_NE(Refusal("{\"name\": \"a chart\"}").find("缺少格式标记"), std::string::npos);
  std::string newer = good;
  newer.replace(newer.find("\"version\": 2"), 12, "\"version\": 3");
  EXPECT_NE(Refusal(newer).find("较新版本的程序保存（格式版本 3）"), std::string::npos);
}

TEST_F(SectionFileTest, FailedSaveKeepsTheOldFile) {
  MapForm form;
  AppState state;
  const fs::path path = dir_ / "column.ksec";
  kuma::SaveSectionFile(path.string(), form, state);
  const std::string old = ReadFile(path);
  form.SetText("Edit1", "3000");
  kuma::SetAtomicWriteFailureForTesting(100, ENOSPC);
  try {
    kuma::SaveSectionFile(path.string(), form, state);
    FAIL() << "no error";
  } catch (const kuma::Error& e) {
    EXPECT_NE(std::string(e.what()).find(std::strerror(ENOSPC)), std::string::npos);
  }
  EXPECT_EQ(ReadFile(path), old);
  EXPECT_THROW(kuma::ReadSectionFile((dir_ / "missing.ksec").string()), kuma::Error);
}

TEST_F(SectionFileTest, SameForcesSeesEveryPartASaveWrites) {
  const kuma::ForceTable base = SampleForces();
  EXPECT_TRUE(kuma::SameForces(base, SampleForces()));
  auto differs = [&base](void (*change)(kuma::ForceTable&)) {
    kuma::ForceTable t = SampleForces();
    change(t);
    EXPECT_NE(kuma::SectionFileText(MapForm(), kuma::MaterialColours(), t),
              kuma::SectionFileText(MapForm(), kuma::MaterialColours(), base));
    return !kuma::SameForces(t, base);
  };
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.records[3].My = 7.0000001; }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.labels[2] = "x"; }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.fMy = 1; }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.cP = 5; }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.fileName = "b.csv"; }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) { t.stories.pop_back(); }));
  EXPECT_TRUE(differs([](kuma::ForceTable& t) {
    t.Count = 2;
    t.records.pop_back();
    t.labels.pop_back();
  }));
}

TEST_F(SectionFileTest, RestoredForcesShowOnTheImportPageAndNewSectionClearsThem) {
  MapForm form;
  AppState state;
  state.forceTable = SampleForces();
  state.check.governing = 2;
  const std::string text = kuma::SectionFileText(form, state);
  MapForm opened;
  AppState openedState;
  openedState.check.governing = 5;
  Open(text, opened, openedState, 5);
  // The import page in front checks the restored forces at once; nothing of
  // the old section's check is left.
  ASSERT_TRUE(openedState.check.Valid());
  EXPECT_EQ(openedState.check.ratio.size(), openedState.forceTable.records.size());
  EXPECT_EQ(opened.Text("Label66"), "导入内力组合的总数量 = 3");
  EXPECT_EQ(opened.GridRowCount("StringGrid1"), 4);
  EXPECT_EQ(opened.GridCell("StringGrid1", 0, 1), "Story1 C1 DCon1, Max");
  EXPECT_EQ(opened.GridCell("StringGrid1", 0, 3), "3");  // unnamed: its row number
  EXPECT_EQ(opened.GridCell("StringGrid1", 1, 1), "1200.50");
  EXPECT_EQ(opened.GridCell("StringGrid2", 0, 1), "N,max");
  EXPECT_EQ(opened.GridCell("StringGrid2", 1, 1), "1201");

  kuma::NewSectionCommand(openedState, opened, 5);
  EXPECT_EQ(openedState.forceTable.Count, 0);
  EXPECT_EQ(opened.Text("Label66"), "导入内力组合的总数量 = 0");
  EXPECT_EQ(opened.GridCell("StringGrid1", 0, 1), "");
  EXPECT_EQ(FormDump(opened), FormDump(MapForm()));
}

}  // namespace

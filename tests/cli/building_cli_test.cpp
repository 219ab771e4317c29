// kumasec-cli library-add, library and building: every column of an ETABS
// table checked against its own section gives the largest ratio `check`
// gives for that column's rows with that section on the form; columns whose
// section the library lacks are listed, not checked and not lost.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "forces/workbook.h"

namespace {

using namespace kuma::test;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  return out;
}

// Three sections: two rectangles and a circle, with a small surface grid.
const std::map<std::string, std::vector<std::string>> kSections = {
    {"C500X500", {"Edit1=500", "Edit2=500", "Edit6=3", "Edit8=3"}},
    {"C600X400", {"Edit1=600", "Edit2=400", "Edit6=4", "Edit8=2", "Edit7=20"}},
    {"D700", {"ComboBox1=1", "Edit1=700", "Edit6=10"}}};

std::vector<std::string> SetArgs(const std::vector<std::string>& sets) {
  std::vector<std::string> args = {"--set", "Edit70=24", "--set", "Edit71=24"};
  for (const std::string& s : sets) {
    args.push_back("--set");
    args.push_back(s);
  }
  return args;
}

class BuildingCli : public CliFolderTest {
 protected:
  BuildingCli() : CliFolderTest("kumasec-building-") {}

  void SetUp() override {
    CliFolderTest::SetUp();
    project_ = (dir_ / "tower.ksec").string();
    for (const auto& [name, sets] : kSections) {
      std::vector<std::string> args = SetArgs(sets);
      args.insert(args.end(), {"library-add", project_, name});
      const CliRun run = Cli(args);
      ASSERT_EQ(run.status, 0) << run.err;
    }
    // The ETABS layout: title, names, units; kip and kip-ft; two stories of
    // three columns, three stations of two combinations each, and a modal row.
    std::ofstream forces(dir_ / "forces.csv");
    forces << "TABLE:  Element Forces - Columns,,,,,,,,,,\r\n"
              "Story,Column,Unique Name,Output Case,Case Type,Step Type,Station,P,M2,M3,\r\n"
              ",,,,,,ft,kip,kip-ft,kip-ft,\r\n";
    int n = 0;
    for (const char* story : {"Story2", "Story1"}) {
      for (const char* column : {"C1", "C2", "C3"}) {
        for (const char* combo : {"1.2D+1.6L", "0.9D-E"}) {
          for (int station = 0; station < 3; ++station, ++n) {
            const double p = -150.0 - 37.0 * (n % 7) + (n % 5 == 0 ? 260 : 0);
            const double m2 = 40.0 * ((n * 13) % 9) - 150, m3 = 55.0 * ((n * 7) % 11) - 260;
            forces << story << "," << column << ",1" << n << "," << combo
                   << ",Combination,," << station * 5 << "," << p << "," << m2 << "," << m3
                   << ",\r\n";
          }
        }
      }
    }
    forces << "Story1,C1,99,Modal,LinModEigen,Mode,0,1,1,1,\r\n";
  }

  std::string Forces() const { return (dir_ / "forces.csv").string(); }

  std::string project_;
};

TEST_F(BuildingCli, LargestRatioOfEachColumnIsWhatCheckGivesWithItsSection) {
  std::ofstream(dir_ / "rules.csv") << "story,column,section\n"
                                       "Story2,*,D700\n"
                                       "*,C2,C600X400\n"
                                       "*,*,C500X500\n";
  const CliRun library = Cli({"library", project_});
  ASSERT_EQ(library.status, 0) << library.err;
  EXPECT_EQ(Lines(library.out).size(), 4u);
  EXPECT_EQ(Lines(library.out)[0], "name,kind,B,H,fibers,steel_ratio");

  const CliRun run = Cli({"building", project_, Forces(), "--assign", (dir_ / "rules.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 7u) << run.out;
  EXPECT_EQ(lines[0], "story,column,section,combinations,max_ratio,governing,verdict");
  const std::vector<std::string> expectedSections = {"D700",     "D700",     "D700",
                                                     "C500X500", "C600X400", "C500X500"};
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i]);
    ASSERT_EQ(f.size(), 7u) << lines[i];
    EXPECT_EQ(f[2], expectedSections[i - 1]) << lines[i];  // first rule that matches
    EXPECT_EQ(f[3], "6");

    // `check` of the same rows with that section on the form.
    std::vector<std::string> args = SetArgs(kSections.at(f[2]));
    args.insert(args.end(), {"--set", "Edit75=" + f[0], "--set", "Edit76=" + f[1], "check",
                             Forces()});
    const CliRun check = Cli(args);
    ASSERT_EQ(check.status, 0) << check.err;
    double largest = -1;
    std::string governing;
    for (const std::string& row : Lines(check.out)) {
      const std::vector<std::string> c = Fields(row);
      if (c[0] == "row") continue;
      const double ratio = std::stod(c.back());
      if (ratio > largest) {
        largest = ratio;
        governing = c[1];
      }
    }
    EXPECT_EQ(std::stod(f[4]), largest) << lines[i];
    EXPECT_EQ(f[5], governing);
    EXPECT_EQ(f[6], largest <= 1.0 ? "1" : "0");
  }
}

// A depth of 1e306 m is finite as read but not once converted to mm: the
// definitions are refused naming the section and the field, and the
// project is not written.
TEST_F(BuildingCli, LibraryImportRefusesASizeThatIsNotFiniteInMillimetres) {
  std::ofstream(dir_ / "huge.csv")
      << "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
         "Name,Material,Depth,Width,Design Type\n,,m,m,\nBAD,C30,1e306,0.5,Column\n";
  const std::string project = (dir_ / "new.ksec").string();
  const CliRun run = Cli({"library-import", project, (dir_ / "huge.csv").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("截面 'BAD' 的Depth '1e306' m"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(project));
}

// ETABS definitions holding C500X500 again: replaced by default and said on
// standard error; kept or renamed when asked; a bad --clash is a usage error.
TEST_F(BuildingCli, LibraryImportSaysWhichSectionsItReplaced) {
  std::ofstream(dir_ / "sections.csv")
      << "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
         "Name,Material,Depth,Width,Design Type\n,,mm,mm,\n"
         "C500X500,C30,800,800,Column\nC900X900,C30,900,900,Column\n";
  const std::string sections = (dir_ / "sections.csv").string();
  auto widthOf = [this](const std::string& name) {
    for (const std::string& line : Lines(Cli({"library", project_}).out))
      if (Fields(line).at(0) == name) return Fields(line).at(2);
    return std::string("(none)");
  };
  CliRun run = Cli({"library-import", project_, sections, "--clash", "keep"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("保留了截面库中的同名截面 (未读入文件中的): C500X500"), std::string::npos)
      << run.err;
  EXPECT_EQ(widthOf("C500X500"), "500");
  EXPECT_EQ(widthOf("C900X900"), "900");

  run = Cli({"library-import", project_, sections, "--clash=rename"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(widthOf("C500X500 (2)"), "800");

  run = Cli({"library-import", project_, sections});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("替换了截面库中的同名截面: C500X500, C900X900"), std::string::npos)
      << run.err;
  EXPECT_EQ(widthOf("C500X500"), "800");
  EXPECT_EQ(Lines(run.out).size(), 2u) << run.out;  // one line per section read

  run = Cli({"library-import", project_, sections, "--clash", "merge"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(Cli({"library", project_, "--clash", "keep"}).status, 2);
}

// The workbook holds the CSV's table as the page shows it: Chinese
// captions, verdicts in words, the forces of the governing combination, the
// difference of the second section, rows by falling ratio, numbers as
// numbers (the ratios to the 16 digits a workbook keeps), the summary under
// it.
TEST_F(BuildingCli, WorkbookOutputHoldsTheTableAsThePageShowsIt) {
  std::ofstream(dir_ / "rules.csv") << "story,column,section,section2\n"
                                       "*,C3,C800X800,C500X500\n"
                                       "*,*,C500X500,D700\n";
  const std::string rules = (dir_ / "rules.csv").string();
  const std::string book = (dir_ / "building.xlsx").string();
  const CliRun csv = Cli({"building", project_, Forces(), "--assign", rules});
  ASSERT_EQ(csv.status, 0) << csv.err;
  const CliRun xlsx = Cli({"building", project_, Forces(), "--assign", rules, "--out", book});
  ASSERT_EQ(xlsx.status, 0) << xlsx.err;
  EXPECT_EQ(xlsx.out, "");
  const kuma::Workbook workbook(book);
  ASSERT_EQ(workbook.Sheets().size(), 1u);
  const std::vector<std::string> expected = Lines(csv.out);
  const std::vector<std::string> read = Lines(workbook.SheetText(0));
  ASSERT_EQ(read.size(), expected.size() + 2);  // an empty row and the summary under the table
  EXPECT_EQ(
      read[0],
      "楼层,柱,截面,组合数,最大比值,控制组合,轴力P,弯矩Mx,弯矩My,结论,对比截面,对比比值,比值差");
  EXPECT_EQ(read.back().find("验算 "), 0u) << read.back();
  double previous = 1e300;
  for (std::size_t i = 1; i < expected.size(); ++i) {
    std::vector<std::string> got = Fields(read[i] + ",");
    got.resize(13);  // empty cells at the end are not stored
    // The CSV row of the same story and column.
    std::vector<std::string> want;
    for (std::size_t k = 1; k < expected.size(); ++k) {
      const std::vector<std::string> f = Fields(expected[k] + ",");
      if (f[0] == got[0] && f[1] == got[1]) want = f;
    }
    ASSERT_FALSE(want.empty()) << read[i];
    EXPECT_EQ(got[2], want[2]);
    EXPECT_EQ(got[3], want[3]);
    if (want[4].empty()) {  // a section the library lacks: listed, not checked, last
      EXPECT_EQ(got[4], "未验算") << read[i];
      previous = -1;
      continue;
    }
    const double ratio = std::stod(got[4]);
    EXPECT_LE(ratio, previous) << "largest ratio first: " << read[i];
    previous = ratio;
    EXPECT_NEAR(ratio, std::stod(want[4]), 1e-15 * std::stod(want[4])) << read[i];
    EXPECT_EQ(got[5], want[5]);
    EXPECT_EQ(got[9], want[6] == "1" ? "满足" : "不满足");
    EXPECT_EQ(got[10], want[7]);
    const double second = std::stod(got[11]);
    EXPECT_NEAR(second, std::stod(want[8]), 1e-15 * std::stod(want[8])) << read[i];
    EXPECT_NEAR(std::stod(got[12]), second - ratio, 1e-12) << read[i];
    EXPECT_NO_THROW(std::stod(got[6])) << "the governing combination's axial force: " << read[i];
  }
}

// The real ETABS 19 export (64 columns on 4 stories, 3072 rows) against three
// sections by overlapping rules: each column's largest ratio and its
// combination are those of `check` over the whole table with that section.
TEST_F(BuildingCli, RealEtabsTableGivesWhatCheckGivesForEachColumn) {
  const std::string forces =
      std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs19_element_forces_columns_kip-ft.csv";
  std::ofstream(dir_ / "rules.csv") << "story,column,section\n"
                                       "Story4,*,D700\n"
                                       "*,C1,C600X400\n"
                                       "*,*,C500X500\n";
  const CliRun run = Cli({"building", project_, forces, "--assign", (dir_ / "rules.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GT(lines.size(), 60u);

  // Largest ratio and its label per "story / column" of each section's check.
  std::map<std::string, std::map<std::string, std::pair<double, std::string>>> largest;
  for (const auto& [name, sets] : kSections) {
    std::vector<std::string> args = SetArgs(sets);
    args.insert(args.end(), {"check", forces});
    const CliRun check = Cli(args);
    ASSERT_EQ(check.status, 0) << check.err;
    for (const std::string& row : Lines(check.out)) {
      const std::vector<std::string> c = Fields(row);
      if (c[0] == "row") continue;
      const std::string& label = c[1];
      const std::string key = label.substr(0, label.find(" / ", label.find(" / ") + 3));
      const double ratio = std::stod(c.back());
      auto found = largest[name].find(key);
      if (found == largest[name].end() || ratio > found->second.first)
        largest[name][key] = {ratio, label};
    }
  }
  std::map<std::string, int> bySection;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i]);
    ASSERT_EQ(f.size(), 7u) << lines[i];
    const std::string expected = f[0] == "Story4" ? "D700" : f[1] == "C1" ? "C600X400" : "C500X500";
    EXPECT_EQ(f[2], expected) << lines[i];
    ++bySection[f[2]];
    const auto& want = largest[f[2]].at(f[0] + " / " + f[1]);
    EXPECT_EQ(std::stod(f[4]), want.first) << lines[i];
    EXPECT_EQ(f[5], want.second) << lines[i];
  }
  EXPECT_EQ(bySection.size(), 3u);
}

// The section the form edits is checked as the form holds it after --set,
// as the window checks it as typed (kumasec-cli once checked it as saved),
// and the import page's filters keep their stories: with Edit1 = 450 and
// only Story1 kept, each column's largest ratio is what `check` gives for
// its rows with that section.
TEST_F(BuildingCli, FormsSectionIsCheckedAsSetWithTheImportFilters) {
  const CliRun saved = Cli({"building", project_, Forces()});
  const CliRun typed =
      Cli({"--set", "Edit1=450", "--set", "Edit75=Story1", "building", project_, Forces()});
  ASSERT_EQ(saved.status, 0) << saved.err;
  ASSERT_EQ(typed.status, 0) << typed.err;
  ASSERT_EQ(Lines(saved.out).size(), 7u);
  const std::vector<std::string> lines = Lines(typed.out);
  ASSERT_EQ(lines.size(), 4u) << typed.out;  // Story1's three columns
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i]);
    EXPECT_EQ(f[0], "Story1");
    std::vector<std::string> args = SetArgs(kSections.at("C500X500"));
    args.insert(args.end(), {"--set", "Edit1=450", "--set", "Edit75=Story1", "--set",
                             "Edit76=" + f[1], "check", Forces()});
    const CliRun check = Cli(args);
    ASSERT_EQ(check.status, 0) << check.err;
    double largest = -1;
    for (const std::string& row : Lines(check.out)) {
      const std::vector<std::string> c = Fields(row);
      if (c[0] != "row") largest = std::max(largest, std::stod(c.back()));
    }
    EXPECT_EQ(std::stod(f[4]), largest) << lines[i];
  }
}

TEST_F(BuildingCli, UnknownSectionsAreListedNotCheckedNotLost) {
  std::ofstream(dir_ / "rules.csv") << "story,column,section,section2\n"
                                       "*,C3,C800X800,C500X500\n"
                                       "*,*,C500X500,C600X400\n";
  const CliRun run = Cli({"building", project_, Forces(), "--assign", (dir_ / "rules.csv").string()});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 7u) << run.out;
  EXPECT_EQ(lines[0], "story,column,section,combinations,max_ratio,governing,verdict,section2,max_ratio2");
  int unchecked = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::vector<std::string> f = Fields(lines[i] + ",");  // keep a trailing empty field
    if (f[1] != "C3") continue;
    ++unchecked;
    EXPECT_EQ(f[2], "C800X800");
    EXPECT_EQ(f[3], "6");  // its rows are counted
    EXPECT_EQ(f[4], "");   // and not checked
    EXPECT_EQ(f[6], "");
    EXPECT_EQ(f[7], "C500X500");
    EXPECT_NE(f[8], "");  // the second section is known and checked
  }
  EXPECT_EQ(unchecked, 2);
  EXPECT_NE(run.err.find("截面库中没有截面 C800X800"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("未验算 2 根柱 (12 行)"), std::string::npos) << run.err;

  const CliRun report = Cli({"report-building", project_, Forces(), "--assign",
                             (dir_ / "rules.csv").string()});
  ASSERT_EQ(report.status, 0) << report.err;
  EXPECT_NE(report.out.find("未验算"), std::string::npos);
  EXPECT_NE(report.out.find("对比截面"), std::string::npos);
}

}  // namespace

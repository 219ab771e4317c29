// kumasec-cli with section files: save-project writes the form it was given,
// --project brings it back before --form and --set, and a damaged file fails
// the run without output.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

namespace fs = std::filesystem;

using namespace kuma::test;

class CliProjectTest : public CliFolderTest {
 protected:
  CliProjectTest() : CliFolderTest("kumasec-project-") {}

  std::string Path(const char* name) const { return (dir_ / name).string(); }
};

TEST_F(CliProjectTest, SavedProjectGivesTheSameResultsAsTheSetsItWasMadeFrom) {
  const std::vector<std::string> sets = {"--set",      "ComboBox1=2", "--set",
                                         "Edit1=1800", "--set",       "Edit30=20000"};
  std::vector<std::string> save = sets;
  save.insert(save.end(), {"save-project", Path("a.ksec")});
  CliRun saved = Cli(save);
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_TRUE(saved.out.empty());

  for (const char* command : {"stats", "pm", "mm", "ranges"}) {
    std::vector<std::string> direct = sets;
    direct.push_back(command);
    const CliRun expected = Cli(direct);
    const CliRun fromFile = Cli({"--project", Path("a.ksec"), command});
    ASSERT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, expected.out) << command;
  }
  // Saving what was opened gives the same file, byte for byte.
  ASSERT_EQ(Cli({"--project", Path("a.ksec"), "save-project", Path("b.ksec")}).status, 0);
  EXPECT_EQ(ReadFile(Path("b.ksec")), ReadFile(Path("a.ksec")));
}

TEST_F(CliProjectTest, FormFileAndSetsApplyAfterTheProject) {
  ASSERT_EQ(
      Cli({"--set", "Edit1=1500", "--set", "Edit2=1600", "save-project", Path("a.ksec")}).status,
      0);
  std::ofstream(Path("f.form")) << "Edit2=1700\n";
  const CliRun r = Cli({"--project", Path("a.ksec"), "--form", Path("f.form"), "--set",
                        "Edit1=1800", "save-project", Path("b.ksec")});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = ReadFile(Path("b.ksec"));
  EXPECT_NE(text.find("\"Edit1\": \"1800\""), std::string::npos);
  EXPECT_NE(text.find("\"Edit2\": \"1700\""), std::string::npos);
}

TEST_F(CliProjectTest, ImportedForcesTravelInTheProject) {
  std::ofstream(Path("f.csv")) << "h\n1,2,3,4,-1200,6,7,8,50,-300\n1,2,3,4,-800,6,7,8,-20,100\n";
  ASSERT_EQ(Cli({"--project", Path("none.ksec"), "stats"}).status, 1);
  // save-project has no import of its own: the forces come from a project
  // written by the window; here the file is written by hand.
  std::ofstream(Path("p.ksec")) << R"({"format": "KumaSec section", "version": 1,
    "forces": {"file": "f.csv", "count": 2, "records": [
      {"P": 1200, "Mx": -300, "My": 50}, {"P": 800, "Mx": 100, "My": -20}]}})";
  CliRun saved = Cli({"--project", Path("p.ksec"), "save-project", Path("q.ksec")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::string text = ReadFile(Path("q.ksec"));
  EXPECT_NE(text.find("\"count\": 2"), std::string::npos) << text;
  EXPECT_NE(text.find("\"P\":1200.0,\"Mx\":-300.0,\"My\":50.0}"), std::string::npos);
  // The MM chart shows the same force points as after an import of the CSV.
  ASSERT_EQ(Cli({"--project", Path("p.ksec"), "charts", Path("viaProject")}).status, 0);
  ASSERT_EQ(Cli({"charts", Path("viaImport"), "--forces", Path("f.csv")}).status, 0);
  ASSERT_EQ(Cli({"charts", Path("without")}).status, 0);
  EXPECT_EQ(ReadFile(dir_ / "viaProject" / "mm.jpg"), ReadFile(dir_ / "viaImport" / "mm.jpg"));
  EXPECT_NE(ReadFile(dir_ / "viaProject" / "mm.jpg"), ReadFile(dir_ / "without" / "mm.jpg"));
}

TEST_F(CliProjectTest, DamagedOrNewerProjectFailsWithTheReasonAndUnknownKeysWarn) {
  std::ofstream(Path("bad.ksec")) << "{\"format\": \"KumaSec section\", \"version\": 1, \"box";
  CliRun bad = Cli({"--project", Path("bad.ksec"), "stats"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(bad.out.empty());
  EXPECT_NE(bad.err.find("不完整"), std::string::npos) << bad.err;

  std::ofstream(Path("new.ksec")) << "{\"format\": \"KumaSec section\", \"version\": 7}";
  CliRun newer = Cli({"--project", Path("new.ksec"), "stats"});
  EXPECT_EQ(newer.status, 1);
  EXPECT_NE(newer.err.find("格式版本 7"), std::string::npos) << newer.err;

  std::ofstream(Path("odd.ksec"))
      << "{\"format\": \"KumaSec section\", \"version\": 1, \"boxes\": {\"Edit1\": \"1000\", "
         "\"Edit500\": \"1\"}}";
  CliRun odd = Cli({"--project", Path("odd.ksec"), "stats"});
  EXPECT_EQ(odd.status, 0);
  EXPECT_NE(odd.err.find("忽略未知的输入框“Edit500”"), std::string::npos) << odd.err;
  EXPECT_NE(odd.out.find("Edit36=2200000"), std::string::npos) << odd.out;

  CliRun unwritable = Cli({"save-project", Path("no/such/dir/a.ksec")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_FALSE(unwritable.err.empty());
}

}  // namespace

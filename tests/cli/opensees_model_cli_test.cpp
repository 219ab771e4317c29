// kumasec-cli opensees-model: the complete model on standard output or in a
// file, Tcl or Python, and the unchanged fiber text of opensees.

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

bool HasLine(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    if (l == line) return true;
  return false;
}

TEST(CliOpenSeesModel, TclByDefaultPythonWithPy) {
  CliRun tcl = RunCli({"opensees-model"});
  ASSERT_EQ(tcl.status, 0) << tcl.err;
  EXPECT_TRUE(HasLine(tcl.out, "model basic -ndm 3 -ndf 6"));
  EXPECT_NE(tcl.out.find("\nsection Fiber $sectionTag -GJ "), std::string::npos);
  EXPECT_TRUE(HasLine(tcl.out, "    fiber -954.0 -954.0 44944.0 $coreConcrete1Tag"));
  EXPECT_EQ(tcl.out.find('\r'), std::string::npos);
  EXPECT_EQ(tcl.err, "");

  CliRun py = RunCli({"--set", "ComboBox19=1", "opensees-model", "--py"});
  ASSERT_EQ(py.status, 0) << py.err;
  EXPECT_TRUE(HasLine(py.out, "import openseespy.opensees as ops"));
  EXPECT_TRUE(HasLine(py.out, "ops.model('basic', '-ndm', 2, '-ndf', 3)"));
  EXPECT_TRUE(HasLine(py.out, "ops.fiber(-954.0, -954.0, 44944.0, coreConcrete1Tag)"));
}

TEST(CliOpenSeesModel, OutWritesTheFileAndPrintsNothing) {
  const fs::path file = ScratchDir() / "column.tcl";
  CliRun run = RunCli(
      {"--set", "ComboBox20=1", "--set", "Edit30=3000", "opensees-model", "--out", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string text = ReadFile(file);
  EXPECT_TRUE(HasLine(text, "element zeroLengthSection $elementTag $baseNode $pushNode $sectionTag"));
  EXPECT_TRUE(HasLine(text, "# Section kind: 1 (矩形混凝土柱)"));
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(CliOpenSeesModel, WarnsAboveTheFiberLimitAndRefusesBadInput) {
  CliRun dense = RunCli({"--set", "Edit12=120", "--set", "Edit13=120", "opensees-model"});
  ASSERT_EQ(dense.status, 0) << dense.err;
  EXPECT_NE(dense.err.find("10000"), std::string::npos) << dense.err;
  CliRun fibers = RunCli({"--set", "Edit12=120", "--set", "Edit13=120", "opensees"});
  ASSERT_EQ(fibers.status, 0) << fibers.err;
  EXPECT_EQ(fibers.err, dense.err);
  EXPECT_EQ(fibers.out.substr(0, 18), "section Fiber 1 {\n");

  CliRun high = RunCli({"--set", "ComboBox20=2", "--set", "Edit30=1e9", "opensees-model"});
  EXPECT_EQ(high.status, 1);
  EXPECT_EQ(high.out, "");

  EXPECT_EQ(RunCli({"opensees", "--py"}).status, 2);
  EXPECT_EQ(RunCli({"opensees", "--out", "x.tcl"}).status, 2);
}

TEST(CliOpenSeesModel, FiberTextOfOpenseesIsUnchanged) {
  CliRun run = RunCli({"--set", "ComboBox17=1", "opensees"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 18), "section Fiber 1 {\n");
}

}  // namespace

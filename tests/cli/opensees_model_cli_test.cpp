// kumasec-cli opensees-model: the complete model on standard output or in a
// file, Tcl or Python, and the unchanged fiber text of opensees.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ModelRun {
  int status = -1;
  std::string out, err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct ModelScratch {
  fs::path dir = fs::temp_directory_path() / ("kumasec-cli-model-" + std::to_string(getpid()));
  ModelScratch() { fs::create_directories(dir); }
  ~ModelScratch() {
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
};

const fs::path& ModelDir() {
  static ModelScratch scratch;
  return scratch.dir;
}

ModelRun RunModelCli(const std::vector<std::string>& args) {
  std::string command = std::string("'") + KUMA_CLI_PATH + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  const fs::path out = ModelDir() / "stdout", err = ModelDir() / "stderr";
  command += " >'" + out.string() + "' 2>'" + err.string() + "'";
  ModelRun run;
  int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = Slurp(out);
  run.err = Slurp(err);
  return run;
}

bool HasLine(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);)
    if (l == line) return true;
  return false;
}

TEST(CliOpenSeesModel, TclByDefaultPythonWithPy) {
  ModelRun tcl = RunModelCli({"opensees-model"});
  ASSERT_EQ(tcl.status, 0) << tcl.err;
  EXPECT_TRUE(HasLine(tcl.out, "model basic -ndm 3 -ndf 6"));
  EXPECT_NE(tcl.out.find("\nsection Fiber 1 -GJ "), std::string::npos);
  EXPECT_TRUE(HasLine(tcl.out, "    fiber -954.0 -954.0 44944.0 2"));
  EXPECT_EQ(tcl.out.find('\r'), std::string::npos);
  EXPECT_EQ(tcl.err, "");

  ModelRun py = RunModelCli({"--set", "ComboBox19=1", "opensees-model", "--py"});
  ASSERT_EQ(py.status, 0) << py.err;
  EXPECT_TRUE(HasLine(py.out, "import openseespy.opensees as ops"));
  EXPECT_TRUE(HasLine(py.out, "ops.model('basic', '-ndm', 2, '-ndf', 3)"));
  EXPECT_TRUE(HasLine(py.out, "ops.fiber(-954.0, -954.0, 44944.0, 2)"));
}

TEST(CliOpenSeesModel, OutWritesTheFileAndPrintsNothing) {
  const fs::path file = ModelDir() / "column.tcl";
  ModelRun run = RunModelCli(
      {"--set", "ComboBox20=1", "--set", "Edit30=3000", "opensees-model", "--out", file.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string text = Slurp(file);
  EXPECT_TRUE(HasLine(text, "element zeroLengthSection 1 1 2 1"));
  EXPECT_TRUE(HasLine(text, "# Section kind: 1 (矩形混凝土柱)"));
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\r'), std::string::npos);
}

TEST(CliOpenSeesModel, WarnsAboveTheFiberLimitAndRefusesBadInput) {
  ModelRun dense = RunModelCli({"--set", "Edit12=120", "--set", "Edit13=120", "opensees-model"});
  ASSERT_EQ(dense.status, 0) << dense.err;
  EXPECT_NE(dense.err.find("10000"), std::string::npos) << dense.err;

  ModelRun high = RunModelCli({"--set", "ComboBox20=2", "--set", "Edit30=1e9", "opensees-model"});
  EXPECT_EQ(high.status, 1);
  EXPECT_EQ(high.out, "");

  EXPECT_EQ(RunModelCli({"opensees", "--py"}).status, 2);
  EXPECT_EQ(RunModelCli({"opensees", "--out", "x.tcl"}).status, 2);
}

TEST(CliOpenSeesModel, FiberTextOfOpenseesIsUnchanged) {
  ModelRun run = RunModelCli({"--set", "ComboBox17=1", "opensees"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, 18), "section Fiber 1 {\n");
}

}  // namespace

// kumasec-cli under bad conditions: output that cannot be written, full and
// read-only disks, form files that are not what they seem, extreme sizes.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

namespace fs = std::filesystem;

using namespace kuma::test;

class CliRobustness : public CliFolderTest {
 protected:
  CliRobustness() : CliFolderTest("kumasec-robust-") {}

  void TearDown() override {
    for (const fs::path& m : mounts_) ::umount2(m.c_str(), MNT_DETACH);
    CliFolderTest::TearDown();
  }

  // A tmpfs of the given size at dir_/name, or an empty path when this
  // system does not let the test mount one.
  fs::path Mount(const std::string& name, const char* options) {
    const fs::path at = dir_ / name;
    fs::create_directories(at);
    if (::mount("tmpfs", at.c_str(), "tmpfs", 0, options) != 0) return {};
    mounts_.push_back(at);
    return at;
  }

  // Writes a file until the disk is full.
  static void Fill(const fs::path& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), file) == block.size()) {
    }
    std::fclose(file);
  }

  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }

  std::vector<fs::path> mounts_;
};

TEST_F(CliRobustness, OutputThatCannotBeWrittenIsAFailure) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"mesh"}, {"stats"}, {"--help"}, {"--version"}}) {
    CliRun run = Cli(args, "/dev/full");
    EXPECT_EQ(run.status, 1) << args[0];
    EXPECT_EQ(run.err, "Cannot write standard output. No space left on device\n") << args[0];
  }
}

// report-pm --out and charts onto a full disk: the old files stay whole.
TEST_F(CliRobustness, AFullDiskKeepsTheOldReportAndTheOldCharts) {
  const fs::path disk = Mount("disk", "size=1m");
  if (disk.empty()) GTEST_SKIP() << "cannot mount a tmpfs here";
  const fs::path report = disk / "pm.txt", charts = disk / "charts";
  ASSERT_EQ(Cli({"report-pm", "--out", report.string()}).status, 0);
  ASSERT_EQ(Cli({"charts", charts.string()}).status, 0);
  const char* names[] = {"pmx.jpg", "pmy.jpg", "mm.jpg", "section.jpg", "pmm.jpg"};
  std::vector<std::string> old;
  for (const char* n : names) old.push_back(ReadFile(charts / n));
  const std::string oldReport = ReadFile(report);
  // Leave room for about two of the four new pictures: the save fails
  // part-way through.
  Fill(disk / "filler");
  ASSERT_GT(fs::file_size(disk / "filler"), 200 * 1024u);
  fs::resize_file(disk / "filler", fs::file_size(disk / "filler") - 100 * 1024);
  CliRun run = Cli({"--set", "ComboBox1=1", "charts", charts.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.rfind("Cannot write file \"" + charts.string() + "/", 0), 0u) << run.err;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ReadFile(charts / names[i]), old[i]) << names[i];

  // Full to the last byte.
  Fill(disk / "filler2");
  run = Cli({"--set", "Edit33=40", "report-pm", "--out", report.string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot write file \"" + report.string() + "\". No space left on device\n");
  EXPECT_EQ(ReadFile(report), oldReport);
  EXPECT_EQ(std::distance(fs::directory_iterator(charts), fs::directory_iterator()), 5)
      << "no temporary file left behind";
}

TEST_F(CliRobustness, AFolderThatCannotBeCreatedSaysWhy) {
  Write("plain", "a file where a folder should be");
  CliRun run = Cli({"charts", (dir_ / "plain" / "charts").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot create folder \"" + (dir_ / "plain" / "charts").string() +
                         "\". Not a directory\n");
  const fs::path readOnly = Mount("read-only", "ro,size=64k");
  if (readOnly.empty()) return;
  run = Cli({"charts", (readOnly / "charts").string()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Cannot create folder \"" + (readOnly / "charts").string() +
                         "\". Read-only file system\n");
}

// The charts command prints nothing on standard error when it succeeds: no
// warnings of the display toolkit about its session folders.
TEST_F(CliRobustness, ChartsAreQuiet) {
  const std::string command = std::string("env -u XDG_RUNTIME_DIR ") + ShellQuote(KUMA_CLI_PATH) +
                              " charts " + ShellQuote((dir_ / "c").string()) + " 2>" +
                              ShellQuote((dir_ / "stderr").string());
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(ReadFile(dir_ / "stderr"), "");
  EXPECT_TRUE(fs::exists(dir_ / "c" / "section.jpg"));
}

TEST_F(CliRobustness, FormFilesWithAnyLineEndAndNothingElse) {
  for (const char* end : {"\n", "\r\n", "\r"}) {
    const std::string e = end;
    const fs::path form =
        Write("column.form", "# circle" + e + "ComboBox1=1" + e + e + "Edit1=1000" + e + "Edit5=0");
    CliRun run = Cli({"--form", form.string(), "stats"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, 14), "Edit36=785000\n") << "line end " << int(e.back());
  }
  CliRun run = Cli({"--form", dir_.string(), "stats"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(run.err.rfind(
                "kumasec-cli: cannot read form file '" + dir_.string() + "': Is a directory\n", 0),
            0u)
      << run.err;
  run = Cli({"--form", (dir_ / "missing").string(), "stats"});
  EXPECT_NE(run.err.find("No such file or directory"), std::string::npos);
}

TEST_F(CliRobustness, ANulByteIsShownInTheMessage) {
  const fs::path form = Write("nul.form", std::string("Edit1=12\0ab\n", 12));
  CliRun run = Cli({"--form", form.string(), "stats"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "截面宽度B(Edit1): '12\\0ab' 不是有效的数值\n");
}

TEST_F(CliRobustness, RepeatedOrEmptyFileOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"report-pm", "--out", "a.txt", "--out", "b.txt"},
      {"report-pm", "--out="},
      {"charts", ""},
      {"import", ""},
      {"--form", "", "stats"},
      {"charts", "d", "--forces", "a.csv", "--forces=b.csv"},
  };
  for (const auto& args : cases) {
    CliRun run = Cli(args);
    EXPECT_EQ(run.status, 2) << args[0] << " " << args[1];
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("Try 'kumasec-cli --help'."), std::string::npos);
  }
  EXPECT_FALSE(fs::exists("a.txt"));
  EXPECT_EQ(Cli({"report-pm", "--out", "a", "--out", "b"}).err,
            "kumasec-cli: option --out given twice\nTry 'kumasec-cli --help'.\n");
}

// Extreme sizes are refused before meshing, naming the box, with nothing
// printed (every box and command: tests/model/finite_results_test).
TEST_F(CliRobustness, ExtremeSizesAreRefusedNamingTheBox) {
  const std::pair<const char*, const char*> cases[] = {
      {"Edit1=1e308", "截面宽度B(Edit1)必须不大于100000 mm\n"},
      {"Edit1=1e-308", "截面宽度B(Edit1)必须不小于1 mm\n"}};
  for (const auto& [set, message] : cases) {
    CliRun run = Cli({"--set", set, "stats"});
    EXPECT_EQ(run.status, 1) << set;
    EXPECT_EQ(run.out, "") << set;
    EXPECT_EQ(run.err, message) << set;
  }
}

}  // namespace

#pragma once
// Running kumasec-cli as a program from the cli suite: its exit status and
// what it wrote on standard output and standard error, plus the temporary
// folders the runs work in.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace kuma::test {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out, err;
};

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The argument in single quotes for the shell, its own quotes escaped.
inline std::string ShellQuote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs kumasec-cli with `args`. Standard output and standard error are
// caught in files of `dir`; standard output goes to `stdoutPath` instead
// when one is given, and `out` is then empty.
inline CliRun RunCliIn(const fs::path& dir, const std::vector<std::string>& args,
                       const std::string& stdoutPath = {}) {
  std::string command = ShellQuote(KUMA_CLI_PATH);
  for (const std::string& a : args) command += " " + ShellQuote(a);
  const fs::path out = dir / "stdout", err = dir / "stderr";
  command += " >" + ShellQuote(stdoutPath.empty() ? out.string() : stdoutPath);
  command += " 2>" + ShellQuote(err.string());
  CliRun run;
  std::error_code ignored;
  fs::remove(out, ignored);
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  return run;
}

// A folder in the temporary folder named `prefix` and the process id, empty
// when made and removed with its contents when destroyed.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix)
      : dir_(fs::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
    fs::create_directories(dir_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const fs::path& path() const { return dir_; }

 private:
  fs::path dir_;
};

// A test with a fresh folder of its own, `dir_`, for its files and runs.
class CliFolderTest : public ::testing::Test {
 protected:
  explicit CliFolderTest(const std::string& prefix)
      : dir_(fs::temp_directory_path() / (prefix + std::to_string(::getpid()))) {}

  void SetUp() override {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  CliRun Cli(const std::vector<std::string>& args, const std::string& stdoutPath = {}) {
    return RunCliIn(dir_, args, stdoutPath);
  }

  fs::path dir_;
};

}  // namespace kuma::test

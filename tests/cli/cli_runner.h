#pragma once
// Running kumasec-cli as a program from the cli suite: its exit status and
// what it wrote on standard output and standard error, in a temporary
// folder.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "../test_files.h"

namespace kuma::test {

namespace fs = std::filesystem;

struct CliRun {
  int status = -1;
  std::string out, err;
};

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

// One folder for the runs of the whole test program, removed at its end.
inline const fs::path& ScratchDir() {
  static TempFolder scratch("kumasec-cli-test-");
  return scratch.path();
}

inline CliRun RunCli(const std::vector<std::string>& args) { return RunCliIn(ScratchDir(), args); }

// A test with a fresh folder of its own, `dir_`, for its files and runs.
class CliFolderTest : public FolderTest {
 protected:
  explicit CliFolderTest(const std::string& prefix) : FolderTest(prefix) {}

  CliRun Cli(const std::vector<std::string>& args, const std::string& stdoutPath = {}) {
    return RunCliIn(dir_, args, stdoutPath);
  }
};

}  // namespace kuma::test

// The progress line of kumasec-cli: quiet for the first second, then one
// line rewritten in place at most ten times a second, erased at the end; and
// nothing at all when standard error is not a terminal.

#include "cli/progress_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/form.h"

namespace kuma {
namespace {

using std::chrono::milliseconds;

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
  return text;
}

TEST(ProgressLine, QuietForASecondThenThrottledAndErased) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    ProgressLine line(out, true, "pm");
    const auto start = ProgressLine::Clock::now();
    line.UpdateAt("ProgressBar1", 10, start + milliseconds(900));
    EXPECT_EQ(Contents(out), "");
    line.UpdateAt("ProgressBar1", 45, start + milliseconds(1200));
    line.UpdateAt("ProgressBar1", 46, start + milliseconds(1250));  // too soon: skipped
    line.UpdateAt("ProgressBar2", 7, start + milliseconds(2400));
  }
  EXPECT_EQ(Contents(out),
            "\r\x1b[Kkumasec-cli pm: PM  45%, 1 s"
            "\r\x1b[Kkumasec-cli pm: MM   7%, 2 s"
            "\r\x1b[K");
  std::fclose(out);
}

TEST(ProgressLine, NothingWhenDisabledAndTheFormStillMoves) {
  std::FILE* out = std::tmpfile();
  ProgressLine line(out, false, "mm");
  ProgressForm<MapForm> form(line);
  form.SetProgress("ProgressBar2", 50);
  line.UpdateAt("ProgressBar2", 50, ProgressLine::Clock::now() + std::chrono::seconds(5));
  line.Clear();
  EXPECT_EQ(form.Progress("ProgressBar2"), 50);
  EXPECT_EQ(Contents(out), "");
  EXPECT_FALSE(ProgressLine::IsTerminal(out));
  std::fclose(out);
}

// A slow pm run (over a second) under a terminal shows the line and ends
// it; the same run into a file leaves standard error empty. The terminal is
// the one `script` gives its command.
TEST(ProgressLine, ShownOnATerminalOnly) {
  const std::string scratch =
      ::testing::TempDir() + "kumasec-progress-" + std::to_string(::getpid());
  const std::string cli = KUMA_CLI_PATH;
  const std::string slow = " --set Edit53=60000 --set Edit52=35 pm";  // a few seconds
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
  const std::string onTerminal = "script -qec '" + cli + slow + "' /dev/null >" + scratch + ".tty";
  ASSERT_EQ(std::system(onTerminal.c_str()), 0);
  std::ifstream in(scratch + ".tty", std::ios::binary);
  std::stringstream shown;
  shown << in.rdbuf();
  EXPECT_NE(shown.str().find("kumasec-cli pm: PM "), std::string::npos) << shown.str();
  // The line is erased before the curves are printed on the same terminal.
  EXPECT_NE(shown.str().find("\r\x1b[Ki,Px,Mx,Py,My"), std::string::npos) << shown.str();
  const std::string toFile = cli + slow + " >/dev/null 2>" + scratch + ".err";
  ASSERT_EQ(std::system(toFile.c_str()), 0);
  std::ifstream err(scratch + ".err", std::ios::binary);
  EXPECT_EQ(err.peek(), std::ifstream::traits_type::eof());
  std::remove((scratch + ".tty").c_str());
  std::remove((scratch + ".err").c_str());
}

}  // namespace
}  // namespace kuma

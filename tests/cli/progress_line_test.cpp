// The progress line of kumasec-cli, on a clock the tests set: quiet for the
// first second, then one line rewritten in place at most ten times a second,
// erased at the end and before output; and nothing at all when standard
// error is not a terminal.

#include "cli/progress_line.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/output.h"
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

// A fixed moment stands for the clock: the line sees only the moments the
// test gives it.
const ProgressLine::Clock::time_point kStart{std::chrono::hours(1000)};

TEST(ProgressLine, QuietForASecondThenThrottledAndErased) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  {
    ProgressLine line(out, true, "pm", kStart);
    line.UpdateAt("ProgressBar1", 10, kStart + milliseconds(999));
    EXPECT_EQ(Contents(out), "");
    line.UpdateAt("ProgressBar1", 45, kStart + milliseconds(1000));
    line.UpdateAt("ProgressBar1", 46, kStart + milliseconds(1099));  // too soon: skipped
    line.UpdateAt("ProgressBar2", 7, kStart + milliseconds(2400));
    line.UpdateAt("ProgressBar2", 100, kStart + milliseconds(17500));
  }
  EXPECT_EQ(Contents(out),
            "\r\x1b[Kkumasec-cli pm: PM  45%, 1 s"
            "\r\x1b[Kkumasec-cli pm: MM   7%, 2 s"
            "\r\x1b[Kkumasec-cli pm: MM 100%, 17 s"
            "\r\x1b[K");
  std::fclose(out);
}

TEST(ProgressLine, NothingWhenDisabledAndTheFormStillMoves) {
  std::FILE* out = std::tmpfile();
  ProgressLine line(out, false, "mm", kStart);
  ProgressForm<MapForm> form(line);
  form.SetProgress("ProgressBar2", 50);
  line.UpdateAt("ProgressBar2", 50, kStart + std::chrono::seconds(5));
  line.Clear();
  EXPECT_EQ(form.Progress("ProgressBar2"), 50);
  EXPECT_EQ(Contents(out), "");
  EXPECT_FALSE(ProgressLine::IsTerminal(out));
  std::fclose(out);
}

// Output erases the line first (standard output may be the same terminal):
// the hook the command line sets runs before every write.
TEST(ProgressLine, OutputErasesTheLineFirst) {
  std::FILE* out = std::tmpfile();
  ProgressLine line(out, true, "pm", kStart);
  line.UpdateAt("ProgressBar1", 30, kStart + std::chrono::seconds(3));
  SetBeforeOutput([&line] { line.Clear(); });
  WriteOutput("");
  SetBeforeOutput({});
  EXPECT_EQ(Contents(out), "\r\x1b[Kkumasec-cli pm: PM  30%, 3 s\r\x1b[K");
  line.Clear();  // already erased: nothing more
  EXPECT_EQ(Contents(out), "\r\x1b[Kkumasec-cli pm: PM  30%, 3 s\r\x1b[K");
  std::fclose(out);
}

// A pseudo-terminal is a terminal, a file is not; a run of the program into
// a file leaves standard error clean.
TEST(ProgressLine, ShownOnATerminalOnly) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0)
    GTEST_SKIP() << "no pseudo-terminal";
  std::FILE* terminal = std::fopen(::ptsname(master), "w");
  ASSERT_NE(terminal, nullptr);
  EXPECT_TRUE(ProgressLine::IsTerminal(terminal));
  std::fclose(terminal);
  ::close(master);

  const std::string scratch =
      ::testing::TempDir() + "kumasec-progress-" + std::to_string(::getpid()) + ".err";
  const std::string toFile = std::string(KUMA_CLI_PATH) + " stats >/dev/null 2>" + scratch;
  ASSERT_EQ(std::system(toFile.c_str()), 0);
  std::ifstream err(scratch, std::ios::binary);
  EXPECT_EQ(err.peek(), std::ifstream::traits_type::eof());
  std::remove(scratch.c_str());
}

}  // namespace
}  // namespace kuma

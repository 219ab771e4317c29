// kumasec-cli mphi and report-mphi: the CSV's two parts as documented, and
// the report written as the other reports are (GBK, CR LF).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli_runner.h"

namespace kuma::test {
namespace {

TEST(MphiCli, CsvHasStepsThenKeyPointsAndTheReportIsGbk) {
  CliRun run = RunCli({"--set", "ComboBox34=1", "--set", "Edit30=8000", "mphi"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GT(lines.size(), 110u);
  EXPECT_EQ(lines[0], "curvature,M,Mother,P,depth,eps_c,eps_s");
  const std::size_t n = lines.size();
  EXPECT_EQ(lines[n - 7], "");
  EXPECT_EQ(lines[n - 6], "point,curvature,M");
  EXPECT_EQ(lines[n - 5].rfind("yield,", 0), 0u);
  EXPECT_EQ(lines[n - 4].rfind("peak,", 0), 0u);
  EXPECT_EQ(lines[n - 3].rfind("ultimate,", 0), 0u);
  EXPECT_EQ(lines[n - 2].rfind("bilinear_yield,", 0), 0u);
  EXPECT_EQ(lines[n - 1].rfind("ductility,", 0), 0u);
  // The blank Edit140 takes the MM page's level: every step carries it.
  for (std::size_t i = 1; i + 7 < n; ++i) {
    const std::string& row = lines[i];
    std::size_t comma = 0;
    for (int k = 0; k < 3; ++k) comma = row.find(',', comma) + 1;
    EXPECT_NEAR(std::strtod(row.c_str() + comma, nullptr), 8000, 1e-3) << row;
  }
  // The ultimate row repeats the last step's curvature and moment.
  const std::string& last = lines[n - 8];
  EXPECT_EQ(lines[n - 3], "ultimate," + last.substr(0, last.find(',', last.find(',') + 1)));

  const fs::path report = ScratchDir() / "mphi.txt";
  run = RunCli({"report-mphi", "--out", report.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
  const std::string bytes = ReadFile(report);
  EXPECT_NE(bytes.find("\r\n"), std::string::npos);
  // "弯矩" in GBK.
  EXPECT_NE(bytes.find("\xCD\xE4\xBE\xD8"), std::string::npos);

  run = RunCli({"--set", "Edit140=1e9", "mphi"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.empty());
}

}  // namespace
}  // namespace kuma::test

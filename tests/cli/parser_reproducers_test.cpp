// Inputs that once broke the three parsers (force tables, section files,
// form values), run through kumasec-cli. The same files are the fuzz
// targets' corpus (tests/fuzz/corpus), replayed there on every CI run.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace {

using namespace kuma::test;

const fs::path kCorpus = fs::path(KUMA_TEST_DATA_DIR).parent_path() / "fuzz" / "corpus";

std::string Input(const std::string& parser, const std::string& name) {
  return (kCorpus / parser / name).string();
}

class ParserReproducers : public CliFolderTest {
 protected:
  ParserReproducers() : CliFolderTest("kumasec-reproducers-") {}

  // Runs the command; it must fail with `status`, print nothing and say
  // every one of `words` on standard error.
  void ExpectRefused(const std::vector<std::string>& args, int status,
                     const std::vector<std::string>& words) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, status) << args.back() << ": " << run.err;
    EXPECT_EQ(run.out, "") << args.back();
    for (const std::string& word : words)
      EXPECT_NE(run.err.find(word), std::string::npos) << args.back() << ": " << run.err;
  }
};

// Values the JSON reader cannot hold, forces out of range and a count that
// wraps round: refused, naming the file and the key; nothing is printed.
TEST_F(ParserReproducers, DamagedSectionFilesAreRefusedNamingTheKey) {
  const std::pair<const char*, const char*> cases[] = {
      {"repro_box_number_overflow.ksec", "“boxes.Edit1”的数值超出范围"},
      {"repro_key_number_overflow.ksec", "的数值超出范围"},
      {"repro_force_null.ksec", "“forces.records[1].P”应为数值"},
      {"repro_force_1e300.ksec", "“forces.records[2].Mx”的数值超出范围"},
      {"repro_factor_overflow.ksec", "“forces.factors.P”的数值超出范围"},
      {"repro_count_unsigned.ksec", "“forces.count”超出范围"},
  };
  for (const auto& [name, message] : cases) {
    const std::string file = Input("section_file", name);
    ExpectRefused({"--project", file, "stats"}, 1, {"截面文件“" + file + "”已损坏", message});
  }
  // A device that never ends is refused at its first block.
  ExpectRefused({"--project", "/dev/zero", "stats"}, 1, {"“/dev/zero”不是KumaSec截面文件"});
}

TEST_F(ParserReproducers, AKeyGivenTwiceIsTakenLastWithAWarning) {
  const std::string file = Input("section_file", "repro_duplicate_key.ksec");
  const CliRun run = Cli({"--project", file, "stats"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Lines(run.out).at(0), "Edit36=3960000");  // 1800 x 2200: the last Edit1
  EXPECT_EQ(run.err, "kumasec-cli: " + file + ": 项“boxes.Edit1”出现了不止一次，以最后一个为准\n");
}

// Forces beyond the physical range, before or after the unit factor, rows
// cut short, fields beyond the limit and an empty file: refused with the
// line and field, whatever the plotting factor.
TEST_F(ParserReproducers, ForceTablesThatCannotBeReadWhole) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"repro_infinite_after_units.csv", {"第 5 行第 10 列 (P): 数值 '1e308' 超出了合理的范围"}},
      {"repro_force_1e300.csv", {"第 4 行第 15 列 (M3): 数值 '1e300' 超出了合理的范围"}},
      {"repro_four_fields.csv", {"第 5 行: 只有 4 个字段, 缺少字段 'Case Type'"}},
      {"repro_cut_short.csv", {"第 7 行: 只有 5 个字段, 缺少字段 'Step Type'"}},
      {"repro_beyond_256.csv", {"字段 P 在第 269 列, 超过了能读取的 256 列"}},
      {"repro_cr_only.csv", {"第 2 行第 5 列: 未输入数值"}},
  };
  for (const auto& [name, words] : cases) {
    ExpectRefused({"--set", "Edit57=0", "import", Input("force_table", name)}, 1, words);
  }
  const std::string empty = Input("force_table", "repro_empty.csv");
  ExpectRefused({"import", empty}, 1, {"文件为空: \"" + empty + "\""});
}

// Form values: integers at the int limit, factors out of range, bytes that
// are not text; GBK is read as GBK and saved as UTF-8.
TEST_F(ParserReproducers, FormValuesAreRangeCheckedAndSavedAsUtf8) {
  const std::string table = Input("force_table", "numbers.csv");
  ExpectRefused({"--set", "Edit54=-2147483648", "import", table}, 1,
                {"'-2147483648' 超出整数范围 (-1000000000..1000000000)"});
  ExpectRefused({"--form", Input("form_values", "repro_integer_limit.form"), "import", table}, 1,
                {"'-2147483648' 超出整数范围"});
  ExpectRefused({"--form", Input("form_values", "repro_factors.form"), "import", table}, 1,
                {"弯矩MX的放大倍数 '1e308' 超出范围"});
  const std::string stray = Input("form_values", "repro_stray_byte.form");
  ExpectRefused({"--form", stray, "save-project", (dir_ / "a.ksec").string()}, 2,
                {stray + ":2: text that is not UTF-8 (nor GBK)"});
  ExpectRefused({"--set", "Edit85=\xff", "save-project", (dir_ / "b.ksec").string()}, 2,
                {"--set: text that is not UTF-8 (nor GBK)"});
  EXPECT_FALSE(fs::exists(dir_ / "a.ksec") || fs::exists(dir_ / "b.ksec"));

  const fs::path saved = dir_ / "gbk.ksec";
  CliRun run =
      Cli({"--form", Input("form_values", "repro_gbk_title.form"), "save-project", saved.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadFile(saved).find("\"Edit85\": \"工程名\""), std::string::npos);
  run = Cli({"--project", saved.string(), "save-project", (dir_ / "again.ksec").string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFile(dir_ / "again.ksec"), ReadFile(saved));
}

// A force far off the chart (9e10 kN after a factor of 1000, on the axes of
// a 200 x 200 column, some 10^10 pixels away) is drawn off the picture
// instead of failing the charts.
TEST_F(ParserReproducers, AForceFarOffTheChartIsDrawn) {
  const fs::path forces = dir_ / "far.csv";
  std::ofstream(forces) << "Case,a,b,c,P,e,f,g,My,Mx\nc1,0,0,0,-9e7,0,0,0,9e7,-9e7\n";
  const CliRun run =
      Cli({"--set", "Edit1=200", "--set", "Edit2=200", "--set", "Edit3=30", "--set", "Edit7=10",
           "--set", "Edit9=10", "--set", "Edit11=10",
           // one row of three bars a face: 3.5 % of bars, apart
           "--set", "Edit4=1", "--set", "Edit5=1", "--set", "Edit6=3", "--set", "Edit8=3", "--set",
           "Edit57=1000", "--set", "Edit58=1000", "--set", "Edit33=4", "--set", "Edit35=8",
           "charts", (dir_ / "c").string(), "--forces", forces.string()});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::exists(dir_ / "c" / "pmx.jpg"));
}

}  // namespace

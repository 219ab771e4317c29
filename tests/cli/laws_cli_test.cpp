// kumasec-cli: list entries named by their text, the grades' fill rule, and
// the `laws` command.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/form_reader.h"
#include "cli_runner.h"

namespace kuma {
namespace {

using test::CliRun;
using test::Lines;
using test::RunCli;

TEST(LawsCli, EntriesByTextFillTheBoxesAndTypingReleasesTheGrade) {
  MapForm form;
  ApplyFormValue(form, "ComboBox24=HRB400", "");
  EXPECT_EQ(form.ItemIndex("ComboBox24"), 3);
  EXPECT_EQ(form.Text("Edit27"), "360");
  EXPECT_EQ(form.Text("Edit26"), "200000");
  ApplyFormValue(form, "ComboBox26=标准值", "");
  EXPECT_EQ(form.Text("Edit27"), "400");
  ApplyFormValue(form, "Edit27=400", "");  // the same text: still the grade
  EXPECT_EQ(form.ItemIndex("ComboBox24"), 3);
  ApplyFormValue(form, "Edit27=420", "");
  EXPECT_EQ(form.ItemIndex("ComboBox24"), 0);
  ApplyFormValue(form, "ComboBox2=2", "");  // positions still work
  EXPECT_EQ(form.ItemIndex("ComboBox2"), 2);
  EXPECT_THROW(ApplyFormValue(form, "ComboBox2=C30", ""), UsageError);
}

TEST(LawsCli, LawsAtGivenStrains) {
  const CliRun run = RunCli({"--set", "ComboBox5=双折线强化", "laws", "--strains", "-0.001,0.012,0.2"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1u + 5 * 3);
  EXPECT_EQ(lines[0], "group,strain,stress");
  EXPECT_EQ(lines[1], "0,-0.001,-20.625");
  // Rebar, bilinear: 330 + 0.01·206000·(0.012 − 330/206000); ruptured at 0.2.
  EXPECT_EQ(lines[11].substr(0, 9), "11,0.012,");
  EXPECT_NEAR(std::stod(lines[11].substr(9)), 330 + 2060 * (0.012 - 330.0 / 206000), 1e-9);
  EXPECT_EQ(lines[12], "11,0.20000000000000001,0");
  EXPECT_EQ(RunCli({"laws", "--strains", "a"}).status, 2);
  EXPECT_EQ(RunCli({"pm", "--strains", "1"}).status, 2);
}

// A circular filled tube (ComboBox1=4) with a 12 mm wall chooses Q355, then
// the wall becomes 30 mm: the 16–40 mm row (f = 295) is in force, through
// --set as through --form (the --set order kept the 12 mm row's 305). At a
// strain of 0.01 the simplified steel is at fy.
TEST(LawsCli, SteelRowFollowsTheWallWhateverTheOrder) {
  const std::vector<std::string> lines = {"ComboBox1=4", "Edit1=500", "Edit3=12", "ComboBox25=Q355",
                                          "Edit3=30"};
  std::vector<std::string> args;
  std::string text;
  for (const std::string& l : lines) {
    args.insert(args.end(), {"--set", l});
    text += l + "\n";
  }
  args.insert(args.end(), {"laws", "--strains", "0.01"});
  const CliRun set = RunCli(args);
  ASSERT_EQ(set.status, 0) << set.err;
  const test::fs::path form = test::ScratchDir() / "q355-wall.form";
  std::ofstream(form) << text;
  const CliRun file = RunCli({"--form", form.string(), "laws", "--strains", "0.01"});
  ASSERT_EQ(file.status, 0) << file.err;
  EXPECT_EQ(Lines(set.out).back(), "12,0.01,295");
  EXPECT_EQ(Lines(file.out).back(), "12,0.01,295");
}

}  // namespace
}  // namespace kuma

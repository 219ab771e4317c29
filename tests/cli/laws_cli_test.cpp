// kumasec-cli: list entries named by their text, the grades' fill rule, and
// the `laws` command.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kuma

// The library of sections in the section file: a file without a library
// opens as a library of one, a library survives saving, and the assignments
// pick the first matching rule.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../test_files.h"
#include "model/errors.h"
#include "model/section_file.h"
#include "model/section_library.h"

namespace {

using kuma::AssignmentRule;
using kuma::MapForm;

TEST(SectionLibrary, FileWithoutLibraryOpensAsALibraryOfOne) {
  const std::string v1 = R"({"format": "KumaSec section", "version": 1,
    "section": {"type": 2}, "boxes": {"Edit1": "800", "Edit3": "50"},
    "lists": {"ComboBox8": 1}})";
  const kuma::SectionFile file = kuma::ParseSectionFile(v1, "/data/tower/KZ1.ksec");
  ASSERT_EQ(file.library.sections.size(), 1u);
  EXPECT_EQ(file.library.current, 0);
  const kuma::LibrarySection& one = file.library.sections[0];
  EXPECT_EQ(one.name, "KZ1");
  EXPECT_EQ(one.sectionType, 2);

  // Applied, the one section is what the form holds.
  MapForm form;
  kuma::AppState state;
  kuma::ApplySectionFile(file, form, state);
  MapForm fromLibrary;
  kuma::ApplyLibrarySection(state.library.sections[0], fromLibrary);
  for (const char* control : {"Edit1", "Edit2", "Edit3", "Edit14"})
    EXPECT_EQ(fromLibrary.Text(control), form.Text(control)) << control;
  EXPECT_EQ(fromLibrary.ItemIndex("ComboBox1"), 1);
  EXPECT_EQ(fromLibrary.ItemIndex("ComboBox8"), 1);
}

TEST(SectionLibrary, SavedLibraryReopensWithTheFormsSectionUpdated) {
  MapForm form;
  kuma::AppState state;
  form.SetText("Edit1", "500");
  kuma::PutSection(state.library, kuma::SectionFromForm(form, "C500X500"));
  form.SetText("Edit1", "600");
  kuma::PutSection(state.library, kuma::SectionFromForm(form, "C600, \"wide\""));
  state.library.rules = {{"*", "C1", "C500X500", "C600, \"wide\""}, {"*", "*", "C500X500", ""}};
  state.library.current = 0;
  form.SetText("Edit1", "550");  // the form edits C500X500 and is saved

  const std::string text = kuma::SectionFileText(form, state);
  const kuma::SectionFile file = kuma::ParseSectionFile(text, "p.ksec");
  EXPECT_TRUE(file.warnings.empty()) << file.warnings.front();
  ASSERT_EQ(file.library.sections.size(), 2u);
  EXPECT_EQ(file.library.current, 0);
  MapForm reopened;
  kuma::ApplyLibrarySection(file.library.sections[0], reopened);
  EXPECT_EQ(reopened.Text("Edit1"), "550");
  kuma::ApplyLibrarySection(file.library.sections[1], reopened);
  EXPECT_EQ(reopened.Text("Edit1"), "600");
  ASSERT_EQ(file.library.rules.size(), 2u);
  EXPECT_EQ(file.library.rules[0].section2, "C600, \"wide\"");

  // Two sections of one name are a damaged file, not a silent choice.
  std::string twice = text;
  const std::string second = "\"name\": \"C600, \\\"wide\\\"\"";
  ASSERT_NE(twice.find(second), std::string::npos);
  twice.replace(twice.find(second), second.size(), "\"name\": \"C500X500\"");
  EXPECT_THROW(kuma::ParseSectionFile(twice, "p.ksec"), kuma::Error);
}

TEST(SectionLibrary, EditingKeepsNamesUniqueAndTheFormsSectionInPlace) {
  kuma::SectionLibrary library;
  MapForm form;
  for (const char* name : {"A", "B", "C"}) kuma::PutSection(library, kuma::SectionFromForm(form, name));
  library.current = 2;
  EXPECT_THROW(kuma::RenameSection(library, 0, "B"), kuma::Error);
  EXPECT_THROW(kuma::DuplicateSection(library, 0, "C"), kuma::Error);
  EXPECT_THROW(kuma::PutSection(library, kuma::SectionFromForm(form, "")), kuma::Error);
  EXPECT_EQ(kuma::UnusedSectionName(library, "A"), "A (2)");
  kuma::DeleteSection(library, 0);
  EXPECT_EQ(library.current, 1);
  EXPECT_EQ(library.sections[static_cast<std::size_t>(library.current)].name, "C");
  kuma::DeleteSection(library, 1);
  EXPECT_EQ(library.current, -1);
}

TEST(SectionLibrary, FirstMatchingRuleWinsWhereStarsAndNamesOverlap) {
  const std::vector<AssignmentRule> rules = {{"Roof", "*", "R1", ""},
                                             {"*", "C1", "K1", ""},
                                             {"Story2", "C1", "never", ""},
                                             {"*", "*", "ALL", ""}};
  EXPECT_EQ(kuma::MatchRule(rules, "Roof", "C1")->section, "R1");  // the earlier star wins
  EXPECT_EQ(kuma::MatchRule(rules, "Story2", "C1")->section, "K1");
  EXPECT_EQ(kuma::MatchRule(rules, "Story2", "C2")->section, "ALL");
  EXPECT_EQ(kuma::MatchRule(rules, "", "")->section, "ALL");
  EXPECT_EQ(kuma::MatchRule({rules[2]}, "Story1", "C1"), nullptr);
  // "*" is only a wildcard as the whole name.
  EXPECT_EQ(kuma::MatchRule({{"S*", "*", "X", ""}}, "S1", "C1"), nullptr);
}

}  // namespace

namespace {

// A library holding P20x20 (the form's, with the engineer's 8 bars) and
// P30x30; the definitions read hold P20x20 again (the initial 2 bars) and
// a new P40x40.
kuma::SectionLibrary EngineersLibrary() {
  kuma::SectionLibrary library;
  kuma::LibrarySection mine = kuma::SectionFromForm(MapForm(), "P20x20");
  mine.texts.emplace_back("Edit6", "8");
  library.sections = {mine, kuma::SectionFromForm(MapForm(), "P30x30")};
  library.current = 0;
  return library;
}

std::vector<kuma::LibrarySection> ReadAgain() {
  return {kuma::SectionFromForm(MapForm(), "P20x20"), kuma::SectionFromForm(MapForm(), "P40x40")};
}

std::string BarsOf(const kuma::SectionLibrary& library, const std::string& name) {
  MapForm form;
  kuma::ApplyLibrarySection(library.sections.at(static_cast<std::size_t>(library.Find(name))),
                            form);
  return form.Text("Edit6");
}

}  // namespace

TEST(SectionLibrary, SectionsReadUnderHeldNamesAreReplacedKeptOrRenamedAsChosen) {
  EXPECT_EQ(kuma::ClashingNames(EngineersLibrary(), ReadAgain()),
            std::vector<std::string>{"P20x20"});
  const std::string initialBars = MapForm().Text("Edit6");
  ASSERT_NE(initialBars, "8");

  kuma::SectionLibrary kept = EngineersLibrary();
  const kuma::SectionMerge keep = kuma::MergeSections(kept, ReadAgain(), kuma::NameClash::KeepMine);
  EXPECT_EQ(BarsOf(kept, "P20x20"), "8");  // the engineer's bars stay
  EXPECT_EQ(keep.kept, std::vector<std::string>{"P20x20"});
  EXPECT_EQ(keep.added, std::vector<std::string>{"P40x40"});
  EXPECT_EQ(kept.sections.size(), 3u);
  EXPECT_EQ(kept.current, 0);

  kuma::SectionLibrary renamed = EngineersLibrary();
  const kuma::SectionMerge rename =
      kuma::MergeSections(renamed, ReadAgain(), kuma::NameClash::Rename);
  EXPECT_EQ(BarsOf(renamed, "P20x20"), "8");
  EXPECT_EQ(BarsOf(renamed, "P20x20 (2)"), initialBars);
  ASSERT_EQ(rename.renamed.size(), 1u);
  EXPECT_EQ(rename.renamed[0].second, "P20x20 (2)");

  // Replaced, the form's own section is no longer the form: saving must not
  // write the form's 8 bars over the section just read.
  kuma::SectionLibrary replaced = EngineersLibrary();
  const kuma::SectionMerge replace =
      kuma::MergeSections(replaced, ReadAgain(), kuma::NameClash::Replace);
  EXPECT_EQ(BarsOf(replaced, "P20x20"), initialBars);
  EXPECT_EQ(replace.replaced, std::vector<std::string>{"P20x20"});
  EXPECT_TRUE(replace.formDetached);
  EXPECT_EQ(replaced.current, -1);
}

TEST(SectionLibrary, RulesNamingASectionAsFirstOrSecond) {
  const std::vector<AssignmentRule> rules = {
      {"S1", "C1", "A", ""}, {"*", "C2", "B", "A"}, {"*", "*", "B", ""}};
  const std::vector<AssignmentRule> naming = kuma::RulesNaming(rules, "A");
  ASSERT_EQ(naming.size(), 2u);
  EXPECT_EQ(kuma::RuleText(naming[0]), "S1,C1,A");
  EXPECT_EQ(kuma::RuleText(naming[1]), "*,C2,B,A");
  EXPECT_TRUE(kuma::RulesNaming(rules, "C").empty());
}

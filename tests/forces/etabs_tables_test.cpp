// ETABS model tables: section definitions read into library sections as a
// hand reading of the table gives them, and the assignments.

#include <gtest/gtest.h>

#include "forces/etabs_tables.h"
#include "material/grades.h"
#include "material/material_groups.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/section_library.h"

namespace {

std::string Text(const kuma::LibrarySection& s, const char* box) {
  kuma::MapForm form;
  kuma::ApplyLibrarySection(s, form);
  return form.Text(box);
}

TEST(EtabsSections, DefinitionsGiveTheSectionsAHandReadingGives) {
  const std::string text =
      "TABLE:  Frame Section Property Definitions - Concrete Rectangular,,,,,\r\n"
      "Name,Material,From File?,Depth,Width,Design Type\r\n"
      ",,,in,in,\r\n"
      "\"C20X24, core\",4000Psi,No,24,20,Column\r\n"
      "B12X24,4000Psi,No,24,12,Beam\r\n"
      "C30,C40,No,30,30,Column\r\n"
      "\r\n"
      "TABLE:  Frame Section Property Definitions - Concrete Circle\r\n"
      "Name,Material,Diameter,Design Type\r\n"
      ",,m,\r\n"
      "D800,C50,0.8,Column\r\n"
      "TABLE:  Frame Section Property Definitions - Concrete Column Reinforcing\r\n"
      "Name,Long Bar Material,Configuration,Clear Cover,Num Bars 3-Dir,Num Bars 2-Dir,"
      "Num Bars Circular,Long Bar Size,Corner Bar Size,Tie Bar Size\r\n"
      ",,,mm,,,,,,\r\n"
      "\"C20X24, core\",A615Gr60,Rectangular,38.1,4,5,,#8,#9,#4\r\n"
      "D800,HRB400,Circular,40,,,16,25,,10\r\n";
  const kuma::EtabsSections read = kuma::ReadEtabsSectionDefinitions(text);
  ASSERT_EQ(read.sections.size(), 3u);  // the beam is left out

  // 20 in wide (x, B), 24 in deep (y, H); cover to bar centres
  // 38.1 mm + #4 tie 12.7 + half a #8 bar 12.7; 4 and 5 bars a face with
  // the corners, so 2 and 3 between them.
  const kuma::LibrarySection& rect = read.sections[0];
  EXPECT_EQ(rect.name, "C20X24, core");
  EXPECT_EQ(rect.sectionType, 1);
  EXPECT_EQ(rect.material, "4000Psi");
  EXPECT_DOUBLE_EQ(std::stod(Text(rect, "Edit1")), 508);
  EXPECT_DOUBLE_EQ(std::stod(Text(rect, "Edit2")), 609.6);
  EXPECT_NEAR(std::stod(Text(rect, "Edit3")), 38.1 + 12.7 + 12.7, 1e-9);
  EXPECT_EQ(Text(rect, "Edit5"), "1");
  EXPECT_EQ(Text(rect, "Edit6"), "2");
  EXPECT_DOUBLE_EQ(std::stod(Text(rect, "Edit7")), 25.4);
  EXPECT_EQ(Text(rect, "Edit4"), "1");
  EXPECT_EQ(Text(rect, "Edit8"), "3");
  EXPECT_DOUBLE_EQ(std::stod(Text(rect, "Edit11")), 28.65);
  EXPECT_EQ(Text(rect, "Edit10"), "1");

  const kuma::LibrarySection& circle = read.sections[2];
  EXPECT_EQ(circle.name, "D800");
  EXPECT_EQ(circle.sectionType, 2);
  EXPECT_DOUBLE_EQ(std::stod(Text(circle, "Edit1")), 800);
  EXPECT_DOUBLE_EQ(std::stod(Text(circle, "Edit3")), 40 + 10 + 12.5);
  EXPECT_EQ(Text(circle, "Edit6"), "16");
  EXPECT_EQ(Text(circle, "Edit7"), "25");

  // The section without bars and the grade-like materials are said.
  auto said = [&read](const std::string& part) {
    for (const std::string& note : read.notes)
      if (note.find(part) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(said("'C30' 没有配筋数据"));
  EXPECT_TRUE(said("看作混凝土等级 C40"));
}

TEST(EtabsSections, MaterialNamesNamingAGradeSetTheConcreteGrades) {
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("C30"), "C30");
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("C30/37"), "C30");
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("Conc c45"), "C45");
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("4000Psi"), "");
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("C90"), "");    // not a grade of the list
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("C300"), "");
  EXPECT_EQ(kuma::ConcreteGradeOfMaterial("SEC30"), "");  // inside a word

  const kuma::EtabsSections read = kuma::ReadEtabsSectionDefinitions(
      "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
      "Name,Material,Depth,Width\n"
      ",,mm,mm\n"
      "A,C30/37,600,600\n"
      "B,4000Psi,600,600\n");
  ASSERT_EQ(read.sections.size(), 2u);
  kuma::MapForm graded, initial;
  kuma::ApplyLibrarySection(read.sections[0], graded);
  kuma::ApplyLibrarySection(read.sections[1], initial);
  const kuma::MapForm untouched;
  const kuma::ConcreteGradeValues c30 =
      kuma::ConcreteValues(kuma::ConcreteGrades()[3], kuma::ValueLevel::Design);
  ASSERT_STREQ(kuma::ConcreteGrades()[3].name, "C30");
  for (const kuma::MaterialGroupControls& g : kuma::MaterialGroups()) {
    if (g.fc == nullptr) continue;  // the steel groups
    EXPECT_EQ(graded.ItemIndex(g.gradeList), 4) << g.gradeList;  // the entry "C30"
    EXPECT_DOUBLE_EQ(std::stod(graded.Text(g.fc)), c30.fc) << g.fc;
    EXPECT_EQ(initial.ItemIndex(g.gradeList), untouched.ItemIndex(g.gradeList));
    EXPECT_EQ(initial.Text(g.fc), untouched.Text(g.fc));
  }
  EXPECT_EQ(read.unmappedMaterials, std::vector<std::string>{"4000Psi"});
}

TEST(EtabsSections, UnreadableValuesAreRefusedByLine) {
  const std::string head =
      "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
      "Name,Material,Depth,Width,Design Type\n"
      ",,furlong,mm,\n"
      "C1,C30,500,500,Column\n";
  EXPECT_THROW(kuma::ReadEtabsSectionDefinitions(head), kuma::Error);
  try {
    kuma::ReadEtabsSectionDefinitions(
        "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
        "Name,Material,Depth,Width\n,,mm,mm\nC1,C30,500,-5\n");
    FAIL();
  } catch (const kuma::Error& e) {
    EXPECT_NE(std::string(e.what()).find("第 4 行"), std::string::npos) << e.what();
  }
  double d = 0;
  EXPECT_FALSE(kuma::BarSizeDiameter("#99", d));
  EXPECT_TRUE(kuma::BarSizeDiameter("20M", d));
  EXPECT_DOUBLE_EQ(d, 19.5);
}

TEST(EtabsAssignments, TableAndCsvRules) {
  const std::string table =
      "TABLE:  Frame Assignments - Section Properties\n"
      "Story,Label,UniqueName,Shape,Auto Select List,Section Property\n"
      ",,,,,\n"
      "Story 2,C1,12,Concrete Rectangular,N.A.,\"EXACTA 18 (+10%W , 10%TODO)\"\n"
      "Story 2,C2,13,Concrete Circle,N.A.,D800\n";
  const auto rules = kuma::ReadAssignmentRules(table);
  ASSERT_EQ(rules.size(), 2u);
  EXPECT_EQ(rules[0].story, "Story 2");
  EXPECT_EQ(rules[0].column, "C1");
  EXPECT_EQ(rules[0].section, "EXACTA 18 (+10%W , 10%TODO)");

  const auto csv = kuma::ReadAssignmentRules("story,column,section,section2\n*,C1,A,B\n\nS1,*,C\n");
  ASSERT_EQ(csv.size(), 2u);
  EXPECT_EQ(csv[0].section2, "B");
  EXPECT_EQ(csv[1].section2, "");
  try {
    kuma::ReadAssignmentRules("story,column,section\n*,C1,A\nS1,C2\n");
    FAIL();
  } catch (const kuma::Error& e) {
    EXPECT_NE(std::string(e.what()).find("第 3 行"), std::string::npos) << e.what();
  }
  EXPECT_THROW(kuma::ReadAssignmentRules("P,M2,M3\n1,2,3\n"), kuma::Error);
}

}  // namespace

namespace {

const char* const kRectHead =
    "TABLE:  Frame Section Property Definitions - Concrete Rectangular\n"
    "Name,Material,Depth,Width,Design Type\n"
    ",,m,m,\n";

std::string ErrorOf(const std::string& text) {
  try {
    kuma::ReadEtabsSectionDefinitions(text);
  } catch (const kuma::Error& e) {
    return e.what();
  }
  return "read";
}

// 1e306 m is finite but 1e309 mm is not: the size was stored as "inf".
// The check is on the size in mm, naming the section and the field.
TEST(EtabsSections, SizesMustBeFiniteOnceConvertedToMillimetres) {
  EXPECT_EQ(ErrorOf(std::string(kRectHead) + "P1,C30,1e306,0.5,Column\n"),
            "第 4 行: 截面 'P1' 的Depth '1e306' m 应为正数, 且换算为 mm 后是有限的数值");
  EXPECT_EQ(ErrorOf(std::string(kRectHead) + "P1,C30,0.5,-0,Column\n"),
            "第 4 行: 截面 'P1' 的Width '-0' m 应为正数, 且换算为 mm 后是有限的数值");
  // 1e305 m is 1e308 mm: finite, and read as it is.
  const kuma::EtabsSections read =
      kuma::ReadEtabsSectionDefinitions(std::string(kRectHead) + "P1,C30,1e305,0.5,Column\n");
  EXPECT_EQ(Text(read.sections.at(0), "Edit2"), "1e+308");
}

// Definitions in their thousands, each material and each section's bars
// looked up by name (every pair was compared: 100 000 took a minute), up
// to a bound on the column sections of one text.
TEST(EtabsSections, ManyDefinitionsAreReadUpToTheirBound) {
  auto table = [](int count) {
    std::string text = kRectHead;
    for (int i = 0; i < count; ++i)
      text += "S" + std::to_string(i) + ",M" + std::to_string(i) + ",0.6,0.4,Column\n";
    text += "S0,M,0.6,0.4,Beam\n";  // beams do not count
    return text +
           "TABLE:  Frame Section Property Definitions - Concrete Column Reinforcing\n"
           "Name,Clear Cover,Num Bars 3-Dir,Num Bars 2-Dir,Long Bar Size\n,mm,,,\n"
           "S7,40,3,3,20\nS7,40,5,5,25\n";  // the first bars of a name count
  };
  const kuma::EtabsSections read = kuma::ReadEtabsSectionDefinitions(table(20000));
  ASSERT_EQ(read.sections.size(), 20000u);
  EXPECT_EQ(read.unmappedMaterials.size(), 20000u);
  EXPECT_EQ(read.unmappedMaterials.back(), "M19999");
  EXPECT_EQ(Text(read.sections[7], "Edit6"), "1");  // 3 bars a face: 1 between the corners
  EXPECT_EQ(Text(read.sections[7], "Edit7"), "20");
  EXPECT_EQ(ErrorOf(table(20001)), "第 20004 行: 截面定义超过了一次能读取的 20000 个柱截面");
}

// Putting many sections at once: those of a name already there replace it
// in its place, the others follow in order; past the bound nothing changes.
TEST(EtabsSections, SectionsArePutAllAtOnce) {
  kuma::SectionLibrary library;
  kuma::MapForm form;
  kuma::PutSection(library, kuma::SectionFromForm(form, "A"));
  kuma::PutSection(library, kuma::SectionFromForm(form, "B"));
  std::vector<kuma::LibrarySection> put = {kuma::SectionFromForm(form, "C"),
                                           kuma::SectionFromForm(form, "A")};
  put[1].material = "C40";
  kuma::PutSections(library, put);
  ASSERT_EQ(library.sections.size(), 3u);
  EXPECT_EQ(library.sections[0].material, "C40");
  EXPECT_EQ(library.sections[2].name, "C");
  std::vector<kuma::LibrarySection> many(kuma::kMaxLibrarySections - 2);
  for (std::size_t i = 0; i < many.size(); ++i) many[i].name = "N" + std::to_string(i);
  EXPECT_THROW(kuma::PutSections(library, many), kuma::Error);
  EXPECT_EQ(library.sections.size(), 3u);
}

}  // namespace

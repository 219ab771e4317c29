#pragma once
// ETABS model tables other than the forces: the section assignments of the
// frames and the concrete section definitions. Each reader takes the table's
// text (as ETABS exports it to CSV, or a workbook sheet turned into CSV
// text), with a thin wrapper for files.
//
// A table is a title line "TABLE:  <name>", a line of field names and a
// units line (empty where a field has no unit), then one row per line.
// Fields are found by name. Fields may be quoted ("a, b"), since ETABS names
// hold commas. One text may hold several tables, each from its title line.

#include <string>
#include <string_view>
#include <vector>

#include "model/form.h"
#include "model/library.h"

namespace kuma {

struct EtabsTable {
  std::string title;  // after "TABLE:", blanks trimmed; empty without a title line
  std::vector<std::string> names, units;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::size_t> rowLines;  // 1-based line of each row in the text

  // 0-based field named `name` (case and blanks ignored), or -1.
  int Field(std::string_view name) const;
  // The cell of row r in field f; empty when the row is short or f < 0.
  const std::string& Cell(std::size_t r, int f) const;
};

// Splits a CSV line at commas outside double quotes; quotes are removed
// ("" inside quotes is one quote) and blanks around each field trimmed.
std::vector<std::string> SplitQuotedCsvLine(std::string_view line);

// The tables of a text, in order. Raises kuma::Error when a table has no
// line of field names.
std::vector<EtabsTable> ReadEtabsTables(std::string_view text);

// The assignments of a text: either ETABS's "Frame Assignments - Section
// Properties" (fields Story, Label, Section Property; or the summary table's
// Story, Label, Design Section) as one rule per row, story and column by
// name, or CSV rules with the header `story,column,section` and an optional
// fourth field `section2`. Raises kuma::Error naming the line of a bad row.
// `how`, when given, receives which table or header was read and by which
// fields ("ETABS 表格 \"...\" (Story、Label、Section Property)").
std::vector<AssignmentRule> ReadAssignmentRules(std::string_view text, std::string* how = nullptr);
// The same from a file (UTF-8, UTF-16 or GBK as the force files).
std::vector<AssignmentRule> ReadAssignmentFile(const std::string& path, std::string* how = nullptr);

// Library sections from ETABS concrete section definitions: the tables
// "Frame Section Property Definitions - Concrete Rectangular" (kind 1,
// Depth along y as H, Width along x as B) and "... - Concrete Circle"
// (kind 2, the diameter), with the bars of "... - Concrete Column
// Reinforcing" when the text holds it. Only sections whose Design Type is
// Column (or that have no Design Type) are taken. Each section starts from
// the initial form; lengths are converted to mm from the units line.
// `notes` receives one readable line per thing the engineer should know
// (a section without bars, a material that reads as a grade).
//
// A material name that is or holds a concrete grade of the grade list
// ("C30", "C30/37", "Conc C40") sets the section's three concrete grade
// lists to it, and the concrete boxes take the grade's values; likewise the
// longitudinal bars' material of the reinforcing table and the bar grades
// ("HRB400"). Other names ("4000Psi", "A615Gr60") leave the initial form's
// constants and are listed in `unmappedMaterials` (and in a note).
struct EtabsSections {
  std::vector<LibrarySection> sections;
  std::vector<std::string> notes;
  std::vector<std::string> unmappedMaterials;
};
EtabsSections ReadEtabsSectionDefinitions(std::string_view text);
// A workbook (.xlsx) is read by its sheets: the assignments from the sheet
// titled "Frame Assignments - Section Properties" (or "... - Summary", or
// its one sheet), the definitions from the sheets of the tables above.
// With `sheet` not empty, only that sheet of the workbook is read.
EtabsSections ReadEtabsSectionFile(const std::string& path, const std::string& sheet = {});

// The ETABS material names the library's sections carry (in the order they
// first appear), with how many sections carry each and the concrete grade
// list entry of the first of them (0 "自定义").
// `group` is the material code the name stands for: 0 the concrete of the
// section (all three concrete groups), 11 its longitudinal bars.
struct LibraryMaterial {
  std::string name;
  int group = 0;
  int sections = 0;
  int grade = 0;  // entry of the group's grade list (GradeEntries(group))
};
std::vector<LibraryMaterial> LibraryMaterials(const SectionLibrary& library);
// Gives every section of ETABS material `material` (of `group`, as above)
// entry `grade` of the group's grade list, the boxes filled from that grade
// at the section's own value level (entry 0 "自定义" sets the lists only and
// keeps the boxes). Returns how many sections it changed.
int ApplyMaterialGrade(SectionLibrary& library, const std::string& material, int grade,
                       int group = 0);
// The same for the groups of one form: the three concrete groups (group 0),
// the bars (11) or the structural steel (12).
void ApplyMaterialGroupGrade(Form& form, int group, int grade);
void ApplyConcreteGrade(Form& form, int grade);

// The concrete grade ("C30") a material name is or holds: a C (either case)
// not after a letter or digit, then a number ending before any letter, that
// is a grade of the list. Empty when there is none ("4000Psi").
std::string ConcreteGradeOfMaterial(std::string_view material);
// The grade of the group's list (0 concrete as above; 11 bars: HPB300,
// HRB335, HRB400, HRB500; 12 structural steel: Q235, Q355, Q390, Q420) a
// material name is or holds, either case, not after a letter or digit and
// not followed by a digit ("HRB400", "HRB400E", "Rebar HRB500", "Q355B"
// give their grades; "A615Gr60", "Q3550" none). Empty when there is none.
std::string GradeOfMaterial(int group, std::string_view material);

// The diameter in mm of a bar size as ETABS names it: "#8" (US sizes),
// "20M" (Canadian sizes), "25", "25d" or "d25" (mm). False when not known.
bool BarSizeDiameter(std::string_view size, double& diameter);

}  // namespace kuma

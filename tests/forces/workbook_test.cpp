// ETABS workbooks (.xlsx): a workbook imports exactly as its sheet saved as
// CSV, cells of every kind become the CSV text of the cell, dates and errors
// are refused by cell reference where a number is read, files that are not
// workbooks (or inflate past the limits) are refused and change nothing, and
// a result workbook reads back to the same doubles. Small workbooks are made
// with the writer library; a part is patched with the zip library where the
// writer cannot produce a cell (error values).
#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <limits>
#include <thread>

#include "../error_of.h"
#include "../test_files.h"
#include "forces/etabs_tables.h"
#include "forces/forces.h"
#include "forces/workbook.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/workbook_writer.h"

namespace kuma {
namespace {

namespace fs = std::filesystem;
using test::ErrorOf;

const std::string kEtabsDir = std::string(KUMA_SHARED_DATA_DIR) + "/etabs/";

class WorkbookTest : public test::FolderTest {
 protected:
  WorkbookTest() : FolderTest("kuma_workbook_test_") {}
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
};

// A workbook at `path` whose sheets `fill` writes.
void MakeWorkbook(const std::string& path, const std::function<void(lxw_workbook*)>& fill,
                  bool constantMemory = false) {
  lxw_workbook_options options{};
  options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;  // inline strings
  lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
  ASSERT_NE(book, nullptr);
  fill(book);
  ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
}

// CSV lines as a sheet: a field that reads as a number is stored as a
// number, other non-empty fields as text, empty fields not at all.
void WriteLines(lxw_worksheet* sheet, const std::vector<std::string>& lines) {
  for (std::size_t r = 0; r < lines.size(); ++r) {
    CsvFields fields;
    SplitCsvLine(lines[r], fields);
    for (std::size_t c = 0; c < fields.size(); ++c) {
      if (fields[c].empty()) continue;
      const auto row = static_cast<lxw_row_t>(r);
      const auto col = static_cast<lxw_col_t>(c);
      try {
        worksheet_write_number(sheet, row, col, StrToFloat(fields[c]), nullptr);
      } catch (const Error&) {
        worksheet_write_string(sheet, row, col, fields[c].c_str(), nullptr);
      }
    }
  }
}

std::string PartText(const std::string& path, const std::string& part) {
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  EXPECT_NE(zip, nullptr);
  zip_stat_t stat;
  zip_stat(zip, part.c_str(), 0, &stat);
  std::string text(stat.size, '\0');
  zip_file_t* file = zip_fopen(zip, part.c_str(), 0);
  zip_fread(file, text.data(), text.size());
  zip_fclose(file);
  zip_discard(zip);
  return text;
}

// Replaces the first `from` in a part of the package with `to`.
void PatchPart(const std::string& path, const std::string& part, const std::string& from,
               const std::string& to) {
  std::string text = PartText(path, part);
  const std::size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), 0, &error);
  zip_source_t* source = zip_source_buffer(zip, text.data(), text.size(), 0);
  ASSERT_GE(zip_file_add(zip, part.c_str(), source, ZIP_FL_OVERWRITE), 0);
  ASSERT_EQ(zip_close(zip), 0);
}

const char* kTitle = "TABLE:  Element Forces - Columns";
const char* kNames =
    "Story,Column,Unique Name,Output Case,Case Type,Step Type,Step Number,Step Label,Station,P,V2,"
    "V3,T,M2,M3,Element,Elem Station,Location";
const char* kUnits = ",,,,,,,,ft,kip,kip,kip,kip-ft,kip-ft,kip-ft,,ft,";

std::vector<std::string> ForceLines() {
  return {kTitle,
          kNames,
          kUnits,
          "Story4,C1,91,Dead,LinStatic,,,,0,-17.678,-0.882,-0.235,0.0002,-1.1079,-4.0642,91,0,",
          "Story4,C1,91,Modal,LinModEigen,Mode,1,Mode 1,0,0.5,1,1,1,3.1,2.2,91,0,",
          "Story4,C1,91,D+L,Combination,,,,5.0042,-22.178,1,1,3.432E-05,-1.4071,-5.134,91,5.0042,",
          "Story 3,C2,92,-ENV1.5,Combination,Max,,,0,0.1,1,1,1,1E-300,123456.7890123456,92,0,",
          "Story 3,C2,92,-ENV1.5,Combination,Min,,,0,-50,1,1,1,-1,-2,92,0,"};
}

void ExpectSameImport(const ForceTable& a, const ForceTable& b) {
  ASSERT_EQ(a.Count, b.Count);
  ASSERT_EQ(a.records.size(), b.records.size());
  for (std::size_t r = 0; r < a.records.size(); ++r) {
    // Exactly the same doubles, not merely close ones.
    EXPECT_EQ(a.records[r].P, b.records[r].P) << "record " << r;
    EXPECT_EQ(a.records[r].Mx, b.records[r].Mx) << "record " << r;
    EXPECT_EQ(a.records[r].My, b.records[r].My) << "record " << r;
  }
  EXPECT_EQ(a.labels, b.labels);
  EXPECT_EQ(a.rowsRead, b.rowsRead);
  EXPECT_EQ(a.stories, b.stories);
  EXPECT_EQ(a.columns, b.columns);
  EXPECT_EQ(std::tie(a.cP, a.cMx, a.cMy), std::tie(b.cP, b.cMx, b.cMy));
}

TEST_F(WorkbookTest, RealEtabsWorkbookImportsAsTheCsvCutFromIt) {
  const std::string book = kEtabsDir + "etabs19_model_and_forces.xlsx";
  const std::string csv = kEtabsDir + "etabs19_element_forces_columns_kip-ft.csv";
  ASSERT_TRUE(fs::exists(book)) << book;
  for (int cases : {0, 1}) {  // combinations only; every case but the modal rows
    MapForm fromBook, fromCsv;
    fromBook.SetItemIndex("ComboBox11", cases);
    fromCsv.SetItemIndex("ComboBox11", cases);
    ForceTable a, b;
    ImportForces(fromBook, a, book);
    ImportForces(fromCsv, b, csv);
    ExpectSameImport(a, b);
    EXPECT_EQ(a.Count, cases == 0 ? 384 : 768);
    EXPECT_EQ(a.sheet, "Element Forces - Columns");
    EXPECT_EQ(fromBook.Text("Label66"), fromCsv.Text("Label66"));
    EXPECT_EQ(fromBook.Text("Label125"), fromCsv.Text("Label125"));
    for (int row = 0; row <= 4; ++row) {
      for (int col = 0; col <= 4; ++col)
        EXPECT_EQ(fromBook.GridCell("StringGrid2", col, row), fromCsv.GridCell("StringGrid2", col, row));
    }
  }
}

TEST_F(WorkbookTest, RealWorkbooksListTheirTablesForOtherReaders) {
  const Workbook forces(kEtabsDir + "etabs19_model_and_forces.xlsx");
  EXPECT_EQ(forces.Sheets().size(), 10u);
  EXPECT_EQ(ForceSheetChoices(forces), std::vector<std::string>{"Element Forces - Columns"});
  EXPECT_EQ(forces.Find("frame assigns - summary"), 2);
  EXPECT_EQ(forces.Find("Frame Assignments - Summary"), 2);  // by its title

  const std::string text = WorkbookTableText(
      kEtabsDir + "etabs22_model_definition.xlsx",
      "Frame Section Property Definitions - Concrete Rectangular", {{"Depth", "Width"}, {}});
  const std::vector<std::string_view> lines = SplitTextLines(text);
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ(lines[0], "TABLE:  Frame Section Property Definitions - Concrete Rectangular");
  EXPECT_EQ(lines[1].substr(0, 36), "Name,Material,From File?,Depth,Width");
  EXPECT_EQ(lines[2].substr(0, 9), ",,,mm,mm,");
  const std::string missing = ErrorOf(
      [] { WorkbookTableText(kEtabsDir + "etabs22_model_definition.xlsx", "Element Forces"); });
  EXPECT_NE(missing.find("中没有表格 \"Element Forces\"; 其中的工作表有: \"Program Control\""),
            std::string::npos)
      << missing;
}

// ETABS section names hold commas; the section and assignment tables of a
// workbook keep them, so that the names match those of the CSV exports.
TEST_F(WorkbookTest, SectionNamesKeepTheirCommas) {
  const std::string book = kEtabsDir + "etabs22_model_definition.xlsx";
  const std::string name = "EXACTA 18 (117.5x125) (+10%W , 10%TODO)";
  const EtabsSections sections = ReadEtabsSectionFile(book);
  EXPECT_TRUE(std::any_of(sections.sections.begin(), sections.sections.end(),
                          [&name](const LibrarySection& s) { return s.name == name; }));
  int withComma = 0;
  for (const AssignmentRule& rule : ReadAssignmentFile(book))
    withComma += rule.section.find(',') != std::string::npos;
  EXPECT_GT(withComma, 0);
  // The force import still reads every comma as a field's end.
  EXPECT_EQ(Workbook(book).SheetText(Workbook(book).Find("Frame Sec Def - Conc Rect")).find(name),
            std::string::npos);
}

TEST_F(WorkbookTest, SheetImportsAsTheSameLinesWithSharedOrInlineStrings) {
  MapForm lineForm;
  ForceTable expected;
  lineForm.SetItemIndex("ComboBox11", 1);
  ImportForceLines(lineForm, expected, ForceLines());
  for (bool inlineStrings : {false, true}) {
    const std::string path = Path(inlineStrings ? "inline.xlsx" : "shared.xlsx");
    MakeWorkbook(path, [](lxw_workbook* book) {
      workbook_add_worksheet(book, "Program Control");
      WriteLines(workbook_add_worksheet(book, "Element Forces - Columns"), ForceLines());
    }, inlineStrings);
    MapForm form;
    form.SetItemIndex("ComboBox11", 1);
    ForceTable table;
    ImportForces(form, table, path);
    ExpectSameImport(table, expected);
  }
}

TEST_F(WorkbookTest, CellsOfEveryKindBecomeTheirCsvText) {
  const std::string path = Path("kinds.xlsx");
  MakeWorkbook(path, [](lxw_workbook* book) {
    lxw_worksheet* s = workbook_add_worksheet(book, "Kinds");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    worksheet_write_string(s, 0, 0, "TABLE:  Kinds", nullptr);
    worksheet_write_number(s, 1, 0, 0.1, nullptr);
    worksheet_write_number(s, 1, 3, -2.5e-7, nullptr);  // columns B, C absent
    worksheet_write_boolean(s, 1, 4, 1, nullptr);
    worksheet_write_formula_num(s, 1, 5, "=A2*10", nullptr, 1.0000000000000002);
    worksheet_write_string(s, 1, 6, "a,b", nullptr);
    // Row 3 absent, row 4 a date and a text with a line break.
    lxw_datetime day = {2024, 3, 15, 0, 0, 0};
    worksheet_write_datetime(s, 3, 0, &day, date);
    worksheet_write_string(s, 3, 1, "two\nlines", nullptr);
  });
  // Excel stores 17 digits where a double needs them; the writer library
  // only 16, so the cached value is patched in.
  PatchPart(path, "xl/worksheets/sheet1.xml", "<f>A2*10</f><v>1</v>",
            "<f>A2*10</f><v>1.0000000000000002</v>");
  const Workbook book(path);
  ASSERT_EQ(book.Sheets().size(), 1u);
  EXPECT_EQ(book.Sheets()[0].title, "Kinds");
  EXPECT_EQ(book.SheetText(0),
            "TABLE:  Kinds\n"
            "0.1,,,-2.5E-07,TRUE,1.0000000000000002,a;b\n"
            "\n"
            "2024-03-15,two lines\n");
}

// The table with one cell replaced by a date (through the writer) or by an
// error value (patched into the sheet).
std::string TableWithDateAt(const std::string& path, lxw_row_t row, lxw_col_t col) {
  MakeWorkbook(path, [&](lxw_workbook* book) {
    lxw_worksheet* s = workbook_add_worksheet(book, "Element Forces - Columns");
    WriteLines(s, ForceLines());
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "d/m/yyyy");
    lxw_datetime day = {2024, 3, 15, 12, 0, 0};
    worksheet_write_datetime(s, row, col, &day, date);
  });
  return path;
}

TEST_F(WorkbookTest, DatesAndErrorsAreRefusedByCellWhereANumberIsRead) {
  MapForm form;
  form.SetItemIndex("ComboBox11", 1);
  ForceTable table;
  ImportForceLines(form, table, {"h", "1,2,3,4,5,6,7,8,9,10"});
  ASSERT_EQ(table.Count, 1);

  // P of the combination in row 6: refused by its reference, nothing changed.
  const std::string dateInP = TableWithDateAt(Path("p.xlsx"), 5, 9);
  EXPECT_EQ(ErrorOf([&] { ImportForces(form, table, dateInP); }),
            "单元格 'Element Forces - Columns'!J6 (P) 是日期 (2024-03-15 12:00:00), 不是数值; "
            "未导入任何内力。");
  EXPECT_EQ(table.Count, 1);

  // An error value in M3 likewise.
  const std::string errorInM3 = Path("m3.xlsx");
  MakeWorkbook(errorInM3, [](lxw_workbook* book) {
    WriteLines(workbook_add_worksheet(book, "Element Forces - Columns"), ForceLines());
  });
  PatchPart(errorInM3, "xl/worksheets/sheet1.xml", "<c r=\"O7\"><v>123456.7890123456</v></c>",
            "<c r=\"O7\" t=\"e\"><v>#VALUE!</v></c>");
  EXPECT_EQ(ErrorOf([&] { ImportForces(form, table, errorInM3); }),
            "单元格 'Element Forces - Columns'!O7 (M3) 是错误值 #VALUE!, 不是数值; 未导入任何内力。");
  EXPECT_EQ(table.Count, 1);

  // In a field that is not read as a number, a date is text: the case name.
  ImportForces(form, table, TableWithDateAt(Path("case.xlsx"), 5, 3));
  EXPECT_EQ(table.Count, 4);
  EXPECT_EQ(table.labels[2], "Story4 / C1 / 2024-03-15 12:00:00 / 5.0042 ft");

  // Read by field numbers (no title), the numbered fields are the read ones.
  const std::string numbered = Path("numbered.xlsx");
  MakeWorkbook(numbered, [](lxw_workbook* book) {
    lxw_worksheet* s = workbook_add_worksheet(book, "Forces");
    WriteLines(s, {"name,a,b,c,P,e,f,g,My,Mx", "C1,0,0,0,-100,0,0,0,5,6"});
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy/mm/dd");
    lxw_datetime day = {2020, 1, 2, 0, 0, 0};
    worksheet_write_datetime(s, 1, 8, &day, date);
  });
  EXPECT_EQ(ErrorOf([&] { ImportForces(form, table, numbered); }),
            "单元格 'Forces'!I2 是日期 (2020-01-02), 不是数值; 未导入任何内力。");
  form.SetText("Edit56", "8");
  ImportForces(form, table, numbered);
  EXPECT_EQ(table.Count, 1);
  EXPECT_EQ(table.records[1].P, 100);
}

TEST_F(WorkbookTest, SheetIsChosenByNameOrTitleAndAmbiguityIsRefused) {
  const std::string path = Path("two.xlsx");
  MakeWorkbook(path, [](lxw_workbook* book) {
    std::vector<std::string> beams = ForceLines();
    beams[0] = "TABLE:  Element Forces - Beams";
    WriteLines(workbook_add_worksheet(book, "Beams"), beams);
    WriteLines(workbook_add_worksheet(book, "Braces"), beams);
  });
  MapForm form;
  ForceTable table;
  const std::string message = ErrorOf([&] { ImportForces(form, table, path); });
  EXPECT_NE(message.find("多个可以导入的工作表 (\"Beams\", \"Braces\")"), std::string::npos) << message;
  ImportForceWorkbook(form, table, path, "element forces - beams");
  EXPECT_EQ(table.sheet, "Beams");
  EXPECT_EQ(table.Count, 3);
  EXPECT_NE(ErrorOf([&] { ImportForceWorkbook(form, table, path, "Columns"); })
                .find("没有工作表 \"Columns\"; 其中的工作表有: \"Beams\" (TABLE: Element Forces - "
                      "Beams), \"Braces\""),
            std::string::npos);
}

TEST_F(WorkbookTest, FilesThatAreNotWorkbooksAreRefusedAndChangeNothing) {
  MapForm form;
  ForceTable table;
  ImportForceLines(form, table, {"h", "1,2,3,4,5,6,7,8,9,10"});
  auto refusal = [&](const std::string& path) {
    const std::string message = ErrorOf([&] { ImportForces(form, table, path); });
    EXPECT_EQ(table.Count, 1) << path;
    return message;
  };
  auto write = [this](const std::string& name, const std::string& bytes) {
    std::ofstream(Path(name), std::ios::binary) << bytes;
    return Path(name);
  };
  const std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  std::string encrypted = compound + std::string(600, '\0');
  for (char c : std::string("EncryptedPackage")) encrypted += std::string{c, '\0'};

  EXPECT_NE(refusal(write("renamed.xlsx", "TABLE:  x\n")).find("不是 zip 压缩包"), std::string::npos);
  EXPECT_NE(refusal(write("old.xls", compound + std::string(600, 'x'))).find("(.xls)"),
            std::string::npos);
  EXPECT_NE(refusal(write("locked.xlsx", encrypted)).find("加密"), std::string::npos);

  const std::string plainZip = Path("plain.xlsx");
  int error = 0;
  zip_t* zip = zip_open(plainZip.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  static const char kText[] = "hello";
  zip_file_add(zip, "readme.txt", zip_source_buffer(zip, kText, 5, 0), 0);
  zip_file_add(zip, "xl/workbook.bin", zip_source_buffer(zip, kText, 5, 0), 0);
  ASSERT_EQ(zip_close(zip), 0);
  EXPECT_NE(refusal(plainZip).find("(.xlsb)"), std::string::npos);
}

TEST_F(WorkbookTest, EntriesThatInflatePastTheLimitsAreRefused) {
  const std::string path = Path("big.xlsx");
  MakeWorkbook(path, [](lxw_workbook* book) {
    lxw_worksheet* s = workbook_add_worksheet(book, "Sheet1");
    for (lxw_row_t r = 0; r < 2000; ++r) worksheet_write_number(s, r, 0, 1.0, nullptr);
  });
  EXPECT_NO_THROW(Workbook{path});
  WorkbookLimits entry;
  entry.entryBytes = 20000;
  EXPECT_NE(ErrorOf([&] { Workbook book(path, entry); }).find("解压后超过 20000 字节"),
            std::string::npos);
  WorkbookLimits total;
  total.totalBytes = 30000;
  EXPECT_NE(ErrorOf([&] { Workbook book(path, total); }).find("总共超过 30000 字节"),
            std::string::npos);
  WorkbookLimits ratio;
  ratio.ratioFloorBytes = 1000;
  ratio.ratio = 5;  // 2000 equal rows compress far better than that
  EXPECT_NE(ErrorOf([&] { Workbook book(path, ratio); }).find("倍以上"), std::string::npos);
}

// The sheet's text read with the given limits, or the refusal.
std::string TextOrRefusal(const std::string& path, const WorkbookLimits& limits,
                          std::size_t* pieces = nullptr) {
  try {
    const Workbook book(path, limits);
    const std::string text = book.SheetText(0, {{"P", "M2", "M3"}, {}});
    if (pieces != nullptr) *pieces = book.SheetPieces();
    return text;
  } catch (const Error& e) {
    return std::string("refused: ") + e.what();
  }
}

TEST_F(WorkbookTest, SheetsReadInPiecesOnThreadsGiveTheSameTextOrTheSameRefusal) {
  WorkbookLimits whole;
  whole.splitBytes = std::numeric_limits<std::uint64_t>::max();
  WorkbookLimits rowByRow;  // every row a piece of its own
  rowByRow.splitBytes = 0;
  rowByRow.pieceBytes = 1;
  WorkbookLimits fewRows = rowByRow;
  fewRows.pieceBytes = 900;

  std::vector<std::string> lines = ForceLines();
  lines.insert(lines.begin() + 5, 2, "");  // rows 6 and 7 absent
  lines.push_back("Story 1,C3,93,D+L,Combination,,,,0,-1,1,1,1,1,1,93,0,é a,b");
  const std::string sheet = "xl/worksheets/sheet1.xml";
  // Each case: the inline strings workbook or not, then a patch of its sheet.
  struct Case {
    bool inlineStrings;
    std::string from, to;
    bool splits;  // whether the rows can be read one by one
  };
  const std::vector<Case> cases = {
      {false, "", "", true},
      {true, "", "", true},
      // What a cut in the bytes could fall into: the cut is not taken.
      {false, "<row r=\"5\"", "<!-- </row> --><row r=\"5\"", false},
      {false, "<row r=\"5\"", "<?note </row>?><row r=\"5\"", false},
      {true, "<t>Story4</t>", "<t><![CDATA[St</row>ory4]]></t>", false},
      // Rows that need the rows before them.
      {false, "<row r=\"5\"", "<row", false},
      {false, "<row r=\"8\"", "<row r=\"4\"", false},
      {false, "<row r=\"5\"", "<c r=\"A4\"><v>7</v></c><row r=\"5\"", false},
      // Damage, dates, errors: refused exactly as read in one piece.
      {false, "<row r=\"8\"", "<row r=\"8\" x=\"<\"", false},
      {false, "<c r=\"J8\"", "<c r=\"J8\" t=\"e\"", false},
      {false, "<c r=\"N8\"", "<c r=\"N8\" t=\"d\"", false},
      // The part in another encoding is left whole.
      {true, "encoding=\"UTF-8\"", "encoding=\"ISO-8859-1\"", false},
      // Nothing after the end of the rows counts.
      {false, "</sheetData>", "</sheetData><x><row r=\"99\"><c r=\"A99\"><v>1</v></c></row></x>",
       true},
      // Cells outside rows and rows inside rows, whole or cut at the inner
      // row's end: refused alike, naming the sheet's own rows (they gave
      // "\n1\n\n" in one piece and "1\n\n" in pieces, or lost row 5).
      {false, "<row r=\"1\"", "<c><v>1</v></c><row r=\"1\"", false},
      {false, "<row r=\"5\"", "<c r=\"E5\"><v>-9002</v></c><row r=\"5\"", false},
      {false, "<row r=\"4\"", "<row r=\"4\"><row r=\"40\"><c><v>1</v></c></row>", false},
      {false, "<c r=\"J8\"", "<c r=\"J8\"><sheetData/></c><c r=\"J8\"", false},
      {false, "<c r=\"J8\"", "<c r=\"I8\"><c r=\"J8\"><v>1</v></c></c><c r=\"J8\"", false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const std::string path = Path("pieces" + std::to_string(i) + ".xlsx");
    MakeWorkbook(path, [&](lxw_workbook* book) {
      WriteLines(workbook_add_worksheet(book, "Element Forces - Columns"), lines);
    }, c.inlineStrings);
    if (!c.from.empty()) PatchPart(path, sheet, c.from, c.to);
    const std::string expected = TextOrRefusal(path, whole);
    std::size_t pieces = 0;
    EXPECT_EQ(TextOrRefusal(path, rowByRow, &pieces), expected) << "case " << i;
    if (expected.rfind("refused", 0) != 0 && std::thread::hardware_concurrency() > 1) {
      EXPECT_EQ(pieces > 1, c.splits) << "case " << i;
    }
    EXPECT_EQ(TextOrRefusal(path, fewRows), expected) << "case " << i;
  }
  // Every sheet of the real ETABS workbooks.
  for (const char* name : {"etabs19_model_and_forces.xlsx", "etabs22_model_definition.xlsx"}) {
    const Workbook inOne(kEtabsDir + name, whole), inPieces(kEtabsDir + name, fewRows);
    for (int i = 0; i < static_cast<int>(inOne.Sheets().size()); ++i) {
      EXPECT_EQ(inPieces.SheetText(i), inOne.SheetText(i)) << name << " sheet " << i;
      if (std::thread::hardware_concurrency() > 1) {
        EXPECT_GT(inPieces.SheetPieces(), 1u) << name << " sheet " << i;
      }
    }
  }
  // The pieces joined: blank lines where rows are absent, the last row whole.
  const std::string text = TextOrRefusal(Path("pieces0.xlsx"), rowByRow);
  const std::vector<std::string_view> read = SplitTextLines(text);
  ASSERT_EQ(read.size(), lines.size());
  EXPECT_EQ(read[4], lines[4].substr(0, lines[4].size() - 1));
  EXPECT_EQ(read[5], "");
  EXPECT_EQ(read[6], "");
  EXPECT_EQ(read.back(), lines.back());
}

TEST_F(WorkbookTest, ResultWorkbookReadsBackToTheSameNumbers) {
  const std::vector<double> values = {0.1, -1485.2716354411321, 1e-300, 123456.78901234567,
                                      -0.0, 2.0 / 3.0};
  ResultSheet sheet;
  sheet.name = "验算比值";
  sheet.header = {"组合", "P", "比值"};
  sheet.formats = {"", "0", "0.000"};
  for (std::size_t i = 0; i < values.size(); ++i) {
    sheet.rows.push_back({ResultCell::Text("Story 1 / C" + std::to_string(i)),
                          ResultCell::Number(values[i]), ResultCell::Number(values[i] * 3)});
    sheet.fills.push_back(i % 2 == 0 ? 0xFF0000 : kNoFill);
  }
  const std::string path = Path("result.xlsx");
  WriteResultWorkbook(path, {sheet});

  const Workbook book(path);
  ASSERT_EQ(book.Sheets().size(), 1u);
  EXPECT_EQ(book.Sheets()[0].name, "验算比值");
  const std::string text = book.SheetText(0);
  const std::vector<std::string_view> lines = SplitTextLines(text);
  ASSERT_EQ(lines.size(), values.size() + 1);
  EXPECT_EQ(lines[0], "组合,P,比值");
  for (std::size_t i = 0; i < values.size(); ++i) {
    CsvFields fields;
    SplitCsvLine(std::string(lines[i + 1]), fields);
    EXPECT_EQ(fields[0], "Story 1 / C" + std::to_string(i));
    // The stored values, not the shown "0" and "0.000"; the writer library
    // keeps 16 significant digits.
    EXPECT_NEAR(StrToFloat(fields[1]), values[i], 1e-15 * std::fabs(values[i]));
    EXPECT_NEAR(StrToFloat(fields[2]), values[i] * 3, 3e-15 * std::fabs(values[i]));
  }
  // The header row stays in view.
  EXPECT_NE(PartText(path, "xl/worksheets/sheet1.xml").find("state=\"frozen\""), std::string::npos);
}

}  // namespace
}  // namespace kuma

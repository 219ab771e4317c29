// Workbooks, section files and ETABS tables made to break the readers, run
// through kumasec-cli: each is refused with a message naming the sheet (or
// the section), or read as it should be, within bounded memory. The small
// workbooks are in tests/data/workbooks (written by tests/fuzz/
// make_workbooks.py, their sheets in the workbook_sheet fuzz corpus); the
// large ones are made here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_runner.h"

namespace kuma::test {
namespace {

const fs::path kBooks = fs::path(KUMA_TEST_DATA_DIR) / "workbooks";

std::string Book(const std::string& name) { return (kBooks / name).string(); }

class HostileWorkbook : public CliFolderTest {
 protected:
  HostileWorkbook() : CliFolderTest("kumasec-hostile-") {}

  // Runs the command; it must fail with status 1 (not a signal), print
  // nothing and say every one of `words` on standard error.
  void ExpectRefused(const std::vector<std::string>& args, const std::vector<std::string>& words) {
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 1) << args.back() << ": " << run.err;
    EXPECT_EQ(run.out, "") << args.back();
    for (const std::string& word : words)
      EXPECT_NE(run.err.find(word), std::string::npos) << args.back() << ": " << run.err;
  }
};

// The peak resident memory of one run of kumasec-cli, in KiB, and its exit
// status (-1 for a signal): the run is a child of its own, so no earlier
// run counts.
std::pair<long, int> PeakKilobytes(const std::vector<std::string>& args) {
  std::vector<std::string> all = {KUMA_CLI_PATH};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return {usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// A workbook of one sheet "Element Forces - Columns" whose sheet part is
// `rows` inside a sheetData, and whose one shared string is `shared`.
void WriteWorkbook(const fs::path& path, const std::string& rows, const std::string& shared = "") {
  const std::string rels =
      "<Relationships><Relationship Id=\"r1\" Type=\"x/officeDocument\" "
      "Target=\"xl/workbook.xml\"/></Relationships>";
  const std::string book =
      "<workbook><sheets><sheet name=\"Element Forces - Columns\" r:id=\"s1\"/></sheets>"
      "</workbook>";
  const std::string links =
      "<Relationships><Relationship Id=\"s1\" Type=\"x/worksheet\" "
      "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"s2\" Type=\"x/sharedStrings\" "
      "Target=\"strings.xml\"/></Relationships>";
  const std::string sheet = "<worksheet><sheetData>" + rows + "</sheetData></worksheet>";
  const std::string strings = "<sst><si><t>" + shared + "</t></si></sst>";
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(zip, nullptr);
  for (const auto& [name, text] : {std::pair{"_rels/.rels", &rels},
                                   {"xl/workbook.xml", &book},
                                   {"xl/_rels/workbook.xml.rels", &links},
                                   {"xl/worksheets/sheet1.xml", &sheet},
                                   {"xl/strings.xml", &strings}}) {
    zip_source_t* source = zip_source_buffer(zip, text->data(), text->size(), 0);
    ASSERT_GE(zip_file_add(zip, name, source, ZIP_FL_OVERWRITE), 0);
  }
  ASSERT_EQ(zip_close(zip), 0);
}

std::string Cell(const std::string& ref, const std::string& text) {
  return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// An ETABS force table of `count` combinations (P = -row, M2 = 1, M3 = 2)
// as sheet rows and as the CSV text of its export.
std::pair<std::string, std::string> ForceSheet(int count) {
  std::string rows = "<row r=\"1\">" + Cell("A1", "TABLE:  Element Forces - Columns") + "</row>" +
                     "<row r=\"2\">" + Cell("A2", "Story") + Cell("B2", "Column") +
                     Cell("C2", "Output Case") + Cell("D2", "Case Type") + Cell("E2", "P") +
                     Cell("F2", "M2") + Cell("G2", "M3") + "</row>" + "<row r=\"3\">" +
                     Cell("E3", "kN") + Cell("F3", "kN-m") + Cell("G3", "kN-m") + "</row>";
  std::string csv =
      "TABLE:  Element Forces - Columns\nStory,Column,Output Case,Case Type,P,M2,M3\n"
      ",,,,kN,kN-m,kN-m\n";
  for (int r = 4; r < count + 4; ++r) {
    const std::string n = std::to_string(r);
    rows += "<row r=\"" + n + "\">" + Cell("A" + n, "S1") + Cell("B" + n, "C" + n) +
            Cell("C" + n, "c") + Cell("D" + n, "Combination") + "<c r=\"E" + n + "\"><v>-" + n +
            "</v></c><c r=\"F" + n + "\"><v>1</v></c><c r=\"G" + n + "\"><v>2</v></c></row>";
    csv += "S1,C" + n + ",c,Combination,-" + n + ",1,2\n";
  }
  return {rows, csv};
}

// A cell before any row crashed every reader of the sheet's head.
TEST_F(HostileWorkbook, ACellBeforeAnyRowIsRefusedNamingTheSheet) {
  const std::string book = Book("repro_cell_before_row.xlsx");
  const std::string project = (dir_ / "p.ksec").string();
  ASSERT_EQ(Cli({"library-add", project, "S1"}).status, 0);
  const std::string damaged = "工作表 \"Element Forces - Columns\" 已损坏: 单元格不在任何一行中";
  ExpectRefused({"import", book}, {damaged});
  ExpectRefused({"check", book}, {damaged});
  ExpectRefused({"building", project, Book("etabs_forces.xlsx"), "--assign", book}, {damaged});
}

// A cell between row 4 and row 5 was glued to row 5's line and row 5 lost
// (2 combinations became 1); a row inside a row shifted every later line.
TEST_F(HostileWorkbook, CellsBelongToRowsAndMessagesNameTheSheetsOwnRows) {
  const CliRun whole = Cli({"import", Book("etabs_forces.xlsx")});
  ASSERT_EQ(whole.status, 0) << whole.err;
  EXPECT_EQ(Lines(whole.out).at(0), "导入内力组合的总数量 = 2 (共读取 2 行数据)");
  ExpectRefused({"import", Book("repro_cell_between_rows.xlsx")},
                {"单元格 \"E5\" 不在任何一行中 (第 4 行之后)"});
  ExpectRefused({"import", Book("repro_nested_row.xlsx")}, {"第 1 行中又有一行 (行号 \"2\")"});
}

// "Forces" (a plain table, P = -9002) and "FORCES" (the ETABS table, P =
// -100 and -200): each name reads its own sheet, the automatic choice the
// ETABS table, a name matching both only in case neither.
TEST_F(HostileWorkbook, EachSheetNameReadsItsOwnSheet) {
  const std::string book = Book("repro_sheet_case.xlsx");
  const std::string etabs = "\"N,max\",200,40,30,S1 / C1 / c2";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"import", book}, {"--sheet", "FORCES", "import", book}}) {
    const CliRun run = Cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out).at(0), "导入内力组合的总数量 = 2 (共读取 2 行数据)");
    EXPECT_EQ(Lines(run.out).at(2), etabs);
  }
  const CliRun plain = Cli({"--sheet", "Forces", "import", book});
  ASSERT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(Lines(plain.out).at(2), "\"N,max\",9002,2,1,组合 1");
  ExpectRefused({"--sheet", "forces", "import", book},
                {"有多个工作表的名称与 \"forces\" 只差大小写 (\"Forces\", \"FORCES\")"});
}

// A 1 MiB shared string referenced by 2 000 cells took 4.1 GB; a cell in
// column XFD on 100 000 rows 2.4 GB. Now the first is refused by its cell,
// the second read up to the fields the import takes, both in well under
// 1 GB (the bound for files under 100 MB).
TEST_F(HostileWorkbook, MemoryStaysBoundedWhateverTheCellsReference) {
  const auto [longPeak, longStatus] =
      PeakKilobytes({"import", Book("repro_long_shared_string.xlsx")});
  EXPECT_EQ(longStatus, 1);
  EXPECT_LT(longPeak, 1000000) << "KiB";
  ExpectRefused({"import", Book("repro_long_shared_string.xlsx")},
                {"工作表 \"Element Forces - Columns\" 的单元格 A6 有 1048576 个字符"});

  const auto [farPeak, farStatus] = PeakKilobytes({"import", Book("repro_far_column.xlsx")});
  EXPECT_EQ(farStatus, 0);
  EXPECT_LT(farPeak, 1000000) << "KiB";
  const CliRun far = Cli({"import", Book("repro_far_column.xlsx")});
  EXPECT_EQ(Lines(far.out).at(0), "导入内力组合的总数量 = 2 (共读取 2 行数据)");

  // A string of a cell's length referenced often enough to pass the bound
  // on a sheet's text (166 MB for a small file): refused naming the sheet
  // and the row it was reached in.
  std::string rows = ForceSheet(2).first;
  for (int r = 6; r < 6500; ++r) {
    const std::string n = std::to_string(r);
    rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>0</v></c></row>";
  }
  WriteWorkbook(dir_ / "many.xlsx", rows, std::string(30000, 'x'));
  const auto [manyPeak, manyStatus] = PeakKilobytes({"import", (dir_ / "many.xlsx").string()});
  EXPECT_EQ(manyStatus, 1);
  EXPECT_LT(manyPeak, 1000000) << "KiB";
  ExpectRefused({"import", (dir_ / "many.xlsx").string()},
                {"工作表 \"Element Forces - Columns\" 的内容到第 ", " 字节"});
}

// A sheet part above 8 MB is read in pieces on several threads: it gives
// what its CSV export gives, and a row inside a row far down is named by
// its own number, as read in one piece.
TEST_F(HostileWorkbook, ALargeSheetReadInPiecesGivesWhatItsExportGives) {
  auto [rows, csv] = ForceSheet(30000);
  ASSERT_GT(rows.size(), 8u << 20);
  WriteWorkbook(dir_ / "large.xlsx", rows);
  std::ofstream(dir_ / "large.csv") << csv;
  const CliRun fromBook = Cli({"import", (dir_ / "large.xlsx").string()});
  const CliRun fromCsv = Cli({"import", (dir_ / "large.csv").string()});
  ASSERT_EQ(fromBook.status, 0) << fromBook.err;
  EXPECT_EQ(fromBook.out, fromCsv.out);

  const std::string at = "<row r=\"25000\">";
  rows.insert(rows.find(at) + at.size(), "<row r=\"25001\"><c><v>1</v></c></row>");
  WriteWorkbook(dir_ / "nested.xlsx", rows);
  ExpectRefused({"import", (dir_ / "nested.xlsx").string()},
                {"第 25000 行中又有一行 (行号 \"25001\")"});
}

// A truncated workbook says so, with the zip library's reason.
TEST_F(HostileWorkbook, ATruncatedWorkbookIsDamagedOrIncomplete) {
  const std::string bytes = ReadFile(Book("etabs_forces.xlsx"));
  std::ofstream(dir_ / "cut.xlsx", std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  ExpectRefused(
      {"import", (dir_ / "cut.xlsx").string()},
      {"文件已损坏或不完整: \"" + (dir_ / "cut.xlsx").string() + "\"", "(Not a zip archive)"});
}

// A workbook of other tables says at once that it holds no force table and
// which tables it holds, instead of asking to choose among them.
TEST_F(HostileWorkbook, AWorkbookWithoutAForceTableNamesTheTablesItHolds) {
  ExpectRefused({"import", Book("no_force_table.xlsx")},
                {"工作簿中没有内力表",
                 "其中的表格有: \"Story Definitions\", \"Materials\" (TABLE: "
                 "Material Properties - General)"});
  const std::string definitions =
      std::string(KUMA_SHARED_DATA_DIR) + "/etabs/etabs22_model_definition.xlsx";
  ExpectRefused({"check", definitions},
                {"工作簿中没有内力表",
                 "\"Frame Sec Def - Conc Rect\" (TABLE: Frame Section Property "
                 "Definitions - Concrete Rectangular)"});
}

// A library of 100 000 sections opened in 30 s (every pair of names was
// compared, and the JSON reader looked through the whole list after every
// section); it opens in linear time now (the time is in bench/), one more
// section is refused, a name given twice is named.
TEST_F(HostileWorkbook, ALibraryOfAHundredThousandSectionsOpens) {
  auto write = [this](const std::string& name, int count, const std::string& last) {
    std::ofstream out(dir_ / name);
    out << "{\"format\": \"KumaSec section\", \"version\": 2, \"section\": {\"type\": 1},\n"
           "\"library\": {\"current\": \"S1\", \"sections\": [\n";
    for (int i = 1; i <= count; ++i) {
      const std::string n = i == count ? last : "S" + std::to_string(i);
      out << "{\"name\": \"" << n << "\", \"type\": 1, \"boxes\": {\"Edit1\": \""
          << 200 + i % 7 * 100 << "\"}}" << (i < count ? ",\n" : "\n");
    }
    out << "]}, \"assignments\": [{\"story\": \"*\", \"column\": \"*\", \"section\": \"S1\"}]}\n";
    return (dir_ / name).string();
  };
  const CliRun opened = Cli({"--project", write("many.ksec", 100000, "S100000"), "stats"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(Lines(opened.out).at(0), "Edit36=4840000");  // the file's own form: 2200 x 2200
  ExpectRefused({"--project", write("more.ksec", 100001, "S100001"), "stats"},
                {"截面库有 100001 个截面，超过了能读取的 100000 个"});
  ExpectRefused({"--project", write("twice.ksec", 100000, "S17"), "stats"}, {"截面名称“S17”重复"});
}

}  // namespace
}  // namespace kuma::test

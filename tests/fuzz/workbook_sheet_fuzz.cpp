// The workbook reader on any sheet: the input is the XML of the one sheet
// of a small workbook (with a few shared strings and a date style), packed
// and opened as the force import opens a workbook. The sheet's text is read
// in one piece and in pieces on two threads, the pieces cut after a few
// bytes (a size of the input's choosing): both readings must give the same
// text or the same refusal, a kuma::Error. The import of the sheet ends in
// the checks every import ends in.

#include <unistd.h>
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "forces/forces.h"
#include "forces/workbook.h"
#include "fuzz_checks.h"

namespace {

using namespace kuma;

const std::string kRels =
    "<Relationships><Relationship Id=\"r1\" Type=\"x/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";
const std::string kBook =
    "<workbook><workbookPr date1904=\"0\"/><sheets><sheet name=\"Element Forces - Columns\" "
    "r:id=\"s1\"/><sheet name=\"FORCES\" r:id=\"s1\"/></sheets></workbook>";
const std::string kLinks =
    "<Relationships><Relationship Id=\"s1\" Type=\"x/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"s2\" Type=\"x/sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"s3\" Type=\"x/styles\" Target=\"styles.xml\"/></Relationships>";
const std::string kStrings =
    "<sst><si><t>TABLE:  Element Forces - Columns</t></si><si><t>P</t></si><si><t>M2</t></si>"
    "<si><t>M3</t></si><si><t>a,\"b\"</t></si><si><r><t>Sto</t></r><r><t>ry</t></r>"
    "<rPh><t>x</t></rPh></si></sst>";
const std::string kStyles =
    "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy-mm-dd\"/></numFmts>"
    "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/><xf numFmtId=\"164\"/></cellXfs>"
    "</styleSheet>";

// The workbook holding `sheet`, written to a file of this process.
std::string WriteBook(const std::string& sheet) {
  static const std::string path = "/tmp/kuma-fuzz-workbook-" + std::to_string(::getpid()) + ".xlsx";
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) fuzz::Fail("cannot write the workbook");
  const std::pair<const char*, const std::string*> parts[] = {
      {"_rels/.rels", &kRels},
      {"xl/workbook.xml", &kBook},
      {"xl/_rels/workbook.xml.rels", &kLinks},
      {"xl/sharedStrings.xml", &kStrings},
      {"xl/styles.xml", &kStyles},
      {"xl/worksheets/sheet1.xml", &sheet}};
  for (const auto& [name, text] : parts) {
    zip_source_t* source = zip_source_buffer(zip, text->data(), text->size(), 0);
    const zip_int64_t index = zip_file_add(zip, name, source, ZIP_FL_OVERWRITE);
    if (index < 0) fuzz::Fail("cannot add a part");
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0) fuzz::Fail("cannot close the workbook");
  return path;
}

std::string TextOrRefusal(const std::string& path, const WorkbookLimits& limits,
                          const NumberFields& fields, bool quoted, int columns) {
  try {
    const Workbook book(path, limits);
    return book.SheetText(0, fields, quoted, columns);
  } catch (const Error& e) {
    return std::string("refused: ") + e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 200000) return 0;
  const std::string sheet(reinterpret_cast<const char*>(data), size);
  const std::string path = WriteBook(sheet);
  WorkbookLimits whole;
  whole.splitBytes = UINT64_MAX;
  whole.textBytes = 1 << 20;  // small enough to be reached
  whole.cellChars = 200;
  WorkbookLimits pieces = whole;
  pieces.splitBytes = 0;
  pieces.workers = 2;
  pieces.pieceBytes = 1 + size % 97;
  const bool byNames = size % 2 == 0;
  const NumberFields fields =
      byNames ? NumberFields{{"P", "M2", "M3"}, {}} : NumberFields{{}, {5, 10, 9}};
  const int columns = byNames ? 256 : 40 + static_cast<int>(size % 3);
  const std::string one = TextOrRefusal(path, whole, fields, !byNames, columns);
  const std::string split = TextOrRefusal(path, pieces, fields, !byNames, columns);
  if (one != split) fuzz::Fail("read in pieces:\n" + split + "\nread in one piece:\n" + one);

  MapForm form;
  ForceTable table;
  try {
    ImportForceWorkbook(form, table, path, size % 3 == 0 ? "FORCES" : "");
  } catch (const Error&) {
    if (table.Count != 0) fuzz::Fail("a refused import changed the table");
    return 0;
  }
  fuzz::CheckImported(form, table);
  return 0;
}

// The force import on any bytes, as the window and kumasec-cli import a
// file: ImportForceBytes after the file is read. Inputs of even length are
// imported in the automatic mode, those of odd length read by field names,
// so that the ETABS table reader sees all kinds of input at the cost of one
// import each. A refusal must be a kuma::Error that leaves the
// table as it was; an import must leave forces in range that can be saved,
// reopened and drawn.
//
// A reader of another file type (a workbook) gets a target of its own,
// <type>_fuzz.cpp named in tests/fuzz/CMakeLists.txt with a corpus folder of
// the same name, that ends in the same fuzz::CheckImported.

#include <cstddef>
#include <cstdint>
#include <string>

#include "forces/forces.h"
#include "fuzz_checks.h"

namespace {

using namespace kuma;

void CheckImport(MapForm& form, const std::string& bytes) {
  ForceTable table;
  table.fileName = "before.csv";
  try {
    ImportForceBytes(form, table, bytes, "fuzz.csv");
  } catch (const Error&) {
    if (table.fileName != "before.csv" || table.Count != 0)
      fuzz::Fail("a refused import changed the table");
    return;
  }
  fuzz::CheckImported(form, table);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  MapForm form;
  form.SetItemIndex("ComboBox10", size % 2 == 0 ? 0 : 2);
  CheckImport(form, bytes);
  return 0;
}

// kumasec-cli's form reader on any bytes, as --form reads a file:
// ApplyFormText after the file is read. A refusal must be a usage error or
// a kuma::Error; values accepted must be UTF-8, convert without undefined
// behaviour, feed the import's field numbers and factors, and save to a
// section file that opens again.

#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/form_reader.h"
#include "forces/forces.h"
#include "fuzz_checks.h"
#include "model/gbk.h"

namespace {

using namespace kuma;

// A small table read by the field numbers and factors of the form.
constexpr const char* kTable = "header\n1,2,3,4,5,6,7,8,9,10,11,12\n-3,4,5,6,7,8,9,10,11,12\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  MapForm form;
  try {
    ApplyFormText(form, text, "fuzz.form");
  } catch (const UsageError&) {
    return 0;
  } catch (const Error&) {
    return 0;
  }
  for (const ControlText& box : InitialTexts()) {
    if (!IsValidUtf8(form.Text(box.name))) fuzz::Fail("a box holds text that is not UTF-8");
    try {
      form.Integer(box.name);
    } catch (const Error&) {
    }
    try {
      form.Float(box.name);
    } catch (const Error&) {
    }
  }
  ForceTable table;
  try {
    ImportForceBytes(form, table, kTable, "fuzz.csv");
    fuzz::CheckForceTable(table);
    fuzz::DrawForces(table);
  } catch (const Error&) {
  }
  fuzz::CheckSavesAndReopens(form, MaterialColours(), table);
  return 0;
}

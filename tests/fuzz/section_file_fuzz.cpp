// The section-file reader on any bytes, as the window and kumasec-cli open a
// file: ParseSectionFile after the file is read. A refusal must be a
// kuma::Error; a file accepted must put values in the form whose
// conversions are defined, and saving it again must give a file that opens
// to the same text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_checks.h"

namespace {

using namespace kuma;

void ConvertEveryBox(const Form& form) {
  for (const ControlText& box : InitialTexts()) {
    try {
      form.Float(box.name);
    } catch (const Error&) {
    }
    try {
      form.Integer(box.name);
    } catch (const Error&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SectionFile file;
  try {
    file = ParseSectionFile(text, "fuzz.ksec");
  } catch (const Error&) {
    return 0;
  }
  MapForm form;
  AppState state;
  ApplySectionFile(file, form, state);
  fuzz::CheckForceTable(state.forceTable);
  ConvertEveryBox(form);
  fuzz::DrawForces(state.forceTable);

  const std::string saved = SectionFileText(form, state);
  SectionFile again;
  try {
    again = ParseSectionFile(saved, "saved.ksec");
  } catch (const Error& e) {
    fuzz::Fail(std::string("a saved section file is refused: ") + e.what());
  }
  MapForm form2;
  AppState state2;
  ApplySectionFile(again, form2, state2);
  if (SectionFileText(form2, state2) != saved) fuzz::Fail("saving a reopened file changed it");
  return 0;
}

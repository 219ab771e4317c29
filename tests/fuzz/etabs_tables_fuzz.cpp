// The ETABS model tables on any text, as the library page and the building
// check read them: section definitions (with their reinforcing) and section
// assignments. A refusal must be a kuma::Error; sections read must have
// names the library takes and sizes that are numbers and finite, and go
// into a library at once; every rule read matches its own story and column.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "forces/etabs_tables.h"
#include "fuzz_checks.h"
#include "model/section_library.h"

namespace {

using namespace kuma;

void CheckSection(const LibrarySection& s) {
  try {
    CheckSectionName(s.name);
  } catch (const Error& e) {
    fuzz::Fail(std::string("a section name the library refuses: ") + e.what());
  }
  MapForm form;
  ApplyLibrarySection(s, form);
  for (const char* box : {"Edit1", "Edit2", "Edit3", "Edit7"}) {
    double value = 0;
    try {
      value = form.Float(box);
    } catch (const Error& e) {
      fuzz::Fail(std::string("a box that is not a number: ") + e.what());
    }
    if (!std::isfinite(value)) fuzz::Fail(std::string("a size that is not finite in ") + box);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const EtabsSections read = ReadEtabsSectionDefinitions(text);
    SectionLibrary library;
    for (const LibrarySection& s : read.sections) CheckSection(s);
    PutSections(library, read.sections);
    if (library.sections.size() > read.sections.size()) fuzz::Fail("more sections than read");
  } catch (const Error&) {
  }
  try {
    const std::vector<AssignmentRule> rules = ReadAssignmentRules(text);
    for (const AssignmentRule& rule : rules) {
      if (MatchRule(rules, rule.story, rule.column) == nullptr)
        fuzz::Fail("a rule does not match its own story and column");
    }
  } catch (const Error&) {
  }
  return 0;
}

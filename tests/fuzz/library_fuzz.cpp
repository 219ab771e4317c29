// The library and the assignments of a section file on any text, as the
// window and kumasec-cli open a file. A refusal must be a kuma::Error; a
// library read holds at most kMaxLibrarySections sections of distinct
// names the library takes, each of which fills a form; saved with its
// assignments and opened again, it is the same library.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "fuzz_checks.h"
#include "model/section_library.h"

namespace {

using namespace kuma;

void CheckLibrary(const SectionLibrary& library) {
  if (library.sections.size() > kMaxLibrarySections) fuzz::Fail("more sections than the bound");
  std::unordered_set<std::string> names;
  for (const LibrarySection& s : library.sections) {
    if (!names.insert(s.name).second) fuzz::Fail("a name given twice: " + s.name);
    try {
      CheckSectionName(s.name);
    } catch (const Error& e) {
      fuzz::Fail(std::string("a name the library refuses: ") + e.what());
    }
    MapForm form;
    ApplyLibrarySection(s, form);
  }
  if (library.current >= static_cast<int>(library.sections.size()))
    fuzz::Fail("the current section is not in the library");
}

bool SameLibrary(const SectionLibrary& a, const SectionLibrary& b) {
  if (a.sections.size() != b.sections.size() || a.rules.size() != b.rules.size()) return false;
  for (std::size_t i = 0; i < a.sections.size(); ++i) {
    const LibrarySection &x = a.sections[i], &y = b.sections[i];
    if (x.name != y.name || x.sectionType != y.sectionType || x.material != y.material)
      return false;
  }
  for (std::size_t i = 0; i < a.rules.size(); ++i) {
    const AssignmentRule &x = a.rules[i], &y = b.rules[i];
    if (x.story != y.story || x.column != y.column || x.section != y.section ||
        x.section2 != y.section2)
      return false;
  }
  return true;
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
  CheckLibrary(file.library);
  MapForm form;
  AppState state;
  ApplySectionFile(file, form, state);
  if (file.library.implicitOne) return 0;  // written back only once edited
  SectionLibrary library = file.library;
  library.current = -1;  // the form's section would be written as the form holds it
  const std::string saved =
      WithLibrary(SectionFileText(form, state.colours, state.forceTable), library, form);
  SectionFile again;
  try {
    again = ParseSectionFile(saved, "saved.ksec");
  } catch (const Error& e) {
    fuzz::Fail(std::string("a saved library is refused: ") + e.what());
  }
  if (!(library.sections.empty() && library.rules.empty()) && !SameLibrary(library, again.library))
    fuzz::Fail("a saved library opens as another");
  return 0;
}

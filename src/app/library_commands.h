#pragma once
// Edits of the section library that say what they did, shared by the page
// "截面库" and kumasec-cli: ETABS section definitions merged into the
// library, the assignments applied or read from a file.

#include <string>
#include <vector>

#include "model/form.h"
#include "model/section_library.h"
#include "model/state.h"

namespace kuma {

// One line for each thing a merge did: the sections added, replaced, kept
// (the library's own, the one read dropped) and added under a new name.
std::vector<std::string> MergeNotes(const SectionMerge& merge);

// `kumasec-cli library-import PROJECT FILE`: the ETABS section definitions
// of FILE (CSV or workbook; of sheet `sheet` alone when not empty) into the
// library of the section file PROJECT (created with the form as its own
// section when missing), names the library holds met as `clash` says;
// written atomically. `notes` receives the import's notes and then the
// merge's; `read` the sections as read, before the merge.
SectionMerge LibraryImportCommand(const std::string& project, const Form& form,
                                  const MaterialColours& colours, const std::string& file,
                                  const std::string& sheet, NameClash clash,
                                  std::vector<std::string>& notes,
                                  std::vector<LibrarySection>& read);

// What the assignments of `library` do: how many rules, and with the
// building's forces read, how many of the building's columns get a section
// of the library, name one the library lacks or match no rule.
std::string AssignmentNote(const SectionLibrary& library, const ForceTable& building);

}  // namespace kuma

#pragma once
// The library of named sections in a section file (format version 2): the
// form edits one of them at a time; the file keeps them all with the
// assignments of the building. A file without a library (version 1) opens
// as a library of one section, named after the file.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/form.h"
#include "model/library.h"

namespace kuma {

// The form as a library section called `name` (every box but the
// statistics, every list but the kind, which is the section type).
LibrarySection SectionFromForm(const Form& form, const std::string& name);
// The form as section `section`: its name and ETABS materials kept, the
// rest as the form holds it now.
LibrarySection FormAsSection(const Form& form, const LibrarySection& section);
// Puts a library section into the form: every box and list not named by the
// section gets its initial text or entry, then the section's own.
void ApplyLibrarySection(const LibrarySection& section, Form& form);

// Copies what the form does not hold (the ETABS material name and origin,
// the mark of a definition without reinforcement) from `from` into `to`, a
// section just taken from the form.
void KeepOrigin(const LibrarySection& from, LibrarySection& to);
// True when the section's boxes lay longitudinal bars (rows times bars, or
// corner bundles); false also when a count box does not hold an integer.
bool HasBars(const LibrarySection& section);
// A reinforced concrete section read from ETABS without reinforcement that
// has not been given bars since: it is listed "未配筋" and never checked.
bool AwaitsBars(const LibrarySection& section);
// Lays no bars: zero rows and zero corner bars (the other boxes stay).
void ClearBars(LibrarySection& section);

// A section name is refused when empty, longer than 200 bytes, or holding a
// line break; raises kuma::Error saying why.
void CheckSectionName(const std::string& name);
// The most sections a library holds; a file or an import of more is
// refused.
inline constexpr std::size_t kMaxLibrarySections = 100000;

// Adds the section, replacing the one of the same name; returns its position.
int PutSection(SectionLibrary& library, LibrarySection section);
// Puts every one of `sections` as PutSection does, in time linear in the
// sections of both; raises kuma::Error, changing nothing, when the library
// would hold more than kMaxLibrarySections or a name is refused.
void PutSections(SectionLibrary& library, std::vector<LibrarySection> sections);
// Renames section `index`; refuses a name already in use by another section.
void RenameSection(SectionLibrary& library, int index, const std::string& name);
// Copies section `index` under a new name; returns the copy's position.
int DuplicateSection(SectionLibrary& library, int index, const std::string& name);
// Removes section `index`; the form's section moves with the list.
void DeleteSection(SectionLibrary& library, int index);
// What becomes of a section read from elsewhere (ETABS definitions) whose
// name the library already holds: it replaces the library's, the library's
// is kept and the new one dropped, or the new one is added under a name not
// yet used ("P20x20 (2)").
enum class NameClash { Replace, KeepMine, Rename };
// What a merge did, section by section, in the order read.
struct SectionMerge {
  std::vector<std::string> added, replaced, kept;
  std::vector<std::pair<std::string, std::string>> renamed;  // name read, name given
  bool formDetached = false;  // the form's section was replaced: the form is no longer it
};
// The names of `incoming` the library already holds, each once, in order.
std::vector<std::string> ClashingNames(const SectionLibrary& library,
                                       const std::vector<LibrarySection>& incoming);
// Adds `incoming` to the library, meeting each name the library held before
// as `clash` says. A section replaced while the form edits it leaves the
// form as typed but no longer the library's section (current -1), so that
// saving does not write the form over the section just read.
SectionMerge MergeSections(SectionLibrary& library, std::vector<LibrarySection> incoming,
                           NameClash clash);
// The rules whose section or comparison section is `section`, in order.
std::vector<AssignmentRule> RulesNaming(const std::vector<AssignmentRule>& rules,
                                        const std::string& section);
// A rule as the memo writes it: "story,column,section[,section2]".
std::string RuleText(const AssignmentRule& rule);

// A name not yet in the library: `base`, else `base (2)`, `base (3)` ...
std::string UnusedSectionName(const SectionLibrary& library, const std::string& base);

// The first rule matching a row of `story` and `column`, or nullptr.
const AssignmentRule* MatchRule(const std::vector<AssignmentRule>& rules, std::string_view story,
                                std::string_view column);

// The section file text `fileText` (as SectionFileText writes it) with the
// library and the assignments added; the form's section (library.current)
// is written as the form holds it now. An empty library adds nothing.
std::string WithLibrary(std::string fileText, const SectionLibrary& library, const Form& form);

// The section name a file without a library gives its one section: the
// file's name without folder and suffix.
std::string SectionNameOfPath(const std::string& path);

}  // namespace kuma

#pragma once
// Section files: everything the engineer typed or chose (the section kind,
// every box and list of the form, the five colours, the imported forces with
// what the import page showed of them, the building's forces, the library
// and its assignments) as one JSON document with a format name and a version
// at the top. The reader knows every key the writer writes.
//
// Reading is separated from applying: a file is parsed and checked in full
// first, so a file that is refused leaves the form exactly as it was.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/form.h"
#include "model/library.h"
#include "model/state.h"

namespace kuma {

inline constexpr const char* kSectionFileFormat = "KumaSec section";
// Raised only for changes older programs cannot read; additions keep it.
inline constexpr int kSectionFileVersion = 2;
inline constexpr const char* kSectionFileSuffix = "ksec";

// A section file read and checked, not yet applied to a form.
struct SectionFile {
  int sectionType = 1;                                     // 1..8
  std::vector<std::pair<std::string, std::string>> texts;  // box -> text, known boxes only
  std::vector<std::pair<std::string, int>> lists;          // list -> 0-based position
  MaterialColours colours;
  ForceTable forces;
  ForceTable buildingForces;  // the forces of the page "楼栋验算"
  // The library of named sections and the assignments; a file without one
  // gives its own section as a library of one.
  SectionLibrary library;
  // Parts of the file this program does not know (from a newer version),
  // ignored; one readable line each.
  std::vector<std::string> warnings;
};

// True for the boxes the commands write (the statistics): they are results,
// not inputs, and are neither saved nor restored.
bool IsOutputBox(std::string_view name);

// The section file of the form and the state, UTF-8 JSON. Equal forms and
// states give equal texts, so the text also serves to tell whether anything
// changed since the last save.
std::string SectionFileText(const Form& form, const AppState& state);
// The same from the parts a section file holds besides the form.
std::string SectionFileText(const Form& form, const MaterialColours& colours,
                            const ForceTable& forces);
std::string SectionFileText(const Form& form, const MaterialColours& colours,
                            const ForceTable& forces, const ForceTable& building);
// True when two force tables would be saved alike (records 1..Count, names,
// stories and columns, settings, file name, units, captions and the same grid). Much cheaper than
// comparing saved texts.
bool SameForces(const ForceTable& a, const ForceTable& b);
// Writes SectionFileText atomically; raises Error when it cannot, leaving an
// existing file as it was.
void SaveSectionFile(const std::string& path, const Form& form, const AppState& state);

// Parses and checks a section file's text; raises Error naming what is wrong
// (not a section file, damaged, truncated, from a newer version). `path`
// only names the file in messages.
SectionFile ParseSectionFile(std::string_view text, const std::string& path);
// Reads the file and parses it.
SectionFile ReadSectionFile(const std::string& path);

// Puts the file into the form (a box or list the file does not name gets its
// initial text or entry) and the colours and forces into the state; the design
// check and the capacity surface, which belonged to the old section, are
// cleared. The caller relabels the form and runs the current page's command.
void ApplySectionFile(const SectionFile& file, Form& form, AppState& state);

}  // namespace kuma

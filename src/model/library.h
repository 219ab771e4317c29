#pragma once
// The library of named sections a section file holds, and the rules that
// say which column of the building has which section. Plain data only: the
// reading, writing and editing live in model/section_library.h.

#include <string>
#include <utility>
#include <vector>

namespace kuma {

// One named section: everything the form holds for it (the kind, every box
// and list of the form), as a section file stores the form.
struct LibrarySection {
  std::string name;
  int sectionType = 1;                                     // 1..8
  std::vector<std::pair<std::string, std::string>> texts;  // box -> text
  std::vector<std::pair<std::string, int>> lists;          // list -> 0-based position
  // The material name of an ETABS section definition the section came from
  // (empty for sections made on the form), and the material of its
  // longitudinal bars when the definitions give their reinforcing.
  std::string material;
  std::string rebarMaterial;
  // Read from an ETABS section definition (whose Design Type does not tell a
  // column from a beam: only the building's force table does).
  bool fromEtabs = false;
  // The definition held no reinforcement: the section was given no bars and
  // stays unchecked ("未配筋") until the engineer gives it some.
  bool withoutBars = false;
};

// A rule of the assignments: story and column are names or "*" (any). The
// first rule that matches a force row gives its section; `section2`, when
// not empty, is the section it is compared with ("对比截面").
struct AssignmentRule {
  std::string story, column, section, section2;
  // The column's position for the seismic detailing: 0 中柱/边柱, 1 角柱,
  // 2 框支柱; -1 the position the section itself is given.
  int position = -1;
};

struct SectionLibrary {
  std::vector<LibrarySection> sections;
  std::vector<AssignmentRule> rules;
  int current = -1;  // the section the form came from; -1 none
  // The library of one that a file without a library opens as: not written
  // back until it is edited, so such a file saves as it was.
  bool implicitOne = false;

  // Position of the section called `name`, or -1.
  int Find(const std::string& name) const {
    for (std::size_t i = 0; i < sections.size(); ++i)
      if (sections[i].name == name) return static_cast<int>(i);
    return -1;
  }
};

}  // namespace kuma

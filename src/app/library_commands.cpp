#include "app/library_commands.h"

#include <filesystem>
#include <system_error>

#include "analysis/building_check.h"
#include "forces/etabs_tables.h"
#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/section_file.h"

namespace kuma {

namespace {

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

// The form of `form` copied into a map form (boxes and lists only).
void CopyForm(const Form& form, MapForm& copy) {
  ApplyLibrarySection(SectionFromForm(form, "form"), copy);
}

}  // namespace

std::vector<std::string> MergeNotes(const SectionMerge& merge) {
  std::vector<std::string> notes;
  if (!merge.added.empty())
    notes.push_back("新增 " + std::to_string(merge.added.size()) + " 个截面");
  if (!merge.replaced.empty())
    notes.push_back("替换了截面库中的同名截面: " + NameList(merge.replaced));
  if (!merge.kept.empty())
    notes.push_back("保留了截面库中的同名截面 (未读入文件中的): " + NameList(merge.kept));
  if (!merge.renamed.empty()) {
    std::vector<std::string> pairs;
    for (const auto& [read, given] : merge.renamed) pairs.push_back(read + " → " + given);
    notes.push_back("同名截面改名读入: " + NameList(pairs));
  }
  if (merge.formDetached)
    notes.push_back("表单的截面已被替换: 表单保留输入的内容, 不再对应截面库中的截面");
  return notes;
}

SectionMerge LibraryImportCommand(const std::string& project, const Form& form,
                                  const MaterialColours& colours, const std::string& file,
                                  const std::string& sheet, NameClash clash,
                                  std::vector<std::string>& notes,
                                  std::vector<LibrarySection>& sections) {
  EtabsSections read = ReadEtabsSectionFile(file, sheet);  // before the project is touched
  sections = read.sections;
  std::error_code error;
  MapForm fileForm;
  AppState fileState;
  if (std::filesystem::exists(project, error)) {
    ApplySectionFile(ReadSectionFile(project), fileForm, fileState);
  } else {
    CopyForm(form, fileForm);
    fileState.colours = colours;
  }
  notes = read.notes;
  notes.insert(notes.begin(), "读入 " + std::to_string(read.sections.size()) + " 个截面");
  SectionMerge merge = MergeSections(fileState.library, std::move(read.sections), clash);
  for (std::string& note : MergeNotes(merge)) notes.push_back(std::move(note));
  WriteFileAtomic(project, SectionFileText(fileForm, fileState));
  return merge;
}

std::string AssignmentNote(const SectionLibrary& library, const ForceTable& building) {
  std::string note =
      library.rules.empty()
          ? std::string("没有截面指定 (截面库只有一个截面或表单的截面时, 各柱取该截面)")
          : "已应用 " + std::to_string(library.rules.size()) + " 条截面指定";
  if (CheckedCount(building) <= 0) return note;
  BuildingCheck plan;
  try {
    plan = PlanBuildingCheck(building, library);
  } catch (const Error& e) {
    return note + "; " + e.what();
  }
  int held = 0, missing = 0, unmatched = 0;
  for (const BuildingColumn& c : plan.columns) {
    if (c.section.empty()) {
      ++unmatched;
    } else if (c.sectionIndex < 0) {
      ++missing;
    } else {
      ++held;
    }
  }
  note += "; 楼栋内力的 " + std::to_string(plan.columns.size()) + " 根柱中 " +
          std::to_string(held) + " 根有截面库中的截面";
  if (missing > 0) note += ", " + std::to_string(missing) + " 根指定的截面不在截面库中";
  if (unmatched > 0) note += ", " + std::to_string(unmatched) + " 根没有匹配的截面指定";
  return note;
}

}  // namespace kuma

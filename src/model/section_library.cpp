#include "model/section_library.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "model/controls/section_page.h"
#include "model/errors.h"
#include "model/library_json.h"
#include "model/numfmt.h"
#include "model/section.h"
#include "model/section_file.h"

namespace kuma {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kKindList = "ComboBox1";
constexpr std::size_t kMaxNameBytes = 200;

Json SectionJson(const LibrarySection& section) {
  Json json = Json::object();
  json["name"] = section.name;
  json["type"] = section.sectionType;
  if (!section.material.empty()) json["material"] = section.material;
  if (!section.rebarMaterial.empty()) json["rebarMaterial"] = section.rebarMaterial;
  if (section.fromEtabs) json["etabs"] = true;
  if (section.withoutBars) json["unreinforced"] = true;
  Json boxes = Json::object();
  for (const auto& [box, text] : section.texts) boxes[box] = text;
  json["boxes"] = std::move(boxes);
  Json lists = Json::object();
  for (const auto& [name, index] : section.lists) {
    for (const ListEntries& list : DropDownLists()) {
      if (name != list.name) continue;
      if (index >= 0 && static_cast<std::size_t>(index) < list.entries.size()) {
        lists[name] = list.entries[static_cast<std::size_t>(index)];
      } else {
        lists[name] = index;
      }
    }
  }
  json["lists"] = std::move(lists);
  return json;
}

Json RuleJson(const AssignmentRule& rule) {
  Json json{{"story", rule.story}, {"column", rule.column}, {"section", rule.section}};
  if (!rule.section2.empty()) json["section2"] = rule.section2;
  if (rule.position >= 0) json["position"] = rule.position;
  return json;
}

// Indents every line but the first by `indent` blanks, so that a value
// dumped on its own sits inside the document.
std::string Indented(const std::string& text, const std::string& indent) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
}

[[noreturn]] void Damaged(const std::string& path, const std::string& what) {
  throw Error("截面文件“" + path + "”已损坏：" + what);
}

std::string TextAt(const Json& object, const char* key, const std::string& where,
                   const std::string& path, bool required) {
  auto it = object.find(key);
  if (it == object.end()) {
    if (required) Damaged(path, "“" + where + "." + key + "”缺失。");
    return {};
  }
  if (!it->is_string()) Damaged(path, "“" + where + "." + key + "”应为文本。");
  return it->get<std::string>();
}

bool FlagAt(const Json& object, const char* key, const std::string& where,
            const std::string& path) {
  auto it = object.find(key);
  if (it == object.end()) return false;
  if (!it->is_boolean()) Damaged(path, "“" + where + "." + key + "”应为 true 或 false。");
  return it->get<bool>();
}

// One section of the library, read with the section file's own reader of
// the form part, so that boxes and lists are checked alike.
LibrarySection ParseSectionEntry(const Json& entry, const std::string& where,
                                 const std::string& path, std::vector<std::string>& warnings) {
  if (!entry.is_object()) Damaged(path, "“" + where + "”应为一组键值。");
  LibrarySection section;
  section.name = TextAt(entry, "name", where, path, true);
  try {
    CheckSectionName(section.name);
  } catch (const Error& e) {
    Damaged(path, "“" + where + ".name”：" + e.what());
  }
  section.material = TextAt(entry, "material", where, path, false);
  section.rebarMaterial = TextAt(entry, "rebarMaterial", where, path, false);
  section.fromEtabs = FlagAt(entry, "etabs", where, path);
  section.withoutBars = FlagAt(entry, "unreinforced", where, path);
  Json form = Json::object();
  form["format"] = kSectionFileFormat;
  form["version"] = 1;
  if (entry.contains("type")) form["section"] = Json{{"type", entry["type"]}};
  if (entry.contains("boxes")) form["boxes"] = entry["boxes"];
  if (entry.contains("lists")) form["lists"] = entry["lists"];
  const SectionFile parsed = ParseSectionFile(form.dump(), path);
  section.sectionType = parsed.sectionType;
  section.texts = parsed.texts;
  section.lists = parsed.lists;
  for (const std::string& warning : parsed.warnings)
    warnings.push_back(section.name + "：" + warning);
  return section;
}

// A rule's column position: 0, 1 or 2; -1 (the section's own) when the
// rule names none, as in files written before rules had one.
int PositionAt(const Json& rule, const std::string& where, const std::string& path) {
  auto it = rule.find("position");
  if (it == rule.end()) return -1;
  if (!it->is_number_integer() || it->get<long long>() < -1 || it->get<long long>() > 2)
    Damaged(path, "“" + where + ".position”应为 -1、0、1 或 2。");
  return static_cast<int>(it->get<long long>());
}

std::vector<AssignmentRule> ParseRules(const Json& rules, const std::string& path) {
  if (!rules.is_array()) Damaged(path, "“assignments”应为列表。");
  std::vector<AssignmentRule> out;
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const std::string where = "assignments[" + std::to_string(i + 1) + "]";
    const Json& rule = rules[i];
    if (!rule.is_object()) Damaged(path, "“" + where + "”应为一组键值。");
    out.push_back(AssignmentRule{TextAt(rule, "story", where, path, true),
                                 TextAt(rule, "column", where, path, true),
                                 TextAt(rule, "section", where, path, true),
                                 TextAt(rule, "section2", where, path, false)});
    out.back().position = PositionAt(rule, where, path);
  }
  return out;
}

}  // namespace

void KeepOrigin(const LibrarySection& from, LibrarySection& to) {
  to.material = from.material;
  to.rebarMaterial = from.rebarMaterial;
  to.fromEtabs = from.fromEtabs;
  to.withoutBars = from.withoutBars;
}

bool HasBars(const LibrarySection& section) {
  MapForm form;
  ApplyLibrarySection(section, form);
  auto count = [&form](const char* box) {
    try {
      return std::max(0, StrToInt(form.Text(box)));
    } catch (const Error&) {
      return 0;
    }
  };
  // Row and bar counts are below 1e9 each, so the products fit.
  long long bars = 1LL * count(ctl::kBarRowsXBox) * count(ctl::kBarCountXBox);
  if (section.sectionType == RectRc)
    bars +=
        1LL * count(ctl::kBarRowsYBox) * count(ctl::kBarCountYBox) + count(ctl::kCornerBarCountBox);
  return bars > 0;
}

bool AwaitsBars(const LibrarySection& section) {
  const bool concrete = section.sectionType == RectRc || section.sectionType == CircleRc;
  return section.withoutBars && concrete && !HasBars(section);
}

void ClearBars(LibrarySection& section) {
  MapForm form;
  ApplyLibrarySection(section, form);
  for (const char* box : {ctl::kBarRowsXBox, ctl::kBarRowsYBox, ctl::kCornerBarCountBox})
    form.SetText(box, "0");
  LibrarySection cleared = SectionFromForm(form, section.name);
  KeepOrigin(section, cleared);
  section = std::move(cleared);
}

LibrarySection SectionFromForm(const Form& form, const std::string& name) {
  LibrarySection section;
  section.name = name;
  section.sectionType = form.ItemIndex(kKindList) + 1;
  for (const ControlText& c : InitialTexts()) {
    if (!IsOutputBox(c.name)) section.texts.emplace_back(c.name, form.Text(c.name));
  }
  for (const ListEntries& list : DropDownLists()) {
    if (std::string_view(list.name) != kKindList)
      section.lists.emplace_back(list.name, form.ItemIndex(list.name));
  }
  return section;
}

LibrarySection FormAsSection(const Form& form, const LibrarySection& section) {
  LibrarySection now = SectionFromForm(form, section.name);
  KeepOrigin(section, now);
  return now;
}

void ApplyLibrarySection(const LibrarySection& section, Form& form) {
  for (const ControlText& c : InitialTexts()) {
    if (!IsOutputBox(c.name)) form.SetText(c.name, c.text);
  }
  for (const auto& [name, text] : section.texts) form.SetText(name, text);
  for (const ListEntries& list : DropDownLists()) form.SetItemIndex(list.name, 0);
  for (const auto& [name, index] : section.lists) form.SetItemIndex(name, index);
  form.SetItemIndex(kKindList, section.sectionType - 1);
}

void CheckSectionName(const std::string& name) {
  if (name.empty()) throw Error("截面名称不能为空");
  if (name.size() > kMaxNameBytes) throw Error("截面名称过长（最多 200 字节）");
  if (name.find_first_of("\r\n") != std::string::npos) throw Error("截面名称不能含换行");
}

int PutSection(SectionLibrary& library, LibrarySection section) {
  library.implicitOne = false;
  CheckSectionName(section.name);
  const int found = library.Find(section.name);
  if (found >= 0) {
    library.sections[static_cast<std::size_t>(found)] = std::move(section);
    return found;
  }
  library.sections.push_back(std::move(section));
  return static_cast<int>(library.sections.size()) - 1;
}

void PutSections(SectionLibrary& library, std::vector<LibrarySection> sections) {
  std::unordered_map<std::string, std::size_t> position;
  for (std::size_t i = 0; i < library.sections.size(); ++i)
    position.emplace(library.sections[i].name, i);  // the first of a name, as Find
  std::size_t added = 0;
  for (const LibrarySection& s : sections) {
    CheckSectionName(s.name);
    if (position.emplace(s.name, library.sections.size() + added).second) ++added;
  }
  if (library.sections.size() + added > kMaxLibrarySections) {
    throw Error("截面库最多容纳 " + std::to_string(kMaxLibrarySections) + " 个截面，导入后将有 " +
                std::to_string(library.sections.size() + added) + " 个");
  }
  library.implicitOne = false;
  library.sections.reserve(library.sections.size() + added);
  for (LibrarySection& s : sections) {
    const std::size_t at = position.at(s.name);
    if (at < library.sections.size()) {
      library.sections[at] = std::move(s);
    } else {
      library.sections.push_back(std::move(s));
    }
  }
}

void RenameSection(SectionLibrary& library, int index, const std::string& name) {
  library.implicitOne = false;
  CheckSectionName(name);
  const int found = library.Find(name);
  if (found >= 0 && found != index) throw Error("截面库中已有名为“" + name + "”的截面");
  library.sections.at(static_cast<std::size_t>(index)).name = name;
}

int DuplicateSection(SectionLibrary& library, int index, const std::string& name) {
  library.implicitOne = false;
  CheckSectionName(name);
  if (library.Find(name) >= 0) throw Error("截面库中已有名为“" + name + "”的截面");
  LibrarySection copy = library.sections.at(static_cast<std::size_t>(index));
  copy.name = name;
  library.sections.push_back(std::move(copy));
  return static_cast<int>(library.sections.size()) - 1;
}

void DeleteSection(SectionLibrary& library, int index) {
  library.implicitOne = false;
  if (index < 0 || static_cast<std::size_t>(index) >= library.sections.size()) return;
  library.sections.erase(library.sections.begin() + index);
  if (library.current == index) {
    library.current = -1;
  } else if (library.current > index) {
    --library.current;
  }
}

std::string UnusedSectionName(const SectionLibrary& library, const std::string& base) {
  if (library.Find(base) < 0) return base;
  for (int n = 2;; ++n) {
    std::string name = base + " (" + std::to_string(n) + ")";
    if (library.Find(name) < 0) return name;
  }
}

namespace {

// The names of the library's sections, for lookups in constant time.
std::unordered_set<std::string> NamesOf(const SectionLibrary& library) {
  std::unordered_set<std::string> names;
  names.reserve(library.sections.size());
  for (const LibrarySection& s : library.sections) names.insert(s.name);
  return names;
}

// `base`, else `base (2)`, `base (3)` ... the first not in `used`.
std::string UnusedName(const std::unordered_set<std::string>& used, const std::string& base) {
  if (used.count(base) == 0) return base;
  for (int n = 2;; ++n) {
    std::string name = base + " (" + std::to_string(n) + ")";
    if (used.count(name) == 0) return name;
  }
}

}  // namespace

std::vector<std::string> ClashingNames(const SectionLibrary& library,
                                       const std::vector<LibrarySection>& incoming) {
  const std::unordered_set<std::string> held = NamesOf(library);
  std::unordered_set<std::string> seen;
  std::vector<std::string> names;
  for (const LibrarySection& s : incoming) {
    if (held.count(s.name) > 0 && seen.insert(s.name).second) names.push_back(s.name);
  }
  return names;
}

SectionMerge MergeSections(SectionLibrary& library, std::vector<LibrarySection> incoming,
                           NameClash clash) {
  const std::unordered_set<std::string> held = NamesOf(library);
  std::unordered_set<std::string> used = held, replaced, kept;
  SectionMerge merge;
  std::vector<LibrarySection> put;
  put.reserve(incoming.size());
  for (LibrarySection& s : incoming) {
    CheckSectionName(s.name);
    if (held.count(s.name) == 0) {
      merge.added.push_back(s.name);
      used.insert(s.name);
    } else if (clash == NameClash::KeepMine) {
      if (kept.insert(s.name).second) merge.kept.push_back(s.name);
      continue;
    } else if (clash == NameClash::Rename) {
      std::string name = UnusedName(used, s.name);
      used.insert(name);
      merge.renamed.emplace_back(s.name, name);
      s.name = std::move(name);
    } else if (replaced.insert(s.name).second) {
      merge.replaced.push_back(s.name);
    }
    put.push_back(std::move(s));
  }
  const int current = library.current;
  const bool formReplaced =
      current >= 0 && replaced.count(library.sections[static_cast<std::size_t>(current)].name) > 0;
  PutSections(library, std::move(put));  // all or nothing
  if (formReplaced) {
    library.current = -1;
    merge.formDetached = true;
  }
  return merge;
}

std::vector<AssignmentRule> RulesNaming(const std::vector<AssignmentRule>& rules,
                                        const std::string& section) {
  std::vector<AssignmentRule> naming;
  for (const AssignmentRule& rule : rules)
    if (rule.section == section || rule.section2 == section) naming.push_back(rule);
  return naming;
}

std::string RuleText(const AssignmentRule& rule) {
  std::string text = rule.story + "," + rule.column + "," + rule.section;
  if (!rule.section2.empty()) text += "," + rule.section2;
  return text;
}

const AssignmentRule* MatchRule(const std::vector<AssignmentRule>& rules, std::string_view story,
                                std::string_view column) {
  for (const AssignmentRule& rule : rules) {
    if ((rule.story == "*" || rule.story == story) && (rule.column == "*" || rule.column == column))
      return &rule;
  }
  return nullptr;
}

std::string WithLibrary(std::string fileText, const SectionLibrary& library, const Form& form) {
  if (library.sections.empty() && library.rules.empty()) return fileText;
  if (library.implicitOne && library.sections.size() == 1 && library.rules.empty() &&
      library.current == 0)
    return fileText;
  Json sections = Json::array();
  std::string current;
  for (std::size_t i = 0; i < library.sections.size(); ++i) {
    const LibrarySection& s = library.sections[i];
    if (static_cast<int>(i) == library.current) {
      sections.push_back(SectionJson(FormAsSection(form, s)));
      current = s.name;
    } else {
      sections.push_back(SectionJson(s));
    }
  }
  Json lib = Json::object();
  if (!current.empty()) lib["current"] = current;
  lib["sections"] = std::move(sections);
  Json rules = Json::array();
  for (const AssignmentRule& rule : library.rules) rules.push_back(RuleJson(rule));
  const std::string added = ",\n  \"library\": " + Indented(lib.dump(2), "  ") +
                            ",\n  \"assignments\": " + Indented(rules.dump(2), "  ") + "\n}\n";
  const std::size_t end = fileText.rfind('}');
  if (end == std::string::npos) return fileText;
  std::size_t cut = end;
  while (cut > 0 && (fileText[cut - 1] == '\n' || fileText[cut - 1] == ' ')) --cut;
  fileText.replace(cut, std::string::npos, added);
  return fileText;
}

std::string SectionNameOfPath(const std::string& path) {
  std::string stem = std::filesystem::path(path).stem().string();
  if (stem.empty() || stem.size() > kMaxNameBytes) return "截面1";
  return stem;
}

SectionLibrary ParseLibrary(const Json& root, const SectionFile& file, const std::string& path,
                            std::vector<std::string>& warnings) {
  SectionLibrary library;
  if (root.contains("assignments")) library.rules = ParseRules(root["assignments"], path);
  if (!root.contains("library")) {
    LibrarySection one;
    one.name = SectionNameOfPath(path);
    one.sectionType = file.sectionType;
    one.texts = file.texts;
    one.lists = file.lists;
    library.sections.push_back(std::move(one));
    library.current = 0;
    library.implicitOne = true;
    return library;
  }
  const Json& lib = root["library"];
  if (!lib.is_object()) Damaged(path, "“library”应为一组键值。");
  const std::string current = TextAt(lib, "current", "library", path, false);
  auto sections = lib.find("sections");
  if (sections == lib.end() || !sections->is_array()) Damaged(path, "“library.sections”应为列表。");
  if (sections->size() > kMaxLibrarySections) {
    Damaged(path, "截面库有 " + std::to_string(sections->size()) + " 个截面，超过了能读取的 " +
                      std::to_string(kMaxLibrarySections) + " 个。");
  }
  std::unordered_set<std::string> names;
  for (std::size_t i = 0; i < sections->size(); ++i) {
    LibrarySection s = ParseSectionEntry((*sections)[i],
                                         "library.sections[" + std::to_string(i + 1) + "]", path,
                                         warnings);
    if (!names.insert(s.name).second) Damaged(path, "截面名称“" + s.name + "”重复。");
    library.sections.push_back(std::move(s));
  }
  library.current = current.empty() ? -1 : library.Find(current);
  if (!current.empty() && library.current < 0)
    warnings.push_back("当前截面“" + current + "”不在截面库中");
  return library;
}

}  // namespace kuma

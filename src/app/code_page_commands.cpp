// The page "规范验算" and the building table's code columns, as texts.

#include "app/code_page_commands.h"

#include <algorithm>

#include "analysis/ratio_bands.h"
#include "app/code_check_commands.h"
#include "forces/members.h"
#include "model/code_result.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/check_report.h"

namespace kuma {

namespace {

bool Holds(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (!name.empty() && !Holds(names, name)) names.push_back(name);
}

std::string Joined(const std::vector<std::string>& names, const char* separator) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : separator) + name;
  return text;
}

}  // namespace

SeismicCasesView ListSeismicCases(const std::vector<const ForceTable*>& tables,
                                  const std::string& text) {
  SeismicCasesView view;
  view.guessed = text.find_first_not_of(" ,，") == std::string::npos;
  std::vector<std::string> all, seismic;
  for (const ForceTable* table : tables) {
    if (table == nullptr || table->Count <= 0) continue;
    for (const std::string& name : LoadCasesOf(*table)) AddOnce(all, name);
    for (const std::string& name : SeismicCasesOf(*table, text))
      if (name != kNoSeismicCases) AddOnce(seismic, name);
  }
  // A name typed that no table holds stays listed, so that it can be untied.
  for (const std::string& name : seismic) AddOnce(all, name);
  for (const std::string& name : all) view.cases.push_back({name, Holds(seismic, name)});
  for (const ForceTable* table : tables) {
    if (table == nullptr || table->Count <= 0 || seismic.empty()) continue;
    for (const std::string& name : SeismicCombinations(*table, seismic))
      AddOnce(view.combinations, name);
  }
  return view;
}

std::string SeismicCasesText(const std::vector<SeismicCaseTick>& cases) {
  std::vector<std::string> ticked;
  for (const SeismicCaseTick& c : cases)
    if (c.seismic) ticked.push_back(c.name);
  return ticked.empty() ? kNoSeismicCases : Joined(ticked, ",");
}

std::string SeismicCasesSummary(const SeismicCasesView& view) {
  if (view.cases.empty()) return "尚未导入含荷载工况的内力表";
  std::vector<std::string> ticked;
  for (const SeismicCaseTick& c : view.cases)
    if (c.seismic) ticked.push_back(c.name);
  const std::string how = view.guessed ? " (自动识别)" : " (人工指定)";
  if (ticked.empty()) return "无地震工况" + how + ": 全部组合按非地震组合验算";
  return "地震工况 " + Joined(ticked, ", ") + how + ": " +
         std::to_string(view.combinations.size()) + " 个地震组合";
}

std::vector<std::string> CodeByKindLines(int sectionType) {
  std::vector<std::string> lines;
  if (const SectionKindRow* kind = FindSectionKind(sectionType))
    lines.push_back(std::string("本截面: ") + DesignCodeTitle(kind->code));
  const std::pair<const char*, DesignCode> groups[] = {{"混凝土柱", DesignCode::Gb50010},
                                                       {"钢骨柱、叠合柱", DesignCode::Jgj138},
                                                       {"钢管混凝土柱", DesignCode::Gb50936}};
  for (const auto& [group, code] : groups)
    lines.push_back(std::string(group) + ": " + DesignCodeTitle(code));
  return lines;
}

std::vector<std::string> CalcSheetLines(const AppState& state, const Form& form, int record) {
  const CodeCheck& code = state.codeCheck;
  if (!code.Valid() || record < 1 || static_cast<std::size_t>(record) >= code.rows.size() ||
      record > state.forceTable.Count)
    return {};
  return CodeSheetCommand(state, form, record);
}

namespace {

std::string F(double value, int decimals) { return FormatFixed(value, decimals); }

const char* Verdict(bool ok) { return ok ? "满足" : "不满足"; }

// "0.62 / 0.75 满足".
std::string Against(double value, double limit, int decimals, bool ok) {
  return F(value, decimals) + " / " + F(limit, decimals) + " " + Verdict(ok);
}

}  // namespace

std::vector<std::string> BuildingCodeCaptions() {
  return {"规范比值", "规范控制组合",         "控制条款", "轴压比 μN/限值", "配筋率 ρ (min/max) %",
          "剪力比",   "体积配箍率 ρv/要求 %", "综合结论"};
}

std::vector<std::string> BuildingCodeCells(const BuildingCheck& check, const ForceTable& forces,
                                           int entry) {
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.codeChecked) return std::vector<std::string>(BuildingCodeCaptions().size(), "");
  const ColumnDetailing& d = c.detailing;
  const std::string rho =
      F(d.rho, 2) + " (" + F(d.rhoMin, 2) + "/" + F(d.rhoMax, 2) + ") " + Verdict(d.rhoOk) +
      (d.rhoFinding.empty() ? "" : " (" + d.rhoFinding + ")");
  const std::string shear =
      d.shearChecked ? FormatRatio(d.ratioShear) + " " + Verdict(d.shearOk) : "内力表无剪力";
  return {FormatRatio(c.maxRatioCode),
          c.governingCode > 0 ? CombinationLabel(forces, c.governingCode) : "",
          CodeClauseName(c.clauseCode),
          Against(d.axialRatio, d.axialRatioLimit, 2, d.axialOk),
          rho,
          shear,
          Against(d.rhoV, d.rhoVRequired, 2, d.rhoVOk),
          Verdict(c.VerdictAll())};
}

Rgb BuildingCodeColour(const BuildingColumn& column) {
  if (!column.codeChecked) return kWhite;
  // A failing detailing line colours the row as a ratio beyond the limit.
  if (!column.detailing.Ok()) return RatioRowColour(2 * kRatioLimit);
  return RatioRowColour(column.maxRatioCode);
}

double RecordCodeRatio(const BuildingCheck& check, int record) {
  if (record < 1 || static_cast<std::size_t>(record) >= check.ratioCode.size()) return 0;
  return check.ratioCode[static_cast<std::size_t>(record)];
}

namespace {

ReportBlock Block(ReportBlock::Kind kind, std::string text) {
  ReportBlock block;
  block.kind = kind;
  block.text = std::move(text);
  return block;
}

// A sheet is one paragraph of lines, laid out line by line.
ReportBlock SheetBlock(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
  return Block(ReportBlock::Kind::Paragraph, text);
}

// The sheets of the building's columns, largest code ratio first: at most
// kBuildingSheets of them (each is worked again on its section).
constexpr std::size_t kBuildingSheets = 100;

void AppendBuildingSheets(std::vector<ReportBlock>& blocks, const Form& form,
                          const BuildingCheck& building, const ForceTable& forces,
                          const SectionLibrary& library) {
  const CodeCheckSettings settings = CodeSettingsIfOn(form);
  std::size_t shown = 0, worked = 0;
  for (int entry : ColumnsByRatio(building)) {
    if (!building.columns[static_cast<std::size_t>(entry)].codeChecked) continue;
    if (++worked > kBuildingSheets) continue;
    const std::vector<std::string> lines =
        BuildingColumnSheet(building, library, forces, settings, entry);
    if (lines.empty()) continue;
    const BuildingColumn& c = building.columns[static_cast<std::size_t>(entry)];
    blocks.push_back(Block(ReportBlock::Kind::Paragraph, "柱 " + StoryName(forces, c.story) + " " +
                                                             ColumnName(forces, c.column) + " (" +
                                                             c.section + ")"));
    blocks.push_back(SheetBlock(lines));
    ++shown;
  }
  if (worked > shown && shown == kBuildingSheets)
    blocks.push_back(Block(ReportBlock::Kind::Paragraph,
                           "其余 " + std::to_string(worked - shown) +
                               " 根柱的规范比值较小，其计算书从略 (各柱结果见上表)。"));
}

}  // namespace

void AppendCalcSheets(CalcReport& report, const AppState& state, const Form& form, int chosen,
                      const BuildingCheck& building, const ForceTable& buildingForces,
                      const SectionLibrary& buildingLibrary) {
  std::vector<ReportBlock> blocks;
  // A setting the sheets cannot be worked with is said in their place; the
  // rest of the report stands.
  auto note = [&blocks](const std::exception& e) {
    blocks.push_back(
        Block(ReportBlock::Kind::Paragraph, std::string("计算书无法生成: ") + e.what()));
  };
  if (state.codeCheck.Valid()) {
    try {
      std::vector<std::string> lines = CalcSheetLines(state, form, chosen);
      const bool asked = !lines.empty();
      if (!asked) lines = CalcSheetLines(state, form, state.codeCheck.governing);
      blocks.push_back(
          Block(ReportBlock::Kind::Paragraph, asked ? "所选组合的计算书：" : "控制组合的计算书："));
      blocks.push_back(SheetBlock(lines));
    } catch (const Error& e) {
      note(e);
    }
  }
  if (building.Valid() && building.codeCheck) {
    blocks.push_back(Block(ReportBlock::Kind::Paragraph, "楼栋各柱控制组合的计算书："));
    try {
      AppendBuildingSheets(blocks, form, building, buildingForces, buildingLibrary);
    } catch (const Error& e) {
      note(e);
    }
  }
  if (blocks.empty()) return;
  blocks.insert(blocks.begin(),
                Block(ReportBlock::Kind::Heading,
                      std::to_string(NextChapterNumber(report)) + "  规范验算计算书"));
  blocks.insert(blocks.begin(), Block(ReportBlock::Kind::PageBreak, ""));
  report.blocks.insert(report.blocks.begin() + static_cast<long>(ChapterPlace(report)),
                       blocks.begin(), blocks.end());
}

}  // namespace kuma

// The command chains of the code check and of the shear and detailing
// checks, for the single check and for the building.

#include "app/code_check_commands.h"

#include <algorithm>
#include <atomic>
#include <numeric>
#include <thread>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "app/commands.h"
#include "forces/members.h"
#include "model/controls/code_page.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_library.h"
#include "report/check_report.h"
#include "report/code_check_report.h"

namespace kuma {

namespace {

std::size_t At(int record) { return static_cast<std::size_t>(record); }

double LongestMember(const std::vector<MemberEnds>& ends, const std::vector<int>& records) {
  double longest = 0;
  for (int r : records)
    if (At(r) < ends.size()) longest = std::max(longest, ends[At(r)].length);
  return longest;
}

std::vector<int> AllRecords(const ForceTable& forces) {
  std::vector<int> records(static_cast<std::size_t>(std::max(0, CheckedCount(forces))));
  std::iota(records.begin(), records.end(), 1);
  return records;
}

}  // namespace

bool CodeCheckOn(const Form& form) { return form.ItemIndex(ctl::kCodeCheckList) == 1; }

CodeCheckSettings CodeSettingsIfOn(const Form& form) {
  return CodeCheckOn(form) ? ReadCodeCheckSettings(form) : CodeCheckSettings{};
}

double CodeCheckInputs::LengthOf(int record) const {
  if (settings.length > 0) return settings.length;
  return record > 0 && At(record) < ends.size() ? ends[At(record)].length : 0;
}

CodeCheckInputs CodeCheckInputsOf(const AppState& state, const Form& form) {
  CodeCheckInputs in;
  in.settings = ReadCodeCheckSettings(form);
  in.section = MakeCodeSection(state.SectionType, state.params, state.fibers, form);
  AddSteelWebs(in.section, state.SectionType, state.params);
  in.stirrups = ReadStirrups(state.SectionType, state.params, form);
  const ForceTable& forces = state.forceTable;
  in.seismicCases = SeismicCasesOf(forces, in.settings.seismicCases);
  in.seismic = SeismicRecords(forces, in.seismicCases);
  in.ends = FindMemberEnds(forces);
  in.columnLength =
      in.settings.length > 0 ? in.settings.length : LongestMember(in.ends, AllRecords(forces));
  return in;
}

std::string SeismicCasesText(const ForceTable& forces, const std::string& typed) {
  if (CheckedCount(forces) <= 0) return "未导入内力";
  const std::vector<std::string> cases = SeismicCasesOf(forces, typed);
  const bool blank = typed.find_first_not_of(" \t") == std::string::npos;
  std::string text = blank ? "地震工况 (自动): " : "地震工况: ";
  if (cases.empty()) return text + "无";
  for (std::size_t i = 0; i < cases.size(); ++i) text += (i > 0 ? "、" : "") + cases[i];
  const std::vector<std::string> combinations = SeismicCombinations(forces, cases);
  text += "；地震组合 " + std::to_string(combinations.size()) + " 个";
  // The first few by name; the count says how many there are.
  constexpr std::size_t kListed = 8;
  for (std::size_t i = 0; i < combinations.size() && i < kListed; ++i)
    text += (i > 0 ? "、" : ": ") + combinations[i];
  if (combinations.size() > kListed) text += " …";
  return text;
}

void ShowSeismicCases(const AppState& state, Form& form) {
  form.SetText(ctl::kSeismicCasesLabel,
               SeismicCasesText(state.forceTable, form.Text(ctl::kSeismicCasesBox)));
}

CodeCheck CodeCheckOf(const AppState& state, const Form& form, const CapacitySurface& surface) {
  CodeCheckInputs in = CodeCheckInputsOf(state, form);
  in.settings.enabled = true;
  const SurfaceIndex index(surface, kRadialMethod);
  CodeCheck check;
  ComputeCodeCheck(in.section, in.settings, index, state.forceTable, in.seismic, in.ends, check);
  return check;
}

void ComputeCodeCheckCommand(AppState& state, const Form& form) {
  state.codeCheck = CodeCheckOf(state, form, state.surface);
}

void CodeCheckCommand(AppState& state, Form& form, const WorkControl& control, const char* bar) {
  if (CheckedCount(state.forceTable) <= 0) throw Error("没有导入内力组合，无法验算");
  // A bad setting is refused before the surface is built.
  (void)ReadCodeCheckSettings(form);
  SurfaceCommand(state, form, control, bar);
  ComputeCodeCheckCommand(state, form);
  ShowSeismicCases(state, form);
}

CodeCheckDetails CodeCheckDetailsOf(const AppState& state, const Form& form) {
  CodeCheckDetails d;
  d.inputs = CodeCheckInputsOf(state, form);
  const CodeCheckInputs& in = d.inputs;
  const ForceTable& forces = state.forceTable;
  const std::vector<int> records = AllRecords(forces);
  d.shear.assign(records.size() + 1, ShearRow{});
  for (int r : records) {
    const bool seismic = At(r) < in.seismic.size() && in.seismic[At(r)];
    d.shear[At(r)] =
        ShearCheckRow(in.section, in.stirrups, in.settings, forces, r, seismic, in.LengthOf(r));
  }
  d.detailing = CheckColumnDetailing(in.section, in.stirrups, state.params, in.settings, forces,
                                     records, in.seismic, in.columnLength);
  return d;
}

std::vector<int> CombinationsByCodeRatio(const CodeCheck& check) {
  std::vector<int> order;
  for (std::size_t r = 1; r < check.rows.size(); ++r) order.push_back(static_cast<int>(r));
  std::stable_sort(order.begin(), order.end(), [&check](int a, int b) {
    return check.rows[At(a)].ratioCode > check.rows[At(b)].ratioCode;
  });
  return order;
}

namespace {

std::string G(double value) { return FormatG17(value); }

// The shear fields of a record: V2, V3 as the table holds them, the
// shear-span ratio of the governing direction and both ratios; blank where
// the table holds no shear.
std::string ShearFields(const ForceTable& forces, const ShearRow* v, int r) {
  if (v == nullptr || !v->checked || !forces.HasShear() || At(r) >= forces.V2.size() ||
      At(r) >= forces.V3.size())
    return ",,,,";
  const double lambda = v->ratioY > v->ratioX ? v->lambdaY : v->lambdaX;
  return G(forces.V2[At(r)]) + "," + G(forces.V3[At(r)]) + "," + G(lambda) + "," + G(v->ratioX) +
         "," + G(v->ratioY);
}

}  // namespace

std::vector<std::string> CodeCheckCsv(const AppState& state, const CodeCheckDetails& details) {
  std::vector<std::string> lines = {
      "row,label,P,Mx,My,seismic,gamma_re,ea_x,ea_y,cm_eta_x,cm_eta_y,Mx_d,My_d,ratio_section,"
      "ratio_axial,ratio_code,verdict,V2,V3,lambda,ratio_shear_x,ratio_shear_y"};
  const CodeCheck& check = state.codeCheck;
  const ForceTable& forces = state.forceTable;
  for (std::size_t r = 1; r < check.rows.size(); ++r) {
    const CodeRow& c = check.rows[r];
    const int record = static_cast<int>(r);
    const SurfacePoint d = DemandOf(forces, record);
    std::string line = std::to_string(r) + "," + CsvField(CombinationLabel(forces, record)) + ",";
    line += G(d.P) + "," + G(d.Mx) + "," + G(d.My) + "," + (c.seismic ? "1" : "0") + ",";
    for (double v : {c.gammaRE, c.eaX, c.eaY, c.cmEtaX, c.cmEtaY, c.MxD, c.MyD, c.ratioSection,
                     c.ratioAxial, c.ratioCode})
      line += G(v) + ",";
    line += RatioSatisfied(c.ratioCode) ? "1," : "0,";
    line += ShearFields(forces, r < details.shear.size() ? &details.shear[r] : nullptr, record);
    lines.push_back(std::move(line));
  }
  return lines;
}

namespace {

CodeSheetContext SheetContext(const AppState& state, const CodeCheckDetails& d, int record) {
  CodeSheetContext context;
  context.section = &d.inputs.section;
  context.settings = &d.inputs.settings;
  context.forces = &state.forceTable;
  context.record = record;
  context.shear = At(record) < d.shear.size() ? &d.shear[At(record)] : nullptr;
  context.detailing = &d.detailing;
  context.stirrups = &d.inputs.stirrups;
  return context;
}

}  // namespace

std::vector<std::string> CodeSheetCommand(const AppState& state, const Form& form, int record) {
  const CodeCheck& check = state.codeCheck;
  if (!check.Valid() || record <= 0 || At(record) >= check.rows.size())
    return {"计算书: 尚未进行规范验算"};
  const CodeCheckDetails d = CodeCheckDetailsOf(state, form);
  return CodeCalculationSheet(check.rows[At(record)], SheetContext(state, d, record));
}

std::vector<std::string> CodeCheckReportCommand(const AppState& state, const Form& form) {
  if (!state.codeCheck.Valid()) return BuildCodeCheckReport(state.codeCheck, {}, {}, {});
  const CodeCheckDetails d = CodeCheckDetailsOf(state, form);
  return BuildCodeCheckReport(state.codeCheck, d.shear, d.detailing,
                              SheetContext(state, d, state.codeCheck.governing));
}

std::string CodeCheckSummaryLine(const AppState& state, const CodeCheckDetails& details) {
  std::string text = CheckSummary(state.check, state.forceTable);
  text += "；" + CodeCheckSummaryText(state.codeCheck, state.forceTable);
  text += "；" + DetailingSummaryText(details.detailing);
  for (const std::string& remark : details.detailing.remarks) text += "；" + remark;
  return text;
}

}  // namespace kuma

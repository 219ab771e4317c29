#include "app/mphi_commands.h"

#include <memory>

#include "analysis/moment_curvature.h"
#include "app/commands.h"
#include "draw/mphi_chart.h"
#include "model/controls/mphi_page.h"
#include "model/numfmt.h"
#include "model/text_table.h"
#include "report/mphi_report.h"

namespace kuma {

namespace {

constexpr const char* kChart = "Image27";
constexpr const char* kTable = "StringGrid4";
constexpr const char* kNote = "Label230";

void AddKeyRow(TextTable& table, const char* name, const MphiPoint& p) {
  const std::string phi = p.found ? FormatFixed(p.curvature, 6) : "-";
  const std::string M = p.found ? FormatFixed(p.M, 2) : "-";
  const std::string_view cells[3] = {name, phi, M};
  table.AddRow(cells, 3);
}

std::shared_ptr<const TextTable> KeyPointTable(const MphiResult& r) {
  auto table = std::make_shared<TextTable>(3);
  const std::string_view head[3] = {"关键点", "曲率(1/m)", "弯矩(kN·m)"};
  table->AddRow(head, 3);
  AddKeyRow(*table, "首次屈服", r.firstYield);
  AddKeyRow(*table, "混凝土达到e0", r.concretePeak);
  AddKeyRow(*table, "峰值弯矩", r.peak);
  AddKeyRow(*table, "极限状态", r.ultimate);
  AddKeyRow(*table, "等效屈服", r.bilinearYield);
  const std::string mu = r.ductility > 0 ? FormatFixed(r.ductility, 2) : "-";
  const std::string ei = r.EIeff > 0 ? FormatFixed(r.EIeff, 0) : "-";
  const std::string ratio = r.firstYieldRatio > 0 ? FormatFixed(r.firstYieldRatio, 2) : "-";
  const std::string_view ductility[3] = {"延性系数μφ=φu/φy", mu, ""};
  table->AddRow(ductility, 3);
  const std::string_view firstYield[3] = {"首次屈服曲率比φu/φ'y", ratio, ""};
  table->AddRow(firstYield, 3);
  const std::string_view stiffness[3] = {"EIeff(kN·m^2)", ei, ""};
  table->AddRow(stiffness, 3);
  return table;
}

std::string NoteOf(const MphiResult& r) {
  if (r.Empty()) return "尚未计算";
  std::string note = "终止原因: " + r.endText + "；共 " + std::to_string(r.steps.size()) +
                     " 个状态；混凝土极限应变 " + FormatFixed(MphiUltimateStrain(r), 5);
  if (r.ruptureStrain > 0) note += "；钢材断裂应变 " + FormatFixed(r.ruptureStrain, 5);
  if (r.bilinearCapped) note += "；等效双折线的Mn已限制为峰值弯矩";
  return note;
}

std::string CsvPoint(const char* name, const MphiPoint& p) {
  if (!p.found) return std::string(name) + ",,";
  return std::string(name) + "," + FormatG17(p.curvature) + "," + FormatG17(p.M);
}

}  // namespace

void MphiCommand(AppState& state, Form& form, const WorkControl& control) {
  MeshCommand(state, form);
  const MphiSettings settings = ReadMphiSettings(form);
  WorkProgress work([&form](int position) { form.SetProgress(ctl::kMphiProgress, position); },
                    control);
  MphiResult result;
  try {
    work.Plan(MomentCurvatureWork(settings));
    SolveMomentCurvature(settings, state.fibers, result, work);
  } catch (...) {
    work.Set(0);
    throw;
  }
  work.Set(0);
  state.mphi = std::move(result);
  ShowMphi(state, form);
}

void ShowMphi(AppState& state, Form& form) {
  ChartRange range;
  DrawMphiChart(form.Picture(kChart), state.mphi, range);
  form.SetGridTable(kTable, KeyPointTable(state.mphi));
  form.SetText(kNote, NoteOf(state.mphi));
}

std::vector<std::string> MphiReportCommand(const AppState& state) {
  return BuildMphiReport(state.mphi);
}

std::vector<std::string> MphiCsvLines(const MphiResult& r) {
  std::vector<std::string> lines = {"curvature,M,Mother,P,depth,eps_c,eps_s"};
  for (const MphiStep& s : r.steps) {
    lines.push_back(FormatG17(s.curvature) + "," + FormatG17(s.M) + "," + FormatG17(s.Mother) +
                    "," + FormatG17(s.P) + "," + FormatG17(s.depth) + "," + FormatG17(s.epsC) +
                    "," + FormatG17(s.epsS));
  }
  lines.push_back("");
  lines.push_back("point,curvature,M");
  lines.push_back(CsvPoint("yield", r.firstYield));
  lines.push_back(CsvPoint("peak", r.peak));
  lines.push_back(CsvPoint("ultimate", r.ultimate));
  lines.push_back(CsvPoint("bilinear_yield", r.bilinearYield));
  lines.push_back("ductility," + (r.ductility > 0 ? FormatG17(r.ductility) : std::string()));
  return lines;
}

}  // namespace kuma

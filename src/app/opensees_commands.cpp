#include "app/opensees_commands.h"

#include <ctime>

#include "app/commands.h"
#include "draw/drawings.h"
#include "model/controls/script_page.h"
#include "model/controls/section_page.h"
#include "model/controls/windows.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

std::string TodayUtc() {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  gmtime_r(&now, &parts);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

std::vector<std::string> FiberNotes(std::size_t fiberCount) {
  std::vector<std::string> notes = {"纤维数：" + FormatInt(static_cast<long long>(fiberCount))};
  std::string warning = FiberLimitWarning(fiberCount);
  if (!warning.empty()) notes.push_back(warning);
  return notes;
}

std::vector<std::string> ModelNotes(std::size_t fiberCount, const OpenSeesModelOptions& options,
                                    const OpenSeesModel& model) {
  std::vector<std::string> notes = FiberNotes(fiberCount);
  if (options.threeD) {
    notes.push_back("GJ = " + FormatG17(model.gj) + " N·mm²" +
                    (model.gjComputed ? "（毛截面）" : "（输入值）"));
  } else {
    notes.emplace_back("二维模型：截面不含扭转刚度");
  }
  if (options.analysis != SectionAnalysisAxis::None) {
    const bool aboutX = options.analysis == SectionAnalysisAxis::AboutX;
    const PushState& s = model.target;
    std::string text = std::string("弯矩-曲率分析：绕") + (aboutX ? "X" : "Y") + "轴，轴力 " +
                       FormatFixed(options.axialLevel, 1) + " kN，";
    if (options.target == PushTarget::CapacityState) {
      text += "推至程序承载力状态（P = " + FormatFixed(s.P, 1) + " kN）：曲率 " +
              ModelNumber(s.curvature) + " 1/mm，程序弯矩 " + FormatFixed(s.M, 1) + " kN·m";
      // Beside the MM curve's moment only where both are at the level: when
      // the search misses it, the MM curve lands at an axial force of its own.
      if (model.levelNote.empty()) text += "（MM曲线 " + FormatFixed(model.mmMoment, 1) + " kN·m）";
    } else {
      text += "推至混凝土边缘压碎：曲率 " + ModelNumber(s.curvature) + " 1/mm，程序弯矩 " +
              FormatFixed(s.M, 1) + " kN·m";
    }
    text += options.path == PushPath::Proportional ? "，比例加载" : "，轴力不变";
    notes.push_back(text + "，结果文件 " + options.resultFile);
    if (!model.levelNote.empty()) notes.push_back(model.levelNote);
  }
  return notes;
}

}  // namespace

OpenSeesModel OpenSeesModelCommand(AppState& state, Form& form, OpenSeesLanguage language) {
  MaterialTags tags = ReadMaterialTags(form);
  OpenSeesModelOptions options = ReadOpenSeesModelOptions(form);
  options.language = language;
  options.date = TodayUtc();
  MeshCommand(state, form);
  HoopGeometry hoop;
  FormHoop(form, state.SectionType, state.params, hoop);
  DrawSection(form.Picture(ctl::kSectionPicture), state.fibers, state.params.B, state.params.H,
              state.colours, hoop);
  OpenSeesModel model =
      BuildOpenSeesModel(state.fibers, state.SectionType, state.params, tags, options);
  form.SetMemoLines(ctl::kResultMemo, model.lines);
  form.SetMemoLines(ctl::kScriptNotesMemo, ModelNotes(state.fibers.size(), options, model));
  return model;
}

void OpenSeesPageCommand(AppState& state, Form& form) {
  if (form.ItemIndex(ctl::kScriptContentList) == 1) {
    OpenSeesLanguage language = form.ItemIndex(ctl::kScriptLanguageList) == 1
                                    ? OpenSeesLanguage::Python
                                    : OpenSeesLanguage::Tcl;
    OpenSeesModelCommand(state, form, language);
    return;
  }
  ScriptCommand(state, form);
  form.SetMemoLines(ctl::kScriptNotesMemo, FiberNotes(state.fibers.size()));
}

void SaveOpenSeesPageText(const std::string& path, const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  SaveOpenSeesText(path, lines);
}

}  // namespace kuma

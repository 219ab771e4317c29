// The OpenSEES page's choices read from the form.
#include "app/opensees_options.h"

#include <cmath>
#include <string>

#include "model/errors.h"

namespace kuma {

namespace {

bool FileNameFitsModel(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 0x21 || c == 0x7F) return false;  // blanks and control characters
    if (std::string("\"'{}[]$\\;#").find(static_cast<char>(c)) != std::string::npos) return false;
  }
  return true;
}

}  // namespace

OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form) {
  OpenSeesModelOptions o;
  o.language = form.ItemIndex("ComboBox18") == 1 ? OpenSeesLanguage::Python : OpenSeesLanguage::Tcl;
  o.threeD = form.ItemIndex("ComboBox19") != 1;
  o.wipe = form.ItemIndex("ComboBox46") != 1;
  switch (form.ItemIndex("ComboBox20")) {
    case 1:
      o.analysis = SectionAnalysisAxis::AboutX;
      break;
    case 2:
      o.analysis = SectionAnalysisAxis::AboutY;
      break;
    default:
      o.analysis = SectionAnalysisAxis::None;
      break;
  }
  const std::string gj = form.Text("Edit90");
  if (gj.find_first_not_of(" \t") != std::string::npos) {
    o.gjTyped = true;
    o.gj = form.Float("Edit90");
    if (!(o.gj > 0) || !std::isfinite(o.gj)) throw Error("GJ 必须是正数（N·mm²），或留空");
  }
  if (o.analysis == SectionAnalysisAxis::None) return o;
  o.target =
      form.ItemIndex("ComboBox44") == 1 ? PushTarget::ConcreteCrushing : PushTarget::CapacityState;
  o.path = form.ItemIndex("ComboBox45") == 1 ? PushPath::Proportional : PushPath::ConstantAxial;
  o.axialLevel = form.Float("Edit30");
  o.ecu = form.Float("Edit34");
  if (!(o.ecu < 0) || !std::isfinite(o.ecu)) {
    throw Error("混凝土极限应变必须是负数（受压），才能进行弯矩-曲率分析");
  }
  o.K = form.Integer("Edit61");
  o.N = form.Integer("Edit62");
  o.lambda = form.Float("Edit63");
  o.steps = form.Integer("Edit91");
  if (o.steps < 1 || o.steps > 100000) throw Error("曲率分析步数必须在 1 到 100000 之间");
  o.resultFile = form.Text("Edit92");
  auto first = o.resultFile.find_first_not_of(" \t");
  auto last = o.resultFile.find_last_not_of(" \t");
  o.resultFile = first == std::string::npos ? "" : o.resultFile.substr(first, last - first + 1);
  if (!FileNameFitsModel(o.resultFile)) {
    throw Error("结果文件名不能为空，也不能含空格或 \" ' { } [ ] $ \\ ; # 等字符");
  }
  return o;
}

}  // namespace kuma

// The OpenSEES page's choices read from the form.
#include "app/opensees_options.h"

#include <cmath>
#include <string>

#include "model/controls/mm_page.h"
#include "model/controls/script_page.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  const auto last = text.find_last_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The model writes the name braced in Tcl and quoted in Python: any path
// (blanks, a Windows drive and backslashes included) but braces, control
// characters and a last backslash, which would end the braces early.
bool FileNameFitsModel(const std::string& name) {
  if (name.empty() || name.back() == '\\') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || c == '{' || c == '}') return false;
  }
  return true;
}

// The tag boxes of the page: the section, the analysis's objects, and the
// inner materials of the rupturing steel laws (blank: after the groups').
struct TagBox {
  const char* box;
  int OpenSeesTags::*tag;
  bool blankAllowed;
};
const TagBox kTagBoxes[] = {
    {ctl::kSectionTagBox, &OpenSeesTags::section, false},
    {ctl::kBaseNodeTagBox, &OpenSeesTags::baseNode, false},
    {ctl::kPushNodeTagBox, &OpenSeesTags::pushNode, false},
    {ctl::kElementTagBox, &OpenSeesTags::element, false},
    {ctl::kAxialSeriesTagBox, &OpenSeesTags::axialSeries, false},
    {ctl::kAxialPatternTagBox, &OpenSeesTags::axialPattern, false},
    {ctl::kPushSeriesTagBox, &OpenSeesTags::pushSeries, false},
    {ctl::kPushPatternTagBox, &OpenSeesTags::pushPattern, false},
    {ctl::kRebarLawTagBox, &OpenSeesTags::rebarLaw, true},
    {ctl::kShapeSteelLawTagBox, &OpenSeesTags::steelShapeLaw, true},
};

OpenSeesTags ReadTags(const Form& form) {
  OpenSeesTags tags;
  for (const TagBox& b : kTagBoxes) {
    if (b.blankAllowed && Trimmed(form.Text(b.box)).empty()) continue;
    const int tag = form.Integer(b.box);
    if (tag < 1)
      throw Error(std::string("OpenSEES 编号必须是正整数：") + b.box + " 为 " + FormatInt(tag));
    tags.*b.tag = tag;
  }
  if (tags.baseNode == tags.pushNode) throw Error("OpenSEES 模型的底节点与推覆节点编号不能相同");
  if (tags.axialSeries == tags.pushSeries || tags.axialPattern == tags.pushPattern) {
    throw Error("OpenSEES 模型的轴力与推覆的时间序列、荷载模式编号不能相同");
  }
  return tags;
}

}  // namespace

OpenSeesModelOptions ReadOpenSeesModelOptions(const Form& form) {
  OpenSeesModelOptions o;
  o.language = form.ItemIndex(ctl::kScriptLanguageList) == 1 ? OpenSeesLanguage::Python
                                                             : OpenSeesLanguage::Tcl;
  o.threeD = form.ItemIndex(ctl::kModelDimensionList) != 1;
  o.wipe = form.ItemIndex(ctl::kWipeList) != 1;
  o.tags = ReadTags(form);
  switch (form.ItemIndex(ctl::kSectionAnalysisList)) {
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
  const std::string gj = form.Text(ctl::kGjBox);
  if (gj.find_first_not_of(" \t") != std::string::npos) {
    o.gjTyped = true;
    o.gj = form.Float(ctl::kGjBox);
    if (!(o.gj > 0) || !std::isfinite(o.gj)) throw Error("GJ 必须是正数（N·mm²），或留空");
  }
  if (o.analysis == SectionAnalysisAxis::None) return o;
  o.target = form.ItemIndex(ctl::kPushTargetList) == 1 ? PushTarget::ConcreteCrushing
                                                       : PushTarget::CapacityState;
  o.path =
      form.ItemIndex(ctl::kLoadPathList) == 1 ? PushPath::Proportional : PushPath::ConstantAxial;
  o.axialLevel = form.Float(ctl::kAxialLevelBox);
  o.ecu = form.Float(ctl::kMmUltimateStrainBox);
  if (!(o.ecu < 0) || !std::isfinite(o.ecu)) {
    throw Error("混凝土极限应变必须是负数（受压），才能进行弯矩-曲率分析");
  }
  o.K = form.Integer(ctl::kMmOuterStepsBox);
  o.N = form.Integer(ctl::kMmInnerStepsBox);
  o.lambda = form.Float(ctl::kMmExtensionBox);
  o.steps = form.Integer(ctl::kPushStepsBox);
  if (o.steps < 1 || o.steps > 100000) throw Error("曲率分析步数必须在 1 到 100000 之间");
  o.resultFile = Trimmed(form.Text(ctl::kResultFileBox));
  if (!FileNameFitsModel(o.resultFile)) {
    throw Error("结果文件名不能为空，不能含 { } 或控制字符，也不能以 \\ 结尾");
  }
  return o;
}

}  // namespace kuma

#include "model/captions.h"

#include <utility>

#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma {

namespace {

// A box of the section page: its row label for the kind, then the column
// head that completes it ("X方向钢筋" + "直径").
struct SectionBox {
  const char* box;
  const char* label;
  const char* suffix;
};

constexpr SectionBox kSectionBoxes[] = {
    {"Edit1", "Label2", ""},          {"Edit2", "Label3", ""},
    {"Edit3", "Label4", ""},          {"Edit41", "Label49", ""},
    {"Edit12", "Label12", ""},        {"Edit13", "Label13", ""},
    {"Edit5", "Label5", "排数"},      {"Edit6", "Label5", "根数"},
    {"Edit7", "Label5", "直径"},      {"Edit4", "Label10", "排数"},
    {"Edit8", "Label10", "根数"},     {"Edit9", "Label10", "直径"},
    {"Edit10", "Label11", "根数"},    {"Edit11", "Label11", "直径"},
    {"Edit42", "Label54", "截面高度h"}, {"Edit43", "Label54", "截面宽度b"},
    {"Edit44", "Label54", "翼缘厚度tf"}, {"Edit45", "Label54", "腹板厚度tw"},
    {"Edit46", "Label55", "截面高度h"}, {"Edit47", "Label55", "截面宽度b"},
    {"Edit48", "Label55", "翼缘厚度tf"}, {"Edit49", "Label55", "腹板厚度tw"},
    {"Edit50", "Label57", ""},        {"Edit51", "Label56", ""},
};

// Boxes whose caption does not depend on the kind.
constexpr std::pair<const char*, const char*> kFixedCaptions[] = {
    {"Edit14", "边缘区混凝土本构 受压屈服强度fc"},
    {"Edit15", "边缘区混凝土本构 屈服强度对应应变e0"},
    {"Edit17", "边缘区混凝土本构 极限强度fcu"},
    {"Edit16", "边缘区混凝土本构 极限强度对应应变ecu"},
    {"Edit18", "核心区混凝土本构(1) 受压屈服强度fc"},
    {"Edit19", "核心区混凝土本构(1) 屈服强度对应应变e0"},
    {"Edit21", "核心区混凝土本构(1) 极限强度fcu"},
    {"Edit20", "核心区混凝土本构(1) 极限强度对应应变ecu"},
    {"Edit22", "核心区混凝土本构(2) 受压屈服强度fc"},
    {"Edit23", "核心区混凝土本构(2) 屈服强度对应应变e0"},
    {"Edit25", "核心区混凝土本构(2) 极限强度fcu"},
    {"Edit24", "核心区混凝土本构(2) 极限强度对应应变ecu"},
    {"Edit26", "钢筋本构 弹性模量 Es"},
    {"Edit27", "钢筋本构 屈服强度fy"},
    {"Edit28", "型钢本构 弹性模量 Es"},
    {"Edit29", "型钢本构 屈服强度fy"},
    {"Edit65", "边缘区混凝土本构 OpenSEES 编号"},
    {"Edit66", "核心区混凝土本构(1) OpenSEES 编号"},
    {"Edit67", "核心区混凝土本构(2) OpenSEES 编号"},
    {"Edit68", "钢筋本构 OpenSEES 编号"},
    {"Edit69", "型钢本构 OpenSEES 编号"},
    // PM page.
    {"Edit32", "混凝土极限应变"},
    {"Edit33", "轴力划分点数"},
    {"Edit52", "外迭代步数K"},
    {"Edit53", "内迭代步数N"},
    {"Edit60", "外延长系数"},
    // MM page.
    {"Edit30", "轴力水平"},
    {"Edit34", "混凝土极限应变"},
    {"Edit35", "MM曲线划分点数"},
    {"Edit64", "轴力范围(kN)"},
    {"Edit61", "外迭代步数K"},
    {"Edit62", "内迭代步数N"},
    {"Edit63", "外延长系数"},
    // Import page.
    {"Edit54", "轴力P 读取列数"},
    {"Edit55", "弯矩MX 读取列数"},
    {"Edit56", "弯矩MY 读取列数"},
    {"Edit57", "轴力P 放大倍数"},
    {"Edit58", "弯矩MX 放大倍数"},
    {"Edit59", "弯矩MY 放大倍数"},
    {"Edit70", "曲面角度划分数"},
    {"Edit71", "每条子午线点数"},
    // PMM page.
    {"Edit80", "切面轴力(kN)"},
    {"Edit84", "轴力范围(kN)"},
    {"Edit81", "方位角(度)"},
    {"Edit82", "仰角(度)"},
    {"Edit83", "缩放系数"},
    // OpenSEES page.
    {"Edit90", "GJ (N·mm²)"},
    {"Edit91", "步数"},
    // Material pages: cover layers and the inputs of the laws.
    {"Edit93", "保护层纤维层数"},
    {"Edit94", "边缘区混凝土本构 抛物线指数n"},
    {"Edit95", "核心区混凝土本构(1) 抛物线指数n"},
    {"Edit96", "核心区混凝土本构(2) 抛物线指数n"},
    {"Edit97", "边缘区混凝土本构 体积配箍率ρv"},
    {"Edit98", "核心区混凝土本构(1) 体积配箍率ρv"},
    {"Edit99", "核心区混凝土本构(2) 体积配箍率ρv"},
    {"Edit100", "边缘区混凝土本构 箍筋屈服强度fyh"},
    {"Edit101", "核心区混凝土本构(1) 箍筋屈服强度fyh"},
    {"Edit102", "核心区混凝土本构(2) 箍筋屈服强度fyh"},
    {"Edit103", "边缘区混凝土本构 约束有效系数ke"},
    {"Edit104", "核心区混凝土本构(1) 约束有效系数ke"},
    {"Edit105", "核心区混凝土本构(2) 约束有效系数ke"},
    {"Edit106", "边缘区混凝土本构 箍筋断裂应变εsu"},
    {"Edit107", "核心区混凝土本构(1) 箍筋断裂应变εsu"},
    {"Edit108", "核心区混凝土本构(2) 箍筋断裂应变εsu"},
    {"Edit109", "钢筋本构 强化系数b"},
    {"Edit110", "型钢本构 强化系数b"},
    {"Edit111", "钢筋本构 断裂应变εu"},
    {"Edit112", "型钢本构 断裂应变εu"},
    {"Edit113", "钢筋本构 强化起点应变εuy"},
    {"Edit114", "型钢本构 强化起点应变εuy"},
    {"Edit115", "钢筋本构 极限强度fst"},
    {"Edit116", "型钢本构 极限强度fst"},
    // Moment–curvature page.
    {"Edit140", "弯矩-曲率 轴力水平(kN)"},
    {"Edit141", "弯矩-曲率 输入角度(度)"},
    {"Edit142", "弯矩-曲率 曲率步数"},
    {"Edit143", "弯矩-曲率 混凝土极限应变"},
    {"Edit144", "弯矩-曲率 峰值后弯矩下限(%)"},
};

}  // namespace

std::string BoxCaption(std::string_view box, int sectionType) {
  for (const SectionBox& s : kSectionBoxes)
    if (box == s.box) return KindLabelCaption(sectionType, s.label) + s.suffix;
  for (const auto& [name, caption] : kFixedCaptions)
    if (box == name) return caption;
  return {};
}

std::string BoxCaption(const Form& form, std::string_view box) {
  return BoxCaption(box, form.ItemIndex("ComboBox1") + 1);
}

BoxMessage& BoxMessage::operator<<(std::string_view text) {
  plain_ += text;
  withControls_ += text;
  return *this;
}

BoxMessage& BoxMessage::Box(std::string_view caption, std::string_view name) {
  plain_ += caption;
  withControls_ += caption;
  withControls_ += '(';
  withControls_ += name;
  withControls_ += ')';
  return *this;
}

void BoxMessage::Throw() const { throw Error(plain_, withControls_); }

}  // namespace kuma

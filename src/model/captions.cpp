#include "model/captions.h"

#include <utility>

#include "model/controls/check_panel.h"
#include "model/controls/import_page.h"
#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/pmm_page.h"
#include "model/controls/script_page.h"
#include "model/controls/section_page.h"
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
    {ctl::kWidthBox, ctl::kWidthLabel, ""},
    {ctl::kHeightBox, ctl::kHeightLabel, ""},
    {ctl::kCoverBox, ctl::kCoverLabel, ""},
    {ctl::kTubeWallYBox, ctl::kTubeWallYLabel, ""},
    {ctl::kMeshXBox, ctl::kMeshXLabel, ""},
    {ctl::kMeshYBox, ctl::kMeshYLabel, ""},
    {ctl::kBarRowsXBox, ctl::kBarsXLabel, "排数"},
    {ctl::kBarCountXBox, ctl::kBarsXLabel, "根数"},
    {ctl::kBarDiameterXBox, ctl::kBarsXLabel, "直径"},
    {ctl::kBarRowsYBox, ctl::kBarsYLabel, "排数"},
    {ctl::kBarCountYBox, ctl::kBarsYLabel, "根数"},
    {ctl::kBarDiameterYBox, ctl::kBarsYLabel, "直径"},
    {ctl::kCornerBarCountBox, ctl::kCornerBarsLabel, "根数"},
    {ctl::kCornerBarDiameterBox, ctl::kCornerBarsLabel, "直径"},
    {ctl::kShapeYDepthBox, ctl::kShapeYLabel, "截面高度h"},
    {ctl::kShapeYWidthBox, ctl::kShapeYLabel, "截面宽度b"},
    {ctl::kShapeYFlangeBox, ctl::kShapeYLabel, "翼缘厚度tf"},
    {ctl::kShapeYWebBox, ctl::kShapeYLabel, "腹板厚度tw"},
    {ctl::kShapeXDepthBox, ctl::kShapeXLabel, "截面高度h"},
    {ctl::kShapeXWidthBox, ctl::kShapeXLabel, "截面宽度b"},
    {ctl::kShapeXFlangeBox, ctl::kShapeXLabel, "翼缘厚度tf"},
    {ctl::kShapeXWebBox, ctl::kShapeXLabel, "腹板厚度tw"},
    {ctl::kFlangeMeshBox, ctl::kFlangeMeshLabel, ""},
    {ctl::kWebMeshBox, ctl::kWebMeshLabel, ""},
};

// Boxes whose caption does not depend on the kind.
constexpr std::pair<const char*, const char*> kFixedCaptions[] = {
    {ctl::kEdgeFcBox, "边缘区混凝土本构 受压屈服强度fc"},
    {ctl::kEdgeE0Box, "边缘区混凝土本构 屈服强度对应应变e0"},
    {ctl::kEdgeFcuBox, "边缘区混凝土本构 极限强度fcu"},
    {ctl::kEdgeEcuBox, "边缘区混凝土本构 极限强度对应应变ecu"},
    {ctl::kCore1FcBox, "核心区混凝土本构(1) 受压屈服强度fc"},
    {ctl::kCore1E0Box, "核心区混凝土本构(1) 屈服强度对应应变e0"},
    {ctl::kCore1FcuBox, "核心区混凝土本构(1) 极限强度fcu"},
    {ctl::kCore1EcuBox, "核心区混凝土本构(1) 极限强度对应应变ecu"},
    {ctl::kCore2FcBox, "核心区混凝土本构(2) 受压屈服强度fc"},
    {ctl::kCore2E0Box, "核心区混凝土本构(2) 屈服强度对应应变e0"},
    {ctl::kCore2FcuBox, "核心区混凝土本构(2) 极限强度fcu"},
    {ctl::kCore2EcuBox, "核心区混凝土本构(2) 极限强度对应应变ecu"},
    {ctl::kRebarEsBox, "钢筋本构 弹性模量 Es"},
    {ctl::kRebarFyBox, "钢筋本构 屈服强度fy"},
    {ctl::kShapeSteelEsBox, "型钢本构 弹性模量 Es"},
    {ctl::kShapeSteelFyBox, "型钢本构 屈服强度fy"},
    {ctl::kEdgeTagBox, "边缘区混凝土本构 OpenSEES 编号"},
    {ctl::kCore1TagBox, "核心区混凝土本构(1) OpenSEES 编号"},
    {ctl::kCore2TagBox, "核心区混凝土本构(2) OpenSEES 编号"},
    {ctl::kRebarTagBox, "钢筋本构 OpenSEES 编号"},
    {ctl::kShapeSteelTagBox, "型钢本构 OpenSEES 编号"},
    // PM page.
    {ctl::kPmUltimateStrainBox, "混凝土极限应变"},
    {ctl::kPmAxialPointsBox, "轴力划分点数"},
    {ctl::kPmOuterStepsBox, "外迭代步数K"},
    {ctl::kPmInnerStepsBox, "内迭代步数N"},
    {ctl::kPmExtensionBox, "外延长系数"},
    // MM page.
    {ctl::kAxialLevelBox, "轴力水平"},
    {ctl::kMmUltimateStrainBox, "混凝土极限应变"},
    {ctl::kMmPointsBox, "MM曲线划分点数"},
    {ctl::kMmAxialRangeBox, "轴力范围(kN)"},
    {ctl::kMmOuterStepsBox, "外迭代步数K"},
    {ctl::kMmInnerStepsBox, "内迭代步数N"},
    {ctl::kMmExtensionBox, "外延长系数"},
    // Import page.
    {ctl::kAxialColumnBox, "轴力P 读取列数"},
    {ctl::kMomentXColumnBox, "弯矩MX 读取列数"},
    {ctl::kMomentYColumnBox, "弯矩MY 读取列数"},
    {ctl::kAxialFactorBox, "轴力P 放大倍数"},
    {ctl::kMomentXFactorBox, "弯矩MX 放大倍数"},
    {ctl::kMomentYFactorBox, "弯矩MY 放大倍数"},
    {ctl::kSurfaceAnglesBox, "曲面角度划分数"},
    {ctl::kMeridianPointsBox, "每条子午线点数"},
    // PMM page.
    {ctl::kCutAxialForceBox, "切面轴力(kN)"},
    {ctl::kPmmAxialRangeBox, "轴力范围(kN)"},
    {ctl::kAzimuthBox, "方位角(度)"},
    {ctl::kElevationBox, "仰角(度)"},
    {ctl::kZoomBox, "缩放系数"},
    // OpenSEES page.
    {ctl::kGjBox, "GJ (N·mm²)"},
    {ctl::kPushStepsBox, "步数"},
    // Material pages: cover layers and the inputs of the laws.
    {ctl::kCoverLayersBox, "保护层纤维层数"},
    {ctl::kEdgeExponentBox, "边缘区混凝土本构 抛物线指数n"},
    {ctl::kCore1ExponentBox, "核心区混凝土本构(1) 抛物线指数n"},
    {ctl::kCore2ExponentBox, "核心区混凝土本构(2) 抛物线指数n"},
    {ctl::kEdgeHoopRatioBox, "边缘区混凝土本构 体积配箍率ρv"},
    {ctl::kCore1HoopRatioBox, "核心区混凝土本构(1) 体积配箍率ρv"},
    {ctl::kCore2HoopRatioBox, "核心区混凝土本构(2) 体积配箍率ρv"},
    {ctl::kEdgeHoopFyhBox, "边缘区混凝土本构 箍筋屈服强度fyh"},
    {ctl::kCore1HoopFyhBox, "核心区混凝土本构(1) 箍筋屈服强度fyh"},
    {ctl::kCore2HoopFyhBox, "核心区混凝土本构(2) 箍筋屈服强度fyh"},
    {ctl::kEdgeKeBox, "边缘区混凝土本构 约束有效系数ke"},
    {ctl::kCore1KeBox, "核心区混凝土本构(1) 约束有效系数ke"},
    {ctl::kCore2KeBox, "核心区混凝土本构(2) 约束有效系数ke"},
    {ctl::kEdgeHoopRuptureBox, "边缘区混凝土本构 箍筋断裂应变εsu"},
    {ctl::kCore1HoopRuptureBox, "核心区混凝土本构(1) 箍筋断裂应变εsu"},
    {ctl::kCore2HoopRuptureBox, "核心区混凝土本构(2) 箍筋断裂应变εsu"},
    {ctl::kRebarHardeningBox, "钢筋本构 强化系数b"},
    {ctl::kShapeSteelHardeningBox, "型钢本构 强化系数b"},
    {ctl::kRebarRuptureBox, "钢筋本构 断裂应变εu"},
    {ctl::kShapeSteelRuptureBox, "型钢本构 断裂应变εu"},
    {ctl::kRebarHardeningStartBox, "钢筋本构 强化起点应变εuy"},
    {ctl::kShapeSteelHardeningStartBox, "型钢本构 强化起点应变εuy"},
    {ctl::kRebarUltimateBox, "钢筋本构 极限强度fst"},
    {ctl::kShapeSteelUltimateBox, "型钢本构 极限强度fst"},
    // Moment–curvature page.
    {ctl::kMphiAxialLevelBox, "弯矩-曲率 轴力水平(kN)"},
    {ctl::kMphiAngleBox, "弯矩-曲率 输入角度(度)"},
    {ctl::kMphiStepsBox, "弯矩-曲率 曲率步数"},
    {ctl::kMphiUltimateStrainBox, "弯矩-曲率 混凝土极限应变"},
    {ctl::kMphiFloorBox, "弯矩-曲率 峰值后弯矩下限(%)"},
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
  return BoxCaption(box, form.ItemIndex(ctl::kKindList) + 1);
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

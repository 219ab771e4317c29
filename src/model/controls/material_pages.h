#pragma once
// Control names of the pages "混凝土本构" and "钢材本构": the five material groups and their
// curves. Each constant says what the control holds or does; its value is the control's object
// name, which the window's widgets carry.

namespace kuma::ctl {

// 边缘区混凝土本构 本构类型
inline constexpr const char* kEdgeConcreteLawList = "ComboBox2";
// 核心区混凝土本构(1) 本构类型
inline constexpr const char* kCore1ConcreteLawList = "ComboBox3";
// 核心区混凝土本构(2) 本构类型
inline constexpr const char* kCore2ConcreteLawList = "ComboBox4";
// 钢筋本构 本构类型
inline constexpr const char* kRebarLawList = "ComboBox5";
// 型钢本构 本构类型
inline constexpr const char* kShapeSteelLawList = "ComboBox6";
// 边缘区混凝土本构 材料等级
inline constexpr const char* kEdgeConcreteGradeList = "ComboBox21";
// 核心区混凝土本构(1) 材料等级
inline constexpr const char* kCore1ConcreteGradeList = "ComboBox22";
// 核心区混凝土本构(2) 材料等级
inline constexpr const char* kCore2ConcreteGradeList = "ComboBox23";
// 钢筋本构 材料等级
inline constexpr const char* kRebarGradeList = "ComboBox24";
// 型钢本构 材料等级
inline constexpr const char* kShapeSteelGradeList = "ComboBox25";
// 材料强度取值
inline constexpr const char* kValueLevelList = "ComboBox26";
// 应变极限位置
inline constexpr const char* kStrainLimitPlaceList = "ComboBox27";
// 保护层纤维层数
inline constexpr const char* kCoverLayersBox = "Edit93";
// 边缘区混凝土本构 受压屈服强度fc
inline constexpr const char* kEdgeFcBox = "Edit14";
// 边缘区混凝土本构 屈服强度对应应变e0
inline constexpr const char* kEdgeE0Box = "Edit15";
// 边缘区混凝土本构 极限强度fcu
inline constexpr const char* kEdgeFcuBox = "Edit17";
// 边缘区混凝土本构 极限强度对应应变ecu
inline constexpr const char* kEdgeEcuBox = "Edit16";
// 核心区混凝土本构(1) 受压屈服强度fc
inline constexpr const char* kCore1FcBox = "Edit18";
// 核心区混凝土本构(1) 屈服强度对应应变e0
inline constexpr const char* kCore1E0Box = "Edit19";
// 核心区混凝土本构(1) 极限强度fcu
inline constexpr const char* kCore1FcuBox = "Edit21";
// 核心区混凝土本构(1) 极限强度对应应变ecu
inline constexpr const char* kCore1EcuBox = "Edit20";
// 核心区混凝土本构(2) 受压屈服强度fc
inline constexpr const char* kCore2FcBox = "Edit22";
// 核心区混凝土本构(2) 屈服强度对应应变e0
inline constexpr const char* kCore2E0Box = "Edit23";
// 核心区混凝土本构(2) 极限强度fcu
inline constexpr const char* kCore2FcuBox = "Edit25";
// 核心区混凝土本构(2) 极限强度对应应变ecu
inline constexpr const char* kCore2EcuBox = "Edit24";
// 钢筋本构 弹性模量 Es
inline constexpr const char* kRebarEsBox = "Edit26";
// 钢筋本构 屈服强度fy
inline constexpr const char* kRebarFyBox = "Edit27";
// 型钢本构 弹性模量 Es
inline constexpr const char* kShapeSteelEsBox = "Edit28";
// 型钢本构 屈服强度fy
inline constexpr const char* kShapeSteelFyBox = "Edit29";
// 边缘区混凝土本构 OpenSEES 编号
inline constexpr const char* kEdgeTagBox = "Edit65";
// 核心区混凝土本构(1) OpenSEES 编号
inline constexpr const char* kCore1TagBox = "Edit66";
// 核心区混凝土本构(2) OpenSEES 编号
inline constexpr const char* kCore2TagBox = "Edit67";
// 钢筋本构 OpenSEES 编号
inline constexpr const char* kRebarTagBox = "Edit68";
// 型钢本构 OpenSEES 编号
inline constexpr const char* kShapeSteelTagBox = "Edit69";
// 边缘区混凝土本构 抛物线指数n
inline constexpr const char* kEdgeExponentBox = "Edit94";
// 核心区混凝土本构(1) 抛物线指数n
inline constexpr const char* kCore1ExponentBox = "Edit95";
// 核心区混凝土本构(2) 抛物线指数n
inline constexpr const char* kCore2ExponentBox = "Edit96";
// 边缘区混凝土本构 体积配箍率ρv
inline constexpr const char* kEdgeHoopRatioBox = "Edit97";
// 核心区混凝土本构(1) 体积配箍率ρv
inline constexpr const char* kCore1HoopRatioBox = "Edit98";
// 核心区混凝土本构(2) 体积配箍率ρv
inline constexpr const char* kCore2HoopRatioBox = "Edit99";
// 边缘区混凝土本构 箍筋屈服强度fyh
inline constexpr const char* kEdgeHoopFyhBox = "Edit100";
// 核心区混凝土本构(1) 箍筋屈服强度fyh
inline constexpr const char* kCore1HoopFyhBox = "Edit101";
// 核心区混凝土本构(2) 箍筋屈服强度fyh
inline constexpr const char* kCore2HoopFyhBox = "Edit102";
// 边缘区混凝土本构 约束有效系数ke
inline constexpr const char* kEdgeKeBox = "Edit103";
// 核心区混凝土本构(1) 约束有效系数ke
inline constexpr const char* kCore1KeBox = "Edit104";
// 核心区混凝土本构(2) 约束有效系数ke
inline constexpr const char* kCore2KeBox = "Edit105";
// 边缘区混凝土本构 箍筋断裂应变εsu
inline constexpr const char* kEdgeHoopRuptureBox = "Edit106";
// 核心区混凝土本构(1) 箍筋断裂应变εsu
inline constexpr const char* kCore1HoopRuptureBox = "Edit107";
// 核心区混凝土本构(2) 箍筋断裂应变εsu
inline constexpr const char* kCore2HoopRuptureBox = "Edit108";
// 钢筋本构 强化系数b
inline constexpr const char* kRebarHardeningBox = "Edit109";
// 型钢本构 强化系数b
inline constexpr const char* kShapeSteelHardeningBox = "Edit110";
// 钢筋本构 断裂应变εu
inline constexpr const char* kRebarRuptureBox = "Edit111";
// 型钢本构 断裂应变εu
inline constexpr const char* kShapeSteelRuptureBox = "Edit112";
// 钢筋本构 强化起点应变εuy
inline constexpr const char* kRebarHardeningStartBox = "Edit113";
// 型钢本构 强化起点应变εuy
inline constexpr const char* kShapeSteelHardeningStartBox = "Edit114";
// 钢筋本构 极限强度fst
inline constexpr const char* kRebarUltimateBox = "Edit115";
// 型钢本构 极限强度fst
inline constexpr const char* kShapeSteelUltimateBox = "Edit116";
// the note under the edge concrete's law
inline constexpr const char* kEdgeLawNote = "Label188";
// the note under core concrete (1)'s law
inline constexpr const char* kCore1LawNote = "Label189";
// the note under core concrete (2)'s law
inline constexpr const char* kCore2LawNote = "Label190";
// colour 1
inline constexpr const char* kEdgeColourSwatch = "Shape1";
// colour 2
inline constexpr const char* kCore1ColourSwatch = "Shape2";
// colour 3
inline constexpr const char* kCore2ColourSwatch = "Shape3";
// colour 4
inline constexpr const char* kRebarColourSwatch = "Shape4";
// colour 5
inline constexpr const char* kShapeSteelColourSwatch = "Shape5";
// 刷新曲线 (concrete)
inline constexpr const char* kConcreteCurvesButton = "Button10";
// 刷新曲线 (steel)
inline constexpr const char* kSteelCurvesButton = "Button11";
// edge concrete curve
inline constexpr const char* kEdgeCurvePicture = "Image8";
// core concrete (1) curve
inline constexpr const char* kCore1CurvePicture = "Image9";
// core concrete (2) curve
inline constexpr const char* kCore2CurvePicture = "Image10";
// rebar curve
inline constexpr const char* kRebarCurvePicture = "Image6";
// structural steel curve
inline constexpr const char* kShapeSteelCurvePicture = "Image7";

}  // namespace kuma::ctl

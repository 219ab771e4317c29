#pragma once
// Control names of the page "截面输入": section kind, section boxes, statistics, section picture.
// Each constant says what the control holds or does; its value is the
// control's object name, which the window's widgets carry.

namespace kuma::ctl {

// 截面类型
inline constexpr const char* kKindList = "ComboBox1";
// 截面类型
inline constexpr const char* kKindLabel = "Label1";
// 输入参数
inline constexpr const char* kInputGroup = "GroupBox1";
// 钢管布置 (the bars)
inline constexpr const char* kBarGroup = "GroupBox11";
// 内置型钢或钢管
inline constexpr const char* kSteelGroup = "GroupBox10";
// 截面宽度B; the diameter D of round kinds
inline constexpr const char* kWidthBox = "Edit1";
// 截面宽度H
inline constexpr const char* kHeightBox = "Edit2";
// 保护层厚度as; the tube wall of filled tubes
inline constexpr const char* kCoverBox = "Edit3";
// Y方向板厚 of the rectangular tube
inline constexpr const char* kTubeWallYBox = "Edit41";
// X方向划分网格数量; sectors of round kinds
inline constexpr const char* kMeshXBox = "Edit12";
// Y方向划分网格数量; rings of round kinds
inline constexpr const char* kMeshYBox = "Edit13";
// X方向钢筋 排数
inline constexpr const char* kBarRowsXBox = "Edit5";
// X方向钢筋 根数
inline constexpr const char* kBarCountXBox = "Edit6";
// X方向钢筋 直径
inline constexpr const char* kBarDiameterXBox = "Edit7";
// Y方向钢筋 排数
inline constexpr const char* kBarRowsYBox = "Edit4";
// Y方向钢筋 根数
inline constexpr const char* kBarCountYBox = "Edit8";
// Y方向钢筋 直径
inline constexpr const char* kBarDiameterYBox = "Edit9";
// 角部钢筋 根数
inline constexpr const char* kCornerBarCountBox = "Edit10";
// 角部钢筋 直径
inline constexpr const char* kCornerBarDiameterBox = "Edit11";
// 型钢Y方向 截面高度h; the inner tube's diameter
inline constexpr const char* kShapeYDepthBox = "Edit42";
// 型钢Y方向 截面宽度b
inline constexpr const char* kShapeYWidthBox = "Edit43";
// 型钢Y方向 翼缘厚度tf; the inner tube's wall
inline constexpr const char* kShapeYFlangeBox = "Edit44";
// 型钢Y方向 腹板厚度tw
inline constexpr const char* kShapeYWebBox = "Edit45";
// 型钢X方向 截面高度h
inline constexpr const char* kShapeXDepthBox = "Edit46";
// 型钢X方向 截面宽度b
inline constexpr const char* kShapeXWidthBox = "Edit47";
// 型钢X方向 翼缘厚度tf
inline constexpr const char* kShapeXFlangeBox = "Edit48";
// 型钢X方向 腹板厚度tw
inline constexpr const char* kShapeXWebBox = "Edit49";
// 翼缘划分网格数量; sectors of the inner tube
inline constexpr const char* kFlangeMeshBox = "Edit50";
// 腹板划分网格数量; rings of the inner tube
inline constexpr const char* kWebMeshBox = "Edit51";
// 截面宽度B
inline constexpr const char* kWidthLabel = "Label2";
// 截面宽度H
inline constexpr const char* kHeightLabel = "Label3";
// 保护层厚度as
inline constexpr const char* kCoverLabel = "Label4";
// Y方向板厚
inline constexpr const char* kTubeWallYLabel = "Label49";
// X方向划分网格数量
inline constexpr const char* kMeshXLabel = "Label12";
// Y方向划分网格数量
inline constexpr const char* kMeshYLabel = "Label13";
// X方向钢筋
inline constexpr const char* kBarsXLabel = "Label5";
// Y方向钢筋
inline constexpr const char* kBarsYLabel = "Label10";
// 角部钢筋
inline constexpr const char* kCornerBarsLabel = "Label11";
// 截面高度h
inline constexpr const char* kShapeDepthLabel = "Label50";
// 截面宽度b
inline constexpr const char* kShapeWidthLabel = "Label51";
// 翼缘厚度tf
inline constexpr const char* kShapeFlangeLabel = "Label52";
// 腹板厚度tw
inline constexpr const char* kShapeWebLabel = "Label53";
// 型钢Y方向 or 钢管
inline constexpr const char* kShapeYLabel = "Label54";
// 型钢X方向
inline constexpr const char* kShapeXLabel = "Label55";
// 翼缘划分网格数量
inline constexpr const char* kFlangeMeshLabel = "Label57";
// 腹板划分网格数量
inline constexpr const char* kWebMeshLabel = "Label56";
// 截面总面积
inline constexpr const char* kGrossAreaBox = "Edit36";
// 混凝土面积
inline constexpr const char* kConcreteAreaBox = "Edit31";
// 钢筋总面积
inline constexpr const char* kBarAreaBox = "Edit37";
// 型钢总面积
inline constexpr const char* kSteelAreaBox = "Edit38";
// 配筋率(%)
inline constexpr const char* kBarRatioBox = "Edit39";
// 含钢率(%)
inline constexpr const char* kSteelRatioBox = "Edit40";
// 输入截面
inline constexpr const char* kSectionInputButton = "Button1";
// the section picture's panel
inline constexpr const char* kSectionPicturePanel = "Panel1";
// the section picture
inline constexpr const char* kSectionPicture = "Image1";
// the logo
inline constexpr const char* kLogoPicture = "Image11";

}  // namespace kuma::ctl

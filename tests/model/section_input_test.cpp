// Reading the section from the form, the refusal of counts the meshers
// cannot mesh, and what a conversion failure leaves behind.

#include "model/section_input.h"

#include <gtest/gtest.h>

#include <climits>

#include "mesh/mesh.h"
#include "model/errors.h"

namespace kuma {
namespace {

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ReadSectionParameters, DefaultsOfTheRectangularColumn) {
  MapForm form;
  int type = 0;
  SectionParameters p;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(type, 1);
  EXPECT_EQ(p.B, 2200);
  EXPECT_EQ(p.H, 2200);
  EXPECT_EQ(p.as, 40);
  EXPECT_EQ(p.rX, 2);
  EXPECT_EQ(p.rY, 2);
  EXPECT_EQ(p.cX, 12);
  EXPECT_EQ(p.cY, 12);
  EXPECT_EQ(p.dX, 25);
  EXPECT_EQ(p.dY, 25);
  EXPECT_EQ(p.dc, 25);
  EXPECT_EQ(p.nc, 1);
  EXPECT_EQ(p.nx, 12);
  EXPECT_EQ(p.ny, 12);
  EXPECT_EQ(p.h, 0) << "kind 1 reads no steel shape";
}

TEST(ReadSectionParameters, EachKindReadsItsOwnBoxes) {
  MapForm form;
  form.SetText("Edit1", "1000");
  form.SetText("Edit2", "777");
  form.SetText("Edit3", "35");
  form.SetText("Edit41", "45");
  form.SetText("Edit45", "22");
  form.SetText("Edit49", "24");
  SectionParameters sentinel;
  sentinel.as = -5;
  sentinel.b = -6;
  sentinel.tw = -7;
  sentinel.hX = -8;
  int type = 0;

  form.SetItemIndex("ComboBox1", 1);  // circular: H is the diameter in Edit1
  SectionParameters p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(type, 2);
  EXPECT_EQ(p.H, 1000);
  EXPECT_EQ(p.tw, -7);

  form.SetItemIndex("ComboBox1", 4);  // circular tube: Edit3 is the wall, as untouched
  p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(p.H, 1000);
  EXPECT_EQ(p.tw, 35);
  EXPECT_EQ(p.as, -5);

  form.SetItemIndex("ComboBox1", 5);  // rectangular tube: walls from Edit3 and Edit41
  p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(p.H, 777);
  EXPECT_EQ(p.tw, 35);
  EXPECT_EQ(p.twX, 45);

  form.SetItemIndex("ComboBox1", 3);  // one shape: the X-direction shape is not read
  p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(p.tw, 22);
  EXPECT_EQ(p.hX, -8);
  EXPECT_EQ(p.nw, 6);

  form.SetItemIndex("ComboBox1", 7);  // composite: tube diameter and wall only
  p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(type, 8);
  EXPECT_EQ(p.h, 1600);
  EXPECT_EQ(p.tf, 60);
  EXPECT_EQ(p.b, -6);
  EXPECT_EQ(p.tw, -7);
  EXPECT_EQ(p.nf, 12);

  form.SetItemIndex("ComboBox1", 6);  // circular steel-reinforced: both shapes
  p = sentinel;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(p.twX, 24);
  EXPECT_EQ(p.hX, 1600);
}

TEST(ReadSectionParameters, AFailingBoxStopsTheReadThere) {
  MapForm form;
  form.SetText("Edit1", "1500");
  form.SetText("Edit6", "abc");
  form.SetText("Edit7", "32");
  SectionParameters p;
  p.dX = 99;
  int type = 0;
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "'abc' is not a valid integer value");
  EXPECT_EQ(p.B, 1500);
  EXPECT_EQ(p.rX, 2);
  EXPECT_EQ(p.cX, 0);
  EXPECT_EQ(p.dX, 99) << "boxes after the failing one are not read";

  form.SetText("Edit6", "12");
  form.SetText("Edit12", "12.5");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "'12.5' is not a valid integer value");
  form.SetText("Edit12", "12");
  form.SetText("Edit2", "1.2.3");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "'1.2.3' is not a valid floating point value");
}

SectionParameters Defaults(int kind) {
  MapForm form;
  form.SetItemIndex("ComboBox1", kind - 1);
  int type = 0;
  SectionParameters p;
  ReadSectionParameters(form, type, p);
  return p;
}

std::string Refusal(int kind, int SectionParameters::*field, int value) {
  SectionParameters p = Defaults(kind);
  p.*field = value;
  return ErrorOf([&] { ValidateMeshInput(kind, p); });
}

TEST(ValidateMeshInput, RefusesCountsTheMeshersCannotMesh) {
  using P = SectionParameters;
  for (int kind = 1; kind <= 8; ++kind) {
    EXPECT_EQ(ErrorOf([&] { ValidateMeshInput(kind, Defaults(kind)); }), "(no error)") << kind;
  }
  EXPECT_EQ(Refusal(1, &P::nx, 1), "X方向划分网格数量(Edit12)必须不小于2");
  EXPECT_EQ(Refusal(1, &P::nx, 2), "(no error)");
  EXPECT_EQ(Refusal(6, &P::ny, 0), "Y方向划分网格数量(Edit13)必须不小于2");
  EXPECT_EQ(Refusal(8, &P::ny, -4), "Y方向划分网格数量(Edit13)必须不小于2");
  EXPECT_EQ(Refusal(1, &P::rX, -1), "X方向钢筋排数(Edit5)必须不小于0");
  EXPECT_EQ(Refusal(3, &P::cX, -1), "X方向钢筋根数(Edit6)必须不小于0");
  EXPECT_EQ(Refusal(4, &P::rY, -1), "Y方向钢筋排数(Edit4)必须不小于0");
  EXPECT_EQ(Refusal(1, &P::cY, -2), "Y方向钢筋根数(Edit8)必须不小于0");
  EXPECT_EQ(Refusal(3, &P::nf, -1), "翼缘划分网格数量(Edit50)必须不小于0");
  EXPECT_EQ(Refusal(7, &P::nw, -1), "腹板划分网格数量(Edit51)必须不小于0");
  EXPECT_EQ(Refusal(8, &P::nf, -1), "钢管内环向划分数量(Edit50)必须不小于0");
  EXPECT_EQ(Refusal(8, &P::nw, -1), "钢管内径向划分数量(Edit51)必须不小于0");
  // Circular kinds: any count from 0 up meshes.
  EXPECT_EQ(Refusal(2, &P::nx, 0), "(no error)");
  EXPECT_EQ(Refusal(5, &P::ny, 0), "(no error)");
  EXPECT_EQ(Refusal(2, &P::nx, -1), "环向划分网格数量(Edit12)必须不小于0");
  EXPECT_EQ(Refusal(7, &P::ny, -1), "径向划分网格数量(Edit13)必须不小于0");
  EXPECT_EQ(Refusal(2, &P::rX, -1), "环向钢筋排数(Edit5)必须不小于0");
  EXPECT_EQ(Refusal(7, &P::cX, -1), "环向钢筋根数(Edit6)必须不小于0");
  // Values a kind does not use are not checked.
  EXPECT_EQ(Refusal(5, &P::rX, -1), "(no error)");
  EXPECT_EQ(Refusal(2, &P::rY, -1), "(no error)");
  EXPECT_EQ(Refusal(1, &P::nf, -1), "(no error)");
  // A negative corner count is left to the mesher's square root.
  EXPECT_EQ(Refusal(1, &P::nc, -1), "(no error)");
}

TEST(ValidateMeshInput, RefusesSectionsWithTooManyFibers) {
  using P = SectionParameters;
  SectionParameters p = Defaults(1);
  p.nx = p.ny = 1400;  // 1398² + 4·1400 + 100 = 1960104 fibers: within the limit
  EXPECT_EQ(ErrorOf([&] { ValidateMeshInput(1, p); }), "(no error)");
  p.nx = p.ny = 2000;
  EXPECT_EQ(ErrorOf([&] { ValidateMeshInput(1, p); }),
            "截面纤维数量(4000104)超过上限2000000，请减少网格划分数量或钢筋数量");
  // Counts whose product overflows 64 bits are refused without a number.
  p = Defaults(1);
  p.rX = p.cX = p.rY = p.cY = INT_MAX;
  EXPECT_EQ(ErrorOf([&] { ValidateMeshInput(1, p); }),
            "截面纤维数量超过上限2000000，请减少网格划分数量或钢筋数量");
  EXPECT_EQ(Refusal(2, &P::nx, INT_MAX).substr(0, 18), "截面纤维数量");
}

}  // namespace
}  // namespace kuma

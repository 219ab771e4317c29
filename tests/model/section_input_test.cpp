// Reading the section from the form and refusing counts the meshers cannot
// mesh.

#include "model/section_input.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "../error_of.h"
#include "mesh/mesh.h"
#include "model/errors.h"

namespace kuma {
namespace {

using P = SectionParameters;

using test::ErrorOf;
using test::ErrorWithControlsOf;

SectionParameters Read(MapForm& form, int kind, SectionParameters p = {}) {
  form.SetItemIndex("ComboBox1", kind - 1);
  int type = 0;
  ReadSectionParameters(form, type, p);
  EXPECT_EQ(type, kind);
  return p;
}

TEST(ReadSectionParameters, EachKindReadsItsOwnBoxes) {
  MapForm form;
  P d = Read(form, 1);
  EXPECT_EQ(std::vector<double>({d.B, d.H, d.as, d.dX, d.dY, d.dc, d.h}),
            std::vector<double>({2200, 2200, 40, 25, 25, 25, 0}));
  EXPECT_EQ(std::vector<int>({d.rX, d.cX, d.rY, d.cY, d.nc, d.nx, d.ny}),
            std::vector<int>({2, 12, 2, 12, 1, 12, 12}));

  form.SetText("Edit1", "1000");
  form.SetText("Edit2", "777");
  form.SetText("Edit3", "35");
  form.SetText("Edit41", "45");
  P sentinel;
  sentinel.as = sentinel.b = sentinel.tw = sentinel.hX = -1;
  EXPECT_EQ(Read(form, 2, sentinel).H, 1000) << "circles take H from Edit1";
  P tube = Read(form, 5, sentinel);
  EXPECT_EQ(tube.tw, 35) << "the tube wall comes from Edit3";
  EXPECT_EQ(tube.as, -1) << "and as is not read";
  P box = Read(form, 6, sentinel);
  EXPECT_EQ(std::vector<double>({box.H, box.tw, box.twX}), std::vector<double>({777, 35, 45}));
  EXPECT_EQ(Read(form, 4, sentinel).hX, -1) << "one shape: the X-direction shape is not read";
  P composite = Read(form, 8, sentinel);
  EXPECT_EQ(std::vector<double>({composite.h, composite.tf, composite.b, composite.tw}),
            std::vector<double>({1600, 60, -1, -1}));
  EXPECT_EQ(Read(form, 7, sentinel).hX, 1600);
}

TEST(ReadSectionParameters, AFailingBoxStopsTheReadThere) {
  MapForm form;
  form.SetText("Edit1", "1500");
  form.SetText("Edit6", "abc");
  P p;
  p.dX = 99;
  EXPECT_EQ(ErrorOf([&] { Read(form, 1, p); }), "X方向钢筋根数: 'abc' 不是整数");
  int type = 0;
  EXPECT_THROW(ReadSectionParameters(form, type, p), Error);
  EXPECT_EQ(p.B, 1500);
  EXPECT_EQ(p.rX, 2);
  EXPECT_EQ(p.cX, 0);
  EXPECT_EQ(p.dX, 99) << "boxes after the failing one keep their values";

  form.SetText("Edit6", "12");
  form.SetText("Edit12", "12.5");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "X方向划分网格数量: '12.5' 不是整数");
}

// The messages name the box by its caption, say what was typed, and say so
// plainly when nothing was typed (in both wordings).
TEST(ReadSectionParameters, ConversionMessagesNameTheBoxInChinese) {
  MapForm form;
  P p;
  int type = 0;
  form.SetText("Edit1", "abc");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "截面宽度B: 'abc' 不是有效的数值");
  form.SetText("Edit1", "  ");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }), "截面宽度B: 未输入数值");
  EXPECT_EQ(ErrorWithControlsOf([&] { ReadSectionParameters(form, type, p); }),
            "截面宽度B(Edit1): 未输入数值");
  form.SetText("Edit1", "2200");
  form.SetText("Edit13", "2.5");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "Y方向划分网格数量: '2.5' 不是整数");
  form.SetText("Edit13", "");
  EXPECT_EQ(ErrorOf([&] { ReadSectionParameters(form, type, p); }),
            "Y方向划分网格数量: 未输入数值");
}

std::string Refusal(int kind, int P::*field, int value) {
  MapForm form;
  P p = Read(form, kind);
  p.*field = value;
  return test::ErrorWithControlsOf([&] { ValidateMeshInput(kind, p); });
}

TEST(ValidateMeshInput, RefusesCountsTheMeshersCannotMesh) {
  struct Case {
    int kind;
    int P::*field;
    int value;
    const char* message;
  };
  const Case cases[] = {
      {1, &P::nx, 2, ""},
      {1, &P::nx, 1, "X方向划分网格数量(Edit12)必须不小于2"},
      {6, &P::ny, 0, "Y方向划分网格数量(Edit13)必须不小于2"},
      {1, &P::rX, -1, "X方向钢筋排数(Edit5)必须不小于0"},
      {3, &P::cX, -1, "X方向钢筋根数(Edit6)必须不小于0"},
      {4, &P::rY, -1, "Y方向钢筋排数(Edit4)必须不小于0"},
      {8, &P::cY, -2, "Y方向钢筋根数(Edit8)必须不小于0"},
      {3, &P::nf, -1, "翼缘划分网格数量(Edit50)必须不小于0"},
      {7, &P::nw, -1, "腹板划分网格数量(Edit51)必须不小于0"},
      {8, &P::nf, -1, "钢管内环向划分数量(Edit50)必须不小于0"},
      {8, &P::nw, -1, "钢管内径向划分数量(Edit51)必须不小于0"},
      {2, &P::nx, 0, ""},  // circles mesh any count from 0 up
      {2, &P::nx, -1, "环向划分网格数量(Edit12)必须不小于0"},
      {5, &P::ny, -1, "径向划分网格数量(Edit13)必须不小于0"},
      {7, &P::cX, -1, "环向钢筋根数(Edit6)必须不小于0"},
      {5, &P::rX, -1, ""},  // values a kind does not use are not checked
      {1, &P::nf, -1, ""},
      {1, &P::nc, -1, ""},  // left to the corner bundle's square root
      {1, &P::nx, 200000, "截面纤维数量(2400104)超过上限2000000，请减少网格划分数量或钢筋数量"},
      {1, &P::nx, 150000, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Refusal(c.kind, c.field, c.value), c.message) << "kind " << c.kind << " " << c.value;
  }
}

TEST(ValidateMeshInput, CountsThatOverflowAreRefused) {
  MapForm form;
  P p = Read(form, 1);
  p.rX = p.cX = p.rY = p.cY = INT_MAX;
  EXPECT_EQ(ErrorOf([&] { ValidateMeshInput(1, p); }),
            "截面纤维数量超过上限2000000，请减少网格划分数量或钢筋数量");
}

}  // namespace
}  // namespace kuma

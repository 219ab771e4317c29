// The commands of the page "PMM三维曲面" on a form held in memory: the view
// boxes the mouse turns and zooms, the refusals of absurd views, the cut
// level shared with the MM page, and the read-out.

#include "app/pmm_commands.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../error_of.h"
#include "app/commands.h"
#include "draw/pmm_view.h"
#include "draw/recording_canvas.h"
#include "draw_test_util.h"
#include "model/errors.h"
#include "pmm_test_surface.h"

namespace kuma {
namespace {

using test::RecordingForm;

using test::ErrorOf;

TEST(PmmCommands, DragTurnsTheViewHalfADegreePerPixelWithinItsLimits) {
  AppState state;
  state.surface = test::EllipsoidSurface(12, 7);
  RecordingForm form;
  PmmTurnCommand(state, form, 10, -4);
  EXPECT_EQ(form.Text("Edit81"), "40.0");
  EXPECT_EQ(form.Text("Edit82"), "23.0");
  EXPECT_GT(form.Calls("Image25").size(), 100u) << "the view is drawn again";
  EXPECT_TRUE(form.Calls("Image26").empty()) << "the cut does not change with the view";

  // The azimuth goes on round; the elevation stops at looking straight down.
  form.SetText("Edit81", "175");
  PmmTurnCommand(state, form, 20, 500);
  EXPECT_EQ(form.Text("Edit81"), "-175.0");
  EXPECT_EQ(form.Text("Edit82"), "90.0");
  PmmTurnCommand(state, form, 0, -1000);
  EXPECT_EQ(form.Text("Edit82"), "-90.0");
}

TEST(PmmCommands, WheelZoomsTenPercentPerNotchBetweenItsLimits) {
  AppState state;
  RecordingForm form;
  PmmZoomCommand(state, form, 1);
  EXPECT_EQ(form.Text("Edit83"), "1.10");
  PmmZoomCommand(state, form, -2);
  EXPECT_EQ(form.Text("Edit83"), "0.91");
  PmmZoomCommand(state, form, 100);
  EXPECT_EQ(form.Text("Edit83"), "50.00");
  PmmZoomCommand(state, form, -1000);
  EXPECT_EQ(form.Text("Edit83"), "0.10");

  PmmDefaultViewCommand(state, form);
  EXPECT_EQ(form.Text("Edit81"), "35.0");
  EXPECT_EQ(form.Text("Edit82"), "25.0");
  EXPECT_EQ(form.Text("Edit83"), "1.00");
}

TEST(PmmCommands, AbsurdViewsAreRefusedWithAClearMessage) {
  AppState state;
  RecordingForm form;
  form.SetText("Edit82", "95");
  EXPECT_EQ(ErrorOf([&] { PmmDrawCommand(state, form); }), "仰角应在 -90 到 90 度之间");
  form.SetText("Edit82", "25");
  form.SetText("Edit83", "0");
  EXPECT_EQ(ErrorOf([&] { PmmDrawCommand(state, form); }), "缩放系数应在 0.1 到 50 之间");
  form.SetText("Edit83", "abc");
  EXPECT_EQ(ErrorOf([&] { PmmZoomCommand(state, form, 1); }), "缩放系数: 'abc' 不是有效的数值");
  form.SetText("Edit83", "1");
  form.SetText("Edit84", "-5");
  EXPECT_EQ(ErrorOf([&] { PmmDrawCommand(state, form); }), "轴力范围不能为负数");
  form.SetText("Edit84", "500");
  EXPECT_EQ(ErrorOf([&] { PmmDrawCommand(state, form); }), "");
}

TEST(PmmCommands, CutLevelIsTheMmPagesAxialLevel) {
  AppState state;
  state.surface = test::EllipsoidSurface(12, 7);
  RecordingForm form;
  // Typed on this page: it becomes the MM page's level too.
  form.SetText("Edit80", "2500");
  PmmCutLevelCommand(state, form);
  EXPECT_EQ(form.Text("Edit30"), "2500");
  EXPECT_EQ(state.AxialLevel, 2500);
  EXPECT_GE(test::Find(form.Calls("Image26"), "text 6 4 切面 P = 2500 kN"), 0);

  // Brought to the front, the page takes the MM page's level.
  form.SetText("Edit30", "1234");
  PageChangeCommand(state, form, 6);
  EXPECT_EQ(form.Text("Edit80"), "1234");
  EXPECT_EQ(state.AxialLevel, 1234);
  EXPECT_GE(test::Find(form.Calls("Image25"), "text 6 20 切面 P = 1234 kN"), 0);
  EXPECT_GT(state.FiberCount(), 0) << "the page works on the current section";
}

TEST(PmmCommands, PageBuildsTheSurfaceOfTheFormAndChecksTheForces) {
  AppState state;
  RecordingForm form;
  form.SetText("Edit70", "36");
  form.SetText("Edit71", "24");
  PageChangeCommand(state, form, 6);
  ASSERT_EQ(state.surface.meridian.size(), 36u);
  EXPECT_FALSE(state.check.Valid()) << "nothing imported, nothing checked";
  EXPECT_EQ(test::CountPrefix(form.Calls("Image25"), "polygon"), 36 * 23);
  EXPECT_GE(test::Find(form.Calls("Image26"), "pen 255 0 0"), 0) << "the cut at 0 kN";

  // With forces imported the page shows their ratios: a demand far outside
  // is the governing one, in red.
  state.forceTable = test::Forces({{1000, 100, 100}, {1000, 1e6, 0}});
  PageChangeCommand(state, form, 6);
  ASSERT_TRUE(state.check.Valid());
  EXPECT_EQ(state.check.governing, 2);
  EXPECT_GE(test::Find(form.Calls("Image25"), "brush 255 0 0"), 0);
}

TEST(PmmCommands, ReadOutShowsTheForceUnderTheMouse) {
  AppState state;
  state.surface = test::EllipsoidSurface(12, 7);
  state.forceTable = test::Forces({{2000, 400, -200}});
  state.check = test::Check({0.42}, 1);
  RecordingForm form;
  const PixelPoint size = PictureSize("Image25");
  const PmmCamera camera(PmmBoxAround(state.surface, state.forceTable), ReadPmmView(form), size.x,
                         size.y);
  const ScreenPoint s = camera.Project(ForceDemand(state.forceTable, 1));
  const int x = static_cast<int>(std::lround(s.x)), y = static_cast<int>(std::lround(s.y));
  EXPECT_EQ(PmmReadOutText(state, form, x, y),
            "组合1:  P = 2000 kN, Mx = 400 kN·m, My = -200 kN·m, 比值 = 0.420");
  EXPECT_EQ(PmmReadOutText(state, form, x + 20, y), "内力值 = ");
  EXPECT_EQ(PmmReadOutText(AppState(), form, x, y), "内力值 = ");
}

}  // namespace
}  // namespace kuma

// Long commands followed and stopped: the PM and MM commands report one
// position over all points of all their curves, give the very numbers of the
// plain solves, and a stop leaves every result of the previous run in place.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/progress.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "app/commands.h"
#include "draw/recording_canvas.h"
#include "model/form.h"

namespace kuma {
namespace {

// A form whose pictures record their calls, so a test sees what was drawn.
struct RecordingForm {
  MapForm form;
  std::vector<RecordingCanvas*> canvases;
  std::vector<std::string> names;
  RecordingForm() {
    form.SetCanvasFactory([this](const std::string& name, int width, int height) {
      auto canvas = std::make_unique<RecordingCanvas>(width, height);
      canvases.push_back(canvas.get());
      names.push_back(name);
      return canvas;
    });
  }
  std::size_t CallsOf(const std::string& picture) {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == picture) return canvases[i]->Calls().size();
    return 0;
  }
};

// Positions a command reported, in order.
struct Recorder {
  std::vector<int> positions;
  WorkControl Control() {
    WorkControl control;
    control.progress = [this](int p) { positions.push_back(p); };
    return control;
  }
};

TEST(WorkProgress, SharesOfThePlannedTrialsAndAStop) {
  CancelToken token;
  std::vector<int> bar;
  WorkControl control;
  control.cancel = &token;
  WorkProgress work([&bar](int p) { bar.push_back(p); }, control);
  work.Plan(300);
  work.Plan(100);
  work.Advance(2);
  work.Report();  // 0.5 % rounds to the even 0
  work.Advance(198);
  work.Report();
  work.Report();  // unchanged: not shown again
  work.Advance(200);
  work.Report();
  EXPECT_EQ(bar, (std::vector<int>{0, 50, 100}));
  token.Cancel();
  EXPECT_TRUE(work.StopRequested());
  EXPECT_THROW(work.Report(), Cancelled);
  token.Reset();
  EXPECT_NO_THROW(work.Report());
}

TEST(WorkProgress, PmCommandRunsOnceFromZeroToHundredOverBothCurves) {
  for (int threads : {1, 2}) {
    SetSolverThreadCount(threads);
    MapForm form;
    AppState state;
    Recorder recorder;
    PmCommand(state, form, recorder.Control());
    const std::vector<int>& p = recorder.positions;
    ASSERT_GE(p.size(), 3u);
    EXPECT_EQ(p.back(), 0) << "the bar returns to 0 at the end";
    EXPECT_EQ(p[p.size() - 2], 100);
    for (std::size_t i = 1; i + 1 < p.size(); ++i) EXPECT_GT(p[i], p[i - 1]) << "never restarts";
    EXPECT_EQ(form.Progress("ProgressBar1"), 0);
  }
  SetSolverThreadCount(0);
}

TEST(WorkProgress, CommandsGiveTheNumbersOfThePlainSolves) {
  MapForm form;
  form.SetItemIndex("ComboBox1", 7);  // the composite column: every material code
  AppState viaCommand;
  PmCommand(viaCommand, form);
  MmCommand(viaCommand, form);

  AppState plain;
  MeshCommand(plain, form);
  ComputeAxialCapacity(plain.fibers, plain.CompressionCapacity, plain.TensionCapacity);
  PmSettings pm = ReadPmSettings(form);
  for (double angle : {0.0, 90.0})
    SolvePmCurve(angle, pm, plain.params.B, plain.params.H, plain.fibers, plain.CompressionCapacity,
                 plain.TensionCapacity, plain.PmCurveX, plain.PmCurveY);
  MmSettings mm = ReadMmSettings(form, plain.AxialLevel);
  SolveMmCurve(mm, plain.params.B, plain.params.H, plain.fibers, plain.mmCurve);

  EXPECT_EQ(viaCommand.PmCurveX.P, plain.PmCurveX.P);
  EXPECT_EQ(viaCommand.PmCurveX.M, plain.PmCurveX.M);
  EXPECT_EQ(viaCommand.PmCurveY.P, plain.PmCurveY.P);
  EXPECT_EQ(viaCommand.PmCurveY.M, plain.PmCurveY.M);
  EXPECT_EQ(viaCommand.mmCurve.Mx, plain.mmCurve.Mx);
  EXPECT_EQ(viaCommand.mmCurve.My, plain.mmCurve.My);
}

// Stops the command once the position reaches `at`.
WorkControl StopAt(CancelToken& token, int at) {
  WorkControl control;
  control.cancel = &token;
  control.progress = [&token, at](int p) {
    if (p >= at) token.Cancel();
  };
  return control;
}

TEST(WorkProgress, StoppedPmCommandLeavesThePreviousResults) {
  for (int threads : {1, 2}) {
    SetSolverThreadCount(threads);
    RecordingForm f;
    AppState state;
    PmCommand(state, f.form);
    const AppState before = state;
    const std::size_t chartX = f.CallsOf("Image2"), chartY = f.CallsOf("Image3");

    f.form.SetText("Edit1", "1600");  // another section, more points
    f.form.SetText("Edit33", "20");
    CancelToken token;
    EXPECT_THROW(PmCommand(state, f.form, StopAt(token, 60)), Cancelled);
    EXPECT_EQ(state.PmCurveX.P, before.PmCurveX.P);
    EXPECT_EQ(state.PmCurveX.M, before.PmCurveX.M);
    EXPECT_EQ(state.PmCurveY.P, before.PmCurveY.P);
    EXPECT_EQ(state.PmCurveY.M, before.PmCurveY.M);
    EXPECT_EQ(state.CompressionCapacity, before.CompressionCapacity);
    EXPECT_EQ(state.TensionCapacity, before.TensionCapacity);
    EXPECT_EQ(f.CallsOf("Image2"), chartX) << "no chart was drawn";
    EXPECT_EQ(f.CallsOf("Image3"), chartY);
    EXPECT_EQ(f.form.Progress("ProgressBar1"), 0);

    // The next run goes through to the end.
    PmCommand(state, f.form);
    EXPECT_EQ(state.PmCurveX.P.size(), 21u);
  }
  SetSolverThreadCount(0);
}

TEST(WorkProgress, StoppedMmCommandLeavesThePreviousCurveAndLevel) {
  RecordingForm f;
  AppState state;
  PmCommand(state, f.form);
  MmCommand(state, f.form);
  const MmCurve before = state.mmCurve;
  const std::size_t chart = f.CallsOf("Image5");

  f.form.SetText("Edit30", "20000");
  CancelToken token;
  EXPECT_THROW(MmCommand(state, f.form, StopAt(token, 1)), Cancelled);
  EXPECT_EQ(state.mmCurve.Mx, before.Mx);
  EXPECT_EQ(state.mmCurve.My, before.My);
  EXPECT_EQ(state.AxialLevel, 0) << "the level of the curve shown";
  EXPECT_EQ(f.CallsOf("Image5"), chart);

  token.Cancel();  // already set: nothing is solved at all
  EXPECT_THROW(MmCommand(state, f.form, WorkControl{{}, {}, &token}), Cancelled);
  EXPECT_EQ(state.mmCurve.Mx, before.Mx);
}

TEST(WorkProgress, KeepAliveIsCalledWhileTheWorkGoesOn) {
  MapForm form;
  AppState state;
  int calls = 0;
  WorkControl control;
  control.keepAlive = [&calls] { ++calls; };
  PmCommand(state, form, control);
  EXPECT_GT(calls, 0);
}

TEST(WorkProgress, RefusedSettingsPlanNothing) {
  PmSettings pm;
  EXPECT_EQ(PmCurveTrials(pm), 9 * 5 * 101);
  pm.n = 1;
  EXPECT_EQ(PmCurveTrials(pm), 0);
  MmSettings mm;
  EXPECT_EQ(MmCurveTrials(mm), 37 * 5 * 101);
  mm.N = 1;
  EXPECT_EQ(MmCurveTrials(mm), 0);
  mm.N = 1000000;
  mm.K = 2000000000;
  EXPECT_EQ(MmCurveTrials(mm), static_cast<std::int64_t>(1e15)) << "capped, no overflow";
}

}  // namespace
}  // namespace kuma

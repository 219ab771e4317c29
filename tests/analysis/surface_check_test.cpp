// The capacity surface and the utilisation ratios: ends, shape, symmetry,
// points known to lie on it, thread independence, refusals, and every ratio
// against a dense computation of its own (bisection on the neutral-axis
// offset at 0.25-degree steps of the axis angle), to 0.2 %.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "analysis/design_check.h"
#include "analysis/solver_options.h"
#include "analysis/solvers.h"
#include "analysis/surface.h"
#include "app/commands.h"
#include "material/laws.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "section_helpers.h"

namespace kuma {
namespace {

struct Section {
  AppState state;
  MapForm form;
  double compression = 0, tension = 0;
};

// The initial form of a section kind (0-based list position), meshed.
std::unique_ptr<Section> MakeSection(int kindIndex) {
  auto s = std::make_unique<Section>();
  s->form.SetItemIndex("ComboBox1", kindIndex);
  MeshCommand(s->state, s->form);
  ComputeAxialCapacity(s->state.fibers, s->compression, s->tension);
  return s;
}

CapacitySurface Surface(const Section& s, SurfaceSettings settings = {}) {
  CapacitySurface surface;
  BuildCapacitySurface(settings, s.state.params.B, s.state.params.H, s.state.fibers, s.compression,
                       s.tension, surface);
  return surface;
}

// ---------------------------------------------------------------------------
// The dense computation. A state: neutral axis at angle θ, offset c; the
// signed distance d = sin θ·x − cos θ·y + c (negative = compressed), strain
// φ·d with the smallest curvature at which a corner of the bounding rectangle
// reaches εcu or 0.01.

struct Dense {
  const FiberArray& fibers;
  double B, H, ecu = -0.0035;

  SurfacePoint State(double theta, double c) const {
    const double s = std::sin(theta), k = std::cos(theta);
    double dMin = 0, dMax = 0;
    for (int i = 0; i < 4; ++i) {
      double x = (i == 1 || i == 2) ? B / 2 : -B / 2, y = i >= 2 ? H / 2 : -H / 2;
      double d = s * x - k * y + c;
      if (i == 0 || d < dMin) dMin = d;
      if (i == 0 || d > dMax) dMax = d;
    }
    double phi = std::numeric_limits<double>::infinity();
    if (dMin < 0) phi = std::min(phi, ecu / dMin);
    if (dMin > 0) phi = std::min(phi, 0.01 / dMin);
    if (dMax > 0) phi = std::min(phi, 0.01 / dMax);
    if (dMax < 0) phi = std::min(phi, ecu / dMax);
    double force = 0, mx = 0, my = 0;
    for (const FiberRecord& f : fibers) {
      double strain = phi * (s * f.x - k * f.y + c), stress = 0;
      if (IsSteel(f.material)) {
        SteelLaw(f.Es, f.fy, strain, 1, stress);
      } else {
        ConcreteLaw(f.fc, f.e0, 0, 0, strain, 1, stress);
        if (f.material == CoreConcrete1Deduction) stress = -stress;
      }
      force += stress * f.area;
      mx += stress * f.area * f.y;
      my += stress * f.area * f.x;
    }
    return {-force / 1000, mx / 1e6, my / 1e6};
  }

  // The state of angle θ whose axial force is `level`, by bisection on c.
  SurfacePoint AtLevel(double theta, double level) const {
    double reach = 1e4 * std::hypot(B, H);
    double lo = -reach, hi = reach;  // P falls as c grows
    for (int i = 0; i < 52; ++i) {
      double mid = (lo + hi) / 2;
      (State(theta, mid).P > level ? lo : hi) = mid;
    }
    return State(theta, (lo + hi) / 2);
  }

  // Where the ray from the axis at `level` in the moment direction α leaves
  // the contour of that level; 0 beyond the axial range. The contour is
  // traced at 5-degree steps, then at 0.25-degree steps over the three
  // coarse steps around the crossing.
  double MomentCapacity(double level, double alpha) const {
    const double ux = std::cos(alpha), uy = std::sin(alpha);
    auto crossing = [&](const SurfacePoint& a, const SurfacePoint& b) {
      // a + u·(b − a) = r·(ux, uy), 0 <= u <= 1, r > 0
      double ex = b.Mx - a.Mx, ey = b.My - a.My;
      double det = ex * uy - ey * ux;
      if (det == 0) return -1.0;
      double u = (a.My * ux - a.Mx * uy) / det;
      double r = (a.My * ex - a.Mx * ey) / det;
      return (u >= -1e-12 && u <= 1 + 1e-12 && r > 0) ? r : -1.0;
    };
    const double degree = 3.14159265358979323846 / 180;
    std::vector<SurfacePoint> coarse(73);
    for (int j = 0; j <= 72; ++j) coarse[j] = AtLevel(j * 5 * degree, level);
    int found = -1;
    for (int j = 0; j < 72 && found < 0; ++j)
      if (crossing(coarse[j], coarse[j + 1]) > 0) found = j;
    if (found < 0) return 0;
    double best = -1;
    SurfacePoint previous = AtLevel((found - 1) * 5 * degree, level);
    for (int step = 1; step <= 60; ++step) {
      SurfacePoint here = AtLevel(((found - 1) * 5 + step * 0.25) * degree, level);
      double r = crossing(previous, here);
      if (r > 0 && (best < 0 || r < best)) best = r;
      previous = here;
    }
    return best;
  }

  double ConstantAxialRatio(const SurfacePoint& d) const {
    double m = std::hypot(d.Mx, d.My);
    return m / MomentCapacity(d.P, std::atan2(d.My, d.Mx));
  }

  // The scale s at which s·D reaches the surface, by regula falsi on
  // s·|M| − capacity moment at s·P.
  double RadialRatio(const SurfacePoint& d) const {
    double m = std::hypot(d.Mx, d.My), alpha = std::atan2(d.My, d.Mx);
    auto g = [&](double s) { return s * m - MomentCapacity(s * d.P, alpha); };
    double lo = 0, glo = g(0), hi = 1, ghi = g(1);
    while (ghi < 0) {
      lo = hi;
      glo = ghi;
      hi *= 2;
      ghi = g(hi);
    }
    for (int i = 0; i < 40 && hi - lo > 1e-7 * hi; ++i) {
      double s = (lo * ghi - hi * glo) / (ghi - glo);
      if (i % 3 == 2) s = (lo + hi) / 2;  // keep both ends moving
      double gs = g(s);
      (gs < 0 ? lo : hi) = s;
      (gs < 0 ? glo : ghi) = gs;
    }
    return 1 / ((lo + hi) / 2);
  }
};

// Demands at three axial levels and four moment directions, scaled so the
// ratios spread from well inside to outside.
std::vector<SurfacePoint> Demands(double compression, double tension, double moment) {
  std::vector<SurfacePoint> out;
  const double levels[3] = {0.5 * tension, 0.2 * compression, 0.55 * compression};
  const double directions[4] = {0.0, 0.6, 1.5707963267948966, 3.6};
  const double scales[4] = {0.5, 0.9, 1.0, 1.3};
  int k = 0;
  for (double level : levels)
    for (double a : directions) {
      double m = moment * scales[k++ % 4];
      out.push_back({level, m * std::cos(a), m * std::sin(a)});
    }
  return out;
}

double LargestMoment(const CapacitySurface& surface) {
  double m = 0;
  for (const auto& meridian : surface.meridian)
    for (const SurfacePoint& p : meridian) m = std::max(m, std::hypot(p.Mx, p.My));
  return m;
}

void ExpectDenseAgreement(const Section& s, int method) {
  CapacitySurface surface = Surface(s);
  SurfaceIndex index(surface);
  Dense dense{s.state.fibers, s.state.params.B, s.state.params.H};
  double moment = 0.7 * LargestMoment(surface);
  for (const SurfacePoint& d : Demands(s.compression, s.tension, moment)) {
    double got = index.Ratio(method, d);
    double want = method == kRadialMethod ? dense.RadialRatio(d) : dense.ConstantAxialRatio(d);
    EXPECT_NEAR(got, want, 0.002 * want) << "demand " << d.P << ", " << d.Mx << ", " << d.My;
  }
}

TEST(DesignCheckDense, RadialWithinTwoPerMilleOnFourKinds) {
  for (int kind : {0, 4, 6, 7}) {  // rectangular RC, circular tube, circular shape, composite
    SCOPED_TRACE(kind + 1);
    ExpectDenseAgreement(*MakeSection(kind), kRadialMethod);
  }
}

TEST(DesignCheckDense, ConstantAxialWithinTwoPerMilleOnFourKinds) {
  for (int kind : {0, 4, 6, 7}) {
    SCOPED_TRACE(kind + 1);
    ExpectDenseAgreement(*MakeSection(kind), kConstantAxialMethod);
  }
}

// Random fibers in a 500 x 700 outline: the half turn of the axis is no
// mirror image here.
std::unique_ptr<Section> UnsymmetricSection(unsigned seed, int fibers) {
  auto s = std::make_unique<Section>();
  s->state.fibers = test::RandomSection(seed, fibers, 500, 700);
  s->state.params.B = 500;
  s->state.params.H = 700;
  ComputeAxialCapacity(s->state.fibers, s->compression, s->tension);
  return s;
}

TEST(DesignCheckDense, SectionWithoutSymmetry) {
  const std::unique_ptr<Section> s = UnsymmetricSection(7, 1000);
  ExpectDenseAgreement(*s, kRadialMethod);
  ExpectDenseAgreement(*s, kConstantAxialMethod);
}

// ---------------------------------------------------------------------------

// The bins only narrow the search: a ray finds in its own bin the ratio a
// search through every triangle gives, for demands in every direction, on
// coarse and fine grids and on a section without symmetry.
TEST(DesignCheckBins, SameRatioAsEveryTriangle) {
  const std::unique_ptr<Section> rectangle = MakeSection(0), tube = MakeSection(4),
                                 odd = UnsymmetricSection(11, 400);
  struct Case {
    const Section* section;
    int angles, points, demands;
  };
  for (const Case& c : {Case{rectangle.get(), 8, 6, 3000}, Case{rectangle.get(), 36, 24, 3000},
                        Case{tube.get(), 144, 96, 150}, Case{odd.get(), 37, 21, 3000}}) {
    SurfaceSettings settings;
    settings.angles = c.angles;
    settings.points = c.points;
    const CapacitySurface surface = Surface(*c.section, settings);
    const SurfaceIndex index(surface);
    const double moment = LargestMoment(surface);
    const double range = c.section->compression - c.section->tension;
    std::mt19937 random(static_cast<unsigned>(c.angles));
    std::uniform_real_distribution<double> unit(0, 1);
    int differences = 0;
    for (int i = 0; i < c.demands; ++i) {
      const double a = 6.283185307179586 * unit(random), m = 1.5 * moment * unit(random);
      // A tenth of the demands on the axes, where bins meet.
      const double angle = i % 10 == 0 ? 1.5707963267948966 * (i / 10 % 4) : a;
      const SurfacePoint d{c.section->tension + range * (1.2 * unit(random) - 0.1),
                           m * std::cos(angle), m * std::sin(angle)};
      // A ray along a side shared by two triangles meets both; which one
      // answers may move the last bit.
      using Search = SurfaceIndex::Search;
      auto same = [](double x, double y) { return x == y || std::fabs(x - y) <= 1e-13 * y; };
      differences += !same(index.Radial(d, Search::kBinOnly), index.Radial(d, Search::kAll));
      differences +=
          !same(index.AtConstantAxial(d, Search::kBinOnly), index.AtConstantAxial(d, Search::kAll));
    }
    EXPECT_EQ(differences, 0) << c.angles << " x " << c.points;
  }
}

TEST(CapacitySurface, GridFromTheTensionEndToTheSquashLoad) {
  auto s = MakeSection(0);
  SurfaceSettings settings;
  settings.angles = 36;
  settings.points = 30;
  CapacitySurface surface = Surface(*s, settings);
  ASSERT_EQ(surface.meridian.size(), 36u);
  ASSERT_EQ(surface.angle.size(), 36u);
  EXPECT_EQ(surface.angle[9], 90.0);
  for (const auto& meridian : surface.meridian) {
    ASSERT_EQ(meridian.size(), 30u);
    EXPECT_NEAR(meridian.front().P, s->tension, 1e-9 * s->compression);
    EXPECT_NEAR(meridian.back().P, s->compression, 1e-9 * s->compression);
    EXPECT_NEAR(meridian.front().Mx, 0, 1e-6);
    EXPECT_NEAR(meridian.back().My, 0, 1e-6);
  }
  // The top of the PM curve is cut off at λ times the corner offsets; the
  // surface reaches past it to the squash load, with points in between.
  PmSettings pm;
  PmCurve x, y;
  SolvePmCurve(0, pm, s->state.params.B, s->state.params.H, s->state.fibers, s->compression,
               s->tension, x, y);
  const auto& m0 = surface.meridian[0];
  int above = 0;
  for (const SurfacePoint& p : m0) above += p.P > x.P[pm.n - 1] + 1 && p.P < s->compression - 1;
  EXPECT_GE(above, 2);
}

TEST(CapacitySurface, AxialEndsAreTheUniformStates) {
  auto s = MakeSection(7);
  double c = 0, t = 0;
  AxialEnds(s->state.fibers, -0.0035, c, t);
  EXPECT_NEAR(c, s->compression, 1e-9 * s->compression);
  EXPECT_NEAR(t, s->tension, 1e-9 * s->compression);
  // A concrete that peaks beyond εcu never reaches fc: the end is lower.
  for (FiberRecord& f : s->state.fibers)
    if (!IsSteel(f.material)) f.e0 = 0.005;
  AxialEnds(s->state.fibers, -0.0035, c, t);
  EXPECT_LT(c, s->compression - 1);
}

TEST(CapacitySurface, SameResultOnOneThreadAndOnSeveral) {
  auto s = MakeSection(7);
  SetSolverThreadCount(1);
  CapacitySurface one = Surface(*s);
  SetSolverThreadCount(3);
  CapacitySurface three = Surface(*s);
  SetSolverThreadCount(0);
  ASSERT_EQ(one.meridian.size(), three.meridian.size());
  for (size_t i = 0; i < one.meridian.size(); ++i)
    for (size_t k = 0; k < one.meridian[i].size(); ++k) {
      EXPECT_EQ(one.meridian[i][k].P, three.meridian[i][k].P);
      EXPECT_EQ(one.meridian[i][k].Mx, three.meridian[i][k].Mx);
      EXPECT_EQ(one.meridian[i][k].My, three.meridian[i][k].My);
    }
}

TEST(CapacitySurface, RefusesAbsurdSettings) {
  auto s = MakeSection(0);
  auto message = [&](SurfaceSettings settings, double B = 400) {
    CapacitySurface out;
    out.angle = {1};
    try {
      BuildCapacitySurface(settings, B, 400, s->state.fibers, 1, 0, out);
    } catch (const Error& e) {
      EXPECT_EQ(out.angle.size(), 1u);  // untouched
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  SurfaceSettings bad;
  bad.angles = 3;
  EXPECT_EQ(message(bad), "曲面角度划分数必须在4与3600之间");
  bad = {};
  bad.points = 100000;
  EXPECT_EQ(message(bad), "曲面每条子午线点数必须在5与20000之间");
  bad = {};
  bad.ecu = 0.0035;
  EXPECT_EQ(message(bad), "混凝土极限应变必须为负数");
  EXPECT_EQ(message({}, 0), "截面宽度B和高度H不能为零");
  EXPECT_EQ(message({}), "accepted");
}

TEST(SurfaceSettingsForm, ReadFromTheirBoxes) {
  MapForm form;
  SurfaceSettings s = ReadSurfaceSettings(form);
  EXPECT_EQ(s.angles, 144);
  EXPECT_EQ(s.points, 96);
  EXPECT_EQ(s.ecu, -0.0035);
  form.SetText("Edit71", "4.5");
  EXPECT_THROW(ReadSurfaceSettings(form), Error);
}

// ---------------------------------------------------------------------------

class RatioOnDefaultColumn : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = MakeSection(0);
    surface_ = Surface(*s_);
    index_ = std::make_unique<SurfaceIndex>(surface_);
  }
  double Radial(double P, double Mx, double My) const { return index_->Radial({P, Mx, My}); }
  double Level(double P, double Mx, double My) const {
    return index_->AtConstantAxial({P, Mx, My});
  }
  std::unique_ptr<Section> s_;
  CapacitySurface surface_;
  std::unique_ptr<SurfaceIndex> index_;
};

TEST_F(RatioOnDefaultColumn, PointsOfThePmCurvesAreOnTheSurface) {
  PmSettings pm;
  PmCurve x, y;
  for (double angle : {0.0, 90.0})
    SolvePmCurve(angle, pm, s_->state.params.B, s_->state.params.H, s_->state.fibers,
                 s_->compression, s_->tension, x, y);
  for (int i = 0; i <= pm.n; ++i) {
    SCOPED_TRACE(i);
    for (double sign : {1.0, -1.0}) {
      EXPECT_NEAR(Radial(x.P[i], sign * x.M[i], 0), 1, 0.002);
      EXPECT_NEAR(Radial(y.P[i], 0, sign * y.M[i]), 1, 0.002);
      if (i > 0 && i < pm.n) {
        EXPECT_NEAR(Level(x.P[i], sign * x.M[i], 0), 1, 0.002);
      }
    }
  }
}

TEST_F(RatioOnDefaultColumn, PointsOfTheMmContourAreOnTheSurface) {
  MmSettings mm;
  for (double level : {0.0, 0.3 * s_->compression}) {
    mm.axialLevel = level;
    MmCurve curve;
    SolveMmCurve(mm, s_->state.params.B, s_->state.params.H, s_->state.fibers, curve);
    for (int i = 0; i <= mm.m; ++i) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(Level(level, curve.Mx[i], curve.My[i]), 1, 0.003);
      EXPECT_NEAR(Radial(level, curve.Mx[i], curve.My[i]), 1, 0.003);
    }
  }
}

TEST_F(RatioOnDefaultColumn, AxesEndsZeroAndFarOutside) {
  const double c = s_->compression, t = s_->tension;
  for (auto method : {kRadialMethod, kConstantAxialMethod}) {
    SCOPED_TRACE(method);
    EXPECT_EQ(index_->Ratio(method, {0, 0, 0}), 0);
    EXPECT_NEAR(index_->Ratio(method, {c, 0, 0}), 1, 1e-9);
    EXPECT_NEAR(index_->Ratio(method, {t, 0, 0}), 1, 1e-9);
    EXPECT_NEAR(index_->Ratio(method, {0.5 * c, 0, 0}), method == kRadialMethod ? 0.5 : 0.5, 1e-9);
    EXPECT_NEAR(index_->Ratio(method, {2 * c, 0, 0}), 2, 1e-9);
    EXPECT_NEAR(index_->Ratio(method, {3 * t, 0, 0}), 3, 1e-9);
  }
  // Beyond the axial range at constant P, with a moment: P over the end.
  EXPECT_NEAR(Level(1.5 * c, 100, 100), 1.5, 1e-12);
  EXPECT_NEAR(Level(2 * t, 100, 0), 2, 1e-12);
  // Pure moments on the axes: the ratio scales with the demand.
  double mx = Radial(0, 1000, 0), my = Radial(0, 0, 1000);
  EXPECT_GT(mx, 0);
  EXPECT_NEAR(Radial(0, 4000, 0), 4 * mx, 1e-9 * mx);
  EXPECT_NEAR(Level(0, 0, 4000), 4 * my, 1e-9 * my);
  // Far outside: a thousand times a point of the surface.
  const SurfacePoint p = surface_.meridian[5][20];
  EXPECT_NEAR(Radial(1000 * p.P, 1000 * p.Mx, 1000 * p.My), 1000, 2);
}

TEST_F(RatioOnDefaultColumn, DoublySymmetricSectionGivesTheSameRatioForEverySign) {
  const double c = s_->compression;
  for (double P : {-500.0, 0.1 * c, 0.6 * c})
    for (auto method : {kRadialMethod, kConstantAxialMethod}) {
      double r = index_->Ratio(method, {P, 700, 300});
      EXPECT_NEAR(index_->Ratio(method, {P, -700, 300}), r, 1e-9 * r);
      EXPECT_NEAR(index_->Ratio(method, {P, 700, -300}), r, 1e-9 * r);
      EXPECT_NEAR(index_->Ratio(method, {P, -700, -300}), r, 1e-9 * r);
    }
}

TEST(DesignCheck, RatiosGoverningFailuresAndOrder) {
  auto s = MakeSection(0);
  CapacitySurface surface = Surface(*s);
  ForceTable forces;
  forces.Count = 4;
  forces.records = {
      {}, {1000, 100, 0}, {0, 0, 0}, {s->compression, 0, 0}, {2 * s->compression, 0, 0}};
  forces.fP = 1.5;
  DesignCheck check;
  ComputeDesignCheck(surface, forces, kRadialMethod, check);
  ASSERT_EQ(check.ratio.size(), 5u);
  EXPECT_EQ(check.demand[1].P, 1500);
  EXPECT_EQ(check.ratio[2], 0);
  EXPECT_NEAR(check.ratio[3], 1.5, 1e-9);
  EXPECT_NEAR(check.ratio[4], 3, 1e-9);
  EXPECT_EQ(check.governing, 4);
  EXPECT_EQ(check.maxRatio, check.ratio[4]);
  EXPECT_EQ(check.failures, 2);
  EXPECT_TRUE(check.Valid());
  EXPECT_EQ(CombinationsByRatio(check), (std::vector<int>{4, 3, 1, 2}));
  forces.labels = {"", "Story1 C1 DL", "", "", ""};
  EXPECT_EQ(CombinationLabel(forces, 1), "Story1 C1 DL");
  EXPECT_EQ(CombinationLabel(forces, 2), "2");

  forces.Count = 0;
  EXPECT_THROW(ComputeDesignCheck(surface, forces, kRadialMethod, check), Error);
  EXPECT_THROW(SurfaceIndex(CapacitySurface{}), Error);
}

TEST(DesignCheck, SameRatiosOnOneThreadAndOnSeveral) {
  auto s = MakeSection(0);
  CapacitySurface surface = Surface(*s);
  ForceTable forces;
  forces.Count = 20000;
  forces.records.resize(20001);
  for (int r = 1; r <= 20000; ++r)
    forces.records[r] = {std::fmod(r * 7.31, 9000.0) - 2000, std::fmod(r * 3.7, 4000.0) - 2000,
                         std::fmod(r * 1.3, 3000.0) - 1500};
  DesignCheck one, two;
  SetSolverThreadCount(1);
  ComputeDesignCheck(surface, forces, kRadialMethod, one);
  SetSolverThreadCount(2);
  ComputeDesignCheck(surface, forces, kRadialMethod, two);
  SetSolverThreadCount(0);
  EXPECT_EQ(one.ratio, two.ratio);
  for (size_t r = 1; r < one.ratio.size(); ++r) ASSERT_TRUE(std::isfinite(one.ratio[r])) << r;
}

TEST(DesignCheck, TensionOnPlainConcreteCannotBeCarried) {
  Section s;
  for (double x : {-100.0, 100.0})
    for (double y : {-100.0, 100.0})
      s.state.fibers.push_back(test::ConcreteFiber(x, y, 10000, 20, 0.002));
  s.state.params.B = 400;
  s.state.params.H = 400;
  ComputeAxialCapacity(s.state.fibers, s.compression, s.tension);
  CapacitySurface surface = Surface(s);
  SurfaceIndex index(surface);
  EXPECT_EQ(index.AtConstantAxial({-10, 0, 0}), std::numeric_limits<double>::infinity());
  EXPECT_NEAR(index.Radial({400, 0, 0}), 0.5, 1e-9);
}

}  // namespace
}  // namespace kuma

namespace kuma {
namespace {

TEST(DesignCheckCommandOnForm, SortedGridColouredRowsSummaryAndRefusal) {
  AppState state;
  MapForm form;
  EXPECT_THROW(DesignCheckCommand(state, form), Error);  // nothing imported
  MeshCommand(state, form);
  double c = 0, t = 0;
  ComputeAxialCapacity(state.fibers, c, t);
  state.forceTable.Count = 3;
  state.forceTable.records = {{}, {0.3 * c, 0, 0}, {0.95 * c, 0, 0}, {1.5 * c, 0, 0}};
  state.forceTable.labels = {"", "DL", "", "EQ, X"};
  DesignCheckCommand(state, form);
  EXPECT_EQ(form.GridRowCount("StringGrid3"), 4);
  EXPECT_EQ(form.GridCell("StringGrid3", 5, 0), "比值");
  EXPECT_EQ(form.GridCell("StringGrid3", 0, 1), "3");
  EXPECT_EQ(form.GridCell("StringGrid3", 1, 1), "EQ, X");
  EXPECT_EQ(form.GridCell("StringGrid3", 5, 1), "1.500");
  EXPECT_EQ(form.GridCell("StringGrid3", 1, 2), "2");  // no name: the row number
  EXPECT_EQ(form.GridRowColour("StringGrid3", 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(form.GridRowColour("StringGrid3", 2), (Rgb{255, 165, 0}));
  EXPECT_EQ(form.GridRowColour("StringGrid3", 3), kWhite);
  EXPECT_EQ(form.Text("Label100"),
            "最大比值 = 1.500 (组合 3 (EQ, X))，不满足，比值大于1.0的组合数 = 1，按设计值验算");
  EXPECT_EQ(state.surface.meridian.size(), 144u);

  // Absurd settings: refused, the earlier check kept.
  form.SetText("Edit71", "3");
  EXPECT_THROW(DesignCheckCommand(state, form), Error);
  EXPECT_TRUE(state.check.Valid());
}

TEST(MmCommandLevel, BeyondTheCapacitiesIsRefusedWithinIsDrawn) {
  AppState state;
  MapForm form;
  MeshCommand(state, form);
  double c = 0, t = 0;
  ComputeAxialCapacity(state.fibers, c, t);
  for (double level : {c + 1, t - 1}) {
    form.SetText("Edit30", FormatFixed(level, 0));
    try {
      MmCommand(state, form);
      FAIL() << level;
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("超出截面的轴力承载力范围"), std::string::npos);
    }
  }
  form.SetText("Edit30", FormatFixed(c - 1, 0));
  EXPECT_NO_THROW(MmCommand(state, form));
  form.SetText("Edit30", FormatFixed(t + 1, 0));
  EXPECT_NO_THROW(MmCommand(state, form));
}

}  // namespace
}  // namespace kuma

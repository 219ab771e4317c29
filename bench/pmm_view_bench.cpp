// One redraw of the 3-D capacity surface view as the mouse turns it: 72
// meridians of 60 points with 200 force points, on the 560 x 520 picture of
// the page. The projection and depth order alone (drawing into a canvas that
// ignores the calls), and the whole redraw on the real painter.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cmath>

#include "draw/paint/qimage_canvas.h"
#include "draw/pmm_view.h"
#include "model/form.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A column-like surface: an ellipsoid a little wider about one axis.
kuma::CapacitySurface Surface(int angles, int points) {
  kuma::CapacitySurface surface;
  for (int j = 0; j < angles; ++j) {
    const double theta = 2 * kPi * j / angles;
    surface.angle.push_back(360.0 * j / angles);
    std::vector<kuma::SurfacePoint> meridian;
    for (int i = 0; i < points; ++i) {
      const double t = static_cast<double>(i) / (points - 1);
      const double r = 40000 * std::sin(kPi * t) * (1 + 0.15 * std::cos(2 * theta));
      meridian.push_back(
          {65000 - 80000 * std::cos(kPi * t), r * std::cos(theta), r * std::sin(theta)});
    }
    surface.meridian.push_back(meridian);
  }
  return surface;
}

struct Scene {
  explicit Scene(int angles = 72, int points = 60) : surface(Surface(angles, points)) { Fill(); }
  kuma::CapacitySurface surface;
  kuma::ForceTable forces;
  kuma::DesignCheck check;
  void Fill() {
    forces.Count = 200;
    forces.records.resize(201);
    check.ratio.resize(201);
    for (int r = 1; r <= 200; ++r) {
      forces.records[static_cast<size_t>(r)] = {300.0 * r, 150.0 * r * std::cos(r),
                                                150.0 * r * std::sin(r)};
      check.ratio[static_cast<size_t>(r)] = r / 180.0;
    }
    check.governing = 200;
  }
};

// Turns the view a little at every iteration, as a drag does.
void Redraw(benchmark::State& state, kuma::Canvas& canvas, const Scene& scene) {
  kuma::PmmScene pmm{scene.surface, scene.forces, scene.check};
  pmm.cutLevel = 30000;
  kuma::PmmView view;
  for (auto _ : state) {
    view.azimuth += 1;
    kuma::DrawPmmView(canvas, pmm, view);
  }
}

void BM_PmmViewGeometry(benchmark::State& state) {
  static const Scene scene;
  kuma::NullCanvas canvas(560, 520);
  Redraw(state, canvas, scene);
}
BENCHMARK(BM_PmmViewGeometry)->Unit(benchmark::kMillisecond);

void BM_PmmViewPainted(benchmark::State& state) {
  static const Scene scene;
  QImage image(560, 520, QImage::Format_RGB32);
  kuma::QImageCanvas canvas(image);
  Redraw(state, canvas, scene);
}
BENCHMARK(BM_PmmViewPainted)->Unit(benchmark::kMillisecond);

// The surface at the design check's default density, 144 angles x 96
// points: the view draws every second meridian.
void BM_PmmViewPaintedDense(benchmark::State& state) {
  static const Scene scene(144, 96);
  QImage image(560, 520, QImage::Format_RGB32);
  kuma::QImageCanvas canvas(image);
  Redraw(state, canvas, scene);
}
BENCHMARK(BM_PmmViewPaintedDense)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

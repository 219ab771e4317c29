// The stress-strain pictures of the material pages, sampled from the same
// laws the solvers use. Compression is drawn to the right and upwards.

#include "material/curve_pictures.h"

#include <algorithm>
#include <vector>

#include "draw/chart_frame.h"
#include "material/laws.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// Strain across in thousandths, stress up in N/mm², both labelled "%0.2F";
// the stress range widened to whole multiples of `stressStep`.
void DrawCurvePicture(Canvas& canvas, const std::vector<double>& strain,
                      const std::vector<double>& stress, double stressStep) {
  int W = canvas.Width(), H = canvas.Height();
  canvas.SetPenWidth(1);
  DrawChartBackground(canvas);

  auto [xMin, xMax] = std::minmax_element(strain.begin(), strain.end());
  auto [yMin, yMax] = std::minmax_element(stress.begin(), stress.end());
  ChartRange range;
  range.hMax = *xMax;
  range.hMin = *xMin;
  range.vMax = RoundUpToStep(*yMax, stressStep);
  range.vMin = RoundLowerToStep(*yMin, stressStep);

  for (int i = 0; i <= 5; ++i) {
    int x = RoundEven(50 + i * (W - 100) / 5.0);
    canvas.MoveTo(x, 20);
    canvas.LineTo(x, H - 20);
    double label = (range.hMin + (range.hMax - range.hMin) * i / 5) * 1000;
    canvas.TextOut(x, H - 15, FormatFixed(label, 2));
  }
  for (int i = 0; i <= 10; ++i) {
    int y = RoundEven(20 + i * (H - 40) / 10.0);
    canvas.MoveTo(50, y);
    canvas.LineTo(W - 50, y);
    canvas.TextOut(5, RoundEven((H - 20) - i * (H - 40) / 10.0),
                   FormatFixed(range.vMin + (range.vMax - range.vMin) * i / 10, 2));
  }

  // A zero strain or stress range fails here, with background and grid drawn.
  ChartFrame frame(range, W, H);
  canvas.SetPenWidth(2);
  canvas.SetPenColor(kRed);
  for (size_t i = 0; i < strain.size(); ++i) {
    int px = frame.Px(strain[i]);
    int py = frame.Py(stress[i]);
    if (i == 0) {
      canvas.MoveTo(px, py);
    } else {
      canvas.LineTo(px, py);
    }
  }
  canvas.SetPenWidth(1);
}

}  // namespace

CurveSamples ConcreteCurveSamples(const ConcreteLawParams& p) {
  CurveSamples s;
  const ConcreteLawUnit* law = ConcreteLawOf(p.law);
  const LawShape shape = PrepareConcreteLaw(p);
  const CurveRange range = law != nullptr ? law->picture(p, shape) : CurveRange{p.ecu, 20};
  const double end = range.end;
  const int n = range.steps;
  s.strain.resize(n + 1);
  s.stress.resize(n + 1);
  for (int i = 0; i <= n; ++i) {
    s.strain[i] = -(end / n) * i;
    ConcreteFiberLaw(p.fc, p.e0, shape, s.strain[i], p.law, s.stress[i]);
    s.strain[i] = -s.strain[i];
    s.stress[i] = -s.stress[i];
  }
  return s;
}

CurveSamples SteelCurveSamples(const SteelLawParams& p) {
  CurveSamples s;
  const SteelLawUnit* law = SteelLawOf(p.law);
  const LawShape shape = PrepareSteelLaw(p);
  const CurveRange range = law != nullptr ? law->picture(p) : CurveRange{0.01, 50};
  const double end = range.end;
  const int n = range.steps;
  s.strain.resize(n + 1);
  s.stress.resize(n + 1);
  for (int i = 0; i <= n; ++i) {
    s.strain[i] = (end / n) * i;
    SteelFiberLaw(p.Es, p.fy, shape, s.strain[i], p.law, s.stress[i]);
  }
  return s;
}

void DrawConcreteLawCurve(Canvas& canvas, const ConcreteLawParams& p) {
  const CurveSamples s = ConcreteCurveSamples(p);
  DrawCurvePicture(canvas, s.strain, s.stress, 5);
}

void DrawSteelLawCurve(Canvas& canvas, const SteelLawParams& p) {
  const CurveSamples s = SteelCurveSamples(p);
  DrawCurvePicture(canvas, s.strain, s.stress, 100);
}

void DrawConcreteCurve(Canvas& canvas, int lawCode, double fc, double e0, double fcu, double ecu) {
  const int n = 20;
  std::vector<double> strain(n + 1), stress(n + 1);
  for (int i = 0; i <= n; ++i) {
    strain[i] = -(ecu / n) * i;
    ConcreteLaw(fc, e0, fcu, ecu, strain[i], lawCode, stress[i]);
    strain[i] = -strain[i];
    stress[i] = -stress[i];
  }
  DrawCurvePicture(canvas, strain, stress, 5);
}

void DrawSteelCurve(Canvas& canvas, int lawCode, double Es, double fy) {
  const int n = 50;
  std::vector<double> strain(n + 1), stress(n + 1);
  for (int i = 0; i <= n; ++i) {
    strain[i] = (0.01 / n) * i;
    SteelLaw(Es, fy, strain[i], lawCode, stress[i]);
  }
  DrawCurvePicture(canvas, strain, stress, 100);
}

}  // namespace kuma

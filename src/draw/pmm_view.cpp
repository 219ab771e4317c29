// The 3-D capacity surface and its horizontal cut, on the page "PMM三维曲面".

#include "draw/pmm_view.h"

#include <algorithm>
#include <cmath>

#include "draw/drawings.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

constexpr Rgb kGridLight{225, 225, 225};
constexpr Rgb kGridZero{185, 185, 185};
constexpr Rgb kCutColour{128, 0, 128};
constexpr const char* kNoSurface = "曲面尚未计算";

// The most meridians and points per meridian the view draws.
constexpr int kViewMeridians = 72;
constexpr int kViewPoints = 100;

// Whole pixels, kept well inside the int range whatever the zoom; a value
// that is not a number (it cannot come from a finite surface) goes to 0
// rather than abandon the drawing.
int Pixel(double value) {
  return std::isfinite(value) ? RoundEven(std::clamp(value, -1e6, 1e6)) : 0;
}

PixelPoint ToPixel(const ScreenPoint& s) { return {Pixel(s.x), Pixel(s.y)}; }

// Rough width of a text in the canvas's 12-pixel font: digits and Latin
// letters about 7 pixels, a Chinese character (three UTF-8 bytes) 12.
int TextWidth(const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (c < 0x80)
      width += 7;
    else if ((c & 0xC0) != 0x80)
      width += 12;
  }
  return width;
}

void DrawBackground(Canvas& canvas) {
  canvas.SetBrushColor(kWhite);
  canvas.SetPenColor(kBlack);
  canvas.SetPenWidth(1);
  canvas.Rectangle(0, 0, canvas.Width(), canvas.Height());
  canvas.SetBrushClear();
  canvas.SetFontColor(kBlack);
}

void CentredText(Canvas& canvas, double x, double y, const std::string& text) {
  canvas.TextOut(Pixel(x) - TextWidth(text) / 2, Pixel(y) - 7, text);
}

void Line(Canvas& canvas, const ScreenPoint& a, const ScreenPoint& b) {
  canvas.MoveTo(Pixel(a.x), Pixel(a.y));
  canvas.LineTo(Pixel(b.x), Pixel(b.y));
}

int CountOf(const ForceTable& forces) {
  return std::max(0, std::min(forces.Count, static_cast<int>(forces.records.size()) - 1));
}

// Tick values from -max to max (or min to max) in whole steps.
std::vector<double> Ticks(double low, double high, double step) {
  std::vector<double> ticks;
  const int first = static_cast<int>(std::lround(low / step));
  const int last = static_cast<int>(std::lround(high / step));
  for (int k = first; k <= last && ticks.size() < 200; ++k) ticks.push_back(k * step + 0.0);
  return ticks;
}

// The box seen from the camera: the floor (the far side of the P range), the
// farthest vertical edge, the floor edges nearest the eye, the leftmost
// vertical edge.
struct BoxSides {
  double floorP = 0;
  double farX = 1, farY = 1;     // corner whose vertical edge is farthest
  double nearX = 1, nearY = -1;  // Mx of the near edge along My, My of the near edge along Mx
  double leftX = -1, leftY = -1;
};

BoxSides SidesOf(const PmmCamera& camera, const PmmView& view) {
  const PmmBox& b = camera.Box();
  const double mid = 0.5 * (b.pMin + b.pMax);
  BoxSides sides;
  sides.floorP = view.elevation >= 0 ? b.pMin : b.pMax;
  double farthest = -1e300, leftmost = 1e300;
  for (double sx : {-1.0, 1.0}) {
    for (double sy : {-1.0, 1.0}) {
      const ScreenPoint s = camera.Project(mid, sx * b.mMax, sy * b.mMax);
      if (s.depth > farthest) {
        farthest = s.depth;
        sides.farX = sx;
        sides.farY = sy;
      }
      if (s.x < leftmost) {
        leftmost = s.x;
        sides.leftX = sx;
        sides.leftY = sy;
      }
    }
  }
  sides.nearX = -sides.farX;
  sides.nearY = -sides.farY;
  return sides;
}

// The light grid: Mx and My lines on the floor, P lines on the two back
// walls, the vertical edges framing them.
void DrawBackGrid(Canvas& canvas, const PmmCamera& camera, const BoxSides& sides) {
  const PmmBox& b = camera.Box();
  const double m = b.mMax;
  for (double t : Ticks(-m, m, b.mStep)) {
    canvas.SetPenColor(t == 0 ? kGridZero : kGridLight);
    Line(canvas, camera.Project(sides.floorP, t, -m), camera.Project(sides.floorP, t, m));
    Line(canvas, camera.Project(sides.floorP, -m, t), camera.Project(sides.floorP, m, t));
  }
  const double wallX = sides.farX * m, wallY = sides.farY * m;
  for (double p : Ticks(b.pMin, b.pMax, b.pStep)) {
    canvas.SetPenColor(p == 0 ? kGridZero : kGridLight);
    Line(canvas, camera.Project(p, wallX, -m), camera.Project(p, wallX, m));
    Line(canvas, camera.Project(p, -m, wallY), camera.Project(p, m, wallY));
  }
  canvas.SetPenColor(kGridZero);
  Line(canvas, camera.Project(b.pMin, wallX, -wallY), camera.Project(b.pMax, wallX, -wallY));
  Line(canvas, camera.Project(b.pMin, -wallX, wallY), camera.Project(b.pMax, -wallX, wallY));
  canvas.SetPenColor(kGray);
  Line(canvas, camera.Project(b.pMin, wallX, wallY), camera.Project(b.pMax, wallX, wallY));
  const double lx = sides.leftX * m, ly = sides.leftY * m;
  Line(canvas, camera.Project(b.pMin, lx, ly), camera.Project(b.pMax, lx, ly));
}

// A screen offset of about `length` pixels pointing from `from` towards `to`;
// straight down when the two coincide on screen.
ScreenPoint Outward(const ScreenPoint& from, const ScreenPoint& to, double length) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double norm = std::hypot(dx, dy);
  if (norm < 1e-6) return {0, length, 0};
  return {dx / norm * length, dy / norm * length, 0};
}

// Every how many ticks a label fits: labels at least `room` pixels apart.
int LabelStride(const ScreenPoint& a, const ScreenPoint& b, double room) {
  const double spacing = std::hypot(b.x - a.x, b.y - a.y);
  if (spacing >= room) return 1;
  return spacing > 1e-9 ? static_cast<int>(std::min(std::ceil(room / spacing), 1e6)) : 1000000;
}

bool Labelled(double tick, double step, int stride) {
  return std::lround(tick / step) % stride == 0;
}

// The tick labels of the box: each one is written only where it overlaps
// none written before it (with a few pixels between), so that labels of
// two edges meeting at a corner, or of the P axis meeting the floor, never
// run into each other; the floor's labels go first and win.
class TickLabels {
 public:
  explicit TickLabels(Canvas& canvas) : canvas_(canvas) {}
  // `text` with its top-left corner at (x, y), 14 pixels high.
  void Put(int x, int y, const std::string& text) {
    const Box box{x - 3, y - 1, x + TextWidth(text) + 3, y + 15};
    for (const Box& other : placed_)
      if (box.x1 < other.x2 && other.x1 < box.x2 && box.y1 < other.y2 && other.y1 < box.y2) return;
    placed_.push_back(box);
    canvas_.TextOut(x, y, text);
  }
  void PutCentred(double x, double y, const std::string& text) {
    Put(Pixel(x) - TextWidth(text) / 2, Pixel(y) - 7, text);
  }

 private:
  struct Box {
    int x1, y1, x2, y2;
  };
  Canvas& canvas_;
  std::vector<Box> placed_;
};

// Tick labels along the near floor edges and beside the leftmost vertical
// edge, and the three axis names.
void DrawAxisLabels(Canvas& canvas, const PmmCamera& camera, const BoxSides& sides) {
  const PmmBox& b = camera.Box();
  const double m = b.mMax, f = sides.floorP, step = b.mStep;
  canvas.SetBrushClear();
  canvas.SetFontColor(kBlack);
  TickLabels labels(canvas);
  const double ny = sides.nearY * m, nx = sides.nearX * m;
  const ScreenPoint outY = Outward(camera.Project(f, 0, ny), camera.Project(f, 0, 1.3 * ny), 16);
  const ScreenPoint outX = Outward(camera.Project(f, nx, 0), camera.Project(f, 1.3 * nx, 0), 16);
  const int strideX = LabelStride(camera.Project(f, 0, ny), camera.Project(f, step, ny), 52);
  const int strideY = LabelStride(camera.Project(f, nx, 0), camera.Project(f, nx, step), 52);
  for (double t : Ticks(-m, m, step)) {
    const ScreenPoint a = camera.Project(f, t, ny);
    if (Labelled(t, step, strideX))
      labels.PutCentred(a.x + outY.x, a.y + outY.y, FormatFixed(t, 0));
    const ScreenPoint c = camera.Project(f, nx, t);
    // The near corner is labelled once, by the Mx edge.
    if (Labelled(t, step, strideY) && t != ny)
      labels.PutCentred(c.x + outX.x, c.y + outX.y, FormatFixed(t, 0));
  }
  // Names beyond the middle of their edges, outside the tick labels.
  const ScreenPoint mxMiddle = camera.Project(f, 0, ny);
  CentredText(canvas, mxMiddle.x + 2.2 * outY.x, mxMiddle.y + 2.2 * outY.y, "Mx (kN·m)");
  const ScreenPoint myMiddle = camera.Project(f, nx, 0);
  CentredText(canvas, myMiddle.x + 2.2 * outX.x, myMiddle.y + 2.2 * outX.y, "My (kN·m)");

  const double lx = sides.leftX * m, ly = sides.leftY * m;
  const int strideP = LabelStride(camera.Project(0, lx, ly), camera.Project(b.pStep, lx, ly), 16);
  for (double p : Ticks(b.pMin, b.pMax, b.pStep)) {
    if (!Labelled(p, b.pStep, strideP)) continue;
    const ScreenPoint a = camera.Project(p, lx, ly);
    const std::string text = FormatFixed(p, 0);
    labels.Put(Pixel(a.x) - TextWidth(text) - 4, Pixel(a.y) - 7, text);
  }
  // The name at the end of the P axis away from the floor's labels.
  const bool floorLow = sides.floorP == b.pMin;
  const ScreenPoint end = camera.Project(floorLow ? b.pMax : b.pMin, lx, ly);
  CentredText(canvas, end.x, end.y + (floorLow ? -14 : 14), "P (kN)");
}

// Cosine between a face's normal and the light, from its projected corners
// (x right, y down in pixels, depth in box units away from the eye).
double Facing(const ScreenPoint (&c)[4], double pixelsPerUnit) {
  const double ux = c[2].x - c[0].x, uy = c[0].y - c[2].y;
  const double uz = (c[2].depth - c[0].depth) * pixelsPerUnit;
  const double vx = c[3].x - c[1].x, vy = c[1].y - c[3].y;
  const double vz = (c[3].depth - c[1].depth) * pixelsPerUnit;
  const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
  const double norm = std::sqrt(nx * nx + ny * ny + nz * nz);
  if (norm < 1e-12) return 0.7;
  // Light from the eye's side, a little from the upper left.
  constexpr double lx = -0.35, ly = 0.45, lz = -0.82;
  const double lightNorm = std::sqrt(lx * lx + ly * ly + lz * lz);
  return std::fabs(nx * lx + ny * ly + nz * lz) / (norm * lightNorm);
}

Rgb Darker(Rgb c) {
  auto d = [](std::uint8_t v) { return static_cast<std::uint8_t>(v * 7 / 10); };
  return {d(c.r), d(c.g), d(c.b)};
}

bool Finite(const std::array<SurfacePoint, 4>& corners) {
  for (const SurfacePoint& c : corners)
    if (!std::isfinite(c.P) || !std::isfinite(c.Mx) || !std::isfinite(c.My)) return false;
  return true;
}

void DrawFaces(Canvas& canvas, const PmmScene& scene, const PmmCamera& camera) {
  // A finer surface than this adds nothing the eye sees and slows the turning.
  const CapacitySurface surface = DisplayGrid(scene.surface, kViewMeridians, kViewPoints);
  const int points = PmmPointCount(surface);
  const size_t meridians = surface.meridian.size();
  std::vector<ScreenPoint> node(meridians * static_cast<size_t>(points));
  for (size_t j = 0; j < meridians; ++j)
    for (size_t i = 0; i < static_cast<size_t>(points); ++i)
      node[j * static_cast<size_t>(points) + i] = camera.Project(surface.meridian[j][i]);
  if (scene.wireframe) canvas.SetBrushClear();
  std::vector<PixelPoint> polygon(4);
  for (const PmmFace& face : FacesBackToFront(surface, camera)) {
    const size_t a = static_cast<size_t>(face.meridian) * static_cast<size_t>(points) +
                     static_cast<size_t>(face.point);
    const size_t b =
        ((static_cast<size_t>(face.meridian) + 1) % meridians) * static_cast<size_t>(points) +
        static_cast<size_t>(face.point);
    const ScreenPoint corner[4] = {node[a], node[b], node[b + 1], node[a + 1]};
    const auto P = FaceCorners(surface, face.meridian, face.point);
    if (!Finite(P)) continue;  // a failed point of the surface leaves a hole
    const double meanP = 0.25 * (P[0].P + P[1].P + P[2].P + P[3].P);
    const Rgb fill = SurfaceShade(meanP, camera.Box(), Facing(corner, camera.PixelsPerUnit()));
    for (size_t k = 0; k < 4; ++k) polygon[k] = ToPixel(corner[k]);
    if (scene.wireframe) {
      canvas.SetPenColor(fill);
    } else {
      canvas.SetPenColor(Darker(fill));
      canvas.SetBrushColor(fill);
    }
    canvas.Polygon(polygon);
    if (!scene.showCut) continue;
    for (const auto& [from, to] : FaceCut(P, scene.cutLevel)) {
      canvas.SetPenColor(kCutColour);
      canvas.SetPenWidth(2);
      Line(canvas, camera.Project(from), camera.Project(to));
      canvas.SetPenWidth(1);
    }
  }
}

// The whole cut once more, one pixel wide over the faces: where the surface
// hides it (below a wider part seen from above, or behind), it still shows
// as a thin line; where it is seen, it lies within the thick one.
void DrawHiddenCut(Canvas& canvas, const PmmScene& scene, const PmmCamera& camera) {
  if (!scene.showCut) return;
  const std::vector<SurfacePoint> contour = HorizontalCut(scene.surface, scene.cutLevel);
  if (contour.size() < 2) return;
  canvas.SetPenColor(kCutColour);
  canvas.SetPenWidth(1);
  const PixelPoint start = ToPixel(camera.Project(contour.back()));
  canvas.MoveTo(start.x, start.y);
  for (const SurfacePoint& p : contour) {
    const PixelPoint at = ToPixel(camera.Project(p));
    canvas.LineTo(at.x, at.y);
  }
}

void DrawForceDot(Canvas& canvas, double x, double y, Rgb colour, int radius) {
  const int px = Pixel(x), py = Pixel(y);
  canvas.SetBrushColor(colour);
  canvas.Ellipse(px - radius, py - radius, px + radius + 1, py + radius + 1);
}

// The governing record's name and ratio beside its dot.
void NameGoverning(Canvas& canvas, const PmmScene& scene, int record, double x, double y) {
  std::string text = CombinationLabel(scene.forces, record, "组合");
  const auto r = static_cast<size_t>(record);
  if (scene.check.Valid() && r < scene.check.ratio.size())
    text += "  " + FormatFixed(scene.check.ratio[r], 3);
  // On a white ground: the name stays readable over the shaded faces.
  canvas.SetBrushColor(kWhite);
  canvas.SetFontColor(kBlack);
  canvas.TextOut(Pixel(x) + 9, Pixel(y) - 16, text);
  canvas.SetBrushClear();
}

void DrawForcePoints(Canvas& canvas, const PmmScene& scene, const PmmCamera& camera) {
  const int count = CountOf(scene.forces);
  if (count == 0) return;
  const int governing = GoverningRecord(scene.forces, scene.check);
  std::vector<ScreenPoint> at(static_cast<size_t>(count) + 1);
  std::vector<int> order;
  for (int r = 1; r <= count; ++r) {
    at[static_cast<size_t>(r)] = camera.Project(ForceDemand(scene.forces, r));
    if (r != governing) order.push_back(r);
  }
  std::stable_sort(order.begin(), order.end(), [&at](int a, int b) {
    return at[static_cast<size_t>(a)].depth > at[static_cast<size_t>(b)].depth;
  });
  canvas.SetPenColor(kBlack);
  canvas.SetPenWidth(1);
  for (int r : order) {
    const ScreenPoint& s = at[static_cast<size_t>(r)];
    DrawForceDot(canvas, s.x, s.y, ForceColour(scene.check, r), 3);
  }
  if (governing == 0) return;
  const ScreenPoint& g = at[static_cast<size_t>(governing)];
  canvas.SetPenWidth(2);
  DrawForceDot(canvas, g.x, g.y, ForceColour(scene.check, governing), 6);
  canvas.SetPenWidth(1);
  NameGoverning(canvas, scene, governing, g.x, g.y);
}

void DrawTitle(Canvas& canvas, const PmmScene& scene, const PmmView& view) {
  canvas.SetBrushClear();
  canvas.SetFontColor(kBlack);
  canvas.TextOut(6, 4,
                 "方位角 " + FormatFixed(view.azimuth, 0) + "°  仰角 " +
                     FormatFixed(view.elevation, 0) + "°" + (view.stretchP ? "  (P轴拉伸)" : ""));
  if (!scene.showCut) return;
  canvas.SetFontColor(kCutColour);
  canvas.TextOut(6, 20, "切面 P = " + FormatFixed(scene.cutLevel, 0) + " kN");
  canvas.SetFontColor(kBlack);
}

// The square plot of the cut: Mx across, My up, the same scale both ways.
struct CutFrame {
  double left = 0, top = 0, side = 1, range = 1;
  double X(double mx) const { return left + (mx + range) / (2 * range) * side; }
  double Y(double my) const { return top + (range - my) / (2 * range) * side; }
  bool Inside(double mx, double my) const {
    return std::fabs(mx) <= range && std::fabs(my) <= range;
  }
};

bool NearLevel(const ForceTable& forces, int record, double level, double band) {
  const double P = ForceDemand(forces, record).P;
  return level - band < P && P < level + band;
}

CutFrame CutFrameFor(const Canvas& canvas, const std::vector<SurfacePoint>& contour,
                     const PmmScene& scene, double band, double& step) {
  double reach = 0;
  for (const SurfacePoint& p : contour) reach = std::max({reach, std::fabs(p.Mx), std::fabs(p.My)});
  for (int r = 1; r <= CountOf(scene.forces); ++r) {
    if (!NearLevel(scene.forces, r, scene.cutLevel, band)) continue;
    const SurfacePoint d = ForceDemand(scene.forces, r);
    reach = std::max({reach, std::fabs(d.Mx), std::fabs(d.My)});
  }
  if (!(reach > 0) || !std::isfinite(reach)) reach = 1;
  step = NiceStep(2 * reach, 4);
  CutFrame frame;
  frame.range = std::ceil(reach / step) * step;
  frame.side = std::max(10, std::min(canvas.Width() - 70, canvas.Height() - 56));
  frame.left = 52;
  frame.top = 24;
  return frame;
}

void DrawCutGrid(Canvas& canvas, const CutFrame& frame, double step) {
  const double r = frame.range;
  canvas.SetBrushClear();
  canvas.SetFontColor(kBlack);
  // Labels under the frame at least 48 pixels apart.
  const double spacing = frame.X(step) - frame.X(0);
  const int stride = spacing >= 48 ? 1 : LabelStride({0, 0, 0}, {spacing, 0, 0}, 48);
  for (double t : Ticks(-r, r, step)) {
    canvas.SetPenColor(t == 0 ? kGridZero : kGridLight);
    canvas.MoveTo(Pixel(frame.X(t)), Pixel(frame.Y(-r)));
    canvas.LineTo(Pixel(frame.X(t)), Pixel(frame.Y(r)));
    canvas.MoveTo(Pixel(frame.X(-r)), Pixel(frame.Y(t)));
    canvas.LineTo(Pixel(frame.X(r)), Pixel(frame.Y(t)));
    if (Labelled(t, step, stride))
      CentredText(canvas, frame.X(t), frame.Y(-r) + 12, FormatFixed(t, 0));
    const std::string label = FormatFixed(t, 0);
    canvas.TextOut(Pixel(frame.X(-r)) - TextWidth(label) - 3, Pixel(frame.Y(t)) - 7, label);
  }
  canvas.SetPenColor(kGray);
  canvas.Rectangle(Pixel(frame.X(-r)), Pixel(frame.Y(r)), Pixel(frame.X(r)) + 1,
                   Pixel(frame.Y(-r)) + 1);
  // Axis names inside the frame's corners: Mx at the right end, My at the top.
  canvas.TextOut(Pixel(frame.X(r)) - 22, Pixel(frame.Y(0)) - 16, "Mx");
  canvas.TextOut(Pixel(frame.X(0)) + 4, Pixel(frame.Y(r)) + 2, "My");
}

void DrawCutForces(Canvas& canvas, const PmmScene& scene, const CutFrame& frame, double band) {
  const int count = CountOf(scene.forces);
  canvas.SetPenWidth(1);
  canvas.SetPenColor(kGridZero);
  canvas.SetBrushClear();
  for (int r = 1; r <= count; ++r) {
    const SurfacePoint d = ForceDemand(scene.forces, r);
    if (NearLevel(scene.forces, r, scene.cutLevel, band) || !frame.Inside(d.Mx, d.My)) continue;
    const int x = Pixel(frame.X(d.Mx)), y = Pixel(frame.Y(d.My));
    canvas.Ellipse(x - 2, y - 2, x + 3, y + 3);
  }
  const int governing = GoverningRecord(scene.forces, scene.check);
  canvas.SetPenColor(kBlack);
  for (int r = 1; r <= count; ++r) {
    if (r == governing || !NearLevel(scene.forces, r, scene.cutLevel, band)) continue;
    const SurfacePoint d = ForceDemand(scene.forces, r);
    DrawForceDot(canvas, frame.X(d.Mx), frame.Y(d.My), ForceColour(scene.check, r), 3);
  }
  if (governing == 0 || !NearLevel(scene.forces, governing, scene.cutLevel, band)) return;
  const SurfacePoint g = ForceDemand(scene.forces, governing);
  canvas.SetPenWidth(2);
  DrawForceDot(canvas, frame.X(g.Mx), frame.Y(g.My), ForceColour(scene.check, governing), 5);
  canvas.SetPenWidth(1);
  NameGoverning(canvas, scene, governing, frame.X(g.Mx), frame.Y(g.My));
}

}  // namespace

Rgb ForceColour(const DesignCheck& check, int record) {
  const auto r = static_cast<size_t>(record);
  if (!check.Valid() || r >= check.ratio.size()) return kBlue;
  return RatioColour(check.ratio[r]);
}

int GoverningRecord(const ForceTable& forces, const DesignCheck& check) {
  if (!check.Valid() || check.governing > CountOf(forces)) return 0;
  return check.governing;
}

Rgb SurfaceShade(double P, const PmmBox& box, double facing) {
  // Dark blue, teal, green, yellow: tension to compression.
  static const Rgb stops[5] = {
      {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {170, 220, 50}, {253, 231, 37}};
  const double span = box.pMax - box.pMin;
  double t = span > 0 ? (P - box.pMin) / span : 0.5;
  t = std::clamp(std::isfinite(t) ? t : 0.5, 0.0, 1.0) * 4;
  const int k = std::min(3, static_cast<int>(t));
  const double u = t - k;
  const double light = 0.55 + 0.45 * std::clamp(facing, 0.0, 1.0);
  auto mix = [u, light](std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(std::lround((a + (b - a) * u) * light));
  };
  return {mix(stops[k].r, stops[k + 1].r), mix(stops[k].g, stops[k + 1].g),
          mix(stops[k].b, stops[k + 1].b)};
}

void DrawPmmView(Canvas& canvas, const PmmScene& scene, const PmmView& view) {
  DrawBackground(canvas);
  if (PmmPointCount(scene.surface) < 2 || PmmStripCount(scene.surface) == 0) {
    CentredText(canvas, canvas.Width() / 2.0, canvas.Height() / 2.0, kNoSurface);
    return;
  }
  const PmmCamera camera(PmmBoxAround(scene.surface, scene.forces), view, canvas.Width(),
                         canvas.Height());
  const BoxSides sides = SidesOf(camera, view);
  DrawBackGrid(canvas, camera, sides);
  DrawFaces(canvas, scene, camera);
  DrawHiddenCut(canvas, scene, camera);
  DrawForcePoints(canvas, scene, camera);
  DrawAxisLabels(canvas, camera, sides);
  DrawTitle(canvas, scene, view);
}

std::string PmmForceCaption(const ForceTable& forces, const DesignCheck& check, int record) {
  if (record < 1 || record > CountOf(forces)) return {};
  const SurfacePoint d = ForceDemand(forces, record);
  std::string text = CombinationLabel(forces, record, "组合") + ":  P = " + FormatFixed(d.P, 0) +
                     " kN, Mx = " + FormatFixed(d.Mx, 0) + " kN·m, My = " + FormatFixed(d.My, 0) +
                     " kN·m";
  const auto r = static_cast<size_t>(record);
  if (check.Valid() && r < check.ratio.size()) text += ", 比值 = " + FormatFixed(check.ratio[r], 3);
  return text;
}

}  // namespace kuma

namespace kuma {

void DrawPmmCut(Canvas& canvas, const PmmScene& scene, double band) {
  DrawBackground(canvas);
  canvas.SetFontColor(kCutColour);
  canvas.TextOut(6, 4, "切面 P = " + FormatFixed(scene.cutLevel, 0) + " kN");
  canvas.SetFontColor(kBlack);
  const double midX = canvas.Width() / 2.0, midY = canvas.Height() / 2.0;
  if (PmmPointCount(scene.surface) < 2) {
    CentredText(canvas, midX, midY, kNoSurface);
    return;
  }
  const std::vector<SurfacePoint> contour = HorizontalCut(scene.surface, scene.cutLevel);
  if (contour.size() < 2) {
    CentredText(canvas, midX, midY, "该轴力超出截面承载力范围");
    return;
  }
  double step = 1;
  const CutFrame frame = CutFrameFor(canvas, contour, scene, band, step);
  DrawCutGrid(canvas, frame, step);
  canvas.SetPenColor(kRed);
  canvas.SetPenWidth(2);
  canvas.MoveTo(Pixel(frame.X(contour.back().Mx)), Pixel(frame.Y(contour.back().My)));
  for (const SurfacePoint& p : contour) canvas.LineTo(Pixel(frame.X(p.Mx)), Pixel(frame.Y(p.My)));
  canvas.SetPenWidth(1);
  DrawCutForces(canvas, scene, frame, band);
}

}  // namespace kuma

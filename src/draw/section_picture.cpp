// The meshed section: every concrete and steel fiber as a filled outline in
// its material's colour, every bar as a filled circle, under a three-line
// heading.

#include <algorithm>

#include "draw/drawings.h"
#include "model/numfmt.h"

namespace kuma {

namespace {

// Section mm to picture pixels: the centre of the outline at the centre of
// the picture, y up.
struct SectionMapping {
  double s, cx, cy;
  PixelPoint operator()(double x, double y) const {
    return {PixelOf(s * x + cx), PixelOf(cy - s * y)};
  }
};

// A section of more fibers than this outlines only the fibers more than
// kOutlinedSize pixels across: drawn with black outlines, tens of thousands
// of small fibers would be a black block. Sections up to this size are drawn
// as they always were, every fiber outlined.
constexpr std::size_t kManyFibers = 20000;
constexpr int kOutlinedSize = 2;

// The pen of one fiber: black, or for a small fiber of a large section the
// fill colour, so that the fiber shows its material. Changes the pen only
// when it must.
class FiberPen {
 public:
  FiberPen(Canvas& canvas, bool manyFibers) : canvas_(canvas), manyFibers_(manyFibers) {}
  void For(int across, Rgb fill) {
    if (!manyFibers_) return;
    const Rgb pen = across > kOutlinedSize ? kBlack : fill;
    if (set_ && pen == pen_) return;
    canvas_.SetPenColor(pen);
    pen_ = pen;
    set_ = true;
  }
  // Leaves the canvas with the black pen it had before the fibers.
  void Restore() {
    if (set_) canvas_.SetPenColor(kBlack);
  }

 private:
  Canvas& canvas_;
  bool manyFibers_;
  bool set_ = false;
  Rgb pen_{};
};

void DrawOutline(Canvas& canvas, const SectionMapping& map, const FiberRecord& f, Rgb colour,
                 FiberPen& pen) {
  const std::vector<PixelPoint> corners = {map(f.x1, f.y1), map(f.x2, f.y2), map(f.x3, f.y3),
                                           map(f.x4, f.y4)};
  // Across: the smaller of the fiber's pixel width and height.
  int left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  for (const PixelPoint& p : corners) {
    left = std::min(left, p.x);
    right = std::max(right, p.x);
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  pen.For(std::min(right - left, bottom - top), colour);
  canvas.SetBrushColor(colour);
  canvas.Polygon(corners);
}

void DrawBar(Canvas& canvas, const SectionMapping& map, const FiberRecord& f, Rgb colour,
             FiberPen& pen) {
  PixelPoint c = map(f.x, f.y);
  int r = PixelOf(map.s * f.d / 2);
  pen.For(2 * r, colour);
  canvas.SetBrushColor(colour);
  canvas.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
}

// The three heading lines take this corner of the picture (the widest
// line, "KumaSec 截面分析", ends about 110 pixels from the left in the
// 9-point font; the default square section starts at 124).
constexpr int kHeadingRight = 118;
constexpr int kHeadingBottom = 57;

void DrawHeading(Canvas& canvas, std::size_t fiberCount) {
  canvas.TextOut(10, 10, "Kuma Sec v1.1");
  canvas.TextOut(10, 25, "KumaSec 截面分析");
  canvas.TextOut(10, 40, "NFib = " + FormatInt(static_cast<long long>(fiberCount)));
}

}  // namespace

namespace {

// The hoop's centre line lies half a stirrup outside its inside.
void DrawHoop(Canvas& canvas, const SectionMapping& map, const HoopGeometry& hoop, Rgb colour) {
  const double halfX = (hoop.coreX + hoop.d) / 2, halfY = (hoop.coreY + hoop.d) / 2;
  const PixelPoint a = map(-halfX, halfY), b = map(halfX, -halfY);
  canvas.SetPenColor(colour);
  canvas.SetPenWidth(std::max(1, PixelOf(map.s * hoop.d)));
  canvas.SetBrushClear();
  if (hoop.circle) {
    canvas.Ellipse(a.x, a.y, b.x, b.y);
  } else {
    canvas.Rectangle(a.x, a.y, b.x, b.y);
  }
  canvas.SetPenWidth(1);
  canvas.SetPenColor(kBlack);
}

}  // namespace

void DrawSection(Canvas& canvas, const FiberArray& fibers, double B, double H,
                 const MaterialColours& colours, const HoopGeometry& hoop) {
  DrawSection(canvas, fibers, B, H, colours);
  if (!(hoop.coreX > 0) || !(hoop.coreY > 0)) return;
  const int W = canvas.Width(), Hi = canvas.Height();
  const double s = std::min(CheckedDiv(0.8 * W, B), CheckedDiv(0.8 * Hi, H));
  DrawHoop(canvas, SectionMapping{s, W / 2.0, Hi / 2.0}, hoop, colours.colour[3]);
  canvas.SetBrushColor(colours.colour[3]);
}

void DrawSection(Canvas& canvas, const FiberArray& fibers, double B, double H,
                 const MaterialColours& colours) {
  int W = canvas.Width(), Hi = canvas.Height();
  canvas.SetPenColor(kBlack);
  canvas.SetBrushColor(kWhite);
  canvas.Rectangle(0, 0, W, Hi);
  canvas.SetFontColor(kBlack);
  DrawHeading(canvas, fibers.size());

  // The outline box fills 80 % of the picture in its tighter direction.
  double s = std::min(CheckedDiv(0.8 * W, B), CheckedDiv(0.8 * Hi, H));
  SectionMapping map{s, W / 2.0, Hi / 2.0};
  FiberPen pen(canvas, fibers.size() > kManyFibers);
  for (const FiberRecord& f : fibers) {
    switch (f.material) {
      case EdgeConcrete:
      case CoreConcrete1:
      case CoreConcrete2:
        DrawOutline(canvas, map, f, colours.colour[static_cast<size_t>(f.material)], pen);
        break;
      case SteelShape:
        DrawOutline(canvas, map, f, colours.colour[4], pen);
        break;
      case Rebar:
        DrawBar(canvas, map, f, colours.colour[3], pen);
        break;
      default:  // deduction fibers leave no mark
        break;
    }
  }
  pen.Restore();
  // An outline reaching into the top-left corner would cover the heading:
  // it is written again over the fibers, on its white ground.
  const PixelPoint corner = map(-B / 2, H / 2);
  if (corner.x < kHeadingRight && corner.y < kHeadingBottom) {
    canvas.SetBrushColor(kWhite);
    DrawHeading(canvas, fibers.size());
  }
  // The canvas is left with the bar colour, whatever was drawn last.
  canvas.SetBrushColor(colours.colour[3]);
}

}  // namespace kuma

#include "mesh/mesh_helpers.h"

#include <cmath>

#include "mesh/mesh.h"
#include "model/errors.h"
#include "model/numfmt.h"

namespace kuma::mesh {

std::int64_t CountProduct(std::initializer_list<std::int64_t> factors) {
  std::int64_t product = 1;
  for (std::int64_t f : factors) {
    if (__builtin_mul_overflow(product, f, &product)) return kCountOverflow;
  }
  return product;
}

std::int64_t CountSum(std::initializer_list<std::int64_t> terms) {
  std::int64_t sum = 0;
  for (std::int64_t t : terms) {
    if (t == kCountOverflow || __builtin_add_overflow(sum, t, &sum)) return kCountOverflow;
  }
  return sum;
}

FiberWriter::FiberWriter(FiberArray& fibers, std::int64_t count) : fibers_(fibers) {
  if (count > kMaxFiberCount) throw Error(TooManyFibersMessage(count));
  if (count < 0) throw Error("截面纤维数量(" + FormatInt(count) + ")为负数，无法划分网格");
  FiberRecord unwritten;
  unwritten.material = -1;
  fibers_.assign(static_cast<std::size_t>(count), unwritten);
}

FiberRecord& FiberWriter::Next() {
  if (written_ >= fibers_.size()) {
    throw Error("网格划分出错：纤维数量超过预先计算的" +
                FormatInt(static_cast<long long>(fibers_.size())));
  }
  return fibers_[written_++];
}

void FiberWriter::Finish() const {
  if (written_ != fibers_.size()) {
    throw Error("网格划分出错：只生成了" + FormatInt(static_cast<long long>(written_)) +
                "根纤维，预先计算为" + FormatInt(static_cast<long long>(fibers_.size())));
  }
}

void AddCell(FiberWriter& out, double x, double y, double w, double t, double area,
             std::int32_t material) {
  FiberRecord& f = out.Next();
  f.x = x;
  f.y = y;
  f.area = area;
  f.material = material;
  f.x1 = x - w / 2;
  f.y1 = y + t / 2;
  f.x2 = x + w / 2;
  f.y2 = y + t / 2;
  f.x3 = x + w / 2;
  f.y3 = y - t / 2;
  f.x4 = x - w / 2;
  f.y4 = y - t / 2;
}

void AddSector(FiberWriter& out, double r1, double r2, double a1, double a2, double area,
               std::int32_t material) {
  const double t1 = a1 * kPi / 180;
  const double t2 = a2 * kPi / 180;
  FiberRecord& f = out.Next();
  f.x1 = r1 * std::cos(t1);
  f.y1 = r1 * std::sin(t1);
  f.x2 = r2 * std::cos(t1);
  f.y2 = r2 * std::sin(t1);
  f.x3 = r2 * std::cos(t2);
  f.y3 = r2 * std::sin(t2);
  f.x4 = r1 * std::cos(t2);
  f.y4 = r1 * std::sin(t2);
  f.x = (f.x1 + f.x2 + f.x3 + f.x4) / 4;
  f.y = (f.y1 + f.y2 + f.y3 + f.y4) / 4;
  f.area = area;
  f.material = material;
}

void AddBar(FiberWriter& out, double x, double y, double area, double d) {
  FiberRecord& f = out.Next();
  f.x = x;
  f.y = y;
  f.area = area;
  f.material = Rebar;
  f.d = d;
}

void AddPolarDisc(FiberWriter& out, double radius, int sectors, int rings, std::int32_t material) {
  if (sectors <= 0 || rings <= 0) return;
  const double delta = 360.0 / sectors;
  for (int i = 1; i <= sectors; ++i) {
    for (int j = 1; j <= rings; ++j) {
      const double r1 = radius * (j - 1) / rings;
      const double r2 = radius * j / rings;
      AddSector(out, r1, r2, i * delta, (i + 1) * delta,
                (3.14 * r2 * r2 - 3.14 * r1 * r1) / sectors, material);
    }
  }
}

void AddPolarRing(FiberWriter& out, double r1, double r2, int sectors, std::int32_t material) {
  if (sectors <= 0) return;
  const double delta = 360.0 / sectors;
  const double area = (3.14 * r2 * r2 - 3.14 * r1 * r1) / sectors;
  for (int i = 1; i <= sectors; ++i)
    AddSector(out, r1, r2, i * delta, (i + 1) * delta, area, material);
}

void AddBarRings(FiberWriter& out, double outerRadius, int rings, int perRing, double d) {
  if (rings <= 0 || perRing <= 0) return;
  const double area = 3.14 * d * d / 4;
  for (int k = 1; k <= perRing; ++k) {
    const double phi = k * 360.0 / perRing * kPi / 180;
    for (int j = 1; j <= rings; ++j) {
      const double rho = outerRadius - kBarRowSpacing * (j - 1);
      AddBar(out, rho * std::cos(phi), rho * std::sin(phi), area, d);
    }
  }
}

std::int64_t RectangularTileCount(int nx, int ny, int layers) {
  return CountSum({CountProduct({nx - 2LL, ny - 2LL}), CountProduct({2, nx, layers}),
                   CountProduct({2, ny, layers})});
}

void AddCoverRings(FiberWriter& out, double r1, double r2, int sectors, int layers) {
  if (layers <= 1) {
    AddPolarRing(out, r1, r2, sectors, EdgeConcrete);
    return;
  }
  const double t = (r2 - r1) / layers;
  for (int l = 0; l < layers; ++l)
    AddPolarRing(out, r1 + l * t, l == layers - 1 ? r2 : r1 + (l + 1) * t, sectors, EdgeConcrete);
}

void AddRectangularTiles(FiberWriter& out, double B, double H, double coverX, double coverY, int nx,
                         int ny, std::int32_t stripMaterial, int layers) {
  // 64-bit, so that a count near INT_MIN cannot wrap when the cover cells are taken off.
  const std::int64_t mx = nx - 2LL, my = ny - 2LL;
  const double bw = B - 2 * coverX, bh = H - 2 * coverY;
  if (mx > 0 && my > 0) {
    const double cw = bw / mx, ch = bh / my;
    const double area = bw * bh / (static_cast<double>(mx) * my);
    for (int i = 1; i <= mx; ++i) {
      for (int j = 1; j <= my; ++j) {
        AddCell(out, -B / 2 + coverX + cw / 2 + (i - 1) * cw,
                -H / 2 + coverY + ch / 2 + (j - 1) * ch, cw, ch, area, CoreConcrete1);
      }
    }
  }
  if (layers < 1) layers = 1;
  const double ty = coverY / layers, tx = coverX / layers;  // one layer: the whole cover
  if (nx > 0) {
    const double w = B / nx, area = ty * B / nx;
    for (int j = 1; j <= nx; ++j) {
      const double x = -B / 2 + B / (2.0 * nx) + (j - 1) * B / nx;
      for (int l = 0; l < layers; ++l) {
        const double inset = layers == 1 ? coverY / 2 : ty * (l + 0.5);
        AddCell(out, x, -H / 2 + inset, w, ty, area, stripMaterial);
        AddCell(out, x, H / 2 - inset, w, ty, area, stripMaterial);
      }
    }
  }
  if (ny > 0) {
    const double t = bh / ny, area = tx * bh / ny;
    for (int k = 1; k <= ny; ++k) {
      const double y = -H / 2 + coverY + bh / (2.0 * ny) + (k - 1) * bh / ny;
      for (int l = 0; l < layers; ++l) {
        const double inset = layers == 1 ? coverX / 2 : tx * (l + 0.5);
        AddCell(out, -B / 2 + inset, y, tx, t, area, stripMaterial);
        AddCell(out, B / 2 - inset, y, tx, t, area, stripMaterial);
      }
    }
  }
}

std::int64_t RectangularBarCount(const SectionParameters& p) {
  return CountSum({CountProduct({2, p.rX, p.cX}), CountProduct({2, p.rY, p.cY}), 4});
}

void AddRectangularBars(FiberWriter& out, const SectionParameters& p) {
  const double B = p.B, H = p.H, as = p.as;
  const double bw = B - 2 * as, bh = H - 2 * as;
  if (p.rX > 0 && p.cX > 0) {
    const double area = 3.14 * p.dX * p.dX / 4;
    for (int r = 1; r <= p.rX; ++r) {
      for (int m = 1; m <= p.cX; ++m) {
        const double x = -B / 2 + as + m * bw / (p.cX + 1.0);
        AddBar(out, x, -H / 2 + as + kBarRowSpacing * (r - 1), area, p.dX);
        AddBar(out, x, H / 2 - as - kBarRowSpacing * (r - 1), area, p.dX);
      }
    }
  }
  if (p.rY > 0 && p.cY > 0) {
    const double area = 3.14 * p.dY * p.dY / 4;
    for (int r = 1; r <= p.rY; ++r) {
      for (int m = 1; m <= p.cY; ++m) {
        const double y = -H / 2 + as + m * bh / (p.cY + 1.0);
        AddBar(out, -B / 2 + as + kBarRowSpacing * (r - 1), y, area, p.dY);
        AddBar(out, B / 2 - as - kBarRowSpacing * (r - 1), y, area, p.dY);
      }
    }
  }
  // A bundle of nc bars as one fiber, drawn as one bar of the same total area.
  const double area = 0.785 * p.dc * p.dc * p.nc;
  const double d = CheckedSqrt(p.nc) * p.dc;
  AddBar(out, -B / 2 + as, -H / 2 + as, area, d);
  AddBar(out, B / 2 - as, -H / 2 + as, area, d);
  AddBar(out, B / 2 - as, H / 2 - as, area, d);
  AddBar(out, -B / 2 + as, H / 2 - as, area, d);
}

std::int64_t RectangularRcCount(const SectionParameters& p) {
  return CountSum({RectangularTileCount(p.nx, p.ny, p.coverLayers), RectangularBarCount(p)});
}

void AddRectangularRc(FiberWriter& out, const SectionParameters& p) {
  AddRectangularTiles(out, p.B, p.H, p.as, p.as, p.nx, p.ny, EdgeConcrete, p.coverLayers);
  AddRectangularBars(out, p);
}

void AddFlangesOfYShape(FiberWriter& out, const SectionParameters& p) {
  if (p.nf <= 0) return;
  const double w = p.b / p.nf, area = p.b * p.tf / p.nf;
  for (double y : {-p.h / 2 + p.tf / 2, p.h / 2 - p.tf / 2}) {
    for (int i = 1; i <= p.nf; ++i)
      AddCell(out, -p.b / 2 + (i - 0.5) * w, y, w, p.tf, area, SteelShape);
  }
}

void AddFlangesOfXShape(FiberWriter& out, const SectionParameters& p) {
  if (p.nf <= 0) return;
  const double t = p.bX / p.nf, area = p.bX * p.tfX / p.nf;
  for (double x : {-p.hX / 2 + p.tfX / 2, p.hX / 2 - p.tfX / 2}) {
    for (int i = 1; i <= p.nf; ++i)
      AddCell(out, x, -p.bX / 2 + (i - 0.5) * t, p.tfX, t, area, SteelShape);
  }
}

void AddWebOfYShape(FiberWriter& out, const SectionParameters& p) {
  if (p.nw <= 0) return;
  const double clear = p.h - 2 * p.tf;
  const double t = clear / p.nw, area = clear * p.tw / p.nw;
  for (int i = 1; i <= p.nw; ++i)
    AddCell(out, 0, -p.h / 2 + p.tf + (i - 0.5) * t, p.tw, t, area, SteelShape);
}

void AddWebOfXShape(FiberWriter& out, const SectionParameters& p) {
  if (p.nw <= 0) return;
  const double clear = p.hX - 2 * p.tfX;
  const double w = clear / p.nw, area = clear * p.twX / p.nw;
  for (int i = 1; i <= p.nw; ++i) {
    AddCell(out, -p.hX / 2 + p.tfX + (i - 0.5) * w, 0, w, p.twX, area, SteelShape);
  }
}

}  // namespace kuma::mesh

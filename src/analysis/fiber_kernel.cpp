#include "analysis/fiber_kernel.h"

// GCC 12's AVX-512 headers trip its own uninitialised-value warnings in
// _mm512_set1_pd and friends.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>

#include <algorithm>
#include <cmath>

#include "material/laws.h"

namespace kuma {

namespace {

constexpr int kLanes = 8;

// The packed concrete group holds the n = 2 parabola and its plateau.
bool PackableConcrete(const FiberRecord& f, const ConcreteLawUnit& law) {
  if (law.isParabolaPlateau == nullptr || !law.isParabolaPlateau(f.shape)) return false;
  if (!(f.e0 > 0) || !std::isfinite(f.fc)) return false;
  double inverse = 1.0 / f.e0;
  return std::isfinite(inverse) && std::isfinite(f.e0);
}

// The packed steel group holds elastic–perfectly plastic steel.
bool PackableSteel(const FiberRecord& f, const SteelLawUnit& law) {
  if (law.isElasticPlastic == nullptr || !law.isElasticPlastic(f.shape)) return false;
  if (!(f.Es > 0) || !(f.fy >= 0)) return false;
  return std::isfinite(f.Es) && std::isfinite(f.fy) && std::isfinite(f.fy / f.Es);
}

GenericFiber MakeGeneric(const FiberRecord& f, double first, double second, FiberLawFn law,
                         bool negated) {
  return GenericFiber{f.x, f.y, f.area, first, second, f.shape, law, negated};
}

// The groups are filled in fiber order, eight fibers a block; unused lanes of
// the last block stay zero, which gives them zero force in both laws.
template <typename Block>
Block& LaneSlot(std::vector<Block>& blocks, std::int64_t count, int& lane) {
  if (count % kLanes == 0) blocks.emplace_back(Block{});
  lane = static_cast<int>(count % kLanes);
  return blocks.back();
}

// Concrete laws that a table can stand for: every law but the packed one,
// with finite constants.
bool TabulableConcrete(const FiberRecord& f, const ConcreteLawUnit& law) {
  if (law.isParabolaPlateau != nullptr && law.isParabolaPlateau(f.shape)) return false;
  if (!(f.e0 > 0) || !std::isfinite(f.fc) || !std::isfinite(f.e0)) return false;
  for (double c : f.shape.c)
    if (!std::isfinite(c)) return false;
  return true;
}

constexpr double kTableStep = 4e-6;

void BuildTable(TableGroup& g) {
  // Far beyond every crushing strain a capacity state gives these laws:
  // 0.03, or twice the law's own crushing strain when that is further.
  const double crushing = g.law->crushing(g.fc, g.e0, g.shape);
  const double range = std::max(0.03, -2 * crushing);
  g.last = static_cast<int>(std::ceil(range / kTableStep));
  g.lo = -g.last * kTableStep;
  g.invStep = 1 / kTableStep;
  std::vector<double> value(static_cast<size_t>(g.last) + 1);
  for (int i = 0; i <= g.last; ++i) value[i] = g.Exact(g.lo + i * kTableStep);
  value[g.last] = g.Exact(0);
  g.node.assign(2 * value.size(), 0.0);
  for (int i = 0; i <= g.last; ++i) {
    g.node[2 * i] = value[i];
    g.node[2 * i + 1] = i < g.last ? value[i + 1] - value[i] : 0;
  }
}

TableGroup& TableFor(std::vector<TableGroup>& tables, const FiberRecord& f,
                     const ConcreteLawUnit& law) {
  for (TableGroup& g : tables) {
    bool same = g.fc == f.fc && g.e0 == f.e0 && g.law == &law;
    for (int i = 0; same && i < 4; ++i) same = g.shape.c[i] == f.shape.c[i];
    if (same) return g;
  }
  tables.emplace_back();
  TableGroup& g = tables.back();
  g.fc = f.fc;
  g.e0 = f.e0;
  g.shape = f.shape;
  g.law = &law;
  BuildTable(g);
  return g;
}

void PackConcrete(const FiberRecord& f, const ConcreteLawUnit& law, PackedFibers& packed,
                  std::int64_t& concreteCount) {
  const bool deduction = f.material == CoreConcrete1Deduction;
  if (PackableConcrete(f, law)) {
    int lane = 0;
    ConcreteBlock& block = LaneSlot(packed.concrete, concreteCount++, lane);
    double k = -f.fc * f.area;
    if (deduction) k = -k;
    block.x[lane] = f.x;
    block.y[lane] = f.y;
    block.negInvE0[lane] = -(1.0 / f.e0);
    block.k[lane] = k;
    block.k2[lane] = 2 * k;
  } else if (TabulableConcrete(f, law)) {
    TableGroup& g = TableFor(packed.tables, f, law);
    int lane = 0;
    TableBlock& block = LaneSlot(g.blocks, g.count++, lane);
    block.x[lane] = f.x;
    block.y[lane] = f.y;
    block.area[lane] = deduction ? -f.area : f.area;
  } else {
    packed.generic.push_back(MakeGeneric(f, f.fc, f.e0, law.stress, deduction));
  }
}

void PackSteel(const FiberRecord& f, const SteelLawUnit& law, PackedFibers& packed,
               std::int64_t& steelCount) {
  if (PackableSteel(f, law)) {
    int lane = 0;
    SteelBlock& block = LaneSlot(packed.steel, steelCount++, lane);
    block.x[lane] = f.x;
    block.y[lane] = f.y;
    block.Es[lane] = f.Es;
    block.fy[lane] = f.fy;
    block.area[lane] = f.area;
  } else {
    packed.generic.push_back(MakeGeneric(f, f.Es, f.fy, law.stress, false));
  }
}

}  // namespace

// Out of line: the table loops call it only for the rare strains below the
// table, and inlining its indirect call there keeps them from being unrolled.
__attribute__((noinline)) double TableGroup::Exact(double strain) const {
  return law->stress(fc, e0, shape, strain);
}

PackedFibers PackFibers(const FiberArray& fibers) {
  PackedFibers packed;
  packed.fiberCount = static_cast<std::int64_t>(fibers.size());
  std::int64_t concreteCount = 0, steelCount = 0;
  // A fiber of an unknown material or law carries nothing (FiberStress):
  // it is left out.
  for (const FiberRecord& f : fibers) {
    if (IsSteel(f.material)) {
      if (const SteelLawUnit* law = SteelLawOf(f.steelLawCode))
        PackSteel(f, *law, packed, steelCount);
    } else if (IsConcrete(f.material) || f.material == CoreConcrete1Deduction) {
      if (const ConcreteLawUnit* law = ConcreteLawOf(f.concreteLawCode))
        PackConcrete(f, *law, packed, concreteCount);
    }
  }
  return packed;
}

void InitGenericState(const PackedFibers& packed, std::vector<double>& stress) {
  stress.assign(packed.generic.size(), 0.0);
}

void ApplyGenericLaw(const GenericFiber& f, double strain, double& stress) {
  stress = f.law(f.first, f.second, f.shape, strain);
  if (f.negated) stress = -stress;
}

void AddPlaneGenericSums(const PackedFibers& packed, double a, double b, double c,
                         TrialSums& sums) {
  for (const GenericFiber& f : packed.generic) {
    double stress = 0;
    ApplyGenericLaw(f, a * f.x + b * f.y + c, stress);
    const double force = stress * f.area;
    sums.force += force;
    sums.momentX += force * f.y;
    sums.momentY += force * f.x;
  }
}

void AddGenericSums(const PackedFibers& packed, double phi, double w, double root, double q,
                    std::vector<double>& stress, TrialSums& sums) {
  TrialSums g;
  for (size_t i = 0; i < packed.generic.size(); ++i) {
    const GenericFiber& f = packed.generic[i];
    // The record's own expression (EvaluateFiberRecord), to the last bit.
    double strain = phi * ((w * f.x - f.y + q) / root);
    double& s = stress[i];
    ApplyGenericLaw(f, strain, s);
    double force = s * f.area;
    g.force += force;
    g.momentX += force * f.y;
    g.momentY += force * f.x;
  }
  sums.force += g.force;
  sums.momentX += g.momentX;
  sums.momentY += g.momentY;
}

// ---------------------------------------------------------------------------
// SSE2: every x86-64 processor has it. Two lanes per register; the quarters
// 0 and 2 of a block go to accumulator set 0, quarters 1 and 3 to set 1.

namespace {

struct Sse2Acc {
  __m128d f = _mm_setzero_pd(), mx = _mm_setzero_pd(), my = _mm_setzero_pd();
};

inline void Sse2Concrete(const ConcreteBlock& blk, int o, __m128d A, __m128d B, __m128d C,
                         Sse2Acc& acc) {
  const __m128d one = _mm_set1_pd(1.0), zero = _mm_setzero_pd();
  __m128d x = _mm_load_pd(blk.x + o), y = _mm_load_pd(blk.y + o);
  __m128d e = _mm_add_pd(_mm_mul_pd(A, x), _mm_add_pd(_mm_mul_pd(B, y), C));
  // u = clamp(-strain/e0, 0, 1); a NaN strain takes the plateau (u = 1),
  // as in ConcreteLaw.
  __m128d u = _mm_max_pd(_mm_min_pd(_mm_mul_pd(e, _mm_load_pd(blk.negInvE0 + o)), one), zero);
  __m128d k = _mm_load_pd(blk.k + o);
  __m128d F = _mm_mul_pd(u, _mm_sub_pd(_mm_load_pd(blk.k2 + o), _mm_mul_pd(k, u)));
  acc.f = _mm_add_pd(acc.f, F);
  acc.mx = _mm_add_pd(acc.mx, _mm_mul_pd(F, y));
  acc.my = _mm_add_pd(acc.my, _mm_mul_pd(F, x));
}

inline void Sse2Steel(const SteelBlock& blk, int o, __m128d A, __m128d B, __m128d C, Sse2Acc& acc) {
  __m128d x = _mm_load_pd(blk.x + o), y = _mm_load_pd(blk.y + o);
  __m128d e = _mm_add_pd(_mm_mul_pd(A, x), _mm_add_pd(_mm_mul_pd(B, y), C));
  __m128d fy = _mm_load_pd(blk.fy + o);
  __m128d s = _mm_min_pd(
      _mm_max_pd(_mm_mul_pd(e, _mm_load_pd(blk.Es + o)), _mm_sub_pd(_mm_setzero_pd(), fy)), fy);
  s = _mm_and_pd(s, _mm_cmpord_pd(e, e));  // NaN strain: sign 0, stress 0
  __m128d F = _mm_mul_pd(s, _mm_load_pd(blk.area + o));
  acc.f = _mm_add_pd(acc.f, F);
  acc.mx = _mm_add_pd(acc.mx, _mm_mul_pd(F, y));
  acc.my = _mm_add_pd(acc.my, _mm_mul_pd(F, x));
}

// The table groups one lane at a time (the arithmetic of the vector version
// below, without fused multiply-adds).
void ScalarTableSums(const PackedFibers& p, double a, double b, double c, TrialSums& r) {
  for (const TableGroup& g : p.tables) {
    TrialSums t;
    const double last = g.last;
    for (const TableBlock& blk : g.blocks) {
      for (int l = 0; l < kLanes; ++l) {
        const double e = a * blk.x[l] + (b * blk.y[l] + c);
        double u = (e - g.lo) * g.invStep;
        double stress;
        if (u < 0) {
          stress = g.Exact(e);
        } else {
          u = std::min(u, last);  // tension (and NaN) read the node at 0
          if (!(u >= 0)) u = last;
          const int i = static_cast<int>(u);
          stress = g.node[2 * i] + g.node[2 * i + 1] * (u - i);
        }
        const double F = stress * blk.area[l];
        t.force += F;
        t.momentX += F * blk.y[l];
        t.momentY += F * blk.x[l];
      }
    }
    r.force += t.force;
    r.momentX += t.momentX;
    r.momentY += t.momentY;
  }
}

inline double Sse2Total(__m128d a, __m128d b) {
  __m128d s = _mm_add_pd(a, b);
  return _mm_cvtsd_f64(_mm_add_sd(s, _mm_unpackhi_pd(s, s)));
}

TrialSums Sse2Sums(const PackedFibers& p, double a, double b, double c) {
  const __m128d A = _mm_set1_pd(a), B = _mm_set1_pd(b), C = _mm_set1_pd(c);
  Sse2Acc c0, c1, s0, s1;
  for (const ConcreteBlock& blk : p.concrete) {
    Sse2Concrete(blk, 0, A, B, C, c0);
    Sse2Concrete(blk, 2, A, B, C, c1);
    Sse2Concrete(blk, 4, A, B, C, c0);
    Sse2Concrete(blk, 6, A, B, C, c1);
  }
  for (const SteelBlock& blk : p.steel) {
    Sse2Steel(blk, 0, A, B, C, s0);
    Sse2Steel(blk, 2, A, B, C, s1);
    Sse2Steel(blk, 4, A, B, C, s0);
    Sse2Steel(blk, 6, A, B, C, s1);
  }
  TrialSums r;
  r.force = Sse2Total(c0.f, c1.f) + Sse2Total(s0.f, s1.f);
  r.momentX = Sse2Total(c0.mx, c1.mx) + Sse2Total(s0.mx, s1.mx);
  r.momentY = Sse2Total(c0.my, c1.my) + Sse2Total(s0.my, s1.my);
  if (!p.tables.empty()) ScalarTableSums(p, a, b, c, r);
  return r;
}

// ---------------------------------------------------------------------------
// AVX2 with FMA: four lanes; the two halves of a block go to two accumulator
// sets.

#define KUMA_AVX2 __attribute__((target("avx2,fma")))

struct Avx2Acc {
  __m256d f, mx, my;
};

KUMA_AVX2 inline void Avx2Concrete(const ConcreteBlock& blk, int o, __m256d A, __m256d B, __m256d C,
                                   Avx2Acc& acc) {
  const __m256d one = _mm256_set1_pd(1.0), zero = _mm256_setzero_pd();
  __m256d x = _mm256_load_pd(blk.x + o), y = _mm256_load_pd(blk.y + o);
  __m256d e = _mm256_fmadd_pd(A, x, _mm256_fmadd_pd(B, y, C));
  __m256d u =
      _mm256_max_pd(_mm256_min_pd(_mm256_mul_pd(e, _mm256_load_pd(blk.negInvE0 + o)), one), zero);
  __m256d F =
      _mm256_mul_pd(u, _mm256_fnmadd_pd(_mm256_load_pd(blk.k + o), u, _mm256_load_pd(blk.k2 + o)));
  acc.f = _mm256_add_pd(acc.f, F);
  acc.mx = _mm256_fmadd_pd(F, y, acc.mx);
  acc.my = _mm256_fmadd_pd(F, x, acc.my);
}

KUMA_AVX2 inline void Avx2Steel(const SteelBlock& blk, int o, __m256d A, __m256d B, __m256d C,
                                Avx2Acc& acc) {
  __m256d x = _mm256_load_pd(blk.x + o), y = _mm256_load_pd(blk.y + o);
  __m256d e = _mm256_fmadd_pd(A, x, _mm256_fmadd_pd(B, y, C));
  __m256d fy = _mm256_load_pd(blk.fy + o);
  __m256d s = _mm256_min_pd(_mm256_max_pd(_mm256_mul_pd(e, _mm256_load_pd(blk.Es + o)),
                                          _mm256_sub_pd(_mm256_setzero_pd(), fy)),
                            fy);
  s = _mm256_and_pd(s, _mm256_cmp_pd(e, e, _CMP_ORD_Q));
  __m256d F = _mm256_mul_pd(s, _mm256_load_pd(blk.area + o));
  acc.f = _mm256_add_pd(acc.f, F);
  acc.mx = _mm256_fmadd_pd(F, y, acc.mx);
  acc.my = _mm256_fmadd_pd(F, x, acc.my);
}

KUMA_AVX2 inline double Avx2Total(__m256d a, __m256d b) {
  __m256d s = _mm256_add_pd(a, b);
  __m128d h = _mm_add_pd(_mm256_castpd256_pd128(s), _mm256_extractf128_pd(s, 1));
  return _mm_cvtsd_f64(_mm_add_sd(h, _mm_unpackhi_pd(h, h)));
}

// Four lanes of a table group: strain, node index, gathered value and slope.
// Lanes below the table take the law itself.
KUMA_AVX2 void Avx2TableSums(const PackedFibers& p, double a, double b, double c, TrialSums& r) {
  const __m256d A = _mm256_set1_pd(a), B = _mm256_set1_pd(b), C = _mm256_set1_pd(c);
  const __m256d zero = _mm256_setzero_pd();
  for (const TableGroup& g : p.tables) {
    const __m256d lo = _mm256_set1_pd(g.lo), inv = _mm256_set1_pd(g.invStep);
    const __m256d last = _mm256_set1_pd(g.last);
    __m256d f = zero, mx = zero, my = zero;
    for (const TableBlock& blk : g.blocks) {
      for (int o = 0; o < kLanes; o += 4) {
        __m256d x = _mm256_load_pd(blk.x + o), y = _mm256_load_pd(blk.y + o);
        __m256d e = _mm256_fmadd_pd(A, x, _mm256_fmadd_pd(B, y, C));
        __m256d u = _mm256_mul_pd(_mm256_sub_pd(e, lo), inv);
        __m256d below = _mm256_cmp_pd(u, zero, _CMP_LT_OQ);
        u = _mm256_max_pd(_mm256_min_pd(u, last), zero);  // NaN: min gives `last`
        __m128i i = _mm256_cvttpd_epi32(u);
        __m256d frac = _mm256_sub_pd(u, _mm256_cvtepi32_pd(i));
        // Four (value, slope) pairs, one load each, regrouped.
        alignas(16) int idx[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(idx), i);
        const double* node = g.node.data();
        __m128d p0 = _mm_loadu_pd(node + 2 * idx[0]), p1 = _mm_loadu_pd(node + 2 * idx[1]);
        __m128d p2 = _mm_loadu_pd(node + 2 * idx[2]), p3 = _mm_loadu_pd(node + 2 * idx[3]);
        __m256d even = _mm256_set_m128d(p2, p0), odd = _mm256_set_m128d(p3, p1);
        __m256d v = _mm256_unpacklo_pd(even, odd);
        __m256d s = _mm256_unpackhi_pd(even, odd);
        __m256d stress = _mm256_fmadd_pd(s, frac, v);
        if (_mm256_movemask_pd(below) != 0) {
          alignas(32) double es[4], ss[4];
          _mm256_store_pd(es, e);
          _mm256_store_pd(ss, stress);
          const int mask = _mm256_movemask_pd(below);
          for (int l = 0; l < 4; ++l)
            if (mask & (1 << l)) ss[l] = g.Exact(es[l]);
          stress = _mm256_load_pd(ss);
        }
        __m256d F = _mm256_mul_pd(stress, _mm256_load_pd(blk.area + o));
        f = _mm256_add_pd(f, F);
        mx = _mm256_fmadd_pd(F, y, mx);
        my = _mm256_fmadd_pd(F, x, my);
      }
    }
    r.force += Avx2Total(f, zero);
    r.momentX += Avx2Total(mx, zero);
    r.momentY += Avx2Total(my, zero);
  }
}

KUMA_AVX2 TrialSums Avx2Sums(const PackedFibers& p, double a, double b, double c) {
  const __m256d A = _mm256_set1_pd(a), B = _mm256_set1_pd(b), C = _mm256_set1_pd(c);
  const __m256d z = _mm256_setzero_pd();
  Avx2Acc c0{z, z, z}, c1{z, z, z}, s0{z, z, z}, s1{z, z, z};
  for (const ConcreteBlock& blk : p.concrete) {
    Avx2Concrete(blk, 0, A, B, C, c0);
    Avx2Concrete(blk, 4, A, B, C, c1);
  }
  for (const SteelBlock& blk : p.steel) {
    Avx2Steel(blk, 0, A, B, C, s0);
    Avx2Steel(blk, 4, A, B, C, s1);
  }
  TrialSums r;
  r.force = Avx2Total(c0.f, c1.f) + Avx2Total(s0.f, s1.f);
  r.momentX = Avx2Total(c0.mx, c1.mx) + Avx2Total(s0.mx, s1.mx);
  r.momentY = Avx2Total(c0.my, c1.my) + Avx2Total(s0.my, s1.my);
  if (!p.tables.empty()) Avx2TableSums(p, a, b, c, r);
  return r;
}

// ---------------------------------------------------------------------------
// AVX-512F: one block per register; blocks alternate between two
// accumulator sets.

#define KUMA_AVX512 __attribute__((target("avx512f")))

struct Avx512Acc {
  __m512d f, mx, my;
};

KUMA_AVX512 inline void Avx512Concrete(const ConcreteBlock& blk, __m512d A, __m512d B, __m512d C,
                                       Avx512Acc& acc) {
  const __m512d one = _mm512_set1_pd(1.0), zero = _mm512_setzero_pd();
  __m512d x = _mm512_load_pd(blk.x), y = _mm512_load_pd(blk.y);
  __m512d e = _mm512_fmadd_pd(A, x, _mm512_fmadd_pd(B, y, C));
  __m512d u =
      _mm512_max_pd(_mm512_min_pd(_mm512_mul_pd(e, _mm512_load_pd(blk.negInvE0)), one), zero);
  __m512d F = _mm512_mul_pd(u, _mm512_fnmadd_pd(_mm512_load_pd(blk.k), u, _mm512_load_pd(blk.k2)));
  acc.f = _mm512_add_pd(acc.f, F);
  acc.mx = _mm512_fmadd_pd(F, y, acc.mx);
  acc.my = _mm512_fmadd_pd(F, x, acc.my);
}

KUMA_AVX512 inline void Avx512Steel(const SteelBlock& blk, __m512d A, __m512d B, __m512d C,
                                    Avx512Acc& acc) {
  __m512d x = _mm512_load_pd(blk.x), y = _mm512_load_pd(blk.y);
  __m512d e = _mm512_fmadd_pd(A, x, _mm512_fmadd_pd(B, y, C));
  __m512d fy = _mm512_load_pd(blk.fy);
  __m512d s = _mm512_min_pd(_mm512_max_pd(_mm512_mul_pd(e, _mm512_load_pd(blk.Es)),
                                          _mm512_sub_pd(_mm512_setzero_pd(), fy)),
                            fy);
  s = _mm512_maskz_mov_pd(_mm512_cmp_pd_mask(e, e, _CMP_ORD_Q), s);
  __m512d F = _mm512_mul_pd(s, _mm512_load_pd(blk.area));
  acc.f = _mm512_add_pd(acc.f, F);
  acc.mx = _mm512_fmadd_pd(F, y, acc.mx);
  acc.my = _mm512_fmadd_pd(F, x, acc.my);
}

KUMA_AVX512 inline double Avx512Total(__m512d a, __m512d b) {
  __m512d s = _mm512_add_pd(a, b);
  __m256d q = _mm256_add_pd(_mm512_castpd512_pd256(s), _mm512_extractf64x4_pd(s, 1));
  __m128d h = _mm_add_pd(_mm256_castpd256_pd128(q), _mm256_extractf128_pd(q, 1));
  return _mm_cvtsd_f64(_mm_add_sd(h, _mm_unpackhi_pd(h, h)));
}

KUMA_AVX512 TrialSums Avx512Sums(const PackedFibers& p, double a, double b, double c) {
  const __m512d A = _mm512_set1_pd(a), B = _mm512_set1_pd(b), C = _mm512_set1_pd(c);
  const __m512d z = _mm512_setzero_pd();
  Avx512Acc c0{z, z, z}, c1{z, z, z}, s0{z, z, z}, s1{z, z, z};
  size_t nc = p.concrete.size(), i = 0;
  for (; i + 1 < nc; i += 2) {
    Avx512Concrete(p.concrete[i], A, B, C, c0);
    Avx512Concrete(p.concrete[i + 1], A, B, C, c1);
  }
  if (i < nc) Avx512Concrete(p.concrete[i], A, B, C, c0);
  size_t ns = p.steel.size();
  for (i = 0; i + 1 < ns; i += 2) {
    Avx512Steel(p.steel[i], A, B, C, s0);
    Avx512Steel(p.steel[i + 1], A, B, C, s1);
  }
  if (i < ns) Avx512Steel(p.steel[i], A, B, C, s0);
  TrialSums r;
  r.force = Avx512Total(c0.f, c1.f) + Avx512Total(s0.f, s1.f);
  r.momentX = Avx512Total(c0.mx, c1.mx) + Avx512Total(s0.mx, s1.mx);
  r.momentY = Avx512Total(c0.my, c1.my) + Avx512Total(s0.my, s1.my);
  if (!p.tables.empty()) Avx2TableSums(p, a, b, c, r);
  return r;
}

bool Supports(KernelPath path) {
  switch (path) {
    case KernelPath::Avx512:
      return __builtin_cpu_supports("avx512f");
    case KernelPath::Avx2:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    default:
      return true;
  }
}

}  // namespace

KernelPath ResolveKernelPath(KernelPath path) {
  if (path == KernelPath::Auto) {
    if (Supports(KernelPath::Avx512)) return KernelPath::Avx512;
    if (Supports(KernelPath::Avx2)) return KernelPath::Avx2;
    return KernelPath::Sse2;
  }
  return Supports(path) ? path : KernelPath::Sse2;
}

PackedSumFn PackedSumFunction(KernelPath path) {
  switch (ResolveKernelPath(path)) {
    case KernelPath::Avx512:
      return Avx512Sums;
    case KernelPath::Avx2:
      return Avx2Sums;
    default:
      return Sse2Sums;
  }
}

const char* KernelPathName(KernelPath path) {
  switch (ResolveKernelPath(path)) {
    case KernelPath::Avx512:
      return "avx512";
    case KernelPath::Avx2:
      return "avx2";
    default:
      return "sse2";
  }
}

}  // namespace kuma

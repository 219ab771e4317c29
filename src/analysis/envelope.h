#pragma once
// The capacity of a section whose concrete softens after its peak stress
// (Appendix C, Mander, the filled-tube core): the outer envelope of the
// resultants of every admissible strain plane.
//
// With a plateau law (law 1) the strongest plane at any axial force has its
// most compressed corner at εcu, so the PM, MM and surface searches walk
// that one family. A law that softens carries more on planes whose most
// compressed point has not reached εcu: at the squash load every fiber sits
// at the peak of its law, and between there and the balance point the
// strongest planes have their compressed edge somewhere between the peak
// strain and εcu. The search here looks at all of them.
//
// A plane is given by the strains ε1 at the compressed extreme and ε2 at the
// stretched extreme across a direction θ: the compressed side is the one the
// unit vector (−sin θ, cos θ) points to, the extremes are the corners of the
// bounding rectangle or the extreme fibers (ComboBox27), and the admissible
// planes are those with εcu ≤ ε1 ≤ ε2 ≤ εt (εt = 0.01, or the steel's own
// rupture strain on the real fibers). At an axial force P the envelope's
// point is the plane of largest moment about the axis of θ; it is sought over
// ε1 (a scan, then golden sections) with ε2 the largest strain that gives P.

#include <limits>
#include <vector>

#include "analysis/fiber_kernel.h"
#include "analysis/strain_limits.h"
#include "model/fiber.h"
#include "model/state.h"

namespace kuma {

// True when a concrete fiber's law has a descending branch (every law
// without a plateau, i.e. all but law 1).
bool HasSofteningConcrete(const FiberArray& fibers);
// True when every fiber uses law 1 (or a code no law knows).
bool UsesPlainLawsOnly(const FiberArray& fibers);

class EnvelopeSearch {
 public:
  // `ecu` (negative) and the tension limit 0.01 at the corners of B × H, or
  // with `fiberLimits` at the extreme concrete and steel fibers, each at the
  // tightest own limit of its laws.
  EnvelopeSearch(const FiberArray& fibers, double ecu, bool fiberLimits, double B, double H);

  // The largest compression and tension (kN, tension negative) a uniform
  // strain carries, over the admissible strains.
  double CompressionEnd() const { return compressionEnd_; }
  double TensionEnd() const { return tensionEnd_; }

  // The envelope's state at axial force P for the direction (sine, cosine)
  // of θ: P kN, signed Mx = Σσ·A·y/10⁶, My = Σσ·A·x/10⁶ kN·m. At or beyond the
  // ends, the uniform state of that end.
  SurfacePoint At(double sine, double cosine, double P) const;

 private:
  struct Direction {
    double sine = 0, cosine = 1, sMin = 0, span = 1;
  };
  Direction DirectionOf(double sine, double cosine) const;
  SurfacePoint Plane(const Direction& d, double e1, double e2) const;
  double Moment(const Direction& d, const SurfacePoint& p) const;
  // The largest ε2 in [ε1, εt] with the axial force P, or NaN.
  struct Bracket {
    double lo, fLo, hi, fHi;  // ε2 and the force above P at each end
  };
  bool BracketDown(const Direction& d, double e1, double P, Bracket& k) const;
  bool BracketNear(const Direction& d, double e1, double P, double hint, Bracket& k) const;
  // `hint` (NaN for none) is where the search starts and receives the root.
  double StretchedStrain(const Direction& d, double e1, double P, double& hint) const;
  SurfacePoint UniformAt(const Direction& d, double P) const;
  void EdgeRange(const Direction& d, double P, double& lo, double& hi) const;
  struct Found {
    double e1 = std::numeric_limits<double>::quiet_NaN();
    double e2 = std::numeric_limits<double>::quiet_NaN();
    double moment = -std::numeric_limits<double>::infinity();
  };
  Found Best(const Direction& planes, const Direction& measure, double P, double floor) const;
  double Uniform(double strain) const;
  void FindAxialEnds();

  PackedFibers packed_;
  PackedSumFn sums_;
  double ecu_, tensionLimit_;
  double B_, H_;
  std::vector<LimitGroup> groups_;  // the fiber rule's extremes; empty: the corners
  double compressionEnd_ = 0, tensionEnd_ = 0;
  double compressionStrain_ = 0, tensionStrain_ = 0;
};

}  // namespace kuma

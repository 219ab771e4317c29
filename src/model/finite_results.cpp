#include "model/finite_results.h"

#include <cmath>

#include "model/errors.h"

namespace kuma {
namespace {

// Collects what kind of non-finite value has been seen.
struct Finiteness {
  bool infinite = false, invalid = false;
  void Add(double v) {
    if (std::isinf(v)) infinite = true;
    if (std::isnan(v)) invalid = true;
  }
  void Raise() const {
    if (infinite) throw Error(kOverflow);
    if (invalid) throw Error(kInvalidOperation);
  }
};

}  // namespace

void RequireFinite(std::initializer_list<double> values) {
  Finiteness seen;
  for (double v : values) seen.Add(v);
  seen.Raise();
}

void RequireFinite(const std::vector<double>& values) {
  Finiteness seen;
  for (double v : values) seen.Add(v);
  seen.Raise();
}

void RequireFiniteFibers(const FiberArray& fibers) {
  Finiteness seen;
  for (const FiberRecord& f : fibers) {
    for (double v : {f.x, f.y, f.area, f.d, f.x1, f.y1, f.x2, f.y2, f.x3, f.y3, f.x4, f.y4})
      seen.Add(v);
  }
  seen.Raise();
}

}  // namespace kuma

#pragma once
// Results that must be numbers. Input such as 1e308 in a size box overflows
// the arithmetic (a cell area of 1e616) and 1e-308 can divide a ratio into
// infinity; such values are never shown, drawn, printed or saved. These
// checks raise the floating-point error the arithmetic would have reported,
// right after the step that computed the values and before anything shows
// them: "Floating point overflow" when a value is infinite (an infinity is
// what an overflowing operation gives), otherwise "Invalid floating point
// operation" when a value is NaN (inf - inf, 0 × inf).

#include <initializer_list>
#include <vector>

#include "model/fiber.h"

namespace kuma {

void RequireFinite(std::initializer_list<double> values);
void RequireFinite(const std::vector<double>& values);

// The geometry of every fiber: centroid, area, bar diameter and corners.
void RequireFiniteFibers(const FiberArray& fibers);

}  // namespace kuma

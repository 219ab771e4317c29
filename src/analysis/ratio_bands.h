#pragma once
// The bands of a utilisation ratio, decided here once for every table,
// chart, workbook and report of both front ends: a combination (or a column)
// satisfies the check up to and including a ratio of 1.0, and from 0.9 it is
// near its limit.

#include <cstdint>

#include "model/colour.h"

namespace kuma {

inline constexpr double kRatioLimit = 1.0;      // the verdict: satisfied up to and including it
inline constexpr double kRatioNearLimit = 0.9;  // from here the ratio is marked orange

enum class RatioBand { Within, NearLimit, Beyond };

RatioBand RatioBandOf(double ratio);
// ratio ≤ 1.0 (a NaN ratio does not satisfy).
bool RatioSatisfied(double ratio);
// "满足" or "不满足".
const char* RatioVerdict(double ratio);

// The colour of a ratio's band on the charts: green, orange (255, 165, 0),
// red.
Rgb RatioColour(double ratio);
// The background of a table row: the plain white within the check, else the
// band's colour.
Rgb RatioRowColour(double ratio);
// The same as a workbook cell fill 0xRRGGBB (0xFFFFFF: the plain look).
std::uint32_t RatioRowFill(double ratio);

}  // namespace kuma

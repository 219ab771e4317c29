#pragma once
// The moment–curvature text report of the result window: the settings, why
// the curve ends, the key points, ductility and effective stiffness, then
// every step. Fixed columns 15 bytes wide in GBK, as the other reports;
// saved with SaveTextLines (GBK, CR LF).

#include <string>
#include <vector>

#include "model/mphi_result.h"

namespace kuma {

std::vector<std::string> BuildMphiReport(const MphiResult& result);

// The concrete ultimate strain the curve was computed with: the law's own
// limit where the law has one, the settings' εcu otherwise (and before any
// solve).
double MphiUltimateStrain(const MphiResult& result);

// The lines that say how the curve ended and what the bilinear stands for:
// the ultimate strain used, the rupture strain at a rupture, the ductility
// with the first-yield ratio beside it, the notes on the reference point and
// on a bilinear capped at the peak. Shared by the text report, the page and
// the PDF; empty before any solve.
std::vector<std::string> MphiSummaryLines(const MphiResult& result);

}  // namespace kuma

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

}  // namespace kuma

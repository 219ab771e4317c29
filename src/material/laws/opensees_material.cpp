#include "material/laws/opensees_material.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/numfmt.h"

namespace kuma {

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

std::string Named(const char* what, double value) {
  return std::string(what) + " = " + FormatShortest(value);
}

OpenSeesMaterial OpenSeesRefusal(std::string error) {
  OpenSeesMaterial m;
  m.error = std::move(error);
  return m;
}

double FarCrushingStrain(double e0) { return -std::max(1.0, 10 * e0); }

OpenSeesMaterial Concrete04Material(double fc, double ec, double ecu, double Ec,
                                    std::string comment) {
  if (!PositiveFinite(fc) || !PositiveFinite(ec) || !PositiveFinite(Ec) || !(ecu > ec) ||
      !std::isfinite(ecu) || !(Ec * ec > fc)) {
    return OpenSeesRefusal("的本构参数无法写成 OpenSEES 的 Concrete04 材料");
  }
  OpenSeesMaterial m;
  m.type = "Concrete04";
  m.values = {-fc, -ec, -ecu, Ec};
  m.comment = std::move(comment);
  return m;
}

std::string RuptureSteelRefusal(double Es, double fy, const LawShape& shape, const char* type) {
  if (!PositiveFinite(Es) || !PositiveFinite(fy) || !PositiveFinite(shape.c[1]) ||
      !(shape.c[1] > fy / Es)) {
    return std::string("的 Es、fy 和 εu 必须是正数且 εu 大于屈服应变，才能写成 OpenSEES 的 ") +
           type + " 材料";
  }
  return "";
}

}  // namespace kuma

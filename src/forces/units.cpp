// The units ETABS writes in the units line of a table, as factors to the
// program's kN, m and kN·m. Names are compared without regard to case, so
// "KN" and "kn" read as kN; "MN" and "mN" are not accepted (no model uses
// either, and guessing between them would be a factor of 10^9).
#include <cctype>
#include <string>

#include "forces/forces.h"

namespace kuma {

namespace {

struct NamedFactor {
  const char* name;
  double factor;
};

// 1 lb (pound-force) = 4.4482216152605 N; 1 kgf = 9.80665 N.
constexpr NamedFactor kForces[] = {
    {"n", 0.001},
    {"kn", 1.0},
    {"kgf", 0.00980665},
    {"tonf", 9.80665},
    {"tf", 9.80665},
    {"kip", 4.4482216152605},
    {"kips", 4.4482216152605},
    {"lb", 0.0044482216152605},
    {"lbf", 0.0044482216152605},
};

constexpr NamedFactor kLengths[] = {
    {"mm", 0.001}, {"cm", 0.01}, {"m", 1.0}, {"in", 0.0254}, {"ft", 0.3048},
};

std::string Lower(std::string_view text) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

template <std::size_t N>
bool Look(const NamedFactor (&table)[N], std::string_view unit, double& factor) {
  const std::string key = Lower(unit);
  for (const NamedFactor& entry : table) {
    if (key == entry.name) {
      factor = entry.factor;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ForceUnitToKilonewton(std::string_view unit, double& factor) {
  return Look(kForces, unit, factor);
}

bool LengthUnitToMetre(std::string_view unit, double& factor) {
  return Look(kLengths, unit, factor);
}

bool MomentUnitToKilonewtonMetre(std::string_view unit, double& factor) {
  // ETABS writes force-length with a hyphen ("kip-ft"); a middle dot or an
  // asterisk is read the same way.
  for (std::string_view separator : {"-", "\xC2\xB7", "*"}) {
    const std::size_t at = unit.find(separator);
    if (at == std::string_view::npos) continue;
    double force = 0, length = 0;
    if (ForceUnitToKilonewton(unit.substr(0, at), force) &&
        LengthUnitToMetre(unit.substr(at + separator.size()), length)) {
      factor = force * length;
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace kuma

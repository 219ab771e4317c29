// The program's laws as OpenSEES uniaxial materials.
#include "report/opensees_laws.h"

#include <algorithm>
#include <cmath>

#include "material/laws.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "report/opensees_model.h"

namespace kuma::opensees {

const MaterialGroup kGroups[5] = {{"边缘区混凝土", "edgeConcreteTag", true, nullptr},
                                  {"核心区混凝土(1)", "coreConcrete1Tag", true, nullptr},
                                  {"核心区混凝土(2)", "coreConcrete2Tag", true, nullptr},
                                  {"钢筋", "rebarTag", false, "rebarLawTag"},
                                  {"型钢", "steelShapeTag", false, "steelShapeLawTag"}};

int GroupOf(std::int32_t material) {
  switch (material) {
    case EdgeConcrete:
      return 0;
    case CoreConcrete1:
    case CoreConcrete1Deduction:
      return 1;
    case CoreConcrete2:
      return 2;
    case Rebar:
      return 3;
    case SteelShape:
      return 4;
    default:
      return -1;
  }
}

namespace {

using LawWriter = MaterialCommand (*)(const FiberRecord& f, const MaterialGroup& g);

bool PositiveFinite(double v) { return v > 0 && std::isfinite(v); }

// Concrete01 needs a crushing strain beyond epsc0; with fpcu = fpc any value
// gives the plateau, so one far beyond every strain a section reaches.
double ConcreteCrushingStrain(double e0) { return -std::max(1.0, 10 * e0); }

// Concrete law 1: the parabola to (e0, fc), then the plateau, no tension.
MaterialCommand ConcreteLaw1(const FiberRecord& f, const MaterialGroup& g) {
  if (!PositiveFinite(f.fc) || !PositiveFinite(f.e0)) {
    throw Error(std::string(g.name) +
                "的 fc 和 e0 必须是正数，才能写成 OpenSEES 的 Concrete01 材料");
  }
  return {"Concrete01",
          {-f.fc, -f.e0, -f.fc, ConcreteCrushingStrain(f.e0)},
          std::string(g.name) + " (fc = " + ModelNumber(f.fc) + ", e0 = " + ModelNumber(f.e0) +
              "): Concrete01, the parabola to e0, then the plateau fc, no tension"};
}

// Steel law 1: elastic–perfectly plastic, kept regular by kSteelHardening.
MaterialCommand SteelLaw1(const FiberRecord& f, const MaterialGroup& g) {
  if (!PositiveFinite(f.Es) || !PositiveFinite(f.fy)) {
    throw Error(std::string(g.name) + "的 Es 和 fy 必须是正数，才能写成 OpenSEES 的 Steel01 材料");
  }
  return {"Steel01",
          {f.fy, f.Es, kSteelHardening},
          std::string(g.name) + " (Es = " + ModelNumber(f.Es) + ", fy = " + ModelNumber(f.fy) +
              "): Steel01, elastic-perfectly plastic (b = " + ModelNumber(kSteelHardening) + ")"};
}

std::string Named(const char* what, double value) {
  return std::string(what) + " = " + ModelNumber(value);
}

// Concrete04 (Popovics's curve to (ec, fc), then its descending branch to
// ecu, zero beyond; no tension): fc, ec, ecu negative, Ec positive.
MaterialCommand Concrete04(const MaterialGroup& g, double fc, double ec, double ecu, double Ec,
                           const std::string& comment) {
  if (!PositiveFinite(fc) || !PositiveFinite(ec) || !PositiveFinite(Ec) || !(ecu > ec) ||
      !std::isfinite(ecu) || !(Ec * ec > fc)) {
    throw Error(std::string(g.name) + "的本构参数无法写成 OpenSEES 的 Concrete04 材料");
  }
  return {"Concrete04", {-fc, -ec, -ecu, Ec}, std::string(g.name) + comment};
}

// Concrete law 2 (Appendix C): its rising branch is Popovics's curve with
// n = Ec·εc,r/(Ec·εc,r − fc), which Concrete04 draws from Ec; the modulus is
// recovered from the prepared n.
MaterialCommand ConcreteLaw2(const FiberRecord& f, const MaterialGroup& g) {
  const double peak = f.shape.c[0], n = f.shape.c[2];
  const double Ec = n > 1 ? n * f.fc / ((n - 1) * peak) : 0;
  ConcreteLawParams p;
  p.law = kConcreteAppendixC;
  p.fc = f.fc;
  const double ecu = -ConcreteLawLimits(p).compressive;
  return Concrete04(g, f.fc, peak, ecu, Ec,
                    " (" + Named("fc", f.fc) + ", " + Named("ec,r", peak) + ", " +
                        Named("ecu", ecu) + ", " + Named("Ec", Ec) +
                        "): Concrete04; the rising branch is the law's own, the descending branch "
                        "follows Popovics's curve instead of the alpha_c curve, zero beyond ecu");
}

// Concrete law 3 (Mander): Concrete04 is the same curve, with the confined
// strength and strains; Ec = r·Esec/(r − 1), Esec = f'cc/εcc.
MaterialCommand ConcreteLaw3(const FiberRecord& f, const MaterialGroup& g) {
  const double fcc = f.shape.c[0], ecc = f.shape.c[1], r = f.shape.c[2], ecu = f.shape.c[3];
  const double Ec = r > 1 && ecc > 0 ? r * (fcc / ecc) / (r - 1) : 0;
  return Concrete04(g, fcc, ecc, ecu, Ec,
                    " (" + Named("f'cc", fcc) + ", " + Named("ecc", ecc) + ", " +
                        Named("ecu,c", ecu) + ", " + Named("Ec", Ec) +
                        "): Concrete04, the law's own curve; zero beyond ecu,c, where the "
                        "program's analyses end");
}

// Concrete law 4 (core concrete of a filled tube): Concrete04 through its
// peak (εc0, fc) with the law's initial modulus 2·fc/εc0. Popovics's rising
// branch (n = 2) lies up to 5 % of fc above the law's parabola; the law's
// descending branch (set by β0, nearly flat for a stiff tube) is not
// Popovics's, which falls towards 2·fc·εc0/ε. The law has no crushing
// strain: Concrete04's ecu is set far beyond every strain a section reaches.
MaterialCommand ConcreteLaw4(const FiberRecord& f, const MaterialGroup& g) {
  const double peak = f.shape.c[0];
  const double Ec = peak > 0 ? 2 * f.fc / peak : 0;
  return Concrete04(g, f.fc, peak, -ConcreteCrushingStrain(peak), Ec,
                    " (" + Named("fc", f.fc) + ", " + Named("ec0", peak) + ", " +
                        Named("beta0", f.shape.c[1]) +
                        "): Concrete04 through the law's peak; its descending branch is "
                        "Popovics's, not the beta0 branch of the law");
}

void CheckSteel(const FiberRecord& f, const MaterialGroup& g, const char* type) {
  if (!PositiveFinite(f.Es) || !PositiveFinite(f.fy) || !PositiveFinite(f.shape.c[1]) ||
      !(f.shape.c[1] > f.fy / f.Es)) {
    throw Error(std::string(g.name) +
                "的 Es、fy 和 εu 必须是正数且 εu 大于屈服应变，才能写成 "
                "OpenSEES 的 " +
                type + " 材料");
  }
}

// Steel law 2 (bilinear hardening, rupture at εu): Steel01 with the law's
// hardening ratio, the same on loading. Steel01 cannot rupture: MinMax
// around it gives zero stress beyond ±εu (for good, as the program's law
// after a rupture).
MaterialCommand SteelLaw2(const FiberRecord& f, const MaterialGroup& g) {
  CheckSteel(f, g, "Steel01");
  const double b = f.shape.c[0], eu = f.shape.c[1];
  if (!(b > 0 && b < 1)) {
    throw Error(std::string(g.name) +
                "的强化系数 b 必须在 0 与 1 之间，才能写成 OpenSEES 的 "
                "Steel01 材料");
  }
  MaterialCommand c{"Steel01",
                    {f.fy, f.Es, b},
                    std::string(g.name) + " (Es = " + ModelNumber(f.Es) +
                        ", fy = " + ModelNumber(f.fy) + ", b = " + ModelNumber(b) +
                        ", eu = " + ModelNumber(eu) +
                        "): Steel01 with the law's hardening; MinMax at +-eu for the rupture"};
  c.rupture = eu;
  return c;
}

// Steel law 3 (three branches): Hysteretic through (fy, εy), (fy, εuy),
// (fst, εu) both ways, no pinching or damage. Hysteretic goes on hardening
// beyond its last point: MinMax at ±εu for the rupture. Unloading follows
// Hysteretic's own rule (the program's law is monotonic).
MaterialCommand SteelLaw3(const FiberRecord& f, const MaterialGroup& g) {
  CheckSteel(f, g, "Hysteretic");
  const double ey = f.fy / f.Es, euy = f.shape.c[0], eu = f.shape.c[1], fst = f.shape.c[2];
  if (!(euy > ey && euy < eu) || !(fst >= f.fy) || !std::isfinite(fst)) {
    throw Error(std::string(g.name) +
                "的三折线参数（εuy、fst）无法写成 OpenSEES 的 Hysteretic 材料");
  }
  MaterialCommand c{"Hysteretic",
                    {f.fy, ey, f.fy, euy, fst, eu, -f.fy, -ey, -f.fy, -euy, -fst, -eu, 1, 1, 0, 0},
                    std::string(g.name) + " (Es = " + ModelNumber(f.Es) +
                        ", fy = " + ModelNumber(f.fy) + ", euy = " + ModelNumber(euy) +
                        ", fst = " + ModelNumber(fst) + ", eu = " + ModelNumber(eu) +
                        "): Hysteretic through the law's three branches; MinMax at +-eu for "
                        "the rupture"};
  c.rupture = eu;
  return c;
}

struct LawMapping {
  bool concrete;
  std::int32_t lawCode;  // FiberRecord::concreteLawCode or steelLawCode
  LawWriter write;
};

const LawMapping kLawMappings[] = {
    {true, kConcreteSimplified, ConcreteLaw1}, {true, kConcreteAppendixC, ConcreteLaw2},
    {true, kConcreteMander, ConcreteLaw3},     {true, kConcreteFilledTube, ConcreteLaw4},
    {false, kSteelSimplified, SteelLaw1},      {false, kSteelBilinear, SteelLaw2},
    {false, kSteelTrilinear, SteelLaw3},
};

}  // namespace

MaterialCommand MaterialOf(const FiberRecord& f, const MaterialGroup& g) {
  const std::int32_t code = g.concrete ? f.concreteLawCode : f.steelLawCode;
  for (const LawMapping& m : kLawMappings) {
    if (m.concrete == g.concrete && m.lawCode == code) return m.write(f, g);
  }
  throw Error(std::string(g.name) + "的本构关系（代码 " + FormatInt(code) +
              "）在 OpenSEES 模型中还没有对应的材料");
}

}  // namespace kuma::opensees

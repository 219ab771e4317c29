#pragma once
// The results of the code check of a column, row by row: kept in the
// program's state beside the design check's ratios.

#include <string>
#include <vector>

namespace kuma {

// The clause that gives a row's code ratio.
enum class CodeClause { kSection = 0, kAxialCap, kSecondOrder };
// "截面", "轴压上限", "二阶效应".
const char* CodeClauseName(CodeClause clause);

// One force row worked as the code asks; the figures of its calculation
// sheet. Forces kN, moments kN·m, lengths mm.
struct CodeRow {
  bool seismic = false;
  double gammaRE = 1;
  double eaX = 0, eaY = 0;        // accidental eccentricity in X and Y
  double cmEtaX = 1, cmEtaY = 1;  // Cm·ηns about X and Y (1 where skipped)
  double MxD = 0, MyD = 0;        // design moments with ea and second order
  double ratioSection = 0;        // surface ratio of (N, MxD, MyD) times γRE
  double ratioAxial = 0;          // N·γRE over the axial cap
  double ratioCode = 0;           // the larger; the row's verdict
  CodeClause clause = CodeClause::kSection;
  // Steps for the calculation sheet.
  double l0 = 0, lc = 0, phi = 1, axialCap = 0;  // kN for the cap
  double e0X = 0, e0Y = 0, m1m2X = 0, m1m2Y = 0, zetaC = 0;
  double etaX = 1, etaY = 1, cmX = 1, cmY = 1;
  double capacityAlongRay = 0;  // |C| of the ray through the design demand
  double ratioTube = 0;         // filled tubes: the unified-theory ratio
  bool Ok() const { return ratioCode <= 1.0; }
};

struct CodeCheck {
  std::vector<CodeRow> rows;  // indexed like the force records (0 unused)
  int governing = 0;
  double maxRatio = 0;
  int failures = 0;
  // What the check could not do, said in the summary ("无构件长度: φ = 1,
  // 未考虑二阶效应", "内力表无站点: 未考虑二阶效应").
  std::vector<std::string> remarks;
  bool Valid() const { return governing > 0; }
};

}  // namespace kuma

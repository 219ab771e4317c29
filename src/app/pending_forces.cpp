// Temporary stand-ins until the force import and reports land; delete this
// file when they do.
#include "forces/forces.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "report/reports.h"

namespace kuma {
void SplitCsvLine(const std::string&, CsvFields&) { throw Error("pending"); }
void ImportForces(Form&, ForceTable&, const std::string&) { throw Error("pending"); }
void ImportForceLines(Form&, ForceTable&, const std::vector<std::string>&) {
  throw Error("pending");
}
void ShowForceStatistics(const ForceTable&, Form&) { throw Error("pending"); }
void ReadForceFactors(const Form&, ForceTable&) { throw Error("pending"); }
std::vector<std::string> BuildPmReport(const PmCurve&, const PmCurve&, int) { return {}; }
std::vector<std::string> BuildMmReport(const MmCurve&, int, double) { return {}; }
void SaveTextLines(const std::string&, const std::vector<std::string>&) { throw Error("pending"); }
MaterialTags ReadMaterialTags(const Form&) { throw Error("pending"); }
std::vector<std::string> BuildOpenSeesScript(const FiberArray&, const MaterialTags&) {
  return {};
}
std::string Utf8ToGbk(const std::string& s) { return s; }
std::string GbkToUtf8(const std::string& s) { return s; }
bool IsValidUtf8(const std::string&) { return true; }
}  // namespace kuma

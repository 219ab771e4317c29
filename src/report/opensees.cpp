// The OpenSEES fiber-section script of the current mesh.
#include "model/numfmt.h"
#include "report/reports.h"

namespace kuma {

MaterialTags ReadMaterialTags(const Form& form) {
  MaterialTags tags{};
  tags[0] = form.Integer("Edit65");
  tags[1] = form.Integer("Edit66");
  tags[2] = form.Integer("Edit67");
  tags[3] = form.Integer("Edit68");
  tags[4] = form.Integer("Edit69");
  return tags;
}

namespace {

// A deduction fiber (code 31) cancels core concrete (1) under the infill of
// the composite column's tube. It is written as a core concrete (1) fiber of
// negative area, so the OpenSEES section carries exactly the forces the
// program's own sums give: the two fibers at the same spot cancel.
std::string FiberLine(const FiberRecord& f, const MaterialTags& tags) {
  double area = f.area;
  int tag = 0;
  switch (f.material) {
    case EdgeConcrete:
      tag = tags[0];
      break;
    case CoreConcrete1:
      tag = tags[1];
      break;
    case CoreConcrete2:
      tag = tags[2];
      break;
    case Rebar:
      tag = tags[3];
      break;
    case SteelShape:
      tag = tags[4];
      break;
    case CoreConcrete1Deduction:
      tag = tags[1];
      area = -area;
      break;
    default:
      break;  // no mesher makes other codes; tag 0 shows the fault
  }
  return "fiber " + FormatScientific5(f.x) + " " + FormatScientific5(f.y) + " " +
         FormatScientific5(area) + " " + FormatInt(tag);
}

}  // namespace

std::vector<std::string> BuildOpenSeesScript(const FiberArray& fibers, const MaterialTags& tags) {
  std::vector<std::string> lines;
  lines.reserve(fibers.size() + 2);
  lines.emplace_back("section Fiber 1 {");
  for (const FiberRecord& f : fibers) lines.push_back(FiberLine(f, tags));
  lines.emplace_back("}");
  return lines;
}

}  // namespace kuma

// The OpenSEES fiber-section script of the current mesh.
#include "model/controls/material_pages.h"
#include "model/numfmt.h"
#include "report/reports.h"

namespace kuma {

MaterialTags ReadMaterialTags(const Form& form) {
  MaterialTags tags{};
  tags[0] = form.Integer(ctl::kEdgeTagBox);
  tags[1] = form.Integer(ctl::kCore1TagBox);
  tags[2] = form.Integer(ctl::kCore2TagBox);
  tags[3] = form.Integer(ctl::kRebarTagBox);
  tags[4] = form.Integer(ctl::kShapeSteelTagBox);
  return tags;
}

namespace {

// A deduction fiber (code 31) cancels core concrete (1) under the infill of
// the composite column's tube. It is written as a core concrete (1) fiber of
// negative area, so the OpenSEES section carries exactly the forces the
// program's own sums give: the two fibers at the same spot cancel.
std::string FiberLine(const FiberRecord& f, const MaterialTags& tags) {
  double area = f.area;
  // No mesher makes other codes; tag 0 shows the fault.
  const int group = MaterialGroupOf(f.material);
  const int tag = group >= 0 ? tags[static_cast<std::size_t>(group)] : 0;
  if (f.material == CoreConcrete1Deduction) area = -area;
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

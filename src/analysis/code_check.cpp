#include "analysis/code_check.h"

namespace kuma {

CodeSection MakeCodeSection(int sectionType, const SectionParameters& params,
                            const FiberArray& fibers, const Form& form) {
  (void)params;
  (void)fibers;
  (void)form;
  CodeSection s;
  s.sectionType = sectionType;
  return s;
}

CodeRow CodeCheckRow(const CodeSection& section, const CodeCheckSettings& settings,
                     const SurfaceIndex& surface, const ForceTable& forces, int record,
                     bool seismic, const MemberEnds* ends) {
  (void)section;
  (void)settings;
  (void)ends;
  CodeRow row;
  row.seismic = seismic;
  SurfacePoint d = DemandOf(forces, record);
  row.MxD = d.Mx;
  row.MyD = d.My;
  row.ratioSection = surface.Ratio(kRadialMethod, d);
  row.ratioCode = row.ratioSection;
  return row;
}

void ComputeCodeCheck(const CodeSection& section, const CodeCheckSettings& settings,
                      const SurfaceIndex& surface, const ForceTable& forces,
                      const std::vector<char>& seismic, const std::vector<MemberEnds>& ends,
                      CodeCheck& out) {
  out = CodeCheck{};
  int n = CheckedCount(forces);
  out.rows.assign(static_cast<std::size_t>(n) + 1, CodeRow{});
  for (int r = 1; r <= n; ++r) {
    bool s = static_cast<std::size_t>(r) < seismic.size() && seismic[static_cast<std::size_t>(r)];
    const MemberEnds* e = ends.empty() ? nullptr : &ends[static_cast<std::size_t>(r)];
    CodeRow row = CodeCheckRow(section, settings, surface, forces, r, s, e);
    if (row.ratioCode > out.maxRatio || out.governing == 0) {
      out.maxRatio = row.ratioCode;
      out.governing = r;
    }
    if (row.ratioCode > 1.0) ++out.failures;
    out.rows[static_cast<std::size_t>(r)] = row;
  }
}

}  // namespace kuma

#include "analysis/column_detailing.h"

namespace kuma {

Stirrups ReadStirrups(int sectionType, const SectionParameters& params, const Form& form) {
  (void)sectionType;
  (void)params;
  (void)form;
  return {};
}

ShearRow ShearCheckRow(const CodeSection& section, const Stirrups& stirrups,
                       const CodeCheckSettings& settings, const ForceTable& forces, int record,
                       bool seismic, double columnLength) {
  (void)section;
  (void)stirrups;
  (void)settings;
  (void)forces;
  (void)record;
  (void)seismic;
  (void)columnLength;
  return {};
}

ColumnDetailing CheckColumnDetailing(const CodeSection& section, const Stirrups& stirrups,
                                     const SectionParameters& params,
                                     const CodeCheckSettings& settings, const ForceTable& forces,
                                     const std::vector<int>& records,
                                     const std::vector<char>& seismic, double columnLength,
                                     std::vector<ShearRow>* shear) {
  (void)section;
  (void)stirrups;
  (void)params;
  (void)settings;
  (void)forces;
  (void)records;
  (void)seismic;
  (void)columnLength;
  (void)shear;
  return {};
}

}  // namespace kuma

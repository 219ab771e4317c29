#pragma once
// What every fuzz target checks after the parser under test has accepted
// its input. A broken rule aborts with a line saying which, so libFuzzer
// keeps the input as a crash.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "draw/drawings.h"
#include "model/errors.h"
#include "model/form.h"
#include "model/section_file.h"
#include "model/state.h"

namespace kuma::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

// Forces are finite and in the physical range, the counts agree.
inline void CheckForceTable(const ForceTable& table) {
  const bool none = table.Count == 0 && table.records.empty();  // nothing imported yet
  if (table.Count < 0 ||
      (!none && static_cast<std::size_t>(table.Count) + 1 != table.records.size()))
    Fail("Count does not match the records");
  if (!table.labels.empty() && table.labels.size() != table.records.size())
    Fail("labels do not match the records");
  for (const ForceRecord& r : table.records) {
    for (double v : {r.P, r.Mx, r.My}) {
      if (!(std::fabs(v) <= kMaxForceValue)) Fail("a force outside the physical range");
    }
  }
  for (double f : {table.fP, table.fMx, table.fMy}) {
    if (!(std::fabs(f) <= kMaxForceFactor)) Fail("a factor outside its range");
  }
}

// Whatever the program holds can be saved, and what is saved opens again.
inline void CheckSavesAndReopens(const Form& form, const MaterialColours& colours,
                                 const ForceTable& forces) {
  const std::string text = SectionFileText(form, colours, forces);
  try {
    ParseSectionFile(text, "saved.ksec");
  } catch (const Error& e) {
    Fail(std::string("a saved section file is refused: ") + e.what());
  }
}

// The forces drawn over charts of an ordinary and of a tiny range: every
// pixel conversion must stay defined however far off the chart a force is.
inline void DrawForces(const ForceTable& forces) {
  NullCanvas canvas(388, 391);
  for (const ChartRange& range : {ChartRange{5000, 0, 60000, -10000}, ChartRange{1, 0, 1, -1}}) {
    DrawPmForcePoints(canvas, range, forces, 0, nullptr);
    DrawPmForcePoints(canvas, range, forces, 90, nullptr);
    DrawMmForcePoints(canvas, range, forces, 0, 500, nullptr);
  }
}

// After an import of any file type (CSV, or a workbook once read) that
// succeeded: forces in range, saved and reopened, drawn.
inline void CheckImported(const Form& form, const ForceTable& table) {
  CheckForceTable(table);
  if (table.Count > 0) CheckSavesAndReopens(form, MaterialColours(), table);
  DrawForces(table);
}

}  // namespace kuma::fuzz

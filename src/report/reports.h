#pragma once
// The text reports of the result window, their file, and the OpenSEES script.

#include <array>
#include <string>
#include <vector>

#include "model/state.h"
#include "model/form.h"

namespace kuma {

// Lines of the PM report for points 0..n of both curves.
std::vector<std::string> BuildPmReport(const PmCurve& curveX, const PmCurve& curveY, int n);
// Lines of the MM report for points 1..m.
std::vector<std::string> BuildMmReport(const MmCurve& curve, int m, double axialLevel);
// Writes lines (UTF-8 in memory) as GBK text with CR LF line ends, replacing
// an existing file. Raises kuma::Error when the file cannot be written.
void SaveTextLines(const std::string& path, const std::vector<std::string>& lines);

// OpenSEES tags of edge concrete, core concrete (1), core concrete (2), bars,
// structural steel (Edit65..Edit69).
using MaterialTags = std::array<int, 5>;
MaterialTags ReadMaterialTags(const Form& form);
// "section Fiber 1 {", one "fiber x y area tag" line per fiber, "}".
std::vector<std::string> BuildOpenSeesScript(const FiberArray& fibers, const MaterialTags& tags);

}  // namespace kuma

// The PM and MM text reports of the result window, and their text file.
#include <algorithm>
#include <cstdio>
#include <memory>

#include "model/atomic_file.h"
#include "model/errors.h"
#include "model/gbk.h"
#include "model/numfmt.h"
#include "report/reports.h"

namespace kuma {

namespace {

constexpr std::size_t kCellWidth = 15;

// "%0.2F" padded on the right with blanks to 15 characters; a longer number
// stays whole.
void AppendCell(std::string& line, double value) {
  std::string cell = FormatFixed(value, 2);
  if (cell.size() < kCellWidth) cell.append(kCellWidth - cell.size(), ' ');
  line += cell;
}

// Points 0..last, with last limited to what every array holds.
int LastPoint(int requested, std::initializer_list<const std::vector<double>*> arrays) {
  int last = requested;
  for (const std::vector<double>* a : arrays) {
    last = std::min(last, static_cast<int>(a->size()) - 1);
  }
  return last;
}

}  // namespace

std::vector<std::string> BuildPmReport(const PmCurve& curveX, const PmCurve& curveY, int n) {
  const std::string rule(60, '=');
  std::vector<std::string> lines = {"",
                                    "PMM曲线关键点数据",
                                    "",
                                    rule,
                                    "轴力P          弯矩Mx         轴力P          弯矩My         ",
                                    rule};
  const int last = LastPoint(n, {&curveX.P, &curveX.M, &curveY.P, &curveY.M});
  for (int i = 0; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    std::string line;
    AppendCell(line, curveX.P[k]);
    AppendCell(line, curveX.M[k]);
    AppendCell(line, curveY.P[k]);
    AppendCell(line, curveY.M[k]);
    lines.push_back(std::move(line));
  }
  lines.push_back(rule);
  return lines;
}

std::vector<std::string> BuildMmReport(const MmCurve& curve, int m, double axialLevel) {
  const std::string rule(30, '=');
  std::vector<std::string> lines = {"",
                                    "Mx-My曲线关键点数据",
                                    "",
                                    "轴力水平 P = " + FormatFixed(axialLevel, 2),
                                    "",
                                    rule,
                                    "弯矩Mx         弯矩My         ",
                                    rule};
  // Point 0 is the direction of point m and is not listed.
  const int last = LastPoint(m, {&curve.Mx, &curve.My});
  for (int i = 1; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    std::string line;
    AppendCell(line, curve.Mx[k]);
    AppendCell(line, curve.My[k]);
    lines.push_back(std::move(line));
  }
  lines.push_back(rule);
  return lines;
}

void SaveTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    bytes += Utf8ToGbk(line);
    bytes += "\r\n";
  }
  WriteFileAtomic(path, bytes);
}

}  // namespace kuma

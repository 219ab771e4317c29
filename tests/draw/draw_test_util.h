#pragma once
// Helpers shared by the drawing tests: the reference curves of the default
// rectangular column, and searching a recording.

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/form.h"
#include "model/state.h"
#include "draw/recording_canvas.h"

namespace kuma::test {

// A form whose pictures record their calls.
class RecordingForm : public MapForm {
 public:
  RecordingForm() {
    SetCanvasFactory([this](const std::string& name, int width, int height) {
      auto canvas = std::make_unique<RecordingCanvas>(width, height);
      canvases_[name] = canvas.get();
      return canvas;
    });
  }
  RecordingCanvas& Canvas(const std::string& name) {
    Picture(name);
    return *canvases_.at(name);
  }
  const std::vector<std::string>& Calls(const std::string& name) { return Canvas(name).Calls(); }

 private:
  std::map<std::string, RecordingCanvas*> canvases_;
};

// Rows of a reference CSV (header skipped), as numbers.
inline std::vector<std::vector<double>> ReadReferenceCsv(const std::string& name) {
  std::ifstream in(std::string(KUMA_REFERENCE_DIR) + "/" + name);
  std::vector<std::vector<double>> rows;
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<double> row;
    std::stringstream fields(line);
    std::string field;
    while (std::getline(fields, field, ',')) row.push_back(std::stod(field));
    if (!row.empty()) rows.push_back(row);
  }
  return rows;
}

// The default PM curve about X (columns i,Px,Mx,Py,My).
inline PmCurve ReferencePmCurveX() {
  PmCurve curve;
  for (const auto& row : ReadReferenceCsv("kind1-pm.csv")) {
    curve.P.push_back(row.at(1));
    curve.M.push_back(row.at(2));
  }
  return curve;
}

inline MmCurve ReferenceMmCurve() {
  MmCurve curve;
  for (const auto& row : ReadReferenceCsv("kind1-mm.csv")) {
    curve.Mx.push_back(row.at(1));
    curve.My.push_back(row.at(2));
  }
  return curve;
}

inline int CountPrefix(const std::vector<std::string>& calls, const std::string& prefix) {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) {
    return c.compare(0, prefix.size(), prefix) == 0;
  }));
}

// Index of the first call equal to `call` at or after `from`; -1 if none.
inline int Find(const std::vector<std::string>& calls, const std::string& call, int from = 0) {
  for (size_t i = static_cast<size_t>(from); i < calls.size(); ++i) {
    if (calls[i] == call) return static_cast<int>(i);
  }
  return -1;
}

// Compares a run of calls with the expected lines, naming the first difference.
inline std::string FirstDifference(const std::vector<std::string>& calls, size_t start,
                                   const std::vector<std::string>& expected) {
  for (size_t i = 0; i < expected.size(); ++i) {
    if (start + i >= calls.size()) return "recording ends before expected line " + expected[i];
    if (calls[start + i] != expected[i]) {
      return "call " + std::to_string(start + i) + ": got '" + calls[start + i] +
             "', expected '" + expected[i] + "'";
    }
  }
  return "";
}

}  // namespace kuma::test

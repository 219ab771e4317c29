// The force values under the mouse pointer, shown above each chart.

#include "draw/chart_frame.h"
#include "draw/drawings.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"
#include "model/numfmt.h"

namespace kuma {

ChartValue ChartValueAt(const ChartRange& range, int width, int height, int x, int y) {
  ChartFrame frame(range, width, height);
  return {frame.HAt(x), frame.VAt(y)};
}

std::string ReadOutCaption(const std::string& picture, const ChartRange& range, int width,
                           int height, int x, int y) {
  const char* vName = "P";
  const char* hName = "M";
  if (picture == ctl::kPmxPicture) hName = "MX";
  if (picture == ctl::kPmyPicture) hName = "MY";
  if (picture == ctl::kMmPicture) {
    vName = "MY";
    hName = "MX";
  }
  ChartValue value = ChartValueAt(range, width, height, x, y);
  return std::string(vName) + " = " + FormatFixed(value.v, 0) + " , " + hName + " = " +
         FormatFixed(value.h, 0);
}

}  // namespace kuma

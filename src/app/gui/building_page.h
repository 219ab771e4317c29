#pragma once
// What the pages "截面库" and "楼栋验算" keep between their commands.

#include <QString>
#include <string>

class QWidget;
#include <vector>

#include "analysis/building_check.h"
#include "app/building_charts.h"
#include "model/library.h"
#include "model/state.h"

namespace kuma::gui {

struct BuildingPageState {
  ForceTable forces;          // the building's forces, apart from the import page's
  BuildingCheck check;        // the last building check
  std::vector<int> rowOrder;  // entries of check.columns as the result grid shows them
  bool perStory = false;      // the grid shows the largest ratio per story
  SectionLibrary library;     // the sections as the last check used them
  BuildingColumnCharts charts;  // the charts of the column clicked last
};

// Asks for a CSV file to read through the window's file dialog runner, so
// that tests can answer; empty when cancelled.
QString AskForTableFile(QWidget* parent, const char* dialogName, const QString& title);

}  // namespace kuma::gui

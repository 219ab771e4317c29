// The charts of the page "楼栋验算": a click on a column of the results
// shows its section's PM, MM and 3-D charts with that column's forces, the
// governing combination ringed; a click on one of its combinations rings
// that one instead.

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>

#include "app/building_charts.h"
#include "app/gui/building_page.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/stretch.h"
#include "app/gui/string_grid.h"
#include "model/controls/building_page.h"

namespace kuma::gui {

namespace {

constexpr const char* kCaption = "Label255";
constexpr const char* kMmCaption = "Label253";
constexpr const char* kDirection = "ComboBox39";
constexpr const char* kBar = "ProgressBar6";
constexpr const char* kHint = "单击上表的一行, 显示该柱的图表";
// Shares of a taller window's height: the results table above the charts
// takes kChartsDown of it, the charts kChartsTaller, the combinations the
// rest.
constexpr double kChartsDown = 0.3;
constexpr double kChartsTaller = 0.5;

int PmAngle(const QtForm& form) { return form.ItemIndex(kDirection) == 1 ? 90 : 0; }

}  // namespace

void TForm1::BuildBuildingCharts(QWidget* page, int y) {
  QLabel* caption = AddLabel(page, kCaption, QString::fromUtf8(kHint), 8, y, 862);
  caption->setToolTip(
      QStringLiteral("品红圈: 控制组合 (单击下方组合表的一行可圈出其他组合); "
                     "内力点按比值着色: 绿 < 0.9, 橙 0.9~1.0, 红 > 1.0"));
  Stretch(caption, {0, kChartsDown, 1, 0});
  Stretch(AddLabel(page, ctl::kBuildingPmLabel, QStringLiteral("PM曲线"), 8, y + 24, 60),
          {0, kChartsDown, 0, 0});
  auto* direction = new QComboBox(page);
  direction->setObjectName(QString::fromUtf8(kDirection));
  direction->addItems({QStringLiteral("X方向(0度)"), QStringLiteral("Y方向(90度)")});
  direction->setGeometry(70, y + 21, 130, kEditHeight);
  Stretch(direction, {0, kChartsDown, 0, 0});
  // The three charts share the width of a larger window.
  const double third = 1.0 / 3;
  Stretch(AddLabel(page, kMmCaption, QStringLiteral("MM曲线"), 296, y + 24, 286),
          {third, kChartsDown, third, 0});
  Stretch(AddLabel(page, ctl::kBuildingSurfaceLabel, QStringLiteral("三维承载力曲面"), 584, y + 24,
                   286),
          {2 * third, kChartsDown, third, 0});
  const int x[3] = {8, 296, 584};
  const char* names[3] = {ctl::kBuildingPmPicture, ctl::kBuildingMmPicture,
                          ctl::kBuildingSurfacePicture};
  for (int k = 0; k < 3; ++k) {
    pictures_ << AddPanelPicture(page, nullptr, names[k], x[k], y + 44);
    StretchInPanel(pictures_.back(), {k * third, kChartsDown, third, kChartsTaller});
  }
}

void TForm1::ConnectBuildingCharts() {
  connect(findChild<QComboBox*>(QString::fromUtf8(kDirection)), &QComboBox::currentIndexChanged,
          this, [this] {
            if (building_->charts.Shown())
              Run([this] { DrawBuildingCharts(); }, {QStringLiteral("Image28")});
          });
  connect(findChild<StringGrid*>(QStringLiteral("StringGrid8")), &QTableView::clicked, this,
          [this](const QModelIndex& index) { RingBuildingCombination(index.row() + 1); });
  ClearBuildingCharts();
}

void TForm1::ShowBuildingCharts(int entry) {
  const BuildingCheck& check = building_->check;
  if (busy_ || entry < 0 || static_cast<std::size_t>(entry) >= check.columns.size()) return;
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  if (!c.checked) {
    ClearBuildingCharts();
    form_->SetText(kCaption, ColumnChartsCaption(check, building_->forces, entry, {}));
    return;
  }
  const QStringList pictures{QStringLiteral("Image28"), QStringLiteral("Image29"),
                             QStringLiteral("Image30")};
  const bool drawn = Run(
      [this, entry] {
        building_->charts = ComputeColumnCharts(
            building_->check, building_->forces, building_->library, entry,
            [this](int position) { form_->SetProgress(kBar, position); }, Control());
        DrawBuildingCharts();
      },
      pictures, true);
  form_->SetProgress(kBar, 0);
  if (drawn) return;
  // Stopped or failed: the grid lists this column now, so the charts of the
  // one before do not stay beside it.
  ClearBuildingCharts();
  for (const QString& name : pictures) form_->PictureControl(name.toStdString())->SetStale(false);
  form_->SetText(kCaption, ColumnChartsCaption(check, building_->forces, entry, {}));
}

void TForm1::RingBuildingCombination(int gridRow) {
  BuildingColumnCharts& charts = building_->charts;
  if (busy_ || !charts.Shown()) return;
  auto* grid = findChild<StringGrid*>(QStringLiteral("StringGrid8"));
  bool numbered = false;
  const int record = QString::fromStdString(grid->Cell(0, gridRow)).toInt(&numbered);
  const int own = numbered ? ChartRecordOf(charts, record) : 0;
  if (own == 0) return;
  charts.ringed = own;
  Run([this] { DrawBuildingCharts(); },
      {QStringLiteral("Image28"), QStringLiteral("Image29"), QStringLiteral("Image30")});
}

void TForm1::DrawBuildingCharts() {
  BuildingColumnCharts& charts = building_->charts;
  if (!charts.Shown()) return;
  DrawColumnCharts(charts, *form_, PmAngle(*form_));
  form_->SetText(kCaption,
                 ColumnChartsCaption(building_->check, building_->forces, charts.entry, charts));
  form_->SetText(kMmCaption, MmChartCaption(charts));
}

void TForm1::ClearBuildingCharts() {
  building_->charts = BuildingColumnCharts();
  ClearColumnCharts(*form_, kHint);
  form_->SetText(kCaption, kHint);
  form_->SetText(kMmCaption, MmChartCaption(building_->charts));
}

}  // namespace kuma::gui

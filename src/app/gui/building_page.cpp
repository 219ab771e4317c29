// The page "楼栋验算": the building's forces checked column by column
// against the sections of the library.

#include "app/gui/building_page.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "analysis/design_check.h"
#include "analysis/ratio_bands.h"
#include "app/building_commands.h"
#include "app/code_check_commands.h"
#include "app/code_page_commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/result_window.h"
#include "app/gui/stretch.h"
#include "app/gui/string_grid.h"
#include "forces/forces.h"
#include "model/controls/building_page.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_library.h"
#include "report/check_report.h"

namespace kuma::gui {

namespace {

constexpr const char* kResults = "StringGrid7";
constexpr const char* kCombinations = "StringGrid8";
constexpr const char* kSummary = "Label250";
constexpr const char* kBar = "ProgressBar6";

// The widths of the result columns: the section's fixed ones; with the
// code check every column as wide as its texts.
void SetBuildingColumnWidths(StringGrid* results, bool code) {
  for (int col = 0; col < results->ColumnCount(); ++col) {
    if (code) {
      results->resizeColumnToContents(col);
    } else {
      results->setColumnWidth(col, col == 5 ? 210 : (col == 2 || col == 10 ? 110 : 64));
    }
  }
}

// The code check's cells join a row of the section's: its ratio, combination
// and clause beside the section's ratio, the detailing after the row.
void WithCodeCells(std::vector<std::string>& cells, std::vector<std::string> code) {
  const auto beside = cells.begin() + kBuildingRatioColumn + 1;
  cells.insert(beside, code.begin(), code.begin() + kBuildingCodeBeside);
  cells.insert(cells.end(), code.begin() + kBuildingCodeBeside, code.end());
}

}  // namespace

QString AskForTableFile(QWidget* parent, const char* dialogName, const QString& title) {
  QFileDialog dialog(parent, title);
  dialog.setObjectName(QString::fromUtf8(dialogName));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("CSV文件或工作簿 (*.csv *.txt *.xlsx)"),
                         QStringLiteral("所有文件 (*)")});
  return RunFileDialog(dialog);
}

void TForm1::BuildBuildingPage(QWidget* page) {
  AddButton(page, ctl::kImportAndCheckButton, QStringLiteral("导入内力并验算"), 8, 8, 130);
  AddButton(page, ctl::kRecheckButton, QStringLiteral("重新验算"), 146, 8, 90);
  AddButton(page, ctl::kBuildingReportButton, QStringLiteral("导出楼栋报告"), 244, 8, 110);
  AddButton(page, ctl::kBuildingStopButton, QStringLiteral("停止"), 362, 8, 60)->setEnabled(false);
  AddLabel(page, ctl::kBuildingShowLabel, QStringLiteral("显示"), 440, 12, 30);
  auto* view = new QComboBox(page);
  view->setObjectName(QStringLiteral("ComboBox38"));
  view->addItems({QStringLiteral("按柱"), QStringLiteral("按楼层")});
  view->setGeometry(474, 10, 90, kEditHeight);
  auto* bar = new QProgressBar(page);
  bar->setObjectName(QString::fromUtf8(kBar));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setGeometry(678, 12, 192, 17);
  Stretch(bar, kFollowRight);
  AddButton(page, ctl::kBuildingWorkbookButton, QStringLiteral("导出Excel"), 580, 8, 90);
  QLabel* summary = AddLabel(page, kSummary, QStringLiteral("尚未验算"), 8, 40, 862);
  summary->setWordWrap(true);
  summary->setMinimumHeight(34);
  Stretch(summary, kWiden);
  auto* results = new StringGrid(13, 1, page);
  results->setObjectName(QString::fromUtf8(kResults));
  results->setGeometry(8, 80, 862, 200);
  SetBuildingColumnWidths(results, false);
  // The code check's columns join when it is on.
  results->SetGrowing(true);
  Stretch(results, {0, 0, 1, 0.3});
  BuildBuildingCharts(page, 288);
  Stretch(AddLabel(page, ctl::kColumnCombinationsLabel, QStringLiteral("所选柱的全部组合"), 8, 626,
                   300),
          {0, 0.8, 0, 0});
  auto* combos = new StringGrid(6, 1, page);
  combos->setObjectName(QString::fromUtf8(kCombinations));
  combos->setGeometry(8, 646, 862, 200);
  combos->setColumnWidth(1, 260);
  combos->SetGrowing(true);
  Stretch(combos, {0, 0.8, 1, 0.2});
}

void TForm1::ConnectBuildingPage() {
  building_ = std::make_unique<BuildingPageState>();
  auto onClick = [this](const char* name, auto&& handler) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this, handler);
  };
  onClick(ctl::kImportAndCheckButton, [this] { ImportBuildingForces(); });
  onClick(ctl::kRecheckButton, [this] { RunBuildingCheckPage(); });
  onClick(ctl::kBuildingReportButton, [this] {
    if (resultWindow_ == nullptr || !building_->check.Valid()) return;
    resultWindow_->SetLines(BuildingReport(building_->check, building_->forces));
    resultWindow_->show();
    resultWindow_->raise();
  });
  onClick(ctl::kBuildingStopButton, [this] { RequestStop(); });
  onClick(ctl::kBuildingWorkbookButton, [this] { ExportBuildingWorkbook(); });
  connect(findChild<QComboBox*>(QStringLiteral("ComboBox38")), &QComboBox::currentIndexChanged,
          this, [this](int index) {
            building_->perStory = index == 1;
            ShowBuildingResults();
          });
  connect(findChild<StringGrid*>(QString::fromUtf8(kResults)), &QTableView::clicked, this,
          [this](const QModelIndex& index) { ShowBuildingColumn(index.row() + 1); });
  ConnectBuildingCharts();
}

void TForm1::ImportBuildingForces() {
  if (busy_) return;
  const QString path = AskForTableFile(this, "BuildingForcesDialog",
                                       QStringLiteral("楼栋内力 (ETABS Element Forces - Columns)"));
  if (path.isEmpty()) return;
  if (Run([this, path] {
        // The import page's settings and filters, as kumasec-cli reads them.
        ForceTable forces = kuma::ImportBuildingForces(*form_, path.toStdString());
        forces.grid.reset();  // the file's own fields are shown nowhere
        state_.buildingForces = forces;
        building_->forces = std::move(forces);
        building_->check = BuildingCheck();
        ClearBuildingCharts();
      })) {
    UpdateModified();
    RunBuildingCheckPage();
  }
}

void TForm1::RestoreBuildingForces() {
  building_->forces = state_.buildingForces;
  building_->check = BuildingCheck();
  building_->library = SectionLibrary();
  ShowBuildingResults();
  if (CheckedCount(building_->forces) > 0) RunBuildingCheckPage();
}

void TForm1::ExportBuildingWorkbook() {
  if (busy_) return;
  if (!Run([this] {
        BuildingResultSheet(building_->check, building_->forces, building_->rowOrder);
      }))
    return;
  auto* dialog = findChild<QFileDialog*>(QStringLiteral("BuildingWorkbookDialog"));
  if (dialog == nullptr) {
    dialog = new QFileDialog(this);
    dialog->setObjectName(QStringLiteral("BuildingWorkbookDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilter(QStringLiteral("Excel 工作簿 (*.xlsx)"));
    dialog->setDefaultSuffix(QStringLiteral("xlsx"));
  }
  const QString path = RunFileDialog(*dialog);
  if (path.isEmpty()) return;
  const std::string file = QFile::encodeName(path).toStdString();
  Run([this, file] {
    ExportBuildingWorkbookCommand(building_->check, building_->forces, file, building_->rowOrder);
  });
}

void TForm1::RunBuildingCheckPage() {
  if (busy_) return;
  Run(
      [this] {
        if (CheckedCount(building_->forces) <= 0) throw Error("请先导入楼栋的内力 (导入内力并验算)");
        // The form's own section is checked as it is typed now.
        SectionLibrary library = BuildingLibrary(state_.library, *form_);
        // With the code check on, each column is also worked by the code.
        building_->check = RunBuildingCheck(
            library, building_->forces, ReadCheckMethod(*form_),
            [this](int position) { form_->SetProgress(kBar, position); }, Control(), 0,
            CodeSettingsIfOn(*form_));
        building_->library = std::move(library);
        ShowBuildingResults();
      },
      {}, true);
}

namespace {

// The order of the result rows: by column, the largest ratio first (the
// code ratio when the code check ran); by story, each story's row.
std::vector<int> BuildingRowOrder(const BuildingCheck& check, const std::vector<StoryRow>& stories,
                                  bool perStory) {
  std::vector<int> order;
  if (check.Valid() && !perStory) order = ColumnsByRatio(check);
  for (const StoryRow& story : stories) order.push_back(story.entry);
  return order;
}

}  // namespace

void TForm1::ShowBuildingResults() {
  const BuildingCheck& check = building_->check;
  const ForceTable& forces = building_->forces;
  form_->SetText(kSummary, BuildingSummary(check, forces));
  // Per story, every story has its row, also one whose columns were all
  // left unchecked; its unchecked columns are counted in the verdict cell.
  std::vector<StoryRow> stories;
  if (check.Valid() && building_->perStory) stories = StoryRows(check);
  std::vector<int>& order = building_->rowOrder;
  order = BuildingRowOrder(check, stories, building_->perStory);
  form_->SetGridRowCount(kResults, static_cast<int>(order.size()) + 1);
  std::vector<std::string> head = BuildingTableHeader(check);
  head.resize(13);
  if (check.codeCheck) WithCodeCells(head, BuildingCodeCaptions());
  for (std::size_t c = 0; c < head.size(); ++c)
    form_->SetGridCell(kResults, static_cast<int>(c), 0, head[c]);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const BuildingColumn& c = check.columns[static_cast<std::size_t>(order[i])];
    const int row = static_cast<int>(i) + 1;
    std::vector<std::string> cells = BuildingTableRow(check, forces, order[i]);
    cells.resize(13);
    if (i < stories.size() && stories[i].unchecked > 0) {
      std::string& verdict = cells[kBuildingVerdictColumn];
      const std::string count = std::to_string(stories[i].unchecked) + " 根柱未验算";
      verdict = verdict.empty() ? count : verdict + "; 另有 " + count;
    }
    if (check.codeCheck) WithCodeCells(cells, BuildingCodeCells(check, forces, order[i]));
    for (std::size_t col = 0; col < cells.size(); ++col)
      form_->SetGridCell(kResults, static_cast<int>(col), row, cells[col]);
    const Rgb colour =
        check.codeCheck ? BuildingCodeColour(c) : (c.checked ? RatioRowColour(c.maxRatio) : kWhite);
    form_->SetGridRowColour(kResults, row, colour);
  }
  SetBuildingColumnWidths(findChild<StringGrid*>(QString::fromUtf8(kResults)), check.codeCheck);
  form_->SetGridRowCount(kCombinations, 1);
  ClearBuildingCharts();
}

void TForm1::ShowBuildingColumn(int row) {
  const BuildingCheck& check = building_->check;
  const std::vector<int>& order = building_->rowOrder;
  if (row < 1 || static_cast<std::size_t>(row) > order.size()) return;
  const int entry = order[static_cast<std::size_t>(row - 1)];
  std::vector<int> records;
  for (std::size_t r = 1; r < check.columnOfRecord.size(); ++r)
    if (check.columnOfRecord[r] == entry) records.push_back(static_cast<int>(r));
  const BuildingColumn& c = check.columns[static_cast<std::size_t>(entry)];
  // The code ratio orders the rows when the code check ran.
  const bool code = check.codeCheck && c.codeChecked;
  auto ratioOf = [&check, code](int r) {
    return code ? RecordCodeRatio(check, r) : check.ratio[static_cast<std::size_t>(r)];
  };
  std::stable_sort(records.begin(), records.end(),
                   [&ratioOf](int a, int b) { return ratioOf(a) > ratioOf(b); });
  form_->SetGridRowCount(kCombinations, static_cast<int>(records.size()) + 1);
  const char* head[7] = {"序号", "组合", "P", "Mx", "My", "比值", "规范比值"};
  for (int col = 0; col < (code ? 7 : 6); ++col)
    form_->SetGridCell(kCombinations, col, 0, head[col]);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const int r = records[i], line = static_cast<int>(i) + 1;
    const SurfacePoint d = DemandOf(building_->forces, r);
    const double ratio = check.ratio[static_cast<std::size_t>(r)];
    form_->SetGridCell(kCombinations, 0, line, std::to_string(r));
    form_->SetGridCell(kCombinations, 1, line, CombinationLabel(building_->forces, r));
    form_->SetGridCell(kCombinations, 2, line, FormatFixed(d.P, 0));
    form_->SetGridCell(kCombinations, 3, line, FormatFixed(d.Mx, 0));
    form_->SetGridCell(kCombinations, 4, line, FormatFixed(d.My, 0));
    form_->SetGridCell(kCombinations, 5, line, c.checked ? FormatRatio(ratio) : "未验算");
    if (code) form_->SetGridCell(kCombinations, 6, line, FormatRatio(RecordCodeRatio(check, r)));
    form_->SetGridRowColour(kCombinations, line, c.checked ? RatioRowColour(ratioOf(r)) : kWhite);
  }
  ShowBuildingCharts(entry);
}

}  // namespace kuma::gui

// The page "规范验算": the settings of the code check in groups (the codes,
// the seismic data, the column's length, the seismic combinations, the
// detailing choices and the stirrups) and the calculation sheet of the row
// chosen in the check table.

#include "model/controls/code_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdint>

#include "app/code_page_commands.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/stretch.h"
#include "app/gui/string_grid.h"
#include "model/controls/check_panel.h"
#include "model/controls/section_page.h"

namespace kuma::gui {

namespace {

using Row = std::pair<const char*, const char*>;

// Rows of "caption [list]" inside a group, 24 pixels apart from `y`.
int AddListRows(QWidget* group, std::initializer_list<Row> rows, int labelWidth, int boxWidth,
                int y = 20) {
  for (const auto& [caption, name] : rows) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, labelWidth);
    AddList(group, name, labelWidth + 12, y, boxWidth);
    y += 24;
  }
  return y;
}

int AddEditRows(QWidget* group, std::initializer_list<Row> rows, int labelWidth, int boxWidth,
                int y) {
  for (const auto& [caption, name] : rows) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, labelWidth);
    AddEdit(group, name, labelWidth + 12, y, boxWidth);
    y += 24;
  }
  return y;
}

QLabel* AddNote(QWidget* parent, const char* name, int x, int y, int width, int height) {
  QLabel* note = AddLabel(parent, name, QString(), x, y, width);
  note->setWordWrap(true);
  note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  note->setFixedHeight(height);
  return note;
}

// A hint shown in an empty box.
void Placeholder(QWidget* group, const char* box, const char* hint) {
  group->findChild<QLineEdit*>(QString::fromLatin1(box))
      ->setPlaceholderText(QString::fromUtf8(hint));
}

constexpr const char* kCodeByKindLabel = "Label285";
constexpr const char* kLengthNoteLabel = "Label286";
constexpr const char* kSheetTitleLabel = "Label287";
constexpr const char* kSeismicCombinationsMemo = "Memo7";
constexpr const char* kSeismicCasesList = "CheckListBox1";
constexpr const char* kGuessCasesButton = "Button97";

}  // namespace

void TForm1::BuildCodePage(QWidget* page) {
  QGroupBox* codes = AddGroup(page, "GroupBoxCode", QStringLiteral("规范"), 8, 8, 290, 124);
  AddListRows(codes, {{"规范验算", ctl::kCodeCheckList}}, 110, 160);
  AddNote(codes, kCodeByKindLabel, 8, 46, 274, 72);

  QGroupBox* seismic = AddGroup(page, "GroupBoxSeismic", QStringLiteral("抗震"), 8, 138, 290, 100);
  AddListRows(seismic,
              {{"抗震等级", ctl::kSeismicGradeList},
               {"结构体系", ctl::kStructuralSystemList},
               {"柱位置", ctl::kColumnPositionList}},
              110, 160);

  QGroupBox* length = AddGroup(page, "GroupBoxLength", QStringLiteral("长度"), 8, 244, 290, 132);
  int y = AddListRows(length, {{"楼盖", ctl::kFloorKindList}}, 110, 160);
  y = AddEditRows(length, {{"柱长 H (m)", ctl::kColumnLengthBox}, {"l0/H", ctl::kLengthFactorBox}},
                  110, 160, y);
  Placeholder(length, ctl::kColumnLengthBox, "空: 取内力表的站点");
  Placeholder(length, ctl::kLengthFactorBox, "空: 按楼盖和楼层");
  AddNote(length, kLengthNoteLabel, 8, y + 2, 274, 34)
      ->setText(QStringLiteral("l0/H: 现浇楼盖 底层 1.0, 其他层 1.25;\n"
                               "装配式楼盖 底层 1.25, 其他层 1.5"));

  QGroupBox* detailing =
      AddGroup(page, "GroupBoxDetailing", QStringLiteral("构造"), 306, 8, 290, 124);
  y = AddListRows(detailing,
                  {{"剪跨比 λ", ctl::kShearSpanList},
                   {"箍筋条件提高限值", ctl::kHoopRaiseList},
                   {"芯柱提高限值", ctl::kCoreRaiseList}},
                  120, 150);
  AddEditRows(detailing, {{"轴压比限值", ctl::kAxialRatioLimitBox}}, 120, 150, y);
  Placeholder(detailing, ctl::kAxialRatioLimitBox, "空: 按规范");

  QGroupBox* stirrups =
      AddGroup(page, "GroupBoxStirrups", QStringLiteral("箍筋"), 306, 138, 290, 238);
  y = AddListRows(stirrups,
                  {{"箍筋牌号", ctl::kStirrupGradeList}, {"圆形截面", ctl::kStirrupSpiralList}},
                  120, 150);
  AddEditRows(stirrups,
              {{"直径 (mm)", ctl::kStirrupDiameterBox},
               {"加密区间距 (mm)", ctl::kStirrupDenseSpacingBox},
               {"非加密区间距 (mm)", ctl::kStirrupSpacingBox},
               {"X向肢数", ctl::kStirrupLegsXBox},
               {"Y向肢数", ctl::kStirrupLegsYBox}},
              120, 150, y);

  BuildSeismicCasesGroup(page);

  AddLabel(page, kSheetTitleLabel,
           QStringLiteral("计算书 (在“导入内力”页的验算表中选择一行; 未选择时为控制组合)"), 8, 384,
           600);
  auto* memo = new QPlainTextEdit(page);
  memo->setObjectName(QString::fromLatin1(ctl::kCalcSheetMemo));
  memo->setReadOnly(true);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setGeometry(8, 404, 884, 216);
  Stretch(memo, kGrow);
}

// The seismic load cases as ticks, the box their names go to, and the
// combinations they make seismic.
void TForm1::BuildSeismicCasesGroup(QWidget* page) {
  QGroupBox* group =
      AddGroup(page, "GroupBoxSeismicCases", QStringLiteral("地震组合"), 604, 8, 288, 368);
  Stretch(group, {0, 0, 1, 0});
  AddLabel(group, nullptr, QStringLiteral("勾选地震工况"), 8, 20, 272);
  auto* cases = new QListWidget(group);
  cases->setObjectName(QString::fromLatin1(kSeismicCasesList));
  cases->setGeometry(8, 40, 272, 110);
  cases->setToolTip(QStringLiteral("勾选的工况及含有它们的组合按地震组合验算"));
  AddLabel(group, nullptr, QStringLiteral("地震工况"), 8, 161, 60);
  QLineEdit* box = AddEdit(group, ctl::kSeismicCasesBox, 70, 158, 126);
  box->setToolTip(QStringLiteral("工况名以逗号分隔; 空: 自动识别; “无”: 没有地震工况"));
  box->setPlaceholderText(QStringLiteral("空: 自动识别"));
  AddButton(group, kGuessCasesButton, QStringLiteral("自动识别"), 202, 156, 78);
  AddNote(group, ctl::kSeismicCasesLabel, 8, 186, 272, 36);
  AddLabel(group, nullptr, QStringLiteral("地震组合"), 8, 226, 272);
  auto* combinations = new QPlainTextEdit(group);
  combinations->setObjectName(QString::fromLatin1(kSeismicCombinationsMemo));
  combinations->setReadOnly(true);
  combinations->setLineWrapMode(QPlainTextEdit::NoWrap);
  combinations->setGeometry(8, 246, 272, 110);
}

void TForm1::ConnectCodePage() {
  auto* cases = findChild<QListWidget*>(QString::fromLatin1(kSeismicCasesList));
  connect(cases, &QListWidget::itemChanged, this, [this] { ApplySeismicTicks(); });
  connect(findChild<QLineEdit*>(QString::fromLatin1(ctl::kSeismicCasesBox)),
          &QLineEdit::textChanged, this, [this] {
            if (!applyingTicks_) ShowSeismicCases(true);
          });
  OnClick(kGuessCasesButton,
          [this] { findChild<QLineEdit*>(QString::fromLatin1(ctl::kSeismicCasesBox))->clear(); });
  connect(findChild<QComboBox*>(QString::fromLatin1(ctl::kKindList)),
          &QComboBox::currentIndexChanged, this, [this] { ShowCodeByKind(); });
  // A row chosen in the check table (by click, keys or a double click) shows
  // its sheet; a double click brings the sheet to the front.
  auto* ratios = findChild<StringGrid*>(QString::fromLatin1(ctl::kCheckGrid));
  connect(ratios->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& index) { ShowCalcSheet(ChosenCheckRecord(index.row() + 1)); });
  connect(ratios, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    ShowCalcSheet(ChosenCheckRecord(index.row() + 1));
    BringPageToFront(kCodePage);
  });
  ShowCodeByKind();
  ShowSeismicCases(true);
}

int TForm1::ChosenCheckRecord(int gridRow) const {
  auto* ratios = findChild<StringGrid*>(QString::fromLatin1(ctl::kCheckGrid));
  bool numbered = false;
  const int record = QString::fromStdString(ratios->Cell(0, gridRow)).toInt(&numbered);
  return numbered ? record : 0;
}

void TForm1::ShowCodeByKind() {
  QStringList lines;
  for (const std::string& line : CodeByKindLines(SelectedSectionType(*form_)))
    lines << QString::fromStdString(line);
  findChild<QLabel*>(QString::fromLatin1(kCodeByKindLabel))->setText(lines.join('\n'));
}

// The sheet is worked again only when the record or the code check's
// results changed: it works the row's shear and the column's detailing.
void TForm1::ShowCalcSheet(int record) {
  const CodeCheck& code = state_.codeCheck;
  const std::string signature = std::to_string(record) + '/' + std::to_string(code.rows.size()) +
                                '/' + std::to_string(code.governing) + '/' +
                                std::to_string(code.maxRatio) + '/' +
                                std::to_string(reinterpret_cast<std::uintptr_t>(code.rows.data()));
  if (record == sheetRecord_ && signature == sheetSignature_) return;
  sheetRecord_ = record;
  sheetSignature_ = signature;
  // Without a chosen row, the governing row's sheet.
  const int shown = record > 0 ? record : code.governing;
  QStringList lines;
  try {
    for (const std::string& line : CalcSheetLines(state_, *form_, shown))
      lines << QString::fromStdString(line);
  } catch (const std::exception& e) {
    lines << QString::fromUtf8(e.what());
  }
  if (lines.isEmpty())
    lines << (record > 0
                  ? QStringLiteral("第 %1 行没有规范验算结果 (规范验算关闭或尚未验算)").arg(record)
                  : QStringLiteral("尚未进行规范验算: 开启“规范验算”后在“导入内力”页验算, "
                                   "再在验算表中选择一行"));
  auto* memo = findChild<QPlainTextEdit*>(QString::fromLatin1(ctl::kCalcSheetMemo));
  if (memo->toPlainText() != lines.join('\n')) memo->setPlainText(lines.join('\n'));
}

// The tables the seismic cases are listed from: the import page's forces
// and the building's.
std::vector<const ForceTable*> TForm1::SeismicCaseTables() const {
  return {&state_.forceTable, &state_.buildingForces};
}

void TForm1::ShowSeismicCases(bool force) {
  const std::string text = form_->Text(ctl::kSeismicCasesBox);
  std::string signature = text;
  for (const ForceTable* table : SeismicCaseTables())
    signature += '\x1f' + table->fileName + '\x1f' + std::to_string(table->Count) + '\x1f' +
                 std::to_string(table->cases.size());
  if (!force && signature == casesSignature_) return;
  casesSignature_ = signature;
  const SeismicCasesView view = ListSeismicCases(SeismicCaseTables(), text);
  auto* list = findChild<QListWidget*>(QString::fromLatin1(kSeismicCasesList));
  {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const SeismicCaseTick& c : view.cases) {
      auto* item = new QListWidgetItem(QString::fromStdString(c.name), list);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(c.seismic ? Qt::Checked : Qt::Unchecked);
    }
  }
  ShowSeismicCombinations(view);
}

void TForm1::ShowSeismicCombinations(const SeismicCasesView& view) {
  form_->SetText(ctl::kSeismicCasesLabel, SeismicCasesSummary(view));
  QStringList names;
  for (const std::string& name : view.combinations) names << QString::fromStdString(name);
  findChild<QPlainTextEdit*>(QString::fromLatin1(kSeismicCombinationsMemo))
      ->setPlainText(names.join('\n'));
}

// The ticks into the box: the names ticked, or "无" when none is.
void TForm1::ApplySeismicTicks() {
  auto* list = findChild<QListWidget*>(QString::fromLatin1(kSeismicCasesList));
  std::vector<SeismicCaseTick> ticks;
  for (int i = 0; i < list->count(); ++i)
    ticks.push_back(
        {list->item(i)->text().toStdString(), list->item(i)->checkState() == Qt::Checked});
  applyingTicks_ = true;
  findChild<QLineEdit*>(QString::fromLatin1(ctl::kSeismicCasesBox))
      ->setText(QString::fromStdString(SeismicCasesText(ticks)));
  applyingTicks_ = false;
  // The list stays as it is (it is the one being clicked); the summary and
  // the combinations follow the box.
  const std::string text = form_->Text(ctl::kSeismicCasesBox);
  ShowSeismicCombinations(ListSeismicCases(SeismicCaseTables(), text));
  casesSignature_.clear();
}

// After every command: new forces list their cases, a new check its sheet.
void TForm1::RefreshCodePage() {
  ShowSeismicCases(false);
  ShowCalcSheet(sheetRecord_);
}

}  // namespace kuma::gui

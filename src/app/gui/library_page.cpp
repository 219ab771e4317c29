// The page "截面库": the named sections of the section file and the
// assignments of the building.

#include "model/controls/library_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "app/building_commands.h"
#include "app/commands.h"
#include "app/gui/building_page.h"
#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/string_grid.h"
#include "app/library_commands.h"
#include "app/section_commands.h"
#include "forces/etabs_tables.h"
#include "forces/forces.h"
#include "material/material_groups.h"
#include "model/errors.h"
#include "model/numfmt.h"
#include "model/section_kind.h"
#include "model/section_library.h"

namespace kuma::gui {

namespace {

constexpr const char* kSections = "StringGrid5";
constexpr const char* kName = "Edit155";
constexpr const char* kRules = "Memo5";
constexpr const char* kNotes = "Label245";
constexpr const char* kMaterials = "StringGrid6";
constexpr const char* kMaterialGrade = "ComboBox40";

// The rules as the memo shows them: one CSV line each under the header.
QString RulesText(const std::vector<AssignmentRule>& rules) {
  QString text = QStringLiteral("story,column,section,section2\n");
  auto field = [](const std::string& s) {
    QString f = QString::fromUtf8(s);
    if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')))
      f = QLatin1Char('"') + f.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return f;
  };
  for (const AssignmentRule& r : rules)
    text += field(r.story) + QLatin1Char(',') + field(r.column) + QLatin1Char(',') +
            field(r.section) + QLatin1Char(',') + field(r.section2) + QLatin1Char('\n');
  return text;
}

}  // namespace

void TForm1::BuildLibraryPage(QWidget* page) {
  AddLabel(page, ctl::kLibraryTitleLabel,
           QStringLiteral("截面库 (矩形截面: ETABS 的 Depth 沿 y 为 H, Width 沿 x 为 B)"), 8, 8,
           600);
  auto* grid = new StringGrid(6, 1, page);
  grid->setObjectName(QString::fromUtf8(kSections));
  grid->setGeometry(8, 30, 560, 300);
  grid->setColumnWidth(0, 150);
  grid->setColumnWidth(1, 110);
  AddLabel(page, ctl::kSectionNameLabel, QStringLiteral("截面名称"), 580, 32, 60);
  auto* name = new QLineEdit(page);
  name->setObjectName(QString::fromUtf8(kName));
  name->setGeometry(644, 30, 220, kEditHeight);
  const std::pair<const char*, const char*> buttons[] = {
      {ctl::kAddToLibraryButton, "表单加入截面库"},
      {ctl::kRenameSectionButton, "重命名"},
      {ctl::kCopySectionButton, "复制"},
      {ctl::kDeleteSectionButton, "删除"},
      {ctl::kLoadSectionButton, "载入表单"},
      {ctl::kImportEtabsSectionsButton, "导入ETABS截面定义"}};
  int y = 60;
  for (const auto& [button, caption] : buttons) {
    AddButton(page, button, QString::fromUtf8(caption), 580, y, 160);
    y += 32;
  }
  AddLabel(page, ctl::kAssignmentsLabel,
           QStringLiteral("截面指定 (story,column,section,section2; * 为任意; 先匹配者优先)"), 8,
           340, 600);
  auto* rules = new QPlainTextEdit(page);
  rules->setObjectName(QString::fromUtf8(kRules));
  rules->setGeometry(8, 362, 560, 200);
  AddButton(page, ctl::kApplyAssignmentsButton, QStringLiteral("应用截面指定"), 580, 362, 160);
  AddButton(page, ctl::kImportAssignmentsButton, QStringLiteral("导入截面指定文件"), 580, 394, 160);
  // What the last import or applied assignment did, one note a line: a
  // read-only box that scrolls, so that no note is cut.
  auto* notes = new QPlainTextEdit(page);
  notes->setObjectName(QString::fromUtf8(kNotes));
  notes->setReadOnly(true);
  notes->setGeometry(8, 570, 860, 64);
  // The ETABS material names of the sections and the concrete grade each
  // stands for: a name the import could not read as a grade ("4000Psi")
  // gets one here, for all its sections at once.
  AddLabel(page, ctl::kMaterialsLabel,
           QStringLiteral("ETABS 材料与等级 (混凝土和纵筋; 选一行和等级, 再点设置)"), 8, 640, 600);
  auto* materials = new StringGrid(4, 1, page);
  materials->setObjectName(QString::fromUtf8(kMaterials));
  materials->setGeometry(8, 662, 560, 130);
  materials->setColumnWidth(0, 260);
  auto* grade = new QComboBox(page);
  grade->setObjectName(QString::fromUtf8(kMaterialGrade));
  for (const char* entry : GradeEntries(0)) grade->addItem(QString::fromUtf8(entry));
  grade->setGeometry(580, 662, 160, kEditHeight);
  AddButton(page, ctl::kSetMaterialGradeButton, QStringLiteral("设为该材料的等级"), 580, 694, 160);
}

void TForm1::ConnectLibraryPage() {
  auto onClick = [this](const char* name, void (TForm1::*handler)()) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this, handler);
  };
  connect(findChild<StringGrid*>(QString::fromUtf8(kSections)), &QTableView::clicked, this,
          [this](const QModelIndex& index) {
            const int i = index.row();
            if (i >= 0 && static_cast<std::size_t>(i) < state_.library.sections.size())
              findChild<QLineEdit*>(QString::fromUtf8(kName))
                  ->setText(
                      QString::fromUtf8(state_.library.sections[static_cast<std::size_t>(i)].name));
          });
  // However a row of the materials becomes current (click, keys), the grade
  // list offers the grades of its use.
  connect(findChild<StringGrid*>(QString::fromUtf8(kMaterials))->selectionModel(),
          &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& index) { ShowMaterialGrades(index.row()); });
  onClick(ctl::kAddToLibraryButton, &TForm1::AddFormToLibrary);
  onClick(ctl::kRenameSectionButton, &TForm1::RenameLibrarySection);
  onClick(ctl::kCopySectionButton, &TForm1::CopyLibrarySection);
  onClick(ctl::kDeleteSectionButton, &TForm1::DeleteLibrarySection);
  onClick(ctl::kLoadSectionButton, &TForm1::LoadLibrarySection);
  onClick(ctl::kImportEtabsSectionsButton, &TForm1::ImportSectionDefinitions);
  onClick(ctl::kApplyAssignmentsButton, &TForm1::ApplyAssignments);
  onClick(ctl::kImportAssignmentsButton, &TForm1::ImportAssignmentFile);
  onClick(ctl::kSetMaterialGradeButton, &TForm1::SetMaterialGrade);
}

// The grid's model rows are its scrolling rows: model row i is section i
// (grid row i + 1); none chosen gives -1.
int TForm1::ChosenLibrarySection() const {
  return findChild<StringGrid*>(QString::fromUtf8(kSections))->currentIndex().row();
}

std::string TForm1::LibraryNameText() const {
  return findChild<QLineEdit*>(QString::fromUtf8(kName))->text().trimmed().toStdString();
}

bool TForm1::EditLibrary(const std::function<void()>& change) {
  if (!Run(change)) return false;
  RefreshLibraryPage();
  UpdateModified();
  return true;
}

void TForm1::ShowLibraryNotes(const std::vector<std::string>& notes) {
  std::string text;
  for (const std::string& note : notes) text += (text.empty() ? "" : "\n") + note;
  form_->SetText(kNotes, text);
}

void TForm1::AddFormToLibrary() {
  EditLibrary([this] {
    const std::string name =
        LibraryNameText().empty() ? UnusedSectionName(state_.library, "截面1") : LibraryNameText();
    state_.library.current = PutSection(state_.library, SectionFromForm(*form_, name));
  });
}

void TForm1::RenameLibrarySection() {
  EditLibrary([this] {
    if (ChosenLibrarySection() < 0) throw Error("请先在列表中选择截面");
    RenameSection(state_.library, ChosenLibrarySection(), LibraryNameText());
  });
}

void TForm1::CopyLibrarySection() {
  EditLibrary([this] {
    const int chosen = ChosenLibrarySection();
    if (chosen < 0) throw Error("请先在列表中选择截面");
    const std::string typed = LibraryNameText();
    const std::string base = typed.empty() || state_.library.Find(typed) >= 0
                                 ? state_.library.sections[static_cast<std::size_t>(chosen)].name
                                 : typed;
    DuplicateSection(state_.library, chosen, UnusedSectionName(state_.library, base));
  });
}

// Deleting asks first, naming the rules that still give the section: they
// would leave their columns unchecked.
void TForm1::DeleteLibrarySection() {
  const int chosen = ChosenLibrarySection();
  if (chosen < 0 || static_cast<std::size_t>(chosen) >= state_.library.sections.size()) {
    ReportError(this, QStringLiteral("请先在列表中选择截面"));
    return;
  }
  const std::string name = state_.library.sections[static_cast<std::size_t>(chosen)].name;
  QString question = QStringLiteral("删除截面“%1”？").arg(QString::fromUtf8(name));
  const std::vector<AssignmentRule> naming = RulesNaming(state_.library.rules, name);
  if (!naming.empty()) {
    question +=
        QStringLiteral("\n以下 %1 条截面指定仍指向它，删除后这些柱将不能验算：").arg(naming.size());
    for (const AssignmentRule& rule : naming)
      question += QLatin1Char('\n') + QString::fromUtf8(RuleText(rule));
  }
  if (AskChoice(this, question, {QStringLiteral("删除")}) != 0) return;
  EditLibrary([this, chosen] { DeleteSection(state_.library, chosen); });
}

void TForm1::LoadLibrarySection() {
  EditLibrary([this] {
    const int chosen = ChosenLibrarySection();
    if (chosen < 0) throw Error("请先在列表中选择截面");
    // The form's own section keeps what was typed before another is loaded.
    const int current = state_.library.current;
    if (current >= 0) {
      LibrarySection& now = state_.library.sections[static_cast<std::size_t>(current)];
      now = FormAsSection(*form_, now);
    }
    ApplyLibrarySection(state_.library.sections[static_cast<std::size_t>(chosen)], *form_);
    state_.library.current = chosen;
    state_.library.implicitOne = false;
    ApplySectionKindLayout(*form_);
    SectionInputCommand(state_, *form_);
  });
}

// Sections read under names the library holds are replaced, kept or read
// under new names as the engineer answers once for all of them.
void TForm1::ImportSectionDefinitions() {
  const QString path =
      AskForTableFile(this, "SectionDefinitionsDialog", QStringLiteral("ETABS截面定义"));
  if (path.isEmpty()) return;
  EtabsSections read;
  if (!Run([&read, &path] { read = ReadEtabsSectionFile(LocalPath(path)); })) return;
  NameClash clash = NameClash::Replace;
  const std::vector<std::string> clashing = ClashingNames(state_.library, read.sections);
  if (!clashing.empty()) {
    QStringList names;
    for (const std::string& name : clashing) names << QString::fromUtf8(name);
    const int answer =
        AskChoice(this,
                  QStringLiteral("截面库中已有 %1 个同名截面：\n%2\n如何处理（对全部同名截面）？")
                      .arg(clashing.size())
                      .arg(names.join(QStringLiteral(", "))),
                  {QStringLiteral("替换"), QStringLiteral("保留我的"), QStringLiteral("改名读入")});
    if (answer < 0) return;
    clash = answer == 1   ? NameClash::KeepMine
            : answer == 2 ? NameClash::Rename
                          : NameClash::Replace;
  }
  EditLibrary([this, &read, clash] {
    std::vector<std::string> notes{"读入 " + std::to_string(read.sections.size()) + " 个截面"};
    const SectionMerge merge = MergeSections(state_.library, std::move(read.sections), clash);
    for (std::string& note : MergeNotes(merge)) notes.push_back(std::move(note));
    notes.insert(notes.end(), read.notes.begin(), read.notes.end());
    ShowLibraryNotes(notes);
  });
}

void TForm1::ApplyAssignments() {
  EditLibrary([this] {
    const std::string text =
        findChild<QPlainTextEdit*>(QString::fromUtf8(kRules))->toPlainText().toStdString();
    state_.library.rules = text.find_first_not_of(" \r\n\t") == std::string::npos
                               ? std::vector<AssignmentRule>{}
                               : ReadAssignmentRules(text);
    state_.library.implicitOne = false;
    ShowLibraryNotes({AssignmentNote(state_.library, state_.buildingForces)});
  });
}

// The rules read replace the typed ones or follow them, as the engineer
// answers; typed rules are never dropped without asking.
void TForm1::ImportAssignmentFile() {
  const QString path = AskForTableFile(this, "AssignmentsDialog", QStringLiteral("截面指定"));
  if (path.isEmpty()) return;
  std::vector<AssignmentRule> rules;
  std::string how;
  if (!Run([&rules, &how, &path] { rules = ReadAssignmentFile(LocalPath(path), &how); })) return;
  bool append = false;
  if (!state_.library.rules.empty()) {
    const int answer = AskChoice(this,
                                 QStringLiteral("截面库已有 %1 条截面指定，文件中有 %2 条。")
                                     .arg(state_.library.rules.size())
                                     .arg(rules.size()),
                                 {QStringLiteral("替换"), QStringLiteral("追加在后")});
    if (answer < 0) return;
    append = answer == 1;
  }
  EditLibrary([this, &rules, &how, append] {
    const std::size_t read = rules.size();
    if (!append) state_.library.rules.clear();
    state_.library.rules.insert(state_.library.rules.end(), rules.begin(), rules.end());
    state_.library.implicitOne = false;
    ShowLibraryNotes({"读入 " + std::to_string(read) + " 条截面指定 (" + how + ")" +
                          (append ? ", 追加在原有的之后" : ""),
                      AssignmentNote(state_.library, state_.buildingForces)});
  });
}

// The grade list beside the materials offers the grades of the row's group.
void TForm1::ShowMaterialGrades(int row) {
  const std::vector<LibraryMaterial> materials = LibraryMaterials(state_.library);
  if (row < 0 || static_cast<std::size_t>(row) >= materials.size()) return;
  auto* list = findChild<QComboBox*>(QString::fromUtf8(kMaterialGrade));
  const int group = materials[static_cast<std::size_t>(row)].group;
  const QSignalBlocker quiet(list);
  list->clear();
  for (const char* entry : GradeEntries(group)) list->addItem(QString::fromUtf8(entry));
  list->setCurrentIndex(materials[static_cast<std::size_t>(row)].grade);
}

void TForm1::SetMaterialGrade() {
  EditLibrary([this] {
    const int row = findChild<StringGrid*>(QString::fromUtf8(kMaterials))->currentIndex().row();
    const std::vector<LibraryMaterial> materials = LibraryMaterials(state_.library);
    if (row < 0 || static_cast<std::size_t>(row) >= materials.size())
      throw Error("请先在材料列表中选择一种材料");
    const LibraryMaterial& material = materials[static_cast<std::size_t>(row)];
    const int grade = form_->ItemIndex(kMaterialGrade);
    ApplyMaterialGrade(state_.library, material.name, grade, material.group);
    // The form is the section it was loaded from: it takes the grade too,
    // so that saving it keeps the grade.
    const int current = state_.library.current;
    if (current >= 0) {
      const LibrarySection& s = state_.library.sections[static_cast<std::size_t>(current)];
      if ((material.group == Rebar ? s.rebarMaterial : s.material) == material.name)
        ApplyMaterialGroupGrade(*form_, material.group, grade);
    }
  });
}

void TForm1::RefreshLibraryPage() {
  const SectionLibrary& library = state_.library;
  const int rows = static_cast<int>(library.sections.size()) + 1;
  form_->SetGridRowCount(kSections, rows);
  const char* head[6] = {"名称", "类型", "B", "H", "纤维数", "配筋率/含钢率%"};
  for (int c = 0; c < 6; ++c) form_->SetGridCell(kSections, c, 0, head[c]);
  // After a building check, the ETABS sections no column of its force table
  // is given (beams, braces, timber members) are marked as such.
  const bool columnsKnown = building_ != nullptr && building_->check.Valid();
  const std::vector<std::string> used =
      columnsKnown ? SectionsOfColumns(building_->check) : std::vector<std::string>{};
  for (std::size_t i = 0; i < library.sections.size(); ++i) {
    const SectionSummary s = SummariseSection(library.sections[i]);
    const bool unused = columnsKnown && library.sections[i].fromEtabs &&
                        std::find(used.begin(), used.end(), s.name) == used.end();
    const int row = static_cast<int>(i) + 1;
    const bool current = static_cast<int>(i) == library.current;
    form_->SetGridCell(kSections, 0, row, (current ? "● " : "") + s.name);
    form_->SetGridCell(kSections, 1, row, unused ? s.kind + " (未用于柱)" : s.kind);
    form_->SetGridCell(kSections, 2, row, s.error.empty() ? FormatFixed(s.B, 0) : s.error);
    form_->SetGridCell(kSections, 3, row, s.error.empty() ? FormatFixed(s.H, 0) : "");
    form_->SetGridCell(kSections, 4, row, std::to_string(s.fibers));
    // Reinforced concrete columns hold at most about 5 % of bars; more says
    // the bars do not belong to the section. A reinforced concrete section's ratio is its bar ratio (配筋率) as the
    // statistics show it; sections with structural steel give bars and steel.
    const SectionKindRow* kind = FindSectionKind(library.sections[i].sectionType);
    const bool concrete = kind != nullptr && IsReinforcedConcrete(*kind);
    const double ratio = concrete ? s.barRatio : s.steelRatio;
    const bool overReinforced = concrete && s.error.empty() && ratio > 5;
    const std::string shown = FormatFixed(ratio, 3) + (overReinforced ? " 超过5%" : "");
    form_->SetGridCell(kSections, 5, row, s.unreinforced ? "未配筋" : shown);
    const bool marked = overReinforced || s.unreinforced || !s.error.empty();
    form_->SetGridRowColour(kSections, row, marked ? Rgb{255, 165, 0} : kWhite);
  }
  findChild<QPlainTextEdit*>(QString::fromUtf8(kRules))->setPlainText(RulesText(library.rules));
  ShowLibraryMaterials();
}

// The ETABS materials of the library's sections with their grades.
void TForm1::ShowLibraryMaterials() {
  const std::vector<LibraryMaterial> materials = LibraryMaterials(state_.library);
  form_->SetGridRowCount(kMaterials, static_cast<int>(materials.size()) + 1);
  const char* materialHead[4] = {"ETABS 材料", "截面数", "等级", "用途"};
  for (int c = 0; c < 4; ++c) form_->SetGridCell(kMaterials, c, 0, materialHead[c]);
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const int grade = materials[i].grade;
    const std::vector<const char*> grades = GradeEntries(materials[i].group);
    form_->SetGridCell(kMaterials, 0, row, materials[i].name);
    form_->SetGridCell(kMaterials, 1, row, std::to_string(materials[i].sections));
    form_->SetGridCell(kMaterials, 2, row,
                       grade > 0 && static_cast<std::size_t>(grade) < grades.size()
                           ? grades[static_cast<std::size_t>(grade)]
                           : "自定义");
    form_->SetGridCell(kMaterials, 3, row, materials[i].group == Rebar ? "纵筋" : "混凝土");
  }
}

}  // namespace kuma::gui

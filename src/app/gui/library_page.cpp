// The page "截面库": the named sections of the section file and the
// assignments of the building.

#include "model/controls/library_page.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/building_commands.h"
#include "app/commands.h"
#include "app/gui/building_page.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/string_grid.h"
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
  QLabel* notes = AddLabel(page, kNotes, QString(), 8, 570, 860);
  notes->setWordWrap(true);
  notes->setMinimumHeight(60);
  // The ETABS material names of the sections and the concrete grade each
  // stands for: a name the import could not read as a grade ("4000Psi")
  // gets one here, for all its sections at once.
  AddLabel(page, ctl::kMaterialsLabel,
           QStringLiteral("ETABS 材料与混凝土等级 (选一行和等级, 再点设置)"), 8, 640, 600);
  auto* materials = new StringGrid(3, 1, page);
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
  auto onClick = [this](const char* name, auto&& handler) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this, handler);
  };
  auto* grid = findChild<StringGrid*>(QString::fromUtf8(kSections));
  // The grid's model rows are its scrolling rows: model row i is section i
  // (grid row i + 1); none chosen gives -1.
  auto selected = [grid]() { return grid->currentIndex().row(); };
  auto nameText = [this]() {
    return findChild<QLineEdit*>(QString::fromUtf8(kName))->text().trimmed().toStdString();
  };
  auto edit = [this](const std::function<void()>& change) {
    if (Run(change)) {
      RefreshLibraryPage();
      UpdateModified();
    }
  };
  connect(grid, &QTableView::clicked, this, [this, grid](const QModelIndex& index) {
    const int i = index.row();
    if (i >= 0 && static_cast<std::size_t>(i) < state_.library.sections.size())
      findChild<QLineEdit*>(QString::fromUtf8(kName))
          ->setText(QString::fromUtf8(state_.library.sections[static_cast<std::size_t>(i)].name));
    (void)grid;
  });
  onClick(ctl::kAddToLibraryButton, [this, nameText, edit] {
    edit([this, nameText] {
      const std::string name = nameText().empty()
                                   ? UnusedSectionName(state_.library, "截面1")
                                   : nameText();
      state_.library.current = PutSection(state_.library, SectionFromForm(*form_, name));
    });
  });
  onClick(ctl::kRenameSectionButton, [this, nameText, selected, edit] {
    edit([this, nameText, selected] {
      if (selected() < 0) throw Error("请先在列表中选择截面");
      RenameSection(state_.library, selected(), nameText());
    });
  });
  onClick(ctl::kCopySectionButton, [this, nameText, selected, edit] {
    edit([this, nameText, selected] {
      if (selected() < 0) throw Error("请先在列表中选择截面");
      const std::string base = nameText().empty() ||
                                       state_.library.Find(nameText()) >= 0
                                   ? state_.library.sections[static_cast<std::size_t>(selected())].name
                                   : nameText();
      DuplicateSection(state_.library, selected(), UnusedSectionName(state_.library, base));
    });
  });
  onClick(ctl::kDeleteSectionButton, [this, selected, edit] {
    edit([this, selected] {
      if (selected() < 0) throw Error("请先在列表中选择截面");
      DeleteSection(state_.library, selected());
    });
  });
  onClick(ctl::kLoadSectionButton, [this, selected, edit] {
    edit([this, selected] {
      if (selected() < 0) throw Error("请先在列表中选择截面");
      // The form's own section keeps what was typed before another is loaded.
      const int current = state_.library.current;
      if (current >= 0) {
        LibrarySection now = SectionFromForm(*form_, state_.library.sections[static_cast<std::size_t>(current)].name);
        now.material = state_.library.sections[static_cast<std::size_t>(current)].material;
        state_.library.sections[static_cast<std::size_t>(current)] = std::move(now);
      }
      ApplyLibrarySection(state_.library.sections[static_cast<std::size_t>(selected())], *form_);
      state_.library.current = selected();
      state_.library.implicitOne = false;
      ApplySectionKindLayout(*form_);
      SectionInputCommand(state_, *form_);
    });
  });
  onClick(ctl::kImportEtabsSectionsButton, [this, edit] {
    const QString path = AskForTableFile(this, "SectionDefinitionsDialog", QStringLiteral("ETABS截面定义"));
    if (path.isEmpty()) return;
    edit([this, path] {
      const EtabsSections read = ReadEtabsSectionFile(path.toStdString());
      PutSections(state_.library, read.sections);
      std::string notes = "读入 " + std::to_string(read.sections.size()) + " 个截面";
      for (const std::string& note : read.notes) notes += "；" + note;
      form_->SetText(kNotes, notes);
    });
  });
  onClick(ctl::kSetMaterialGradeButton, [this, edit] {
    edit([this] {
      const int row = findChild<StringGrid*>(QString::fromUtf8(kMaterials))->currentIndex().row();
      const std::vector<LibraryMaterial> materials = LibraryMaterials(state_.library);
      if (row < 0 || static_cast<std::size_t>(row) >= materials.size())
        throw Error("请先在材料列表中选择一种材料");
      const std::string& material = materials[static_cast<std::size_t>(row)].name;
      const int grade = form_->ItemIndex(kMaterialGrade);
      ApplyMaterialGrade(state_.library, material, grade);
      // The form is the section it was loaded from: it takes the grade too,
      // so that saving it keeps the grade.
      const int current = state_.library.current;
      if (current >= 0 && state_.library.sections[static_cast<std::size_t>(current)].material == material)
        ApplyConcreteGrade(*form_, grade);
    });
  });
  onClick(ctl::kApplyAssignmentsButton, [this, edit] {
    edit([this] {
      const std::string text =
          findChild<QPlainTextEdit*>(QString::fromUtf8(kRules))->toPlainText().toStdString();
      state_.library.rules = text.find_first_not_of(" \r\n\t") == std::string::npos
                                 ? std::vector<AssignmentRule>{}
                                 : ReadAssignmentRules(text);
      state_.library.implicitOne = false;
    });
  });
  onClick(ctl::kImportAssignmentsButton, [this, edit] {
    const QString path = AskForTableFile(this, "AssignmentsDialog", QStringLiteral("截面指定"));
    if (path.isEmpty()) return;
    edit([this, path] {
      state_.library.rules = ReadAssignmentFile(path.toStdString());
      state_.library.implicitOne = false;
    });
  });
}

void TForm1::RefreshLibraryPage() {
  const SectionLibrary& library = state_.library;
  const int rows = static_cast<int>(library.sections.size()) + 1;
  form_->SetGridRowCount(kSections, rows);
  const char* head[6] = {"名称", "类型", "B", "H", "纤维数", "含钢率%"};
  for (int c = 0; c < 6; ++c) form_->SetGridCell(kSections, c, 0, head[c]);
  for (std::size_t i = 0; i < library.sections.size(); ++i) {
    const SectionSummary s = SummariseSection(library.sections[i]);
    const int row = static_cast<int>(i) + 1;
    const bool current = static_cast<int>(i) == library.current;
    form_->SetGridCell(kSections, 0, row, (current ? "● " : "") + s.name);
    form_->SetGridCell(kSections, 1, row, s.kind);
    form_->SetGridCell(kSections, 2, row, s.error.empty() ? FormatFixed(s.B, 0) : s.error);
    form_->SetGridCell(kSections, 3, row, s.error.empty() ? FormatFixed(s.H, 0) : "");
    form_->SetGridCell(kSections, 4, row, std::to_string(s.fibers));
    // Reinforced concrete columns hold at most about 5 % of bars; more says
    // the bars do not belong to the section (an ETABS section read without
    // its reinforcing keeps the form's initial bars).
    const SectionKindRow* kind = FindSectionKind(library.sections[i].sectionType);
    const bool overReinforced =
        kind != nullptr && IsReinforcedConcrete(*kind) && s.error.empty() && s.steelRatio > 5;
    form_->SetGridCell(kSections, 5, row,
                       FormatFixed(s.steelRatio, 3) + (overReinforced ? " 超过5%" : ""));
    form_->SetGridRowColour(kSections, row, overReinforced ? Rgb{255, 165, 0} : kWhite);
  }
  findChild<QPlainTextEdit*>(QString::fromUtf8(kRules))->setPlainText(RulesText(library.rules));

  const std::vector<LibraryMaterial> materials = LibraryMaterials(library);
  const std::vector<const char*> grades = GradeEntries(0);
  form_->SetGridRowCount(kMaterials, static_cast<int>(materials.size()) + 1);
  const char* materialHead[3] = {"ETABS 材料", "截面数", "混凝土等级"};
  for (int c = 0; c < 3; ++c) form_->SetGridCell(kMaterials, c, 0, materialHead[c]);
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const int grade = materials[i].grade;
    form_->SetGridCell(kMaterials, 0, row, materials[i].name);
    form_->SetGridCell(kMaterials, 1, row, std::to_string(materials[i].sections));
    form_->SetGridCell(kMaterials, 2, row,
                       grade > 0 && static_cast<std::size_t>(grade) < grades.size() ? grades[static_cast<std::size_t>(grade)] : "自定义");
  }
}

}  // namespace kuma::gui

// The controls of the main window's eight pages, menus and status bar, at
// fixed pixel positions.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include "app/gui/dialogs.h"
#include "app/gui/form_builder.h"
#include "app/gui/logo.h"
#include "app/gui/material_controls.h"
#include "app/gui/main_window.h"
#include "app/gui/name_chooser.h"
#include "app/gui/picture_box.h"
#include "app/gui/string_grid.h"
#include "app/opensees_commands.h"

namespace kuma::gui {

namespace {

StringGrid* AddGrid(QWidget* parent, const char* name, int columns, int rows, int x, int y,
                    int width, int height) {
  auto* grid = new StringGrid(columns, rows, parent);
  grid->setObjectName(QString::fromUtf8(name));
  grid->setGeometry(x, y, width, height);
  return grid;
}

QProgressBar* AddProgressBar(QWidget* parent, const char* name, int x, int y, int width) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QString::fromUtf8(name));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setGeometry(x, y, width, 17);
  return bar;
}

QFont FixedPitchFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

// Rows of "caption [box]" inside a group, 24 pixels apart from y = 20.
void AddRows(QWidget* group, std::initializer_list<std::pair<const char*, const char*>> rows,
             int labelWidth, int boxX, int boxWidth) {
  int y = 20;
  for (const auto& [caption, box] : rows) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, labelWidth);
    AddEdit(group, box, boxX, y, boxWidth);
    y += 24;
  }
}

// One material group: law list, constants, OpenSEES tag, colour swatch, and
// its curve picture below it.
struct MaterialZone {
  const char* title;
  const char* list;
  std::vector<std::pair<const char*, const char*>> constants;  // caption, box
  const char* tag;
  const char* swatch;
  const char* picture;
};

const MaterialZone kZones[5] = {
    {"边缘区混凝土本构",
     "ComboBox2",
     {{"受压屈服强度fc", "Edit14"},
      {"屈服强度对应应变e0", "Edit15"},
      {"极限强度fcu", "Edit17"},
      {"极限强度对应应变ecu", "Edit16"}},
     "Edit65",
     "Shape1",
     "Image8"},
    {"核心区混凝土本构(1)",
     "ComboBox3",
     {{"受压屈服强度fc", "Edit18"},
      {"屈服强度对应应变e0", "Edit19"},
      {"极限强度fcu", "Edit21"},
      {"极限强度对应应变ecu", "Edit20"}},
     "Edit66",
     "Shape2",
     "Image9"},
    {"核心区混凝土本构(2)",
     "ComboBox4",
     {{"受压屈服强度fc", "Edit22"},
      {"屈服强度对应应变e0", "Edit23"},
      {"极限强度fcu", "Edit25"},
      {"极限强度对应应变ecu", "Edit24"}},
     "Edit67",
     "Shape3",
     "Image10"},
    {"钢筋本构",
     "ComboBox5",
     {{"弹性模量 Es", "Edit26"}, {"屈服强度fy", "Edit27"}},
     "Edit68",
     "Shape4",
     "Image6"},
    {"型钢本构",
     "ComboBox6",
     {{"弹性模量 Es", "Edit28"}, {"屈服强度fy", "Edit29"}},
     "Edit69",
     "Shape5",
     "Image7"},
};

}  // namespace

void TForm1::BuildMaterialGroup(QWidget* page, int zone, int x) {
  const MaterialZone& z = kZones[zone];
  // Law list, constants, tag and swatch, one row each.
  const int rows = static_cast<int>(z.constants.size()) + 3 + MaterialExtraRows(zone);
  const int height = 30 + 24 * rows;
  QGroupBox* group = AddGroup(page, nullptr, QString::fromUtf8(z.title), x, 8, 281, height);
  constexpr int kBoxX = 136, kBoxWidth = 137, kLabelWidth = 124;
  AddLabel(group, nullptr, QStringLiteral("本构类型"), 8, 23, kLabelWidth);
  AddList(group, z.list, kBoxX, 20, kBoxWidth);
  int y = 48;
  for (const auto& [caption, box] : z.constants) {
    AddLabel(group, nullptr, QString::fromUtf8(caption), 8, y + 3, kLabelWidth);
    AddEdit(group, box, kBoxX, y, kBoxWidth);
    y += 24;
  }
  y = AddMaterialExtras(group, zone, y, kBoxX, kBoxWidth, kLabelWidth);
  AddLabel(group, nullptr, QStringLiteral("OpenSEES 编号"), 8, y + 3, kLabelWidth);
  AddEdit(group, z.tag, kBoxX, y, kBoxWidth);
  y += 24;
  AddLabel(group, nullptr, QStringLiteral("填充颜色"), 8, y + 3, kLabelWidth);
  auto* swatch = new SwatchBox(QString::fromUtf8(z.swatch), group);
  swatch->setGeometry(kBoxX, y, 65, kEditHeight);
  swatches_[static_cast<std::size_t>(zone)] = swatch;

  pictures_ << AddPanelPicture(page, nullptr, z.picture, x + 4, 16 + height);
}

void TForm1::BuildSectionPage(QWidget* page) {
  AddLabel(page, "Label1", QStringLiteral("截面类型"), 8, 11, 56);
  AddList(page, "ComboBox1", 64, 8, 185);

  QGroupBox* inputs = AddGroup(page, "GroupBox1", QStringLiteral("输入参数"), 8, 48, 241, 169);
  struct Row {
    const char* label;
    const char* caption;
    const char* box;
    int boxX, boxWidth;
  };
  const Row rows[6] = {
      {"Label2", "截面宽度B", "Edit1", 112, 105},
      {"Label3", "截面宽度H", "Edit2", 112, 105},
      {"Label4", "保护层厚度as", "Edit3", 112, 105},
      {"Label49", "Y方向板厚", "Edit41", 112, 105},
      {"Label12", "X方向划分网格数量", "Edit12", 128, 89},
      {"Label13", "Y方向划分网格数量", "Edit13", 128, 89},
  };
  for (int i = 0; i < 6; ++i) {
    const int y = 16 + 24 * i;
    AddLabel(inputs, rows[i].label, QString::fromUtf8(rows[i].caption), 16, y + 3,
             rows[i].boxX - 18);
    AddEdit(inputs, rows[i].box, rows[i].boxX, y, rows[i].boxWidth);
  }
  inputs->findChild<QLabel*>(QStringLiteral("Label49"))->hide();
  inputs->findChild<QLineEdit*>(QStringLiteral("Edit41"))->hide();

  // The bar layout: rows of bars, bars per row, diameter.
  QGroupBox* bars = AddGroup(page, "GroupBox11", QStringLiteral("钢管布置"), 8, 224, 241, 121);
  AddLabel(bars, nullptr, QStringLiteral("排数"), 92, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("根数"), 140, 16, 40);
  AddLabel(bars, nullptr, QStringLiteral("直径"), 188, 16, 40);
  AddLabel(bars, "Label5", QStringLiteral("X方向钢筋"), 8, 39, 78);
  AddEdit(bars, "Edit5", 88, 36, 41);
  AddEdit(bars, "Edit6", 136, 36, 41);
  AddEdit(bars, "Edit7", 184, 36, 41);
  AddLabel(bars, "Label10", QStringLiteral("Y方向钢筋"), 8, 63, 78);
  AddEdit(bars, "Edit4", 88, 60, 41);
  AddEdit(bars, "Edit8", 136, 60, 41);
  AddEdit(bars, "Edit9", 184, 60, 41);
  AddLabel(bars, "Label11", QStringLiteral("角部钢筋"), 8, 87, 78);
  AddEdit(bars, "Edit10", 136, 84, 41);
  AddEdit(bars, "Edit11", 184, 84, 41);

  QGroupBox* steel =
      AddGroup(page, "GroupBox10", QStringLiteral("内置型钢或钢管"), 8, 352, 241, 209);
  AddLabel(steel, "Label54", QStringLiteral("型钢Y方向"), 90, 16, 68);
  AddLabel(steel, "Label55", QStringLiteral("型钢X方向"), 162, 16, 68);
  const char* rowLabels[4] = {"Label50", "Label51", "Label52", "Label53"};
  const char* rowCaptions[4] = {"截面高度h", "截面宽度b", "翼缘厚度tf", "腹板厚度tw"};
  const char* leftBoxes[4] = {"Edit42", "Edit43", "Edit44", "Edit45"};
  const char* rightBoxes[4] = {"Edit46", "Edit47", "Edit48", "Edit49"};
  for (int i = 0; i < 4; ++i) {
    const int y = 36 + 24 * i;
    AddLabel(steel, rowLabels[i], QString::fromUtf8(rowCaptions[i]), 8, y + 3, 78);
    AddEdit(steel, leftBoxes[i], 88, y, 65);
    AddEdit(steel, rightBoxes[i], 160, y, 65);
  }
  AddLabel(steel, "Label57", QStringLiteral("翼缘划分网格数量"), 8, 143, 150);
  AddEdit(steel, "Edit50", 160, 140, 65);
  AddLabel(steel, "Label56", QStringLiteral("腹板划分网格数量"), 8, 167, 150);
  AddEdit(steel, "Edit51", 160, 164, 65);
  steel->hide();

  QGroupBox* stats = AddGroup(page, nullptr, QStringLiteral("统计信息"), 256, 8, 401, 97);
  const char* statBoxes[6] = {"Edit36", "Edit31", "Edit37", "Edit38", "Edit39", "Edit40"};
  const char* statCaptions[6] = {"截面总面积", "混凝土面积", "钢筋总面积",
                                 "型钢总面积", "配筋率(%)",  "含钢率(%)"};
  for (int i = 0; i < 6; ++i) {
    const int x = i < 3 ? 8 : 204;
    const int y = 16 + 24 * (i % 3);
    AddLabel(stats, nullptr, QString::fromUtf8(statCaptions[i]), x, y + 3, 72);
    AddOutputEdit(stats, statBoxes[i], x + 76, y, 108);
  }

  PictureBox* logo = AddPanelPicture(page, nullptr, "Image11", 664, 8);
  logo->setCursor(Qt::PointingHandCursor);
  logo->SetImage(LoadLogo());
  connect(logo, &PictureBox::Clicked, this, [this] { OpenAuthorPage(kHomePage); });

  AddButton(page, "Button1", QStringLiteral("输入截面"), 792, 80);
  pictures_ << AddPanelPicture(page, "Panel1", "Image1", 256, 112);
}

void TForm1::BuildConcretePage(QWidget* page) {
  for (int zone = 0; zone < 3; ++zone) BuildMaterialGroup(page, zone, 8 + 288 * zone);
  const int below = 16 + 30 + 24 * (7 + MaterialExtraRows(0)) + 257;
  AddButton(page, "Button10", QStringLiteral("刷新曲线"), 8, below + 8, 100);
  AddMaterialOptions(page, 296, below);
}

void TForm1::BuildSteelPage(QWidget* page) {
  for (int zone = 3; zone < 5; ++zone) BuildMaterialGroup(page, zone, 8 + 288 * (zone - 3));
  AddButton(page, "Button11", QStringLiteral("刷新曲线"), 8,
            16 + 30 + 24 * (5 + MaterialExtraRows(3)) + 265, 100);
}

void TForm1::BuildPmPage(QWidget* page) {
  AddLabel(page, nullptr, QStringLiteral("X方向PM曲线(角度=0度)"), 8, 8, 180);
  AddLabel(page, "Label68", QStringLiteral("内力值 = "), 192, 8, 206);
  pictures_ << AddPanelPicture(page, nullptr, "Image2", 8, 28);
  AddLabel(page, nullptr, QStringLiteral("Y方向PM曲线(角度=90度)"), 408, 8, 180);
  AddLabel(page, "Label69", QStringLiteral("内力值 = "), 592, 8, 206);
  pictures_ << AddPanelPicture(page, nullptr, "Image3", 408, 28);

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 8, 428, 270, 104);
  AddRows(analysis, {{"混凝土极限应变", "Edit32"}, {"轴力划分点数", "Edit33"}}, 130, 144, 110);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 286, 428, 250, 104);
  AddRows(iteration,
          {{"外迭代步数K", "Edit52"}, {"内迭代步数N", "Edit53"}, {"外延长系数", "Edit60"}}, 110,
          124, 110);

  AddButton(page, "Button2", QStringLiteral("绘制PM"), 552, 432, 110);
  AddButton(page, "Button9", QStringLiteral("显示内力点"), 552, 466, 110);
  AddButton(page, "Button5", QStringLiteral("导出文本"), 552, 500, 110);
  AddButton(page, "Button16", QStringLiteral("保存PMX图片"), 676, 432, 110);
  AddButton(page, "Button17", QStringLiteral("保存PMY图片"), 676, 466, 110);
  AddProgressBar(page, "ProgressBar1", 8, 545, 790);
  AddButton(page, "Button50", QStringLiteral("停止"), 806, 541, 64)->setEnabled(false);
}

void TForm1::BuildMmPage(QWidget* page) {
  AddLabel(page, "Label74", QStringLiteral("内力值 = "), 8, 8, 390);
  pictures_ << AddPanelPicture(page, nullptr, "Image4", 8, 28);
  auto* level = new QScrollBar(Qt::Vertical, page);
  level->setObjectName(QStringLiteral("ScrollBar1"));
  level->setRange(0, 100);
  level->setSingleStep(1);
  level->setPageStep(10);
  level->setValue(0);
  level->setGeometry(402, 28, 17, 393);
  AddLabel(page, "Label73", QStringLiteral("内力值 = "), 423, 8, 393);
  pictures_ << AddPanelPicture(page, nullptr, "Image5", 423, 28);

  AddLabel(page, nullptr, QStringLiteral("轴力水平"), 8, 435, 70);
  AddEdit(page, "Edit30", 80, 432, 100);
  AddButton(page, "Button8", QStringLiteral("输入轴力"), 188, 430, 96);
  AddLabel(page, nullptr, QStringLiteral("参考PM曲线"), 8, 467, 70);
  AddList(page, "ComboBox7", 80, 464, 100);
  AddButton(page, "Button3", QStringLiteral("显示PM曲线"), 188, 462, 96);

  QGroupBox* analysis = AddGroup(page, nullptr, QStringLiteral("计算参数"), 296, 428, 240, 104);
  AddRows(analysis,
          {{"混凝土极限应变", "Edit34"}, {"MM曲线划分点数", "Edit35"}, {"轴力范围(kN)", "Edit64"}},
          112, 124, 104);
  QGroupBox* iteration = AddGroup(page, nullptr, QStringLiteral("迭代设置"), 544, 428, 200, 104);
  AddRows(iteration,
          {{"外迭代步数K", "Edit61"}, {"内迭代步数N", "Edit62"}, {"外延长系数", "Edit63"}}, 84, 96,
          92);

  AddButton(page, "Button7", QStringLiteral("生成MM曲线"), 752, 428, 110);
  AddButton(page, "Button12", QStringLiteral("显示内力点"), 752, 456, 110);
  AddButton(page, "Button6", QStringLiteral("导出文本"), 752, 484, 110);
  AddButton(page, "Button14", QStringLiteral("保存MM图片"), 752, 512, 110);
  AddProgressBar(page, "ProgressBar2", 8, 545, 808);
  AddButton(page, "Button51", QStringLiteral("停止"), 822, 541, 48)->setEnabled(false);
}

void TForm1::BuildImportPage(QWidget* page) {
  QGroupBox* factors = AddGroup(page, nullptr, QStringLiteral("内力放大系数"), 8, 8, 241, 140);
  AddLabel(factors, nullptr, QStringLiteral("读取列数"), 80, 16, 65);
  AddLabel(factors, nullptr, QStringLiteral("放大倍数"), 160, 16, 65);
  const char* rowCaptions[3] = {"轴力P", "弯矩MX", "弯矩MY"};
  const char* fieldBoxes[3] = {"Edit54", "Edit55", "Edit56"};
  const char* factorBoxes[3] = {"Edit57", "Edit58", "Edit59"};
  for (int i = 0; i < 3; ++i) {
    const int y = 36 + 24 * i;
    AddLabel(factors, nullptr, QString::fromUtf8(rowCaptions[i]), 8, y + 3, 70);
    AddEdit(factors, fieldBoxes[i], 80, y, 65);
    AddEdit(factors, factorBoxes[i], 160, y, 65);
  }
  AddButton(factors, "Button13", QStringLiteral("输入参数"), 150, 108, 75);

  AddButton(page, "Button4", QStringLiteral("导入ETABS内力(CSV文件)"), 264, 16, 200);
  QLabel* count =
      AddLabel(page, "Label66", QStringLiteral("导入内力组合的总数量 = 0"), 264, 46, 200);
  count->setWordWrap(true);
  count->resize(200, 34);
  AddButton(page, "Button15", QStringLiteral("统计内力数据"), 264, 84, 120);
  AddButton(page, "Button40", QStringLiteral("重新导入"), 390, 84, 74);
  // The statistics: the combinations' names in the last column, wide enough
  // for most; the grid scrolls sideways for longer ones.
  AddGrid(page, "StringGrid2", 5, 5, 472, 8, 428, 140)->setColumnWidth(4, 240);

  // How the file is read, and which rows are kept.
  AddLabel(page, "Label120", QStringLiteral("读取方式"), 8, 159, 60);
  AddList(page, "ComboBox10", 70, 156, 110);
  AddLabel(page, "Label121", QStringLiteral("工况"), 190, 159, 32);
  AddList(page, "ComboBox11", 224, 156, 130);
  AddLabel(page, "Label122", QStringLiteral("弯矩"), 364, 159, 32);
  AddList(page, "ComboBox12", 398, 156, 140);
  AddLabel(page, "Label123", QStringLiteral("楼层"), 8, 185, 32);
  AddEdit(page, "Edit75", 42, 182, 170);
  AddButton(page, "Button41", QStringLiteral("..."), 214, 181, 24, 23);
  AddLabel(page, "Label124", QStringLiteral("柱"), 248, 185, 20);
  AddEdit(page, "Edit76", 270, 182, 170);
  AddButton(page, "Button42", QStringLiteral("..."), 442, 181, 24, 23);
  AddLabel(page, "Label126", QStringLiteral("名称用逗号分开, 空白为全部"), 476, 185, 190);
  AddLabel(page, "Label125", QString(), 8, 208, 662);
  new NameChooser(QStringLiteral("ListBox1"), page);
  new NameChooser(QStringLiteral("ListBox2"), page);

  AddGrid(page, "StringGrid1", 10, 5, 8, 228, 662, 328);
  BuildCheckControls(page);
}

void TForm1::BuildCheckControls(QWidget* page) {
  // A sunken panel rather than a titled group: the page's one group stays
  // the factors' group.
  QFrame* check = AddPanel(page, nullptr, 680, 156, 212, 400);
  AddLabel(check, "Label102", QStringLiteral("承载力验算"), 8, 4, 196);
  AddLabel(check, nullptr, QStringLiteral("验算方法"), 8, 23, 80);
  AddList(check, "ComboBox8", 8, 42, 196);
  AddLabel(check, nullptr, QStringLiteral("曲面角度划分数"), 8, 77, 110);
  AddEdit(check, "Edit70", 124, 74, 80);
  AddLabel(check, nullptr, QStringLiteral("每条子午线点数"), 8, 105, 110);
  AddEdit(check, "Edit71", 124, 102, 80);
  AddButton(check, "Button31", QStringLiteral("承载力验算"), 8, 136, 196);
  AddButton(check, "Button32", QStringLiteral("导出验算报告"), 8, 168, 196);
  AddProgressBar(check, "ProgressBar3", 8, 202, 196);
  QLabel* summary = AddLabel(check, "Label100", QStringLiteral("尚未验算"), 8, 228, 196);
  summary->setWordWrap(true);
  summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary->setFixedHeight(160);
  AddLabel(page, "Label101",
           QStringLiteral("各内力组合的验算比值(从大到小；红色 > 1.0，橙色 0.9~1.0)"), 8, 566, 662);
  AddGrid(page, "StringGrid3", 6, 1, 8, 586, 662, 300);
}

void TForm1::BuildScriptPage(QWidget* page) {
  AddLabel(page, "Label81", QStringLiteral("OPENSEES 纤维截面划分的命令流"), 8, 12, 240);
  AddButton(page, "Button18", QStringLiteral("生成OPENSEES的命令流"), 256, 8, 180);
  auto* memo = new QPlainTextEdit(QStringLiteral("Memo1"), page);
  memo->setObjectName(QStringLiteral("Memo1"));
  memo->setFont(FixedPitchFont());
  QPalette palette = memo->palette();
  palette.setColor(QPalette::Text, QColor(0, 128, 0));
  memo->setPalette(palette);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setGeometry(8, 72, 862, 430);
  BuildOpenSeesModelControls(page);
}

void TForm1::BuildOpenSeesModelControls(QWidget* page) {
  AddLabel(page, "Label180", QStringLiteral("输出内容"), 448, 12, 56);
  AddList(page, "ComboBox17", 508, 8, 96);
  AddLabel(page, "Label181", QStringLiteral("语言"), 612, 12, 30);
  AddList(page, "ComboBox18", 644, 8, 140);
  QPushButton* save = AddButton(page, "Button65", QStringLiteral("保存到文件"), 792, 7, 78);
  AddLabel(page, "Label182", QStringLiteral("模型"), 8, 44, 30);
  AddList(page, "ComboBox19", 40, 40, 150);
  AddLabel(page, "Label183", QStringLiteral("截面分析"), 200, 44, 56);
  AddList(page, "ComboBox20", 258, 40, 136);
  AddLabel(page, "Label184", QStringLiteral("GJ (N·mm²)"), 404, 44, 70);
  QLineEdit* gj = AddEdit(page, "Edit90", 476, 40, 96);
  gj->setPlaceholderText(QStringLiteral("毛截面"));
  gj->setToolTip(QStringLiteral("三维模型的扭转刚度；留空则按毛截面计算"));
  AddLabel(page, "Label185", QStringLiteral("步数"), 582, 44, 30);
  AddEdit(page, "Edit91", 614, 40, 50);
  AddLabel(page, "Label186", QStringLiteral("结果文件"), 674, 44, 56);
  AddEdit(page, "Edit92", 732, 40, 138);
  AddLabel(page, "Label187", QStringLiteral("说明"), 8, 508, 40);
  auto* notes = new QPlainTextEdit(page);
  notes->setObjectName(QStringLiteral("Memo2"));
  notes->setReadOnly(true);
  notes->setGeometry(48, 508, 822, 56);
  connect(save, &QPushButton::clicked, this, &TForm1::SaveOpenSeesText);
}

void TForm1::SaveOpenSeesText() {
  if (busy_) return;
  if (openSeesDialog_ == nullptr) {
    openSeesDialog_ = new QFileDialog(this);
    openSeesDialog_->setObjectName(QStringLiteral("SaveDialog2"));
    openSeesDialog_->setAcceptMode(QFileDialog::AcceptSave);
    openSeesDialog_->setFileMode(QFileDialog::AnyFile);
    openSeesDialog_->setNameFilters({QStringLiteral("OpenSEES Tcl (*.tcl)"),
                                     QStringLiteral("OpenSeesPy (*.py)"),
                                     QStringLiteral("文本文件 (*.txt)")});
  }
  const bool python = form_->ItemIndex("ComboBox17") == 1 && form_->ItemIndex("ComboBox18") == 1;
  openSeesDialog_->setDefaultSuffix(python ? QStringLiteral("py") : QStringLiteral("tcl"));
  openSeesDialog_->selectNameFilter(openSeesDialog_->nameFilters().at(python ? 1 : 0));
  const QString path = RunFileDialog(*openSeesDialog_);
  if (path.isEmpty()) return;
  Run([this, path] {
    // Nothing generated yet: the text box still holds its initial text.
    if (form_->Text("Memo1") == "Memo1") OpenSeesPageCommand(state_, *form_);
    SaveOpenSeesPageText(QFile::encodeName(path).toStdString(), form_->Text("Memo1"));
  });
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto item = [](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    return action;
  };
  auto separator = [](QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromUtf8(name));
  };

  QMenu* file = bar->addMenu(QStringLiteral("文件"));
  BuildFileMenu(file);
  connect(item(file, "N6", "退出"), &QAction::triggered, this, &QWidget::close);

  QMenu* kinds = bar->addMenu(QStringLiteral("截面类型"));
  const char* kindItems[8] = {"N19", "N20", "N110", "N21", "N25", "N22", "N23", "N24"};
  const auto& kindNames = DropDownLists().front().entries;  // ComboBox1's entries
  for (int k = 0; k < 8; ++k)
    connect(item(kinds, kindItems[k], kindNames[static_cast<std::size_t>(k)]), &QAction::triggered,
            this, [this, k] { SelectKindFromMenu(k); });

  QMenu* materials = bar->addMenu(QStringLiteral("材料本构"));
  connect(item(materials, "N13", "混凝土本构"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(1); });
  connect(item(materials, "N14", "钢材本构"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(2); });

  QMenu* analysis = bar->addMenu(QStringLiteral("截面分析"));
  connect(item(analysis, "PM1", "PM曲线分析"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(3); });
  connect(item(analysis, "MM1", "MM曲线分析"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(4); });
  connect(item(analysis, "PMM1", "PMM三维曲面"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(6); });
  separator(analysis, "N15");
  connect(item(analysis, "N16", "导入内力"), &QAction::triggered, this,
          [this] { ShowPageFromMenu(5); });
  separator(analysis, "N17");
  connect(item(analysis, "N18", "分析报告"), &QAction::triggered, this, &TForm1::WriteReport);

  QMenu* help = bar->addMenu(QStringLiteral("帮助"));
  connect(item(help, "N7", "关于软件"), &QAction::triggered, this, &TForm1::ShowAbout);
  separator(help, "N8");
  connect(item(help, "N9", "操作说明"), &QAction::triggered, this,
          [this] { OpenAuthorPage(kManualPage); });
}

void TForm1::BuildStatusBar() {
  QStatusBar* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  auto panel = [bar](const QString& text, int width, int stretch) {
    auto* label = new QLabel(text, bar);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(width);
    if (stretch == 0) label->setFixedWidth(width);
    bar->addWidget(label, stretch);
  };
  panel(QStringLiteral("编制"), 50, 0);
  panel(QStringLiteral("KumaSec 开发组"), 120, 0);
  panel(QStringLiteral("support@kumasec.example"), 50, 1);
  setStatusBar(bar);
}

}  // namespace kuma::gui

#include "app/gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>
#include <algorithm>
#include <new>

#include "app/commands.h"
#include "app/opensees_commands.h"
#include "app/gui/about_window.h"
#include "app/gui/dialogs.h"
#include "app/gui/material_controls.h"
#include "app/gui/import_page.h"
#include "app/gui/picture_box.h"
#include "app/gui/result_window.h"
#include "draw/paint/jpeg_file.h"
#include "draw/paint/qimage_canvas.h"
#include "model/errors.h"
#include "model/section_kind.h"

namespace kuma::gui {

const char* const kHomePage = "https://kumasec.example/";
const char* const kManualPage = "https://kumasec.example/manual/";

namespace {

// While a command runs, clicks, key presses and wheel turns aimed at any
// window are dropped, so that nothing the engineer does during a long solve
// starts a second command afterwards. Releases pass: without their press
// they do nothing. What stops the command passes or acts: a press on an
// enabled stop button, Esc, and closing the main window (which stops the
// command and leaves the window open).
class InputSwallower : public QObject {
 public:
  explicit InputSwallower(TForm1* window) : window_(window) { qApp->installEventFilter(this); }
  ~InputSwallower() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) window_->RequestStop();
        return true;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return !IsStopButton(target);
      case QEvent::Close:
        if (target != window_) return false;
        window_->RequestStop();
        event->ignore();
        return true;
      case QEvent::Wheel:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
        return true;
      default:
        return false;
    }
  }

 private:
  static bool IsStopButton(QObject* target) {
    auto* button = qobject_cast<QPushButton*>(target);
    return button != nullptr && button->isEnabled() &&
           (button->objectName() == QLatin1String("Button50") ||
            button->objectName() == QLatin1String("Button51"));
  }

  TForm1* window_;
};

// The read-out label of each chart.
const std::pair<const char*, const char*> kReadOuts[4] = {
    {"Image2", "Label68"}, {"Image3", "Label69"}, {"Image4", "Label74"}, {"Image5", "Label73"}};
constexpr const char* kReadOutBlank = "内力值 = ";

// The pictures each page's command draws.
QStringList PagePictures(int pageIndex) {
  switch (pageIndex) {
    case 0:
      return {"Image1"};
    case 1:
      return {"Image8", "Image9", "Image10"};
    case 2:
      return {"Image6", "Image7"};
    case 3:
      return {"Image1", "Image2", "Image3"};
    case 4:
      return {"Image4", "Image5"};
    case 6:
      return {"Image25", "Image26"};
    default:
      return {};
  }
}

bool PageCanBeStopped(int pageIndex) { return pageIndex == 3 || pageIndex == 4; }

// The size of everything placed on a page, hidden controls included, with
// the page's margin on the right and at the bottom.
QSize ContentsSize(const QWidget* page) {
  QRect all;
  for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    all = all.united(child->geometry());
  return {all.right() + 1 + 8, all.bottom() + 1 + 8};
}

constexpr const char* kGroupStyle =
    "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
    " padding: 0px 2px; background-color: palette(window); }";

// The designed size of the window.
constexpr int kDesignedWidth = 916;
constexpr int kDesignedHeight = 719;
// Room for a title bar and borders while the window manager has not yet
// framed the window.
constexpr int kFrameAllowanceWidth = 8;
constexpr int kFrameAllowanceHeight = 32;

QString DescribeFailure(const std::exception& e) {
  if (dynamic_cast<const Error*>(&e) != nullptr) return QString::fromUtf8(e.what());
  if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr)
    return QStringLiteral(
        "Out of memory: the command was abandoned. Try a coarser mesh or fewer points.");
  return QStringLiteral("Unexpected error: %1\nThe command was abandoned.")
      .arg(QString::fromUtf8(e.what()));
}

// The path as the file functions want it (local encoding of file names).
std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

TForm1::TForm1() {
  setObjectName(QStringLiteral("TForm1"));
  UpdateTitle();
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(916, 719);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  const char* titles[8] = {"截面输入", "混凝土本构", "钢材本构",    "PM曲线",
                           "MM曲线",   "导入内力",   "PMM三维曲面", "OpenSEES截面代码"};
  QWidget* page[8];
  QScrollArea* scroll[8];
  for (int i = 0; i < 8; ++i) {
    page[i] = new QWidget;
    page[i]->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    // Each page scrolls when the window is smaller than the page.
    scroll[i] = new QScrollArea;
    scroll[i]->setObjectName(QStringLiteral("ScrollBox%1").arg(i + 1));
    scroll[i]->setFrameShape(QFrame::NoFrame);
    scroll[i]->setWidgetResizable(true);
    pages_->addTab(scroll[i], QString::fromUtf8(titles[i]));
  }
  setCentralWidget(pages_);

  BuildSectionPage(page[0]);
  BuildProjectGroup(page[0]);
  BuildConcretePage(page[1]);
  BuildSteelPage(page[2]);
  BuildPmPage(page[3]);
  BuildMmPage(page[4]);
  BuildImportPage(page[5]);
  BuildPmmPage(page[6]);
  BuildScriptPage(page[7]);
  for (int i = 0; i < 8; ++i) {
    page[i]->setMinimumSize(ContentsSize(page[i]));
    scroll[i]->setWidget(page[i]);
  }
  // The boxes of a group start 16 pixels below its top: the frame is drawn
  // through the middle of the title, as the layout expects, so that it
  // never runs through the first row of boxes or the column heads.
  for (QGroupBox* group : findChildren<QGroupBox*>())
    group->setStyleSheet(QString::fromLatin1(kGroupStyle));
  BuildMenus();
  BuildStatusBar();
  AssignShortcuts();

  const MaterialColours initial;
  for (std::size_t i = 0; i < swatches_.size(); ++i) {
    const Rgb c = initial.colour[i];
    swatches_[i]->SetColour(QColor(c.r, c.g, c.b));
  }

  // The form looks controls up among the pages only: the result window, a
  // child of this window, has its own Button1, Button2, Label1 and Memo1.
  form_ = std::make_unique<QtForm>(pages_);
  pages_->setCurrentIndex(0);
  Connect();
  ConnectEnterKeys();
  WatchForChanges();
}

TForm1::~TForm1() = default;

void TForm1::SetSecondaryWindows(TForm2* result, TForm3* about) {
  resultWindow_ = result;
  aboutWindow_ = about;
}

void TForm1::RunStartUp() {
  Run([this] { StartUp(state_, *form_, Control()); }, {"Image1", "Image2", "Image3"}, true);
}

bool TForm1::Run(const std::function<void()>& command, const QStringList& pictures,
                 bool stoppable) {
  if (busy_) return false;
  busy_ = true;
  stoppable_ = stoppable;
  cancel_.Reset();
  SetStopButtonsEnabled(stoppable);
  QHash<PictureBox*, int> before;
  for (PictureBox* picture : pictures_) before.insert(picture, picture->Generation());
  QString failure;
  bool stopped = false;
  {
    InputSwallower swallower(this);
    form_->TakePumped();
    try {
      command();
    } catch (const Cancelled&) {
      stopped = true;
    } catch (const std::exception& e) {
      failure = DescribeFailure(e);
    } catch (...) {
      failure = QStringLiteral("Unexpected error: the command was abandoned.");
    }
    for (PictureBox* picture : pictures_) picture->update();
    // Input that arrived while the solve let the window repaint is still
    // queued (it reaches the widgets in two steps); deliver all of it now,
    // to the swallower.
    if (form_->TakePumped()) QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
  }
  SetStopButtonsEnabled(false);
  stoppable_ = false;
  busy_ = false;
  MarkPictures(before, pictures, stopped || !failure.isEmpty());
  if (stopped) statusBar()->showMessage(QStringLiteral("计算已停止，图表保留上一次的结果"), 5000);
  UpdateModified();
  if (!failure.isEmpty()) ReportError(this, failure);
  return failure.isEmpty() && !stopped;
}

void TForm1::RequestStop() {
  if (busy_ && stoppable_) cancel_.Cancel();
}

WorkControl TForm1::Control() {
  WorkControl control;
  control.keepAlive = [this] { form_->KeepPainting(); };
  control.cancel = &cancel_;
  return control;
}

void TForm1::SetStopButtonsEnabled(bool enabled) {
  for (const char* name : {"Button50", "Button51"})
    if (auto* button = findChild<QPushButton*>(QString::fromUtf8(name)))
      button->setEnabled(enabled);
}

void TForm1::MarkPictures(const QHash<PictureBox*, int>& before, const QStringList& pictures,
                          bool incomplete) {
  QList<PictureBox*> redrawn;
  for (PictureBox* picture : pictures_) {
    if (picture->Generation() == before.value(picture)) continue;
    picture->SetStale(false);
    redrawn << picture;
  }
  if (incomplete) {
    for (const QString& name : pictures) {
      PictureBox* picture = form_->PictureControl(name.toStdString());
      if (!redrawn.contains(picture) && picture->DrawnOn()) picture->SetStale(true);
    }
  }
  // The reference chart is a copy of a PM chart, and as current as it.
  PictureBox* reference = form_->PictureControl("Image4");
  if (redrawn.contains(reference)) {
    const bool second = form_->ItemIndex("ComboBox7") == 1;
    if (form_->PictureControl(second ? "Image3" : "Image2")->Stale()) reference->SetStale(true);
  }
  RefreshReadOuts(redrawn);
}

void TForm1::RefreshReadOuts(const QList<PictureBox*>& redrawn) {
  for (const auto& [pictureName, label] : kReadOuts) {
    PictureBox* picture = form_->PictureControl(pictureName);
    if (!redrawn.contains(picture)) continue;
    // The caption follows the new chart: the value under the pointer if it
    // rests on the chart, otherwise the blank caption.
    std::string text = kReadOutBlank;
    if (picture->underMouse()) {
      const QPoint at = picture->mapFromGlobal(QCursor::pos());
      try {
        text = ReadOutText(state_, *form_, pictureName, at.x(), at.y());
      } catch (const std::exception&) {
      }
    }
    form_->SetText(label, text);
  }
}

void TForm1::FitToScreen(const QRect& available) {
  QSize frame = frameGeometry().size() - geometry().size();
  if (!isVisible() || frame.isEmpty()) frame = QSize(kFrameAllowanceWidth, kFrameAllowanceHeight);
  resize(std::min(kDesignedWidth, available.width() - frame.width()),
         std::min(kDesignedHeight, available.height() - frame.height()));
  if (!available.contains(frameGeometry())) move(available.topLeft());
}

void TForm1::Connect() {
  auto button = [this](const char* name) {
    return findChild<QPushButton*>(QString::fromUtf8(name));
  };
  auto onClick = [this, &button](const char* name, std::function<void()> handler) {
    connect(button(name), &QPushButton::clicked, this, std::move(handler));
  };
  auto command = [this, &onClick](const char* name, void (*chain)(AppState&, Form&),
                                  const QStringList& pictures) {
    onClick(name,
            [this, chain, pictures] { Run([this, chain] { chain(state_, *form_); }, pictures); });
  };

  command("Button1", SectionInputCommand, {"Image1"});
  onClick("Button2",
          [this] { Run([this] { PmCommand(state_, *form_, Control()); }, PagePictures(3), true); });
  onClick("Button7",
          [this] { Run([this] { MmCommand(state_, *form_, Control()); }, {"Image5"}, true); });
  onClick("Button50", [this] { RequestStop(); });
  onClick("Button51", [this] { RequestStop(); });
  command("Button18", OpenSeesPageCommand, {"Image1"});
  command("Button13", ReadForceFactorsCommand, {});
  command("Button15", ForceStatisticsCommand, {});
  command("Button3", ReferencePmChartCommand, {"Image4"});
  command("Button8", TypedAxialLevelCommand, {"Image4"});
  command("Button9", PmForcePointsCommand, {});
  command("Button12", MmForcePointsCommand, {});
  onClick("Button10", [this] { Run([this] { ConcreteCurvesCommand(*form_); }, PagePictures(1)); });
  onClick("Button11", [this] { Run([this] { SteelCurvesCommand(*form_); }, PagePictures(2)); });
  onClick("Button4", [this] { ImportForces(); });
  ConnectImportPage();
  onClick("Button16", [this] { SavePicture("Image2"); });
  onClick("Button17", [this] { SavePicture("Image3"); });
  onClick("Button14", [this] { SavePicture("Image5"); });
  onClick("Button5", [this] { ShowReport(PmReportCommand); });
  onClick("Button6", [this] { ShowReport(MmReportCommand); });
  command("Button31", DesignCheckCommand, {});
  onClick("Button32", [this] { ShowReport(CheckReportCommand); });
  auto* method = findChild<QComboBox*>(QStringLiteral("ComboBox8"));
  connect(method, &QComboBox::currentIndexChanged, this, [this] {
    if (state_.check.Valid()) RunDesignCheck();
  });

  ConnectMaterialControls(this, *form_);

  auto* kinds = findChild<QComboBox*>(QStringLiteral("ComboBox1"));
  connect(kinds, &QComboBox::currentIndexChanged, this, [this] { ApplySectionKind(); });
  auto* reference = findChild<QComboBox*>(QStringLiteral("ComboBox7"));
  connect(reference, &QComboBox::currentIndexChanged, this,
          [this] { Run([this] { ReferenceChoiceCommand(state_, *form_); }, {"Image4"}); });
  auto* level = findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
  connect(level, &QScrollBar::valueChanged, this, [this](int position) {
    Run([this, position] { ScrollAxialLevelCommand(state_, *form_, position); }, {"Image4"});
  });
  connect(pages_, &QTabWidget::currentChanged, this, &TForm1::PageChanged);

  for (std::size_t zone = 0; zone < swatches_.size(); ++zone)
    connect(swatches_[zone], &SwatchBox::Pressed, this,
            [this, zone] { PickColour(static_cast<int>(zone)); });
  ConnectPictures();
  ConnectPmmPage();
}

void TForm1::ConnectPictures() {
  for (const auto& [picture, label] : kReadOuts) {
    const std::string pictureName = picture;
    const std::string labelName = label;
    connect(form_->PictureControl(picture), &PictureBox::MouseMoved, this,
            [this, pictureName, labelName](int x, int y) {
              if (busy_) return;
              // A read-out never interrupts the engineer with a message box.
              try {
                form_->SetText(labelName, ReadOutText(state_, *form_, pictureName, x, y));
              } catch (const std::exception&) {
              }
            });
  }
}

// Enter in a box runs the command of its page; the axial level box runs its
// own "输入轴力". On the import page only the factor boxes do.
void TForm1::ConnectEnterKeys() {
  const char* pageButtons[8] = {"Button1", "Button10", "Button11", "Button2",
                                "Button7", "Button13", nullptr,    nullptr};
  for (int i = 0; i < pages_->count(); ++i) {
    if (pageButtons[i] == nullptr) continue;
    for (QLineEdit* edit : pages_->widget(i)->findChildren<QLineEdit*>()) {
      const QString name = edit->objectName();
      if (edit->isReadOnly() || !name.startsWith(QLatin1String("Edit"))) continue;
      const int number = name.mid(4).toInt();
      if (i == 5 && (number < 54 || number > 59)) continue;
      auto* button = findChild<QPushButton*>(
          QString::fromUtf8(name == QLatin1String("Edit30") ? "Button8" : pageButtons[i]));
      connect(edit, &QLineEdit::returnPressed, button, &QPushButton::click);
    }
  }
}

void TForm1::AssignShortcuts() {
  const std::pair<const char*, const char*> keys[] = {
      {"N6", "Ctrl+Q"},  {"N13", "F3"},    {"N14", "F4"},    {"PM1", "F5"},    {"MM1", "F6"},
      {"N16", "Ctrl+I"}, {"N9", "F1"},     {"N19", "Alt+1"}, {"N20", "Alt+2"}, {"N110", "Alt+3"},
      {"N21", "Alt+4"},  {"N25", "Alt+5"}, {"N22", "Alt+6"}, {"N23", "Alt+7"}, {"N24", "Alt+8"},
      {"NewSection1", "Ctrl+N"}, {"N3", "Ctrl+O"}, {"N4", "Ctrl+S"}, {"SaveAs1", "Ctrl+Shift+S"},
      {"N18", "Ctrl+P"}, {"PMM1", "F7"}};
  for (const auto& [name, key] : keys)
    if (auto* action = findChild<QAction*>(QString::fromUtf8(name)))
      action->setShortcut(QKeySequence(QString::fromUtf8(key)));
}

void TForm1::ApplySectionKind() {
  Run(
      [this] {
        ApplySectionKindLayout(*form_);
        SectionInputCommand(state_, *form_);
      },
      {"Image1"});
}

void TForm1::RunPageChange(int pageIndex) {
  Run([this, pageIndex] { PageChangeCommand(state_, *form_, pageIndex, Control()); },
      PagePictures(pageIndex), PageCanBeStopped(pageIndex));
}

void TForm1::BringPageToFront(int pageIndex) {
  quietPageChange_ = true;
  pages_->setCurrentIndex(pageIndex);
  quietPageChange_ = false;
}

void TForm1::SelectKindFromMenu(int kindIndex) {
  if (busy_) return;
  BringPageToFront(0);
  form_->SetItemIndex("ComboBox1", kindIndex);
  ApplySectionKind();
}

void TForm1::ShowPageFromMenu(int pageIndex) {
  if (busy_) return;
  BringPageToFront(pageIndex);
  RunPageChange(pageIndex);
}

void TForm1::PageChanged(int pageIndex) {
  if (quietPageChange_) return;
  RunPageChange(pageIndex);
}

QFileDialog& TForm1::SaveDialog() {
  if (saveDialog_ == nullptr) {
    saveDialog_ = new QFileDialog(this);
    saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
    saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
    saveDialog_->setFileMode(QFileDialog::AnyFile);
    saveDialog_->setNameFilter(QStringLiteral("JPG图片 (*.jpg)"));
    saveDialog_->setDefaultSuffix(QStringLiteral("jpg"));
    saveDialog_->setOption(QFileDialog::DontConfirmOverwrite, true);
  }
  return *saveDialog_;
}

QFileDialog& TForm1::OpenDialog() {
  if (openDialog_ == nullptr) {
    openDialog_ = new QFileDialog(this);
    openDialog_->setObjectName(QStringLiteral("OpenDialog1"));
    openDialog_->setAcceptMode(QFileDialog::AcceptOpen);
    openDialog_->setFileMode(QFileDialog::ExistingFile);
  }
  return *openDialog_;
}

void TForm1::ImportForces() {
  if (busy_) return;
  const QString folder = RememberedImportFolder();
  if (!folder.isEmpty()) OpenDialog().setDirectory(folder);
  const QString path = RunFileDialog(OpenDialog());
  if (path.isEmpty()) return;
  RememberImportFolder(path);
  if (Run([this, path] { ImportCommand(state_, *form_, LocalPath(path)); })) RunDesignCheck();
}

void TForm1::RunDesignCheck() {
  if (state_.forceTable.Count <= 0) return;
  Run([this] { DesignCheckCommand(state_, *form_); });
}

void TForm1::SavePicture(const char* pictureName) {
  if (busy_) return;
  QString path = RunFileDialog(SaveDialog());
  if (path.isEmpty()) return;
  PictureBox* picture = form_->PictureControl(pictureName);
  if (!picture->DrawnOn()) return;  // an empty picture writes no file
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".jpg");
  Run([picture, path] { WriteJpegFile(LocalPath(path), ToRgbImage(picture->Image())); });
}

void TForm1::ShowReport(std::vector<std::string> (*report)(const AppState&)) {
  if (resultWindow_ == nullptr) return;
  if (!Run([this, report] { resultWindow_->SetLines(report(state_)); })) return;
  resultWindow_->show();
  resultWindow_->raise();
  resultWindow_->activateWindow();
}

void TForm1::PickColour(int zone) {
  if (busy_) return;
  SwatchBox* swatch = swatches_[static_cast<std::size_t>(zone)];
  if (colorDialog_ == nullptr) {
    colorDialog_ = new QColorDialog(this);
    colorDialog_->setObjectName(QStringLiteral("ColorDialog1"));
  }
  colorDialog_->setCurrentColor(swatch->Colour());
  const std::optional<QColor> chosen = RunColorDialog(*colorDialog_);
  if (!chosen || !chosen->isValid()) return;
  // The section picture keeps its colours until it is drawn again.
  state_.colours.colour[static_cast<std::size_t>(zone)] =
      Rgb{static_cast<std::uint8_t>(chosen->red()), static_cast<std::uint8_t>(chosen->green()),
          static_cast<std::uint8_t>(chosen->blue())};
  swatch->SetColour(*chosen);
  UpdateModified();
}

void TForm1::ShowAbout() {
  if (aboutWindow_ == nullptr) return;
  aboutWindow_->show();
  aboutWindow_->raise();
  aboutWindow_->activateWindow();
}

void TForm1::OpenAuthorPage(const char* address) { OpenWebPage(QUrl(QString::fromUtf8(address))); }

Windows CreateWindows() {
  Windows windows;
  windows.main = std::make_unique<TForm1>();
  windows.result = new TForm2(windows.main.get());
  windows.about = new TForm3(windows.main.get());
  windows.main->SetSecondaryWindows(windows.result, windows.about);
  return windows;
}

}  // namespace kuma::gui

#include "app/gui/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <new>

#include "app/commands.h"
#include "app/gui/about_window.h"
#include "app/gui/building_page.h"
#include "app/gui/dialogs.h"
#include "app/gui/material_controls.h"
#include "app/gui/picture_box.h"
#include "app/gui/result_window.h"
#include "app/gui/stretch.h"
#include "model/controls/building_page.h"
#include "model/controls/import_page.h"
#include "model/controls/material_pages.h"
#include "model/controls/mm_page.h"
#include "model/controls/mphi_page.h"
#include "model/controls/pm_page.h"
#include "model/controls/pmm_page.h"
#include "model/controls/section_page.h"
#include "model/errors.h"

namespace kuma::gui {

const char* const kHomePage = "https://kumasec.example/";
const char* const kManualPage = "https://kumasec.example/manual/";

namespace {

// The "停止" buttons of the PM, MM and 3-D pages.
constexpr const char* kStopButtons[] = {ctl::kPmStopButton, ctl::kMmStopButton, ctl::kPmmStopButton,
                                        ctl::kMphiStopButton, ctl::kBuildingStopButton};

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
      case QEvent::MouseButtonDblClick: {
        // A press from the screen reaches the window first and only then the
        // widget under the pointer: both must let a press on a stop button
        // pass, and it stops the command at once, as Esc does.
        const bool stop = IsStopButton(target) || IsStopButton(WidgetUnder(target, event));
        if (stop) window_->RequestStop();
        return !stop;
      }
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
  // The widget under the pointer of a press aimed at a top-level window.
  static QWidget* WidgetUnder(QObject* target, QEvent* event) {
    auto* window = qobject_cast<QWindow*>(target);
    if (window == nullptr) return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() != window) continue;
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      return top->childAt(at);
    }
    return nullptr;
  }

  static bool IsStopButton(QObject* target) {
    auto* button = qobject_cast<QPushButton*>(target);
    if (button == nullptr || !button->isEnabled()) return false;
    for (const char* name : kStopButtons)
      if (button->objectName() == QLatin1String(name)) return true;
    return false;
  }

  TForm1* window_;
};

// What the window does with each page it knows: the number the page
// commands know it by, the pictures its command draws, whether that command
// can be stopped, and the button Enter in one of its boxes presses. A page
// not listed computes nothing when it comes to the front.
struct PageCommand {
  const char* page;
  int commandIndex;
  std::initializer_list<const char*> pictures;
  bool stoppable;
  const char* enterButton;
};

const PageCommand kPageCommands[] = {
    {kSectionPage, 0, {ctl::kSectionPicture}, false, ctl::kSectionInputButton},
    {kConcretePage,
     1,
     {ctl::kEdgeCurvePicture, ctl::kCore1CurvePicture, ctl::kCore2CurvePicture},
     false,
     ctl::kConcreteCurvesButton},
    {kSteelPage,
     2,
     {ctl::kRebarCurvePicture, ctl::kShapeSteelCurvePicture},
     false,
     ctl::kSteelCurvesButton},
    {kPmPage, 3, {ctl::kSectionPicture, ctl::kPmxPicture, ctl::kPmyPicture}, true, ctl::kPmButton},
    {kMmPage, 4, {ctl::kReferencePmPicture, ctl::kMmPicture}, true, ctl::kMmButton},
    {kImportPage, 5, {}, false, ctl::kImportSettingsButton},
    {kPmmPage, 6, {ctl::kSurfacePicture, ctl::kSurfaceCutPicture}, true, nullptr},
    {kScriptPage, 7, {}, false, nullptr},
};

const PageCommand* FindPageCommand(const QWidget* page) {
  if (page == nullptr) return nullptr;
  const QByteArray name = page->objectName().toUtf8();
  for (const PageCommand& c : kPageCommands)
    if (std::strcmp(c.page, name.constData()) == 0) return &c;
  return nullptr;
}

QStringList PagePictures(const QWidget* page) {
  QStringList pictures;
  if (const PageCommand* c = FindPageCommand(page))
    for (const char* picture : c->pictures) pictures << QString::fromUtf8(picture);
  return pictures;
}

bool PageCanBeStopped(const QWidget* page) {
  const PageCommand* c = FindPageCommand(page);
  return c != nullptr && c->stoppable;
}

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

}  // namespace

TForm1::TForm1() {
  setObjectName(QStringLiteral("TForm1"));
  UpdateTitle();
  setFont(QFont(QStringLiteral("Arial"), 9));
  resize(916, 719);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  setCentralWidget(pages_);

  AddPage(kSectionPage, "截面输入", [this](QWidget* page) {
    BuildSectionPage(page);
    BuildProjectGroup(page);
  });
  AddPage(kConcretePage, "混凝土本构", [this](QWidget* page) { BuildConcretePage(page); });
  AddPage(kSteelPage, "钢材本构", [this](QWidget* page) { BuildSteelPage(page); });
  AddPage(kPmPage, "PM曲线", [this](QWidget* page) { BuildPmPage(page); });
  AddPage(kMmPage, "MM曲线", [this](QWidget* page) { BuildMmPage(page); });
  AddPage(kMphiPage, "弯矩-曲率", [this](QWidget* page) { BuildMphiPage(page); });
  AddPage(kImportPage, "导入内力", [this](QWidget* page) { BuildImportPage(page); });
  AddPage(kLibraryPage, "截面库", [this](QWidget* page) { BuildLibraryPage(page); });
  AddPage(kBuildingPage, "楼栋验算", [this](QWidget* page) { BuildBuildingPage(page); });
  AddPage(kCodePage, "规范验算", [this](QWidget* page) { BuildCodePage(page); });
  AddPage(kPmmPage, "PMM三维曲面", [this](QWidget* page) { BuildPmmPage(page); });
  AddPage(kScriptPage, "OpenSEES截面代码", [this](QWidget* page) { BuildScriptPage(page); });

  // The boxes of a group start 16 pixels below its top: the frame is drawn
  // through the middle of the title, as the layout expects, so that it
  // never runs through the first row of boxes or the column heads.
  for (QGroupBox* group : findChildren<QGroupBox*>())
    group->setStyleSheet(QString::fromLatin1(kGroupStyle));
  BuildMenus();
  BuildStatusBar();
  AssignShortcuts();
  SetPageStretchBases();

  const MaterialColours initial;
  for (std::size_t i = 0; i < swatches_.size(); ++i) {
    const Rgb c = initial.colour[i];
    swatches_[i]->SetColour(QColor(c.r, c.g, c.b));
  }

  // The form looks controls up among the pages only: the result window, a
  // child of this window, has its own Button1, Button2, Label1 and Memo1.
  form_ = std::make_unique<QtForm>(pages_);
  ShowPmmWindowView();
  pages_->setCurrentIndex(0);
  Connect();
  ConnectEnterKeys();
  WatchForChanges();
}

TForm1::~TForm1() = default;

// The pages' controls were laid out for the designed window: up to its
// size nothing moves, and beyond it they follow the page's growth. The room
// a page has in the designed window is its size less the menu, status and
// tab bars, taken a little large (the frames are left in), so that the
// designed window shows every picture at its own size.
void TForm1::SetPageStretchBases() {
  const QSize designed(kDesignedWidth, kDesignedHeight - menuBar()->sizeHint().height() -
                                           statusBar()->sizeHint().height() -
                                           pages_->tabBar()->sizeHint().height());
  for (int i = 0; i < pages_->count(); ++i) {
    auto* scroll = qobject_cast<QScrollArea*>(pages_->widget(i));
    if (scroll == nullptr || scroll->widget() == nullptr) continue;
    QWidget* page = scroll->widget();
    SetStretchBase(page, page->minimumSize().expandedTo(designed));
  }
}

void TForm1::AddPage(const char* name, const char* title,
                     const std::function<void(QWidget*)>& build) {
  auto* page = new QWidget;
  const QString pageName = QString::fromUtf8(name);
  page->setObjectName(pageName);
  // Each page scrolls when the window is smaller than the page.
  auto* scroll = new QScrollArea;
  QString scrollName = pageName;
  scrollName.replace(QLatin1String("TabSheet"), QLatin1String("ScrollBox"));
  scroll->setObjectName(scrollName == pageName ? pageName + QLatin1String("Scroll") : scrollName);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  pages_->addTab(scroll, QString::fromUtf8(title));
  build(page);
  page->setMinimumSize(ContentsSize(page));
  scroll->setWidget(page);
}

QWidget* TForm1::Page(const QString& name) const {
  const int index = PageIndex(name);
  return index < 0 ? nullptr : static_cast<QScrollArea*>(pages_->widget(index))->widget();
}

int TForm1::PageIndex(const QString& name) const {
  for (int i = 0; i < pages_->count(); ++i) {
    auto* scroll = qobject_cast<QScrollArea*>(pages_->widget(i));
    if (scroll != nullptr && scroll->widget() != nullptr && scroll->widget()->objectName() == name)
      return i;
  }
  return -1;
}

QWidget* TForm1::CurrentPage() const {
  auto* scroll = qobject_cast<QScrollArea*>(pages_->currentWidget());
  return scroll == nullptr ? nullptr : scroll->widget();
}

int TForm1::CurrentPageCommandIndex() const {
  const PageCommand* c = FindPageCommand(CurrentPage());
  return c == nullptr ? -1 : c->commandIndex;
}

void TForm1::SetSecondaryWindows(TForm2* result, TForm3* about) {
  resultWindow_ = result;
  aboutWindow_ = about;
}

void TForm1::RunStartUp() {
  Run([this] { StartUp(state_, *form_, Control()); },
      {ctl::kSectionPicture, ctl::kPmxPicture, ctl::kPmyPicture}, true);
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
  RefreshCodePage();
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
  for (const char* name : kStopButtons)
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
  PictureBox* reference = form_->PictureControl(ctl::kReferencePmPicture);
  if (redrawn.contains(reference)) {
    const bool second = form_->ItemIndex(ctl::kReferencePmAxisList) == 1;
    if (form_->PictureControl(second ? ctl::kPmyPicture : ctl::kPmxPicture)->Stale())
      reference->SetStale(true);
  }
  RefreshReadOuts(redrawn);
}

void TForm1::FitToScreen(const QRect& available, QSize wanted) {
  if (wanted.isEmpty()) wanted = QSize(kDesignedWidth, kDesignedHeight);
  QSize frame = frameGeometry().size() - geometry().size();
  if (!isVisible() || frame.isEmpty()) frame = QSize(kFrameAllowanceWidth, kFrameAllowanceHeight);
  resize(std::min(wanted.width(), available.width() - frame.width()),
         std::min(wanted.height(), available.height() - frame.height()));
  if (!available.contains(frameGeometry())) move(available.topLeft());
}

void TForm1::Connect() {
  ConnectSectionPage();
  ConnectPmPage();
  ConnectMmPage();
  for (const char* stop : kStopButtons) OnClick(stop, [this] { RequestStop(); });
  ConnectScriptPage();
  ConnectMaterialPages();
  ConnectImportPage();
  ConnectCheckControls();
  ConnectMaterialControls(this, *form_);
  ConnectMaterialRedraws();
  connect(pages_, &QTabWidget::currentChanged, this, &TForm1::PageChanged);
  ConnectPictures();
  ConnectPmmPage();
  ConnectMphiPage();
  ConnectLibraryPage();
  ConnectBuildingPage();
  ConnectCodePage();
}

void TForm1::OnClick(const char* button, std::function<void()> handler) {
  connect(findChild<QPushButton*>(QString::fromUtf8(button)), &QPushButton::clicked, this,
          std::move(handler));
}

void TForm1::OnClickRun(const char* button, void (*chain)(AppState&, Form&),
                        const QStringList& pictures) {
  OnClick(button,
          [this, chain, pictures] { Run([this, chain] { chain(state_, *form_); }, pictures); });
}

// Enter in a box runs the command of its page; the axial level box runs its
// own "输入轴力". On the import page only the factor boxes do.
void TForm1::ConnectEnterKeys() {
  for (const PageCommand& c : kPageCommands) {
    QWidget* page = Page(QString::fromUtf8(c.page));
    if (c.enterButton == nullptr || page == nullptr) continue;
    for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
      const QString name = edit->objectName();
      if (edit->isReadOnly() || !name.startsWith(QLatin1String("Edit"))) continue;
      const int number = name.mid(4).toInt();
      if (std::strcmp(c.page, kImportPage) == 0 && (number < 54 || number > 59)) continue;
      auto* button = findChild<QPushButton*>(QString::fromUtf8(
          name == QLatin1String("Edit30") ? ctl::kAxialLevelButton : c.enterButton));
      connect(edit, &QLineEdit::returnPressed, button, &QPushButton::click);
    }
  }
}

void TForm1::RunPageChange(QWidget* page) {
  if (page != nullptr && page->objectName() == QLatin1String(kLibraryPage)) {
    RefreshLibraryPage();
    return;
  }
  if (page != nullptr && page->objectName() == QLatin1String(kMphiPage)) {
    RunMphi();
    return;
  }
  const PageCommand* c = FindPageCommand(page);
  if (c == nullptr) return;
  const int index = c->commandIndex;
  Run([this, index] { PageChangeCommand(state_, *form_, index, Control()); }, PagePictures(page),
      PageCanBeStopped(page));
}

void TForm1::BringPageToFront(const char* pageName) {
  quietPageChange_ = true;
  pages_->setCurrentIndex(PageIndex(QString::fromUtf8(pageName)));
  quietPageChange_ = false;
}

void TForm1::ShowPageFromMenu(const char* pageName) {
  if (busy_) return;
  BringPageToFront(pageName);
  RunPageChange(Page(QString::fromUtf8(pageName)));
}

void TForm1::PageChanged(int tabIndex) {
  if (quietPageChange_) return;
  auto* scroll = qobject_cast<QScrollArea*>(pages_->widget(tabIndex));
  RunPageChange(scroll == nullptr ? nullptr : scroll->widget());
}

Windows CreateWindows() {
  Windows windows;
  windows.main = std::make_unique<TForm1>();
  windows.result = new TForm2(windows.main.get());
  windows.about = new TForm3(windows.main.get());
  windows.main->SetSecondaryWindows(windows.result, windows.about);
  return windows;
}

}  // namespace kuma::gui

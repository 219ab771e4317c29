#include "app/gui/main_window.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QUrl>
#include <new>

#include "app/commands.h"
#include "app/gui/about_window.h"
#include "app/gui/dialogs.h"
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
// they do nothing.
class InputSwallower : public QObject {
 public:
  InputSwallower() { qApp->installEventFilter(this); }
  ~InputSwallower() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::Wheel:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
        return true;
      default:
        return false;
    }
  }
};

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
  for (int i = 0; i < 8; ++i) {
    page[i] = new QWidget;
    page[i]->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
    pages_->addTab(page[i], QString::fromUtf8(titles[i]));
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
  BuildMenus();
  BuildStatusBar();

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
  WatchForChanges();
}

TForm1::~TForm1() = default;

void TForm1::SetSecondaryWindows(TForm2* result, TForm3* about) {
  resultWindow_ = result;
  aboutWindow_ = about;
}

void TForm1::RunStartUp() {
  Run([this] { StartUp(state_, *form_); });
}

bool TForm1::Run(const std::function<void()>& command) {
  if (busy_) return false;
  busy_ = true;
  QString failure;
  {
    InputSwallower swallower;
    form_->TakePumped();
    try {
      command();
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
  busy_ = false;
  UpdateModified();
  if (!failure.isEmpty()) ReportError(this, failure);
  return failure.isEmpty();
}

void TForm1::Connect() {
  auto button = [this](const char* name) {
    return findChild<QPushButton*>(QString::fromUtf8(name));
  };
  auto onClick = [this, &button](const char* name, std::function<void()> handler) {
    connect(button(name), &QPushButton::clicked, this, std::move(handler));
  };
  auto command = [this, &onClick](const char* name, void (*chain)(AppState&, Form&)) {
    onClick(name, [this, chain] { Run([this, chain] { chain(state_, *form_); }); });
  };

  command("Button1", SectionInputCommand);
  command("Button2", PmCommand);
  command("Button7", MmCommand);
  command("Button18", ScriptCommand);
  command("Button13", ReadForceFactorsCommand);
  command("Button15", ForceStatisticsCommand);
  command("Button3", ReferencePmChartCommand);
  command("Button8", TypedAxialLevelCommand);
  command("Button9", PmForcePointsCommand);
  command("Button12", MmForcePointsCommand);
  onClick("Button10", [this] { Run([this] { ConcreteCurvesCommand(*form_); }); });
  onClick("Button11", [this] { Run([this] { SteelCurvesCommand(*form_); }); });
  onClick("Button4", [this] { ImportForces(); });
  onClick("Button16", [this] { SavePicture("Image2"); });
  onClick("Button17", [this] { SavePicture("Image3"); });
  onClick("Button14", [this] { SavePicture("Image5"); });
  onClick("Button5", [this] { ShowReport(PmReportCommand); });
  onClick("Button6", [this] { ShowReport(MmReportCommand); });

  auto* kinds = findChild<QComboBox*>(QStringLiteral("ComboBox1"));
  connect(kinds, &QComboBox::currentIndexChanged, this, [this] { ApplySectionKind(); });
  auto* reference = findChild<QComboBox*>(QStringLiteral("ComboBox7"));
  connect(reference, &QComboBox::currentIndexChanged, this,
          [this] { Run([this] { ReferenceChoiceCommand(state_, *form_); }); });
  auto* level = findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
  connect(level, &QScrollBar::valueChanged, this, [this](int position) {
    Run([this, position] { ScrollAxialLevelCommand(state_, *form_, position); });
  });
  connect(pages_, &QTabWidget::currentChanged, this, &TForm1::PageChanged);

  for (std::size_t zone = 0; zone < swatches_.size(); ++zone)
    connect(swatches_[zone], &SwatchBox::Pressed, this,
            [this, zone] { PickColour(static_cast<int>(zone)); });
  ConnectPictures();
}

void TForm1::ConnectPictures() {
  const std::pair<const char*, const char*> readOuts[4] = {
      {"Image2", "Label68"}, {"Image3", "Label69"}, {"Image4", "Label74"}, {"Image5", "Label73"}};
  for (const auto& [picture, label] : readOuts) {
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

void TForm1::ApplySectionKind() {
  Run([this] {
    ApplySectionKindLayout(*form_);
    SectionInputCommand(state_, *form_);
  });
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
  Run([this, pageIndex] { PageChangeCommand(state_, *form_, pageIndex); });
}

void TForm1::PageChanged(int pageIndex) {
  if (quietPageChange_) return;
  Run([this, pageIndex] { PageChangeCommand(state_, *form_, pageIndex); });
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
  const QString path = RunFileDialog(OpenDialog());
  if (path.isEmpty()) return;
  Run([this, path] { ImportCommand(state_, *form_, LocalPath(path)); });
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

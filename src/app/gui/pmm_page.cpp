// The page "PMM三维曲面": the 3-D capacity surface with the forces, turned
// with the mouse, and its cut at the axial level beside it.

#include "model/controls/pmm_page.h"

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/commands.h"
#include "app/gui/form_builder.h"
#include "app/gui/main_window.h"
#include "app/gui/pmm_view_box.h"
#include "app/gui/stretch.h"
#include "app/pmm_commands.h"
#include "model/form.h"

namespace kuma::gui {

namespace {

// The pictures the page's commands draw.
const QStringList kPmmPictures = {QStringLiteral("Image25"), QStringLiteral("Image26")};

// The window shows the surface with P stretched to the moments' width
// ("拉伸P轴"): at equal scales the axial force, thousands of kN against
// hundreds of kN·m, makes the surface a needle. The form's own initial
// choice (and so kumasec-cli's) stays "等比例".
constexpr int kPmmWindowScale = 1;

}  // namespace

void TForm1::BuildPmmPage(QWidget* page) {
  AddLabel(page, ctl::kPmmReadout, QStringLiteral("内力值 = "), 8, 8, 560);
  const PixelPoint viewSize = PictureSize(ctl::kSurfacePicture);
  QFrame* panel = AddPanel(page, nullptr, 8, 28, viewSize.x + 2, viewSize.y + 2);
  auto* view = new PmmViewBox(QStringLiteral("Image25"), QSize(viewSize.x, viewSize.y), panel);
  view->move(1, 1);
  pictures_ << view;
  AddLabel(page, ctl::kPmmHintLabel,
           QStringLiteral("拖动鼠标旋转，滚轮缩放；鼠标停在内力点上显示其内力和比值"), 8, 556, 560);

  AddLabel(page, ctl::kSurfaceCutLabel, QStringLiteral("轴力水平处的曲面切面"), 580, 8, 300);
  pictures_ << AddPanelPicture(page, nullptr, ctl::kSurfaceCutPicture, 580, 28);

  constexpr int kLabelX = 580, kBoxX = 666, kButtonX = 752;
  struct Row {
    const char* label;
    const char* caption;
    const char* box;
  };
  const Row rows[5] = {{ctl::kCutAxialForceLabel, "切面轴力(kN)", ctl::kCutAxialForceBox},
                       {ctl::kPmmAxialRangeLabel, "轴力范围(kN)", ctl::kPmmAxialRangeBox},
                       {ctl::kAzimuthLabel, "方位角(度)", ctl::kAzimuthBox},
                       {ctl::kElevationLabel, "仰角(度)", ctl::kElevationBox},
                       {ctl::kZoomLabel, "缩放系数", ctl::kZoomBox}};
  for (int i = 0; i < 5; ++i) {
    const int y = 336 + 24 * i;
    AddLabel(page, rows[i].label, QString::fromUtf8(rows[i].caption), kLabelX, y + 3, 84);
    AddEdit(page, rows[i].box, kBoxX, y, 80);
  }
  AddButton(page, ctl::kCutAxialForceButton, QStringLiteral("输入轴力"), kButtonX, 334, 90);
  AddButton(page, ctl::kApplyViewButton, QStringLiteral("应用视角"), kButtonX, 382, 90);
  AddButton(page, ctl::kDefaultViewButton, QStringLiteral("默认视角"), kButtonX, 406, 90);
  AddLabel(page, ctl::kAxisScaleLabel, QStringLiteral("坐标比例"), kLabelX, 459, 84);
  AddList(page, ctl::kAxisScaleList, kBoxX, 456, 120);
  AddLabel(page, ctl::kSurfaceStyleLabel, QStringLiteral("曲面显示"), kLabelX, 483, 84);
  AddList(page, ctl::kSurfaceStyleList, kBoxX, 480, 120);
  AddButton(page, ctl::kSurfaceButton, QStringLiteral("生成曲面"), kLabelX, 514, 100);
  AddButton(page, ctl::kSavePmmButton, QStringLiteral("保存PMM图片"), kLabelX + 110, 514, 110);
  // Building the surface of a large section takes a while: its progress,
  // and the button that stops it (as Esc does).
  AddProgressBar(page, ctl::kPmmProgress, kLabelX, 549, 222);
  AddButton(page, ctl::kPmmStopButton, QStringLiteral("停止"), kLabelX + 230, 545, 60)
      ->setEnabled(false);
  // The 3-D view takes the room of a larger window; the rest keep beside
  // and below it.
  Stretch(panel, kGrow);
  Stretch(view, kGrow);
  FollowRightFrom(page, kLabelX);
  FollowBottomFrom(page, 556);
}

// Only the choice: the picture follows at the page's next command.
void TForm1::ShowPmmWindowView() {
  const QSignalBlocker quiet(findChild<QComboBox*>(QStringLiteral("ComboBox15")));
  form_->SetItemIndex(ctl::kAxisScaleList, kPmmWindowScale);
}

void TForm1::ConnectPmmPage() {
  auto command = [this](const char* name, void (*chain)(AppState&, Form&)) {
    connect(findChild<QPushButton*>(QString::fromUtf8(name)), &QPushButton::clicked, this,
            [this, chain] { Run([this, chain] { chain(state_, *form_); }, kPmmPictures); });
  };
  OnClick(ctl::kSurfaceButton,
          [this] { Run([this] { PmmCommand(state_, *form_, Control()); }, kPmmPictures, true); });
  command(ctl::kCutAxialForceButton, PmmCutLevelCommand);
  command(ctl::kApplyViewButton, PmmDrawCommand);
  OnClick(ctl::kDefaultViewButton, [this] {
    Run([this] { PmmDefaultViewCommand(state_, *form_, kPmmWindowScale); }, kPmmPictures);
  });
  connect(findChild<QPushButton*>(QStringLiteral("Button58")), &QPushButton::clicked, this,
          [this] { SavePicture(ctl::kSurfacePicture); });

  auto onReturn = [this](const char* box, void (*chain)(AppState&, Form&)) {
    connect(findChild<QLineEdit*>(QString::fromUtf8(box)), &QLineEdit::returnPressed, this,
            [this, chain] { Run([this, chain] { chain(state_, *form_); }, kPmmPictures); });
  };
  onReturn(ctl::kCutAxialForceBox, PmmCutLevelCommand);
  for (const char* box :
       {ctl::kAzimuthBox, ctl::kElevationBox, ctl::kZoomBox, ctl::kPmmAxialRangeBox})
    onReturn(box, PmmDrawCommand);
  for (const char* list : {ctl::kAxisScaleList, ctl::kSurfaceStyleList})
    connect(findChild<QComboBox*>(QString::fromUtf8(list)), &QComboBox::currentIndexChanged, this,
            [this] { Run([this] { PmmDrawCommand(state_, *form_); }, kPmmPictures); });

  auto* view = findChild<PmmViewBox*>(QStringLiteral("Image25"));
  // Turning, zooming and hovering redraw or read at once, without the
  // command machinery's message box: a failure shows in the read-out.
  auto live = [this, view](const std::function<void()>& action) {
    if (busy_) return;
    try {
      action();
    } catch (const std::exception& e) {
      form_->SetText(ctl::kPmmReadout, e.what());
    }
    view->update();
  };
  connect(view, &PmmViewBox::Dragged, this, [this, live](int dx, int dy) {
    live([this, dx, dy] { PmmTurnCommand(state_, *form_, dx, dy); });
  });
  // After a wheel turn the points move under the resting pointer: read again.
  connect(view, &PmmViewBox::Wheeled, this, [this, live, view](double notches) {
    live([this, notches, view] {
      PmmZoomCommand(state_, *form_, notches);
      const QPoint at = view->ToPicture(view->mapFromGlobal(QCursor::pos()));
      form_->SetText(ctl::kPmmReadout, PmmReadOutText(state_, *form_, at.x(), at.y()));
    });
  });
  connect(view, &PictureBox::MouseMoved, this, [this, live](int x, int y) {
    live([this, x, y] { form_->SetText(ctl::kPmmReadout, PmmReadOutText(state_, *form_, x, y)); });
  });
}

}  // namespace kuma::gui

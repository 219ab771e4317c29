// The charts' read-outs under the pointer, saving a picture as a JPEG file
// and the text reports shown in the result window.

#include <QCursor>
#include <QFileDialog>
#include <QFileInfo>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "app/gui/picture_box.h"
#include "app/gui/result_window.h"
#include "draw/paint/jpeg_file.h"
#include "draw/paint/qimage_canvas.h"
#include "model/controls/mm_page.h"
#include "model/controls/pm_page.h"

namespace kuma::gui {

namespace {

// The read-out label of each chart.
const std::pair<const char*, const char*> kReadOuts[4] = {
    {ctl::kPmxPicture, ctl::kPmxReadout},
    {ctl::kPmyPicture, ctl::kPmyReadout},
    {ctl::kReferencePmPicture, ctl::kReferencePmReadout},
    {ctl::kMmPicture, ctl::kMmReadout}};
constexpr const char* kReadOutBlank = "内力值 = ";

}  // namespace

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

void TForm1::RefreshReadOuts(const QList<PictureBox*>& redrawn) {
  for (const auto& [pictureName, label] : kReadOuts) {
    PictureBox* picture = form_->PictureControl(pictureName);
    if (!redrawn.contains(picture)) continue;
    // The caption follows the new chart: the value under the pointer if it
    // rests on the chart, otherwise the blank caption.
    std::string text = kReadOutBlank;
    if (picture->underMouse()) {
      const QPoint at = picture->ToPicture(picture->mapFromGlobal(QCursor::pos()));
      try {
        text = ReadOutText(state_, *form_, pictureName, at.x(), at.y());
      } catch (const std::exception&) {
      }
    }
    form_->SetText(label, text);
  }
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

}  // namespace kuma::gui

#include "app/gui/import_page.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include "app/commands.h"
#include "app/gui/dialogs.h"
#include "app/gui/main_window.h"
#include "app/gui/name_chooser.h"

namespace kuma::gui {

namespace {

const char* const kFolderKey = "import/folder";

QSettings Settings() { return QSettings(QStringLiteral("KumaSec"), QStringLiteral("KumaSec")); }

}  // namespace

QString RememberedImportFolder() {
  const QString folder = Settings().value(QString::fromLatin1(kFolderKey)).toString();
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void RememberImportFolder(const QString& file) {
  Settings().setValue(QString::fromLatin1(kFolderKey), QFileInfo(file).absolutePath());
}

void TForm1::ConnectImportPage() {
  auto button = [this](const char* name) {
    return findChild<QPushButton*>(QString::fromUtf8(name));
  };
  connect(button("Button40"), &QPushButton::clicked, this, [this] { ReimportForces(); });
  connect(button("Button41"), &QPushButton::clicked, this,
          [this] { ChooseNames("ListBox1", "Edit75", state_.forceTable.stories); });
  connect(button("Button42"), &QPushButton::clicked, this,
          [this] { ChooseNames("ListBox2", "Edit76", state_.forceTable.columns); });
  for (const auto& [chooserName, boxName] :
       {std::pair{"ListBox1", "Edit75"}, std::pair{"ListBox2", "Edit76"}}) {
    auto* chooser = findChild<NameChooser*>(QString::fromUtf8(chooserName));
    auto* box = findChild<QLineEdit*>(QString::fromUtf8(boxName));
    connect(chooser, &NameChooser::Chosen, box, &QLineEdit::setText);
  }
}

void TForm1::ReimportForces() {
  if (busy_) return;
  const std::string path = state_.forceTable.fileName;
  if (path.empty()) {
    ImportForces();
    return;
  }
  ImportChosenFile(path, state_.forceTable.sheet);
}

void TForm1::ChooseNames(const char* chooserName, const char* boxName,
                         const std::vector<std::string>& names) {
  if (busy_) return;
  auto* chooser = findChild<NameChooser*>(QString::fromUtf8(chooserName));
  auto* box = findChild<QLineEdit*>(QString::fromUtf8(boxName));
  chooser->Fill(names, box->text());
  chooser->setGeometry(QRect(box->mapToGlobal(QPoint(0, box->height())), QSize(box->width(), 200)));
  chooser->show();
  chooser->setFocus();
}

}  // namespace kuma::gui

#include "app/gui/recent_files.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace kuma::gui {

namespace {

QString& TestFile() {
  static QString path;
  return path;
}

std::unique_ptr<QSettings> Settings() {
  if (!TestFile().isEmpty()) return std::make_unique<QSettings>(TestFile(), QSettings::IniFormat);
  return std::make_unique<QSettings>(QStringLiteral("KumaSec"), QStringLiteral("KumaSec"));
}

const QString kFilesKey = QStringLiteral("recent/sections");

}  // namespace

void RecentFiles::UseFileForTesting(const QString& iniPath) { TestFile() = iniPath; }

QStringList RecentFiles::Files() const { return Settings()->value(kFilesKey).toStringList(); }

void RecentFiles::Add(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = Files();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaxFiles) files.removeLast();
  Settings()->setValue(kFilesKey, files);
}

void RecentFiles::Remove(const QString& path) {
  QStringList files = Files();
  files.removeAll(QFileInfo(path).absoluteFilePath());
  Settings()->setValue(kFilesKey, files);
}

QString RecentFiles::Folder(const QString& kind) const {
  return Settings()->value(QStringLiteral("folders/") + kind).toString();
}

void RecentFiles::RememberFolderOf(const QString& kind, const QString& path) {
  Settings()->setValue(QStringLiteral("folders/") + kind, QFileInfo(path).absolutePath());
}

QVariant RecentFiles::Choice(const QString& key) const { return Settings()->value(key); }

void RecentFiles::RememberChoice(const QString& key, const QVariant& value) {
  Settings()->setValue(key, value);
}

}  // namespace kuma::gui

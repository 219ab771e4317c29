#pragma once
// What the window remembers between runs: the section files used last, for
// the file menu, and the folder each kind of file dialog used last.

#include <QString>
#include <QStringList>
#include <QVariant>

namespace kuma::gui {

class RecentFiles {
 public:
  static constexpr int kMaxFiles = 8;

  // Most recent first.
  QStringList Files() const;
  // Puts the file first (absolute path), dropping an older entry of it and
  // the oldest beyond kMaxFiles.
  void Add(const QString& path);
  void Remove(const QString& path);

  // The folder a dialog of this kind ("sections", "reports") used last;
  // empty before the first use.
  QString Folder(const QString& kind) const;
  // Remembers the folder of `path`.
  void RememberFolderOf(const QString& kind, const QString& path);

  // Other choices the window keeps between runs, by key (an invalid value
  // before the first use).
  QVariant Choice(const QString& key) const;
  void RememberChoice(const QString& key, const QVariant& value);

  // Tests keep their settings in a file of their own (empty: the user's).
  static void UseFileForTesting(const QString& iniPath);
};

}  // namespace kuma::gui

#pragma once
// The force import page beyond its controls: the folder the open dialog
// starts in, remembered between runs in the toolkit's settings store.

#include <QString>

namespace kuma::gui {

// The folder of the force file opened last, or empty (never opened, or the
// folder is gone).
QString RememberedImportFolder();
// Remembers the folder of `file` for the next open dialog, in this run and
// the next ones.
void RememberImportFolder(const QString& file);

}  // namespace kuma::gui

#pragma once
// The toolkit's own texts (the buttons and captions of the file, colour and
// message dialogs) in Chinese, from the Qt translations installed with the
// system.

class QCoreApplication;

namespace kuma::gui {

// Loads the toolkit's Simplified Chinese translations into the application.
// Returns false when none is installed (the dialogs then stay in English).
bool InstallChineseTranslations(QCoreApplication& application);

}  // namespace kuma::gui

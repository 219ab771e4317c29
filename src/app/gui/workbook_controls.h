#pragma once
// Workbooks in the window: the choice of a sheet when a workbook holds
// several tables the force import could read, through a replaceable function
// so that the tests can answer instead of a person.

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace kuma::gui {

// Offers `sheets` and returns the one chosen, or an empty string when the
// engineer cancels (default: a modal list "选择工作表").
using SheetChooser = std::function<QString(QWidget* parent, const QStringList& sheets)>;

// Returns the function it replaces; an empty function restores the default.
SheetChooser SetSheetChooser(SheetChooser chooser);
QString ChooseSheet(QWidget* parent, const QStringList& sheets);

}  // namespace kuma::gui

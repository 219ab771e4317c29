#pragma once
// The main window: eight tab pages of inputs and pictures, the menus and the
// status bar. It owns the program's state and hands every button, menu item
// and page change to its command chain.

#include <QHash>
#include <QMainWindow>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <memory>

#include "analysis/progress.h"
#include "app/gui/qt_form.h"
#include "model/state.h"
#include "report/calc_report.h"

class QColorDialog;
class QFileDialog;
class QRect;
class QMenu;
class QTabWidget;

namespace kuma::gui {

class PictureBox;
class SwatchBox;
struct BuildingPageState;
class TForm2;
class TForm3;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1();
  ~TForm1() override;

  // The result and about windows, created after this one.
  void SetSecondaryWindows(TForm2* result, TForm3* about);
  // Meshes and draws the first kind and computes both PM charts.
  void RunStartUp();

  AppState& State() { return state_; }
  QtForm& FormView() { return *form_; }
  // True while a command runs; other commands are refused meanwhile.
  bool Busy() const { return busy_; }

  // Runs one command: refuses it while another one runs, shows the message
  // of a failure, repaints the pictures. Returns true when it completed.
  // `pictures` are the pictures the command draws: each one it redraws
  // loses its "未更新" mark, and when the command fails or is stopped, each
  // one it did not redraw gets it. A `stoppable` command enables the stop
  // buttons and Esc, and ends quietly (with a note in the status bar) when
  // they are used.
  bool Run(const std::function<void()>& command, const QStringList& pictures = {},
           bool stoppable = false);
  // Asks the running command to stop, if it can be stopped.
  void RequestStop();
  // The window opens no larger than the screen's available area: the
  // designed size, shrunk to fit (the pages then scroll).
  void FitToScreen(const QRect& available);

  // The section file open (empty for a new section) and whether the form,
  // colours or forces differ from what was last opened or saved.
  const QString& SectionPath() const { return sectionPath_; }
  bool SectionModified() const { return modified_; }
  // Opens a section file as "打开截面" does after its dialog (asking first
  // whether to save unsaved changes). Returns true when it was opened.
  bool OpenSectionPath(const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildStatusBar();
  void BuildSectionPage(QWidget* page);
  void BuildConcretePage(QWidget* page);
  void BuildSteelPage(QWidget* page);
  void BuildPmPage(QWidget* page);
  void BuildMmPage(QWidget* page);
  void BuildImportPage(QWidget* page);
  void BuildCheckControls(QWidget* page);
  void BuildPmmPage(QWidget* page);
  void BuildScriptPage(QWidget* page);
  void BuildOpenSeesModelControls(QWidget* page);
  void BuildMaterialGroup(QWidget* page, int zone, int x);
  void Connect();
  void ConnectPictures();
  void ConnectPmmPage();  // the page "PMM三维曲面" (pmm_page.cpp)
  // The pages "截面库" (library_page.cpp) and "楼栋验算" (building_page.cpp).
  void BuildLibraryPage(QWidget* page);
  void ConnectLibraryPage();
  void RefreshLibraryPage();
  void BuildBuildingPage(QWidget* page);
  void ConnectBuildingPage();
  void ImportBuildingForces();
  void RunBuildingCheckPage();
  void ShowBuildingResults();
  void ShowBuildingColumn(int row);
  // The building chapter of the calculation report, after a building check.
  void AppendBuildingPageChapter(CalcReport& report) const;
  void ConnectEnterKeys();
  void AssignShortcuts();
  WorkControl Control();
  void RunPageChange(int pageIndex);
  void SetStopButtonsEnabled(bool enabled);
  void MarkPictures(const QHash<PictureBox*, int>& before, const QStringList& pictures,
                    bool incomplete);
  void RefreshReadOuts(const QList<PictureBox*>& redrawn);

  void ApplySectionKind();
  void SelectKindFromMenu(int kindIndex);
  void ShowPageFromMenu(int pageIndex);
  void BringPageToFront(int pageIndex);
  void PageChanged(int pageIndex);
  void ImportForces();
  // The import page's own buttons: re-import with the current filters, and
  // the pop-up lists of stories and columns.
  void ConnectImportPage();
  void ReimportForces();
  void ChooseNames(const char* chooserName, const char* boxName,
                   const std::vector<std::string>& names);
  // The design check, when forces have been imported.
  void RunDesignCheck();
  void SavePicture(const char* pictureName);
  // Button65: the OpenSEES text box's text into a file (UTF-8, LF).
  void SaveOpenSeesText();
  void ShowReport(std::vector<std::string> (*report)(const AppState&));
  void PickColour(int zone);
  void ShowAbout();
  void OpenAuthorPage(const char* address);

  QFileDialog& SaveDialog();
  QFileDialog& OpenDialog();

  // Section files, the unsaved-changes mark and the report
  // (main_window_files.cpp).
  void BuildFileMenu(QMenu* file);
  void BuildProjectGroup(QWidget* page);
  void WatchForChanges();
  void NewSection();
  void OpenSection();
  void LoadSection(const QString& path);
  bool SaveSection();
  bool SaveSectionAs();
  bool SaveSectionTo(const QString& path);
  bool MayDiscardChanges();
  std::string Snapshot() const;
  void MarkSaved();
  void UpdateModified();
  void UpdateTitle();
  void ShowColours();
  void RebuildRecentMenu();
  void WriteReport();
  QFileDialog& SectionDialog(bool save);
  QFileDialog& ReportDialog();

  AppState state_;
  std::unique_ptr<QtForm> form_;
  QTabWidget* pages_ = nullptr;
  QVector<PictureBox*> pictures_;
  std::array<SwatchBox*, 5> swatches_{};
  QFileDialog* saveDialog_ = nullptr;
  QFileDialog* openDialog_ = nullptr;
  QColorDialog* colorDialog_ = nullptr;
  QFileDialog* openSeesDialog_ = nullptr;
  TForm2* resultWindow_ = nullptr;
  TForm3* aboutWindow_ = nullptr;
  bool busy_ = false;
  bool stoppable_ = false;
  CancelToken cancel_;
  bool quietPageChange_ = false;

  QString sectionPath_;
  std::string savedSnapshot_;  // the form and colours as last opened or saved
  ForceTable savedForces_;     // the forces likewise
  bool modified_ = false;
  QMenu* recentMenu_ = nullptr;
  QFileDialog* sectionOpenDialog_ = nullptr;
  QFileDialog* sectionSaveDialog_ = nullptr;
  QFileDialog* reportDialog_ = nullptr;
  std::unique_ptr<BuildingPageState> building_;
};

// The three windows, created in the program's order: main, result, about.
// The secondary windows are children of the main window and go with it.
struct Windows {
  std::unique_ptr<TForm1> main;
  TForm2* result = nullptr;
  TForm3* about = nullptr;
};
Windows CreateWindows();

// Web addresses the window opens.
extern const char* const kHomePage;
extern const char* const kManualPage;

}  // namespace kuma::gui

#pragma once
// The main window: tab pages of inputs and pictures, the menus and the
// status bar. It owns the program's state and hands every button, menu item
// and page change to its command chain.
//
// Each page has a file of its own (section_page.cpp, material_pages.cpp,
// pm_page.cpp, mm_page.cpp, import_page.cpp, check_panel.cpp, pmm_page.cpp,
// script_page.cpp) holding its builder and its buttons' connections; the
// menus and status bar are in menus.cpp, the pictures' commands in
// picture_commands.cpp, the section files in main_window_files.cpp.

#include <QHash>
#include <QMainWindow>
#include <QSize>
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

namespace kuma {
struct SeismicCasesView;
}

namespace kuma::gui {

// The pages' object names. A page is always found by its name, never by its
// position among the tabs.
inline constexpr const char* kSectionPage = "TabSheet1";
inline constexpr const char* kConcretePage = "TabSheet2";
inline constexpr const char* kSteelPage = "TabSheet3";
inline constexpr const char* kPmPage = "TabSheet4";
inline constexpr const char* kMmPage = "TabSheet5";
inline constexpr const char* kImportPage = "TabSheet6";
inline constexpr const char* kPmmPage = "TabSheet7";
inline constexpr const char* kScriptPage = "TabSheet8";
inline constexpr const char* kMphiPage = "TabSheet9";
inline constexpr const char* kLibraryPage = "TabSheetLibrary";
inline constexpr const char* kBuildingPage = "TabSheetBuilding";
inline constexpr const char* kCodePage = "TabSheetCode";

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
  // The window opens no larger than the screen's available area: `wanted`
  // (empty: the designed size, 916 x 719), shrunk to fit (the pages then
  // scroll).
  void FitToScreen(const QRect& available, QSize wanted = {});
  // The size the window had when it was last closed (empty before the
  // first close), kept in the toolkit's settings store.
  static QSize RememberedSize();

  // The section file open (empty for a new section) and whether the form,
  // colours or forces differ from what was last opened or saved.
  const QString& SectionPath() const { return sectionPath_; }
  bool SectionModified() const { return modified_; }
  // Opens a section file as "打开截面" does after its dialog (asking first
  // whether to save unsaved changes). Returns true when it was opened.
  bool OpenSectionPath(const QString& path);

  // The page of that object name (the widget inside its tab's scroll area),
  // its tab index (-1 when there is none) and the page in front.
  QWidget* Page(const QString& name) const;
  int PageIndex(const QString& name) const;
  QWidget* CurrentPage() const;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Adds a tab holding a scrolling page of that object name, built by
  // `build`.
  void AddPage(const char* name, const char* title, const std::function<void(QWidget*)>& build);
  void BuildMenus();  // menus.cpp
  void SetPageStretchBases();
  void BuildStatusBar();
  // The pages "截面库" (library_page.cpp) and "楼栋验算" (building_page.cpp).
  void BuildLibraryPage(QWidget* page);
  void ConnectLibraryPage();
  void RefreshLibraryPage();
  // The page's buttons, and what they share: the section chosen in the list
  // (-1 none), the name typed, a library edit run as a command (the page
  // redrawn after it), the notes shown one per line.
  int ChosenLibrarySection() const;
  std::string LibraryNameText() const;
  bool EditLibrary(const std::function<void()>& change);
  void ShowLibraryNotes(const std::vector<std::string>& notes);
  void AddFormToLibrary();           // Button80
  void RenameLibrarySection();       // Button81
  void CopyLibrarySection();         // Button82
  void DeleteLibrarySection();       // Button83
  void LoadLibrarySection();         // Button84
  void ImportSectionDefinitions();   // Button85
  void ApplyAssignments();           // Button86
  void ImportAssignmentFile();       // Button87
  void ShowLibraryMaterials();
  void ShowMaterialGrades(int row);  // a row of the materials chosen
  void SetMaterialGrade();           // Button93
  void BuildBuildingPage(QWidget* page);
  void ConnectBuildingPage();
  void ImportBuildingForces();
  // The building's forces of an opened section file on the page, checked
  // again against the library as saved.
  void RestoreBuildingForces();
  void RunBuildingCheckPage();
  void ExportBuildingWorkbook();  // "导出Excel" (Button92)
  void ShowBuildingResults();
  void ShowBuildingColumn(int row);
  // The charts of the column clicked in the results (building_charts_page.cpp):
  // the pictures under the results, computed for an entry of the check, a
  // combination of the column ringed, and the pictures blank again.
  void BuildBuildingCharts(QWidget* page, int y);
  void ConnectBuildingCharts();
  void ShowBuildingCharts(int entry);
  void RingBuildingCombination(int gridRow);
  void DrawBuildingCharts();
  void ClearBuildingCharts();
  void AssignShortcuts();
  void BuildSectionPage(QWidget* page);  // section_page.cpp
  void ConnectSectionPage();
  void BuildConcretePage(QWidget* page);  // material_pages.cpp
  void BuildSteelPage(QWidget* page);
  void BuildMaterialGroup(QWidget* page, int zone, int x);
  void ConnectMaterialPages();
  // Choosing a law, a grade or the value level draws the curves again, after
  // the grade has filled the boxes (so connected after them).
  void ConnectMaterialRedraws();
  void BuildPmPage(QWidget* page);  // pm_page.cpp
  void ConnectPmPage();
  void BuildMmPage(QWidget* page);  // mm_page.cpp
  void ConnectMmPage();
  void BuildImportPage(QWidget* page);  // import_page.cpp
  void BuildCheckControls(QWidget* page);  // check_panel.cpp
  void ConnectCheckControls();
  void BuildPmmPage(QWidget* page);  // pmm_page.cpp
  void ConnectPmmPage();
  // The page "弯矩-曲率" after the MM page (mphi_page.cpp).
  void BuildMphiPage(QWidget* page);
  void ConnectMphiPage();
  void RunMphi();
  // The 3-D page's axis scales as the window first shows them.
  void ShowPmmWindowView();
  void BuildScriptPage(QWidget* page);  // script_page.cpp
  void BuildCodePage(QWidget* page);    // code_page.cpp
  void BuildSeismicCasesGroup(QWidget* page);
  void ConnectCodePage();
  // The record of a row of the check table (0 for none), its calculation
  // sheet in Memo6, the code of the kind chosen, the seismic cases of the
  // forces as ticks (again only when the forces or the box changed, unless
  // `force`), the ticks into Edit172, and all of it after a command.
  int ChosenCheckRecord(int gridRow) const;
  void ShowCalcSheet(int record);
  void ShowCodeByKind();
  std::vector<const ForceTable*> SeismicCaseTables() const;
  void ShowSeismicCases(bool force);
  void ShowSeismicCombinations(const SeismicCasesView& view);
  void ApplySeismicTicks();
  void RefreshCodePage();
  void BuildOpenSeesModelControls(QWidget* page);
  void BuildOpenSeesTagControls(QWidget* page);
  void ConnectScriptPage();
  void Connect();
  // Connects a button of the pages to a handler, or to running a command
  // chain that draws `pictures`.
  void OnClick(const char* button, std::function<void()> handler);
  void OnClickRun(const char* button, void (*chain)(AppState&, Form&),
                  const QStringList& pictures);
  void ConnectPictures();  // picture_commands.cpp
  void ConnectEnterKeys();
  WorkControl Control();
  // The command run when a page comes to the front: the page's own
  // command, or nothing for a page without one.
  void RunPageChange(QWidget* page);
  void SetStopButtonsEnabled(bool enabled);
  void MarkPictures(const QHash<PictureBox*, int>& before, const QStringList& pictures,
                    bool incomplete);
  void RefreshReadOuts(const QList<PictureBox*>& redrawn);

  void ApplySectionKind();
  void SelectKindFromMenu(int kindIndex);
  void ShowPageFromMenu(const char* pageName);
  void BringPageToFront(const char* pageName);
  void PageChanged(int tabIndex);
  // The number the page commands know the page in front by (0 the section
  // page … 7 the OpenSEES page), -1 for a page they do not know.
  int CurrentPageCommandIndex() const;
  void ImportForces();
  // The import page's own buttons: re-import with the current filters, and
  // the pop-up lists of stories and columns.
  void ConnectImportPage();
  void ReimportForces();
  // The plotting factors from their boxes into the forces when they
  // changed, and the check again when there is one.
  void ApplyForceFactors();
  void ChooseNames(const char* buttonName, const char* chooserName, const char* boxName,
                   const std::vector<std::string>& names);
  // Workbooks (workbook_controls.cpp): the "导出Excel" buttons, the import
  // of a chosen file (asking for the sheet of a workbook with several
  // tables, unless `sheet` names it) and the export of the check table
  // (or else the statistics).
  void BuildWorkbookControls(QWidget* page);
  void ImportChosenFile(const std::string& path, const std::string& sheet = {});
  void ExportWorkbook(bool checkTable);
  // The design check, when forces have been imported.
  void RunDesignCheck();
  // Row `gridRow` of the check table clicked: its combination selected in
  // the force grid and ringed on the PM, MM and 3-D charts.
  void ShowChosenCombination(int gridRow);
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
  ForceTable savedBuildingForces_;  // the building's forces likewise
  bool modified_ = false;
  QMenu* recentMenu_ = nullptr;
  QFileDialog* sectionOpenDialog_ = nullptr;
  QFileDialog* sectionSaveDialog_ = nullptr;
  QFileDialog* reportDialog_ = nullptr;
  std::unique_ptr<BuildingPageState> building_;
  int sheetRecord_ = 0;         // the record whose calculation sheet Memo6 shows
  std::string sheetSignature_;  // the record and code check it was worked for
  std::string casesSignature_;  // the forces and box the seismic ticks were listed for
  bool applyingTicks_ = false;  // the ticks are being written into Edit172
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

#pragma once
// The main window: eight tab pages of inputs and pictures, the menus and the
// status bar. It owns the program's state and hands every button, menu item
// and page change to its command chain.

#include <QMainWindow>
#include <QVector>
#include <array>
#include <functional>
#include <memory>

#include "app/gui/qt_form.h"
#include "model/state.h"

class QColorDialog;
class QFileDialog;
class QMenu;
class QTabWidget;

namespace kuma::gui {

class PictureBox;
class SwatchBox;
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
  bool Run(const std::function<void()>& command);

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
  void BuildPmmPage(QWidget* page);
  void BuildScriptPage(QWidget* page);
  void BuildMaterialGroup(QWidget* page, int zone, int x);
  void Connect();
  void ConnectPictures();

  void ApplySectionKind();
  void SelectKindFromMenu(int kindIndex);
  void ShowPageFromMenu(int pageIndex);
  void BringPageToFront(int pageIndex);
  void PageChanged(int pageIndex);
  void ImportForces();
  void SavePicture(const char* pictureName);
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
  TForm2* resultWindow_ = nullptr;
  TForm3* aboutWindow_ = nullptr;
  bool busy_ = false;
  bool quietPageChange_ = false;

  QString sectionPath_;
  std::string savedSnapshot_;  // the form and colours as last opened or saved
  ForceTable savedForces_;     // the forces likewise
  bool modified_ = false;
  QMenu* recentMenu_ = nullptr;
  QFileDialog* sectionOpenDialog_ = nullptr;
  QFileDialog* sectionSaveDialog_ = nullptr;
  QFileDialog* reportDialog_ = nullptr;
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

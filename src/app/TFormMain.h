#pragma once
// The main window: the source folder, the options, the apply button and the four list panes.
// Its methods are thin: they hand the controls' state to the core and put results into the
// panes. The controls keep their designer names, also as their Qt object names.

#include "app/Dpi.h"
#include "app/TDialogReporter.h"
#include "app/TDirectoryEdit.h"
#include "app/TStrHolder.h"
#include "rename/ApplyRun.h"
#include "rename/PreviewScan.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QAction;
class QMenu;
class QRadioButton;
class QStatusBar;
class QTimer;
class QToolButton;

class QMouseEvent;

namespace kavio::components {
class TLumoInternetUpdate;
class TLumoVersionLbl;
}
namespace kavio::extract {
class TFormViewMail;
}

namespace kavio::app {

class TCompletionAnimation;
class TAppIniFileStorage;
class TFileListBox;
class TFormStorage;
class TFormInfo;
class TListPanes;
class TWrapButton;

class TFormMain : public QWidget {
  Q_OBJECT

 public:
  explicit TFormMain(QWidget* AParent = nullptr);
  ~TFormMain() override;

  // The extraction service, created after the window. Until it is set a scan lists the files
  // and reads none.
  void SetFormViewMail(extract::TFormViewMail* AFormViewMail);
  // The reporter of the window: modal dialogs and the status bar.
  extract::IReporter& Reporter() { return FReporter; }

  // The preview scan: lists the folder in the name pane and fills the other three panes row by
  // row. A scan asked for while one runs (from inside one of its dialogs) runs after it.
  void ReadFiles();
  // The options of the scan as the controls stand.
  rename::TScanOptions ScanOptions() const;
  // The result of the last scan, as the panes show it.
  const rename::TScanResult& LastScan() const { return FLastScan; }

  // The apply run (TFormMainApply.cpp): confirmation, backup, renaming and re-dating, final
  // scan, completion animation. Errors that end it go on to the application's error reporting.
  void ChangeFileNames();
  // Whether an apply run is in progress, from the Yes to its end.
  bool IsApplyRunning() const { return FApplyRun && FApplyRun->IsRunning(); }

  // The update check (TFormMainUpdate.cpp): two right presses on the info button within a
  // second ask whether to look for an update.
  void SpeedButton1MouseDown(QMouseEvent* AEvent);
  void TimerRightDblClkTimer();

  // Event handlers.
  void FormCreate();
  void FormShow();
  void JvDirectoryEditSrcChange();
  void SpeedButton1Click();
  void CheckBoxPreStringClick();
  void CheckBoxAbsenderClick();
  void JvRadioButtonEmlClick();
  void JvRadioButtonMsg_OxMsgClick();
  void JvRadioButtonMsg_OutlookClick();
  void ButtonDoItClick();
  // TFormMainFolder.cpp: the folder watcher's tick and the recent-folders menu.
  void TimerNrOfFilesTimer();
  void PopupMenu1Popup();
  void DirectoryPopupMenuClick(QAction* ASender);

  // Adds a folder to the recent-folders list (sorted, no case-insensitive duplicates).
  void AddRecentFolder(const QString& AFolder);
  // A scan or an apply run is in progress, also while it waits in one of its dialogs; the
  // folder watcher leaves the panes alone then.
  bool IsBusy() const { return FScanning || IsApplyRunning(); }

  // The file count of the source folder.
  int FilesInTheFolder() const { return FFilesInTheFolder; }
  // The info window, once the info button has made it.
  TFormInfo* FormInfo() const { return FFormInfo; }
  TCompletionAnimation& Animation() { return *FAnimation; }
  const TDpi& Dpi() const { return FDpi; }

  // The controls, as designed.
  QFrame* PanelTop = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  TDirectoryEdit* JvDirectoryEditSrc = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QFrame* PanelCenter = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* JvGroupBox1 = nullptr;
  QCheckBox* CheckBoxPreString = nullptr;
  QCheckBox* CheckBoxAbsender = nullptr;
  QCheckBox* CheckBoxBackup = nullptr;
  QGroupBox* JvRadioGroup1 = nullptr;
  QRadioButton* JvRadioButtonEml = nullptr;
  QRadioButton* JvRadioButtonMsg_OxMsg = nullptr;
  QRadioButton* JvRadioButtonMsg_Outlook = nullptr;
  TWrapButton* ButtonDoIt = nullptr;
  QLabel* JvGIFAnimator1 = nullptr;
  components::TLumoVersionLbl* LumoVersionLbl1 = nullptr;
  QFrame* Panel1 = nullptr;
  TListPanes* Panes = nullptr;
  TFileListBox* FileListBox1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusBar1Panel0 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QTimer* TimerNrOfFiles = nullptr;
  // The recent folders.
  TStrHolder JvStrHolderDirs;
  QTimer* TimerRightDblClk = nullptr;
  components::TLumoInternetUpdate* LumoInternetUpdate1 = nullptr;
  // The settings store and its file (TFormStorage.h).
  std::unique_ptr<TAppIniFileStorage> JvAppIniFileStorage1;
  std::unique_ptr<TFormStorage> JvFormStorage1;

 Q_SIGNALS:
  // A scan has refilled the panes.
  void FilesRead();

 protected:
  void showEvent(QShowEvent* AEvent) override;
  void closeEvent(QCloseEvent* AEvent) override;

 private:
  // TFormMainLayout.cpp
  void CreateControls();
  void SetTabOrder();
  // TFormMainHints.cpp
  void SetDesignedHints();
  void WrapHints();
  // TFormMainHandlers.cpp
  void ConnectHandlers();
  void UpdateOptionTabStops();
  // TFormMainFolder.cpp
  void CreateSourceFolder();
  // TFormMainScan.cpp
  void ScanOnce();
  // TFormMainApply.cpp
  std::unique_ptr<rename::TApplyRun> MakeApplyRun();
  // TFormMainUpdate.cpp
  void CreateUpdateCheck();

  TDpi FDpi;
  TDialogReporter FReporter;
  std::unique_ptr<rename::TPreviewScan> FScan;
  std::unique_ptr<rename::TApplyRun> FApplyRun;
  rename::TScanResult FLastScan;
  std::unique_ptr<class TWindowUpdateHost> FUpdateHost;
  TCompletionAnimation* FAnimation = nullptr;
  TFormInfo* FFormInfo = nullptr;
  int FFilesInTheFolder = 0;
  bool FShown = false;
  bool FScanning = false;
  bool FScanAgain = false;
};

}  // namespace kavio::app

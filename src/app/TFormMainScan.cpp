// The preview scan in the window: the name pane lists the folder, the core reads every file,
// and each finished row goes into the other three panes at once.

#include "app/TFileListBox.h"
#include "app/TFormMain.h"
#include "app/TListPanes.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace kavio::app {

rename::TScanOptions TFormMain::ScanOptions() const {
  rename::TScanOptions options;
  if (JvRadioButtonMsg_OxMsg->isChecked())
    options.Kind = rename::TMailKind::MsgDirect;
  else if (JvRadioButtonMsg_Outlook->isChecked())
    options.Kind = rename::TMailKind::MsgOutlook;
  options.UsePreStrg = CheckBoxPreString->isChecked();
  options.UseFromStrg = CheckBoxAbsender->isChecked();
  return options;
}

void TFormMain::ReadFiles() {
  // A scan's dialogs let events through; a scan asked for meanwhile runs when this one is done,
  // so that no two scans write into the panes at once.
  if (FScanning) {
    FScanAgain = true;
    return;
  }
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } guard{FScanning = true};
  do {
    FScanAgain = false;
    ScanOnce();
  } while (FScanAgain);
  Q_EMIT FilesRead();
}

void TFormMain::ScanOnce() {
  const QString folder = JvDirectoryEditSrc->text();
  if (!folder.isEmpty() && QFileInfo(folder).isDir())
    FileListBox1->SetDirectory(folder);
  else
    FileListBox1->ClearFolder();
  Panes->ClearDetails();
  FLastScan = {};
  if (!FScan) return;
  FLastScan = FScan->ScanFiles(FileListBox1->Directory(), FileListBox1->FileNames(), ScanOptions(),
                               [this](const rename::TPreviewRow& ARow) { Panes->AppendRow(ARow); });
}

}  // namespace kavio::app

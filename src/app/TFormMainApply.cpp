// The apply button: the window hands folder and options to the apply run and shows what it
// does: the disabled button, the status texts, the new names row by row, the final scan and the
// completion animation.

#include "app/TCompletionAnimation.h"
#include "app/TFormMain.h"
#include "app/TListPanes.h"
#include "app/TWrapButton.h"

#include <QCheckBox>
#include <QLineEdit>

namespace kavio::app {

std::unique_ptr<rename::TApplyRun> TFormMain::MakeApplyRun() {
  auto run = std::make_unique<rename::TApplyRun>(*FScan, FReporter);
  rename::TApplyHooks hooks;
  hooks.Busy = [this](bool ABusy) { ButtonDoIt->setEnabled(!ABusy); };
  hooks.AddRecentFolder = [this](const QString& AFolder) { AddRecentFolder(AFolder); };
  // The run's two scans are the window's, so the panes show them.
  hooks.ReadFiles = [this] {
    ReadFiles();
    return FLastScan;
  };
  hooks.ChangeStarted = [this] { Panes->ClearNewColumns(); };
  hooks.FileDone = [this](const rename::TApplyFile& AFile) {
    if (!AFile.NewName.isEmpty()) Panes->AppendNewName(AFile.NewName);
  };
  hooks.Finished = [this](const rename::TApplyResult&) { FAnimation->Start(); };
  run->SetHooks(std::move(hooks));
  return run;
}

void TFormMain::ButtonDoItClick() { ChangeFileNames(); }

void TFormMain::ChangeFileNames() {
  if (!FApplyRun) return;
  rename::TApplyOptions options;
  options.Scan = ScanOptions();
  options.Backup = CheckBoxBackup->isChecked();
  FApplyRun->Execute(JvDirectoryEditSrc->text(), options);
}

}  // namespace kavio::app

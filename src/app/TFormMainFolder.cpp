// The source folder in the window: counting and scanning on every change of the folder text,
// the folder watcher, the recent-folders menu and drops on the name pane.

#include "app/SourceFolder.h"
#include "app/TApplication.h"
#include "app/TFileListBox.h"
#include "app/TFormMain.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <exception>

namespace kavio::app {

namespace {

constexpr int WatchInterval = 15000;  // ms

const QString AllFiles = QStringLiteral("*.*");

// An error of the watcher goes to the application's error reporting, as one escaping any other
// handler would.
void ReportWatcherError(const QString& AMessage) {
  if (auto* application = qobject_cast<TApplication*>(QCoreApplication::instance()))
    application->ReportError(AMessage);
  else
    qWarning("%s", qUtf8Printable(AMessage));
}

}  // namespace

void TFormMain::CreateSourceFolder() {
  PopupMenu1 = new QMenu(JvDirectoryEditSrc);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
  JvDirectoryEditSrc->SetPopupMenu(PopupMenu1);

  // A drop on the name pane does what a drop on the folder field does.
  AcceptFolderDrops(FileListBox1->viewport(), JvDirectoryEditSrc);

  TimerNrOfFiles = new QTimer(this);
  TimerNrOfFiles->setObjectName(QStringLiteral("TimerNrOfFiles"));
  TimerNrOfFiles->setInterval(WatchInterval);
  connect(TimerNrOfFiles, &QTimer::timeout, this, [this] { TimerNrOfFilesTimer(); });
  TimerNrOfFiles->start();
}

void TFormMain::JvDirectoryEditSrcChange() {
  FFilesInTheFolder = CountFilesInFolder(JvDirectoryEditSrc->text(), AllFiles);
  ReadFiles();
}

void TFormMain::TimerNrOfFilesTimer() {
  TimerNrOfFiles->stop();
  // A scan or an apply run that waits in a dialog walks through the panes; a rescan now would
  // refill them under it. The count stays as it was, so the next tick sees the change.
  if (!IsBusy()) {
    try {
      const int nrOfFiles = CountFilesInFolder(JvDirectoryEditSrc->text(), AllFiles);
      if (nrOfFiles != FFilesInTheFolder) {
        FFilesInTheFolder = nrOfFiles;
        ReadFiles();
      }
    } catch (const std::exception& e) {
      ReportWatcherError(QString::fromUtf8(e.what()));
    } catch (...) {
      ReportWatcherError(QStringLiteral("Unbekannter Fehler"));
    }
  }
  TimerNrOfFiles->start();
}

void TFormMain::AddRecentFolder(const QString& AFolder) { JvStrHolderDirs.Add(AFolder); }

void TFormMain::PopupMenu1Popup() {
  PopupMenu1->clear();
  for (const QString& folder : JvStrHolderDirs.Strings()) {
    // A menu reads "&" as the mark of a shortcut letter: "&&" shows one "&". The entry keeps
    // the folder itself, so a platform that adds marks of its own cannot change it.
    QString caption = folder;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* entry = PopupMenu1->addAction(caption);
    entry->setData(folder);
    connect(entry, &QAction::triggered, this, [this, entry] { DirectoryPopupMenuClick(entry); });
  }
}

void TFormMain::DirectoryPopupMenuClick(QAction* ASender) { JvDirectoryEditSrc->setText(ASender->data().toString()); }

}  // namespace kavio::app

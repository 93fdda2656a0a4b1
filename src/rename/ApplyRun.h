#pragma once
// The apply run: after a confirmation, the optional backup, then every listed mail file is read
// again, renamed to the name of the file-name scheme when that differs, and given the mail's
// instant as its last-write time. Mail contents are never touched.
//
// The run reports through the same reporter as the scan (dialogs and status texts) and talks to
// the window through hooks; the command line runs it without them. Use:
//
//   TApplyRun run(scan, reporter);
//   run.SetHooks({...});                         // optional, see TApplyHooks
//   TApplyResult result = run.Execute(folder, options);
//
// Execute throws TApplyError when the operation ends by an error: TBackupError when the backup
// failed (no file changed), TApplyError("Sonstiger Fehler beim Dateizugriff") when an unexpected
// error ended the run. The hooks' Busy(false) and the emptied status text come first in any case.

#include "extract/Reporter.h"
#include "rename/BackupArchive.h"
#include "rename/PreviewScan.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace kavio::rename {

struct TApplyOptions {
  TScanOptions Scan;
  bool Backup = true;  // "Backup erstellen"
};

enum class TApplyOutcome {
  Renamed,       // new name, and the mail's time unless the mail has no date
  Redated,       // same name, the mail's time set
  Unchanged,     // same name, and the time was the mail's already or the mail has no date
  Unreadable,    // skipped: the reader failed; the file is as it was
  Vanished,      // skipped: the file was gone when its turn came
  RenameFailed,  // skipped: name and time as they were
  DateFailed,    // the time could not be set; a rename already done stays
  AccessError,   // a system error of the file operations (plain message); a rename done stays
};

// Whether the file was not fully done.
bool IsSkipped(TApplyOutcome AOutcome);

struct TApplyFile {
  QString OldName;
  QString NewName;      // the name of the scheme; empty when the mail could not be read
  QString CurrentName;  // the name the file has after its step
  QDateTime MailDate;   // the instant written; invalid: no date, the time was kept
  TApplyOutcome Outcome = TApplyOutcome::Unreadable;
  int Errno = 0;  // the system's error of a failed rename or re-dating, 0 for other reasons
};

struct TApplyResult {
  enum class TEnd {
    NoFiles,    // the folder has no files of the kind: information shown, nothing done
    Cancelled,  // the confirmation was not answered with Yes: nothing done
    Busy,       // a run is in progress already
    Completed,  // every row was handled and the final scan has run
  };
  TEnd End = TEnd::NoFiles;
  QString ArchivePath;          // the backup written, empty without one
  bool OutlookMissing = false;  // the first scan found no Outlook
  QList<TApplyFile> Files;      // one per row handled, in order
  TScanResult FinalScan;
  int SkippedCount() const;
};

// What the window hooks into the run. Every hook is optional.
struct TApplyHooks {
  // true from the Yes on, false when the operation has ended in any way: disables the apply
  // button and holds the folder watcher back (see also TApplyRun::IsRunning).
  std::function<void(bool ABusy)> Busy = {};
  // The folder goes into the recent-folders list (first step of the run).
  std::function<void(const QString& AFolder)> AddRecentFolder = {};
  // The scan the run calls twice, at its start and at its end, in place of its own: the window's
  // ReadFiles, which fills the four panes. Without it the run scans itself.
  std::function<TScanResult()> ReadFiles = {};
  // After each of the two scans, with its result.
  std::function<void(const TScanResult& AScan)> Scanned = {};
  // After the first scan, before the first file: the new-name and new-time panes are emptied.
  std::function<void()> ChangeStarted = {};
  // After each file: its new name goes into the new-name pane (not for an unreadable file).
  std::function<void(const TApplyFile& AFile)> FileDone = {};
  // The run is through and the final scan has run: the completion animation starts.
  std::function<void(const TApplyResult& AResult)> Finished = {};
};

// Texts of the run.
extern const QString NoFilesText;
extern const QString ConfirmText;
extern const QString ChangeStatusText;
extern const QString OtherErrorText;
QString ChangeProgressText(int AIndex, int ACount);
QString UnreadableErrorText(const QString& AOldName);
QString RenameErrorText(const QString& AOldName);
QString DateErrorText(const QString& AOldName);
QString AccessErrorText(const QString& AOldName, const QString& AError);

class TApplyRun {
 public:
  TApplyRun(TPreviewScan& AScan, extract::IReporter& AReporter);

  void SetHooks(TApplyHooks AHooks) { FHooks = std::move(AHooks); }
  // The clock of the backup's time stamp (local time); the current time by default.
  void SetClock(std::function<QDateTime()> AClock) { FClock = std::move(AClock); }

  // The whole operation of the apply button: the check for files, the confirmation, the backup,
  // the run. Throws TApplyError as told above.
  TApplyResult Execute(const QString& AFolder, const TApplyOptions& AOptions);

  // Whether an operation is in progress (from the Yes to its end): the folder watcher does not
  // rescan then.
  bool IsRunning() const { return FRunning; }

  // The run without confirmation and backup: recent folder, first scan, every row, final scan.
  TApplyResult ChangeFileNames(const QString& AFolder, const TScanOptions& AOptions);

  // One row: read the mail, form the new name, rename, set the time, with the row's messages.
  TApplyFile ChangeFile(const QString& AFolder, const QString& AOldName, const TScanOptions& AOptions);

  // Sets the last-write time of a file to an instant; 0 or the errno of the failure.
  static int SetFileDateTime(const QString& APath, const QDateTime& AInstant);

 private:
  TScanResult Scan(const QString& AFolder, const TScanOptions& AOptions);

  TPreviewScan& FScan;
  extract::IReporter& FReporter;
  TApplyHooks FHooks;
  std::function<QDateTime()> FClock;
  bool FRunning = false;
};

}  // namespace kavio::rename

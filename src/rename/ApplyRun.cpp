#include "rename/ApplyRun.h"

#include "platform/FileOps.h"
#include "platform/FileTimes.h"
#include "rename/FileNameScheme.h"
#include "rename/FolderListing.h"

#include <sys/stat.h>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <iterator>

namespace kavio::rename {

const QString NoFilesText = QStringLiteral("Es wurden keine Dateien gefunden.\r\nDer Vorgang wird abgebrochen.");
const QString ConfirmText = QStringLiteral("Möchten Sie die Änderungen jetzt durchführen?");
const QString ChangeStatusText = QStringLiteral("Die Dateiattribute werden geändert.");
const QString OtherErrorText = QStringLiteral("Sonstiger Fehler beim Dateizugriff");

QString ChangeProgressText(int AIndex, int ACount) {
  return QStringLiteral("Die Dateiattribute werden geändert. %1 / %2").arg(AIndex).arg(ACount);
}

QString UnreadableErrorText(const QString& AOldName) {
  return QStringLiteral("Die Datei \"") + AOldName +
         QStringLiteral("\" konnte nicht eingelesen und interpretiert werden und wird übersprungen.");
}

QString RenameErrorText(const QString& AOldName) {
  return QStringLiteral("Die Datei \"") + AOldName +
         QStringLiteral("\" konnte nicht umbenannt werden und wird übersprungen.");
}

QString DateErrorText(const QString& AOldName) {
  return QStringLiteral("Das Datum der Datei \"") + AOldName +
         QStringLiteral("\" konnte nicht geändert werden und die Datei wird übersprungen.");
}

QString AccessErrorText(const QString& AOldName, const QString& AError) {
  return QStringLiteral("Es ist ein Zugriffsfehler auf die Datei ") + AOldName + QStringLiteral(" aufgetreten: \"") +
         AError + QLatin1Char('"');
}

bool IsSkipped(TApplyOutcome AOutcome) {
  return AOutcome != TApplyOutcome::Renamed && AOutcome != TApplyOutcome::Redated &&
         AOutcome != TApplyOutcome::Unchanged;
}

int TApplyResult::SkippedCount() const {
  int count = 0;
  for (const auto& file : Files) count += IsSkipped(file.Outcome);
  return count;
}

namespace {

QString PathIn(const QString& AFolder, const QString& AName) {
  return AFolder.endsWith(QLatin1Char('/')) ? AFolder + AName : AFolder + QLatin1Char('/') + AName;
}

// The failures a rename reports as "could not be renamed": the name is taken, not allowed or too
// long, the file is gone, in use or protected. The rest (an I/O error, a full disk) are system
// errors of the file access.
bool IsRenameRefusal(int AErrno) {
  static constexpr int errors[] = {EEXIST,  ENOTEMPTY, ENOENT,  EINVAL, ENAMETOOLONG, EACCES, EPERM,   EBUSY, EROFS,
                                   ETXTBSY, EISDIR,    ENOTDIR, ELOOP,  EXDEV,        EMLINK, ENOTSUP, EILSEQ};
  return std::find(std::begin(errors), std::end(errors), AErrno) != std::end(errors);
}

// The failures re-dating reports as "the date could not be changed": the file cannot be opened
// for writing (read-only, protected, held by another program, no longer a plain file) or the
// time cannot be stored.
bool IsDateRefusal(int AErrno) {
  static constexpr int errors[] = {EACCES, EPERM, EROFS,       ETXTBSY, ENOENT,    ELOOP,  EISDIR,
                                   EINVAL, EBUSY, EWOULDBLOCK, ENXIO,   EOVERFLOW, ENOTDIR};
  return std::find(std::begin(errors), std::end(errors), AErrno) != std::end(errors);
}

// Leaves the run's busy state however the operation ends.
class TBusyGuard {
 public:
  TBusyGuard(bool& ARunning, const TApplyHooks& AHooks, extract::IReporter& AReporter)
      : FRunning(ARunning), FHooks(AHooks), FReporter(AReporter) {
    FRunning = true;
    if (FHooks.Busy) FHooks.Busy(true);
  }
  ~TBusyGuard() {
    FRunning = false;
    try {
      if (FHooks.Busy) FHooks.Busy(false);
      FReporter.Status(QString());
    } catch (...) {  // an error of a hook must not replace the one that ends the operation
    }
  }
  TBusyGuard(const TBusyGuard&) = delete;
  TBusyGuard& operator=(const TBusyGuard&) = delete;

 private:
  bool& FRunning;
  const TApplyHooks& FHooks;
  extract::IReporter& FReporter;
};

}  // namespace

TApplyRun::TApplyRun(TPreviewScan& AScan, extract::IReporter& AReporter)
    : FScan(AScan), FReporter(AReporter), FClock([] { return QDateTime::currentDateTime(); }) {}

int TApplyRun::SetFileDateTime(const QString& APath, const QDateTime& AInstant) {
  return platform::SetLastWriteTime(APath, AInstant);
}

TScanResult TApplyRun::Scan(const QString& AFolder, const TScanOptions& AOptions) {
  TScanResult result = FHooks.ReadFiles ? FHooks.ReadFiles() : FScan.ReadFiles(AFolder, AOptions);
  if (FHooks.Scanned) FHooks.Scanned(result);
  return result;
}

TApplyResult TApplyRun::Execute(const QString& AFolder, const TApplyOptions& AOptions) {
  TApplyResult result;
  if (FRunning) {
    result.End = TApplyResult::TEnd::Busy;
    return result;
  }
  if (ListMailFiles(AFolder, MaskOfKind(AOptions.Scan.Kind)).isEmpty()) {
    FReporter.Information(NoFilesText);
    result.End = TApplyResult::TEnd::NoFiles;
    return result;
  }
  if (!FReporter.Confirm(ConfirmText)) {
    result.End = TApplyResult::TEnd::Cancelled;
    return result;
  }
  TBusyGuard busy(FRunning, FHooks, FReporter);
  QString archive;
  if (AOptions.Backup) archive = WriteBackup(AFolder, AOptions.Scan.Kind, FReporter, FClock());
  FReporter.Status(ChangeStatusText);
  result = ChangeFileNames(AFolder, AOptions.Scan);
  result.ArchivePath = archive;
  return result;
}

TApplyResult TApplyRun::ChangeFileNames(const QString& AFolder, const TScanOptions& AOptions) {
  TApplyResult result;
  if (FHooks.AddRecentFolder) FHooks.AddRecentFolder(AFolder);
  const TScanResult first = Scan(AFolder, AOptions);
  result.OutlookMissing = first.OutlookMissing;
  // The work list is the name pane: the scan's rows, or, when the scan ended early for want of
  // Outlook, the listing alone.
  QStringList names;
  if (first.OutlookMissing) {
    names = ListMailFiles(AFolder, MaskOfKind(AOptions.Kind));
  } else {
    for (const auto& row : first.Rows) names.append(row.OldName);
  }
  if (FHooks.ChangeStarted) FHooks.ChangeStarted();
  const int count = static_cast<int>(names.size());  // fixed: the folder is not re-read meanwhile
  result.Files.reserve(count);
  for (int i = 0; i < count; ++i) {
    FReporter.Status(ChangeProgressText(i + 1, count));
    TApplyFile file = ChangeFile(AFolder, names[i], AOptions);
    if (FHooks.FileDone) FHooks.FileDone(file);
    result.Files.append(std::move(file));
  }
  result.FinalScan = Scan(AFolder, AOptions);
  result.End = TApplyResult::TEnd::Completed;
  if (FHooks.Finished) FHooks.Finished(result);
  return result;
}

TApplyFile TApplyRun::ChangeFile(const QString& AFolder, const QString& AOldName, const TScanOptions& AOptions) {
  TApplyFile file;
  file.OldName = AOldName;
  file.CurrentName = AOldName;
  const QString oldPath = PathIn(AFolder, AOldName);

  if (!FScan.ReadMail(oldPath, AOptions.Kind)) {
    struct stat st {};
    const bool gone = ::lstat(QFile::encodeName(oldPath).constData(), &st) != 0 && errno == ENOENT;
    file.Outcome = gone ? TApplyOutcome::Vanished : TApplyOutcome::Unreadable;
    FReporter.Error(UnreadableErrorText(AOldName));
    return file;
  }
  const platform::TIdMessage& message = FScan.IdMessage1();
  file.MailDate = message.Date();
  const QString preStrg = file.MailDate.isValid() ? CreatePreString(file.MailDate.toLocalTime().date()) : QString();
  const QString fromStrg = CreateAbsenderString(message.From());
  file.NewName = CreateNewFileName(AOldName, preStrg, AOptions.UsePreStrg, fromStrg, AOptions.UseFromStrg);

  // The guarded block: renaming and re-dating.
  try {
    QString path = oldPath;
    const bool rename = file.NewName != AOldName;
    if (rename) {
      // A name that is empty, "." or ".." or holds a "/" would not name a file of this folder.
      const int error = platform::IsPlainFileName(file.NewName)
                            ? platform::RenameNoReplace(oldPath, PathIn(AFolder, file.NewName))
                            : EINVAL;
      if (error != 0) {
        file.Errno = error;
        if (IsRenameRefusal(error)) {
          file.Outcome = TApplyOutcome::RenameFailed;
          FReporter.Error(RenameErrorText(AOldName));
        } else {
          file.Outcome = TApplyOutcome::AccessError;
          FReporter.Message(AccessErrorText(AOldName, platform::ErrorText(error)));
        }
        return file;
      }
      file.CurrentName = file.NewName;
      path = PathIn(AFolder, file.NewName);
    }
    bool sameTime = true;
    if (file.MailDate.isValid()) {
      sameTime = platform::LastWriteTime(path) == file.MailDate.toUTC();
      if (const int error = SetFileDateTime(path, file.MailDate)) {
        file.Errno = error;
        if (IsDateRefusal(error)) {
          file.Outcome = TApplyOutcome::DateFailed;
          FReporter.Error(DateErrorText(AOldName));
        } else {
          file.Outcome = TApplyOutcome::AccessError;
          FReporter.Message(AccessErrorText(AOldName, platform::ErrorText(error)));
        }
        return file;
      }
    }
    file.Outcome = rename ? TApplyOutcome::Renamed : sameTime ? TApplyOutcome::Unchanged : TApplyOutcome::Redated;
  } catch (...) {
    throw TApplyError(OtherErrorText);
  }
  return file;
}

}  // namespace kavio::rename

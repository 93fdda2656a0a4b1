#pragma once
// The backup archive written before the apply run changes any mail file: every mail file of the
// selected kind in the folder, packed into a zip archive with a time-stamped name in that folder.

#include "extract/Reporter.h"
#include "rename/PreviewScan.h"

#include <QDateTime>
#include <QString>
#include <stdexcept>

namespace kavio::rename {

// An error that ends an apply operation; Text() is the German text for the error report.
class TApplyError : public std::runtime_error {
 public:
  explicit TApplyError(const QString& AText) : std::runtime_error(AText.toStdString()), FText(AText) {}
  const QString& Text() const { return FText; }

 private:
  QString FText;
};

// The backup could not be written: no archive was left, no mail file was changed.
class TBackupError : public TApplyError {
 public:
  using TApplyError::TApplyError;
};

// The archive path: "%s/%s_%s.zip" with the folder text as it stands, the local time stamp
// "yyyymmdd_hhmmss" and "EmailBackup".
QString BackupArchivePath(const QString& AFolder, const QDateTime& ALocalNow);

// The status texts of the backup.
extern const QString BackupStatusText;  // "Ein Backup der Emails wird erstellt."
QString BackupProgressText(const QString& AArchivePath, int APercent);

// Writes the backup of AFolder for the mail kind: the plain, not hidden files whose names match
// the kind's mask (without regard to case), stored under their bare names, deflate level 6, each
// with its last-write time. Status texts go to the reporter, the percentage by bytes. The archive
// is created exclusively and is read back and checked before this returns. Returns its path.
// Throws TBackupError (an existing archive of that name is left as it is).
QString WriteBackup(const QString& AFolder, TMailKind AKind, extract::IReporter& AReporter,
                    const QDateTime& ALocalNow = QDateTime::currentDateTime());

}  // namespace kavio::rename

#include "rename/BackupArchive.h"

#include "platform/ZipWriter.h"
#include "rename/FolderListing.h"

namespace kavio::rename {

const QString BackupStatusText = QStringLiteral("Ein Backup der Emails wird erstellt.");

QString BackupProgressText(const QString& AArchivePath, int APercent) {
  return QStringLiteral("Ein Backup der Emails wird erstellt in   %1   %2%")
      .arg(AArchivePath, QString::number(APercent));
}

QString BackupArchivePath(const QString& AFolder, const QDateTime& ALocalNow) {
  return QStringLiteral("%1/%2_%3.zip")
      .arg(AFolder, ALocalNow.toString(QStringLiteral("yyyyMMdd_HHmmss")), QStringLiteral("EmailBackup"));
}

QString WriteBackup(const QString& AFolder, TMailKind AKind, extract::IReporter& AReporter,
                    const QDateTime& ALocalNow) {
  AReporter.Status(BackupStatusText);
  const QString archive = BackupArchivePath(AFolder, ALocalNow);
  QList<platform::TZipEntry> entries;
  for (const QString& name : ListMailFiles(AFolder, MaskOfKind(AKind)))
    entries.append({AFolder + QLatin1Char('/') + name, name});
  try {
    platform::TZipWriter::Write(archive, entries,
                                [&](int APercent) { AReporter.Status(BackupProgressText(archive, APercent)); });
  } catch (const platform::TZipError& e) {
    throw TBackupError(e.Text());
  }
  return archive;
}

}  // namespace kavio::rename

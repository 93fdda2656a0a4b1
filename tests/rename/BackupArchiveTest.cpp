#include "TestSupport.h"
#include "platform/ZipWriter.h"
#include "rename/BackupArchive.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>

using namespace kavio;
using namespace kavio::rename;

TEST(BackupArchive, NameFromFolderAndLocalTime) {
  EXPECT_EQ(BackupArchivePath("/home/u/Mails", QDateTime(QDate(2015, 1, 31), QTime(14, 25, 1))),
            "/home/u/Mails/20150131_142501_EmailBackup.zip");
  EXPECT_EQ(BackupProgressText("/m/x%1.zip", 42), "Ein Backup der Emails wird erstellt in   /m/x%1.zip   42%");
}

TEST(BackupArchive, HoldsThePlainFilesOfTheKindOnly) {
  QTemporaryDir dir;
  for (const char* name : {"a.eml", "B.EML", "c.msg", ".hidden.eml", "sub/d.eml", "old_EmailBackup.zip"})
    test::WriteFile(dir.path(), name, QByteArray("content of ") + name);
  ::symlink("a.eml", QFile::encodeName(dir.path() + "/link.eml").constData());
  const QDateTime now(QDate(2015, 1, 31), QTime(14, 25, 1));
  test::TRecordingReporter reporter;

  struct TCase {
    TMailKind Kind;
    QStringList Entries;
  } cases[] = {{TMailKind::Eml, {"a.eml", "B.EML"}}, {TMailKind::MsgDirect, {"c.msg"}}};
  for (const auto& c : cases) {
    const QString archive = WriteBackup(dir.path(), c.Kind, reporter, now);
    QStringList names;
    for (const auto& entry : platform::TZipWriter::ReadDirectory(archive)) {
      names << entry.Name;
      EXPECT_EQ(platform::TZipWriter::ReadEntryData(archive, entry.Name), "content of " + entry.Name.toUtf8());
    }
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, c.Entries);
    QFile::remove(archive);
  }
}

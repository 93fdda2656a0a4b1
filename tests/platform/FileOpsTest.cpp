#include "TestSupport.h"
#include "platform/FileOps.h"
#include "platform/FileTimes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>

using namespace kavio;

namespace {

QByteArray Content(const QString& APath) {
  QFile file(APath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QDateTime AccessTime(const QString& APath) {
  struct stat st {};
  ::stat(QFile::encodeName(APath).constData(), &st);
  return QDateTime::fromSecsSinceEpoch(st.st_atim.tv_sec, Qt::UTC);
}

class FileOps : public ::testing::Test {
 protected:
  QString Path(const QString& AName) const { return Dir.path() + '/' + AName; }
  QTemporaryDir Dir;
  const QDateTime Old{QDate(2020, 6, 1), QTime(10, 0), Qt::UTC};
  const QDateTime Mail{QDate(2015, 2, 3), QTime(8, 15, 0, 250), Qt::UTC};
};

}  // namespace

TEST(FileOpsNames, PlainFileNames) {
  for (const char* bad : {"", ".", "..", "/", "a/b", "../x"}) EXPECT_FALSE(platform::IsPlainFileName(bad)) << bad;
  EXPECT_FALSE(platform::IsPlainFileName(QString("a") + QChar(u'\0') + "b"));
  for (const char* good : {"a.eml", "...", ".hidden", "a b:c*?.eml"})
    EXPECT_TRUE(platform::IsPlainFileName(good)) << good;
}

TEST_F(FileOps, RenameNeverReplaces) {
  using TRename = int (*)(const QString&, const QString&);
  for (TRename rename : {&platform::RenameNoReplace, &platform::RenameByLink}) {
    test::WriteFile(Dir.path(), "a.eml", "A");
    test::WriteFile(Dir.path(), "b.eml", "B");
    EXPECT_EQ(rename(Path("a.eml"), Path("b.eml")), EEXIST);
    EXPECT_EQ(Content(Path("a.eml")), "A");
    EXPECT_EQ(Content(Path("b.eml")), "B");
    EXPECT_EQ(rename(Path("a.eml"), Path("c.eml")), 0);
    EXPECT_FALSE(QFile::exists(Path("a.eml")));
    EXPECT_EQ(Content(Path("c.eml")), "A");
    EXPECT_EQ(rename(Path("gone.eml"), Path("d.eml")), ENOENT);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), (QStringList{"b.eml", "c.eml"}));
    QFile::remove(Path("b.eml"));
    QFile::remove(Path("c.eml"));
  }
}

TEST_F(FileOps, SetsOnlyTheLastWriteTime) {
  const QString path = test::WriteFile(Dir.path(), "a.eml", "A");
  test::SetMTime(path, Old);
  const QDateTime atime = AccessTime(path);
  EXPECT_EQ(platform::SetLastWriteTime(path, Mail), 0);
  EXPECT_EQ(platform::LastWriteTime(path), Mail);
  EXPECT_EQ(AccessTime(path), atime);
  // Before 1970 too: the seconds round down, the milliseconds stay positive.
  const QDateTime early(QDate(1960, 5, 1), QTime(12, 0, 0, 500), Qt::UTC);
  EXPECT_EQ(platform::SetLastWriteTime(path, early), 0);
  EXPECT_EQ(platform::LastWriteTime(path), early);
  EXPECT_EQ(Content(path), "A");
}

TEST_F(FileOps, RefusedFilesKeepTheirTime) {
  const QString readOnly = test::WriteFile(Dir.path(), "ro.eml", "A");
  ::chmod(QFile::encodeName(readOnly).constData(), 0444);
  const QString target = test::WriteFile(Dir.path(), "target.eml", "T");
  ASSERT_EQ(::symlink("target.eml", QFile::encodeName(Path("link.eml")).constData()), 0);
  QDir(Dir.path()).mkdir("folder.eml");
  const QString locked = test::WriteFile(Dir.path(), "locked.eml", "L");
  for (const QString& path : {readOnly, target, locked}) test::SetMTime(path, Old);
  const int lockFd = ::open(QFile::encodeName(locked).constData(), O_RDONLY);
  ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);

  struct TCase {
    const char* Name;
    QString Path;
    QDateTime Instant;
    int Error;
  } cases[] = {
      {"read-only, also for root", readOnly, Mail, platform::ReadOnlyFileError},
      {"symbolic link", Path("link.eml"), Mail, ELOOP},
      {"folder", Path("folder.eml"), Mail, EISDIR},
      {"held by another program", locked, Mail, EWOULDBLOCK},
      {"vanished", Path("gone.eml"), Mail, ENOENT},
      {"no instant", target, QDateTime(), EINVAL},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::SetLastWriteTime(c.Path, c.Instant), c.Error) << c.Name;
  ::close(lockFd);
  for (const QString& path : {readOnly, target, locked})
    EXPECT_EQ(platform::LastWriteTime(path), Old) << path.toStdString();
  EXPECT_EQ(platform::SetLastWriteTime(locked, Mail), 0);  // the lock is gone
}

#include "TestSupport.h"
#include "platform/ZipWriter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace kavio;
using platform::TZipWriter;

namespace {

class ZipWriter : public ::testing::Test {
 protected:
  QString Path(const QString& AName) const { return Dir.path() + '/' + AName; }
  QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden); }
  QTemporaryDir Dir;
};

}  // namespace

TEST_F(ZipWriter, WritesEveryFileWithSizeTimeAndRisingProgress) {
  QByteArray big;
  for (int i = 0; i < 20000; ++i) big += "Zeile " + QByteArray::number(i * 7919 % 10007) + "\r\n";
  const QDateTime even(QDate(2015, 2, 3), QTime(8, 15, 2), Qt::UTC);  // DOS times count in 2 s steps
  QList<platform::TZipEntry> entries;
  const QList<QPair<QString, QByteArray>> files = {{u8"Müller.eml", "kurz"}, {"leer.eml", ""}, {"gross.eml", big}};
  for (const auto& [name, content] : files) {
    test::SetMTime(test::WriteFile(Dir.path(), "in/" + name, content), even);
    entries.append({Dir.path() + "/in/" + name, name});
  }
  QList<int> progress;
  TZipWriter::Write(Path("a.zip"), entries, [&](int APercent) { progress.append(APercent); });

  ASSERT_GE(progress.size(), 3);
  EXPECT_EQ(progress.first(), 0);
  EXPECT_EQ(progress.last(), 100);
  for (qsizetype i = 1; i < progress.size(); ++i) EXPECT_GT(progress[i], progress[i - 1]);

  const auto written = TZipWriter::ReadDirectory(Path("a.zip"));
  ASSERT_EQ(written.size(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(written[i].Name, files[i].first);
    EXPECT_EQ(written[i].Size, files[i].second.size());
    EXPECT_EQ(written[i].MTime, even);
    EXPECT_EQ(TZipWriter::ReadEntryData(Path("a.zip"), files[i].first), files[i].second);
  }
  EXPECT_LT(QFileInfo(Path("a.zip")).size(), big.size() / 2);  // deflated
  EXPECT_EQ(Files(), QStringList{"a.zip"});                    // no temporary file left
}

TEST_F(ZipWriter, FailuresLeaveNoArchive) {
  test::WriteFile(Dir.path(), "a.eml", "A");
  const QList<platform::TZipEntry> good = {{Path("a.eml"), "a.eml"}};
  const QList<platform::TZipEntry> missing = {{Path("a.eml"), "a.eml"}, {Path("gone.eml"), "gone.eml"}};
  EXPECT_THROW(TZipWriter::Write(Path("x.zip"), missing), platform::TZipError);
  EXPECT_THROW(TZipWriter::Write(Path("x.zip"), {}), platform::TZipError);
  EXPECT_THROW(TZipWriter::Write(Path("no/such/folder.zip"), good), platform::TZipError);
  EXPECT_THROW(TZipWriter::Write(Path("x.zip"), good,
                                 [](int APercent) {
                                   if (APercent > 0) throw std::runtime_error("stop");
                                 }),
               std::runtime_error);
  EXPECT_EQ(Files(), QStringList{"a.eml"});

  // An archive of that name stays as it is.
  test::WriteFile(Dir.path(), "x.zip", "older archive");
  EXPECT_THROW(TZipWriter::Write(Path("x.zip"), good), platform::TZipError);
  QFile old(Path("x.zip"));
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "older archive");
  EXPECT_EQ(Files(), (QStringList{"a.eml", "x.zip"}));
}

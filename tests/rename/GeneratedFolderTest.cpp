// The preview scan over a folder of generated mails: every file is read, and every row gets the
// name, date and file time the generator wrote into that mail.

#include "TestSupport.h"
#include "make-eml/EmlGenerator.h"
#include "rename/PreviewScan.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QHash>
#include <QSet>

using namespace kavio;
using namespace kavio::rename;

namespace {

class GeneratedFolderTest : public ::testing::Test {
 protected:
  GeneratedFolderTest() : ViewMail(&Reporter), Scan(ViewMail, Reporter, QLocale(QStringLiteral("de_DE"))) {}

  QList<tools::TGeneratedMail> Generate(const tools::TEmlOptions& AOptions) {
    tools::TEmlGenerator generator(AOptions);
    return generator.WriteFolder(Dir.path());
  }

  QTemporaryDir Dir;
  test::TRecordingReporter Reporter;
  extract::TFormViewMail ViewMail;
  TPreviewScan Scan;
};

// The date prefix of an instant, by the local date (TZ is Europe/Berlin in the tests).
QString Prefix(const QDateTime& AInstant) {
  return AInstant.isValid() ? AInstant.toLocalTime().date().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('_')
                            : QString();
}

}  // namespace

TEST_F(GeneratedFolderTest, EveryRowHasTheNameAndDateTheGeneratorWrote) {
  const auto mails = Generate({.Count = 500, .BodyKb = 2, .Seed = 11, .LineEnding = tools::TLineEnding::Mixed});
  QHash<QString, tools::TGeneratedMail> byName;
  for (const auto& mail : mails) byName.insert(mail.FileName, mail);
  ASSERT_EQ(byName.size(), mails.size()) << "file names are unique";

  // The folder holds what the test means to cover.
  QSet<QString> senderParts;
  int noDate = 0, noSender = 0, lf = 0;
  for (const auto& mail : mails) {
    senderParts.insert(mail.SenderPart);
    noDate += !mail.Date.isValid();
    noSender += mail.SenderPart.isEmpty();
    lf += !mail.CrLf;
  }
  EXPECT_GE(senderParts.size(), 20);
  EXPECT_GT(noDate, 0);
  EXPECT_GT(noSender, 0);
  EXPECT_GT(lf, 0);
  EXPECT_LT(lf, mails.size());

  const TScanResult result = Scan.ReadFiles(Dir.path(), {TMailKind::Eml, true, true});
  ASSERT_EQ(result.Rows.size(), mails.size());
  EXPECT_EQ(result.UnreadableCount, 0);
  EXPECT_EQ(result.VanishedCount, 0);
  EXPECT_TRUE(Reporter.FEntries.isEmpty());
  for (const TPreviewRow& row : result.Rows) {
    ASSERT_TRUE(byName.contains(row.OldName)) << row.OldName.toStdString();
    const tools::TGeneratedMail& mail = byName[row.OldName];
    SCOPED_TRACE(row.OldName.toStdString() + " / Date: " + mail.DateText.toStdString());
    EXPECT_EQ(row.State, TRowState::Read);
    EXPECT_EQ(row.MailDate, mail.Date);
    EXPECT_EQ(row.OldTime, mail.FileTime);
    EXPECT_EQ(row.FromStrg, mail.SenderPart);
    EXPECT_EQ(row.NewName, Prefix(mail.Date) + mail.SenderPart + mail.FileName);
    EXPECT_EQ(row.NewTimeText.isEmpty(), !mail.Date.isValid());
  }
}

TEST_F(GeneratedFolderTest, SenderAndSubjectAreDecodedAsWritten) {
  const auto mails = Generate({.Count = 300, .BodyKb = 1, .Seed = 5});
  for (const auto& mail : mails) {
    SCOPED_TRACE(mail.FileName.toStdString());
    ASSERT_TRUE(Scan.ReadMail(QDir(Dir.path()).filePath(mail.FileName), TMailKind::Eml));
    EXPECT_EQ(Scan.IdMessage1().From().Name, mail.SenderName);
    EXPECT_EQ(Scan.IdMessage1().From().Address, mail.SenderAddress);
    EXPECT_EQ(Scan.IdMessage1().Subject(), mail.Subject);
  }
}

TEST(EmlGeneratorTest, TheSameSeedGivesTheSameFiles) {
  const auto run = [](quint32 ASeed) {
    tools::TEmlGenerator generator({.Count = 20, .BodyKb = 3, .Seed = ASeed});
    QByteArray all, content;
    for (int i = 0; i < 20; ++i) {
      all += generator.Next(content).FileName.toUtf8();
      all += content;
    }
    return all;
  };
  EXPECT_EQ(run(3), run(3));
  EXPECT_NE(run(3), run(4));
}

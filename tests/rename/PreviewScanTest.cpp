#include "TestSupport.h"
#include "rename/PreviewScan.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kavio;
using namespace kavio::rename;

namespace {

class PreviewScanTest : public ::testing::Test {
 protected:
  PreviewScanTest() : ViewMail(&Reporter), Scan(ViewMail, Reporter, QLocale(QStringLiteral("de_DE"))) {}

  QString Mail(const QString& AName, const QByteArray& AHeader, const QDateTime& AMTime) {
    const QString path = test::WriteFile(Dir.path(), AName, AHeader + "\r\nBody\r\n");
    test::SetMTime(path, AMTime);
    return path;
  }

  QTemporaryDir Dir;
  test::TRecordingReporter Reporter;
  extract::TFormViewMail ViewMail;
  TPreviewScan Scan;
  const QDateTime FileTime{QDate(2020, 6, 1), QTime(10, 0), Qt::UTC};
};

}  // namespace

TEST_F(PreviewScanTest, RowsOfAFolder) {
  Mail("Angebot.eml", "From: Hans Müller <h@x.de>\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n", FileTime);
  // Summer time at the mail's instant, whatever the offset today: 23:30 UTC is 01:30 the next day.
  Mail("b.eml", "From: info.service@shop\r\nDate: Tue, 30 Jun 2015 23:30:00 +0000\r\n", FileTime);
  Mail("c.eml", "From: \r\nDate: Mon, 2 Feb 2015 23:00:00 +0000\r\n", FileTime);  // local midnight
  Mail("d_no_date.eml", "From: Anna <a@x.de>\r\n", FileTime);
  Mail("e.msg", "From: x@y\r\n", FileTime);  // other kind: not listed

  const TScanResult result = Scan.ReadFiles(Dir.path(), {TMailKind::Eml, true, true});
  ASSERT_EQ(result.Rows.size(), 4);
  struct TExpected {
    QString Old, OldTime, New, NewTime;
  };
  const TExpected expected[] = {
      {"Angebot.eml", "01.06.2020 12:00:00", u8"20150203_Hans Müller_Angebot.eml", "03.02.2015 09:15:00"},
      {"b.eml", "01.06.2020 12:00:00", "20150701_info_service_at_shop_b.eml", "01.07.2015 01:30:00"},
      {"c.eml", "01.06.2020 12:00:00", "20150203_c.eml", "03.02.2015"},
      {"d_no_date.eml", "01.06.2020 12:00:00", "Anna_d_no_date.eml", ""},
  };
  for (int i = 0; i < 4; ++i) {
    const auto& row = result.Rows[i];
    EXPECT_EQ(row.OldName, expected[i].Old) << i;
    EXPECT_EQ(row.OldTimeText, expected[i].OldTime) << i;
    EXPECT_EQ(row.NewName, expected[i].New) << i;
    EXPECT_EQ(row.NewTimeText, expected[i].NewTime) << i;
    EXPECT_EQ(row.State, TRowState::Read) << i;
  }
  EXPECT_EQ(result.Rows[0].MailDate, QDateTime(QDate(2015, 2, 3), QTime(8, 15), Qt::UTC));
  EXPECT_FALSE(result.Rows[3].MailDate.isValid());
  EXPECT_TRUE(Reporter.FEntries.isEmpty());
}

TEST_F(PreviewScanTest, UnreadableAndVanishedFilesKeepTheirRow) {
  Mail("a.eml", "From: A <a@x.de>\r\nDate: 1 Jan 2015 12:00:00 +0000\r\n", FileTime);
  // A folder of that name: listed by the caller, but no reader can read it (also for root).
  QDir(Dir.path()).mkdir("b.eml");
  std::vector<QString> seen;
  const TScanResult result = Scan.ScanFiles(Dir.path(), {"a.eml", "b.eml", "gone.eml"}, {TMailKind::Eml, true, true},
                                            [&](const TPreviewRow& ARow) { seen.push_back(ARow.OldName); });
  ASSERT_EQ(result.Rows.size(), 3);
  EXPECT_EQ(seen, (std::vector<QString>{"a.eml", "b.eml", "gone.eml"}));
  // Unreadable: the name stays, the new time is empty (not the date of the mail before).
  EXPECT_EQ(result.Rows[1].State, TRowState::Unreadable);
  EXPECT_EQ(result.Rows[1].NewName, "b.eml");
  EXPECT_EQ(result.Rows[1].NewTimeText, "");
  EXPECT_FALSE(result.Rows[1].OldTimeText.isEmpty());
  // Vanished: every cell but the name empty.
  EXPECT_EQ(result.Rows[2].State, TRowState::Vanished);
  EXPECT_TRUE(result.Rows[2].OldTimeText.isEmpty() && result.Rows[2].NewName.isEmpty() && result.Rows[2].NewTimeText.isEmpty());
  EXPECT_EQ(Reporter.Texts("warning"), QStringList{"Die Daten der Datei b.eml konnten nicht richtig gelesen werden."});
  EXPECT_EQ(result.UnreadableCount, 1);
  EXPECT_EQ(result.VanishedCount, 1);
}

TEST_F(PreviewScanTest, EmptyFileHasNoDateAndNoSender) {
  test::WriteFile(Dir.path(), "Re_ Termin_neu.eml", "");
  const TScanResult result = Scan.ReadFiles(Dir.path(), {TMailKind::Eml, true, true});
  ASSERT_EQ(result.Rows.size(), 1);
  EXPECT_EQ(result.Rows[0].State, TRowState::Read);
  EXPECT_EQ(result.Rows[0].NewName, "Re_ Termin_neu.eml");
  EXPECT_EQ(result.Rows[0].NewTimeText, "");
}

TEST_F(PreviewScanTest, OutlookKindWithoutOutlookWarnsAfterTheError) {
  Mail("a.msg", "", FileTime);
  const TScanResult result = Scan.ReadFiles(Dir.path(), {TMailKind::MsgOutlook, false, false});
  EXPECT_TRUE(result.OutlookMissing);
  EXPECT_TRUE(result.Rows.isEmpty());
  ASSERT_EQ(Reporter.FEntries.size(), 2);
  EXPECT_EQ(Reporter.FEntries[0].Kind, "error");
  EXPECT_EQ(Reporter.FEntries[1].Kind, "warning");
  EXPECT_EQ(Reporter.FEntries[1].Text, OutlookMissingWarning);
}

TEST_F(PreviewScanTest, EmptyFolderGivesNoRowsAndNoMessage) {
  EXPECT_TRUE(Scan.ReadFiles(Dir.path(), {}).Rows.isEmpty());
  EXPECT_TRUE(Scan.ReadFiles(Dir.path() + "/missing", {}).Rows.isEmpty());
  EXPECT_TRUE(Reporter.FEntries.isEmpty());
}

TEST_F(PreviewScanTest, SampleMailsAllRead) {
  // Public sample mails of another project's test suite: every one must be read.
  const QString folder = test::Samples("eml");
  if (!QFileInfo(folder).isDir()) GTEST_SKIP() << "no samples";
  const TScanResult result = Scan.ReadFiles(folder, {TMailKind::Eml, true, true});
  EXPECT_GE(result.Rows.size(), 30);
  EXPECT_EQ(result.UnreadableCount, 0);
  int withDate = 0;
  for (const auto& row : result.Rows) withDate += row.MailDate.isValid();
  EXPECT_GT(withDate, 10);
}

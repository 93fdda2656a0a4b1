#include "AppTestSupport.h"
#include "app/TCompletionAnimation.h"
#include "platform/FileTimes.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace kavio;

namespace {

class ApplyWindowTest : public test::FormMainTest {
 protected:
  void Mail(const QString& AName, const QByteArray& AHeader) {
    test::SetMTime(test::WriteFile(Dir.path(), AName, AHeader + "\r\nText\r\n"), FileTime);
  }
  QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files, QDir::Name); }
  QString Status() { return Form.StatusBar1Panel0->text(); }

  QTemporaryDir Dir;
  const QDateTime FileTime{QDate(2020, 6, 1), QTime(10, 0), Qt::UTC};
};

const QByteArray MailA = "From: Hans <h@x.de>\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n";
const QByteArray MailB = "From: Anna <a@x.de>\r\nDate: Sat, 1 Aug 2015 23:30:00 +0000\r\n";

}  // namespace

TEST_F(ApplyWindowTest, RenamesRedatesBacksUpAndShowsTheResult) {
  Mail("a.eml", MailA);
  Mail("b.eml", MailB);
  Form.findChild<QCheckBox*>("CheckBoxPreString")->setChecked(true);
  Form.findChild<QLineEdit*>("JvDirectoryEditSrc")->setText(Dir.path());
  Dialogs.Answer = [](const app::TDialogRequest& ARequest) {
    return ARequest.Type == app::TMsgDlgType::Confirmation ? app::TMsgDlgBtn::Yes : ARequest.Default;
  };
  Form.findChild<QPushButton*>("ButtonDoIt")->click();

  ASSERT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Bestätigen");
  EXPECT_EQ(Dialogs.Requests[0].Text, "Möchten Sie die Änderungen jetzt durchführen?");
  EXPECT_EQ(QDir(Dir.path()).entryList({"*.eml"}, QDir::Files, QDir::Name), (QStringList{"20150203_a.eml", "20150802_b.eml"}));
  EXPECT_EQ(QDir(Dir.path()).entryList({"*_EmailBackup.zip"}, QDir::Files).size(), 1);
  EXPECT_EQ(platform::LastWriteTime(Dir.path() + "/20150203_a.eml"), QDateTime(QDate(2015, 2, 3), QTime(8, 15), Qt::UTC));
  // The final scan shows the folder after the changes; the run is over.
  EXPECT_EQ(test::Rows(Pane("FileListBox1")), (QStringList{"20150203_a.eml", "20150802_b.eml"}));
  EXPECT_EQ(test::Rows(Pane("ListBox2")), (QStringList{"03.02.2015 09:15:00", "02.08.2015 01:30:00"}));
  EXPECT_TRUE(Form.findChild<QPushButton*>("ButtonDoIt")->isEnabled());
  EXPECT_EQ(Status(), "");
  EXPECT_TRUE(Form.JvStrHolderDirs.Contains(Dir.path()));
  EXPECT_TRUE(Form.Animation().JvGIFAnimator1->isVisible());  // the completion animation runs
}

TEST_F(ApplyWindowTest, ButtonDisabledAndProgressShownDuringTheRun) {
  Mail("a.eml", MailA);
  Mail("c.eml", MailB);
  test::WriteFile(Dir.path(), "b2.eml", "From: x@y\r\nDate: 1 Jan 2015 00:00:00 +0000\r\n\r\n");
  QFile(Dir.path() + "/b2.eml").setPermissions(QFileDevice::ReadOwner);  // read-only: the date fails
  Form.findChild<QCheckBox*>("CheckBoxBackup")->setChecked(false);
  Form.findChild<QLineEdit*>("JvDirectoryEditSrc")->setText(Dir.path());
  QStringList seen;
  Dialogs.OnDialog = [&](const app::TDialogRequest& ARequest) {
    seen.append(ARequest.Title + " | " + Status() + " | " +
                (Form.findChild<QPushButton*>("ButtonDoIt")->isEnabled() ? "enabled" : "disabled"));
  };
  Dialogs.Answer = [](const app::TDialogRequest& ARequest) {
    return ARequest.Type == app::TMsgDlgType::Confirmation ? app::TMsgDlgBtn::Yes : ARequest.Default;
  };
  Form.ButtonDoItClick();
  ASSERT_EQ(seen.size(), 1 + 1) << seen.join('\n').toStdString();
  EXPECT_EQ(seen[0], "Bestätigen |  | enabled");
  EXPECT_EQ(seen[1], "Fehler | Die Dateiattribute werden geändert. 2 / 3 | disabled");
  EXPECT_TRUE(Dialogs.Requests[1].Text.startsWith("Das Datum der Datei \"b2.eml\""));
  EXPECT_TRUE(Form.findChild<QPushButton*>("ButtonDoIt")->isEnabled());
}

TEST_F(ApplyWindowTest, NoChangesWithoutYesOrWithoutFiles) {
  Form.findChild<QLineEdit*>("JvDirectoryEditSrc")->setText(Dir.path());
  Form.ButtonDoItClick();
  ASSERT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(Dialogs.Requests[0].Text, "Es wurden keine Dateien gefunden.\r\nDer Vorgang wird abgebrochen.");

  Mail("a.eml", MailA);
  Form.findChild<QCheckBox*>("CheckBoxPreString")->setChecked(true);
  Dialogs.Requests.clear();
  Form.ButtonDoItClick();  // answered with the default, Nein
  ASSERT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Bestätigen");
  EXPECT_EQ(Files(), QStringList{"a.eml"});
  EXPECT_EQ(platform::LastWriteTime(Dir.path() + "/a.eml"), FileTime);
}

TEST_F(ApplyWindowTest, AFailedBackupChangesNothingAndGoesToTheErrorReport) {
  Mail("a.eml", MailA);
  // Archives of every time stamp of the next seconds exist already: none may be replaced.
  const QDateTime now = QDateTime::currentDateTime();
  for (int s = 0; s < 10; ++s)
    test::WriteFile(Dir.path(), now.addSecs(s).toString("yyyyMMdd_HHmmss") + "_EmailBackup.zip", "kept");
  Form.findChild<QCheckBox*>("CheckBoxPreString")->setChecked(true);
  Form.findChild<QLineEdit*>("JvDirectoryEditSrc")->setText(Dir.path());
  Dialogs.Answer = [](const app::TDialogRequest& ARequest) {
    return ARequest.Type == app::TMsgDlgType::Confirmation ? app::TMsgDlgBtn::Yes : ARequest.Default;
  };
  EXPECT_THROW(Form.ButtonDoItClick(), rename::TApplyError);
  EXPECT_TRUE(Form.findChild<QPushButton*>("ButtonDoIt")->isEnabled());
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(QDir(Dir.path()).entryList({"*.eml"}, QDir::Files), QStringList{"a.eml"});
  EXPECT_EQ(platform::LastWriteTime(Dir.path() + "/a.eml"), FileTime);
}

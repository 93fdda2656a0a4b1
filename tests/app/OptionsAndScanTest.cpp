#include "AppTestSupport.h"
#include "app/TFileListBox.h"
#include "rename/PreviewScan.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kavio;

namespace {

class ScanTest : public test::FormMainTest {
 protected:
  QString Mail(const QString& AName, const QByteArray& AHeader) {
    const QString path = test::WriteFile(Dir.path(), AName, AHeader + "\r\nText\r\n");
    test::SetMTime(path, FileTime);
    return path;
  }
  void Open(const QString& AFolder) { Control<QLineEdit>("JvDirectoryEditSrc")->setText(AFolder); }
  QRadioButton* Radio(const char* AName) { return Control<QRadioButton>(AName); }
  QCheckBox* Check(const char* AName) { return Control<QCheckBox>(AName); }
  app::TFileListBox* NamePane() { return Control<app::TFileListBox>("FileListBox1"); }

  QTemporaryDir Dir;
  QSignalSpy Scans{&Form, &app::TFormMain::FilesRead};
  const QDateTime FileTime{QDate(2020, 6, 1), QTime(10, 0), Qt::UTC};  // 12:00 in Berlin
};

const QByteArray MailA = "From: =?UTF-8?Q?Hans_M=C3=BCller?= <h@x.de>\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n";
const QByteArray MailC = "From: info.service@shop\r\nDate: Fri, 28 Nov 2014 23:59:59 +0100\r\n";

}  // namespace

TEST_F(ScanTest, FolderTextScansIntoFourParallelPanes) {
  Mail("a.eml", MailA);
  Mail("C.EML", MailC);
  Mail("m.msg", "");
  Open(Dir.path());
  EXPECT_EQ(Scans.count(), 1);
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"a.eml", "C.EML"}));
  EXPECT_EQ(test::Rows(Pane("ListBox2")), (QStringList{"01.06.2020 12:00:00", "01.06.2020 12:00:00"}));
  EXPECT_EQ(test::Rows(Pane("ListBox3")), (QStringList{"a.eml", "C.EML"}));
  EXPECT_EQ(test::Rows(Pane("ListBox4")), (QStringList{"03.02.2015 09:15:00", "28.11.2014 23:59:59"}));

  Check("CheckBoxPreString")->click();
  Check("CheckBoxAbsender")->click();
  EXPECT_EQ(Scans.count(), 3);
  EXPECT_EQ(test::Rows(Pane("ListBox3")),
            (QStringList{QString::fromUtf8("20150203_Hans Müller_a.eml"), "20141128_info_service_at_shop_C.EML"}));
  EXPECT_TRUE(Dialogs.Requests.isEmpty());

  // A folder that does not exist empties all four panes, without a message.
  Open(Dir.path() + "/fehlt");
  for (const char* pane : {"FileListBox1", "ListBox2", "ListBox3", "ListBox4"}) EXPECT_EQ(Pane(pane)->count(), 0);
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
}

TEST_F(ScanTest, WhichOptionsScan) {
  Mail("a.eml", MailA);
  Mail("b.msg", "");
  Open(Dir.path());
  Scans.clear();

  // A check box reports every change, also one made by the program.
  Check("CheckBoxPreString")->setChecked(true);
  EXPECT_EQ(Scans.count(), 1);
  Check("CheckBoxPreString")->click();
  EXPECT_EQ(Scans.count(), 2);
  // "Backup erstellen" only matters to the apply run.
  Check("CheckBoxBackup")->click();
  Check("CheckBoxBackup")->click();
  EXPECT_EQ(Scans.count(), 2);
  // The selected option again: no scan.
  Radio("JvRadioButtonEml")->click();
  EXPECT_EQ(Scans.count(), 2);
  EXPECT_EQ(NamePane()->Mask(), "*.eml");

  // Becoming selected scans once; being deselected does not.
  Radio("JvRadioButtonMsg_OxMsg")->click();
  EXPECT_EQ(Scans.count(), 3);
  EXPECT_EQ(NamePane()->Mask(), "*.msg");
  EXPECT_EQ(test::Rows(NamePane()), QStringList{"b.msg"});
  Dialogs.Requests.clear();
  Radio("JvRadioButtonMsg_Outlook")->setChecked(true);  // by the program, as the settings restore will
  EXPECT_EQ(Scans.count(), 4);
  EXPECT_EQ(NamePane()->Mask(), "*.msg");
  // The other reader: now the Outlook route's dialogs.
  EXPECT_EQ(Dialogs.Titles(), (QStringList{"Fehler", "Warnung"}));

  Radio("JvRadioButtonEml")->click();
  EXPECT_EQ(Scans.count(), 5);
  EXPECT_EQ(test::Rows(NamePane()), QStringList{"a.eml"});
}

TEST_F(ScanTest, OutlookWithoutOutlookShowsTwoDialogsAndNamesOnly) {
  Mail("a.msg", "");
  Mail("b.msg", "");
  Mail("c.eml", MailA);
  Open(Dir.path());
  Dialogs.Requests.clear();
  Radio("JvRadioButtonMsg_Outlook")->click();

  ASSERT_EQ(Dialogs.Requests.size(), 2);
  EXPECT_EQ(Dialogs.Requests[0].Type, app::TMsgDlgType::Error);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Fehler");
  EXPECT_EQ(Dialogs.Requests[0].Text, "Es konnte keine Verbindung zu Outlook hergestellt werden-");
  EXPECT_EQ(Dialogs.Requests[1].Type, app::TMsgDlgType::Warning);
  EXPECT_EQ(Dialogs.Requests[1].Title, "Warnung");
  EXPECT_EQ(Dialogs.Requests[1].Text, rename::OutlookMissingWarning);
  for (const auto& r : Dialogs.Requests) EXPECT_EQ(r.Buttons, QList<app::TMsgDlgBtn>{app::TMsgDlgBtn::Ok});

  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"a.msg", "b.msg"}));
  for (const char* pane : {"ListBox2", "ListBox3", "ListBox4"}) EXPECT_EQ(Pane(pane)->count(), 0) << pane;

  // Every scan asks again.
  Check("CheckBoxAbsender")->click();
  EXPECT_EQ(Dialogs.Requests.size(), 4);
}

TEST_F(ScanTest, UnreadableFileWarnsOnceAndKeepsItsRow) {
  Mail("a.eml", MailA);
  Mail("b.eml", MailC);
  Mail("c.eml", MailC);
  Mail("d.msg", "");
  Check("CheckBoxPreString")->setChecked(true);
  // b.eml is listed as a file, then replaced by a folder before its turn: no reader can read it.
  QListWidget* newTimes = Pane("ListBox4");
  QObject::connect(newTimes->model(), &QAbstractItemModel::rowsInserted, &Form, [&] {
    if (newTimes->count() != 1) return;
    QFile::remove(Dir.filePath("b.eml"));
    QDir(Dir.path()).mkdir("b.eml");
  });
  int rowsAtWarning = -1;
  Dialogs.OnDialog = [&](const app::TDialogRequest&) { rowsAtWarning = newTimes->count(); };
  Open(Dir.path());

  ASSERT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Warnung");
  EXPECT_EQ(Dialogs.Requests[0].Text, "Die Daten der Datei b.eml konnten nicht richtig gelesen werden.");
  EXPECT_EQ(rowsAtWarning, 1);  // shown while the scan reads b.eml, after a.eml's row
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"a.eml", "b.eml", "c.eml"}));
  for (const char* pane : {"ListBox2", "ListBox3", "ListBox4"}) EXPECT_EQ(Pane(pane)->count(), 3) << pane;
  EXPECT_EQ(test::Rows(Pane("ListBox3")), (QStringList{"20150203_a.eml", "b.eml", "20141128_c.eml"}));
  EXPECT_EQ(Pane("ListBox4")->item(1)->text(), "");
  EXPECT_FALSE(Pane("ListBox2")->item(1)->text().isEmpty());
}

TEST_F(ScanTest, ScanAskedForDuringADialogRunsAfterwards) {
  Mail("a.eml", MailA);
  Mail("b.eml", MailC);
  Mail("c.eml", MailC);
  // b.eml turns into a folder after a.eml's row, as above: the first scan warns about it.
  QListWidget* newTimes = Pane("ListBox4");
  QObject::connect(newTimes->model(), &QAbstractItemModel::rowsInserted, &Form, [&] {
    if (newTimes->count() != 1 || !QFileInfo(Dir.filePath("b.eml")).isFile()) return;
    QFile::remove(Dir.filePath("b.eml"));
    QDir(Dir.path()).mkdir("b.eml");
  });
  // A scan asked for while the first waits in its warning (as a timer tick would).
  Dialogs.OnDialog = [&](const app::TDialogRequest&) {
    if (Dialogs.Requests.size() == 1) Form.ReadFiles();
  };
  Open(Dir.path());
  EXPECT_EQ(Scans.count(), 1);
  // The second scan ran after the first: b.eml, now a folder, is no longer listed.
  EXPECT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"a.eml", "c.eml"}));
  for (const char* pane : {"ListBox2", "ListBox3", "ListBox4"}) EXPECT_EQ(Pane(pane)->count(), 2) << pane;
}

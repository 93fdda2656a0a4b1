// The settings file "Kavio.ini": what a run writes, what the next run restores, and what of a
// file the program keeps. Each test has a settings folder of its own.

#include "AppTestSupport.h"
#include "app/TFileListBox.h"
#include "app/TFormStorage.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

using namespace kavio;

namespace {

// One run of the program: the window and its extraction service, shown by Show(), closed and
// freed (which writes the settings file) by freeing the run.
struct TRun {
  TRun() : ViewMail(&Form.Reporter()) { Form.SetFormViewMail(&ViewMail); }
  ~TRun() { Form.SetFormViewMail(nullptr); }
  void Show() {
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form));
  }
  // Moves and sizes the window so that its frame is AFrame.
  void SetFrame(const QRect& AFrame) {
    const QSize margins = Form.frameGeometry().size() - Form.geometry().size();
    Form.move(AFrame.topLeft());
    Form.resize(AFrame.size() - margins);
    QCoreApplication::processEvents();
  }
  QStringList Dirs() const { return Form.JvStrHolderDirs.Strings(); }

  app::TFormMain Form;
  extract::TFormViewMail ViewMail;
};

class SettingsTest : public ::testing::Test {
 protected:
  std::unique_ptr<TRun> Start() {
    auto run = std::make_unique<TRun>();
    run->Show();
    return run;
  }
  // A run from start to close and end.
  void Cycle() {
    auto run = Start();
    run->Form.close();
  }
  void WriteIni(const QByteArray& AText) {
    QFile file(ConfigHome.IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(AText);
  }
  QByteArray ReadIni() const {
    QFile file(ConfigHome.IniPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // A rectangle well inside the first screen, as left, top, right, bottom.
  static QRect OnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return QRect(screen.left() + 40, screen.top() + 30, 600, 400);
  }
  static QByteArray NormPos(const QRect& AFrame) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(AFrame.left())
        .arg(AFrame.top())
        .arg(AFrame.left() + AFrame.width())
        .arg(AFrame.top() + AFrame.height())
        .toUtf8();
  }

  test::TConfigHome ConfigHome;
  test::TDialogRecorder Dialogs;
};

}  // namespace

TEST_F(SettingsTest, FirstRunWritesTheFileLineByLine) {
  {
    auto run = Start();
    EXPECT_FALSE(QFile::exists(ConfigHome.IniPath()));
    // Designed state: empty folder, "*.eml", backup on, the name options off.
    EXPECT_TRUE(run->Form.JvDirectoryEditSrc->text().isEmpty());
    EXPECT_TRUE(run->Form.JvRadioButtonEml->isChecked());
    EXPECT_TRUE(run->Form.CheckBoxBackup->isChecked());
    EXPECT_FALSE(run->Form.CheckBoxPreString->isChecked());
    run->SetFrame(QRect(0, 0, 1034, 643));
    run->Form.JvDirectoryEditSrc->setText(QStringLiteral("C:\\Mails"));
    run->Form.CheckBoxPreString->setChecked(true);
    run->Form.JvStrHolderDirs.Add(QStringLiteral("C:\\Mails"));
    run->Form.close();
    // Collected at closing, written only when the store is freed.
    EXPECT_FALSE(QFile::exists(ConfigHome.IniPath()));
  }
  EXPECT_EQ(ReadIni(), QByteArray("[FormMain]\n"
                                  "FormVersion=0\n"
                                  "Flags=0\n"
                                  "PixelsPerInch=" +
                                  QByteArray::number(app::TFormStorage::ScreenPixelsPerInch()) +
                                  "\n"
                                  "MinMaxPos=-1,-1,-1,-1\n"
                                  "NormPos=0,0,1034,643\n"
                                  "JvDirectoryEditSrc_Text=C:\\Mails\n"
                                  "CheckBoxPreString_Checked=TRUE\n"
                                  "CheckBoxAbsender_Checked=FALSE\n"
                                  "CheckBoxBackup_Checked=TRUE\n"
                                  "JvRadioButtonEml_Checked=TRUE\n"
                                  "JvRadioButtonMsg_OxMsg_Checked=FALSE\n"
                                  "JvRadioButtonMsg_Outlook_Checked=FALSE\n"
                                  "\n"
                                  "[FormMain\\JvStrHolderDirs_Strings]\n"
                                  "Item0=C:\\Mails\n"
                                  "Count=1\n"
                                  "\n"));
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
}

TEST_F(SettingsTest, WindowFreedWithoutClosingIsCollectedToo) {
  {
    auto run = Start();
    run->Form.CheckBoxAbsender->setChecked(true);
  }
  EXPECT_TRUE(ReadIni().contains("\nCheckBoxAbsender_Checked=TRUE\n"));
}

TEST_F(SettingsTest, RestoringFiresTheHandlersAsTheUserWould) {
  QTemporaryDir mails;
  const QDateTime fileTime(QDate(2020, 6, 1), QTime(10, 0), Qt::UTC);
  test::SetMTime(test::WriteFile(mails.path(), "a.eml", "From: h@x.de\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\nT\r\n"),
                 fileTime);
  test::WriteFile(mails.path(), "b.msg", "");
  WriteIni("[FormMain]\nJvDirectoryEditSrc_Text=" + mails.path().toUtf8() +
           "\nCheckBoxPreString_Checked=TRUE\nJvRadioButtonEml_Checked=TRUE\n");

  TRun run;
  QSignalSpy scans(&run.Form, &app::TFormMain::FilesRead);
  run.Show();
  // The folder text scans, the date option scans again; "*.eml" was selected already.
  EXPECT_EQ(scans.count(), 2);
  EXPECT_EQ(run.Form.JvDirectoryEditSrc->text(), mails.path());
  EXPECT_EQ(test::Rows(run.Form.FileListBox1), QStringList{"a.eml"});
  EXPECT_EQ(test::Rows(run.Form.findChild<QListWidget*>("ListBox3")), QStringList{"20150203_a.eml"});
  // The hints are wrapped after the restore, by FormShow.
  EXPECT_TRUE(run.Form.JvDirectoryEditSrc->toolTip().contains(QLatin1Char('\n')));

  // A restored mail kind sets the mask and scans once more.
  run.Form.close();
  WriteIni("[FormMain]\nJvDirectoryEditSrc_Text=" + mails.path().toUtf8() + "\nJvRadioButtonEml_Checked=FALSE\n" +
           "JvRadioButtonMsg_OxMsg_Checked=TRUE\nJvRadioButtonMsg_Outlook_Checked=FALSE\n");
  TRun second;
  QSignalSpy secondScans(&second.Form, &app::TFormMain::FilesRead);
  second.Show();
  EXPECT_EQ(secondScans.count(), 2);
  EXPECT_TRUE(second.Form.JvRadioButtonMsg_OxMsg->isChecked());
  EXPECT_FALSE(second.Form.JvRadioButtonEml->isChecked());
  EXPECT_EQ(test::Rows(second.Form.FileListBox1), QStringList{"b.msg"});
  second.Form.close();

  // "*.msg (via Outlook)" restored: the scan tries to reach Outlook during start-up, and its
  // dialogs come before the window can be used.
  Dialogs.Requests.clear();
  WriteIni("[FormMain]\nJvDirectoryEditSrc_Text=" + mails.path().toUtf8() + "\nJvRadioButtonMsg_Outlook_Checked=TRUE\n");
  TRun third;
  third.Form.show();
  EXPECT_TRUE(third.Form.JvRadioButtonMsg_Outlook->isChecked());
  ASSERT_FALSE(Dialogs.Requests.isEmpty());
  EXPECT_EQ(Dialogs.Requests[0].Text, "Es konnte keine Verbindung zu Outlook hergestellt werden-");
}

TEST_F(SettingsTest, PlacementOnlyFromTheSameDpiAndOnAScreen) {
  const int dpi = app::TFormStorage::ScreenPixelsPerInch();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QRect designed;
  {
    auto run = Start();
    designed = run->Form.frameGeometry();
  }
  QFile::remove(ConfigHome.IniPath());
  struct TCase {
    const char* Name;
    int PixelsPerInch;
    QRect Frame;
    bool Applied;
  };
  const QRect inside = OnScreen();
  const TCase cases[] = {
      {"same DPI, on the screen", dpi, inside, true},
      {"other DPI", dpi == 120 ? 96 : 120, inside, false},
      {"bottom-right corner off every screen", dpi, QRect(inside.topLeft(), QPoint(screen.right() + 1, 300)), false},
      {"top-left corner off every screen", dpi, QRect(QPoint(screen.left() - 50, 20), QSize(400, 300)), false},
      {"last pixel on the screen", dpi, QRect(QPoint(100, 100), screen.bottomRight()), true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteIni("[FormMain]\nFormVersion=0\nFlags=0\nPixelsPerInch=" + QByteArray::number(c.PixelsPerInch) +
             "\nMinMaxPos=-1,-1,-1,-1\nNormPos=" + NormPos(c.Frame) + "\nCheckBoxAbsender_Checked=TRUE\n");
    auto run = Start();
    if (c.Applied)
      EXPECT_EQ(run->Form.frameGeometry(), c.Frame);
    else
      EXPECT_EQ(run->Form.frameGeometry(), designed);
    EXPECT_EQ(run->Form.windowState(), Qt::WindowNoState);
    // The options are restored all the same.
    EXPECT_TRUE(run->Form.CheckBoxAbsender->isChecked());
  }
  // Left not less than right.
  WriteIni("[FormMain]\nPixelsPerInch=" + QByteArray::number(dpi) + "\nNormPos=300,20,300,400\n");
  EXPECT_EQ(Start()->Form.frameGeometry(), designed);
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
}

TEST_F(SettingsTest, MaximisedRunRestoresTheNormalRectangle) {
  const QRect normal = OnScreen();
  {
    auto run = Start();
    run->SetFrame(normal);
    run->Form.showMaximized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(run->Form.isMaximized());
    run->Form.close();
  }
  EXPECT_TRUE(ReadIni().contains("\nNormPos=" + NormPos(normal) + "\n"));
  auto run = Start();
  EXPECT_EQ(run->Form.windowState(), Qt::WindowNoState);
  EXPECT_EQ(run->Form.frameGeometry(), normal);
}

TEST_F(SettingsTest, BooleanValues) {
  const struct {
    const char* Value;
    bool On;
  } cases[] = {{"no", false}, {"Y", true}, {"7", true}, {"", false}, {"true", true}, {"N", false}, {"0", false},
               // Not a boolean: the item keeps the designed state.
               {"vielleicht", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Value);
    WriteIni(QByteArray("[FormMain]\nCheckBoxBackup_Checked=") + c.Value + "\n");
    EXPECT_EQ(Start()->Form.CheckBoxBackup->isChecked(), c.On);
  }
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
}

TEST_F(SettingsTest, RecentFoldersList) {
  const struct {
    const char* Name;
    QByteArray Section;
    QStringList Dirs;
  } cases[] = {
      {"Count 3 with Item0 and Item2", "Count=3\nItem0=/b\nItem2=/a\n", {"", "/a", "/b"}},
      {"one folder in two cases", "Item0=/Mails\nItem1=/mails\nCount=2\n", {"/Mails"}},
      {"Count not a number", "Item0=/a\nCount=zwei\n", {}},
      {"no Count", "Item0=/a\n", {}},
      {"huge Count", "Item0=/a\nCount=2000000000\n", {"", "/a"}},
      {"keys in any case", "ITEM1=/z\nitem0=/y\ncount=2\n", {"/y", "/z"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    WriteIni("[FormMain]\n\n[FormMain\\JvStrHolderDirs_Strings]\n" + c.Section);
    EXPECT_EQ(Start()->Dirs(), c.Dirs);
  }
  // Without the section the list keeps what it has (nothing at start).
  WriteIni("[FormMain]\n");
  EXPECT_TRUE(Start()->Dirs().isEmpty());

  // Written back: items beyond the new count go, the rest keep their places.
  WriteIni("[FormMain]\n\n[FormMain\\JvStrHolderDirs_Strings]\nCount=3\nItem0=/x\nItem1=/X\nItem2=/y\nItem7=/z\n");
  Cycle();
  EXPECT_TRUE(ReadIni().endsWith("[FormMain\\JvStrHolderDirs_Strings]\nCount=2\nItem0=/x\nItem1=/y\n\n"))
      << ReadIni().constData();
}

TEST_F(SettingsTest, PlacementValueNotANumberIsReportedAndStopsTheRestore) {
  const QByteArray dpi = QByteArray::number(app::TFormStorage::ScreenPixelsPerInch());
  const struct {
    const char* Name;
    QByteArray Placement;
  } cases[] = {
      {"FormVersion", "FormVersion=eins\n"},
      {"Flags", "FormVersion=0\nFlags=0x2\n"},
      {"PixelsPerInch", "FormVersion=0\nPixelsPerInch=96dpi\nNormPos=" + NormPos(OnScreen()) + "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Dialogs.Requests.clear();
    const QByteArray items = "CheckBoxAbsender_Checked=TRUE\n\n[FormMain\\JvStrHolderDirs_Strings]\nItem0=/a\nCount=1\n\n";
    WriteIni("[FormMain]\n" + c.Placement + items);
    {
      auto run = Start();
      ASSERT_EQ(Dialogs.Requests.size(), 1);
      EXPECT_EQ(Dialogs.Requests[0].Title, QStringLiteral("Fehler"));
      EXPECT_TRUE(Dialogs.Requests[0].Text.contains(QLatin1String(c.Name)));
      // Nothing after the faulty value is restored; the window is shown and its hints wrapped.
      EXPECT_FALSE(run->Form.CheckBoxAbsender->isChecked());
      EXPECT_TRUE(run->Dirs().isEmpty());
      EXPECT_TRUE(run->Form.isVisible());
      EXPECT_TRUE(run->Form.JvDirectoryEditSrc->toolTip().contains(QLatin1Char('\n')));
      run->Form.close();
    }
    // The stored items are not replaced by the designed state of this run.
    const QByteArray written = ReadIni();
    EXPECT_TRUE(written.contains("\nFormVersion=0\n"));
    EXPECT_TRUE(written.endsWith(items)) << written.constData();
  }
  // Below 0: nothing is restored, and nothing reported.
  Dialogs.Requests.clear();
  WriteIni("[FormMain]\nFormVersion=-1\nCheckBoxAbsender_Checked=TRUE\n");
  EXPECT_FALSE(Start()->Form.CheckBoxAbsender->isChecked());
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
}

TEST_F(SettingsTest, WhatTheProgramDoesNotOwnStays) {
  WriteIni(
      "; von Hand\r\n"
      "[Fremd]\r\n"
      "A = B\r\n"
      "ohne Gleichheitszeichen\r\n"
      "\r\n"
      "[formmain]\r\n"
      "Unbekannt=1\r\n"
      "; Kommentar\r\n"
      "  checkboxabsender_checked = yes  \r\n"
      "\r\n");
  {
    auto run = Start();
    EXPECT_TRUE(run->Form.CheckBoxAbsender->isChecked());
    run->Form.CheckBoxPreString->setChecked(true);
    run->Form.close();
  }
  const QByteArray text = ReadIni();
  // A key already there keeps its place (and takes the stored name's case), new keys follow at
  // the end of the section; the line ends of the file are kept.
  EXPECT_TRUE(text.startsWith("; von Hand\r\n\r\n[Fremd]\r\nA=B\r\nohne Gleichheitszeichen\r\n\r\n[formmain]\r\n"
                              "Unbekannt=1\r\n; Kommentar\r\ncheckboxabsender_checked=TRUE\r\nFormVersion=0\r\n"))
      << text.constData();
  EXPECT_TRUE(text.contains("\r\nCheckBoxPreString_Checked=TRUE\r\n"));
  EXPECT_TRUE(text.endsWith("JvRadioButtonMsg_Outlook_Checked=FALSE\r\n\r\n"
                            "[FormMain\\JvStrHolderDirs_Strings]\r\nCount=0\r\n\r\n"))
      << text.constData();
  // A further run changes nothing.
  Cycle();
  EXPECT_EQ(ReadIni(), text);
}

TEST_F(SettingsTest, EncodingsOfTheFile) {
  // Windows-1252, as older files are: read, and written back so.
  WriteIni("[FormMain]\nJvDirectoryEditSrc_Text=/tmp/M\xe4rz\n");
  {
    auto run = Start();
    EXPECT_EQ(run->Form.JvDirectoryEditSrc->text(), QString::fromUtf8("/tmp/März"));
    run->Form.close();
  }
  EXPECT_TRUE(ReadIni().contains("\nJvDirectoryEditSrc_Text=/tmp/M\xe4rz\n"));
  // A folder that Windows-1252 cannot hold turns the file into UTF-8.
  {
    auto run = Start();
    run->Form.JvDirectoryEditSrc->setText(QString::fromUtf8("/tmp/Łódź"));
    run->Form.close();
  }
  EXPECT_TRUE(ReadIni().contains("\nJvDirectoryEditSrc_Text=/tmp/\xc5\x81\xc3\xb3\x64\xc5\xba\n"));
  EXPECT_EQ(Start()->Form.JvDirectoryEditSrc->text(), QString::fromUtf8("/tmp/Łódź"));

  // UTF-16 with its byte-order mark.
  const QString utf16 = QString::fromUtf8("[FormMain]\r\nJvDirectoryEditSrc_Text=/tmp/Ärger\r\n");
  QByteArray bytes("\xff\xfe", 2);
  bytes.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
  WriteIni(bytes);
  {
    auto run = Start();
    EXPECT_EQ(run->Form.JvDirectoryEditSrc->text(), QString::fromUtf8("/tmp/Ärger"));
    run->Form.close();
  }
  EXPECT_TRUE(ReadIni().startsWith(QByteArray("\xff\xfe[\0F\0", 6)));
}

TEST_F(SettingsTest, UnwritableSettingsFolderLosesTheSettingsSilently) {
  // A folder below a plain file cannot be made, also not by root.
  const QString blocker = test::WriteFile(ConfigHome.Path(), "Datei", "x");
  qputenv("XDG_CONFIG_HOME", (blocker + "/config").toLocal8Bit());
  {
    auto run = Start();
    run->Form.CheckBoxAbsender->setChecked(true);
    run->Form.close();
  }
  EXPECT_FALSE(QFileInfo::exists(blocker + "/config/Kavio.ini"));
  EXPECT_TRUE(Dialogs.Requests.isEmpty());
  EXPECT_FALSE(Start()->Form.CheckBoxAbsender->isChecked());
}

TEST(SettingsFolderTest, ConfigHomeOrDotConfig) {
  test::TConfigHome home;
  EXPECT_EQ(app::TAppIniFileStorage::DefaultFileName(), home.Path() + "/Kavio.ini");
  qputenv("XDG_CONFIG_HOME", "relativ/pfad");
  EXPECT_EQ(app::TAppIniFileStorage::DefaultFileName(), QDir::homePath() + "/.config/Kavio.ini");
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(app::TAppIniFileStorage::DefaultFileName(), QDir::homePath() + "/.config/Kavio.ini");
}

#include "AppTestSupport.h"
#include "app/SourceFolder.h"
#include "app/TFileListBox.h"
#include "app/TWrapButton.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

using namespace kavio;

namespace {

const QByteArray Mail = "From: h@x.de\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\nText\r\n";

// Answers the browse dialog and records where it opened.
class TBrowseRecorder {
 public:
  TBrowseRecorder() {
    FOld = app::SetBrowseFolderHook([this](QWidget*, const QString& AStart) {
      Starts.append(AStart);
      return Answer;
    });
  }
  ~TBrowseRecorder() { app::SetBrowseFolderHook(std::move(FOld)); }

  QStringList Starts;
  QString Answer;  // empty: cancelled

 private:
  app::TBrowseFolderHook FOld;
};

class SourceFolderTest : public test::FormMainTest {
 protected:
  app::TDirectoryEdit* Edit() { return Form.JvDirectoryEditSrc; }
  QString Folder(const QString& AName) {
    const QString path = Dir.filePath(AName);
    QDir().mkpath(path);
    return path;
  }
  void Drop(QWidget* ATarget, const QList<QUrl>& AUrls) {
    QMimeData data;
    data.setUrls(AUrls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ATarget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(ATarget, &drop);
    EXPECT_TRUE(drop.isAccepted());
  }
  QStringList MenuCaptions() {
    QStringList captions;
    for (const QAction* entry : Form.PopupMenu1->actions()) captions.append(entry->text());
    return captions;
  }
  QAction* MenuEntry(int AIndex) { return Form.PopupMenu1->actions().value(AIndex); }

  QTemporaryDir Dir;
  QSignalSpy Scans{&Form, &app::TFormMain::FilesRead};
  TBrowseRecorder Browse;
};

}  // namespace

TEST(CountFilesInFolder, CountsEveryRegularFileAndNothingElse) {
  QTemporaryDir dir;
  test::WriteFile(dir.path(), "a.eml", "x");
  test::WriteFile(dir.path(), "notes", "x");  // no extension: "*.*" takes it
  test::WriteFile(dir.path(), ".hidden", "x");
  test::WriteFile(dir.path(), "sub/inner.eml", "x");
  QFile::link(dir.filePath("a.eml"), dir.filePath("link.eml"));
  EXPECT_EQ(app::CountFilesInFolder(dir.path(), "*.*"), 3);
  EXPECT_EQ(app::CountFilesInFolder(dir.path() + "/", "*.*"), 3);
  EXPECT_EQ(app::CountFilesInFolder(dir.path(), "*.EML"), 1);
  EXPECT_EQ(app::CountFilesInFolder(QString(), "*.*"), 0);
  EXPECT_EQ(app::CountFilesInFolder(dir.filePath("fehlt"), "*.*"), 0);
  EXPECT_EQ(app::CountFilesInFolder(dir.filePath("a.eml"), "*.*"), 0);  // a file, not a folder
}

TEST_F(SourceFolderTest, TypingScansAtEveryKeystrokeAlsoPartialFolders) {
  test::WriteFile(Dir.path(), "top.eml", Mail);
  test::WriteFile(Dir.path(), "ab/inner.eml", Mail);
  test::WriteFile(Dir.path(), "ab/inner2.eml", Mail);
  QStringList rowsAtFolder;
  QObject::connect(&Form, &app::TFormMain::FilesRead, &Form, [&] {
    if (Edit()->text() == Dir.path()) rowsAtFolder = test::Rows(Form.FileListBox1);
  });
  Edit()->setFocus();
  const QString typed = Dir.path() + "/ab";
  QTest::keyClicks(Edit(), typed);

  EXPECT_EQ(Edit()->text(), typed);
  EXPECT_EQ(Scans.count(), typed.size());
  // On the way, the text named the temporary folder itself, and it was scanned.
  EXPECT_EQ(rowsAtFolder, QStringList{"top.eml"});
  EXPECT_EQ(test::Rows(Form.FileListBox1), (QStringList{"inner.eml", "inner2.eml"}));
  EXPECT_EQ(Form.FilesInTheFolder(), 2);
  // Backspace is a change too; setting the same text again is none.
  QTest::keyClick(Edit(), Qt::Key_Backspace);
  EXPECT_EQ(Scans.count(), typed.size() + 1);
  EXPECT_EQ(Form.FilesInTheFolder(), 0);  // ".../a" does not exist
  Edit()->setText(Edit()->text());
  EXPECT_EQ(Scans.count(), typed.size() + 1);
}

TEST_F(SourceFolderTest, DropsOnTheFieldAndOnTheNamePane) {
  const QString mails = Folder("Mails");
  const QString file = test::WriteFile(mails, "a.eml", Mail);
  const QString other = Folder("Andere");
  const QString third = Folder("Dritte");
  struct TCase {
    const char* Name;
    QList<QUrl> Urls;
    QString Expected;
  };
  const TCase cases[] = {
      {"mail_file_gives_its_folder", {QUrl::fromLocalFile(file)}, mails},
      {"three_folders_enter_the_first",
       {QUrl::fromLocalFile(other), QUrl::fromLocalFile(mails), QUrl::fromLocalFile(third)},
       other},
      {"one_trailing_slash_removed", {QUrl::fromLocalFile(mails + "/")}, mails},
      {"root_stays_root", {QUrl::fromLocalFile("/")}, "/"},
      {"missing_item_taken_as_it_is", {QUrl::fromLocalFile(mails + "/fehlt")}, mails + "/fehlt"},
  };
  for (QWidget* target : {static_cast<QWidget*>(Edit()), Form.FileListBox1->viewport()}) {
    for (const TCase& c : cases) {
      Edit()->setText(third + "/x");  // a text none of the cases gives
      Scans.clear();
      Drop(target, c.Urls);
      EXPECT_EQ(Edit()->text(), c.Expected) << c.Name << " on " << target->objectName().toStdString();
      EXPECT_EQ(Scans.count(), 1) << c.Name;
    }
  }
  // The mail file's folder is scanned.
  Drop(Form.FileListBox1->viewport(), {QUrl::fromLocalFile(file)});
  EXPECT_EQ(test::Rows(Form.FileListBox1), QStringList{"a.eml"});
  EXPECT_EQ(Form.FilesInTheFolder(), 1);

  // Something that is no local file is not taken.
  QMimeData web;
  web.setUrls({QUrl("https://example.org/a.eml")});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(Form.FileListBox1->viewport(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(SourceFolderTest, BrowseDialogStartsWhereItShouldAndChangesOnlyOnConfirm) {
  const QString mails = Folder("Mails");
  test::WriteFile(mails, "a.eml", Mail);
  Form.ButtonDoIt->setFocus();

  // Empty text, nothing chosen yet: the root. Cancel changes nothing.
  Edit()->ButtonAction()->trigger();
  EXPECT_EQ(Browse.Starts, QStringList{"/"});
  EXPECT_EQ(Edit()->text(), "");
  EXPECT_EQ(Scans.count(), 0);
  EXPECT_TRUE(Edit()->hasFocus());

  // Confirmed: the folder becomes the text and is scanned.
  Browse.Answer = mails;
  QTest::keyClick(Edit(), Qt::Key_Down, Qt::AltModifier);
  EXPECT_EQ(Browse.Starts.size(), 2);
  EXPECT_EQ(Edit()->text(), mails);
  EXPECT_EQ(Scans.count(), 1);
  EXPECT_EQ(test::Rows(Form.FileListBox1), QStringList{"a.eml"});

  // The folder already in the field: no change, no scan. It starts in the text.
  Edit()->ButtonAction()->trigger();
  EXPECT_EQ(Browse.Starts.last(), mails);
  EXPECT_EQ(Scans.count(), 1);

  // Empty text again: the folder last chosen. A text that names no folder: the root.
  Browse.Answer.clear();
  Edit()->clear();
  Edit()->ButtonAction()->trigger();
  EXPECT_EQ(Browse.Starts.last(), mails);
  Edit()->setText(mails + "/fehlt");
  Edit()->ButtonAction()->trigger();
  EXPECT_EQ(Browse.Starts.last(), "/");
  EXPECT_EQ(Edit()->text(), mails + "/fehlt");
}

TEST_F(SourceFolderTest, RecentFoldersMenu) {
  // An empty list gives an empty menu.
  Form.PopupMenu1Popup();
  EXPECT_TRUE(Form.PopupMenu1->actions().isEmpty());

  Form.AddRecentFolder("/home/x/Mails");
  Form.AddRecentFolder("/home/x/mails");
  EXPECT_EQ(Form.JvStrHolderDirs.Strings(), QStringList{"/home/x/Mails"});
  Form.AddRecentFolder("/home/x/Mails/");
  Form.AddRecentFolder("/home/x/Ablage");
  EXPECT_EQ(Form.JvStrHolderDirs.Strings(), (QStringList{"/home/x/Ablage", "/home/x/Mails", "/home/x/Mails/"}));

  // Rebuilt at every opening, one entry per folder in the list's order.
  Form.PopupMenu1Popup();
  Form.PopupMenu1Popup();
  EXPECT_EQ(MenuCaptions(), (QStringList{"/home/x/Ablage", "/home/x/Mails", "/home/x/Mails/"}));
}

TEST_F(SourceFolderTest, MenuEntersFolderWithAmpersandAsItIs) {
  const QString folder = Folder("Rechnungen & Belege");
  test::WriteFile(folder, "a.eml", Mail);
  Form.AddRecentFolder(folder);
  Form.PopupMenu1Popup();
  ASSERT_EQ(Form.PopupMenu1->actions().size(), 1);
  // Shown with one "&" (a menu shows "&&" as "&"), entered with its real path.
  EXPECT_EQ(MenuEntry(0)->text(), Dir.filePath("Rechnungen && Belege"));
  MenuEntry(0)->trigger();
  EXPECT_EQ(Edit()->text(), folder);
  EXPECT_EQ(test::Rows(Form.FileListBox1), QStringList{"a.eml"});
  EXPECT_EQ(Scans.count(), 1);

  // Choosing the folder that is already in the field: no scan.
  Form.PopupMenu1Popup();
  MenuEntry(0)->trigger();
  EXPECT_EQ(Scans.count(), 1);
}

TEST_F(SourceFolderTest, RightClickOpensTheRecentFoldersMenu) {
  // Right-clicks the field and, once a menu is open, notes its entries, chooses the first and
  // closes it.
  auto rightClick = [this] {
    QStringList shown;
    QWidget* popup = nullptr;
    QTimer::singleShot(0, &Form, [&] {
      popup = QApplication::activePopupWidget();
      if (!popup) return;
      for (QAction* entry : popup->actions()) shown.append(entry->text());
      if (!popup->actions().isEmpty()) popup->actions().first()->trigger();
      popup->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), Edit()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Edit(), &event);
    QTest::qWait(0);
    EXPECT_TRUE(!popup || popup == Form.PopupMenu1) << "not the recent-folders menu";
    return shown;
  };
  // An empty list: no entries, and no edit menu either.
  EXPECT_EQ(rightClick(), QStringList{});

  Form.AddRecentFolder(Dir.path());
  EXPECT_EQ(rightClick(), QStringList{Dir.path()});
  EXPECT_EQ(Edit()->text(), Dir.path());
  EXPECT_EQ(Scans.count(), 1);
}

TEST_F(SourceFolderTest, TypingCompletesFolderNamesOnly) {
  Folder("Mails");
  Folder("Mailbox");
  Folder("Ablage");
  test::WriteFile(Dir.path(), "Mail.eml", Mail);
  QCompleter* completer = Edit()->completer();
  ASSERT_NE(completer, nullptr);
  Edit()->setFocus();
  QTest::keyClicks(Edit(), Dir.path() + "/Mai");
  // The file system model reads the folders in the background and completes when it has.
  for (int i = 0; i < 500 && completer->completionCount() < 2; ++i) QTest::qWait(10);
  QStringList offered;
  for (int row = 0; completer->setCurrentRow(row); ++row) offered.append(completer->currentCompletion());
  offered.sort();
  EXPECT_EQ(offered, (QStringList{Dir.filePath("Mailbox"), Dir.filePath("Mails")}));
  EXPECT_EQ(Edit()->text(), Dir.path() + "/Mai");  // a suggestion only
}

TEST_F(SourceFolderTest, WatcherRescansWhenTheCountChanges) {
  ASSERT_NE(Form.TimerNrOfFiles, nullptr);
  EXPECT_EQ(Form.TimerNrOfFiles->interval(), 15000);
  EXPECT_TRUE(Form.TimerNrOfFiles->isActive());
  test::WriteFile(Dir.path(), "a.eml", Mail);
  Edit()->setText(Dir.path());
  Scans.clear();

  bool activeDuringScan = true;
  QObject::connect(&Form, &app::TFormMain::FilesRead, &Form,
                   [&] { activeDuringScan = Form.TimerNrOfFiles->isActive(); });

  Form.TimerNrOfFilesTimer();  // nothing changed
  EXPECT_EQ(Scans.count(), 0);

  // A new file of any kind: one rescan at the next tick, none at the one after.
  test::WriteFile(Dir.path(), "b.eml", Mail);
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 1);
  EXPECT_FALSE(activeDuringScan);
  EXPECT_TRUE(Form.TimerNrOfFiles->isActive());
  EXPECT_EQ(test::Rows(Form.FileListBox1), (QStringList{"a.eml", "b.eml"}));
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 1);

  // Renaming keeps the count: no rescan.
  ASSERT_TRUE(QFile::rename(Dir.filePath("b.eml"), Dir.filePath("c.eml")));
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 1);

  // A hidden file counts too; so does one taken away.
  test::WriteFile(Dir.path(), ".lock", "");
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 2);
  EXPECT_EQ(test::Rows(Form.FileListBox1), (QStringList{"a.eml", "c.eml"}));
  QFile::remove(Dir.filePath("a.eml"));
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 3);
  EXPECT_EQ(Form.FilesInTheFolder(), 2);
}

TEST_F(SourceFolderTest, TickDuringAScanDialogDoesNotRescan) {
  test::WriteFile(Dir.path(), "a.msg", "");
  Edit()->setText(Dir.path());
  Scans.clear();
  Dialogs.Requests.clear();
  // Without Outlook the scan shows its dialogs; a tick comes while one is open, after a new file.
  int scansDuringDialog = -1;
  Dialogs.OnDialog = [&](const app::TDialogRequest&) {
    if (Dialogs.Requests.size() != 1) return;
    test::WriteFile(Dir.path(), "b.msg", "");
    Form.TimerNrOfFilesTimer();
    scansDuringDialog = static_cast<int>(Scans.count());
    EXPECT_TRUE(Form.TimerNrOfFiles->isActive());
  };
  Control<QRadioButton>("JvRadioButtonMsg_Outlook")->click();
  ASSERT_FALSE(Dialogs.Requests.isEmpty());
  EXPECT_EQ(scansDuringDialog, 0);
  EXPECT_EQ(Scans.count(), 1);  // the option's own scan only
  EXPECT_EQ(test::Rows(Form.FileListBox1), QStringList{"a.msg"});
  EXPECT_EQ(Form.FilesInTheFolder(), 1);

  // The next tick picks the change up.
  Dialogs.OnDialog = nullptr;
  Form.TimerNrOfFilesTimer();
  EXPECT_EQ(Scans.count(), 2);
  EXPECT_EQ(test::Rows(Form.FileListBox1), (QStringList{"a.msg", "b.msg"}));
}

TEST_F(SourceFolderTest, TickDuringAnApplyRunDoesNotRescan) {
  test::WriteFile(Dir.path(), "a.eml", Mail);
  // Read-only: its date cannot be set, so the run stops at an error dialog for it.
  test::WriteFile(Dir.path(), "b.eml", "From: b@x.de\r\nDate: 1 Jan 2015 00:00:00 +0000\r\n\r\n");
  QFile(Dir.path() + "/b.eml").setPermissions(QFileDevice::ReadOwner);
  Edit()->setText(Dir.path());
  Scans.clear();
  int scansDuringRun = -1;
  bool busyDuringRun = false;
  Dialogs.Answer = [](const app::TDialogRequest& ARequest) {
    return ARequest.Type == app::TMsgDlgType::Confirmation ? app::TMsgDlgBtn::Yes : ARequest.Default;
  };
  Dialogs.OnDialog = [&](const app::TDialogRequest& ARequest) {
    if (ARequest.Type != app::TMsgDlgType::Error) return;
    // The backup archive has changed the file count; a tick now must leave the panes alone.
    busyDuringRun = Form.IsBusy();
    const int before = Scans.count();
    Form.TimerNrOfFilesTimer();
    scansDuringRun = Scans.count() - before;
  };
  Form.ButtonDoItClick();
  EXPECT_TRUE(busyDuringRun);
  EXPECT_EQ(scansDuringRun, 0);
  EXPECT_EQ(Scans.count(), 2);  // the run's own two scans
  EXPECT_FALSE(Form.IsBusy());
}

TEST_F(SourceFolderTest, WatcherErrorIsReportedAndTheTimerRunsOn) {
  test::WriteFile(Dir.path(), "a.eml", Mail);
  Edit()->setText(Dir.path());
  bool fail = true;
  QObject::connect(&Form, &app::TFormMain::FilesRead, &Form, [&] {
    if (std::exchange(fail, false)) throw std::runtime_error("Platte voll");
  });
  Dialogs.Requests.clear();
  test::WriteFile(Dir.path(), "b.eml", Mail);
  Form.TimerNrOfFilesTimer();
  ASSERT_EQ(Dialogs.Requests.size(), 1);
  EXPECT_EQ(Dialogs.Requests[0].Title, "Fehler");
  EXPECT_TRUE(Dialogs.Requests[0].Text.contains("Platte voll"));
  EXPECT_TRUE(Form.TimerNrOfFiles->isActive());
  EXPECT_FALSE(Form.IsBusy());
}

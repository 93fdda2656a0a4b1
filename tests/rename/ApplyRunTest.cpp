#include "TestSupport.h"
#include "platform/Automation.h"
#include "platform/FileTimes.h"
#include "platform/ZipWriter.h"
#include "rename/ApplyRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDir>
#include <QFile>

using namespace kavio;
using namespace kavio::rename;

namespace {

QByteArray Content(const QString& APath) {
  QFile file(APath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class ApplyRunTest : public ::testing::Test {
 protected:
  ApplyRunTest()
      : ViewMail(&Reporter), Scan(ViewMail, Reporter, QLocale(QStringLiteral("de_DE"))), Run(Scan, Reporter) {
    Run.SetClock([] { return QDateTime(QDate(2015, 1, 31), QTime(14, 25, 1)); });
  }

  // A mail with sender and date (none when ADate is empty), last written at FileTime.
  QString Mail(const QString& AName, const QByteArray& AFrom,
               const QByteArray& ADate = "Tue, 3 Feb 2015 09:15:00 +0100") {
    QByteArray header = "From: " + AFrom + "\r\n";
    if (!ADate.isEmpty()) header += "Date: " + ADate + "\r\n";
    const QString path = test::WriteFile(Dir.path(), AName, header + "\r\nText of " + AName.toUtf8() + "\r\n");
    test::SetMTime(path, FileTime);
    return path;
  }
  QString Path(const QString& AName) const { return Dir.path() + '/' + AName; }
  QStringList Files() const { return QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
  QDateTime Time(const QString& AName) const { return platform::LastWriteTime(Path(AName)); }
  QList<TApplyOutcome> Outcomes(const TApplyResult& AResult) const {
    QList<TApplyOutcome> outcomes;
    for (const auto& file : AResult.Files) outcomes.append(file.Outcome);
    return outcomes;
  }

  QTemporaryDir Dir;
  test::TRecordingReporter Reporter;
  extract::TFormViewMail ViewMail;
  TPreviewScan Scan;
  TApplyRun Run;
  const QDateTime FileTime{QDate(2020, 6, 1), QTime(10, 0), Qt::UTC};
  const QDateTime MailTime{QDate(2015, 2, 3), QTime(8, 15), Qt::UTC};
  const TScanOptions SenderOnly{TMailKind::Eml, false, true};
};

}  // namespace

TEST_F(ApplyRunTest, NameClashesAndRunningAgainCompletesIt) {
  // "a.eml" wants "S_a.eml", which belongs to a file further down that moves on to "T_S_a.eml".
  Mail("a.eml", "S <s@x>");
  Mail("S_a.eml", "T <t@x>");
  // "r.eml" and "S_S_r.eml" both want "S_r.eml": the first gets it.
  Mail("r.eml", "S <s@x>");
  Mail("S_S_r.eml", "S <s@x>");
  const QByteArray rContent = Content(Path("r.eml")), ssrContent = Content(Path("S_S_r.eml"));

  const TApplyResult first = Run.ChangeFileNames(Dir.path(), SenderOnly);
  EXPECT_EQ(Outcomes(first), (QList{TApplyOutcome::RenameFailed, TApplyOutcome::Renamed, TApplyOutcome::Renamed,
                                    TApplyOutcome::RenameFailed}));
  EXPECT_EQ(Reporter.Texts("error"), (QStringList{RenameErrorText("a.eml"), RenameErrorText("S_S_r.eml")}));
  EXPECT_EQ(Files(), (QStringList{"S_S_r.eml", "S_r.eml", "T_S_a.eml", "a.eml"}));
  EXPECT_EQ(Time("a.eml"), FileTime);  // not renamed: name and time as they were
  EXPECT_EQ(Time("S_S_r.eml"), FileTime);
  EXPECT_EQ(Time("S_r.eml"), MailTime);
  EXPECT_EQ(Content(Path("S_r.eml")), rContent);
  EXPECT_EQ(Content(Path("S_S_r.eml")), ssrContent);

  Reporter.FEntries.clear();
  const TApplyResult second = Run.ChangeFileNames(Dir.path(), SenderOnly);
  EXPECT_EQ(Files(), (QStringList{"S_S_r.eml", "S_a.eml", "S_r.eml", "T_S_a.eml"}));
  EXPECT_EQ(Time("S_a.eml"), MailTime);
  EXPECT_EQ(Reporter.Texts("error"), QStringList{RenameErrorText("S_S_r.eml")});  // still taken
}

TEST_F(ApplyRunTest, ReadOnlyFileIsRenamedButKeepsItsTime) {
  ::chmod(QFile::encodeName(Mail("ro.eml", "S <s@x>")).constData(), 0444);
  Mail("nodate.eml", "S <s@x>", "");  // no date: the time stays, no message
  Mail("same.eml", "", "");           // nothing to change
  const TApplyResult result = Run.ChangeFileNames(Dir.path(), SenderOnly);
  EXPECT_EQ(Outcomes(result), (QList{TApplyOutcome::Renamed, TApplyOutcome::DateFailed, TApplyOutcome::Unchanged}));
  EXPECT_EQ(Files(), (QStringList{"S_nodate.eml", "S_ro.eml", "same.eml"}));
  EXPECT_EQ(Time("S_ro.eml"), FileTime);
  EXPECT_EQ(Time("S_nodate.eml"), FileTime);
  EXPECT_EQ(
      Reporter.Texts("error"),
      QStringList{"Das Datum der Datei \"ro.eml\" konnte nicht geändert werden und die Datei wird übersprungen."});
}

TEST_F(ApplyRunTest, VanishedFileIsReportedAndTheRunGoesOn) {
  Mail("a.eml", "S <s@x>");
  Mail("b.eml", "S <s@x>");
  Mail("c.eml", "S <s@x>");
  TApplyHooks hooks;
  hooks.FileDone = [&](const TApplyFile& AFile) {
    if (AFile.OldName == "a.eml") QFile::remove(Path("b.eml"));
  };
  Run.SetHooks(hooks);
  const TApplyResult result = Run.ChangeFileNames(Dir.path(), SenderOnly);
  EXPECT_EQ(Outcomes(result), (QList{TApplyOutcome::Renamed, TApplyOutcome::Vanished, TApplyOutcome::Renamed}));
  EXPECT_EQ(Reporter.Texts("error"), QStringList{UnreadableErrorText("b.eml")});
  EXPECT_EQ(Files(), (QStringList{"S_a.eml", "S_c.eml"}));
}

TEST_F(ApplyRunTest, NameThatLeavesTheFolderIsNotApplied) {
  QDir(Dir.path()).mkpath("sub/x_");
  struct TCase {
    const char* Sender;
    const char* File;
  } cases[] = {{"\"a/b\" <a@x>", "slash.eml"}, {"\"../../sub/x\" <a@x>", "dots.eml"}};
  for (const auto& c : cases) Mail(c.File, c.Sender);
  const TApplyResult result = Run.ChangeFileNames(Dir.path(), SenderOnly);
  EXPECT_EQ(Outcomes(result), (QList{TApplyOutcome::RenameFailed, TApplyOutcome::RenameFailed}));
  EXPECT_EQ(result.Files[1].NewName, "a/b_slash.eml");
  EXPECT_EQ(Reporter.Texts("error"), (QStringList{RenameErrorText("dots.eml"), RenameErrorText("slash.eml")}));
  EXPECT_EQ(Files(), (QStringList{"dots.eml", "slash.eml"}));
  EXPECT_TRUE(QDir(Path("sub/x_")).isEmpty());
  EXPECT_EQ(Time("slash.eml"), FileTime);
}

TEST_F(ApplyRunTest, OperationTellsItsStepsInOrder) {
  Mail("a.eml", "A <a@x>");
  Mail("b.eml", "B <b@x>");
  Mail("c.eml", "C <c@x>");
  Mail("d.msg", "D <d@x>");  // other kind: neither changed nor in the backup
  QStringList steps;
  TApplyHooks hooks;
  hooks.Busy = [&](bool ABusy) { steps << (ABusy ? "busy" : "idle") + QString(Run.IsRunning() ? "+" : "-"); };
  hooks.AddRecentFolder = [&](const QString& AFolder) {
    steps << "recent " + QString(AFolder == Dir.path() ? "ok" : AFolder);
  };
  hooks.Scanned = [&](const TScanResult& AScan) { steps << "scan " + QString::number(AScan.Rows.size()); };
  hooks.ChangeStarted = [&] { steps << "change"; };
  hooks.FileDone = [&](const TApplyFile& AFile) { steps << AFile.NewName; };
  hooks.Finished = [&](const TApplyResult& AResult) { steps << "finished " + AResult.FinalScan.Rows.first().OldName; };
  Run.SetHooks(hooks);

  const TApplyResult result = Run.Execute(Dir.path(), {{TMailKind::Eml, true, false}, true});
  EXPECT_EQ(result.End, TApplyResult::TEnd::Completed);
  EXPECT_EQ(steps, (QStringList{"busy+", "recent ok", "scan 3", "change", "20150203_a.eml", "20150203_b.eml",
                                "20150203_c.eml", "scan 3", "finished 20150203_a.eml", "idle-"}));
  EXPECT_EQ(Reporter.Texts("confirm"), QStringList{"Möchten Sie die Änderungen jetzt durchführen?"});

  // Status texts: the backup with the archive's full path and a rising percentage, then the files.
  const QString archive = Dir.path() + "/20150131_142501_EmailBackup.zip";
  EXPECT_EQ(result.ArchivePath, archive);
  const QStringList status = Reporter.Texts("status");
  ASSERT_GE(status.size(), 8);
  EXPECT_EQ(status.first(), "Ein Backup der Emails wird erstellt.");
  EXPECT_EQ(status[1], "Ein Backup der Emails wird erstellt in   " + archive + "   0%");
  const qsizetype changeAt = status.indexOf("Die Dateiattribute werden geändert.");
  ASSERT_GT(changeAt, 2);
  EXPECT_EQ(status[changeAt - 1], "Ein Backup der Emails wird erstellt in   " + archive + "   100%");
  EXPECT_EQ(status.mid(changeAt + 1),
            (QStringList{"Die Dateiattribute werden geändert. 1 / 3", "Die Dateiattribute werden geändert. 2 / 3",
                         "Die Dateiattribute werden geändert. 3 / 3", ""}));

  // The backup holds the originals: old names, old times.
  const auto entries = platform::TZipWriter::ReadDirectory(archive);
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[0].Name, "a.eml");
  EXPECT_EQ(entries[0].MTime, FileTime);
  EXPECT_EQ(Files(), (QStringList{"20150131_142501_EmailBackup.zip", "20150203_a.eml", "20150203_b.eml",
                                  "20150203_c.eml", "d.msg"}));
}

TEST_F(ApplyRunTest, NothingHappensWithoutFilesOrWithoutYes) {
  EXPECT_EQ(Run.Execute(Dir.path(), {}).End, TApplyResult::TEnd::NoFiles);
  ASSERT_EQ(Reporter.FEntries.size(), 1);
  EXPECT_EQ(Reporter.FEntries[0].Kind, "information");
  EXPECT_EQ(Reporter.FEntries[0].Text, "Es wurden keine Dateien gefunden.\r\nDer Vorgang wird abgebrochen.");

  Mail("a.eml", "A <a@x>");
  Reporter.FEntries.clear();
  Reporter.FAnswer = false;
  bool busy = false;
  Run.SetHooks({.Busy = [&](bool) { busy = true; }});
  EXPECT_EQ(Run.Execute(Dir.path(), {{TMailKind::Eml, true, true}, true}).End, TApplyResult::TEnd::Cancelled);
  EXPECT_EQ(Reporter.FEntries.size(), 1);  // the question only
  EXPECT_FALSE(busy);
  EXPECT_EQ(Files(), QStringList{"a.eml"});
  EXPECT_EQ(Time("a.eml"), FileTime);
}

TEST_F(ApplyRunTest, FailedBackupChangesNothing) {
  Mail("a.eml", "A <a@x>");
  test::WriteFile(Dir.path(), "20150131_142501_EmailBackup.zip", "an archive of the same second");
  QList<bool> busy;
  Run.SetHooks({.Busy = [&](bool ABusy) { busy.append(ABusy); }});
  EXPECT_THROW(Run.Execute(Dir.path(), {{TMailKind::Eml, true, true}, true}), TBackupError);
  EXPECT_EQ(busy, (QList{true, false}));
  EXPECT_FALSE(Run.IsRunning());
  EXPECT_EQ(Reporter.Texts("status").last(), "");
  EXPECT_EQ(Files(), (QStringList{"20150131_142501_EmailBackup.zip", "a.eml"}));
  EXPECT_EQ(Content(Path("20150131_142501_EmailBackup.zip")), "an archive of the same second");
  EXPECT_EQ(Time("a.eml"), FileTime);
}

namespace {

// A fake Outlook that opens the items of a table and fails on any other file.
class TFakeItem : public platform::IAutomationObject {
 public:
  explicit TFakeItem(QVariantMap AProps) : FProps(std::move(AProps)) {}
  QVariant CallMethod(const QString& AName, QVariantList&) override {
    throw platform::TAutomationError(AName.toStdString());
  }
  QVariant GetProperty(const QString& AName) override { return FProps.value(AName); }

 private:
  QVariantMap FProps;
};

class TFakeOutlook : public platform::IAutomationObject, public platform::IAutomationServer {
 public:
  QVariant CallMethod(const QString&, QVariantList& AArgs) override {
    const QString name = QFileInfo(AArgs.value(0).toString()).fileName();
    if (!Items.contains(name)) throw platform::TAutomationError("cannot open");
    return QVariant::fromValue<platform::TAutomationRef>(std::make_shared<TFakeItem>(Items.value(name)));
  }
  QVariant GetProperty(const QString&) override { return {}; }
  platform::TAutomationRef AttachRunning() override { return Self.lock(); }
  platform::TAutomationRef Create() override { return Self.lock(); }
  QMap<QString, QVariantMap> Items;
  std::weak_ptr<TFakeOutlook> Self;
};

}  // namespace

TEST_F(ApplyRunTest, UnreadableFileGivesThreeDialogs) {
  auto outlook = std::make_shared<TFakeOutlook>();
  outlook->Self = outlook;
  outlook->Items["a.msg"] = {
      {"Subject", "Hallo"}, {"SenderName", "Anna"}, {"SenderEmailAddress", "a@x"}, {"ReceivedTime", MailTime}};
  outlook->Items["Anna_a.msg"] = outlook->Items["a.msg"];  // the final scan reads it under its new name
  platform::RegisterAutomationServer(extract::OutlookProgId, outlook);
  Mail("a.msg", "");
  Mail("b.msg", "");
  const TApplyResult result = Run.Execute(Dir.path(), {{TMailKind::MsgOutlook, false, true}, false});
  platform::RegisterAutomationServer(extract::OutlookProgId, nullptr);

  EXPECT_EQ(Outcomes(result), (QList{TApplyOutcome::Renamed, TApplyOutcome::Unreadable}));
  QStringList dialogs;
  for (const auto& entry : Reporter.FEntries)
    if (entry.Kind != "status") dialogs << entry.Kind + ": " + entry.Text;
  EXPECT_EQ(dialogs, (QStringList{"confirm: " + ConfirmText, "warning: " + UnreadableWarning("b.msg"),
                                  "error: " + UnreadableErrorText("b.msg"), "warning: " + UnreadableWarning("b.msg")}));
  EXPECT_EQ(Files(), (QStringList{"Anna_a.msg", "b.msg"}));
  EXPECT_EQ(Time("Anna_a.msg"), MailTime);
}

TEST_F(ApplyRunTest, OutlookOptionWithoutOutlookChangesNothing) {
  Mail("a.msg", "");
  Mail("b.msg", "");
  const TApplyResult result = Run.Execute(Dir.path(), {{TMailKind::MsgOutlook, true, true}, false});
  EXPECT_TRUE(result.OutlookMissing);
  EXPECT_EQ(Outcomes(result), (QList{TApplyOutcome::Unreadable, TApplyOutcome::Unreadable}));
  const QString noConnection = "Es konnte keine Verbindung zu Outlook hergestellt werden-";
  EXPECT_EQ(Reporter.Texts("error"),
            (QStringList{noConnection, UnreadableErrorText("a.msg"), UnreadableErrorText("b.msg"), noConnection}));
  EXPECT_EQ(Reporter.Texts("warning"), (QStringList{OutlookMissingWarning, OutlookMissingWarning}));
  EXPECT_EQ(Files(), (QStringList{"a.msg", "b.msg"}));
  EXPECT_EQ(Time("a.msg"), FileTime);
}

namespace {

// A dialog that fails: an error of its own inside the guarded block.
class TFailingReporter : public test::TRecordingReporter {
 public:
  void Error(const QString& AText) override {
    TRecordingReporter::Error(AText);
    throw std::runtime_error("dialog failed");
  }
};

}  // namespace

TEST_F(ApplyRunTest, OtherErrorEndsTheRunAtOnce) {
  Mail("a.eml", "S <s@x>");
  Mail("S_a.eml", "S <s@x>", "");  // holds the name "a.eml" wants
  Mail("b.eml", "S <s@x>");
  TFailingReporter failing;
  TApplyRun run(Scan, failing);
  bool finished = false;
  QList<bool> busy;
  run.SetHooks(
      {.Busy = [&](bool ABusy) { busy.append(ABusy); }, .Finished = [&](const TApplyResult&) { finished = true; }});
  try {
    run.Execute(Dir.path(), {SenderOnly, false});
    ADD_FAILURE() << "no error";
  } catch (const TApplyError& e) {
    EXPECT_EQ(e.Text(), "Sonstiger Fehler beim Dateizugriff");
  }
  EXPECT_FALSE(finished);  // no final scan, no animation
  EXPECT_EQ(busy, (QList{true, false}));
  EXPECT_EQ(failing.Texts("status").last(), "");
  EXPECT_EQ(Files(), (QStringList{"S_a.eml", "a.eml", "b.eml"}));  // the rows after it are untouched
  EXPECT_EQ(Time("b.eml"), FileTime);
}

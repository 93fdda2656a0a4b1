#include "MsgBuilder.h"
#include "TestSupport.h"
#include "cli/Cli.h"
#include "msgfile/MapiTags.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace kavio;

namespace {

struct TRun {
  int Status;
  QString Out, Err;
};

TRun RunCommand(const QStringList& AArgs) {
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  const int status = cli::RunCli(AArgs, outStream, errStream);
  outStream.flush();
  errStream.flush();
  return {status, out, err};
}

}  // namespace

TEST(Cli, PreviewTsv) {
  QTemporaryDir dir;
  const QString a = test::WriteFile(dir.path(), "Angebot.eml", "From: Hans <h@x.de>\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\n");
  test::SetMTime(a, QDateTime(QDate(2020, 6, 1), QTime(10, 0), Qt::UTC));
  const QString b = test::WriteFile(dir.path(), "tab\tname.eml", "Subject: none\r\n\r\n");
  test::SetMTime(b, QDateTime(QDate(2020, 1, 1), QTime(10, 0), Qt::UTC));
  const TRun run = RunCommand({"preview", "--date", "--sender", dir.path()});
  EXPECT_EQ(run.Status, cli::ExitOk) << run.Err.toStdString();
  EXPECT_EQ(run.Out, "old_name\told_time\tnew_name\tnew_time\n"
                     "Angebot.eml\t2020-06-01T12:00:00+02:00\t20150203_Hans_Angebot.eml\t2015-02-03T09:15:00+01:00\n"
                     "tab\\tname.eml\t2020-01-01T11:00:00+01:00\ttab\\tname.eml\t\n");
}

TEST(Cli, PreviewJsonAndUnreadable) {
  QTemporaryDir dir;
  test::WriteFile(dir.path(), "a.eml", "From: A <a@x.de>\r\n\r\n");
  const TRun run = RunCommand({"preview", "--format=json", dir.path()});
  EXPECT_EQ(run.Status, cli::ExitOk);
  const auto object = QJsonDocument::fromJson(run.Out.toUtf8()).object();
  EXPECT_EQ(object["old_name"].toString(), "a.eml");
  EXPECT_EQ(object["new_name"].toString(), "a.eml");
  EXPECT_EQ(object["new_time"].toString(), "");
  EXPECT_EQ(object["state"].toString(), "ok");
}

TEST(Cli, OutlookWithoutOutlook) {
  QTemporaryDir dir;
  test::WriteFile(dir.path(), "a.msg", "x");
  const TRun run = RunCommand({"preview", "--kind", "outlook", dir.path()});
  EXPECT_EQ(run.Status, cli::ExitSomeFailed);
  EXPECT_TRUE(run.Err.contains("Es konnte keine Verbindung zu Outlook hergestellt werden-"));
  EXPECT_TRUE(run.Err.contains("Outlook wurde nicht gefunden."));
}

TEST(Cli, PreviewMsgDirect) {
  QTemporaryDir dir;
  test::TMsgBuilder msg;
  msg.Root()
      .Unicode(msgfile::PR_SUBJECT_W, QStringLiteral("Angebot"))
      .Unicode(msgfile::PR_SENT_REPRESENTING_NAME_W, QStringLiteral("Hans Meier"))
      .Unicode(msgfile::PR_SENT_REPRESENTING_EMAIL_ADDRESS_W, QStringLiteral("hans@example.com"))
      .FileTime(msgfile::PR_CLIENT_SUBMIT_TIME, QDateTime(QDate(2015, 2, 3), QTime(8, 15), Qt::UTC));
  const QString a = test::WriteFile(dir.path(), "Angebot.msg", msg.Build());
  test::SetMTime(a, QDateTime(QDate(2020, 6, 1), QTime(10, 0), Qt::UTC));
  const QString b = test::WriteFile(dir.path(), "kaputt.msg", "no compound file");
  test::SetMTime(b, QDateTime(QDate(2020, 1, 1), QTime(10, 0), Qt::UTC));
  const TRun run = RunCommand({"preview", "--kind", "msg", "--date", "--sender", dir.path()});
  EXPECT_EQ(run.Status, cli::ExitSomeFailed);
  EXPECT_EQ(run.Out, "old_name\told_time\tnew_name\tnew_time\n"
                     "Angebot.msg\t2020-06-01T12:00:00+02:00\t20150203_Hans Meier_Angebot.msg\t2015-02-03T09:15:00+01:00\n"
                     "kaputt.msg\t2020-01-01T11:00:00+01:00\tkaputt.msg\t\n");
  EXPECT_TRUE(run.Err.contains("kaputt.msg")) << run.Err.toStdString();
}

TEST(Cli, UsageErrors) {
  QTemporaryDir dir;
  const QStringList bad[] = {{},
                             {"frobnicate"},
                             {"preview"},
                             {"preview", "--kind"},
                             {"preview", "--kind", "pst", dir.path()},
                             {"preview", "--format", "xml", dir.path()},
                             {"preview", "--bogus", dir.path()},
                             {"preview", dir.path(), dir.path()},
                             {"preview", dir.path() + "/missing"}};
  for (const auto& args : bad) {
    const TRun run = RunCommand(args);
    EXPECT_EQ(run.Status, cli::ExitUsage) << args.join(' ').toStdString();
    EXPECT_TRUE(run.Err.startsWith("kavio-cli: ")) << args.join(' ').toStdString();
  }
  // "--" ends the options: a folder named "--date".
  EXPECT_EQ(RunCommand({"preview", "--", "--date"}).Status, cli::ExitUsage);
  EXPECT_EQ(RunCommand({"--help"}).Status, cli::ExitOk);
}

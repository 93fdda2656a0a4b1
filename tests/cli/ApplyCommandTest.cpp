#include "TestSupport.h"
#include "cli/ApplyCommand.h"
#include "cli/Cli.h"
#include "platform/FileTimes.h"
#include "platform/ZipWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <chrono>
#include <csignal>
#include <cstring>
#include <map>
#include <thread>

using namespace kavio;

namespace {

struct TRun {
  int Status;
  QString Out, Err;
};

TRun Apply(const QStringList& AArgs, const QString& AInput = {}) {
  QString out, err, in = AInput;
  QTextStream outStream(&out), errStream(&err), inStream(&in);
  const int status = cli::RunApply(AArgs, outStream, errStream, &inStream);
  outStream.flush();
  errStream.flush();
  return {status, out, err};
}

QStringList Files(const QString& AFolder) {
  return QDir(AFolder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray Content(const QString& APath) {
  QFile file(APath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QDateTime FileTime(QDate(2020, 6, 1), QTime(10, 0), Qt::UTC);

void Mail(const QString& AFolder, const QString& AName, const QByteArray& AFrom, const QByteArray& ABody = "Text") {
  const QByteArray text = "From: " + AFrom + "\r\nDate: Tue, 3 Feb 2015 09:15:00 +0100\r\n\r\n" + ABody + "\r\n";
  test::SetMTime(test::WriteFile(AFolder, AName, text), FileTime);
}

// Starts the real program with its output thrown away; with a file-size limit when given.
pid_t Start(const QStringList& AArgs, rlim_t AFileSizeLimit = RLIM_INFINITY) {
  std::vector<QByteArray> args{QByteArray(KAVIO_CLI_BINARY)};
  for (const QString& arg : AArgs) args.push_back(QFile::encodeName(arg));
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (AFileSizeLimit != RLIM_INFINITY) {
      const rlimit limit{AFileSizeLimit, AFileSizeLimit};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      ::signal(SIGXFSZ, SIG_IGN);  // a write over the limit fails with EFBIG instead
    }
    const int null = ::open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd) ::dup2(null, fd);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

int Wait(pid_t APid) {
  int status = 0;
  ::waitpid(APid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

}  // namespace

TEST(CliApply, RenamesRedatesAndSummarises) {
  QTemporaryDir dir;
  Mail(dir.path(), "Angebot.eml", "Hans <h@x.de>");
  Mail(dir.path(), "Hans_b.eml", "Hans <h@x.de>");
  const TRun run = Apply({"--sender", "--yes", "--no-backup", dir.path()});
  EXPECT_EQ(run.Status, cli::ExitOk) << run.Err.toStdString();
  EXPECT_EQ(run.Out,
            "renamed\tAngebot.eml\tHans_Angebot.eml\t2015-02-03T09:15:00+01:00\t\n"
            "redated\tHans_b.eml\tHans_b.eml\t2015-02-03T09:15:00+01:00\t\n"
            "summary\tfiles=2\trenamed=1\tredated=1\tunchanged=0\tskipped=0\n");
  EXPECT_EQ(Files(dir.path()), (QStringList{"Hans_Angebot.eml", "Hans_b.eml"}));

  // Again: nothing left to do.
  const TRun again = Apply({"--sender", "--yes", "--no-backup", dir.path()});
  EXPECT_TRUE(again.Out.endsWith("summary\tfiles=2\trenamed=0\tredated=0\tunchanged=2\tskipped=0\n"))
      << again.Out.toStdString();
}

TEST(CliApply, AsksFirstAndTellsSkippedFiles) {
  QTemporaryDir dir;
  Mail(dir.path(), "a.eml", "A <a@x>");
  Mail(dir.path(), "ro.eml", "A <a@x>");
  ::chmod(QFile::encodeName(dir.path() + "/ro.eml").constData(), 0444);

  const TRun no = Apply({"--date", dir.path()}, "n\n");
  EXPECT_EQ(no.Status, cli::ExitSomeFailed);
  EXPECT_TRUE(no.Err.startsWith("Möchten Sie die Änderungen jetzt durchführen? [j/N] ")) << no.Err.toStdString();
  EXPECT_EQ(no.Out, "");
  EXPECT_EQ(Files(dir.path()), (QStringList{"a.eml", "ro.eml"}));

  const TRun yes = Apply({"--date", dir.path()}, "j\n");
  EXPECT_EQ(yes.Status, cli::ExitSomeFailed);
  EXPECT_TRUE(yes.Out.contains("skipped\tro.eml\t20150203_ro.eml\t\tdate failed: read-only\n"))
      << yes.Out.toStdString();
  EXPECT_TRUE(yes.Err.contains("Fehler: Das Datum der Datei \"ro.eml\" konnte nicht geändert werden"));
  const QStringList archives = QDir(dir.path()).entryList({"*_EmailBackup.zip"}, QDir::Files);
  ASSERT_EQ(archives.size(), 1);
  EXPECT_EQ(Files(dir.path()).size(), 3);
  EXPECT_TRUE(yes.Out.contains("\tbackup=" + dir.path() + "/" + archives[0] + "\n"));
  EXPECT_EQ(platform::LastWriteTime(dir.path() + "/20150203_ro.eml"), FileTime);
}

TEST(CliApply, UsageErrors) {
  QTemporaryDir dir;
  for (const QStringList& args : {QStringList{"--kind", "pdf", dir.path()}, QStringList{"--bogus", dir.path()},
                                  QStringList{}, QStringList{dir.path() + "/missing"}})
    EXPECT_EQ(Apply(args).Status, cli::ExitUsage) << args.join(' ').toStdString();
  QString out, err;
  QTextStream outStream(&out), errStream(&err);
  EXPECT_EQ(cli::RunCli({"--help"}, outStream, errStream), cli::ExitOk);
  outStream.flush();
  EXPECT_TRUE(out.contains("kavio-cli apply [--kind eml|msg|outlook]"));
}

TEST(CliApply, BackupThatCannotBeWrittenChangesNothing) {
  QTemporaryDir dir;
  QRandomGenerator random(5);
  for (int i = 0; i < 4; ++i) {
    QByteArray noise(12000, '\0');
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    Mail(dir.path(), QString("m%1.eml").arg(i), "A <a@x>", noise.toBase64());
  }
  const QStringList before = Files(dir.path());
  // The archive outgrows the limit, the mails themselves do not.
  EXPECT_EQ(Wait(Start({"apply", "--yes", "--date", dir.path()}, 20000)), cli::ExitUsage);
  EXPECT_EQ(Files(dir.path()), before);  // no archive, no temporary file
  for (const QString& name : before) EXPECT_EQ(platform::LastWriteTime(dir.path() + "/" + name), FileTime);
}

// Kills the program at random moments of its run, many times over: afterwards every mail is
// there exactly once, under its old or its new name, with its content, and a file with the
// archive's name is always a complete archive.
TEST(CliApply, KilledRunsLoseNoMail) {
  QTemporaryDir dir;
  constexpr int Count = 300;
  QRandomGenerator random(20150203);
  std::map<QByteArray, std::pair<QString, QString>> names;  // content -> old and new name
  for (int i = 0; i < Count; ++i) {
    const int day = 1 + i % 28;
    const QString old = QString("mail_%1.eml").arg(i, 3, 10, QChar('0'));
    const QString sender = QString("Absender %1").arg(i % 7);
    QByteArray body;
    const int lines = 20 + static_cast<int>(random.bounded(200));
    for (int l = 0; l < lines; ++l)
      body += "Zeile " + QByteArray::number(random.generate()) + " der Mail " + old.toUtf8() + "\r\n";
    const QByteArray text = "From: " + sender.toUtf8() + " <a" + QByteArray::number(i % 7) +
                            "@x.de>\r\nDate: " + QByteArray::number(day) +
                            " Feb 2015 12:00:00 +0000\r\nSubject: " + old.toUtf8() + "\r\n\r\n" + body;
    test::WriteFile(dir.path(), old, text);
    names[text] = {old, QString("201502%1_%2_%3").arg(day, 2, 10, QChar('0')).arg(sender, old)};
  }

  int mixed = 0;  // checks that found a run killed among its renames
  const auto check = [&](int ARun) {
    std::map<QByteArray, int> seen;
    int newCount = 0;
    for (const QString& name : Files(dir.path())) {
      const QString path = dir.path() + "/" + name;
      if (name.endsWith(".eml")) {
        const QByteArray content = Content(path);
        const auto found = names.find(content);
        ASSERT_NE(found, names.end()) << "run " << ARun << ": changed content in " << name.toStdString();
        EXPECT_TRUE(name == found->second.first || name == found->second.second)
            << "run " << ARun << ": " << name.toStdString();
        ++seen[content];
        newCount += name == found->second.second;
      } else if (name.endsWith("_EmailBackup.zip")) {
        const auto entries = platform::TZipWriter::ReadDirectory(path);  // throws on a half archive
        EXPECT_EQ(entries.size(), Count) << "run " << ARun;
        QFile::remove(path);
      } else {
        EXPECT_TRUE(name.startsWith(".")) << "run " << ARun << ": " << name.toStdString();
        QFile::remove(path);  // the hidden temporary archive of a killed run
      }
    }
    if (newCount > 0 && newCount < Count) ++mixed;
    EXPECT_EQ(seen.size(), names.size()) << "run " << ARun;
    for (const auto& [content, times] : seen) EXPECT_EQ(times, 1) << "run " << ARun;
  };

  // A whole run with the backup to learn how long it takes, and one back; then killed runs that
  // alternate between adding and taking away date and sender, every other pair without the
  // backup: those with it are killed at a random moment of the whole run, those without it
  // among their renames.
  const auto timed = [&](const QStringList& AArgs) {
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(Wait(Start(AArgs)), cli::ExitOk);
    return static_cast<quint32>(
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0).count());
  };
  const quint32 withBackup = timed({"apply", "--yes", "--date", "--sender", dir.path()});
  check(0);
  ASSERT_EQ(Wait(Start({"apply", "--yes", "--no-backup", dir.path()})), cli::ExitOk);
  check(0);
  // The number of files that carry a new name.
  const auto renamedNow = [&] {
    int count = 0;
    if (DIR* folder = ::opendir(QFile::encodeName(dir.path()).constData())) {
      while (const dirent* entry = ::readdir(folder)) count += std::strncmp(entry->d_name, "2015", 4) == 0;
      ::closedir(folder);
    }
    return count;
  };
  for (int run = 1; run <= 30; ++run) {
    QStringList args{"apply", "--yes"};
    if (run % 2 == 1)
      args << "--date"
           << "--sender";
    const bool backup = run % 4 < 2;
    if (!backup) args << "--no-backup";
    args << dir.path();
    const pid_t pid = Start(args);
    bool ended = false;
    if (backup) {
      // Anywhere in the whole run.
      std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(withBackup + 1)));
    } else {
      // Among the renames: once a random number of files has taken its new name.
      const int target = 1 + static_cast<int>(random.bounded(Count - 1));
      int status = 0;
      while (!(ended = ::waitpid(pid, &status, WNOHANG) == pid)) {
        const int renamed = run % 2 == 1 ? renamedNow() : Count - renamedNow();
        if (renamed >= target) break;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
    }
    if (!ended) {
      ::kill(pid, SIGKILL);
      Wait(pid);
    }
    check(run);
    if (::testing::Test::HasFailure()) break;
  }
  EXPECT_GT(mixed, 0) << "no run was killed among its renames";
  // A run to the end completes it.
  ASSERT_EQ(Wait(Start({"apply", "--yes", "--date", "--sender", "--no-backup", dir.path()})), cli::ExitOk);
  for (const auto& [content, name] : names)
    EXPECT_TRUE(QFile::exists(dir.path() + "/" + name.second)) << name.second.toStdString();
}

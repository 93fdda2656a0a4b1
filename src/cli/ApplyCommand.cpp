#include "cli/ApplyCommand.h"

#include "cli/Cli.h"
#include "cli/CliSupport.h"
#include "extract/TFormViewMail.h"
#include "platform/FileOps.h"
#include "rename/ApplyRun.h"

#include <unistd.h>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

namespace kavio::cli {

const QString ApplyUsageText = QStringLiteral(
    "\n"
    "Aufruf: kavio-cli apply [--kind eml|msg|outlook] [--date] [--sender] [--no-backup] [--yes] ORDNER\n"
    "\n"
    "  apply             legt ein Backup der Maildateien an (ORDNER/yyyymmdd_hhmmss_EmailBackup.zip),\n"
    "                    benennt dann jede Datei um und setzt ihre Dateizeit auf das Datum der Mail;\n"
    "                    fragt vorher \"Möchten Sie die Änderungen jetzt durchführen?\"\n"
    "  --kind eml|msg|outlook  Art der Maildateien (Vorgabe: eml)\n"
    "  --date            Jahr, Monat und Tag dem Dateinamen voranstellen\n"
    "  --sender          den Absender dem Dateinamen voranstellen\n"
    "  --no-backup       kein Backup anlegen\n"
    "  --yes             nicht fragen\n"
    "\n"
    "Ausgabe je Datei, durch Tabulator getrennt: Ergebnis (renamed, redated, unchanged, skipped),\n"
    "alter Name, jetziger Name, neue Zeit, Grund; am Ende eine Zeile \"summary\".\n"
    "Exit-Status: 0 alle Dateien erledigt, 1 einige übersprungen oder abgebrochen,\n"
    "2 falscher Aufruf oder Backup fehlgeschlagen.\n");

namespace {

// Messages on stderr; the question is asked there and answered on the input; status texts are
// shown on one line that is overwritten, when stderr is a terminal.
class TApplyReporter : public TTerminalReporter {
 public:
  TApplyReporter(QTextStream& AErr, QTextStream& AIn, bool AAssumeYes, bool AShowStatus)
      : TTerminalReporter(AErr), FIn(AIn), FAssumeYes(AAssumeYes), FShowStatus(AShowStatus) {}
  ~TApplyReporter() override { EndStatus(); }

  bool Confirm(const QString& AText) override {
    if (FAssumeYes) return true;
    EndStatus();
    FErr << AText << " [j/N] " << Qt::flush;
    const QString answer = FIn.readLine().trimmed().toLower();
    return answer == QLatin1String("j") || answer == QLatin1String("ja") || answer == QLatin1String("y") ||
           answer == QLatin1String("yes");
  }
  void Status(const QString& AText) override {
    if (!FShowStatus) return;
    FErr << '\r' << AText << "\x1b[K" << Qt::flush;
    FStatusShown = !AText.isEmpty();
  }

 private:
  void EndStatus() {
    if (!FStatusShown) return;
    FErr << "\r\x1b[K" << Qt::flush;
    FStatusShown = false;
  }
  void Write(const QString& AKind, const QString& AText) override {
    EndStatus();
    WriteMessage(FErr, AKind, AText);
  }

  QTextStream& FIn;
  bool FAssumeYes;
  bool FShowStatus;
  bool FStatusShown = false;
};

QString StateOf(rename::TApplyOutcome AOutcome) {
  switch (AOutcome) {
    case rename::TApplyOutcome::Renamed:
      return QStringLiteral("renamed");
    case rename::TApplyOutcome::Redated:
      return QStringLiteral("redated");
    case rename::TApplyOutcome::Unchanged:
      return QStringLiteral("unchanged");
    default:
      return QStringLiteral("skipped");
  }
}

QString ReasonOf(const rename::TApplyFile& AFile) {
  using rename::TApplyOutcome;
  switch (AFile.Outcome) {
    case TApplyOutcome::Renamed:
      return AFile.MailDate.isValid() ? QString() : QStringLiteral("no date, time kept");
    case TApplyOutcome::Unchanged:
      return AFile.MailDate.isValid() ? QString() : QStringLiteral("no date");
    case TApplyOutcome::Redated:
      return {};
    case TApplyOutcome::Unreadable:
      return QStringLiteral("unreadable");
    case TApplyOutcome::Vanished:
      return QStringLiteral("vanished");
    case TApplyOutcome::RenameFailed:
      if (AFile.Errno == EEXIST) return QStringLiteral("name exists");
      if (!platform::IsPlainFileName(AFile.NewName)) return QStringLiteral("invalid name");
      return QStringLiteral("rename failed: ") + platform::ErrorText(AFile.Errno);
    case TApplyOutcome::DateFailed:
      if (AFile.Errno == platform::ReadOnlyFileError) return QStringLiteral("date failed: read-only");
      return QStringLiteral("date failed: ") + platform::ErrorText(AFile.Errno);
    case TApplyOutcome::AccessError:
      return QStringLiteral("access error: ") + platform::ErrorText(AFile.Errno);
  }
  return {};
}

int Usage(QTextStream& AErr, const QString& AProblem) {
  return UsageError(AErr, AProblem,
                    QStringLiteral("Aufruf: kavio-cli apply [--kind eml|msg|outlook] [--date] [--sender] [--no-backup] "
                                   "[--yes] ORDNER"));
}

}  // namespace

int RunApply(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr, QTextStream* AIn) {
  rename::TApplyOptions options;
  bool assumeYes = false;
  bool endOfOptions = false;
  QStringList positional;
  for (qsizetype i = 0; i < AArgs.size(); ++i) {
    const QString& arg = AArgs[i];
    if (endOfOptions || !arg.startsWith(QLatin1String("--"))) {
      positional.append(arg);
    } else if (arg == QLatin1String("--")) {
      endOfOptions = true;
    } else if (arg == QLatin1String("--date")) {
      options.Scan.UsePreStrg = true;
    } else if (arg == QLatin1String("--sender")) {
      options.Scan.UseFromStrg = true;
    } else if (arg == QLatin1String("--no-backup")) {
      options.Backup = false;
    } else if (arg == QLatin1String("--yes")) {
      assumeYes = true;
    } else if (IsOption(arg, QStringLiteral("--kind"))) {
      const auto kind = TakeValue(AArgs, i, QStringLiteral("--kind"));
      if (!kind) return Usage(AErr, QStringLiteral("--kind braucht einen Wert"));
      const auto mailKind = MailKindOf(*kind);
      if (!mailKind) return Usage(AErr, QStringLiteral("unbekannte Art: ") + *kind);
      options.Scan.Kind = *mailKind;
    } else {
      return Usage(AErr, QStringLiteral("unbekannte Option: ") + arg);
    }
  }
  if (positional.size() != 1) return Usage(AErr, QStringLiteral("genau ein ORDNER erwartet"));
  const QString folder = positional.first();
  if (!QFileInfo(folder).isDir()) {
    AErr << ProgramName << ": " << QStringLiteral("Ordner nicht gefunden: ") << folder << Qt::endl;
    return ExitUsage;
  }

  QTextStream stdinStream(stdin);
  QTextStream& input = AIn ? *AIn : stdinStream;
  TApplyReporter reporter(AErr, input, assumeYes, AIn == nullptr && ::isatty(STDERR_FILENO));
  extract::TFormViewMail viewMail(&reporter);
  rename::TPreviewScan scan(viewMail, reporter);
  rename::TApplyRun run(scan, reporter);
  rename::TApplyHooks hooks;
  hooks.FileDone = [&](const rename::TApplyFile& AFile) {
    AOut << StateOf(AFile.Outcome) << '\t' << TsvCell(AFile.OldName) << '\t' << TsvCell(AFile.CurrentName) << '\t'
         << (AFile.Outcome == rename::TApplyOutcome::Renamed || AFile.Outcome == rename::TApplyOutcome::Redated ||
                     AFile.Outcome == rename::TApplyOutcome::Unchanged
                 ? IsoTime(AFile.MailDate)
                 : QString())
         << '\t' << TsvCell(ReasonOf(AFile)) << Qt::endl;
  };
  run.SetHooks(hooks);

  rename::TApplyResult result;
  try {
    result = run.Execute(folder, options);
  } catch (const rename::TBackupError& e) {
    AOut.flush();
    AErr << ProgramName << ": Fehler: " << e.Text() << Qt::endl;
    return ExitUsage;
  } catch (const rename::TApplyError& e) {
    AOut.flush();
    AErr << ProgramName << ": Fehler: " << e.Text() << Qt::endl;
    return ExitSomeFailed;
  }
  switch (result.End) {
    case rename::TApplyResult::TEnd::NoFiles:
      return ExitOk;
    case rename::TApplyResult::TEnd::Cancelled:
    case rename::TApplyResult::TEnd::Busy:
      AErr << ProgramName << ": " << QStringLiteral("abgebrochen, nichts geändert") << Qt::endl;
      return ExitSomeFailed;
    case rename::TApplyResult::TEnd::Completed:
      break;
  }
  int counts[4] = {0, 0, 0, 0};
  for (const auto& file : result.Files) {
    switch (file.Outcome) {
      case rename::TApplyOutcome::Renamed:
        ++counts[0];
        break;
      case rename::TApplyOutcome::Redated:
        ++counts[1];
        break;
      case rename::TApplyOutcome::Unchanged:
        ++counts[2];
        break;
      default:
        ++counts[3];
    }
  }
  AOut << "summary\tfiles=" << result.Files.size() << "\trenamed=" << counts[0] << "\tredated=" << counts[1]
       << "\tunchanged=" << counts[2] << "\tskipped=" << counts[3];
  if (!result.ArchivePath.isEmpty()) AOut << "\tbackup=" << TsvCell(result.ArchivePath);
  AOut << Qt::endl;
  return counts[3] > 0 || result.OutlookMissing ? ExitSomeFailed : ExitOk;
}

}  // namespace kavio::cli

#include "cli/Cli.h"

#include "cli/CliSupport.h"

#include "cli/ApplyCommand.h"
#include "extract/TFormViewMail.h"
#include "rename/PreviewScan.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace kavio::cli {

namespace {

const QString UsageText = QStringLiteral(
    "Aufruf: kavio-cli preview [--kind eml|msg|outlook] [--date] [--sender] [--format tsv|json] ORDNER\n"
    "\n"
    "  preview           zeigt für jede Maildatei des Ordners den jetzigen und den neuen\n"
    "                    Namen und die jetzige und die neue Dateizeit; ändert nichts\n"
    "  --kind eml|msg|outlook  Art der Maildateien (Vorgabe: eml): eml Internet-Mails,\n"
    "                    msg Outlook-Dateien direkt gelesen, outlook über Outlook\n"
    "  --date            Jahr, Monat und Tag dem Dateinamen voranstellen\n"
    "  --sender          den Absender dem Dateinamen voranstellen\n"
    "  --format tsv|json Ausgabe als Tabelle mit Kopfzeile (Vorgabe) oder als JSON-Zeilen\n"
    "  --help            diese Hilfe\n"
    "  --version         die Version (Produktversion)\n"
    "\n"
    "Exit-Status: 0 alle Dateien gelesen, 1 einige Dateien nicht lesbar,\n"
    "2 falscher Aufruf oder Ordner nicht vorhanden.\n");

QString StateName(rename::TRowState AState) {
  switch (AState) {
    case rename::TRowState::Read:
      return QStringLiteral("ok");
    case rename::TRowState::Unreadable:
      return QStringLiteral("unreadable");
    case rename::TRowState::Vanished:
      return QStringLiteral("vanished");
  }
  return {};
}

struct TPreviewArgs {
  rename::TScanOptions Options;
  bool Json = false;
  QString Folder;
};

const QString PreviewUsageLine = QStringLiteral(
    "Aufruf: kavio-cli preview [--kind eml|msg|outlook] [--date] [--sender] [--format tsv|json] ORDNER (mehr mit "
    "--help)");

int Usage(QTextStream& AErr, const QString& AProblem) { return UsageError(AErr, AProblem, PreviewUsageLine); }

int RunPreview(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
  TPreviewArgs args;
  bool endOfOptions = false;
  QStringList positional;
  for (qsizetype i = 0; i < AArgs.size(); ++i) {
    const QString& arg = AArgs[i];
    if (endOfOptions || !arg.startsWith(QLatin1String("--")) || arg == QLatin1String("-")) {
      positional.append(arg);
    } else if (arg == QLatin1String("--")) {
      endOfOptions = true;
    } else if (arg == QLatin1String("--date")) {
      args.Options.UsePreStrg = true;
    } else if (arg == QLatin1String("--sender")) {
      args.Options.UseFromStrg = true;
    } else if (IsOption(arg, QStringLiteral("--kind"))) {
      const auto kind = TakeValue(AArgs, i, QStringLiteral("--kind"));
      if (!kind) return Usage(AErr, QStringLiteral("--kind braucht einen Wert"));
      const auto mailKind = MailKindOf(*kind);
      if (!mailKind) return Usage(AErr, QStringLiteral("unbekannte Art: ") + *kind);
      args.Options.Kind = *mailKind;
    } else if (IsOption(arg, QStringLiteral("--format"))) {
      const auto value = TakeValue(AArgs, i, QStringLiteral("--format"));
      if (!value) return Usage(AErr, QStringLiteral("--format braucht einen Wert"));
      const QString& format = *value;
      if (format == QLatin1String("json"))
        args.Json = true;
      else if (format == QLatin1String("tsv"))
        args.Json = false;
      else
        return Usage(AErr, QStringLiteral("unbekanntes Format: ") + format);
    } else {
      return Usage(AErr, QStringLiteral("unbekannte Option: ") + arg);
    }
  }
  if (positional.size() != 1) return Usage(AErr, QStringLiteral("genau ein ORDNER erwartet"));
  args.Folder = positional.first();
  if (!QFileInfo(args.Folder).isDir()) {
    AErr << ProgramName << ": " << QStringLiteral("Ordner nicht gefunden: ") << args.Folder << Qt::endl;
    return ExitUsage;
  }

  TTerminalReporter reporter(AErr);
  extract::TFormViewMail viewMail(&reporter);
  rename::TPreviewScan scan(viewMail, reporter);
  if (!args.Json) AOut << "old_name\told_time\tnew_name\tnew_time\n";
  const auto writeRow = [&](const rename::TPreviewRow& ARow) {
    if (args.Json) {
      QJsonObject object{{QStringLiteral("old_name"), ARow.OldName},
                         {QStringLiteral("old_time"), IsoTime(ARow.OldTime)},
                         {QStringLiteral("new_name"), ARow.NewName},
                         {QStringLiteral("new_time"), IsoTime(ARow.MailDate)},
                         {QStringLiteral("state"), StateName(ARow.State)}};
      AOut << QJsonDocument(object).toJson(QJsonDocument::Compact) << '\n';
    } else {
      AOut << TsvCell(ARow.OldName) << '\t' << IsoTime(ARow.OldTime) << '\t' << TsvCell(ARow.NewName) << '\t'
           << IsoTime(ARow.MailDate) << '\n';
    }
  };
  const rename::TScanResult result = scan.ReadFiles(args.Folder, args.Options, writeRow);
  AOut.flush();
  if (result.OutlookMissing || result.UnreadableCount > 0 || result.VanishedCount > 0) return ExitSomeFailed;
  return ExitOk;
}

}  // namespace

int RunCli(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
  if (AArgs.isEmpty()) return Usage(AErr, QStringLiteral("kein Befehl angegeben"));
  const QString& command = AArgs.first();
  if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
    AOut << UsageText << ApplyUsageText;
    return ExitOk;
  }
  if (command == QLatin1String("--version")) {
    AOut << ProgramName << ' ' << KAVIO_FILE_VERSION << '\n';
    return ExitOk;
  }
  if (command == QLatin1String("preview")) return RunPreview(AArgs.mid(1), AOut, AErr);
  if (command == QLatin1String("apply")) return RunApply(AArgs.mid(1), AOut, AErr);
  return Usage(AErr, QStringLiteral("unbekannter Befehl: ") + command);
}

}  // namespace kavio::cli

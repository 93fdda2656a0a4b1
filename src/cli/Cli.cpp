#include "cli/Cli.h"

#include "extract/TFormViewMail.h"
#include "rename/PreviewScan.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace kavio::cli {

namespace {

const QString ProgramName = QStringLiteral("kavio-cli");

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
    "\n"
    "Exit-Status: 0 alle Dateien gelesen, 1 einige Dateien nicht lesbar,\n"
    "2 falscher Aufruf oder Ordner nicht vorhanden.\n");

// Warnings and errors go to stderr, in German as in the window.
class TTerminalReporter : public extract::IReporter {
 public:
  explicit TTerminalReporter(QTextStream& AErr) : FErr(AErr) {}
  void Warning(const QString& AText) override { Write(QStringLiteral("Warnung"), AText); }
  void Error(const QString& AText) override { Write(QStringLiteral("Fehler"), AText); }
  void Information(const QString& AText) override { Write(QStringLiteral("Information"), AText); }
  void Message(const QString& AText) override { Write({}, AText); }
  bool Confirm(const QString&) override { return false; }
  void Status(const QString&) override {}

 private:
  void Write(const QString& AKind, QString AText) {
    AText.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    FErr << ProgramName << ": " << (AKind.isEmpty() ? QString() : AKind + QStringLiteral(": ")) << AText.simplified()
         << Qt::endl;
  }
  QTextStream& FErr;
};

// Time as ISO 8601 with the local offset in force at that instant; empty for no time.
QString IsoTime(const QDateTime& AInstant) {
  if (!AInstant.isValid()) return {};
  QDateTime local = AInstant.toLocalTime();
  local = local.addMSecs(-local.time().msec());
  return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

// A TSV cell: tab, line breaks and backslash written as \t, \n, \r and \\.
QString TsvCell(QString AText) {
  AText.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  AText.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  AText.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  AText.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  return AText;
}

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

int Usage(QTextStream& AErr, const QString& AProblem) {
  AErr << ProgramName << ": " << AProblem << Qt::endl;
  AErr << QStringLiteral("Aufruf: kavio-cli preview [--kind eml|msg|outlook] [--date] [--sender] [--format tsv|json] "
                         "ORDNER (mehr mit --help)")
       << Qt::endl;
  return ExitUsage;
}

// Takes "--name value" and "--name=value"; returns false when the value is missing.
bool TakeValue(const QStringList& AArgs, qsizetype& AIndex, const QString& AName, QString& AValue) {
  const QString& arg = AArgs[AIndex];
  if (arg.startsWith(AName + QLatin1Char('='))) {
    AValue = arg.mid(AName.size() + 1);
    return true;
  }
  if (AIndex + 1 >= AArgs.size()) return false;
  AValue = AArgs[++AIndex];
  return true;
}

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
    } else if (arg == QLatin1String("--kind") || arg.startsWith(QLatin1String("--kind="))) {
      QString kind;
      if (!TakeValue(AArgs, i, QStringLiteral("--kind"), kind)) return Usage(AErr, QStringLiteral("--kind braucht einen Wert"));
      if (kind == QLatin1String("eml"))
        args.Options.Kind = rename::TMailKind::Eml;
      else if (kind == QLatin1String("msg"))
        args.Options.Kind = rename::TMailKind::MsgDirect;
      else if (kind == QLatin1String("outlook"))
        args.Options.Kind = rename::TMailKind::MsgOutlook;
      else
        return Usage(AErr, QStringLiteral("unbekannte Art: ") + kind);
    } else if (arg == QLatin1String("--format") || arg.startsWith(QLatin1String("--format="))) {
      QString format;
      if (!TakeValue(AArgs, i, QStringLiteral("--format"), format))
        return Usage(AErr, QStringLiteral("--format braucht einen Wert"));
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
    AOut << UsageText;
    return ExitOk;
  }
  if (command == QLatin1String("--version")) {
    AOut << ProgramName << ' ' << KAVIO_FILE_VERSION << '\n';
    return ExitOk;
  }
  if (command == QLatin1String("preview")) return RunPreview(AArgs.mid(1), AOut, AErr);
  return Usage(AErr, QStringLiteral("unbekannter Befehl: ") + command);
}

}  // namespace kavio::cli

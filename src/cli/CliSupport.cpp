#include "cli/CliSupport.h"

#include "cli/Cli.h"

namespace kavio::cli {

const QString ProgramName = QStringLiteral("kavio-cli");

void WriteMessage(QTextStream& AErr, const QString& ATitle, QString AText) {
  AText.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
  AErr << ProgramName << ": " << (ATitle.isEmpty() ? QString() : ATitle + QStringLiteral(": ")) << AText.simplified()
       << Qt::endl;
}

int UsageError(QTextStream& AErr, const QString& AProblem, const QString& AUsageLine) {
  AErr << ProgramName << ": " << AProblem << Qt::endl;
  AErr << AUsageLine << Qt::endl;
  return ExitUsage;
}

QString IsoTime(const QDateTime& AInstant) {
  if (!AInstant.isValid()) return {};
  QDateTime local = AInstant.toLocalTime();
  local = local.addMSecs(-local.time().msec());
  return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QString TsvCell(QString AText) {
  AText.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  AText.replace(QLatin1Char('\t'), QLatin1String("\\t"));
  AText.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  AText.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  return AText;
}

bool IsOption(const QString& AArg, const QString& AName) {
  return AArg == AName || AArg.startsWith(AName + QLatin1Char('='));
}

std::optional<QString> TakeValue(const QStringList& AArgs, qsizetype& AIndex, const QString& AName) {
  const QString& arg = AArgs[AIndex];
  if (arg.startsWith(AName + QLatin1Char('='))) return arg.mid(AName.size() + 1);
  if (AIndex + 1 >= AArgs.size()) return std::nullopt;
  return AArgs[++AIndex];
}

std::optional<rename::TMailKind> MailKindOf(const QString& AWord) {
  if (AWord == QLatin1String("eml")) return rename::TMailKind::Eml;
  if (AWord == QLatin1String("msg")) return rename::TMailKind::MsgDirect;
  if (AWord == QLatin1String("outlook")) return rename::TMailKind::MsgOutlook;
  return std::nullopt;
}

}  // namespace kavio::cli

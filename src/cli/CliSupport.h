#pragma once
// What the commands of kavio-cli share: messages on stderr, the form of times and cells, and the
// options they have in common.

#include "rename/PreviewScan.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace kavio::cli {

extern const QString ProgramName;

// "kavio-cli: Warnung: text" on one line; ATitle empty for a plain message.
void WriteMessage(QTextStream& AErr, const QString& ATitle, QString AText);

// "kavio-cli: problem" and the usage line; returns the exit status of a usage error.
int UsageError(QTextStream& AErr, const QString& AProblem, const QString& AUsageLine);

// Time as ISO 8601 with the local offset in force at that instant, to the second; empty for none.
QString IsoTime(const QDateTime& AInstant);

// A TSV cell: tab, line breaks and backslash written as \t, \n, \r and \\.
QString TsvCell(QString AText);

// Takes "--name value" and "--name=value" at AIndex (moving past the value); nothing when the
// value is missing.
std::optional<QString> TakeValue(const QStringList& AArgs, qsizetype& AIndex, const QString& AName);

// Whether the argument is the option AName, as "--name" or "--name=value".
bool IsOption(const QString& AArg, const QString& AName);

// The mail kind of "--kind eml|msg|outlook"; nothing for another word.
std::optional<rename::TMailKind> MailKindOf(const QString& AWord);

// Reports on stderr, in German as in the window; questions are answered No.
class TTerminalReporter : public extract::IReporter {
 public:
  explicit TTerminalReporter(QTextStream& AErr) : FErr(AErr) {}
  void Warning(const QString& AText) override { Write(QStringLiteral("Warnung"), AText); }
  void Error(const QString& AText) override { Write(QStringLiteral("Fehler"), AText); }
  void Information(const QString& AText) override { Write(QStringLiteral("Information"), AText); }
  void Message(const QString& AText) override { Write({}, AText); }
  bool Confirm(const QString&) override { return false; }
  void Status(const QString&) override {}

 protected:
  virtual void Write(const QString& ATitle, const QString& AText) { WriteMessage(FErr, ATitle, AText); }
  QTextStream& FErr;
};

}  // namespace kavio::cli

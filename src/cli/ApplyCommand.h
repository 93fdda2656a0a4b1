#pragma once
// kavio-cli apply: the apply run on the terminal.

#include <QStringList>
#include <QTextStream>

namespace kavio::cli {

// The usage lines of "apply" for the help text.
extern const QString ApplyUsageText;

// Runs "apply" with its arguments (without the command word). Writes each file's outcome and a
// summary to AOut, messages and the question to AErr; reads the answer from AIn (stdin when
// null). Returns the exit status: 0 every file done, 1 some skipped (or the question answered
// No, or the run ended by an error), 2 a usage error or a failed backup.
int RunApply(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr, QTextStream* AIn = nullptr);

}  // namespace kavio::cli

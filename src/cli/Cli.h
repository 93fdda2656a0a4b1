#pragma once
// kavio-cli: the headless front on the preview core.

#include <QStringList>
#include <QTextStream>

namespace kavio::cli {

// Exit statuses.
inline constexpr int ExitOk = 0;
inline constexpr int ExitSomeFailed = 1;
inline constexpr int ExitUsage = 2;

// Runs the command line AArgs (without the program name); writes results to AOut, messages to
// AErr. Returns the exit status.
int RunCli(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr);

}  // namespace kavio::cli

#include "cli/Cli.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  const int status = kavio::cli::RunCli(args, out, err);
  out.flush();
  err.flush();
  return status;
}

#pragma once
// The application object. Every error that escapes an event handler ends here: it is shown in a
// modal report with its message, and the user chooses to go on (the default) or to quit.

#include <QApplication>

namespace kavio::app {

class TApplication : public QApplication {
  Q_OBJECT

 public:
  TApplication(int& argc, char** argv);

  bool notify(QObject* AReceiver, QEvent* AEvent) override;

  // The report of an error that escaped a handler; quits the program with exit status 1 when
  // the user does not want to go on.
  void ReportError(const QString& AMessage);

  // The question of the report.
  static QString ErrorReportText(const QString& AMessage);
};

}  // namespace kavio::app

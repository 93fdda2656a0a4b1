#include "app/TApplication.h"

#include "app/MessageDialogs.h"
#include "app/TKavioStyle.h"

#include <exception>

namespace kavio::app {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setStyle(new TKavioStyle());  // the application owns the style
}

QString TApplication::ErrorReportText(const QString& AMessage) {
  return QStringLiteral("Im Programm ist ein Fehler aufgetreten:\n\n") + AMessage +
         QStringLiteral("\n\nSoll das Programm weiterlaufen? Mit „Nein“ wird es beendet.");
}

void TApplication::ReportError(const QString& AMessage) {
  const TMsgDlgBtn answer =
      MessageDlg(ErrorReportText(AMessage), TMsgDlgType::Error, {TMsgDlgBtn::Yes, TMsgDlgBtn::No}, TMsgDlgBtn::Yes);
  if (answer == TMsgDlgBtn::No) exit(1);
}

bool TApplication::notify(QObject* AReceiver, QEvent* AEvent) {
  try {
    return QApplication::notify(AReceiver, AEvent);
  } catch (const std::exception& e) {
    ReportError(QString::fromUtf8(e.what()));
  } catch (...) {
    ReportError(QStringLiteral("Unbekannter Fehler"));
  }
  return false;
}

}  // namespace kavio::app

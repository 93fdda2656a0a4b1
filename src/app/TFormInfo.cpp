#include "app/TFormInfo.h"

#include "app/Dpi.h"
#include "app/Fonts.h"
#include "app/ProgramInfo.h"

#include <QVBoxLayout>

namespace kavio::app {

TFormInfo::TFormInfo(QWidget* AParent) : QDialog(AParent) {
  setObjectName(QStringLiteral("FormInfo"));
  setWindowTitle(QStringLiteral("Info"));
  setFont(TahomaOr(11, 8));
  setSizeGripEnabled(true);
  const TDpi dpi = TDpi::OfPrimaryScreen();
  resize(dpi(467), dpi(493));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setFont(TahomaOr(13, 10));
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(Memo1);
  FormCreate();
}

QString TFormInfo::InfoText() {
  const QString lines[] = {
      QString(),
      QStringLiteral("Das Programm bearbeitet die Dateieigenschaften von exportieren  "),
      QStringLiteral("Emaildateien mit den Endungen '.eml' und '.msg'.  "),
      QStringLiteral("Der Dateiinhalt wird dabei nicht verändert. "),
      QStringLiteral(" "),
      QStringLiteral("Kavio kann das Dateidatum und die Dateizeit auf den Zeitpunkt des  "),
      QStringLiteral("Empfangs der  Email ändern und das Emaildatum kann dem Dateinamen  "),
      QStringLiteral("mit Jahr, Monat und Tag im Format JJJJMMTT voranstellen.  "),
      QStringLiteral("Zusätzlich kann der Absender zum Dateinamen hinzugefügt werden. Vor  "),
      QStringLiteral("der Änderung erscheint eine nochmalige Sicherheitsabfrage. "),
      QStringLiteral(" "),
      QStringLiteral("Das Quellverzeichnis wird mit einem Klick auf das Ordnerzeichen  "),
      QStringLiteral("ausgewählt oder kann vom Explorer aus mit Drag und Drop in das Programm  "),
      QStringLiteral("gezogen werden. "),
      QStringLiteral(" "),
      QStringLiteral("Mit einem Rechtsklick auf das Verzeichnis können die letzen  "),
      QStringLiteral("verwendeten Emailquellen direkt eingetragen werden. "),
      QStringLiteral(" "),
      QStringLiteral("Vor jeder Änderung kann das Programm automatisch ein Backup anlegen.  "),
      QStringLiteral("z.B. 20141219_171646_EmailBackup.zip "),
      QStringLiteral("Aktivieren Sie dazu die Option \"Backup erstellen\". "),
      QStringLiteral(" "),
      QStringLiteral(" "),
      QStringLiteral(" "),
      OwnerNotice,
      ContactLine,
  };
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

void TFormInfo::FormCreate() {
  // The text box keeps lines by line feeds.
  Memo1->setPlainText(QString(InfoText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

}  // namespace kavio::app

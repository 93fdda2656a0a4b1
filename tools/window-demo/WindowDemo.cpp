// kavio-window-demo [--date] [--sender] [--info] [--quit-after MS] FOLDER
// Opens the main window as the program does, then sets the folder field to FOLDER and ticks the
// name options asked for; --info opens the info window as a click on the info button does.
// With --quit-after the window closes itself after MS milliseconds.

#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "app/Translations.h"
#include "extract/TFormViewMail.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
  kavio::app::TApplication app(argc, argv);
  kavio::app::LoadQtTranslations(app);
  bool date = false, sender = false, info = false;
  int quitAfter = -1;
  QString folder;
  const QStringList args = app.arguments().mid(1);
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--date"))
      date = true;
    else if (args[i] == QLatin1String("--sender"))
      sender = true;
    else if (args[i] == QLatin1String("--info"))
      info = true;
    else if (args[i] == QLatin1String("--quit-after") && i + 1 < args.size())
      quitAfter = args[++i].toInt();
    else
      folder = args[i];
  }
  if (folder.isEmpty()) {
    std::fprintf(stderr, "Aufruf: kavio-window-demo [--date] [--sender] [--info] [--quit-after MS] ORDNER\n");
    return 2;
  }

  kavio::app::TFormMain FormMain;
  kavio::extract::TFormViewMail FormViewMail(&FormMain.Reporter());
  FormMain.SetFormViewMail(&FormViewMail);
  FormMain.move(0, 0);
  FormMain.show();
  FormMain.JvDirectoryEditSrc->setText(folder);
  FormMain.CheckBoxPreString->setChecked(date);
  FormMain.CheckBoxAbsender->setChecked(sender);
  if (quitAfter >= 0) QTimer::singleShot(quitAfter, &app, &QCoreApplication::quit);
  if (info) QTimer::singleShot(0, &FormMain, [&FormMain] { FormMain.SpeedButton1Click(); });
  const int result = app.exec();
  FormMain.SetFormViewMail(nullptr);
  return result;
}

// Start-up of the window: the application object with its error reporting and Qt's German
// texts, the main window, then the extraction service, then the message loop until the main
// window is closed. Memory still allocated at the end is reported by the sanitizer build.

#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "app/Translations.h"
#include "extract/TFormViewMail.h"

int main(int argc, char** argv) {
  kavio::app::TApplication app(argc, argv);
  kavio::app::LoadQtTranslations(app);

  kavio::app::TFormMain FormMain;
  kavio::extract::TFormViewMail FormViewMail(&FormMain.Reporter());
  FormMain.SetFormViewMail(&FormViewMail);

  FormMain.show();
  const int result = app.exec();
  FormMain.SetFormViewMail(nullptr);
  return result;
}

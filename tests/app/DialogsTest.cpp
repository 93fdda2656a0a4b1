#include "AppTestSupport.h"
#include "app/TApplication.h"
#include "app/Translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace kavio;
using app::TMsgDlgBtn;
using app::TMsgDlgType;

namespace {

struct TShown {
  QString Title, Text;
  QStringList Buttons;
  QString Default;
};

// Looks at the real message box once it is open, then presses the button with APress.
void InspectNextBox(TShown& AShown, const QString& APress) {
  QTimer::singleShot(0, qApp, [&AShown, APress] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    AShown.Title = box->windowTitle();
    AShown.Text = box->text();
    for (QAbstractButton* b : box->buttons()) AShown.Buttons.append(b->text());
    AShown.Buttons.sort();
    AShown.Default = box->defaultButton() ? box->defaultButton()->text() : QString();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == APress) b->click();
  });
}

class TThrower : public QObject {
 public:
  bool event(QEvent* AEvent) override {
    if (AEvent->type() == QEvent::User) throw std::runtime_error("Datei kaputt");
    if (AEvent->type() == QEvent::User + 1) ++Handled;
    return QObject::event(AEvent);
  }
  int Handled = 0;
};

}  // namespace

TEST(DialogsTest, RealBoxesCarryGermanTitlesAndButtons) {
  TShown warning;
  InspectNextBox(warning, "OK");
  app::ShowWarning("Achtung");
  EXPECT_EQ(warning.Title, "Warnung");
  EXPECT_EQ(warning.Text, "Achtung");
  EXPECT_EQ(warning.Buttons, QStringList{"OK"});

  TShown question;
  InspectNextBox(question, "&Ja");
  EXPECT_TRUE(app::Confirm("Weiter?"));
  EXPECT_EQ(question.Title, QString::fromUtf8("Bestätigen"));
  EXPECT_EQ(question.Buttons, (QStringList{"&Ja", "&Nein"}));

  TShown plain;
  InspectNextBox(plain, "OK");
  app::ShowMessage("Fertig");
  EXPECT_EQ(plain.Title, "Prj_kavio");

  TShown closed;
  QTimer::singleShot(0, qApp, [] {
    if (auto* box = QApplication::activeModalWidget()) box->close();
  });
  EXPECT_FALSE(app::Confirm("Weiter?"));  // closing answers Nein
}

TEST(DialogsTest, TitlesOfTheKinds) {
  EXPECT_EQ(app::DialogTitle(TMsgDlgType::Warning), "Warnung");
  EXPECT_EQ(app::DialogTitle(TMsgDlgType::Error), "Fehler");
  EXPECT_EQ(app::DialogTitle(TMsgDlgType::Information), "Informationen");
  EXPECT_EQ(app::DialogTitle(TMsgDlgType::Confirmation), QString::fromUtf8("Bestätigen"));
  EXPECT_EQ(app::DialogTitle(TMsgDlgType::Plain), "Prj_kavio");
}

TEST(ApplicationTest, ErrorInAHandlerIsReportedAndTheProgramGoesOn) {
  test::TDialogRecorder dialogs;
  dialogs.Answer = [](const app::TDialogRequest& ARequest) { return ARequest.Default; };
  TThrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::Type(QEvent::User + 1)));
  QTimer::singleShot(20, qApp, &QCoreApplication::quit);
  EXPECT_EQ(qApp->exec(), 0);
  ASSERT_EQ(dialogs.Requests.size(), 1);
  EXPECT_EQ(dialogs.Requests[0].Title, "Fehler");
  EXPECT_TRUE(dialogs.Requests[0].Text.contains("Datei kaputt"));
  EXPECT_EQ(dialogs.Requests[0].Buttons, (QList<TMsgDlgBtn>{TMsgDlgBtn::Yes, TMsgDlgBtn::No}));
  EXPECT_EQ(dialogs.Requests[0].Default, TMsgDlgBtn::Yes);
  EXPECT_EQ(thrower.Handled, 1);  // the next event was handled
}

TEST(ApplicationTest, ErrorReportCanQuit) {
  test::TDialogRecorder dialogs;
  dialogs.Answer = [](const app::TDialogRequest&) { return TMsgDlgBtn::No; };
  TThrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QTimer guard;  // ends the loop should the report not quit
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
  guard.start(5000);
  EXPECT_EQ(qApp->exec(), 1);
  EXPECT_EQ(dialogs.Requests.size(), 1);
}

TEST(ApplicationTest, QtSpeaksGerman) {
  ASSERT_TRUE(app::LoadQtTranslations(*qApp));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

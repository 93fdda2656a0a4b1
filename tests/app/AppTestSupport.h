#pragma once
// The window tests' fixture: a main window as the program makes it, on the offscreen platform,
// with every dialog recorded and answered by the test.

#include "TestSupport.h"
#include "app/MessageDialogs.h"
#include "app/TFormMain.h"
#include "extract/TFormViewMail.h"

#include <gtest/gtest.h>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace kavio::test {

// Records every dialog and answers it with Answer (the dialog's default when unset).
class TDialogRecorder {
 public:
  TDialogRecorder() {
    FOld = app::SetDialogHook([this](const app::TDialogRequest& ARequest) {
      Requests.append(ARequest);
      if (OnDialog) OnDialog(ARequest);
      return Answer ? Answer(ARequest) : ARequest.Default;
    });
  }
  ~TDialogRecorder() { app::SetDialogHook(std::move(FOld)); }

  QStringList Titles() const {
    QStringList titles;
    for (const auto& r : Requests) titles.append(r.Title);
    return titles;
  }

  QList<app::TDialogRequest> Requests;
  std::function<app::TMsgDlgBtn(const app::TDialogRequest&)> Answer;
  std::function<void(const app::TDialogRequest&)> OnDialog;

 private:
  app::TDialogHook FOld;
};

// A fresh, empty settings folder ($XDG_CONFIG_HOME) while it lives, so that no window of a test
// reads or writes the settings of another test or of the user.
class TConfigHome {
 public:
  TConfigHome() : FOld(qgetenv("XDG_CONFIG_HOME")), FHad(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", FDir.path().toLocal8Bit());
  }
  ~TConfigHome() {
    if (FHad)
      qputenv("XDG_CONFIG_HOME", FOld);
    else
      qunsetenv("XDG_CONFIG_HOME");
  }
  QString Path() const { return FDir.path(); }
  QString IniPath() const { return FDir.path() + QStringLiteral("/Kavio.ini"); }

 private:
  QTemporaryDir FDir;
  QByteArray FOld;
  bool FHad;
};

inline QStringList Rows(const QListWidget* APane) {
  QStringList rows;
  for (int i = 0; i < APane->count(); ++i) rows.append(APane->item(i)->text());
  return rows;
}

class FormMainTest : public ::testing::Test {
 protected:
  FormMainTest() : ViewMail(&Form.Reporter()) {
    Form.SetFormViewMail(&ViewMail);
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form));
  }
  ~FormMainTest() override { Form.SetFormViewMail(nullptr); }

  template <typename T = QWidget>
  T* Control(const char* AName) {
    T* control = Form.findChild<T*>(QLatin1String(AName));
    EXPECT_NE(control, nullptr) << AName;
    return control;
  }
  QListWidget* Pane(const char* AName) { return Control<QListWidget>(AName); }

  TConfigHome ConfigHome;
  TDialogRecorder Dialogs;
  app::TFormMain Form;
  extract::TFormViewMail ViewMail;
};

}  // namespace kavio::test

// The fixture under a plain name, as TEST_F needs it.
using FormMainTest = kavio::test::FormMainTest;

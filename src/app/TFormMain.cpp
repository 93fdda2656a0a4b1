#include "app/TFormMain.h"

#include "app/Fonts.h"
#include "app/TWindowUpdateHost.h"
#include "app/ProgramInfo.h"
#include "app/TApplication.h"
#include "app/TFormStorage.h"
#include "components/TLumoVersionLbl.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QShowEvent>

namespace kavio::app {

TFormMain::TFormMain(QWidget* AParent)
    : QWidget(AParent), FDpi(TDpi::OfPrimaryScreen()), FReporter([this](const QString& AText) {
        if (StatusBar1Panel0) StatusBar1Panel0->setText(AText);
      }) {
  setObjectName(QStringLiteral("FormMain"));
  setFont(TahomaOr(11, 8));
  CreateControls();
  SetTabOrder();
  SetDesignedHints();
  ConnectHandlers();
  CreateUpdateCheck();
  CreateSourceFolder();
  resize(FDpi(1018), FDpi(605));
  // The settings file is read when the window is created.
  JvAppIniFileStorage1 = std::make_unique<TAppIniFileStorage>();
  JvFormStorage1 = std::make_unique<TFormStorage>(*this, *JvAppIniFileStorage1);
  FormCreate();
}

TFormMain::~TFormMain() {
  // A window freed without having been closed is collected now; the file is written as its
  // store is freed.
  JvFormStorage1->FormDestroy();
  JvFormStorage1.reset();
  JvAppIniFileStorage1.reset();
}

void TFormMain::SetFormViewMail(extract::TFormViewMail* AFormViewMail) {
  FApplyRun.reset();
  FScan = AFormViewMail ? std::make_unique<rename::TPreviewScan>(*AFormViewMail, FReporter) : nullptr;
  if (FScan) FApplyRun = MakeApplyRun();
}

void TFormMain::FormCreate() {
  // The panels carry no caption here, and the folder field starts empty: setting the empty text
  // on the empty field changes nothing, so the panes stay empty and no file is counted.
  JvDirectoryEditSrc->setText(QString());
  setWindowTitle(MainWindowTitle(LumoVersionLbl1->GetProduktversion()));
}

void TFormMain::showEvent(QShowEvent* AEvent) {
  QWidget::showEvent(AEvent);
  if (FShown || AEvent->spontaneous()) return;
  FShown = true;
  // The settings store restores placement, folder and options here, before FormShow. A stored
  // placement value that is not a number stops it; the error is reported and the window shown
  // as far as it got.
  try {
    JvFormStorage1->RestoreFormPlacement();
  } catch (const TSettingsError& e) {
    if (auto* app = qobject_cast<TApplication*>(QCoreApplication::instance()))
      app->ReportError(QString::fromUtf8(e.what()));
  }
  FormShow();
}

void TFormMain::closeEvent(QCloseEvent* AEvent) {
  QWidget::closeEvent(AEvent);
  if (AEvent->isAccepted()) JvFormStorage1->SaveFormPlacement();
}

void TFormMain::FormShow() { WrapHints(); }

}  // namespace kavio::app

#include "app/TFormMain.h"

#include "app/Fonts.h"
#include "app/TWindowUpdateHost.h"
#include "app/ProgramInfo.h"
#include "components/TLumoVersionLbl.h"

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
  FormCreate();
}

TFormMain::~TFormMain() = default;

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
  // The settings store restores placement, folder and options here, before FormShow.
  FormShow();
}

void TFormMain::FormShow() { WrapHints(); }

}  // namespace kavio::app

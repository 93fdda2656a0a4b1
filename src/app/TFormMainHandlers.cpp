// Which control starts what: the main window's event handlers.

#include "app/MessageDialogs.h"
#include "app/TFileListBox.h"
#include "app/TFormInfo.h"
#include "app/TFormMain.h"
#include "app/TWrapButton.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace kavio::app {

void TFormMain::ConnectHandlers() {
  connect(JvDirectoryEditSrc, &QLineEdit::textChanged, this, [this] { JvDirectoryEditSrcChange(); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  // A check box reports every change of its state, also one made by the program.
  connect(CheckBoxPreString, &QCheckBox::toggled, this, [this] { CheckBoxPreStringClick(); });
  connect(CheckBoxAbsender, &QCheckBox::toggled, this, [this] { CheckBoxAbsenderClick(); });
  // An option reports only becoming selected.
  auto selected = [this](QRadioButton* AButton, void (TFormMain::*AHandler)()) {
    connect(AButton, &QRadioButton::toggled, this, [this, AHandler](bool AOn) {
      UpdateOptionTabStops();
      if (AOn) (this->*AHandler)();
    });
  };
  selected(JvRadioButtonEml, &TFormMain::JvRadioButtonEmlClick);
  selected(JvRadioButtonMsg_OxMsg, &TFormMain::JvRadioButtonMsg_OxMsgClick);
  selected(JvRadioButtonMsg_Outlook, &TFormMain::JvRadioButtonMsg_OutlookClick);
  connect(ButtonDoIt, &QPushButton::clicked, this, [this] { ButtonDoItClick(); });
  UpdateOptionTabStops();
}

void TFormMain::UpdateOptionTabStops() {
  // Of the three options only the selected one is reached with Tab; the arrow keys move between
  // them.
  for (QRadioButton* button : {JvRadioButtonEml, JvRadioButtonMsg_OxMsg, JvRadioButtonMsg_Outlook})
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void TFormMain::CheckBoxPreStringClick() { ReadFiles(); }
void TFormMain::CheckBoxAbsenderClick() { ReadFiles(); }

void TFormMain::JvRadioButtonEmlClick() {
  FileListBox1->SetMask(rename::MaskOfKind(rename::TMailKind::Eml));
  ReadFiles();
}

void TFormMain::JvRadioButtonMsg_OxMsgClick() {
  FileListBox1->SetMask(rename::MaskOfKind(rename::TMailKind::MsgDirect));
  ReadFiles();
}

void TFormMain::JvRadioButtonMsg_OutlookClick() {
  FileListBox1->SetMask(rename::MaskOfKind(rename::TMailKind::MsgOutlook));
  ReadFiles();
}

void TFormMain::SpeedButton1Click() {
  if (!FFormInfo) FFormInfo = new TFormInfo(this);
  // The info window is a window of its own with a close box only.
  FFormInfo->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint);
  FFormInfo->exec();
}

}  // namespace kavio::app

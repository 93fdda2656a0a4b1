// The main window's controls as designed at 96 pixels per inch: positions and sizes relative to
// the parent's inner area, scaled by the screen's DPI.

#include "app/Anchors.h"
#include "app/TCompletionAnimation.h"
#include "app/TFileListBox.h"
#include "app/TFormMain.h"
#include "app/TListPanes.h"
#include "app/TWrapButton.h"
#include "components/TLumoVersionLbl.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kavio::app {

namespace {

constexpr int DesignWidth = 1018;

template <typename T>
T* Named(T* AControl, const char* AName) {
  AControl->setObjectName(QLatin1String(AName));
  return AControl;
}

QFrame* Panel(QWidget* AParent, const char* AName) {
  auto* panel = Named(new QFrame(AParent), AName);
  panel->setFrameShape(QFrame::NoFrame);
  return panel;
}

}  // namespace

void TFormMain::CreateControls() {
  const TDpi& S = FDpi;
  auto place = [&S](QWidget* AControl, int ALeft, int ATop, int AWidth, int AHeight) {
    AControl->setGeometry(S(ALeft), S(ATop), S(AWidth), S(AHeight));
  };

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->setSpacing(0);

  // The folder row.
  PanelTop = Panel(this, "PanelTop");
  PanelTop->setFixedHeight(S(41));
  form->addWidget(PanelTop);
  auto* top = new QVBoxLayout(PanelTop);
  top->setContentsMargins(0, 0, 0, 0);
  GroupBox4 = Named(new QGroupBox(QStringLiteral("Quellverzeichnis"), PanelTop), "GroupBox4");
  top->addWidget(GroupBox4);
  JvDirectoryEditSrc = Named(new TDirectoryEdit(GroupBox4), "JvDirectoryEditSrc");
  place(JvDirectoryEditSrc, 4, 14, 979, 21);
  SpeedButton1 = Named(new QToolButton(GroupBox4), "SpeedButton1");
  place(SpeedButton1, DesignWidth - 5 - 23, 14, 23, 21);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  SpeedButton1->setIcon(QIcon(QStringLiteral(":/kavio/Info.png")));
  SpeedButton1->setIconSize(QSize(S(17), S(17)));
  auto* folderAnchors = new TRightAnchors(GroupBox4, S(DesignWidth));
  folderAnchors->Add(JvDirectoryEditSrc, TRightAnchors::TMode::Stretch);
  folderAnchors->Add(SpeedButton1, TRightAnchors::TMode::StayRight);

  // Options and the list panes.
  PanelCenter = Panel(this, "PanelCenter");
  form->addWidget(PanelCenter, 1);
  auto* center = new QVBoxLayout(PanelCenter);
  center->setContentsMargins(0, 0, 0, 0);
  center->setSpacing(0);
  GroupBox1 = Named(new QGroupBox(QStringLiteral("Optionen"), PanelCenter), "GroupBox1");
  GroupBox1->setFixedHeight(S(120));
  center->addWidget(GroupBox1);

  JvGroupBox1 = Named(new QGroupBox(QStringLiteral("Dateinamen ergänzen"), GroupBox1), "JvGroupBox1");
  place(JvGroupBox1, 3, 16, 322, 83);
  CheckBoxPreString =
      Named(new QCheckBox(QStringLiteral("Jahr, Monat und Tag dem Dateinamen voranstellen"), JvGroupBox1),
            "CheckBoxPreString");
  place(CheckBoxPreString, 2, 16, 303, 17);
  CheckBoxAbsender =
      Named(new QCheckBox(QStringLiteral("den Absender dem Dateinamen voranstellen"), JvGroupBox1), "CheckBoxAbsender");
  place(CheckBoxAbsender, 2, 39, 303, 17);
  CheckBoxBackup = Named(new QCheckBox(QStringLiteral("Backup erstellen"), JvGroupBox1), "CheckBoxBackup");
  place(CheckBoxBackup, 2, 63, 97, 17);
  CheckBoxBackup->setChecked(true);

  // The frame only draws border and caption; the three options lie over it, as children of
  // GroupBox1, so that they exclude each other.
  JvRadioGroup1 = Named(new QGroupBox(QStringLiteral("berücksichtigte Dateiendung"), GroupBox1), "JvRadioGroup1");
  place(JvRadioGroup1, 331, 16, 168, 83);
  auto option = [&](const QString& ACaption, const char* AName, int ATop, int AWidth) {
    auto* button = Named(new QRadioButton(ACaption, GroupBox1), AName);
    button->setLayoutDirection(Qt::RightToLeft);  // caption to the left of the mark
    place(button, 340, ATop, AWidth, 17);
    return button;
  };
  JvRadioButtonEml = option(QStringLiteral("*.eml"), "JvRadioButtonEml", 32, 47);
  JvRadioButtonMsg_OxMsg = option(QStringLiteral("*.msg (direkt)"), "JvRadioButtonMsg_OxMsg", 55, 88);
  JvRadioButtonMsg_Outlook = option(QStringLiteral("*.msg (via Outlook)"), "JvRadioButtonMsg_Outlook", 78, 115);
  JvRadioButtonEml->setChecked(true);

  ButtonDoIt = Named(new TWrapButton(QStringLiteral("Änderungen durchführen"), GroupBox1), "ButtonDoIt");
  place(ButtonDoIt, DesignWidth - 8 - 98, 16, 98, 98);
  auto* optionAnchors = new TRightAnchors(GroupBox1, S(DesignWidth));
  optionAnchors->Add(ButtonDoIt, TRightAnchors::TMode::StayRight);

  LumoVersionLbl1 = Named(new components::TLumoVersionLbl(GroupBox1), "LumoVersionLbl1");
  LumoVersionLbl1->setText(QStringLiteral("LumoVersionLbl1"));
  LumoVersionLbl1->setVisible(false);

  JvGIFAnimator1 = Named(new QLabel(GroupBox1), "JvGIFAnimator1");
  FAnimation = new TCompletionAnimation(JvGIFAnimator1, GroupBox1, ButtonDoIt, this);

  Panel1 = Panel(PanelCenter, "Panel1");
  center->addWidget(Panel1, 1);
  Panes = new TListPanes(Panel1, S);
  FileListBox1 = Panes->FileListBox1;

  StatusBar1 = Named(new QStatusBar(this), "StatusBar1");
  StatusBar1->setFixedHeight(S(19));
  StatusBar1Panel0 = Named(new QLabel(StatusBar1), "StatusBar1Panel0");
  StatusBar1Panel0->setFixedWidth(S(500));
  StatusBar1->addWidget(StatusBar1Panel0);
  form->addWidget(StatusBar1);
}

void TFormMain::SetTabOrder() {
  const QList<QWidget*> order = {JvDirectoryEditSrc, ButtonDoIt,       JvRadioButtonEml, JvRadioButtonMsg_OxMsg,
                                 CheckBoxPreString,  CheckBoxAbsender, CheckBoxBackup,   JvRadioButtonMsg_Outlook,
                                 FileListBox1,       Panes->ListBox2,  Panes->ListBox3,  Panes->ListBox4};
  for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace kavio::app

#include "AppTestSupport.h"
#include "app/TWrapButton.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>

using namespace kavio;

namespace {

struct TPlace {
  const char* Name;
  const char* Class;
  const char* Parent;
  int Left, Top, Width, Height;  // at 96 dpi; -1: not fixed by the design
  const char16_t* Caption;       // nullptr: none to check
  int Checked;                   // -1: no check mark
};

// The designed client area is 1018 × 605.
const TPlace Layout[] = {
    {"PanelTop", "QFrame", "FormMain", 0, 0, 1018, 41, nullptr, -1},
    {"GroupBox4", "QGroupBox", "PanelTop", 0, 0, 1018, 41, u"Quellverzeichnis", -1},
    {"JvDirectoryEditSrc", "QLineEdit", "GroupBox4", 4, 14, 979, 21, u"", -1},
    {"SpeedButton1", "QToolButton", "GroupBox4", 990, 14, 23, 21, nullptr, -1},
    {"PanelCenter", "QFrame", "FormMain", 0, 41, 1018, 545, nullptr, -1},
    {"GroupBox1", "QGroupBox", "PanelCenter", 0, 0, 1018, 120, u"Optionen", -1},
    {"JvGroupBox1", "QGroupBox", "GroupBox1", 3, 16, 322, 83, u"Dateinamen ergänzen", -1},
    {"CheckBoxPreString", "QCheckBox", "JvGroupBox1", 2, 16, 303, 17,
     u"Jahr, Monat und Tag dem Dateinamen voranstellen", 0},
    {"CheckBoxAbsender", "QCheckBox", "JvGroupBox1", 2, 39, 303, 17, u"den Absender dem Dateinamen voranstellen", 0},
    {"CheckBoxBackup", "QCheckBox", "JvGroupBox1", 2, 63, 97, 17, u"Backup erstellen", 1},
    {"JvRadioGroup1", "QGroupBox", "GroupBox1", 331, 16, 168, 83, u"berücksichtigte Dateiendung", -1},
    {"JvRadioButtonEml", "QRadioButton", "GroupBox1", 340, 32, 47, 17, u"*.eml", 1},
    {"JvRadioButtonMsg_OxMsg", "QRadioButton", "GroupBox1", 340, 55, 88, 17, u"*.msg (direkt)", 0},
    {"JvRadioButtonMsg_Outlook", "QRadioButton", "GroupBox1", 340, 78, 115, 17, u"*.msg (via Outlook)", 0},
    {"ButtonDoIt", "QPushButton", "GroupBox1", 912, 16, 98, 98, u"Änderungen durchführen", -1},
    {"Panel1", "QFrame", "PanelCenter", 0, 120, 1018, 425, nullptr, -1},
    {"GroupBox2", "QGroupBox", "Panel1", 0, 0, 509, 425, u"Original Dateinamen und -zeiten", -1},
    {"GroupBox3", "QGroupBox", "Panel1", 509, 0, 509, 425, u"geänderte Dateinamen und -zeiten", -1},
    {"FileListBox1", "QListWidget", "Splitter1", -1, -1, -1, -1, nullptr, -1},
    {"ListBox2", "QListWidget", "Splitter1", -1, -1, 140, -1, nullptr, -1},
    {"ListBox3", "QListWidget", "Splitter2", -1, -1, -1, -1, nullptr, -1},
    {"ListBox4", "QListWidget", "Splitter2", -1, -1, 140, -1, nullptr, -1},
    {"Splitter1", "QSplitter", "GroupBox2", -1, -1, -1, -1, nullptr, -1},
    {"Splitter2", "QSplitter", "GroupBox3", -1, -1, -1, -1, nullptr, -1},
    {"StatusBar1", "QStatusBar", "FormMain", 0, 586, 1018, 19, nullptr, -1},
    {"StatusBar1Panel0", "QLabel", "StatusBar1", -1, -1, 500, -1, u"", -1},
};

}  // namespace

TEST_F(FormMainTest, ControlsAsDesigned) {
  const app::TDpi& S = Form.Dpi();
  EXPECT_EQ(Form.size(), QSize(S(1018), S(605)));
  for (const TPlace& p : Layout) {
    SCOPED_TRACE(p.Name);
    QWidget* control = Control(p.Name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(p.Class)) << control->metaObject()->className();
    ASSERT_NE(control->parentWidget(), nullptr);
    EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(p.Parent));
    const QRect g = control->geometry();
    if (p.Left >= 0) {
      EXPECT_EQ(g.x(), S(p.Left));
    }
    if (p.Top >= 0) {
      EXPECT_EQ(g.y(), S(p.Top));
    }
    if (p.Width >= 0) {
      EXPECT_EQ(g.width(), S(p.Width));
    }
    if (p.Height >= 0) {
      EXPECT_EQ(g.height(), S(p.Height));
    }
    QString caption;
    if (auto* box = qobject_cast<QGroupBox*>(control)) caption = box->title();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) caption = button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) caption = edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) caption = label->text();
    if (p.Caption) {
      EXPECT_EQ(caption, QString::fromUtf16(p.Caption));
    }
    if (p.Checked >= 0) {
      EXPECT_EQ(qobject_cast<QAbstractButton*>(control)->isChecked(), p.Checked == 1);
    }
    if (auto* pane = qobject_cast<QListWidget*>(control)) {
      EXPECT_EQ(pane->count(), 0);
    }
  }
  // Captions to the left of the marks; the apply button wraps its caption.
  for (const char* name : {"JvRadioButtonEml", "JvRadioButtonMsg_OxMsg", "JvRadioButtonMsg_Outlook"})
    EXPECT_EQ(Control(name)->layoutDirection(), Qt::RightToLeft) << name;
  EXPECT_TRUE(Control("ButtonDoIt")->inherits("kavio::app::TWrapButton"));
  EXPECT_EQ(Control("SpeedButton1")->focusPolicy(), Qt::NoFocus);
  // Hidden: the animation until an apply run ends, the version label always.
  EXPECT_FALSE(Control("JvGIFAnimator1")->isVisible());
  EXPECT_FALSE(Control("LumoVersionLbl1")->isVisible());
  // Tahoma at 11 pixels where it is there, else the desktop's sans-serif at 8 points.
  if (QFontDatabase::families().contains("Tahoma")) {
    EXPECT_EQ(Form.font().family(), "Tahoma");
    EXPECT_EQ(Form.font().pixelSize(), 11);
  } else {
    EXPECT_EQ(Form.font().pointSize(), 8);
  }
}

TEST_F(FormMainTest, StretchingAndRightAnchors) {
  const app::TDpi& S = Form.Dpi();
  Form.resize(S(1218), S(705));
  QApplication::processEvents();
  EXPECT_EQ(Control("JvDirectoryEditSrc")->geometry(), QRect(S(4), S(14), S(1179), S(21)));
  EXPECT_EQ(Control("SpeedButton1")->geometry(), QRect(S(1190), S(14), S(23), S(21)));
  EXPECT_EQ(Control("ButtonDoIt")->geometry(), QRect(S(1112), S(16), S(98), S(98)));
  EXPECT_EQ(Control("GroupBox1")->height(), S(120));
  EXPECT_EQ(Control("GroupBox2")->width(), S(1218) / 2);
  EXPECT_EQ(Control("StatusBar1")->geometry(), QRect(0, S(705) - S(19), S(1218), S(19)));
  // The time panes keep their width; the name panes take the rest.
  EXPECT_EQ(Control("ListBox2")->width(), S(140));
  EXPECT_EQ(Control("ListBox4")->width(), S(140));
}

TEST_F(FormMainTest, TabOrderWithTheSelectedOptionOnly) {
  auto chain = [this] {
    QStringList names;
    QWidget* w = Control("JvDirectoryEditSrc");
    do {
      if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&Form) && w->isEnabled()) names.append(w->objectName());
      w = w->nextInFocusChain();
    } while (w != Control("JvDirectoryEditSrc"));
    return names;
  };
  EXPECT_EQ(chain(),
            (QStringList{"JvDirectoryEditSrc", "ButtonDoIt", "JvRadioButtonEml", "CheckBoxPreString",
                         "CheckBoxAbsender", "CheckBoxBackup", "FileListBox1", "ListBox2", "ListBox3", "ListBox4"}));
  Control<QRadioButton>("JvRadioButtonMsg_Outlook")->click();
  EXPECT_EQ(chain(),
            (QStringList{"JvDirectoryEditSrc", "ButtonDoIt", "CheckBoxPreString", "CheckBoxAbsender", "CheckBoxBackup",
                         "JvRadioButtonMsg_Outlook", "FileListBox1", "ListBox2", "ListBox3", "ListBox4"}));
}

TEST_F(FormMainTest, TitleWithTheVersion) {
  EXPECT_EQ(Form.windowTitle(),
            QString::fromUtf8("Manipulation von Dateidatum und Dateiname von exportierten Emails  © Kavio-Projekt  "
                              "Ver. 1.0.1.1   Kontakt: kavio@example.org"));
}

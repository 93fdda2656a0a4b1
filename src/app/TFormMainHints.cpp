// The hints of the main window, as designed, and their wrapping at the first showing.

#include "app/AutoCrLF.h"
#include "app/TFormMain.h"

#include <QHelpEvent>
#include <QToolButton>
#include <QToolTip>

namespace kavio::app {

namespace {

// How long a hint stays, for every hint of the program.
constexpr int HintHideMs = 10000;

struct THint {
  const char* Control;
  const char16_t* Text;
};

const THint DesignedHints[] = {
    {"SpeedButton1", u"kleiner Hilfstext"},
    {"JvDirectoryEditSrc",
     u"Wählen Sie das Verzeichnis in dem die exportieren Emails liegen. Es kann auch mit der Maus vom Explorer ein "
     u"Verzeichnis oder eine Datei \"hineingezogen\" werden. Mit der rechten Maustaste können Sie bisher verwendete "
     u"Verzeichnisse auswählen."},
    {"CheckBoxPreString",
     u"Sie können den Dateinamen das Datum in der Form JJJJMMTT_ voranstellen oder diese Markierung wieder enfernen."},
    {"CheckBoxAbsender",
     u"Der Absendername wird vor dem Betreff eingefügt. Falls kein Absendername eingetragen ist wird die "
     u"Emailadresse verwendet."},
    {"CheckBoxBackup",
     u"Es wird vor jeder Änderung ein Backup aller Emails in einer ZIP-Datei im aktuellen Verzeichnis erstellt."},
    {"JvRadioGroup1", u"Wählen Sie aus ob Dateien mit der Endung *.eml oder *.msg bearbeitet werden."},
    {"JvRadioButtonEml", u"Die Datei liegt im Standard-EML-Format vor und wird direkt eingelesen und interpretiert."},
    {"JvRadioButtonMsg_OxMsg",
     u"Die Datei liegt im Microsoft-Format vor und wird direkt eingelesen und interpretiert (wenn sich Microsoft an "
     u"die eigenen Vorgaben hält)."},
    {"JvRadioButtonMsg_Outlook",
     u"Die Datei liegt im Microsoft-Format vor und wird über Outlook eingelesen und interpretiert (Sie können eine "
     u"Aufforderung bekommen dem Programm für 10 Minuten den Zugriff auf Outlook zu erlauben)."},
    {"ButtonDoIt", u"Starten der Änderung. Das Dateidatum und evtl. der Dateiname werden geändert."},
    {"FileListBox1", u"Liste mit den noch unveränderten Dateinamen."},
    {"ListBox2", u"Liste mit den noch unveränderten Zeiten."},
    {"ListBox3", u"Liste mit den evtl. veränderten Dateinamen."},
    {"ListBox4", u"Liste mit den neuen Zeiten."},
};

// Shows a wrapped hint without its carriage returns: the lines of a hint are joined by LF CR,
// and Qt would draw each CR as a blank at the start of the next line.
class THintShower : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
    auto* control = qobject_cast<QWidget*>(AWatched);
    if (AEvent->type() != QEvent::ToolTip || !control || !control->toolTip().contains(QLatin1Char('\r'))) return false;
    const auto* help = static_cast<QHelpEvent*>(AEvent);
    QToolTip::showText(help->globalPos(), QString(control->toolTip()).remove(QLatin1Char('\r')), control, {},
                       control->toolTipDuration());
    return true;
  }
};

}  // namespace

void TFormMain::SetDesignedHints() {
  auto* shower = new THintShower(this);
  for (const THint& hint : DesignedHints) {
    if (auto* control = findChild<QWidget*>(QLatin1String(hint.Control))) {
      control->setToolTip(QString::fromUtf16(hint.Text));
      control->setToolTipDuration(HintHideMs);
      control->installEventFilter(shower);
    }
  }
}

void TFormMain::WrapHints() {
  // Only controls with a window of their own are wrapped; the info button is drawn by its
  // parent on the original platform, so its hint keeps its one line.
  for (QWidget* control : findChildren<QWidget*>()) {
    if (control == SpeedButton1 || control->toolTip().isEmpty()) continue;
    control->setToolTip(AutoCrLF(control->toolTip(), 60));
  }
}

}  // namespace kavio::app

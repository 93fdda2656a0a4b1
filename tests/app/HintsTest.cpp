#include "AppTestSupport.h"
#include "app/AutoCrLF.h"

using namespace kavio;

TEST(AutoCrLFTest, Table) {
  const QString x60(60, QLatin1Char('x'));
  struct TCase {
    const char* Name;
    QString Text;
    QString Wrapped;
  } const cases[] = {
      {"short_hint_stays_one_line", "kleiner Hilfstext", "kleiner Hilfstext"},
      {"ends_trimmed", " \t kleiner Hilfstext \r\n", "kleiner Hilfstext"},
      {"empty", "", ""},
      // The rest is exactly 60 characters long: still broken at its last blank.
      {"exactly_60_left", "Die Liste zeigt alle Dateien des Ordners mit der Endung eml.",
       "Die Liste zeigt alle Dateien des Ordners mit der Endung\n\reml."},
      {"lines_joined_by_lf_cr",
       u8"Sie können den Dateinamen das Datum in der Form JJJJMMTT_ voranstellen oder diese Markierung wieder "
       u8"enfernen.",
       u8"Sie können den Dateinamen das Datum in der Form JJJJMMTT_\n\rvoranstellen oder diese Markierung wieder "
       u8"enfernen."},
      // A run of 60 or more characters without a blank is broken after 60 characters.
      {"long_run", x60 + x60 + "xxxxxxxxxx", x60 + "\n\r" + x60 + "\n\rxxxxxxxxxx"},
      {"long_run_after_a_word", "ab " + x60 + "yy", "ab\n\r" + x60 + "\n\ryy"},
  };
  for (const auto& c : cases) EXPECT_EQ(app::AutoCrLF(c.Text, 60), c.Wrapped) << c.Name;
}

TEST(AutoCrLFTest, NoLineLongerThanTheLimit) {
  const QString text = QString::fromUtf8(
      "Die Datei liegt im Microsoft-Format vor und wird über Outlook eingelesen und interpretiert (Sie können eine "
      "Aufforderung bekommen dem Programm für 10 Minuten den Zugriff auf Outlook zu erlauben).");
  const QStringList lines = app::AutoCrLF(text, 60).split(QStringLiteral("\n\r"));
  EXPECT_GT(lines.size(), 2);
  for (const QString& line : lines) EXPECT_LE(line.size(), 60) << line.toStdString();
  EXPECT_EQ(lines.join(QLatin1Char(' ')), text);
}

TEST_F(FormMainTest, HintsWrappedAtTheFirstShowing) {
  // Wrapped once when the window was first shown (by the fixture).
  EXPECT_EQ(Control("CheckBoxPreString")->toolTip(),
            QString::fromUtf8("Sie können den Dateinamen das Datum in der Form JJJJMMTT_\n\rvoranstellen oder diese "
                              "Markierung wieder enfernen."));
  EXPECT_EQ(Control("ButtonDoIt")->toolTip(),
            QString::fromUtf8("Starten der Änderung. Das Dateidatum und evtl. der\n\rDateiname werden geändert."));
  EXPECT_EQ(Control("ListBox4")->toolTip(), "Liste mit den neuen Zeiten.");
  EXPECT_TRUE(Control("JvDirectoryEditSrc")->toolTip().contains("\"hineingezogen\""));
  EXPECT_EQ(Control("JvRadioGroup1")->toolTip(),
            "Wählen Sie aus ob Dateien mit der Endung *.eml oder *.msg\n\rbearbeitet werden.");
  // The info button keeps its hint as it is.
  EXPECT_EQ(Control("SpeedButton1")->toolTip(), "kleiner Hilfstext");
  for (const char* name : {"SpeedButton1", "JvDirectoryEditSrc", "CheckBoxBackup", "JvRadioButtonMsg_Outlook",
                           "FileListBox1", "ListBox2", "ListBox3"}) {
    EXPECT_FALSE(Control(name)->toolTip().isEmpty()) << name;
    EXPECT_EQ(Control(name)->toolTipDuration(), 10000) << name;
  }
  // Hiding and showing again does not wrap a second time.
  const QString before = Control("JvRadioButtonMsg_Outlook")->toolTip();
  Form.hide();
  Form.show();
  EXPECT_EQ(Control("JvRadioButtonMsg_Outlook")->toolTip(), before);
}

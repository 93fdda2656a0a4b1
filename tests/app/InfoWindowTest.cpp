#include "AppTestSupport.h"
#include "app/TFormInfo.h"

#include <QApplication>
#include <QTimer>
#include <QToolButton>

using namespace kavio;

TEST(InfoTextTest, TwentySixLinesEndedByCrLf) {
  const QString text = app::TFormInfo::InfoText();
  EXPECT_TRUE(text.endsWith("\r\n"));
  const QStringList lines = text.chopped(2).split("\r\n");
  ASSERT_EQ(lines.size(), 26);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Das Programm bearbeitet die Dateieigenschaften von exportieren  ");
  EXPECT_EQ(lines[3], QString::fromUtf8("Der Dateiinhalt wird dabei nicht verändert. "));
  EXPECT_EQ(lines[4], " ");
  EXPECT_EQ(lines[6], QString::fromUtf8("Empfangs der  Email ändern und das Emaildatum kann dem Dateinamen  "));
  EXPECT_EQ(lines[19], "z.B. 20141219_171646_EmailBackup.zip ");
  EXPECT_EQ(lines[20], "Aktivieren Sie dazu die Option \"Backup erstellen\". ");
  EXPECT_EQ(lines[21] + lines[22] + lines[23], "   ");
  EXPECT_FALSE(lines[24].trimmed().isEmpty());
  EXPECT_FALSE(lines[25].trimmed().isEmpty());
  EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n")));
}

TEST_F(FormMainTest, InfoWindowMadeAtTheFirstClickAndModalEachTime) {
  EXPECT_EQ(Form.FormInfo(), nullptr);
  EXPECT_EQ(Form.findChildren<app::TFormInfo*>().size(), 0);
  struct TSeen {
    QWidget* Modal = nullptr;
    Qt::WindowFlags Flags;
    QString Text;
  };
  QList<TSeen> seen;
  auto click = [&](const QString& ATyped) {
    // Runs inside the modal loop of the info window: look at it, type, close it.
    QTimer::singleShot(0, &Form, [&seen, ATyped] {
      auto* modal = QApplication::activeModalWidget();
      auto* info = qobject_cast<app::TFormInfo*>(modal);
      seen.append({modal, modal ? modal->windowFlags() : Qt::WindowFlags(), info ? info->Memo1->toPlainText() : ""});
      if (info) {
        info->Memo1->moveCursor(QTextCursor::Start);
        info->Memo1->insertPlainText(ATyped);
      }
      if (modal) modal->close();
    });
    Control<QToolButton>("SpeedButton1")->click();
  };
  click("Neu");
  app::TFormInfo* first = Form.FormInfo();
  ASSERT_NE(first, nullptr);
  click("");
  EXPECT_EQ(Form.FormInfo(), first);
  EXPECT_EQ(Form.findChildren<app::TFormInfo*>().size(), 1);

  ASSERT_EQ(seen.size(), 2);
  for (const TSeen& s : seen) {
    EXPECT_EQ(s.Modal, first);
    EXPECT_TRUE(s.Flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(s.Flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(s.Flags & Qt::WindowMaximizeButtonHint);
  }
  EXPECT_EQ(first->windowTitle(), "Info");
  // The text of the first showing; what was typed stays for the next one.
  EXPECT_EQ(seen[0].Text, app::TFormInfo::InfoText().replace("\r\n", "\n"));
  EXPECT_EQ(seen[1].Text, "Neu" + seen[0].Text);
  EXPECT_FALSE(first->Memo1->isReadOnly());
  EXPECT_EQ(first->Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

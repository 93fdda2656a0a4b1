#include "AppTestSupport.h"
#include "components/TLumoInternetUpdate.h"

#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

using namespace kavio;

namespace {

class UpdateCheckTest : public test::FormMainTest {
 protected:
  void Press(Qt::MouseButton AButton, Qt::KeyboardModifiers AModifiers = Qt::NoModifier,
             QEvent::Type AType = QEvent::MouseButtonPress) {
    QToolButton* button = Form.SpeedButton1;
    const QPointF at(button->width() / 2.0, button->height() / 2.0);
    QMouseEvent event(AType, at, button->mapToGlobal(at), AButton, AButton, AModifiers);
    QCoreApplication::sendEvent(button, &event);
    QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), AButton, Qt::NoButton, AModifiers);
    QCoreApplication::sendEvent(button, &release);
  }
  int Questions() const {
    int count = 0;
    for (const auto& request : Dialogs.Requests) count += request.Text == "Soll überprüft werden ob ein Update vorliegt ?";
    return count;
  }
};

}  // namespace

TEST_F(UpdateCheckTest, TheComponentOfTheWindow) {
  EXPECT_EQ(Form.LumoInternetUpdate1->WebVersionFileName, "kavio.ver");
  EXPECT_EQ(Form.LumoInternetUpdate1->WebDownloadFileName, "Kavio.zip");
  EXPECT_FALSE(Form.LumoInternetUpdate1->ProgramRestart);
  EXPECT_EQ(Form.LumoInternetUpdate1->GetVersion(), "1.2");
  EXPECT_EQ(Form.TimerRightDblClk->interval(), 1000);
  EXPECT_FALSE(Form.TimerRightDblClk->isActive());
}

TEST_F(UpdateCheckTest, TwoRightPressesWithinASecondAsk) {
  Press(Qt::RightButton);
  EXPECT_EQ(Questions(), 0);
  EXPECT_TRUE(Form.TimerRightDblClk->isActive());
  Press(Qt::RightButton);  // answered Nein, the default
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(Dialogs.Requests.last().Title, "Bestätigen");
  Press(Qt::RightButton);  // a third press within the same second asks again
  EXPECT_EQ(Questions(), 2);
  EXPECT_EQ(Dialogs.Requests.size(), 2);  // and Nein did nothing more
}

TEST_F(UpdateCheckTest, OtherPressesDoNotAsk) {
  Press(Qt::RightButton);
  Press(Qt::RightButton, Qt::ControlModifier);
  Press(Qt::RightButton, Qt::NoModifier, QEvent::MouseButtonDblClick);  // the second press of a double click
  EXPECT_EQ(Questions(), 0);
  // A second later the timer has run out: the next press only arms it again.
  Form.TimerRightDblClkTimer();
  EXPECT_FALSE(Form.TimerRightDblClk->isActive());
  Press(Qt::RightButton);
  EXPECT_EQ(Questions(), 0);
}

TEST_F(UpdateCheckTest, YesRunsTheUpdateCheck) {
  // A server that is not there: the check reports that it could not connect.
  Form.LumoInternetUpdate1->SetWebAddress("http://127.0.0.1:1/update/");
  Dialogs.Answer = [](const app::TDialogRequest& ARequest) {
    return ARequest.Type == app::TMsgDlgType::Confirmation ? app::TMsgDlgBtn::Yes : ARequest.Default;
  };
  Press(Qt::RightButton);
  Press(Qt::RightButton);
  ASSERT_EQ(Dialogs.Requests.size(), 2);
  EXPECT_EQ(Dialogs.Requests[1].Title, "Fehler");
  EXPECT_EQ(Dialogs.Requests[1].Text, "Es konnte keine Verbindung zum Updateserver hergestellt werden. Abbruch.");
}

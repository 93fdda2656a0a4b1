// The update check of the window: two right presses on the info button less than a second
// apart ask whether to look for a newer version; on Yes the update component runs.

#include "app/MessageDialogs.h"
#include "app/TFormMain.h"
#include "app/TWindowUpdateHost.h"
#include "components/TLumoInternetUpdate.h"

#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

namespace kavio::app {

namespace {

// Hands the presses on the info button to the window. A double click arrives as its own event
// type, so its second press never counts.
class TPressFilter : public QObject {
 public:
  TPressFilter(QObject* AParent, std::function<void(QMouseEvent*)> APress)
      : QObject(AParent), FPress(std::move(APress)) {}

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
    if (AEvent->type() == QEvent::MouseButtonPress) FPress(static_cast<QMouseEvent*>(AEvent));
    return QObject::eventFilter(AWatched, AEvent);
  }

 private:
  std::function<void(QMouseEvent*)> FPress;
};

}  // namespace

void TFormMain::CreateUpdateCheck() {
  TimerRightDblClk = new QTimer(this);
  TimerRightDblClk->setObjectName(QStringLiteral("TimerRightDblClk"));
  TimerRightDblClk->setInterval(1000);
  connect(TimerRightDblClk, &QTimer::timeout, this, [this] { TimerRightDblClkTimer(); });

  FUpdateHost = std::make_unique<TWindowUpdateHost>();
  LumoInternetUpdate1 = new components::TLumoInternetUpdate(*FUpdateHost, this);
  LumoInternetUpdate1->setObjectName(QStringLiteral("LumoInternetUpdate1"));
  LumoInternetUpdate1->SetWebAddress(QStringLiteral("kavio.example.org/update"));
  LumoInternetUpdate1->WebVersionFileName = QStringLiteral("kavio.ver");
  LumoInternetUpdate1->WebDownloadFileName = QStringLiteral("Kavio.zip");
  LumoInternetUpdate1->ProgramRestart = false;

  SpeedButton1->installEventFilter(new TPressFilter(this, [this](QMouseEvent* AEvent) { SpeedButton1MouseDown(AEvent); }));
}

void TFormMain::SpeedButton1MouseDown(QMouseEvent* AEvent) {
  // The right button alone: no other button, no Shift, Ctrl or Alt.
  if (AEvent->buttons() != Qt::RightButton || AEvent->modifiers() != Qt::NoModifier) return;
  if (TimerRightDblClk->isActive()) {
    if (Confirm(QStringLiteral("Soll überprüft werden ob ein Update vorliegt ?"))) LumoInternetUpdate1->InternetUpdate(SpeedButton1);
  } else {
    TimerRightDblClk->start();
  }
}

void TFormMain::TimerRightDblClkTimer() { TimerRightDblClk->stop(); }

}  // namespace kavio::app

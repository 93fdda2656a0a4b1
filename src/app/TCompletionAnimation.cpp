#include "app/TCompletionAnimation.h"

#include <QCoreApplication>
#include <QThread>

namespace kavio::app {

TCompletionAnimation::TCompletionAnimation(QLabel* AAnimator, QWidget* AGroupBox1, QWidget* AButtonDoIt,
                                           QObject* AOwner)
    : QObject(AOwner), JvGIFAnimator1(AAnimator), FGroupBox1(AGroupBox1), FButtonDoIt(AButtonDoIt) {
  Movie = new QMovie(QStringLiteral(":/kavio/ComplAnim.gif"), QByteArray(), this);
  Movie->setCacheMode(QMovie::CacheAll);
  JvGIFAnimator1->setMovie(Movie);
  JvGIFAnimator1->setScaledContents(true);
  JvGIFAnimator1->setAlignment(Qt::AlignCenter);
  JvGIFAnimator1->hide();
  TimerAnimation = new QTimer(AOwner);
  TimerAnimation->setObjectName(QStringLiteral("TimerAnimation"));
  TimerAnimation->setInterval(ShowMs);
  QObject::connect(TimerAnimation, &QTimer::timeout, this, [this] { TimerAnimationTimer(); });
}

int TCompletionAnimation::StepSize(int AH, int AK) {
  // In whole numbers, so that an exact half is recognised as one.
  const long long n = static_cast<long long>(AH) * AK;
  long long q = n / Steps;
  const long long twiceRest = 2 * (n % Steps);
  if (twiceRest > Steps || (twiceRest == Steps && q % 2 != 0)) ++q;
  return static_cast<int>(q);
}

void TCompletionAnimation::SetSide(int ASide) {
  JvGIFAnimator1->resize(ASide, ASide);
  if (OnStep) OnStep(ASide);
  JvGIFAnimator1->repaint();
  QCoreApplication::processEvents();
  QThread::msleep(StepMs);
}

void TCompletionAnimation::Start() {
  FHeight = FGroupBox1->height();
  JvGIFAnimator1->move(FButtonDoIt->x() - FHeight - 10, 1);
  JvGIFAnimator1->resize(0, 0);
  JvGIFAnimator1->show();
  JvGIFAnimator1->raise();
  Movie->start();
  for (int k = 1; k <= Steps; ++k) SetSide(StepSize(FHeight, k));
  JvGIFAnimator1->resize(FHeight, FHeight);
  TimerAnimation->start();
}

void TCompletionAnimation::TimerAnimationTimer() {
  TimerAnimation->stop();
  for (int k = Steps; k >= 0; --k) SetSide(StepSize(FHeight, k));
  Movie->stop();
  JvGIFAnimator1->hide();
}

}  // namespace kavio::app

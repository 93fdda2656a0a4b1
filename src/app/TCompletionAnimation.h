#pragma once
// The animation that follows an apply run: a looping picture in the options group that grows
// from its top-left corner to a square of the group's height, stays for TimerAnimation's
// interval, and shrinks back into its corner.

#include <QLabel>
#include <QList>
#include <QMovie>
#include <QObject>
#include <QTimer>
#include <functional>

namespace kavio::app {

class TCompletionAnimation : public QObject {
 public:
  static constexpr int Steps = 50;
  static constexpr int StepMs = 10;
  static constexpr int ShowMs = 3000;

  // AAnimator is the hidden picture inside AGroupBox1; the square ends 10 pixels left of
  // AButtonDoIt. TimerAnimation is owned by AOwner.
  TCompletionAnimation(QLabel* AAnimator, QWidget* AGroupBox1, QWidget* AButtonDoIt, QObject* AOwner);

  // Grows the picture in 50 steps, then starts TimerAnimation. Every step handles the pending
  // events and waits 10 ms.
  void Start();
  // TimerAnimation's tick: shrinks the picture in 51 steps, then stops and hides it.
  void TimerAnimationTimer();

  // The side of the square at step AK of AH: the whole number nearest to AH / 50 × AK, an exact
  // half going to the even number.
  static int StepSize(int AH, int AK);

  // Told the side of the square at every step (for tests).
  std::function<void(int)> OnStep;

  QLabel* JvGIFAnimator1;
  QMovie* Movie;
  QTimer* TimerAnimation;

 private:
  void SetSide(int ASide);
  QWidget* FGroupBox1;
  QWidget* FButtonDoIt;
  int FHeight = 0;
};

}  // namespace kavio::app

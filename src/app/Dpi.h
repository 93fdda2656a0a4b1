#pragma once
// Sizes as designed at 96 pixels per inch, scaled to the screen's logical DPI.

#include <QtGlobal>

namespace kavio::app {

class TDpi {
 public:
  // The factor of the primary screen (1 without a screen).
  static TDpi OfPrimaryScreen();
  explicit TDpi(double AFactor = 1.0) : FFactor(AFactor) {}

  int operator()(int ADesigned) const { return qRound(ADesigned * FFactor); }
  double Factor() const { return FFactor; }

 private:
  double FFactor;
};

}  // namespace kavio::app

#pragma once
// A push button whose caption wraps over several lines at blanks, centred.

#include <QPushButton>

namespace kavio::app {

class TWrapButton : public QPushButton {
  Q_OBJECT

 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* AEvent) override;
};

}  // namespace kavio::app

#include "app/TListBox.h"

#include <QScopedValueRollback>

namespace kavio::app {

void TListBox::mousePressEvent(QMouseEvent* AEvent) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  QListWidget::mousePressEvent(AEvent);
}

void TListBox::mouseMoveEvent(QMouseEvent* AEvent) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  QListWidget::mouseMoveEvent(AEvent);
}

void TListBox::mouseReleaseEvent(QMouseEvent* AEvent) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  QListWidget::mouseReleaseEvent(AEvent);
}

void TListBox::mouseDoubleClickEvent(QMouseEvent* AEvent) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  QListWidget::mouseDoubleClickEvent(AEvent);
}

void TListBox::keyPressEvent(QKeyEvent* AEvent) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  QListWidget::keyPressEvent(AEvent);
}

}  // namespace kavio::app

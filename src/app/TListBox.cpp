#include "app/TListBox.h"

#include <QScopedValueRollback>

namespace kavio::app {

template <typename THandler>
void TListBox::AsUserInput(THandler AHandler) {
  QScopedValueRollback<int> input(FUserInput, FUserInput + 1);
  AHandler();
}

void TListBox::mousePressEvent(QMouseEvent* AEvent) {
  AsUserInput([&] { QListWidget::mousePressEvent(AEvent); });
}
void TListBox::mouseMoveEvent(QMouseEvent* AEvent) {
  AsUserInput([&] { QListWidget::mouseMoveEvent(AEvent); });
}
void TListBox::mouseReleaseEvent(QMouseEvent* AEvent) {
  AsUserInput([&] { QListWidget::mouseReleaseEvent(AEvent); });
}
void TListBox::mouseDoubleClickEvent(QMouseEvent* AEvent) {
  AsUserInput([&] { QListWidget::mouseDoubleClickEvent(AEvent); });
}
void TListBox::keyPressEvent(QKeyEvent* AEvent) {
  AsUserInput([&] { QListWidget::keyPressEvent(AEvent); });
}

}  // namespace kavio::app

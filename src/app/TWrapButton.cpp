#include "app/TWrapButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kavio::app {

void TWrapButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 2, -2, -2);
  painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, option.palette, isEnabled(),
                       caption, QPalette::ButtonText);
}

}  // namespace kavio::app

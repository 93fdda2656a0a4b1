#include "app/Anchors.h"

#include <QEvent>

namespace kavio::app {

TRightAnchors::TRightAnchors(QWidget* AParent, int ADesignWidth)
    : QObject(AParent), FParent(AParent), FDesignWidth(ADesignWidth) {
  AParent->installEventFilter(this);
}

void TRightAnchors::Add(QWidget* AControl, TMode AMode) {
  const QRect r = AControl->geometry();
  FEntries.append({AControl, AMode, FDesignWidth - r.x() - r.width()});
  Apply();
}

void TRightAnchors::Apply() {
  const int width = FParent->width();
  for (const TEntry& entry : FEntries) {
    if (!entry.Control) continue;
    QRect r = entry.Control->geometry();
    if (entry.Mode == TMode::Stretch)
      r.setWidth(std::max(0, width - entry.RightGap - r.x()));
    else
      r.moveLeft(width - entry.RightGap - r.width());
    entry.Control->setGeometry(r);
  }
}

bool TRightAnchors::eventFilter(QObject* AWatched, QEvent* AEvent) {
  if (AWatched == FParent && AEvent->type() == QEvent::Resize) Apply();
  return false;
}

}  // namespace kavio::app

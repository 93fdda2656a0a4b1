#pragma once
// Controls placed at fixed positions inside a parent, as designed, that keep their distance to
// the parent's right edge when it is resized: either by growing ("stretches") or by moving at a
// fixed size ("stays right").

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace kavio::app {

class TRightAnchors : public QObject {
 public:
  enum class TMode { Stretch, StayRight };

  // Watches AParent, whose designed width is ADesignWidth.
  TRightAnchors(QWidget* AParent, int ADesignWidth);

  // AControl as it is placed now (its geometry at the designed width of the parent).
  void Add(QWidget* AControl, TMode AMode);

  // Places the controls for the parent's current width.
  void Apply();

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

 private:
  struct TEntry {
    QPointer<QWidget> Control;
    TMode Mode;
    int RightGap;
  };
  QWidget* FParent;
  int FDesignWidth;
  QList<TEntry> FEntries;
};

}  // namespace kavio::app

#pragma once
// A list pane of the main window. It tells whether a change of its selection comes from the
// user (a mouse or key event it is handling) or from the program.

#include <QListWidget>

namespace kavio::app {

class TListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TListBox(QWidget* AParent = nullptr) : QListWidget(AParent) {}

  // True while the pane handles a mouse or key event of the user.
  bool InUserInput() const { return FUserInput > 0; }

 protected:
  void mousePressEvent(QMouseEvent* AEvent) override;
  void mouseMoveEvent(QMouseEvent* AEvent) override;
  void mouseReleaseEvent(QMouseEvent* AEvent) override;
  void mouseDoubleClickEvent(QMouseEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;

 private:
  template <typename THandler>
  void AsUserInput(THandler AHandler);

  int FUserInput = 0;
};

}  // namespace kavio::app

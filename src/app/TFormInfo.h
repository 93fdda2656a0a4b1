#pragma once
// The info window: one text box with a fixed German text about the program. The text is put in
// once, when the window is created; what the user types stays until the program ends and is
// not saved.

#include <QDialog>
#include <QPlainTextEdit>

namespace kavio::app {

class TFormInfo : public QDialog {
  Q_OBJECT

 public:
  explicit TFormInfo(QWidget* AParent = nullptr);

  // The info text: 26 lines, each ended by CR LF.
  static QString InfoText();

  void FormCreate();

  QPlainTextEdit* Memo1;
};

}  // namespace kavio::app

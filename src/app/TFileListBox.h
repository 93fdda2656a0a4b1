#pragma once
// The name pane: the mail files of one folder that match a mask, as ListMailFiles lists them
// (plain regular files, no hidden files or links, the mask without regard to case, sorted
// without regard to case by the locale). Pointing it at a folder or changing its mask re-reads
// the folder at once, and every re-read makes the folder the process's current folder.

#include "app/TListBox.h"

#include <QStringList>

namespace kavio::app {

class TFileListBox : public TListBox {
  Q_OBJECT

 public:
  explicit TFileListBox(QWidget* AParent = nullptr);

  QString Directory() const { return FDirectory; }
  // One pattern ("*.eml") or several separated by ";" ("*.eml;*.msg").
  QString Mask() const { return FMask; }
  // Both re-read the folder, also when the value stays the same.
  void SetDirectory(const QString& AFolder);
  void SetMask(const QString& AMask);
  // Re-reads the folder; an empty or missing folder gives no rows.
  void Update();
  // clear() (of the list) empties the pane and keeps the folder; this one forgets the folder too.
  void ClearFolder();

  QStringList FileNames() const;

 private:
  QString FDirectory;
  QString FMask = QStringLiteral("*.eml");
};

}  // namespace kavio::app

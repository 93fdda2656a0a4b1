#pragma once
// The name pane: the mail files of one folder that match a mask, as ListMailFiles lists them.
// Pointing it at a folder or changing its mask re-reads the folder at once.

#include <QListWidget>
#include <QStringList>

namespace kavio::app {

class TFileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit TFileListBox(QWidget* AParent = nullptr);

  QString Directory() const { return FDirectory; }
  QString Mask() const { return FMask; }
  // Both re-read the folder, also when the value stays the same.
  void SetDirectory(const QString& AFolder);
  void SetMask(const QString& AMask);
  // Re-reads the folder; an empty or missing folder gives no rows.
  void Update();
  // Forgets the folder and empties the pane.
  void ClearFolder();

  QStringList FileNames() const;

 private:
  QString FDirectory;
  QString FMask = QStringLiteral("*.eml");
};

}  // namespace kavio::app

#pragma once
// The folder field: a one-line edit with a folder button at its right end that opens the
// folder-browse dialog (Alt+Down does the same), completion of folder names while typing, a
// context menu of the window's in place of the edit menu, and a drop target for files and
// folders from the file manager. Its text is the folder text; it changes through setText and
// reports through textChanged like any QLineEdit.

#include <QLineEdit>
#include <functional>

class QAction;
class QCompleter;
class QMenu;

namespace kavio::app {

// Answers the folder-browse dialog: AStartFolder is where it opens; the confirmed folder, or an
// empty text on cancel.
using TBrowseFolderHook = std::function<QString(QWidget* AParent, const QString& AStartFolder)>;
// Installs the hook (an empty one shows the real dialog again); returns the one it replaces.
TBrowseFolderHook SetBrowseFolderHook(TBrowseFolderHook AHook);

class TDirectoryEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TDirectoryEdit(QWidget* AParent = nullptr);

  // The menu shown on a right click instead of the edit menu; none keeps the edit menu.
  void SetPopupMenu(QMenu* AMenu) { FPopupMenu = AMenu; }
  QMenu* PopupMenu() const { return FPopupMenu; }

  // Opens the browse dialog at BrowseStartFolder, gives the field the focus again and, when a
  // folder was confirmed, makes it the text.
  void Browse();
  // Makes the folder that a drop of AUrls names the text; false (and no change) when it names
  // none.
  bool DropUrls(const QList<QUrl>& AUrls);

  QAction* ButtonAction() const { return FButton; }
  // The folder last confirmed in the browse dialog of this field.
  QString LastChosenFolder() const { return FLastChosen; }

 protected:
  void keyPressEvent(QKeyEvent* AEvent) override;
  void contextMenuEvent(QContextMenuEvent* AEvent) override;
  void dragEnterEvent(QDragEnterEvent* AEvent) override;
  void dragMoveEvent(QDragMoveEvent* AEvent) override;
  void dropEvent(QDropEvent* AEvent) override;

 private:
  QAction* FButton = nullptr;
  QMenu* FPopupMenu = nullptr;
  QString FLastChosen;
};

// Lets a widget take drops of files and folders from the file manager, as the folder field
// does: a drop sets AEdit's text. For widgets that scroll, pass the viewport.
void AcceptFolderDrops(QWidget* ATarget, TDirectoryEdit* AEdit);

}  // namespace kavio::app

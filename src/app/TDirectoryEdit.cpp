#include "app/TDirectoryEdit.h"

#include "app/SourceFolder.h"

#include <QAction>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QStyle>
#include <utility>

namespace kavio::app {

namespace {

TBrowseFolderHook& BrowseHook() {
  static TBrowseFolderHook hook;
  return hook;
}

QString BrowseForFolder(QWidget* AParent, const QString& AStartFolder) {
  if (BrowseHook()) return BrowseHook()(AParent, AStartFolder);
  return QFileDialog::getExistingDirectory(AParent, QStringLiteral("Ordner auswählen"), AStartFolder,
                                           QFileDialog::ShowDirsOnly);
}

// A drop the field takes: local files or folders; the first item decides.
bool HoldsFolderDrop(const QMimeData* AData) {
  return AData && AData->hasUrls() && !DroppedFolder(AData->urls()).isEmpty();
}

// Takes drops of files and folders on another widget for the folder field.
class TFolderDropFilter : public QObject {
 public:
  TFolderDropFilter(QObject* AParent, TDirectoryEdit* AEdit) : QObject(AParent), FEdit(AEdit) {}

 protected:
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override {
    switch (AEvent->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(AEvent);
        if (!HoldsFolderDrop(drag->mimeData())) return QObject::eventFilter(AWatched, AEvent);
        drag->acceptProposedAction();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(AEvent);
        if (!HoldsFolderDrop(drop->mimeData())) return QObject::eventFilter(AWatched, AEvent);
        drop->acceptProposedAction();
        if (FEdit) FEdit->DropUrls(drop->mimeData()->urls());
        return true;
      }
      default:
        return QObject::eventFilter(AWatched, AEvent);
    }
  }

 private:
  QPointer<TDirectoryEdit> FEdit;
};

}  // namespace

TBrowseFolderHook SetBrowseFolderHook(TBrowseFolderHook AHook) { return std::exchange(BrowseHook(), std::move(AHook)); }

TDirectoryEdit::TDirectoryEdit(QWidget* AParent) : QLineEdit(AParent) {
  FButton = addAction(style()->standardIcon(QStyle::SP_DirIcon), QLineEdit::TrailingPosition);
  FButton->setObjectName(QStringLiteral("JvDirectoryEditSrcButton"));
  FButton->setToolTip(QStringLiteral("Ordner auswählen (Alt+Pfeil nach unten)"));
  connect(FButton, &QAction::triggered, this, [this] { Browse(); });

  // Folder names only, completed from the file system while typing.
  auto* completer = new QCompleter(this);
  auto* folders = new QFileSystemModel(completer);
  folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  folders->setRootPath(QString());
  completer->setModel(folders);
  completer->setCaseSensitivity(Qt::CaseSensitive);
  setCompleter(completer);
  // The model reads a folder only once asked for it, and in the background: ask for the folder
  // being typed in, and offer its names once it has been read.
  connect(this, &QLineEdit::textEdited, folders, [folders](const QString& AText) {
    const qsizetype slash = AText.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) folders->index(slash == 0 ? QStringLiteral("/") : AText.left(slash));
  });
  connect(folders, &QFileSystemModel::directoryLoaded, this, [this, completer](const QString& AFolder) {
    if (hasFocus() && completer->completionPrefix() == text() && text().startsWith(AFolder)) completer->complete();
  });

  setAcceptDrops(true);
}

void TDirectoryEdit::Browse() {
  const QString chosen = BrowseForFolder(this, BrowseStartFolder(text(), FLastChosen));
  setFocus(Qt::OtherFocusReason);
  if (chosen.isEmpty()) return;
  FLastChosen = chosen;
  setText(chosen);  // no change, and no scan, when it is the folder already there
}

bool TDirectoryEdit::DropUrls(const QList<QUrl>& AUrls) {
  const QString folder = DroppedFolder(AUrls);
  if (folder.isEmpty()) return false;
  setText(folder);
  return true;
}

void TDirectoryEdit::keyPressEvent(QKeyEvent* AEvent) {
  if (AEvent->key() == Qt::Key_Down && AEvent->modifiers() == Qt::AltModifier) {
    AEvent->accept();
    Browse();
    return;
  }
  QLineEdit::keyPressEvent(AEvent);
}

void TDirectoryEdit::contextMenuEvent(QContextMenuEvent* AEvent) {
  if (!FPopupMenu) {
    QLineEdit::contextMenuEvent(AEvent);
    return;
  }
  AEvent->accept();
  FPopupMenu->exec(AEvent->globalPos());
}

void TDirectoryEdit::dragEnterEvent(QDragEnterEvent* AEvent) {
  if (HoldsFolderDrop(AEvent->mimeData()))
    AEvent->acceptProposedAction();
  else
    QLineEdit::dragEnterEvent(AEvent);
}

void TDirectoryEdit::dragMoveEvent(QDragMoveEvent* AEvent) {
  if (HoldsFolderDrop(AEvent->mimeData()))
    AEvent->acceptProposedAction();
  else
    QLineEdit::dragMoveEvent(AEvent);
}

void TDirectoryEdit::dropEvent(QDropEvent* AEvent) {
  if (!HoldsFolderDrop(AEvent->mimeData())) {
    QLineEdit::dropEvent(AEvent);
    return;
  }
  AEvent->acceptProposedAction();
  DropUrls(AEvent->mimeData()->urls());
}

void AcceptFolderDrops(QWidget* ATarget, TDirectoryEdit* AEdit) {
  ATarget->setAcceptDrops(true);
  ATarget->installEventFilter(new TFolderDropFilter(ATarget, AEdit));
}

}  // namespace kavio::app

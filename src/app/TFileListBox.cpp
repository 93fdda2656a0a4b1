#include "app/TFileListBox.h"

#include "rename/FolderListing.h"

#include <QDir>

namespace kavio::app {

TFileListBox::TFileListBox(QWidget* AParent) : TListBox(AParent) {}

void TFileListBox::SetDirectory(const QString& AFolder) {
  FDirectory = AFolder;
  Update();
}

void TFileListBox::SetMask(const QString& AMask) {
  FMask = AMask;
  Update();
}

void TFileListBox::Update() {
  clear();
  if (FDirectory.isEmpty()) return;
  // The window's own use of bare names relies on it; a folder that is gone leaves the current
  // folder as it was, and lists nothing.
  QDir::setCurrent(FDirectory);
  addItems(rename::ListMailFiles(FDirectory, FMask));
}

void TFileListBox::ClearFolder() {
  FDirectory.clear();
  clear();
}

QStringList TFileListBox::FileNames() const {
  QStringList names;
  names.reserve(count());
  for (int i = 0; i < count(); ++i) names.append(item(i)->text());
  return names;
}

}  // namespace kavio::app

#include "app/TFileListBox.h"

#include "rename/FolderListing.h"

namespace kavio::app {

TFileListBox::TFileListBox(QWidget* AParent) : QListWidget(AParent) {}

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

#include "app/TStrHolder.h"

#include "rename/FolderListing.h"

namespace kavio::app {

bool TStrHolder::Contains(const QString& AItem) const {
  const QString folded = AItem.toCaseFolded();
  for (const QString& item : FStrings)
    if (item.toCaseFolded() == folded) return true;
  return false;
}

bool TStrHolder::Add(const QString& AItem) {
  if (Contains(AItem)) return false;
  FStrings.append(AItem);
  rename::SortFileNames(FStrings, FLocale);
  return true;
}

void TStrHolder::SetStrings(const QStringList& AItems) {
  FStrings.clear();
  for (const QString& item : AItems)
    if (!Contains(item)) FStrings.append(item);
  rename::SortFileNames(FStrings, FLocale);
}

}  // namespace kavio::app

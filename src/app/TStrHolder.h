#pragma once
// The recent-folders list: kept sorted by the locale's collation without regard to case, without
// duplicates (also without regard to case), without a limit, never shortened.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace kavio::app {

class TStrHolder {
 public:
  explicit TStrHolder(QLocale ALocale = QLocale()) : FLocale(std::move(ALocale)) {}

  // Adds a folder unless the list holds it already, in any case; true when it was added.
  bool Add(const QString& AItem);
  // Replaces the whole list, sorting it and dropping repeated entries.
  void SetStrings(const QStringList& AItems);
  void Clear() { FStrings.clear(); }
  const QStringList& Strings() const { return FStrings; }
  qsizetype Count() const { return FStrings.size(); }
  bool Contains(const QString& AItem) const;

 private:
  QLocale FLocale;
  QStringList FStrings;
};

}  // namespace kavio::app

#include "rename/FolderListing.h"

#include <QCollator>
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace kavio::rename {

namespace {

// Wildcard match without regard to case; "*" matches any run, "?" one character.
bool MatchPattern(QStringView AName, QStringView APattern) {
  qsizetype n = 0, p = 0, starP = -1, starN = 0;
  while (n < AName.size()) {
    if (p < APattern.size() &&
        (APattern[p] == QLatin1Char('?') || APattern[p].toCaseFolded() == AName[n].toCaseFolded())) {
      ++n;
      ++p;
    } else if (p < APattern.size() && APattern[p] == QLatin1Char('*')) {
      starP = p++;
      starN = n;
    } else if (starP >= 0) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < APattern.size() && APattern[p] == QLatin1Char('*')) ++p;
  return p == APattern.size();
}

}  // namespace

bool MatchesMask(const QString& AFileName, const QString& AMask) {
  for (const QStringView pattern : QStringView(AMask).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QStringView trimmed = pattern.trimmed();
    // "*.*" takes every name, also one without a dot, as on the original platform.
    if (trimmed == QLatin1String("*.*") || trimmed == QLatin1String("*")) return true;
    if (MatchPattern(AFileName, trimmed)) return true;
  }
  return false;
}

void SortFileNames(QStringList& ANames, const QLocale& ALocale) {
  QCollator collator(ALocale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  struct TKeyed {
    QCollatorSortKey Key;
    QString Name;
  };
  std::vector<TKeyed> keyed;
  keyed.reserve(static_cast<size_t>(ANames.size()));
  // Qt's collator of the C locale (LANG=C.UTF-8, as on build machines and in containers)
  // compares code points, and its sort keys ignore the case setting: fold the case there.
  const bool codePointCollator = collator.locale().language() == QLocale::C;
  for (const QString& name : ANames)
    keyed.push_back({collator.sortKey(codePointCollator ? name.toCaseFolded() : name), name});
  std::sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
    const int c = a.Key.compare(b.Key);
    if (c != 0) return c < 0;
    return a.Name < b.Name;  // names equal but for case: a fixed order all the same
  });
  for (qsizetype i = 0; i < ANames.size(); ++i) ANames[i] = std::move(keyed[static_cast<size_t>(i)].Name);
}

QStringList ListMailFiles(const QString& AFolder, const QString& AMask, const QLocale& ALocale) {
  QStringList names;
  if (AFolder.isEmpty()) return names;
  DIR* dir = ::opendir(QFile::encodeName(AFolder).constData());
  if (!dir) return names;
  const int dirFd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
    bool regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st {};
      regular = ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
    }
    if (!regular) continue;
    const QString name = QFile::decodeName(entry->d_name);
    if (MatchesMask(name, AMask)) names.append(name);
  }
  ::closedir(dir);
  SortFileNames(names, ALocale);
  return names;
}

}  // namespace kavio::rename

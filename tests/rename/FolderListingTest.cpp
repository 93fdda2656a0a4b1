#include "TestSupport.h"
#include "rename/FolderListing.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kavio;
using namespace kavio::rename;

TEST(FolderListing, MaskMatching) {
  struct TCase {
    const char* Name;
    QString File, Mask;
    bool Expected;
  };
  const TCase cases[] = {
      {"plain", "a.eml", "*.eml", true},        {"case", "A.EML", "*.eml", true},
      {"umlaut_case", u8"Ä.EML", u8"ä*", true}, {"other_ext", "a.msg", "*.eml", false},
      {"ext_prefix", "a.emlx", "*.eml", false}, {"several", "a.msg", "*.eml;*.msg", true},
      {"question", "ab.eml", "a?.eml", true},   {"star_dot_star", "README", "*.*", true},
      {"empty_mask", "a.eml", "", false},       {"star_inside", "x20150203_y.eml", "*2015*_*.eml", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.File, c.Mask), c.Expected) << c.Name;
}

TEST(FolderListing, ListsPlainFilesOnlySortedWithoutCase) {
  QTemporaryDir dir;
  for (const QString& name : QStringList{"b.eml", "A.eml", "c.EML", QString(u8"ä.eml"), "z.msg", ".hidden.eml"}) test::WriteFile(dir.path(), name, "x");
  QDir(dir.path()).mkdir("folder.eml");
  ::symlink("b.eml", QFile::encodeName(dir.path() + "/link.eml").constData());
  ::mkfifo(QFile::encodeName(dir.path() + "/fifo.eml").constData(), 0600);
  EXPECT_EQ(ListMailFiles(dir.path(), "*.eml", QLocale(QStringLiteral("de_DE"))),
            (QStringList{"A.eml", QString(u8"ä.eml"), "b.eml", "c.EML"}));
  // The C locale too: without regard to case (names equal but for case in code-point order).
  QStringList names{"b.eml", "a.eml", "B.eml", "Angebot.eml", "AW_ x.eml"};
  SortFileNames(names, QLocale::c());
  EXPECT_EQ(names, (QStringList{"a.eml", "Angebot.eml", "AW_ x.eml", "B.eml", "b.eml"}));
  EXPECT_EQ(ListMailFiles(dir.path(), "*.msg"), QStringList{"z.msg"});
  EXPECT_TRUE(ListMailFiles(dir.path() + "/missing", "*.eml").isEmpty());
  EXPECT_TRUE(ListMailFiles(QString(), "*.eml").isEmpty());
}

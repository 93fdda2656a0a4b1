// The name pane FileListBox1: it reads its folder by mask and makes it the current folder.

#include "AppTestSupport.h"
#include "app/TFileListBox.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace kavio;

namespace {

class NamePaneTest : public test::FormMainTest {
 protected:
  NamePaneTest() : FOldCurrent(QDir::currentPath()) {}
  ~NamePaneTest() override { QDir::setCurrent(FOldCurrent); }

  app::TFileListBox* NamePane() { return Control<app::TFileListBox>("FileListBox1"); }
  void File(const QString& AName) { test::WriteFile(Dir.path(), AName, "From: a@b\r\n\r\n"); }

  QTemporaryDir Dir;

 private:
  QString FOldCurrent;
};

}  // namespace

TEST_F(NamePaneTest, ListsOnlyPlainVisibleFilesSortedWithoutRegardToCase) {
  for (const char* name : {"b.eml", "A.eml", "c.EML", "Ä.eml", "z.eml.bak", "f.msg", ".hidden.eml"}) File(name);
  ASSERT_TRUE(QDir(Dir.path()).mkdir("d.eml"));                                      // a folder
  ASSERT_TRUE(QFile::link(Dir.filePath("b.eml"), Dir.filePath("e.eml")));            // a link to a file
  ASSERT_TRUE(QFile::link(Dir.filePath("gone.eml"), Dir.filePath("dangling.eml")));  // a link to nothing
  ASSERT_EQ(::mkfifo(QFile::encodeName(Dir.filePath("p.eml")).constData(), 0600), 0);

  NamePane()->SetDirectory(Dir.path());
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"A.eml", QString::fromUtf8("Ä.eml"), "b.eml", "c.EML"}));
  EXPECT_EQ(NamePane()->FileNames(), test::Rows(NamePane()));
  // Every re-read makes the folder the current folder.
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(Dir.path()).canonicalPath());

  // Several patterns, each without regard to case.
  NamePane()->SetMask("*.MSG;*.eml");
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"A.eml", QString::fromUtf8("Ä.eml"), "b.eml", "c.EML", "f.msg"}));
  NamePane()->SetMask("*.msg");
  EXPECT_EQ(test::Rows(NamePane()), QStringList{"f.msg"});
}

TEST_F(NamePaneTest, RereadClearAndAFolderThatIsGone) {
  File("a.eml");
  NamePane()->SetDirectory(Dir.path());
  EXPECT_EQ(test::Rows(NamePane()), QStringList{"a.eml"});

  File("B.eml");
  QDir::setCurrent(QDir::tempPath());
  NamePane()->Update();
  EXPECT_EQ(test::Rows(NamePane()), (QStringList{"a.eml", "B.eml"}));
  EXPECT_EQ(QDir::current().canonicalPath(), QDir(Dir.path()).canonicalPath());

  // Clearing keeps the folder; the next re-read lists it again.
  NamePane()->clear();
  EXPECT_EQ(NamePane()->count(), 0);
  EXPECT_EQ(NamePane()->Directory(), Dir.path());
  NamePane()->Update();
  EXPECT_EQ(NamePane()->count(), 2);

  // A folder that is gone lists nothing.
  const QString folder = Dir.path();
  ASSERT_TRUE(Dir.remove());
  NamePane()->Update();
  EXPECT_EQ(NamePane()->count(), 0);
  EXPECT_EQ(NamePane()->Directory(), folder);
}

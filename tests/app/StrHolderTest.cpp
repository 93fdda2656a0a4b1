#include "app/TStrHolder.h"

#include <gtest/gtest.h>

using kavio::app::TStrHolder;

TEST(StrHolder, SortedWithoutCaseAndWithoutDuplicates) {
  TStrHolder dirs(QLocale(QStringLiteral("de_DE")));
  EXPECT_TRUE(dirs.Add("/home/x/Mails"));
  EXPECT_FALSE(dirs.Add("/home/x/mails"));  // the same folder but for case: one entry
  EXPECT_TRUE(dirs.Add("/home/x/mails/"));  // with a trailing "/": another entry
  EXPECT_TRUE(dirs.Add(QString(u8"/home/x/Ärger")));
  EXPECT_TRUE(dirs.Add("/home/x/archiv"));
  EXPECT_TRUE(dirs.Add(""));
  EXPECT_EQ(dirs.Strings(), (QStringList{"", "/home/x/archiv", QString(u8"/home/x/Ärger"), "/home/x/Mails", "/home/x/mails/"}));
  dirs.SetStrings({"/b", "/A", "/a", "/c"});
  EXPECT_EQ(dirs.Strings(), (QStringList{"/A", "/b", "/c"}));
}

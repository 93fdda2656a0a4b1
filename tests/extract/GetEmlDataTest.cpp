#include "TestSupport.h"
#include "extract/TFormViewMail.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kavio;

TEST(GetEmlData, ReadsTheHeaderBlockOnly) {
  QTemporaryDir dir;
  extract::TFormViewMail viewMail;
  struct TCase {
    const char* Name;
    QByteArray Content;
    QByteArray Expected;
  };
  const QByteArray longHeader = "X-Long: " + QByteArray(5000, 'a') + "\r\n";
  const TCase cases[] = {
      {"crlf", "Subject: a\r\nFrom: b@c\r\n\r\nbody\r\n", "Subject: a\r\nFrom: b@c\r\n\r\n"},
      {"lf", "Subject: a\n\nbody\n", "Subject: a\n\n"},
      {"no_body", "Subject: a\r\n", "Subject: a\r\n"},
      {"empty_line_first", "\r\nSubject: in the body\r\n", "\r\n"},
      // The empty line falls on the border of two reads of 4096 bytes.
      {"blank_across_chunks", QByteArray("S: ") + QByteArray(4091, 'x') + "\r\n\r\nbody", QByteArray("S: ") + QByteArray(4091, 'x') + "\r\n\r\n"},
      {"long_header", longHeader + "\r\nbody", longHeader + "\r\n"},
      {"empty_file", "", ""},
  };
  for (const auto& c : cases) {
    const QString path = test::WriteFile(dir.path(), QString::fromLatin1(c.Name) + ".eml", c.Content);
    QByteArray stream = "left over";
    EXPECT_TRUE(viewMail.GetEmlData(path, stream)) << c.Name;
    EXPECT_EQ(stream, c.Expected) << c.Name;
  }
}

TEST(GetEmlData, CapsTheHeaderBlock) {
  QTemporaryDir dir;
  const QString path = test::WriteFile(dir.path(), "big.eml", QByteArray(3 * 1024 * 1024, 'h'));
  QByteArray stream;
  extract::TFormViewMail viewMail;
  EXPECT_TRUE(viewMail.GetEmlData(path, stream));
  EXPECT_EQ(stream.size(), extract::MaxHeaderBlockBytes);
}

TEST(GetEmlData, MissingOrUnreadableFileFails) {
  QTemporaryDir dir;
  extract::TFormViewMail viewMail;
  QByteArray stream;
  EXPECT_FALSE(viewMail.GetEmlData(dir.path() + "/missing.eml", stream));
  EXPECT_FALSE(viewMail.GetEmlData(dir.path(), stream));  // a folder
  const QString locked = test::WriteFile(dir.path(), "locked.eml", "Subject: x\n\n");
  ::chmod(QFile::encodeName(locked).constData(), 0);
  if (::geteuid() != 0) {
    EXPECT_FALSE(viewMail.GetEmlData(locked, stream));
  }
}

#include "TestSupport.h"
#include "platform/IniFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kavio;
using platform::TIniFile;

TEST(IniFile, NewFileLayout) {
  TIniFile ini;
  ini.WriteInteger("FormMain", "FormVersion", 0);
  ini.WriteString("FormMain", "JvDirectoryEditSrc_Text", u8"/home/anna/Mails Ü");
  ini.WriteBool("FormMain", "CheckBoxPreString_Checked", true);
  ini.WriteString("FormMain\\JvStrHolderDirs_Strings", "Item0", "/home/anna/Mails");
  ini.WriteInteger("FormMain\\JvStrHolderDirs_Strings", "Count", 1);
  ini.WriteBool("FormMain", "JvRadioButtonEml_Checked", false);  // a new key goes to the end of its section
  EXPECT_EQ(ini.ToBytes(), QByteArray("[FormMain]\n"
                                      "FormVersion=0\n"
                                      "JvDirectoryEditSrc_Text=/home/anna/Mails \xc3\x9c\n"
                                      "CheckBoxPreString_Checked=TRUE\n"
                                      "JvRadioButtonEml_Checked=FALSE\n"
                                      "\n"
                                      "[FormMain\\JvStrHolderDirs_Strings]\n"
                                      "Item0=/home/anna/Mails\n"
                                      "Count=1\n"
                                      "\n"));
}

TEST(IniFile, KeepsWhatItDoesNotKnowAndMatchesWithoutCase) {
  TIniFile ini;
  ini.LoadFromBytes("; kept comment\r\n[formmain]\r\n  Flags =  2 \r\nno equals sign\r\n\r\n\r\nFlags=3\r\n"
                    "[Other]\r\nx=1\r\n");
  EXPECT_EQ(ini.ReadString("FormMain", "FLAGS"), "2");  // the first of two, trimmed
  EXPECT_TRUE(ini.SectionExists("FORMMAIN"));
  EXPECT_FALSE(ini.ValueExists("FormMain", "NormPos"));
  ini.WriteInteger("FormMain", "flags", 5);
  ini.WriteString("FormMain", "NormPos", "1,2,3,4");
  EXPECT_EQ(ini.ToBytes(), QByteArray("; kept comment\r\n\r\n[formmain]\r\nFlags=5\r\nno equals sign\r\nFlags=3\r\n"
                                      "NormPos=1,2,3,4\r\n\r\n[Other]\r\nx=1\r\n\r\n"));
  ini.DeleteKey("FormMain", "flags");
  ini.EraseSection("other");
  EXPECT_EQ(ini.ReadSection("FormMain"), QStringList{"NormPos"});
  EXPECT_EQ(ini.Sections(), QStringList{"formmain"});
}

TEST(IniFile, EncodingsAreKept) {
  struct TCase {
    const char* Name;
    QByteArray Data;
    TIniFile::TEncoding Encoding;
  };
  const TCase cases[] = {
      {"utf8", "[S]\nk=\xc3\xa4\n", TIniFile::TEncoding::Utf8},
      {"utf8_bom", "\xEF\xBB\xBF[S]\nk=\xc3\xa4\n", TIniFile::TEncoding::Utf8Bom},
      {"utf16le_bom", QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xe4\0\n\0", 18), TIniFile::TEncoding::Utf16LeBom},
      {"windows1252", "[S]\nk=\xe4\n", TIniFile::TEncoding::Windows1252},
  };
  for (const auto& c : cases) {
    TIniFile ini;
    ini.LoadFromBytes(c.Data);
    EXPECT_EQ(ini.ReadString("S", "k"), QString(u8"ä")) << c.Name;
    EXPECT_EQ(ini.Encoding(), c.Encoding) << c.Name;
    EXPECT_EQ(ini.ToBytes(), c.Data + (c.Encoding == TIniFile::TEncoding::Utf16LeBom ? QByteArray("\n\0", 2) : "\n"))
        << c.Name;
  }
  // A value Windows-1252 cannot hold: the file becomes UTF-8 rather than lose it.
  TIniFile ini;
  ini.LoadFromBytes("[S]\nk=\xe4\n");
  ini.WriteString("S", "j", u8"日本 €");
  TIniFile again;
  again.LoadFromBytes(ini.ToBytes());
  EXPECT_EQ(again.ReadString("S", "j"), QString(u8"日本 €"));
  EXPECT_EQ(again.ReadString("S", "k"), QString(u8"ä"));
}

TEST(IniFile, ValueForms) {
  struct TCase {
    const char* Value;
    std::optional<bool> Expected;
  };
  const TCase bools[] = {{"TRUE", true}, {"yes", true}, {"Y", true}, {"7", true}, {"-1", true},
                         {"false", false}, {"No", false}, {"n", false}, {"0", false}, {"", false},
                         {"vielleicht", std::nullopt}, {"1.5", std::nullopt}};
  for (const auto& c : bools) EXPECT_EQ(platform::ParseIniBool(c.Value), c.Expected) << c.Value;
  EXPECT_EQ(platform::ParseIniInteger(" -12 "), -12);
  EXPECT_EQ(platform::ParseIniInteger("96dpi"), std::nullopt);
  EXPECT_EQ(platform::ParseIniInteger(""), std::nullopt);
  // A value with a line break stays one line.
  TIniFile ini;
  ini.WriteString("S", "k", "a\nb=c");
  TIniFile again;
  again.LoadFromBytes(ini.ToBytes());
  EXPECT_EQ(again.ReadSection("S"), QStringList{"k"});
}

TEST(IniFile, WritesAtomicallyAndCreatesTheFolder) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/config/sub/Kavio.ini";
  TIniFile ini(path);
  ini.WriteInteger("FormMain", "FormVersion", 0);
  ASSERT_TRUE(ini.UpdateFile());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("[FormMain]\nFormVersion=0\n\n"));
  EXPECT_EQ(QDir(dir.path() + "/config/sub").entryList(QDir::Files), QStringList{"Kavio.ini"});  // no leftovers
  TIniFile reread(path);
  EXPECT_EQ(reread.ReadString("formmain", "formversion"), "0");
  TIniFile nowhere("/proc/kavio-cannot-write/Kavio.ini");
  EXPECT_FALSE(nowhere.UpdateFile());
}

#include "TestSupport.h"
#include "components/TLumoVersionLbl.h"

#include <gtest/gtest.h>

using namespace kavio::components;

TEST(VersionInfoTest, HexDigits) {
  struct TCase {
    const char* Name;
    std::uint16_t Value;
    const char* Hex;
  } const cases[] = {
      {"zero", 0x0000, "0000"},           {"german_language", 0x0407, "0407"},
      {"code_page_1252", 0x04E4, "04E4"}, {"letters_upper_case", 0xABCD, "ABCD"},
      {"all_ones", 0xFFFF, "FFFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetHexWord(c.Value), QString::fromLatin1(c.Hex)) << c.Name;
  // The low half first: language 0x0407, code page 0x04E4.
  EXPECT_EQ(GetHexLong(0x04E40407u), "040704E4");
  EXPECT_EQ(GetHexLong(0x0000FFFFu), "FFFF0000");
}

TEST(VersionInfoTest, FirstTranslationOnly) {
  TVersionBlock block;
  block.Tables.append({0x04E40407u, {{"CompanyName", "x"}}});
  block.Tables.append({0x04B00409u, {{"FileVersion", "9.9.9.9"}}});
  // The second translation has the entry, but only the first is asked.
  EXPECT_EQ(GetVersionInfoSection(block, "FileVersion"), "");
  EXPECT_EQ(GetVersionInfoSection(block, "CompanyName"), "x");
  EXPECT_EQ(GetVersionInfoSection(TVersionBlock{}, "FileVersion"), "");
}

TEST(VersionLabelTest, ProduktversionAndAbout) {
  TLumoVersionLbl label;
  EXPECT_EQ(label.GetProduktversion(), "1.0.1.1");
  EXPECT_EQ(label.property("Produktversion").toString(), "1.0.1.1");
  EXPECT_EQ(label.GetVersion(), "1.1");
  label.SetVersion("2.0");
  EXPECT_TRUE(label.setProperty("About", "3.0"));
  EXPECT_EQ(label.property("About").toString(), "1.1");
  // The label leaves its caption alone.
  EXPECT_EQ(label.text(), "");

  TVersionBlock noFileVersion;
  noFileVersion.Tables.append({0x04E40407u, {{"ProductName", "Kavio"}}});
  EXPECT_EQ(TLumoVersionLbl(noFileVersion).GetProduktversion(), "");
}

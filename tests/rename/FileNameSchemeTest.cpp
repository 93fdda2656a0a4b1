#include "rename/FileNameScheme.h"

#include <gtest/gtest.h>

using namespace kavio;
using namespace kavio::rename;

TEST(FileNameScheme, PreString) {
  EXPECT_EQ(CreatePreString(QDate(2015, 2, 3)), QStringLiteral("20150203_"));
  EXPECT_EQ(CreatePreString(QDate(999, 1, 9)), QStringLiteral("0999" "0109_"));
  EXPECT_EQ(CreatePreString(QDate()), QString());  // no date: no prefix
}

TEST(FileNameScheme, AbsenderString) {
  struct TCase {
    const char* Name;
    platform::TMailAddress From;
    QString Expected;
  };
  const TCase cases[] = {
      {"display_name", {u8"Hans Müller", "hans@x.de"}, u8"Hans Müller_"},
      {"address_when_no_name", {"", "info.service@shop"}, "info_service_at_shop_"},
      {"dot_in_name", {u8"Dr. Hans Müller", ""}, u8"Dr_ Hans Müller_"},
      {"specials_stay", {"a/b: c*?\"<>|\\", ""}, "a/b: c*?\"<>|\\_"},
      {"blanks_not_trimmed", {" x ", ""}, " x _"},
      {"no_sender", {"", ""}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CreateAbsenderString(c.From), c.Expected) << c.Name;
}

TEST(FileNameScheme, NewFileNameWorkedExamples) {
  // Mail A: 03.02.2015 09:15:00, "Hans Müller". Mail B: 28.11.2014, only info.service@shop.
  // Mail C: 03.02.2015, no sender at all (empty sender part: nothing added or removed).
  // Mail D: no date at all (empty prefix), "Hans Müller".
  const QString preA = "20150203_", fromA = u8"Hans Müller_";
  const QString preB = "20141128_", fromB = "info_service_at_shop_";
  const QString preC = "20150203_", fromC = "";
  const QString preD = "", fromD = u8"Hans Müller_";
  struct TCase {
    const char* Name;
    QString Old, Pre;
    bool UsePre;
    QString From;
    bool UseFrom;
    QString Expected;
  };
  const TCase cases[] = {
      {"a_off_off", "Angebot.eml", preA, false, fromA, false, "Angebot.eml"},
      {"a_date", "Angebot.eml", preA, true, fromA, false, "20150203_Angebot.eml"},
      {"a_sender", "Angebot.eml", preA, false, fromA, true, u8"Hans Müller_Angebot.eml"},
      {"a_both", "Angebot.eml", preA, true, fromA, true, u8"20150203_Hans Müller_Angebot.eml"},
      {"a_again_both", u8"20150203_Hans Müller_Angebot.eml", preA, true, fromA, true, u8"20150203_Hans Müller_Angebot.eml"},
      {"a_date_off", u8"20150203_Hans Müller_Angebot.eml", preA, false, fromA, true, u8"Hans Müller_Angebot.eml"},
      {"a_sender_off", u8"20150203_Hans Müller_Angebot.eml", preA, true, fromA, false, "20150203_Angebot.eml"},
      {"a_both_off", u8"20150203_Hans Müller_Angebot.eml", preA, false, fromA, false, "Angebot.eml"},
      {"a_swapped_order", u8"Hans Müller_20150203_Angebot.eml", preA, true, fromA, true, u8"20150203_Hans Müller_Angebot.eml"},
      {"a_other_date_stays", "20150202_Angebot.eml", preA, true, fromA, false, "20150203_20150202_Angebot.eml"},
      {"a_prefix_inside", "Bericht 20150203_final.eml", preA, true, fromA, false, "20150203_Bericht final.eml"},
      {"a_case_matters", u8"hans müller_Angebot.eml", preA, false, fromA, true, u8"Hans Müller_hans müller_Angebot.eml"},
      {"b_both", "Anfrage.msg", preB, true, fromB, true, "20141128_info_service_at_shop_Anfrage.msg"},
      {"c_no_sender_off_off", "Re_ Termin_neu.eml", preC, false, fromC, false, "Re_ Termin_neu.eml"},
      {"c_no_sender_both", "Re_ Termin_neu.eml", preC, true, fromC, true, "20150203_Re_ Termin_neu.eml"},
      {"c_prefix_kept", "20150203_Angebot.eml", preC, true, fromC, false, "20150203_Angebot.eml"},
      {"d_no_date_keeps_prefixes", "18991230_20150203_x.eml", preD, true, fromD, true, u8"Hans Müller_18991230_20150203_x.eml"},
      {"removal_does_not_rescan", "aabb", "ab", false, "", false, "ab"},
      {"every_occurrence", "x_a_x_a_x", "x_", false, "", false, "a_a_x"},
      {"prefix_removed_before_sender", "20150203_x.eml", "20150203_", false, "3_", false, "x.eml"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CreateNewFileName(c.Old, c.Pre, c.UsePre, c.From, c.UseFrom), c.Expected) << c.Name;
}

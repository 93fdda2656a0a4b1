#include "TestSupport.h"
#include "msgfile/MapiTags.h"
#include "msgfile/OxMessage.h"

#include <gtest/gtest.h>
#include <QTimeZone>
#include <QtEndian>

using namespace kavio;
using namespace kavio::msgfile;

namespace {

QByteArray Le64(int64_t AValue) {
  QByteArray bytes(8, '\0');
  qToLittleEndian(AValue, bytes.data());
  return bytes;
}

QDateTime Utc(int AYear, int AMonth, int ADay, int AHour, int AMinute, int ASecond) {
  return QDateTime(QDate(AYear, AMonth, ADay), QTime(AHour, AMinute, ASecond), Qt::UTC);
}

int64_t FileTimeOf(const QDateTime& AInstant) { return AInstant.toMSecsSinceEpoch() * 10000 + 116444736000000000LL; }

// Decodes AValue as a whole value stream of ATag.
struct TDecoded {
  TOxMSGFile Owner;
  TMSGProperty* Item = nullptr;
};

void Decode(TDecoded& AResult, uint32_t ATag, const QByteArray& AValue, int32_t ABrLen) {
  AResult.Item = &AResult.Owner.Properties().Add();
  AResult.Item->TagID = ATag;
  TMemoryStream stream(AValue);
  AResult.Item->ApplyValue(stream, ABrLen);
}

}  // namespace

TEST(ApplyValue, DecodesByType) {
  struct TCase {
    const char* Name;
    uint32_t Tag;
    QByteArray Bytes;
    int32_t BrLen;
    TMSGValue Expected;
    int32_t Length;
  };
  const TCase cases[] = {
      {"string8_drops_one_terminator", 0x0037001E, QByteArray("Hallo\0", 6), 6, TAnsiString{"Hallo", 0}, 5},
      {"unicode_keeps_its_terminator", 0x0037001F, QByteArray("a\0b\0c\0d\0\0\0", 10), 10,
       QString(QStringLiteral("abcd") + QChar(0)), 10},
      {"unicode_odd_byte_ignored", 0x0037001F, QByteArray("a\0b", 3), 3, QStringLiteral("a"), 3},
      {"long", 0x0E080003, QByteArray("\x10\x27\0\0", 4), 4, int32_t(10000), 4},
      {"short_without_size", 0x00170002, QByteArray("\x02\0", 2), 0, int16_t(2), 2},
      {"long_from_short_stream", 0x0E080003, QByteArray("\x01\x02", 2), 4, int32_t(0x0201), 4},
      {"boolean", 0x0E1B000B, QByteArray("\x01\0", 2), 0, true, 2},
      {"float_as_double", 0x00010004, QByteArray("\0\0\xc0\x3f", 4), 0, 1.5, 4},
      {"currency_not_divided", 0x00010006, Le64(123456), 0, 123456.0, 8},
      {"i8", 0x00010014, Le64(-5), 0, -5.0, 8},
      {"error", 0x0001000A, QByteArray("\x0f\x01\x04\x80", 4), 0, uint32_t(0x8004010F), 4},
      {"binary_keeps_zero_bytes", 0x00010102, QByteArray("\0a\0", 3), 3, QByteArray("\0a\0", 3), 3},
      {"clsid_in_registry_form", 0x00010048, QByteArray::fromHex("0b0d020000000000c000000000000046"), 16,
       QStringLiteral("{00020D0B-0000-0000-C000-000000000046}"), 16},
      {"other_type_is_empty_text", 0x000100FB, QByteArray("xyz"), 3, QString(), 3},
  };
  for (const auto& c : cases) {
    TDecoded decoded;
    Decode(decoded, c.Tag, c.Bytes, c.BrLen);
    EXPECT_EQ(decoded.Item->Value, c.Expected) << c.Name;
    EXPECT_EQ(decoded.Item->ValueLength, c.Length) << c.Name;
  }
}

TEST(ApplyValue, FileTimeBecomesLocalTimeAtThatInstant) {
  // TZ is Europe/Berlin: UTC+1 in February, UTC+2 in July, whatever the date of the test run.
  struct TCase {
    const char* Name;
    QDateTime Instant;
    QTime Local;
  };
  const TCase cases[] = {
      {"winter", Utc(2015, 2, 28, 11, 40, 20), QTime(12, 40, 20)},
      {"summer", Utc(2015, 7, 28, 11, 40, 20), QTime(13, 40, 20)},
  };
  for (const auto& c : cases) {
    TDecoded decoded;
    Decode(decoded, PR_CLIENT_SUBMIT_TIME, Le64(FileTimeOf(c.Instant)), 8);
    const auto* time = std::get_if<TMSGTime>(&decoded.Item->Value);
    ASSERT_TRUE(time) << c.Name;
    EXPECT_EQ(time->Instant, c.Instant) << c.Name;
    EXPECT_EQ(platform::DayCountToLocal(time->Local).time(), c.Local) << c.Name;
  }
  for (const int64_t bad : {int64_t(0), std::numeric_limits<int64_t>::max(), int64_t(-1)}) {
    TDecoded decoded;
    Decode(decoded, PR_CLIENT_SUBMIT_TIME, Le64(bad), 8);
    EXPECT_EQ(decoded.Item->Value, TMSGValue(TMSGTime{})) << bad;
  }
}

TEST(ApplyGeneralProperty, EveryEntryTakesItsEightByteSlot) {
  struct TCase {
    const char* Name;
    uint16_t Type;
    QByteArray Slot;
    uint32_t Tag;  // identifier 0x1234 with the type the item gets
    TMSGValue Expected;
    int32_t Length;
  };
  const TCase cases[] = {
      {"long", 0x0003, QByteArray("\x05\0\0\0", 4), 0x12340003, int32_t(5), 4},
      {"short", 0x0002, QByteArray("\xff\xff", 2), 0x12340002, int16_t(-1), 2},
      {"byte_types_as_short", 0x0010, QByteArray("\x07", 1), 0x12340002, uint8_t(7), 2},
      {"float_as_double", 0x0004, QByteArray("\0\0\xc0\x3f", 4), 0x12340005, 1.5, 4},
      {"currency", 0x0006, Le64(42), 0x12340006, TCurrency{42}, 8},
      {"boolean", 0x000B, QByteArray("\x01", 1), 0x1234000B, true, 1},
      {"counted_string_within_the_slot", 0x0008, QByteArray("\x03\0abc", 5), 0x1234001F, TAnsiString{"abc", 0}, 3},
      {"sixteen_byte_type_keeps_to_the_slot", 0x000E, QByteArray("12345678"), 0x12340102, QByteArray("12345678"), 8},
      {"unicode_entry_is_untyped", 0x001F, QByteArray("\x0a\0\0\0", 4), 0x12340000, QString(), 0},
      {"string8_entry_holds_the_size", 0x001E, QByteArray("\x0a\0\0\0", 4), 0x1234001E, QByteArray("\x0a\0\0\0", 4), 4},
      {"unconvertible_time", 0x0040, Le64(std::numeric_limits<int64_t>::max()), 0x12340040, TMSGTime{}, 8},
  };
  for (const auto& c : cases) {
    TOxMSGFile owner;
    TMSGProperty& item = owner.Properties().Add();
    QByteArray slot = c.Slot;
    slot.resize(8, '\0');
    TMemoryStream stream(slot + QByteArray("next entry"));
    item.ApplyGeneralProperty(stream, 0x1234, c.Type);
    EXPECT_EQ(item.TagID, c.Tag) << c.Name;
    EXPECT_EQ(item.Value, c.Expected) << c.Name;
    EXPECT_EQ(item.ValueLength, c.Length) << c.Name;
    EXPECT_EQ(stream.Position(), 8) << c.Name;
  }
}

TEST(Properties, SearchesOneLevelThenDepthFirst) {
  TOxMSGFile owner;
  TMSGProperties& top = owner.Properties();
  TMSGProperty& branchA = top.Add();
  TMSGProperty& deepA = branchA.SubProperties().Add().SubProperties().Add();  // level 3 under A
  deepA.TagID = 0x00370040;
  deepA.Value = QStringLiteral("deep in A");
  TMSGProperty& branchB = top.Add();
  TMSGProperty& shallowB = branchB.SubProperties().Add();  // level 2 under B
  shallowB.TagID = 0x00370040;
  shallowB.Value = QStringLiteral("level 2 in B");
  TMSGProperty& typed = branchB.SubProperties().Add();
  typed.TagID = 0x0037001F;

  EXPECT_EQ(top.GetPropertyByTag(0x00370040, false, false), nullptr);
  EXPECT_EQ(top.GetPropertyByTag(0x00370040, false, true), &deepA);  // branch A first, all of it
  EXPECT_EQ(top.GetPropertyByTag(0x0037001E, true, true), &deepA);   // by identifier
  EXPECT_EQ(top.GetPropertyByTag(0x0037001F, false, true), &typed);
  EXPECT_EQ(top.GetPropertyAsString(0x00370040, false, true), QStringLiteral("deep in A"));
  EXPECT_EQ(top.GetPropertyAsString(0x00990040, false, true), QString());
  EXPECT_TRUE(top.IsMainProperties());
  EXPECT_FALSE(branchB.SubProperties().IsMainProperties());
  EXPECT_EQ(&shallowB.Collection(), &branchB.SubProperties());
  EXPECT_EQ(branchB.SubProperties().ParentProperty(), &branchB);
}

TEST(Properties, BodyKindAndClear) {
  TOxMSGFile owner;
  TMSGProperties& props = owner.Properties();
  const auto apply = [&](uint32_t ATag) {
    TMSGProperty& item = props.Add();
    item.TagID = ATag;
    TMemoryStream stream(QByteArray("x"));
    item.ApplyValue(stream, 1);
  };
  apply(PR_BODY_A);
  EXPECT_EQ(props.MessageFormat, TOxMessageFormat::mfText);
  apply(PR_BODY_HTML);
  apply(PR_BODY_W);  // text never replaces HTML or RTF
  EXPECT_EQ(props.MessageFormat, TOxMessageFormat::mfHTML);
  apply(PR_RTF_COMPRESSED);
  EXPECT_EQ(props.MessageFormat, TOxMessageFormat::mfRTF);
  props.Clear();
  EXPECT_EQ(props.Count(), 0);
  EXPECT_EQ(props.MessageFormat, TOxMessageFormat::mfUnknown);
}

TEST(Properties, CompressedRtfValue) {
  const QByteArray example = QByteArray::fromHex("1a0000001c0000004c5a4675e2d44b51410004205758595a0d6e7d010eb0");
  {
    TDecoded decoded;
    Decode(decoded, PR_RTF_COMPRESSED, example, int32_t(example.size()));
    EXPECT_EQ(decoded.Item->Value, TMSGValue(QStringLiteral("{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}")));
    EXPECT_EQ(decoded.Item->ValueLength, 28);
  }
  {
    TDecoded decoded;  // 16 bytes or fewer: an empty byte string of length 0
    Decode(decoded, PR_RTF_COMPRESSED, example.left(16), 16);
    EXPECT_EQ(decoded.Item->Value, TMSGValue(QByteArray()));
    EXPECT_EQ(decoded.Item->ValueLength, 0);
  }
  {
    TDecoded decoded;  // the hook replaces the decoder
    int calls = 0;
    decoded.Owner.OnDecompressRTF = [&](TMSGProperty&, TStream&, int32_t ASize, QString& AResult) {
      ++calls;
      AResult = QStringLiteral("decoded elsewhere, %1 bytes").arg(ASize);
    };
    Decode(decoded, PR_RTF_COMPRESSED, example, int32_t(example.size()));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(decoded.Item->Value, TMSGValue(QStringLiteral("decoded elsewhere, 30 bytes")));
    EXPECT_EQ(decoded.Item->ValueLength, 30);
  }
}

TEST(Properties, NormalizedName) {
  EXPECT_EQ(GetNormalizedName(QStringLiteral(u"Hans Müller")), QStringLiteral(u"\"Hans Müller\""));
  EXPECT_EQ(GetNormalizedName(QStringLiteral("Mueller")), QStringLiteral("Mueller"));
  EXPECT_EQ(GetNormalizedName(QStringLiteral("Mueller, H")), QStringLiteral("\"Mueller, H\""));
  EXPECT_EQ(GetNormalizedName(QStringLiteral("a.b")), QStringLiteral("\"a.b\""));
  EXPECT_EQ(GetNormalizedName(QStringLiteral("Re:x")), QStringLiteral("\"Re:x\""));
}

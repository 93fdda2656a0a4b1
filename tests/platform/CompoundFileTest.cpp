#include "TestSupport.h"
#include "platform/CompoundFile.h"

#include <gtest/gtest.h>
#include <QtEndian>

using namespace kavio::platform;

namespace {

const TClassId ExcelClassId = {0x20, 0x08, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                               0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
const TClassId InnerClassId = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

QStringList Names(const TCompoundStorage& AStorage) {
  QStringList names;
  for (const auto& element : AStorage.Elements()) names << element.Name;
  return names;
}

}  // namespace

TEST(CompoundFile, ListsElementsInDirectoryOrder) {
  TCompoundFileWriter writer;
  // Added out of order: MS-CFB orders by length first, then by the upper-case form.
  writer.AddStream({}, QStringLiteral("bbb"), "3");
  writer.AddStorage({QStringLiteral("Zz")});
  writer.AddStream({}, QStringLiteral("AAAA"), "4");
  writer.AddStream({}, QStringLiteral("a"), "1");
  writer.AddStream({}, QStringLiteral("aab"), "x");
  const auto root = TCompoundStorage::OpenFromBytes(writer.Finish());
  EXPECT_EQ(Names(root), (QStringList{"a", "Zz", "aab", "bbb", "AAAA"}));
  const auto elements = root.Elements();
  EXPECT_EQ(elements[1].Kind, TStorageElementKind::Storage);
  EXPECT_EQ(elements[0].Kind, TStorageElementKind::Stream);
  EXPECT_EQ(elements[4].Size, 1u);
}

TEST(CompoundFile, ReadsStreamsAndStopsAtTheEnd) {
  TCompoundFileWriter writer;
  QByteArray big(10000, '\0');
  for (int i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  writer.AddStream({QStringLiteral("sub")}, QStringLiteral("big"), big);  // a regular-sector stream
  writer.AddStream({}, QStringLiteral("\001CompObj"), "abcdef");          // a mini-stream one
  const QByteArray file = writer.Finish();
  const QByteArray before = file;
  const auto root = TCompoundStorage::OpenFromBytes(file);

  auto small = root.OpenStream(QStringLiteral("\001CompObj"));
  ASSERT_TRUE(small);
  char buffer[16] = {};
  small->Seek(4);
  EXPECT_EQ(small->Read(buffer, sizeof buffer), 2);  // past the end: fewer bytes
  EXPECT_EQ(QByteArray(buffer, 2), "ef");
  small->Seek(100);
  EXPECT_EQ(small->Read(buffer, 4), 0);

  auto sub = root.OpenStorage(QStringLiteral("sub"));
  ASSERT_TRUE(sub);
  EXPECT_FALSE(root.OpenStream(QStringLiteral("sub")));  // a storage is no stream
  auto stream = sub->OpenStream(QStringLiteral("big"));
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Size(), 10000);
  EXPECT_EQ(stream->ReadAll(), big);
  EXPECT_EQ(file, before);  // the bytes are only read
}

TEST(CompoundFile, RefusesDataThatIsNoCompoundFile) {
  for (const QByteArray& data : {QByteArray(), QByteArray("From: a@b\r\n\r\n"), QByteArray(600, '\xd0')})
    EXPECT_THROW(TCompoundStorage::OpenFromBytes(data), TCompoundFileError);
}

TEST(CompoundFile, CopiesAStorageWithItsClassIds) {
  TCompoundFileWriter writer;
  writer.AddStorage({QStringLiteral("object")}, ExcelClassId);
  writer.AddStream({QStringLiteral("object")}, QStringLiteral("Workbook"), QByteArray(5000, 'w'));
  writer.AddStorage({QStringLiteral("object"), QStringLiteral("inner")}, InnerClassId);
  writer.AddStream({QStringLiteral("object"), QStringLiteral("inner")}, QStringLiteral("s"), "inner bytes");
  const auto root = TCompoundStorage::OpenFromBytes(writer.Finish());
  const auto object = root.OpenStorage(QStringLiteral("object"));
  ASSERT_TRUE(object);
  EXPECT_EQ(object->ClassId(), ExcelClassId);

  const auto copy = TCompoundStorage::OpenFromBytes(object->CopyToCompoundFile());
  EXPECT_EQ(copy.ClassId(), ExcelClassId);  // the storage's own CLSID is the new root's
  EXPECT_EQ(Names(copy), (QStringList{"inner", "Workbook"}));
  EXPECT_EQ(copy.OpenStream(QStringLiteral("Workbook"))->ReadAll(), QByteArray(5000, 'w'));
  const auto inner = copy.OpenStorage(QStringLiteral("inner"));
  ASSERT_TRUE(inner);
  EXPECT_EQ(inner->ClassId(), InnerClassId);
  EXPECT_EQ(inner->OpenStream(QStringLiteral("s"))->ReadAll(), "inner bytes");
}

// MS-CFB 2.6.3: the root entry has no siblings. A file whose root names one (found by fuzzing:
// fuzz/msgfile/corpus/gsf_malformed_directory_leak) opens with the root's own children, and
// libgsf loses no directory entries on it (the sanitizer build would report them).
TEST(CompoundFile, RootWithASiblingOpensAsWithout) {
  TCompoundFileWriter writer;
  writer.AddStream({}, QStringLiteral("a"), "1");
  writer.AddStream({}, QStringLiteral("b"), "2");
  const QByteArray good = writer.Finish();
  const unsigned shift = qFromLittleEndian<uint16_t>(good.constData() + 30);
  const qsizetype root = (qsizetype(qFromLittleEndian<uint32_t>(good.constData() + 48)) + 1) << shift;
  QByteArray broken = good;
  qToLittleEndian<uint32_t>(1, broken.data() + root + 72);  // right sibling: entry 1
  const QByteArray before = broken;
  const auto opened = TCompoundStorage::OpenFromBytes(broken);
  EXPECT_EQ(Names(opened), Names(TCompoundStorage::OpenFromBytes(good)));
  EXPECT_EQ(broken, before);  // the caller's bytes stay as they were
}

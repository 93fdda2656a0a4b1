// The generated files of kavio-make-msg read back as generated, and the RTF compressor of the
// generator and the reader's decoder agree.

#include "MsgGenerator.h"
#include "RtfCompressor.h"
#include "TestSupport.h"
#include "msgfile/CompressedRtf.h"
#include "msgfile/MapiTags.h"
#include "msgfile/OxMessage.h"

#include <gtest/gtest.h>

using namespace kavio;

TEST(GeneratedFiles, ReadBackAsGenerated) {
  for (const bool unicode : {true, false}) {
    tools::TMsgGeneratorOptions options;
    options.Unicode = unicode;
    options.Attachments = 2;
    options.EmbeddedMessage = true;
    tools::TMsgGenerator generator(7, options);
    for (int i = 0; i < 5; ++i) {
      const tools::TGeneratedMsg generated = generator.Next();
      msgfile::TOxMSGFile message;
      message.LoadFromBytes(generated.Bytes);
      EXPECT_EQ(message.GetSubject(), generated.Subject) << unicode;
      EXPECT_EQ(message.GetSenderDisplayName(), generated.SenderName) << unicode;
      EXPECT_EQ(message.GetSenderAddress(), generated.SenderAddress) << unicode;
      EXPECT_EQ(message.GetMessageInstant(), generated.Date) << unicode;
      const auto* rtf = message.Properties().GetPropertyByTag(msgfile::PR_RTF_COMPRESSED, false, false);
      ASSERT_TRUE(rtf);
      EXPECT_TRUE(rtf->AsString().startsWith(QStringLiteral("{\\rtf1\\ansi")));
      EXPECT_EQ(rtf->ValueLength, options.RtfBytes);
    }
  }
}

TEST(GeneratedFiles, RtfCompressionRoundTrip) {
  const QByteArray texts[] = {
      "{\\rtf1\\ansi\\ansicpg1252\\pard hello world}\r\n",
      "{\\rtf1 WXYZWXYZWXYZWXYZWXYZ}",
      QByteArray(10000, 'a'),  // long runs of overlapping references
      QByteArray(),
  };
  for (const QByteArray& text : texts) EXPECT_EQ(msgfile::DecompressRtf(tools::CompressRtf(text)), text);
  // Beyond one dictionary's length: references across the ring's wrap.
  QByteArray long_;
  for (int i = 0; long_.size() < 20000; ++i) long_ += QByteArray::number(i * 7919 % 1000) + "\\par ";
  EXPECT_EQ(msgfile::DecompressRtf(tools::CompressRtf(long_)), long_);
  // The CRC of MS-OXRTFCP's first example (section 3.1): its header says A7C7C5F1.
  const QByteArray published = QByteArray::fromHex(
      "2d0000002b0000004c5a4675f1c5c7a703000a007263706731323542320af32068656c0900206277"
      "05b06c647d0a800fa0");
  EXPECT_EQ(tools::RtfCrc(published.mid(16)), 0xA7C7C5F1u);
}

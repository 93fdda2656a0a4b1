#pragma once
// Realistic Outlook message files (MS-OXMSG): a message with sender, recipients, times, code
// page properties, a plain-text and a compressed-RTF body, optional attachments (files or an
// embedded message), in Unicode or ANSI (Windows-1252) string properties.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <random>

namespace kavio::tools {

struct TMsgGeneratorOptions {
  bool Unicode = true;   // PT_UNICODE strings, else PT_STRING8 in Windows-1252
  int BodyBytes = 4096;  // plain-text body (characters)
  int RtfBytes = 8192;   // uncompressed RTF body; 0: none
  int Attachments = 0;   // file attachments
  int AttachmentBytes = 4096;
  bool EmbeddedMessage = false;  // one more attachment holding a message
};

struct TGeneratedMsg {
  QString FileName;  // "00001 Angebot Heizung.msg"
  QByteArray Bytes;
  QString Subject;
  QString SenderName;
  QString SenderAddress;
  QDateTime Date;  // PR_CLIENT_SUBMIT_TIME
};

class TMsgGenerator {
 public:
  TMsgGenerator(uint32_t ASeed, TMsgGeneratorOptions AOptions);
  TGeneratedMsg Next();

 private:
  std::mt19937 FRandom;
  TMsgGeneratorOptions FOptions;
  int FNumber = 0;
};

// Writes ACount files into AFolder (created); returns the number written, -1 on a write error.
int WriteMsgFiles(const QString& AFolder, int ACount, uint32_t ASeed, const TMsgGeneratorOptions& AOptions);

}  // namespace kavio::tools

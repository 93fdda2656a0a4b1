#include "platform/IniFile.h"

#include "platform/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringConverter>

namespace kavio::platform {

namespace {

// Decodes without treating a leading U+FEFF as a byte-order mark: the mark was handled already.
QString Decode(QStringConverter::Encoding AEncoding, const QByteArray& AData) {
  QStringDecoder decoder(AEncoding, QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(AData);
}

QString DecodeAll(const QByteArray& AData, TIniFile::TEncoding& AEncoding) {
  if (AData.startsWith("\xEF\xBB\xBF")) {
    AEncoding = TIniFile::TEncoding::Utf8Bom;
    return Decode(QStringConverter::Utf8, AData.mid(3));
  }
  if (AData.startsWith("\xFF\xFE")) {
    AEncoding = TIniFile::TEncoding::Utf16LeBom;
    return Decode(QStringConverter::Utf16LE, AData.mid(2));
  }
  if (AData.startsWith("\xFE\xFF")) {
    AEncoding = TIniFile::TEncoding::Utf16BeBom;
    return Decode(QStringConverter::Utf16BE, AData.mid(2));
  }
  if (IsValidUtf8(AData)) {
    AEncoding = TIniFile::TEncoding::Utf8;
    return Decode(QStringConverter::Utf8, AData);
  }
  AEncoding = TIniFile::TEncoding::Windows1252;
  return DecodeCodePage(AData, CodePageWindows1252);
}

// Windows-1252 for every character it has; nothing when one is missing.
std::optional<QByteArray> EncodeWindows1252(const QString& AText) {
  QByteArray out;
  out.reserve(AText.size());
  // The characters of 0x80-0x9F; 0 where the code page has none.
  static const char16_t high[32] = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};
  for (QChar c : AText) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out += static_cast<char>(u);
      continue;
    }
    int found = -1;
    for (int i = 0; i < 32; ++i)
      if (high[i] != 0 && high[i] == u) found = i;
    if (found < 0) return std::nullopt;
    out += static_cast<char>(0x80 + found);
  }
  return out;
}

// Whether 8-bit bytes would be read as something else than Windows-1252.
bool LooksLikeUtf8OrBom(const QByteArray& ABytes) {
  if (ABytes.startsWith("\xEF\xBB\xBF") || ABytes.startsWith("\xFF\xFE") || ABytes.startsWith("\xFE\xFF")) return true;
  bool eightBit = false;
  for (char c : ABytes)
    if (static_cast<unsigned char>(c) >= 0x80) {
      eightBit = true;
      break;
    }
  return eightBit && IsValidUtf8(ABytes);
}

}  // namespace

std::optional<bool> ParseIniBool(const QString& AValue) {
  const QString value = AValue.trimmed();
  if (value.isEmpty()) return false;
  for (const char* yes : {"TRUE", "YES", "Y"})
    if (value.compare(QLatin1String(yes), Qt::CaseInsensitive) == 0) return true;
  for (const char* no : {"FALSE", "NO", "N"})
    if (value.compare(QLatin1String(no), Qt::CaseInsensitive) == 0) return false;
  if (const auto number = ParseIniInteger(value)) return *number != 0;
  return std::nullopt;
}

std::optional<long long> ParseIniInteger(const QString& AValue) {
  const QString value = AValue.trimmed();
  if (value.isEmpty()) return std::nullopt;
  for (qsizetype i = 0; i < value.size(); ++i) {
    const QChar c = value[i];
    if (!(c.isDigit() && c.unicode() < 0x80) && !(i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))))
      return std::nullopt;
  }
  bool ok = false;
  const long long number = value.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return number;
}

TIniFile::TIniFile(const QString& AFileName) : FFileName(AFileName) {
  QFile file(AFileName);
  if (file.open(QIODevice::ReadOnly)) LoadFromBytes(file.readAll());
}

bool TIniFile::SameName(const QString& A, const QString& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

void TIniFile::LoadFromBytes(const QByteArray& AData) {
  FPreamble.clear();
  FSections.clear();
  const QString text = DecodeAll(AData, FEncoding);
  FCrLf = text.contains(QLatin1String("\r\n"));
  QList<TLine>* target = &FPreamble;
  for (QStringView rawLine : QStringView(text).split(QLatin1Char('\n'))) {
    QStringView line = rawLine;
    while (line.endsWith(QLatin1Char('\r'))) line.chop(1);  // "\r\r\n" too: a line ends at its CRs
    const QStringView trimmed = line.trimmed();
    if (trimmed.isEmpty()) continue;  // blank lines are written anew, one after every section
    if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
      FSections.append({trimmed.mid(1, trimmed.size() - 2).trimmed().toString(), {}});
      target = &FSections.last().Lines;
      continue;
    }
    TLine entry;
    entry.Text = line.toString();
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (!trimmed.startsWith(QLatin1Char(';')) && equals > 0) {
      entry.Key = line.left(equals).trimmed().toString();
      entry.Value = line.mid(equals + 1).trimmed().toString();
      entry.IsEntry = !entry.Key.isEmpty();
    }
    target->append(entry);
  }
}

QByteArray TIniFile::ToBytes() const {
  QString text;
  const QLatin1String eol(FCrLf ? "\r\n" : "\n");
  auto writeLines = [&](const QList<TLine>& ALines) {
    for (const TLine& line : ALines) text += (line.IsEntry ? line.Key + QLatin1Char('=') + line.Value : line.Text) + eol;
  };
  writeLines(FPreamble);
  if (!FPreamble.isEmpty()) text += eol;
  for (const TSection& section : FSections) {
    text += QLatin1Char('[') + section.Name + QLatin1Char(']') + eol;
    writeLines(section.Lines);
    text += eol;
  }
  switch (FEncoding) {
    case TEncoding::Utf8Bom:
      return "\xEF\xBB\xBF" + text.toUtf8();
    case TEncoding::Utf16LeBom:
      return "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE).encode(text));
    case TEncoding::Utf16BeBom:
      return "\xFE\xFF" + QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(text));
    case TEncoding::Windows1252:
      // Unless a value is missing from the code page, or the bytes would read back otherwise (as
      // UTF-8 or behind a byte-order mark): then UTF-8, and nothing is lost.
      if (auto bytes = EncodeWindows1252(text); bytes && !LooksLikeUtf8OrBom(*bytes)) return *bytes;
      break;
    case TEncoding::Utf8:
      break;
  }
  QByteArray utf8 = text.toUtf8();
  // Text that starts with U+FEFF would read back as a byte-order mark: then write one.
  if (utf8.startsWith("\xEF\xBB\xBF")) utf8.prepend("\xEF\xBB\xBF");
  return utf8;
}

bool TIniFile::UpdateFile() const {
  if (FFileName.isEmpty()) return false;
  const QFileInfo info(FFileName);
  if (!QDir().mkpath(info.absolutePath())) return false;
  QSaveFile file(FFileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = ToBytes();
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

TIniFile::TSection* TIniFile::FindSection(const QString& AName) {
  for (TSection& section : FSections)
    if (SameName(section.Name, AName)) return &section;
  return nullptr;
}

const TIniFile::TSection* TIniFile::FindSection(const QString& AName) const {
  for (const TSection& section : FSections)
    if (SameName(section.Name, AName)) return &section;
  return nullptr;
}

bool TIniFile::SectionExists(const QString& ASection) const { return FindSection(ASection) != nullptr; }

bool TIniFile::ValueExists(const QString& ASection, const QString& AKey) const {
  return Value(ASection, AKey).has_value();
}

std::optional<QString> TIniFile::Value(const QString& ASection, const QString& AKey) const {
  const TSection* section = FindSection(ASection);
  if (!section) return std::nullopt;
  for (const TLine& line : section->Lines)
    if (line.IsEntry && SameName(line.Key, AKey)) return line.Value;
  return std::nullopt;
}

QString TIniFile::ReadString(const QString& ASection, const QString& AKey, const QString& ADefault) const {
  return Value(ASection, AKey).value_or(ADefault);
}

QStringList TIniFile::ReadSection(const QString& ASection) const {
  QStringList keys;
  if (const TSection* section = FindSection(ASection))
    for (const TLine& line : section->Lines)
      if (line.IsEntry) keys.append(line.Key);
  return keys;
}

QStringList TIniFile::Sections() const {
  QStringList names;
  for (const TSection& section : FSections) names.append(section.Name);
  return names;
}

void TIniFile::WriteString(const QString& ASection, const QString& AKey, const QString& AValue) {
  // A value is one line: line breaks would make the next read see other keys.
  QString value = AValue;
  value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  TSection* section = FindSection(ASection);
  if (!section) {
    FSections.append({ASection, {}});
    section = &FSections.last();
  }
  for (TLine& line : section->Lines)
    if (line.IsEntry && SameName(line.Key, AKey)) {
      line.Value = value;
      return;
    }
  TLine line;
  line.IsEntry = true;
  line.Key = AKey;
  line.Value = value;
  section->Lines.append(line);
}

void TIniFile::WriteInteger(const QString& ASection, const QString& AKey, long long AValue) {
  WriteString(ASection, AKey, QString::number(AValue));
}

void TIniFile::WriteBool(const QString& ASection, const QString& AKey, bool AValue) {
  WriteString(ASection, AKey, AValue ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
}

void TIniFile::DeleteKey(const QString& ASection, const QString& AKey) {
  if (TSection* section = FindSection(ASection))
    section->Lines.removeIf([&](const TLine& ALine) { return ALine.IsEntry && SameName(ALine.Key, AKey); });
}

void TIniFile::EraseSection(const QString& ASection) {
  FSections.removeIf([&](const TSection& ASectionItem) { return SameName(ASectionItem.Name, ASection); });
}

}  // namespace kavio::platform
